#!/usr/bin/env node
// Checks a site as delivered (the web zip, unpacked) in the three engines, with the cases of the
// browser tests: Chromium's installability, an offline start in each engine, a whole drill with
// no CSP violation, no request elsewhere and nothing stored, and an accessibility audit. Prints a
// line for each, "ok ..." or "FAIL ...", as tools/check-packages counts them; exits 1 on any FAIL.
// WebKitGTK needs an X display. Usage: check-site.js FOLDER
'use strict';
const path = require('node:path');

const folder = process.argv[2];
if (!folder) {
  console.error('usage: check-site.js FOLDER');
  process.exit(2);
}
process.env.LV_SITE = path.resolve(folder);
const { openBrowser, cases } = require('./scenario');

const OFFLINE = 'after one visit it starts with no network and runs a series';
const plan = [
  ['Chromium', './adapters/chromium', [
    'the page is installable as an app',
    OFFLINE,
    'a whole drill keeps to its own files and leaves nothing stored',
    'the settings window, the exercise window and the message pass an accessibility audit',
  ]],
  ['Firefox ESR', './adapters/firefox', [OFFLINE]],
  ['WebKitGTK', './adapters/webkit', [OFFLINE]],
];

(async () => {
  let failures = 0;
  const say = (ok, what) => {
    console.log(`${ok ? 'ok' : 'FAIL'} ${what}`);
    if (!ok) failures++;
  };
  for (const [engine, adapter, names] of plan) {
    let browser;
    try {
      browser = await openBrowser(require(adapter));
    } catch (e) {
      say(false, `${engine}: the browser starts: ${e.message}`);
      continue;
    }
    for (const name of names) {
      try {
        await cases[name](browser.adapter);
        say(true, `${engine}: ${name}`);
      } catch (e) {
        say(false, `${engine}: ${name}: ${e.message.replace(/\s+/g, ' ')}`);
      }
    }
    await browser.close().catch(() => {});
  }
  process.exit(failures ? 1 : 0);
})();
