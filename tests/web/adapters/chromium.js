'use strict';
// Chromium through playwright-core, on Debian's browser. Besides what every driver does, it
// reads the accessibility tree over the DevTools protocol, sizes the viewport, takes screenshots,
// closes the tab, lists every request and cookie, and runs a script of the tests' in the page.
// `extraScript` runs in every page after the recorder (the benchmark's probes); `device` gives
// the screen of another device ({viewport, deviceScaleFactor, hasTouch}), and `cpuSlowdown` makes
// every page's CPU that many times slower, as on a cheap Chromebook.
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { chromium } = require('playwright-core');
const recorder = require('./recorder-source');

async function makeChromium(url, { extraScript = '', device = {}, cpuSlowdown = 1 } = {}) {
  // A profile of its own, thrown away at the end, rather than an incognito context: Chromium
  // installs no app from an incognito window, and a pupil's browser is not one.
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'lv-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    locale: 'nl-NL',
    deviceScaleFactor: device.deviceScaleFactor,
    hasTouch: device.hasTouch,
    executablePath: process.env.LV_CHROMIUM || '/usr/bin/chromium',
    args: [
      '--disable-background-networking',
      '--disable-background-timer-throttling',
      '--disable-backgrounding-occluded-windows',
      '--disable-renderer-backgrounding',
      '--disable-component-update',
      '--disable-default-apps',
      '--disable-sync',
      '--no-first-run',
      '--no-default-browser-check',
      '--disable-features=Translate,MediaRouter,OptimizationHints',
    ],
  });
  await context.addInitScript({ content: recorder + extraScript });
  const requests = []; // every address the pages and their service worker asked for
  context.on('request', (r) => requests.push(r.url()));
  let page;
  let cdp;
  let viewport = device.viewport ?? { width: 1366, height: 657 };
  let cpuRate = cpuSlowdown;

  return {
    clockSlack: 0, // performance.now() and event times share one clock in steps of 0.1 ms
    // As when the page is opened in a new tab: its history holds this page alone. The tab is
    // made anew if the page closed the last one. `target` is another page of the same server.
    async open(target = url) {
      if (!page || page.isClosed()) {
        page = await context.newPage();
        await page.setViewportSize(viewport);
        cdp = await context.newCDPSession(page);
        if (cpuRate !== 1) await cdp.send('Emulation.setCPUThrottlingRate', { rate: cpuRate });
      }
      await Promise.all([page.waitForEvent('load'), page.evaluate((u) => location.replace(u), target).catch(() => {})]); // the old page goes, and its answer with it
    },
    isClosed: () => !page || page.isClosed(),
    closeTab: () => page?.close(),
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    press: (keys) => page.keyboard.press(keys),
    type: (text) => page.keyboard.type(text),
    keyDown: (key) => page.keyboard.down(key), // a second down of a held key is a repeat
    keyUp: (key) => page.keyboard.up(key),
    click: (selector) => page.click(selector),
    async setViewport(width, height) {
      viewport = { width, height };
      if (page && !page.isClosed()) await page.setViewportSize(viewport);
    },
    // The element and a band around it, where a focus ring or a dotted rectangle would be.
    async screenshot(id) {
      const clip = await page.evaluate((i) => {
        const b = document.getElementById(i).getBoundingClientRect();
        return { x: Math.max(0, b.left - 6), y: Math.max(0, b.top - 6), width: b.width + 12, height: b.height + 12 };
      }, id);
      return page.screenshot({ clip, animations: 'disabled', caret: 'initial' });
    },
    async accessibilityTree() {
      const { nodes } = await cdp.send('Accessibility.getFullAXTree');
      return nodes.map((n) => ({
        role: n.role?.value,
        name: n.name?.value,
        value: n.value?.value,
        ignored: n.ignored,
      }));
    },
    requests: () => [...requests],
    cookies: () => context.cookies(),
    cdp: (method, params) => cdp.send(method, params),
    // From now on, for this page and any opened after it.
    async slowCpu(rate) {
      cpuRate = rate;
      if (cdp) await cdp.send('Emulation.setCPUThrottlingRate', { rate });
    },
    workerUpdates: true, // a new version's worker is seen installing beside the old one
    // Evaluated over the DevTools protocol, as the recorder is: the page's policy, which allows
    // no inline script, does not apply to the tests' own.
    addScript: (source) => page.evaluate(source),
    async close() {
      await context.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

module.exports = makeChromium;
