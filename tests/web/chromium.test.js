'use strict';
const { suite } = require('./scenario');

suite('Chromium', require('./adapters/chromium'), [
  'the settings window opens ready, with its values and the focus in the first field',
  'a bad value gets a message naming its field and a second chance',
  'Alt+S opens the exercise window with "Einde" focused',
  'at 200 ms: series of ten syllables, rests, "reeks" and "tijd", no step early',
  'a page that stalls now and then loses no syllable',
  'the pace buttons shorten and lengthen the interval',
  'the close box brings the settings back, and Start begins afresh',
  'a drill keeps one timer set while it runs, none rings before its time, none is left once closed',
  'a held Enter and bare letters press nothing more',
  'Einde ends the program, from either window, and it can be started again',
  'screen readers name the fields after their prompts',
  'every control is inside the window at common screen sizes',
  'the focused "Einde" shows its focus when the window opens',
  'the page is installable as an app',
  'after one visit it starts with no network and runs a series',
  'a new version waits for the next start, never changing a drill under way',
  'a whole drill keeps to its own files and leaves nothing stored',
  'the settings window, the exercise window and the message pass an accessibility audit',
]);
