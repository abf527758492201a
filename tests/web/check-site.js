#!/usr/bin/env node
// Checks a site as delivered (the web zip, unpacked) in the three engines, with the browser tests'
// cases on the app as a whole (installing it, an offline start, a whole drill with no CSP
// violation, no request elsewhere and nothing stored, an accessibility audit), each in every
// engine whose driver can run it. Prints a line for each, "ok ..." or "FAIL ...", as
// tools/check-packages counts them; exits 1 on any FAIL. WebKitGTK needs an X display.
// Usage: check-site.js FOLDER
'use strict';
const path = require('node:path');

const folder = process.argv[2];
if (!folder) {
  console.error('usage: check-site.js FOLDER');
  process.exit(2);
}
process.env.LV_SITE = path.resolve(folder);
const { openBrowser, runCase, cases, lacking } = require('./scenario');

const engines = [
  ['Chromium', './adapters/chromium'],
  ['Firefox ESR', './adapters/firefox'],
  ['WebKitGTK', './adapters/webkit'],
];

(async () => {
  let failures = 0;
  const say = (ok, what) => {
    console.log(`${ok ? 'ok' : 'FAIL'} ${what}`);
    if (!ok) failures++;
  };
  for (const [engine, adapter] of engines) {
    let browser;
    try {
      browser = await openBrowser(require(adapter));
    } catch (e) {
      say(false, `${engine}: the browser starts: ${e.message}`);
      continue;
    }
    for (const [name, run] of Object.entries(cases)) {
      if (!run.ofTheApp || lacking(run, browser.adapter).length) continue;
      try {
        await runCase(run, browser, (why) => console.log(`     ${engine}: ${name}: ${why}`));
        say(true, `${engine}: ${name}`);
      } catch (e) {
        say(false, `${engine}: ${name}: ${e.message.replace(/\s+/g, ' ')}`);
      }
    }
    await browser.close().catch(() => {});
  }
  process.exit(failures ? 1 : 0);
})();
