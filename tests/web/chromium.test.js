'use strict';
const { suite } = require('./scenario');

suite('Chromium', require('./adapters/chromium'));
