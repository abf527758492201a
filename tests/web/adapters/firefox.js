'use strict';
// Firefox ESR through puppeteer-core over WebDriver BiDi. `extraScript` runs in every page after
// the recorder (the benchmark's probes); `prefs` are Firefox's own settings, such as
// layout.frame_rate.
const puppeteer = require('puppeteer-core');
const recorder = require('./recorder-source');

async function makeFirefox(url, { extraScript = '', prefs = {} } = {}) {
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: process.env.LV_FIREFOX || '/usr/bin/firefox-esr',
    headless: true,
    defaultViewport: { width: 1366, height: 657 },
    extraPrefsFirefox: {
      'browser.shell.checkDefaultBrowser': false,
      'app.update.enabled': false,
      'datareporting.policy.dataSubmissionEnabled': false,
      'toolkit.telemetry.enabled': false,
      ...prefs,
    },
  });
  let page;

  // Alt+S and the like: the modifier held around the letter, as a hand does it.
  const press = async (keys) => {
    const parts = keys.split('+');
    const key = parts.pop();
    for (const m of parts) await page.keyboard.down(m);
    await page.keyboard.press(key);
    for (const m of parts.reverse()) await page.keyboard.up(m);
  };

  return {
    clockSlack: 1, // Firefox's clocks step by a millisecond
    // As when the page is opened in a new tab: its history holds this page alone. `target` is
    // another page of the same server.
    async open(target = url) {
      if (!page || page.isClosed()) {
        page = await browser.newPage();
        await page.evaluateOnNewDocument(recorder + extraScript);
      }
      await Promise.all([page.waitForNavigation({ waitUntil: 'load' }), page.evaluate((u) => location.replace(u), target).catch(() => {})]); // the old page goes, and its answer with it
    },
    isClosed: () => !page || page.isClosed(),
    closeTab: () => page?.close(),
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    press,
    type: (text) => page.keyboard.type(text),
    click: (selector) => page.click(selector),
    keyDown: (key) => page.keyboard.down(key), // a second down of a held key is a repeat
    keyUp: (key) => page.keyboard.up(key),
    setViewport: (width, height) => page.setViewport({ width, height }),
    screenshot: async (id) => Buffer.from(await (await page.$(`#${id}`)).screenshot()),
    addScript: (source) => page.evaluate(source),
    // A new version's worker: twice, under load, the registration showed no worker at all in
    // the middle of a drill (not traced), so the update case is not run here.
    close: () => browser.close(),
  };
}

module.exports = makeFirefox;
