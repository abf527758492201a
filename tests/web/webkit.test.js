'use strict';
const { suite } = require('./scenario');

suite('WebKitGTK', require('./adapters/webkit'));
