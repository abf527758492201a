'use strict';
const { suite } = require('./scenario');

suite('WebKitGTK', require('./adapters/webkit'), [
  'the settings window opens ready, with its values and the focus in the first field',
  'at 200 ms: a series, a rest, no step early',
  'Alt+E ends the program',
  'after one visit it starts with no network and runs a series',
]);
