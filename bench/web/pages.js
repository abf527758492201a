'use strict';
// The benchmark's pages, opened and started as a user would: the drill with its settings typed,
// and the bare page beside it.
const fs = require('node:fs');
const path = require('node:path');
const { setTimeout: sleep } = require('node:timers/promises');

async function waitFor(t, fn, arg, what, timeout = 120_000, every = 25) {
  const until = Date.now() + timeout;
  for (;;) {
    const got = await t.evaluate(fn, arg);
    if (got) return got;
    if (Date.now() > until) throw new Error(`timed out waiting for ${what}`);
    await sleep(every);
  }
}

const firstStep = () => __lv.rec.events.some((e) => e.what === 'syllable');

async function retype(t, id, text) {
  await t.click(`#${id}`);
  await waitFor(t, (i) => document.activeElement?.id === i, id, `the focus in ${id}`);
  await t.press('Control+a');
  await t.type(text);
  await waitFor(t, ([i, v]) => document.getElementById(i).value === v, [id, text], `${id} to read ${text}`);
}

// Opens the drill, sets the interval and no speed-up (so every series has the same nominal
// frames), and presses Alt+S.
async function startDrill(t, base, interval, frames) {
  await t.open(base + (frames ? '?frames' : '?noframes'));
  await waitFor(t, () => __lv.shownWindows().join() === 'frm_hoofd' && __lv.focused() === 'frm_hoofd-txt_start',
    null, 'the settings window');
  await retype(t, 'frm_hoofd-txt_start', String(interval));
  await retype(t, 'frm_hoofd-txt_speed', '0');
  await t.press('Alt+s');
  await waitFor(t, () => __lv.shownWindows().join() === 'frm_werk', null, 'the exercise window');
}

async function startBare(t, base, interval, frames) {
  await t.open(`${base}bare.html?interval=${interval}${frames ? '' : '&noframes'}`);
  await waitFor(t, () => document.readyState === 'complete', null, 'the bare page');
  await t.press('Alt+s');
}

// The bare page, served beside the site.
function bareExtras() {
  return { '/bare.html': { type: 'text/html; charset=utf-8', body: fs.readFileSync(path.join(__dirname, 'bare.html')) } };
}

module.exports = { waitFor, firstStep, startDrill, startBare, bareExtras };
