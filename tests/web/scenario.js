'use strict';
// What a user does with the page and what they must see, written once for every browser. Each
// case gets a driver adapter (see adapters/) that opens the page, evaluates in it, presses keys
// and clicks. A case that needs more than every driver offers (keys held down, the accessibility
// tree, screenshots, window sizes, the request log, the DevTools protocol) names those parts of
// the adapter, and every browser runs every case its adapter can drive. Each adapter also gets
// `site`, the server's control, which can stop and start it again on the same address and serve
// other files in place of the site's. tests/web/check-site.js runs the cases on the app as a whole
// against a site unpacked from the web zip.
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { describe, it, before, after } = require('node:test');
const { startServer } = require('./server');

const SITE = process.env.LV_SITE;
const WAIT = 45_000; // for anything the page should do at once

const CONSONANTS = 'b d f g h j k l m n p r s t v w z'.split(' ');
const VOWELS = 'a e i o u ui eu aa oo ie ei au ee uu ij ou'.split(' ');
const SYLLABLE = new RegExp(`^(${CONSONANTS.join('|')})(${VOWELS.join('|')})$`);

const SHORT_REST = 3500;
const LONG_REST = 5500;
// The picture comes and goes on frames and stays as long as its ticks are apart, to within half a
// frame (60 Hz here) by the frames' time stamps; the page notes each change when its frame's
// callbacks run, which under load may be up to a frame after the stamp.
const REST_SLACK = 1.5 * (1000 / 60);

const settingsControls = ['Label1', 'txt_start', 'Label3', 'Label2', 'txt_speed', 'Label4', 'cmd_start', 'cmd_exit']
  .map((n) => `frm_hoofd-${n}`);
const exerciseControls = ['cmd_exit', 'Label1', 'Label3', 'Label4', 'Label5', 'Command1', 'Command2']
  .map((n) => `frm_werk-${n}`);

// ---- what a case needs of the driver ----

// A case that needs these parts of the adapter besides opening, evaluating, pressing, typing and
// clicking; a browser whose adapter lacks one of them skips it.
const needs = (parts, run) => Object.assign(run, { needs: parts });
// A case on the app as a whole (installing it, working offline, privacy, accessibility), which
// tests/web/check-site.js also runs on the web zip.
const ofTheApp = (parts, run) => Object.assign(needs(parts, run), { ofTheApp: true });
// The parts of `adapter` a case needs that it lacks.
const lacking = (run, adapter) => (run.needs ?? []).filter((part) => !adapter[part]);

// ---- reading and waiting ----

// With acrossPages, the page may go and another come meanwhile: asking between the two is no
// failure.
async function waitFor(t, fn, arg, what, timeout = WAIT, { acrossPages = false } = {}) {
  const until = Date.now() + timeout;
  let last;
  for (;;) {
    try {
      last = await t.evaluate(fn, arg);
    } catch (e) {
      if (!acrossPages || Date.now() > until) {
        throw new assert.AssertionError({ message: `${e.message}, while waiting for ${what}` });
      }
      last = undefined;
    }
    if (last) return last;
    if (Date.now() > until) {
      const errors = await t.evaluate(() => window.__lv?.rec.errors ?? []).catch(() => []);
      assert.fail(`timed out after ${timeout / 1000} s waiting for ${what}` + (errors.length ? `; uncaught in the page: ${errors.join('; ')}` : ''));
    }
    await new Promise((r) => setTimeout(r, 25)); // poll, not a wait for time to pass
  }
}

const look = (t) =>
  t.evaluate(() => ({
    windows: __lv.shownWindows(),
    title: document.title,
    focused: __lv.focused(),
    start: __lv.value('frm_hoofd-txt_start'),
    speed: __lv.value('frm_hoofd-txt_speed'),
    stopped: __lv.visible('stopped'),
    dialog: !!document.getElementById('message')?.open,
  }));

async function openReady(t) {
  await t.open();
  // Opened as in a new tab, where the tab's history holds this page alone.
  assert.equal(await t.evaluate(() => history.length), 1, 'the page is alone in its tab\'s history');
  await waitFor(
    t,
    () => __lv.shownWindows().join() === 'frm_hoofd' && __lv.focused() === 'frm_hoofd-txt_start',
    null,
    'the settings window with the focus in "Geef start interval"',
  );
}

async function waitFocus(t, id) {
  await waitFor(t, (want) => __lv.focused() === want, id, `the focus on ${id}`);
}

// Replaces a field's text as a user would: into the field, select all, type.
async function retype(t, id, text) {
  await t.click(`#${id}`);
  await waitFocus(t, id);
  await t.press('Control+a');
  if (text) await t.type(text);
  else await t.press('Backspace');
  await waitFor(t, ([i, v]) => __lv.value(i) === v, [id, text], `${id} to read "${text}"`);
}

async function startExercise(t) {
  await t.press('Alt+s');
  await waitFor(t, () => __lv.shownWindows().join() === 'frm_werk', null, 'the exercise window');
}

// The n-th syllable shown since the last Alt+S, with what "tijd" and "reeks" read then.
async function waitShow(t, n) {
  return waitFor(
    t,
    (k) => __lv.rec.events.filter((e) => e.what === 'syllable' && e.value)[k - 1]?.state,
    n,
    `syllable ${n}`,
  );
}

// The title bar: its caption, and the close box kept out of the tab order.
const frameOf = (t, win) =>
  t.evaluate((id) => {
    const w = document.querySelector(`section.window#${id}`);
    return w && { caption: w.querySelector('.caption')?.textContent.trim(), close: w.querySelector('button.close')?.tabIndex };
  }, win);

async function checkNoPageErrors(t) {
  const { errors, violations } = await t.evaluate(() => window.__lv?.rec ?? { errors: ['the recorder is missing'], violations: [] });
  assert.deepEqual(errors, [], 'uncaught errors in the page');
  assert.deepEqual(violations, [], 'what the page\'s Content-Security-Policy refused');
}

// ---- the app's service worker, and what the page keeps ----

// The site's files, all of which the worker must keep, besides the worker itself.
const siteFiles = () => fs.readdirSync(SITE).filter((f) => f !== 'sw.js').sort();

// Every cache of the origin, by name, with the addresses it holds.
const cachesOf = (t) =>
  t.evaluate(async () => {
    const all = {};
    for (const name of await caches.keys()) all[name] = (await (await caches.open(name)).keys()).map((r) => r.url);
    return all;
  });

// The worker becomes active only once it has every file in its cache. Every cache there is must
// be one of this copy of the app's, holding exactly the site's files.
async function waitOffline(t) {
  await waitFor(t, () => navigator.serviceWorker.getRegistration().then((r) => !!r?.active), null, 'the service worker to be active');
  const scope = await t.evaluate(() => navigator.serviceWorker.getRegistration().then((r) => r.scope));
  const kept = await cachesOf(t);
  assert.ok(Object.keys(kept).length > 0, 'a cache of the app\'s files');
  for (const [name, urls] of Object.entries(kept)) {
    assert.ok(name.startsWith(`lettervonk ${scope} `), `the cache "${name}" is named after the app and its folder`);
    const files = urls.map((u) => (u.startsWith(scope) ? u.slice(scope.length) : u)).sort();
    assert.deepEqual(files, siteFiles(), `the cache "${name}" holds the site's files`);
  }
  return { scope, kept };
}

async function waitStopped(t) {
  await waitFor(t, () => __lv.visible('stopped'), null, '"Lettervonk is gestopt."');
}

// ---- the drill's rhythm, from the recorded events ----

// Splits the recorded changes into series: the 21 steps of each (ten syllables shown and
// hidden, then the picture) and the rest's end. A syllable or picture that a drill closed
// before left shown is hidden as the next one starts: that is not a step.
function seriesOf(events) {
  const all = [];
  let cur = { marks: [], shows: [] };
  let begun = false;
  for (const e of events) {
    if (!begun && !e.value && (e.what === 'syllable' || e.what === 'picture')) continue;
    if (e.what === 'syllable' || e.what === 'picture') begun = true;
    if (e.what === 'syllable') {
      assert.ok(cur.restStart === undefined, `a syllable ${e.value ? 'shown' : 'hidden'} during the rest of series ${all.length + 1}`);
      cur.marks.push({ t: e.t, kind: e.value ? 'show' : 'hide' });
      if (e.value) cur.shows.push({ t: e.t, ...e.state });
    } else if (e.what === 'picture' && e.value) {
      assert.equal(e.state.syllable, false, 'the syllable is hidden while the rest picture shows');
      cur.restStart = e.t;
      cur.marks.push({ t: e.t, kind: 'rest' });
    } else if (e.what === 'picture' && !e.value) {
      assert.ok(cur.restStart !== undefined, 'the picture hidden without having been shown');
      cur.restEnd = e.t;
      all.push(cur);
      cur = { marks: [], shows: [] };
    } else if (e.what === 'window' && !e.value) {
      break;
    }
  }
  if (cur.marks.length) all.push(cur);
  return all;
}

// Checks `full` whole series and rests and the start of the next one against the drill's
// rules: shapes, counts, readings, rest lengths, and that no step comes before its tick.
function checkRhythm(rec, { interval, step, full, slack }) {
  assert.ok(rec.origin !== null, 'the Alt+S keydown was seen');
  const series = seriesOf(rec.events);
  assert.ok(series.length >= full + 1, `${full} series and the start of the next were recorded (got ${series.length})`);
  const pattern = [...Array(10)].flatMap(() => ['show', 'hide']).concat('rest');
  let base = rec.origin;
  let I = interval;
  const late = []; // how long after its nominal tick each step came, for the log
  const rests = [];
  for (let s = 0; s <= full; s++) {
    const { marks, shows, restStart, restEnd } = series[s];
    const name = `series ${s + 1}`;
    const whole = s < full;
    if (whole) assert.deepEqual(marks.map((m) => m.kind), pattern, `${name}: ten syllables shown and hidden, then the rest`);
    else assert.deepEqual(marks.map((m) => m.kind), pattern.slice(0, marks.length), `${name}: starts with a syllable`);
    shows.forEach((sh, i) => {
      assert.match(sh.text, SYLLABLE, `${name}, syllable ${i + 1}: a consonant and a vowel sound`);
      assert.equal(sh.reeks, String((s % 3) + 1), `${name}, syllable ${i + 1}: "reeks"`);
      assert.equal(sh.tijd, String(I), `${name}, syllable ${i + 1}: "tijd"`);
    });
    marks.forEach((m, i) => {
      const due = base + ((i + 1) * I) / 2;
      late.push(m.t - due);
      assert.ok(m.t >= due - slack, `${name}, step ${i + 1} (${m.kind}) came ${(due - m.t).toFixed(2)} ms before its tick`);
    });
    if (!whole) break;
    const long = s % 3 === 2;
    const rest = long ? LONG_REST : SHORT_REST;
    const restDue = base + (21 * I) / 2 + rest;
    assert.ok(restEnd >= restDue - slack, `${name}: the rest ended ${(restDue - restEnd).toFixed(2)} ms before its tick`);
    const length = restEnd - restStart;
    rests.push(length);
    late.push(restEnd - restDue);
    assert.ok(length >= rest - REST_SLACK, `${name}: the ${long ? 'long' : 'short'} rest lasted ${length.toFixed(1)} ms`);
    if (!long) assert.ok(length < LONG_REST, `${name}: a short rest, not a long one (${length.toFixed(1)} ms)`);
    base = restDue;
    if (long) I = Math.max(step, I - step);
  }
  late.sort((a, b) => a - b);
  const ms = (x) => x.toFixed(1);
  return {
    series,
    summary: `${late.length} steps came ${ms(late[0])} to ${ms(late[late.length - 1])} ms (median ${ms(late[late.length >> 1])}) ` +
      `after their nominal ticks; rests lasted ${rests.map(ms).join(', ')} ms`,
  };
}

// ---- the cases ----

const cases = {
  'the settings window opens ready, with its values and the focus in the first field': async (t) => {
    await openReady(t);
    assert.deepEqual(await look(t), {
      windows: ['frm_hoofd'], title: 'Form1', focused: 'frm_hoofd-txt_start',
      start: '2000', speed: '100', stopped: false, dialog: false,
    });
    // Its text selected, to be typed over, as in a dialog box.
    assert.deepEqual(await t.evaluate(() => [document.activeElement.selectionStart, document.activeElement.selectionEnd]), [0, 4]);
    const seen = await t.evaluate((ids) => ids.map((id) => [id, __lv.visible(id), __lv.text(id)]), settingsControls);
    const texts = Object.fromEntries(seen.map(([id, , text]) => [id.split('-')[1], text]));
    for (const [id, shown] of seen) assert.ok(shown, `${id} is shown`);
    assert.equal(texts.Label1, 'Geef start interval');
    assert.equal(texts.Label2, 'Geef versnelling');
    assert.equal(texts.Label3, 'Mili seconden');
    assert.equal(texts.Label4, 'Mili seconden');
    assert.equal(texts.cmd_start, 'Start');
    assert.equal(texts.cmd_exit, 'Einde');
    // The access keys are marked: the first letter underlined, the rest not.
    const underline = await t.evaluate((ids) => ids.map((id) => {
      const el = document.getElementById(id);
      const walker = document.createTreeWalker(el, NodeFilter.SHOW_TEXT);
      const marked = (node) => {
        for (let e = node.parentElement; e; e = e === el ? null : e.parentElement) {
          if (getComputedStyle(e).textDecorationLine.includes('underline')) return true;
        }
        return false;
      };
      const letters = [];
      for (let n = walker.nextNode(); n; n = walker.nextNode()) {
        for (const ch of n.data.trim()) letters.push([ch, marked(n)]);
      }
      return letters.filter(([, m]) => m).map(([c]) => c).join('');
    }), ['frm_hoofd-cmd_start', 'frm_hoofd-cmd_exit']);
    assert.deepEqual(underline, ['S', 'E'], 'the underlined letters of "Start" and "Einde"');
    assert.deepEqual(await frameOf(t, 'frm_hoofd'), { caption: 'Form1', close: -1 });
    // Tab goes through the settings window in reading order.
    for (const id of ['frm_hoofd-txt_speed', 'frm_hoofd-cmd_start', 'frm_hoofd-cmd_exit']) {
      await t.press('Tab');
      await waitFocus(t, id);
    }
    await checkNoPageErrors(t);
  },

  'a bad value gets a message naming its field and a second chance': async (t) => {
    await openReady(t);
    const message = async (field, prompt, typed) => {
      await t.press('Alt+s');
      const box = await waitFor(t, () => {
        const d = document.getElementById('message');
        return d?.open && document.activeElement?.closest('dialog') === d && {
          modal: d.matches(':modal'),
          heading: d.querySelector('h2')?.textContent.trim(),
          text: d.textContent.replace(/\s+/g, ' '),
          focused: document.activeElement.tagName + ':' + document.activeElement.textContent.trim(),
        };
      }, null, `the message about ${field}`);
      assert.equal(box.modal, true, 'the message is modal');
      assert.equal(box.heading, 'Lettervonk');
      assert.equal(box.focused, 'BUTTON:OK', 'OK has the focus');
      assert.ok(box.text.includes(prompt), `the message names "${prompt}": ${box.text}`);
      if (typed) assert.ok(box.text.includes(typed), `the message quotes "${typed}": ${box.text}`);
      assert.deepEqual((await look(t)).windows, ['frm_hoofd'], 'still in the settings window');
      await t.press('Enter');
      // The browser gives the focus back as the message closes, with the caret where it was; the
      // program then selects the field's text (from its start).
      const after = await waitFor(t, (id) => !document.getElementById('message').open && __lv.focused() === id &&
        document.activeElement.selectionStart === 0 && {
        start: __lv.value('frm_hoofd-txt_start'),
        speed: __lv.value('frm_hoofd-txt_speed'),
        selected: [document.activeElement.selectionStart, document.activeElement.selectionEnd],
        windows: __lv.shownWindows(),
      }, field, `the focus back in ${field}`);
      return after;
    };

    await retype(t, 'frm_hoofd-txt_start', '20x0');
    let after = await message('frm_hoofd-txt_start', 'Geef start interval', '20x0');
    assert.deepEqual(after, { start: '20x0', speed: '100', selected: [0, 4], windows: ['frm_hoofd'] });
    await t.type('200'); // over the selection
    await retype(t, 'frm_hoofd-txt_speed', '');
    after = await message('frm_hoofd-txt_speed', 'Geef versnelling', null);
    assert.deepEqual(after, { start: '200', speed: '', selected: [0, 0], windows: ['frm_hoofd'] });
    await t.type('100');
    await startExercise(t);
    const first = await waitShow(t, 1);
    assert.equal(first.tijd, '200', 'the corrected start interval is the one used');
    await checkNoPageErrors(t);
  },

  'Alt+S opens the exercise window with "Einde" focused': async (t) => {
    await openReady(t);
    await startExercise(t);
    await waitFocus(t, 'frm_werk-cmd_exit');
    const seen = await look(t);
    assert.equal(seen.title, 'Lettervonk');
    assert.equal(seen.stopped, false);
    const shown = await t.evaluate((ids) => ids.filter((id) => !__lv.shown(id)), exerciseControls);
    assert.deepEqual(shown, [], 'controls of the exercise window not shown');
    assert.equal(await t.evaluate(() => __lv.text('frm_werk-cmd_exit')), 'Einde');
    assert.deepEqual(await frameOf(t, 'frm_werk'), { caption: 'Lettervonk', close: -1 });
    assert.deepEqual((await t.evaluate(() => __lv.state())).picture, false, 'no rest picture at the start');
    for (const id of ['frm_werk-Command1', 'frm_werk-Command2']) {
      await t.press('Tab');
      await waitFocus(t, id);
    }
    await checkNoPageErrors(t);
  },

  // Three series at 200 ms show every rule once: the short rests, the long one, the speed-up.
  'at 200 ms: series of ten syllables, rests, "reeks" and "tijd", no step early': (t) => rhythm(t, 3),
  // Long tasks of the page's own (a slow Chromebook, a page busy elsewhere) hold back ticks that
  // the drill then makes up: each syllable still comes and goes, in order, none early.
  'a page that stalls now and then loses no syllable': (t) => rhythm(t, 1, { stallEvery: 730, stallFor: 90 }),

  // A cheap Chromebook: with the CPU six times slower, every syllable is still painted, in a frame
  // of its own, and none comes before its tick.
  'on a CPU six times slower every syllable is painted': needs(['slowCpu'], async (t) => {
    await t.slowCpu(6);
    try {
      await rhythm(t, 1, { frames: true });
    } finally {
      await t.slowCpu(1);
    }
  }),

  'the pace buttons shorten and lengthen the interval': async (t) => {
    await openReady(t);
    await retype(t, 'frm_hoofd-txt_start', '1000');
    await startExercise(t);
    assert.equal((await waitShow(t, 1)).tijd, '1000');
    // Each click shows in "tijd" from a step after it on, and stays. A step may come between two
    // clicks and show the first alone.
    const tijdBecomes = async (passed, want) => {
      const now = await waitFor(t, (p) => !p.includes(__lv.state().tijd) && __lv.state().tijd, passed,
        `"tijd" to change from ${passed.join(' or ')}`);
      assert.equal(now, want, `"tijd" after the click${want === '1100' ? 's' : ''}`);
      const shows = await t.evaluate(() => __lv.rec.events.filter((e) => e.what === 'syllable' && e.value).length);
      assert.equal((await waitShow(t, shows + 1)).tijd, want, `"tijd" still ${want} at the next syllable`);
    };
    await t.click('#frm_werk-Command1');
    await tijdBecomes(['1000'], '900');
    await t.click('#frm_werk-Command2');
    await t.click('#frm_werk-Command2');
    await tijdBecomes(['900', '1000'], '1100');
    await checkNoPageErrors(t);
  },

  'the close box brings the settings back, and Start begins afresh': async (t) => {
    await openReady(t);
    await retype(t, 'frm_hoofd-txt_start', '600');
    await retype(t, 'frm_hoofd-txt_speed', '50');
    await startExercise(t);
    await waitShow(t, 2);
    await t.click('#frm_werk button.close');
    await waitFor(t, () => __lv.shownWindows().join() === 'frm_hoofd', null, 'the settings window back');
    const seen = await look(t);
    assert.deepEqual([seen.title, seen.start, seen.speed, seen.stopped], ['Form1', '600', '50', false]);
    await startExercise(t);
    const first = await waitShow(t, 1);
    assert.deepEqual([first.reeks, first.tijd], ['1', '600'], 'a fresh drill from the first series');
    const steps = seriesOf(await t.evaluate(() => __lv.rec.events))[0].marks;
    assert.equal(steps[0].kind, 'show', 'the fresh drill starts with a syllable, not where the last one stopped');
    await checkNoPageErrors(t);
  },

  'a drill keeps one timer set while it runs, none rings before its time, none is left once closed': async (t) => {
    await openReady(t);
    // A driver may set a timer of its own in the page while it runs a script there (WebKit's
    // does): counted with the settings window shown, it is no timer of the drill's.
    const drivers = await t.evaluate(() => __lv.timersSet());
    await retype(t, 'frm_hoofd-txt_start', '200');
    await startExercise(t);
    for (let n = 1; n <= 10; n++) {
      await waitShow(t, n);
      // The pacing timer's alarm; the rest's is silent during a series.
      const set = await t.evaluate(() => __lv.timersSet()) - drivers;
      assert.ok(set <= 1, `${set} page timers set at syllable ${n}`);
    }
    const early = await t.evaluate(() => __lv.rec.timerEarly);
    // The clock's own step apart, and Chromium's coarsening of it.
    assert.ok(early <= t.clockSlack + 0.2, `a page timer ran ${early.toFixed(2)} ms before the moment it asked for`);
    await t.click('#frm_werk button.close');
    await waitFor(t, () => __lv.shownWindows().join() === 'frm_hoofd', null, 'the settings window back');
    await waitFor(t, (n) => __lv.timersSet() === n, drivers, 'no page timer left set');
    await checkNoPageErrors(t);
  },


  // A held key acts only in the window it went down in, and never by its repeats; the page's own
  // button after the end goes by the same rules as the program's.
  'a held Enter and bare letters press nothing more, nor does Enter held on "Einde"': needs(['keyDown', 'keyUp'], async (t) => {
    await openReady(t);
    await t.press('Tab');
    await t.press('Tab');
    await waitFocus(t, 'frm_hoofd-cmd_start');
    // Letters alone: neither "Start" nor "Einde".
    await t.press('e');
    await t.press('s');
    await t.press('Tab'); // as a marker: the letters were handled before it
    await waitFor(t, () => __lv.focused() !== 'frm_hoofd-cmd_start' || __lv.shownWindows().join() !== 'frm_hoofd', null, 'the Tab after the letters');
    let seen = await look(t);
    assert.deepEqual([seen.windows, seen.stopped, seen.focused, seen.start, seen.speed], [['frm_hoofd'], false, 'frm_hoofd-cmd_exit', '2000', '100']);
    await t.press('Shift+Tab');
    await waitFocus(t, 'frm_hoofd-cmd_start');

    // Enter goes down on "Start" and is held: it repeats and comes up in the exercise window,
    // on "Einde", which it must not press.
    await t.keyDown('Enter');
    await waitFor(t, () => __lv.shownWindows().join() === 'frm_werk' && __lv.focused() === 'frm_werk-cmd_exit', null, 'the exercise window, "Einde" focused');
    for (let i = 0; i < 3; i++) await t.keyDown('Enter');
    await t.keyUp('Enter');
    await t.press('e');
    const keys = await t.evaluate(() => __lv.rec.keys.filter((k) => k.key === 'Enter').map((k) => k.repeat));
    assert.deepEqual(keys, [false, true, true, true], 'the page saw Enter go down once and repeat');
    // The first syllable comes half an interval after the start, after these keys were handled.
    await waitFor(t, () => __lv.state().syllable || __lv.shownWindows().join() !== 'frm_werk', null, 'the first syllable');
    seen = await look(t);
    assert.deepEqual([seen.windows, seen.stopped, seen.focused], [['frm_werk'], false, 'frm_werk-cmd_exit']);

    // Enter held on "Einde" ends the program, and its repeats fall on "Opnieuw starten": a page
    // that begins to go would note it at once.
    await t.evaluate(() => {
      window.__lvThisPage = true;
      addEventListener('beforeunload', () => { window.__lvLeaving = true; });
    });
    await t.keyDown('Enter');
    await waitStopped(t);
    await waitFocus(t, 'restart');
    for (let i = 0; i < 3; i++) await t.keyDown('Enter');
    await t.keyUp('Enter');
    const still = await t.evaluate(() => ({
      page: window.__lvThisPage === true && !window.__lvLeaving, stopped: __lv.visible('stopped'), windows: __lv.shownWindows(),
    })).catch((e) => ({ page: false, error: e.message }));
    assert.deepEqual(still, { page: true, stopped: true, windows: [] }, 'after the repeats and the release');
    // A press of its own starts afresh.
    await t.press('Enter');
    await waitFor(t, () => !window.__lvThisPage && __lv.shownWindows().join() === 'frm_hoofd', null, 'a fresh run',
      WAIT, { acrossPages: true });
    await checkNoPageErrors(t);
  }),

  // As on the desktop, the message's one button keeps the focus until it is pressed.
  'a click beside the message box leaves "OK" focused, and Enter answers it': async (t) => {
    await openReady(t);
    await retype(t, 'frm_hoofd-txt_start', '2x');
    await t.press('Alt+s');
    const okFocused = () => document.getElementById('message').open &&
      document.activeElement === document.querySelector('#message button');
    await waitFor(t, okFocused, null, 'the message, "OK" focused');
    for (const beside of ['#message p', '#message h2']) {
      await t.click(beside);
      assert.ok(await t.evaluate(okFocused), `"OK" still focused after a click on ${beside}`);
    }
    await t.press('Tab');
    assert.ok(await t.evaluate(okFocused), '"OK" still focused after Tab');
    await t.press('Enter');
    await waitFor(t, () => !document.getElementById('message').open && __lv.focused() === 'frm_hoofd-txt_start',
      null, 'the message answered, the field focused again');
    await checkNoPageErrors(t);
  },

  'Einde ends the program, from either window, and it can be started again': async (t) => {
    const stopped = async () => {
      await waitFor(t, () => __lv.visible('stopped'), null, '"Lettervonk is gestopt."');
      const seen = await look(t);
      assert.deepEqual(seen.windows, [], 'no window left');
      assert.match(await t.evaluate(() => __lv.text('stopped')), /^Lettervonk is gestopt\. ?Opnieuw starten$/);
    };
    await openReady(t);
    await startExercise(t);
    await waitShow(t, 1);
    await t.press('Alt+e');
    await stopped();
    await t.click('#stopped button');
    await waitFor(t, () => __lv.shownWindows().join() === 'frm_hoofd' && __lv.focused() === 'frm_hoofd-txt_start', null, 'a fresh run');
    assert.deepEqual(await look(t), {
      windows: ['frm_hoofd'], title: 'Form1', focused: 'frm_hoofd-txt_start',
      start: '2000', speed: '100', stopped: false, dialog: false,
    });
    await t.press('Alt+e');
    await stopped();
    await openReady(t);
    await t.click('#frm_hoofd button.close');
    await stopped();
    await checkNoPageErrors(t);
  },


  'screen readers name the fields after their prompts': needs(['accessibilityTree'], async (t) => {
    await openReady(t);
    const nodes = await t.accessibilityTree();
    const named = (role) => nodes.filter((n) => n.role === role && !n.ignored).map((n) => [n.name, n.value]);
    assert.deepEqual(named('textbox'), [['Geef start interval', '2000'], ['Geef versnelling', '100']]);
    const buttons = named('button').map(([n]) => n);
    for (const name of ['Start', 'Einde', 'Sluiten']) assert.ok(buttons.includes(name), `a button named "${name}" in ${JSON.stringify(buttons)}`);
  }),

  'every control is inside the window at common screen sizes': needs(['setViewport'], async (t) => {
    // With `during` ('syllable', 'picture'), the places are read in the same turn of the page as
    // the one that finds it shown: a syllable at 200 ms shows for only 100 ms.
    const inside = async (selectors, where, during) => {
      const places = await waitFor(t, ([list, state]) => (!state || __lv.state()[state]) && list.map((sel) => [sel, __lv.place(sel)]),
        [selectors, during ?? null], `${where}${during ? `, a ${during} shown` : ''}`);
      for (const [sel, p] of places) {
        assert.ok(p, `${sel} exists, ${where}`);
        const box = `${sel} at ${Math.round(p.left)},${Math.round(p.top)}-${Math.round(p.right)},${Math.round(p.bottom)} in ${p.width}x${p.height}, ${where}`;
        assert.ok(p.visible, `${box}: shown`);
        assert.ok(p.left >= 0 && p.top >= 0 && p.right <= p.width && p.bottom <= p.height, `${box}: inside the viewport`);
        assert.ok(p.onTop, `${box}: not covered`);
      }
    };
    const ids = (list) => list.map((id) => `#${id}`);
    const frame = (win) => [`#${win}`, `#${win} .caption`, `#${win} button.close`];
    for (const [width, height] of [[1366, 657], [1280, 720], [1024, 768], [768, 1024], [390, 844]]) {
      await t.setViewport(width, height);
      const where = `${width}x${height}`;
      await openReady(t);
      await inside([...frame('frm_hoofd'), ...ids(settingsControls)], `${where}, settings`);
      await retype(t, 'frm_hoofd-txt_start', '200');
      await startExercise(t);
      // With a syllable up, "tijd" and "reeks" have their text too.
      await inside([...frame('frm_werk'), ...ids(exerciseControls), '#frm_werk-txt_string'], `${where}, exercise`, 'syllable');
      await inside(['#frm_werk-Picture1'], `${where}, the rest`, 'picture');
    }
    // While it shows, the picture takes its turn in the tab order, after "Einde".
    await waitFocus(t, 'frm_werk-cmd_exit');
    for (const id of ['frm_werk-Picture1', 'frm_werk-Command1']) {
      await t.press('Tab');
      await waitFocus(t, id);
    }
  }),

  'the focused "Einde" shows its focus when the window opens': needs(['setViewport', 'screenshot'], async (t) => {
    await t.setViewport(1366, 657);
    await openReady(t);
    await startExercise(t);
    await waitFocus(t, 'frm_werk-cmd_exit');
    const focused = await t.screenshot('frm_werk-cmd_exit');
    await t.press('Tab');
    await waitFocus(t, 'frm_werk-Command1');
    const unfocused = await t.screenshot('frm_werk-cmd_exit');
    assert.ok(!focused.equals(unfocused), 'the button looks the same with the focus as without it');
    await t.press('Shift+Tab');
    await waitFocus(t, 'frm_werk-cmd_exit');
    assert.ok(!(await t.screenshot('frm_werk-cmd_exit')).equals(unfocused), 'the focus shown again on coming back');
  }),
};

// The cases on the app as a whole: installing, working offline, updating, privacy, accessibility.
Object.assign(cases, {
  'the page is installable as an app': ofTheApp(['cdp'], async (t) => {
    await openReady(t);
    await waitOffline(t);
    const manifest = await t.cdp('Page.getAppManifest', {});
    assert.deepEqual(manifest.errors, [], `the manifest ${manifest.url} reads without errors`);
    const { installabilityErrors } = await t.cdp('Page.getInstallabilityErrors', {});
    assert.deepEqual(installabilityErrors, [], 'what Chromium holds against installing it');
  }),

  // The server stops after the first visit: the page, the program and the picture must all come
  // from the worker's cache.
  'after one visit it starts with no network and runs a series': ofTheApp([], async (t) => {
    await openReady(t);
    await waitOffline(t);
    await t.site.stop();
    try {
      await rhythm(t, 1);
      assert.ok(await t.evaluate(() => !!navigator.serviceWorker.controller), 'the page is the worker\'s');
    } finally {
      await t.site.start();
    }
  }),

  // A new version of the site is noticed during a drill: its worker installs beside the old one
  // and waits, the drill goes on undisturbed, and the new version is used from the next start.
  'a new version waits for the next start, never changing a drill under way': ofTheApp(['closeTab', 'workerUpdates'], async (t) => {
    await openReady(t);
    await waitOffline(t);
    await openReady(t); // now the worker's page
    const sw = fs.readFileSync(path.join(SITE, 'sw.js'), 'utf8');
    const version = sw.match(/^const VERSION = '([^']+)';$/m)[1];
    const next = `${version}-next`;
    await retype(t, 'frm_hoofd-txt_start', '200');
    await startExercise(t);
    await waitShow(t, 1);
    t.site.extras['/sw.js'] = { type: 'text/javascript; charset=utf-8', body: sw.replace(`'${version}'`, `'${next}'`) };
    try {
      await t.evaluate(() => {
        window.__lvControllers = 0;
        navigator.serviceWorker.addEventListener('controllerchange', () => window.__lvControllers++);
        navigator.serviceWorker.getRegistration().then((r) => r.update()).catch(() => {});
      });
      await waitFor(t, () => navigator.serviceWorker.getRegistration().then((r) => !!r.waiting), null, 'the new version installed and waiting');
      // The drill runs on through its rest into the next series, on the old version.
      await waitFor(t, () => __lv.rec.events.some((e) => e.what === 'picture' && !e.value), null, 'the end of the first rest');
      await waitShow(t, 11);
      const during = await t.evaluate(() => navigator.serviceWorker.getRegistration().then(async (r) => ({
        installing: r.installing?.state, waiting: r.waiting?.state, active: r.active?.state,
        controllerChanges: window.__lvControllers, caches: (await caches.keys()).length,
      })));
      assert.deepEqual(during, { installing: undefined, waiting: 'installed', active: 'activated', controllerChanges: 0, caches: 2 },
        'during the drill: the new worker waits, the page keeps its worker, both versions are kept');
      const rec = await t.evaluate(() => __lv.rec);
      checkRhythm(rec, { interval: 200, step: 100, full: 1, slack: t.clockSlack });
      await checkNoPageErrors(t);

      // The next start: the tab closed and the app opened again.
      await t.closeTab();
      await openReady(t);
      const { scope } = await waitOffline(t);
      await waitFor(t, (name) => caches.keys().then((k) => k.join() === name), `lettervonk ${scope} ${next}`, 'the new version\'s cache alone')
        .catch(async (e) => {
          const seen = await t.evaluate(() => navigator.serviceWorker.getRegistration().then(async (r) => ({
            caches: await caches.keys(), active: r.active?.state, waiting: r.waiting?.state, installing: r.installing?.state,
          })));
          e.message += `: ${JSON.stringify(seen)}`;
          throw e;
        });
      assert.ok(await t.evaluate(() => !!navigator.serviceWorker.controller), 'the page is the new worker\'s');
    } finally {
      delete t.site.extras['/sw.js'];
    }
  }),

  'a whole drill keeps to its own files and leaves nothing stored': ofTheApp(['requests', 'cookies'], async (t) => {
    const asked = t.requests().length;
    await rhythm(t, 1);
    await t.press('Alt+e');
    await waitStopped(t);
    await checkNoPageErrors(t);
    const origin = new URL(t.site.url).origin;
    const foreign = t.requests().slice(asked).filter((u) => !u.startsWith('data:') && new URL(u).origin !== origin);
    assert.deepEqual(foreign, [], 'addresses asked for elsewhere than the app\'s own server');
    assert.deepEqual(await t.cookies(), [], 'cookies');
    const kept = await t.evaluate(async () => ({
      cookie: document.cookie,
      localStorage: localStorage.length,
      sessionStorage: sessionStorage.length,
      indexedDB: (await indexedDB.databases()).map((d) => d.name),
      files: navigator.storage.getDirectory
        ? await (async () => { const names = []; for await (const n of (await navigator.storage.getDirectory()).keys()) names.push(n); return names; })()
        : [],
    }));
    assert.deepEqual(kept, { cookie: '', localStorage: 0, sessionStorage: 0, indexedDB: [], files: [] }, 'what the page stored');
    await waitOffline(t); // the caches: the app's own files, and nothing else
  }),

  'the settings window, the exercise window and the message pass an accessibility audit': ofTheApp(['addScript'], async (t) => {
    const audit = async (where) => {
      const found = await t.evaluate(async () => (await axe.run(document, { resultTypes: ['violations'] })).violations
        .map((v) => `${v.id} (${v.impact}): ${v.help}, at ${v.nodes.map((n) => n.target.join(' ')).join('; ')}`));
      assert.deepEqual(found, [], `what axe-core finds in ${where}`);
    };
    await openReady(t);
    await t.addScript(fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8'));
    await audit('the settings window');
    await retype(t, 'frm_hoofd-txt_start', '2x');
    await t.press('Alt+s');
    await waitFor(t, () => document.getElementById('message').open, null, 'the message');
    await audit('the message');
    await t.press('Enter');
    // The focus comes back with the message's closing, the field's text selected a moment later.
    await waitFor(t, () => {
      const field = document.getElementById('frm_hoofd-txt_start');
      return !document.getElementById('message').open && document.activeElement === field &&
        field.selectionStart === 0 && field.selectionEnd === field.value.length;
    }, null, 'the field with its text selected again');
    await t.type('200');
    await startExercise(t);
    await waitShow(t, 1);
    await audit('the exercise window, a syllable shown');
    await waitFor(t, () => __lv.state().picture, null, 'the rest picture');
    await audit('the exercise window at a rest');
    await t.press('Alt+e');
    await waitStopped(t);
    await audit('the page after Einde');
  }),
});

async function rhythm(t, full, { stallEvery = 0, stallFor = 0, frames = false } = {}) {
  await openReady(t);
  if (frames) await t.evaluate(() => __lv.watchFrames());
  await retype(t, 'frm_hoofd-txt_start', '200');
  if (stallEvery) {
    await t.evaluate(([every, span]) => setInterval(() => {
      for (const end = performance.now() + span; performance.now() < end;); // the page held up
    }, every), [stallEvery, stallFor]);
  }
  await startExercise(t);
  const untilSeries = (n) => waitFor(
    t,
    (k) => {
      let rests = 0;
      let next = false;
      for (const e of __lv.rec.events) {
        if (e.what === 'picture' && !e.value) rests++;
        if (e.what === 'syllable' && e.value && rests === k) next = true;
      }
      return rests >= k && next;
    },
    n,
    `the first syllable of series ${n + 1}`,
    WAIT + full * 10_000,
  );
  // The picture, when it first shows, is a picture the browser could decode.
  await waitFor(t, () => __lv.state().picture, null, 'the rest picture', WAIT);
  const img = await t.evaluate(() => {
    const p = document.getElementById('frm_werk-Picture1');
    return { visible: __lv.visible('frm_werk-Picture1'), complete: p.complete, width: p.naturalWidth };
  });
  assert.ok(img.visible && img.complete && img.width > 0, `the rest picture is shown and decoded: ${JSON.stringify(img)}`);
  await untilSeries(full);
  const rec = await t.evaluate(() => __lv.rec);
  const { summary, series } = checkRhythm(rec, { interval: 200, step: 100, full, slack: t.clockSlack });
  console.log(`# ${summary}`);
  if (frames) {
    series.forEach(({ marks }, s) => marks.forEach((m, i) => {
      if (m.kind !== 'show' || !marks[i + 1]) return;
      const painted = rec.frames.filter(([, shown, looked]) => shown && looked > m.t && looked < marks[i + 1].t);
      assert.ok(painted.length > 0, `series ${s + 1}, syllable ${i / 2 + 1}: painted in no frame`);
    }));
  }
  await checkNoPageErrors(t);
}

// A page that closes its own tab takes the driver's next command down with it: say so.
function watchTab(adapter) {
  const watched = { ...adapter };
  for (const name of ['evaluate', 'press', 'type', 'keyDown', 'keyUp', 'click', 'screenshot', 'accessibilityTree', 'addScript', 'closeTab']) {
    if (!adapter[name]) continue;
    watched[name] = async (...args) => {
      try {
        return await adapter[name](...args);
      } catch (e) {
        if (await adapter.isClosed()) {
          const what = typeof args[0] === 'string' ? `${name} ${args[0]}` : name;
          assert.fail(`the page's tab was closed (at ${what}); the program should stay in its tab and say it stopped`);
        }
        throw e;
      }
    };
  }
  return watched;
}

// Serves the site and starts a browser on it. The adapter gets `site`: the server's address,
// stop() and start() (again on the same address, which is the same origin to the browser), and
// extras, files served in place of the site's while they are there.
async function openBrowser(makeAdapter) {
  if (!SITE) throw new Error('LV_SITE must name the built site folder (build/web/site)');
  for (const file of ['index.html', 'lettervonk.js', 'lettervonk.wasm', 'sw.js']) {
    if (!fs.existsSync(path.join(SITE, file))) throw new Error(`${file} is not in ${SITE}: build the site first`);
  }
  const options = { ...makeAdapter.serverOptions };
  options.extras = { ...options.extras };
  let server = await startServer(SITE, options);
  const { url } = server;
  const site = {
    url,
    extras: options.extras,
    async stop() {
      const s = server;
      server = null;
      await s?.close();
    },
    async start() {
      server ??= await startServer(SITE, { ...options, port: Number(new URL(url).port) });
    },
  };
  const open = async () => Object.assign(watchTab(await makeAdapter(url)), { site });
  const browser = {
    adapter: null,
    close: async () => { await browser.adapter?.close(); await site.stop(); },
    // A fresh browser on the same site.
    async reopen() {
      await browser.adapter.close();
      browser.adapter = null;
      browser.adapter = await open();
    },
  };
  try {
    browser.adapter = await open();
  } catch (e) {
    await site.stop();
    throw e;
  }
  return browser;
}

// Runs a case in `browser`. If the browser's own page process crashed meanwhile (WebKitGTK's did
// now and then as it started, in GLib, before the page had run a line), that is no failure of the
// page's: the case runs once more in a fresh browser, and `say` is told why.
async function runCase(run, browser, say) {
  const crashes = () => browser.adapter.crashes?.() ?? 0;
  const before = crashes();
  try {
    return await run(browser.adapter);
  } catch (e) {
    if (crashes() === before) throw e;
    say(`the browser's page process crashed (${e.message.replace(/\s+/g, ' ')}); once more in a fresh browser`);
    await browser.reopen();
    return run(browser.adapter);
  }
}

// Registers every case for one browser: the server and the browser are started once for them
// all, and each case opens the page afresh. A case that needs what the adapter lacks is skipped,
// saying so.
function suite(name, makeAdapter) {
  describe(name, { concurrency: false }, () => {
    let browser;
    before(async () => {
      browser = await openBrowser(makeAdapter);
    });
    after(async () => {
      await browser?.close();
    });
    for (const [title, run] of Object.entries(cases)) {
      it(title, { timeout: 180_000 }, (context) => {
        const missing = lacking(run, browser.adapter);
        if (missing.length) return context.skip(`the driver has no ${missing.join(', ')}`);
        return runCase(run, browser, (why) => context.diagnostic(why));
      });
    }
  });
}

module.exports = { suite, openBrowser, runCase, cases, lacking, checkRhythm, seriesOf };
