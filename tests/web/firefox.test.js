'use strict';
const { suite } = require('./scenario');

suite('Firefox ESR', require('./adapters/firefox'));
