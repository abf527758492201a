'use strict';
// WebKitGTK's MiniBrowser through WebKitWebDriver and selenium-webdriver. It needs an X display
// (run it under xvfb-run). WebDriver cannot add a script to a page before the page's own, so
// the server puts the recorder first into index.html instead. With the server stopped, the page
// comes from the service worker's cache and the recorder, not one of the app's files, from
// nowhere: it is then run in the page as it has loaded, before anything is pressed, as is
// `extraScript` (the benchmark's probes).
const { spawn } = require('node:child_process');
const net = require('node:net');
const { setTimeout: sleep } = require('node:timers/promises');
const { Builder, By, Key } = require('selenium-webdriver');
const recorder = require('./recorder-source');

const RECORDER_PATH = '/__lv_recorder.js';
const KEYS = { Alt: Key.ALT, Shift: Key.SHIFT, Control: Key.CONTROL, Tab: Key.TAB, Enter: Key.ENTER, Backspace: Key.BACK_SPACE };

function freePort() {
  return new Promise((resolve, reject) => {
    const s = net.createServer();
    s.once('error', reject);
    s.listen(0, '127.0.0.1', () => {
      const { port } = s.address();
      s.close(() => resolve(port));
    });
  });
}

async function makeWebKit(url, { extraScript = '' } = {}) {
  if (!process.env.DISPLAY) throw new Error('WebKitGTK needs an X display: run this under xvfb-run -a');
  const port = await freePort();
  const driverProcess = spawn(process.env.LV_WEBKIT_DRIVER || '/usr/bin/WebKitWebDriver', [`--port=${port}`], {
    stdio: ['ignore', 'inherit', 'pipe'],
  });
  // The browser says on the driver's stderr when its page process crashed.
  let crashes = 0;
  driverProcess.stderr.on('data', (chunk) => {
    process.stderr.write(chunk);
    crashes += (String(chunk).match(/WebProcess CRASHED/g) || []).length;
  });
  const exited = new Promise((resolve) => driverProcess.once('exit', resolve));
  let driver;
  try {
    // The driver takes a moment to listen; Builder's first request is retried until it does.
    const until = Date.now() + 30_000;
    for (;;) {
      try {
        driver = await new Builder()
          .usingServer(`http://127.0.0.1:${port}`)
          .withCapabilities({
            browserName: 'MiniBrowser',
            'webkitgtk:browserOptions': {
              binary: process.env.LV_MINIBROWSER || '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
              args: ['--automation'],
            },
          })
          .build();
        break;
      } catch (e) {
        if (Date.now() > until || driverProcess.exitCode !== null) throw e;
        await sleep(100); // poll for the driver to listen
      }
    }
    await driver.manage().window().setRect({ width: 1366, height: 657 }).catch(() => {});
  } catch (e) {
    driverProcess.kill();
    throw e;
  }

  const isClosed = async () => {
    try {
      await driver.getWindowHandle();
      return false;
    } catch {
      return true;
    }
  };

  const press = async (keys) => {
    const parts = keys.split('+').map((k) => KEYS[k] ?? k);
    const key = parts.pop();
    let a = driver.actions();
    for (const m of parts) a = a.keyDown(m);
    a = a.sendKeys(key);
    for (const m of parts.reverse()) a = a.keyUp(m);
    await a.perform();
  };

  return {
    clockSlack: 1, // WebKit's clocks step by a millisecond
    // As when the page is opened in a new tab: its history holds this page alone. `target` is
    // another page of the same server.
    async open(target = url) {
      if (await isClosed()) await driver.switchTo().newWindow('tab');
      const from = await driver.executeScript('return performance.timeOrigin');
      await driver.executeScript('location.replace(arguments[0])', target);
      await driver.wait(async () => {
        try {
          return await driver.executeScript(
            'return document.readyState === "complete" && performance.timeOrigin !== arguments[0] && location.href === arguments[1]',
            from, target);
        } catch {
          return false; // between the two documents
        }
      }, 30_000, 'the page to load');
      if (!(await driver.executeScript('return !!window.__lv'))) await driver.executeScript(recorder);
      if (extraScript) await driver.executeScript(extraScript);
    },
    isClosed,
    crashes: () => crashes,
    evaluate: (fn, arg) => driver.executeScript(`return (${fn}).apply(null, arguments)`, arg),
    press,
    type: (text) => driver.actions().sendKeys(text).perform(),
    click: async (selector) => driver.findElement(By.css(selector)).click(),
    // No keyDown or keyUp: WebDriver sends a key held down once, never its repeats, so the
    // cases on held keys are not this driver's.
    screenshot: async (id) => Buffer.from(await driver.findElement(By.id(id)).takeScreenshot(), 'base64'),
    addScript: (source) => driver.executeScript(source),
    closeTab: () => driver.close(),
    // After its page process crashed, the driver once kept the suite from ending for minutes
    // after its last case: each step of closing gets a while, then the next, harder one, and the
    // browser's output, which it shares, is let go.
    async close() {
      const grace = (ms) => sleep(ms, false, { ref: false });  // keeps no one waiting
      await Promise.race([driver.quit().catch(() => {}), grace(10_000)]);
      if (driverProcess.exitCode === null) driverProcess.kill();
      if (!(await Promise.race([exited.then(() => true), grace(5_000)]))) driverProcess.kill('SIGKILL');
      driverProcess.stderr.destroy();
    },
  };
}

makeWebKit.serverOptions = {
  extras: { [RECORDER_PATH]: { type: 'text/javascript; charset=utf-8', body: recorder } },
  inject: [RECORDER_PATH],
};

module.exports = makeWebKit;
