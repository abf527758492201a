'use strict';
const { suite } = require('./scenario');

suite('Firefox ESR', require('./adapters/firefox'), [
  'the settings window opens ready, with its values and the focus in the first field',
  'at 200 ms: a series, a rest, no step early',
  'a drill keeps one timer set while it runs, none rings before its time, none is left once closed',
  'Alt+E ends the program',
  'after one visit it starts with no network and runs a series',
]);
