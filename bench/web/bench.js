#!/usr/bin/env node
// How faithfully the browser build keeps time, to the frame, beside a bare page that paces the same
// rhythm with a plain 10 ms setTimeout chain, in each engine and on the devices children have;
// what it costs; what a first visit transfers and how long the settings window takes to come up.
// Prints Markdown and writes CSV and an SVG plot.
//
//   node bench/web/bench.js SITE RESULTS_DIR PLOT_SVG
//
// LV_BENCH_CONDITIONS=chromium,webkit picks conditions (the keys of CONDITIONS below; WebKitGTK
// needs an X display); LV_BENCH_QUICK=1 runs fewer series; LV_BENCH_DETAIL=PREFIX writes each
// timing run's events, frames and flashes to PREFIX-*.json.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');
const { Worker } = require('node:worker_threads');
const { setTimeout: sleep } = require('node:timers/promises');
const { startServer } = require('../../tests/web/server');
const { seriesOf } = require('../../tests/web/scenario');
const { waitFor, firstStep, startDrill, startBare, bareExtras } = require('./pages');
const { plotFrames } = require('./plot');
const { processes, cpuSince } = require('./processes');

const [SITE, RESULTS, PLOT] = process.argv.slice(2);
if (require.main === module && (!SITE || !RESULTS || !PLOT)) {
  console.error('usage: node bench/web/bench.js SITE RESULTS_DIR PLOT_SVG');
  process.exit(2);
}
const QUICK = process.env.LV_BENCH_QUICK === '1';
const probe = fs.readFileSync(path.join(__dirname, 'probe.js'), 'utf8');
const ADAPTERS = {
  chromium: require('../../tests/web/adapters/chromium'),
  firefox: require('../../tests/web/adapters/firefox'),
  webkit: require('../../tests/web/adapters/webkit'),
};
// The browsers and devices measured: the engine, its adapter's options, the intervals timed, and
// whether CPU and start-up are measured there too.
const CONDITIONS = {
  chromium: { label: 'Chromium', browser: 'chromium', intervals: [2000, 200], cost: true, starts: true },
  firefox: { label: 'Firefox ESR', browser: 'firefox', intervals: [2000, 200], cost: true },
  webkit: { label: 'WebKitGTK', browser: 'webkit', intervals: [2000, 200] },
  'chromium-cpu4x': { label: 'Chromium, CPU 4x slower', browser: 'chromium', options: { cpuSlowdown: 4 }, intervals: [200] },
  'chromium-cpu6x': { label: 'Chromium, CPU 6x slower', browser: 'chromium', options: { cpuSlowdown: 6 }, intervals: [200] },
  'firefox-30hz': { label: 'Firefox ESR, 30 Hz', browser: 'firefox', options: { prefs: { 'layout.frame_rate': 30 } }, intervals: [200] },
  'firefox-120hz': { label: 'Firefox ESR, 120 Hz', browser: 'firefox', options: { prefs: { 'layout.frame_rate': 120 } }, intervals: [200] },
  'chromium-ipad': {
    label: 'Chromium, iPad size, touch',
    browser: 'chromium',
    options: { device: { viewport: { width: 1024, height: 768 }, deviceScaleFactor: 2, hasTouch: true } },
    intervals: [200],
  },
};
const PICKED = (process.env.LV_BENCH_CONDITIONS || Object.keys(CONDITIONS).join(',')).split(',');

// Series per timing run: enough flashes to judge the frames (10 a series), in reasonable time.
const SERIES = QUICK ? { 2000: 1, 200: 3 } : { 2000: 2, 200: 10 };
const BARE_SERIES = QUICK ? { 2000: 1, 200: 2 } : { 2000: 1, 200: 5 };
const COST_SPAN_MS = QUICK ? 8000 : 20000;
const COST_ROUNDS = QUICK ? 1 : 3;
const STARTS = QUICK ? 3 : 7;

// ---- load ----

function busyLoad(on) {
  if (!on) return () => {};
  const workers = [...Array(os.availableParallelism())].map(
    () => new Worker('for (;;) {}', { eval: true }));
  return () => Promise.all(workers.map((w) => w.terminate()));
}

// ---- figures ----

function percentile(values, fraction) {
  if (!values.length) return 0;
  const sorted = [...values].sort((a, b) => a - b);
  const rank = Math.ceil(fraction * sorted.length);
  return sorted[Math.min(Math.max(rank, 1), sorted.length) - 1];
}
const median = (values) => percentile(values, 0.5);

function ticksPerHalf(interval) {
  let k = 1;
  while (1 + 10 * k <= interval / 2) ++k;
  return k;
}

// The schedule's start: the first one-tick timer armed outside any timer callback after Alt+S
// (the pacing timer is started once, by the drill's start; a re-arm from the program's loop may
// also ask for exactly one tick, but only later); the keydown itself if none was seen.
function originOf(bench) {
  const start = bench.arms.find((a) => !a.nested && a.ms === 10);
  return start ? { t: start.t, from: 'timer' } : { t: bench.armedAt, from: 'keydown' };
}

// The first series against the schedule, as for the desktop builds: its 21 steps, each timed by
// the syllable's writing, which the page makes on the frame the step's show or hide goes on, a
// lead after its tick. The half periods are taken from step to step, so that the lead, the same
// at every step, cancels; lateness is from the schedule's start, the lead included. A step that
// drew the same syllable again wrote nothing: it is left out, and the half periods either side
// of it are taken as one.
function timing(events, writes, origin, halfMs) {
  const series = seriesOf(events);
  const marks = series[0].marks.slice(0, 21);
  const steps = [];
  let from = origin;
  marks.forEach((m, i) => {
    // Seen by another observer of the same changes, a moment after the recorder's.
    const written = writes.filter((w) => w > from && w <= m.t + 2 && w >= m.t - 60);
    if (written.length) {
      from = written[written.length - 1];
      steps.push({ n: i + 1, t: from });
    }
  });
  const ratios = [];
  const late = [];
  let previous = null;
  for (const step of steps) {
    if (previous) ratios.push((step.t - previous.t) / (halfMs * (step.n - previous.n)));
    late.push(step.t - origin - halfMs * step.n);
    previous = step;
  }
  const worst = ratios.reduce((w, r) => (Math.abs(r - 1) > Math.abs(w - 1) ? r : w), 1);
  return {
    steps: steps.length,
    halfMean: ratios.reduce((a, b) => a + b, 0) / ratios.length,
    halfWorst: worst,
    lateP50: percentile(late, 0.5),
    lateP99: percentile(late, 0.99),
    lateMax: Math.max(...late),
    series: series.filter((s) => s.restEnd !== undefined).length,
  };
}

// The runs of frames that painted the syllable (`column` 1) or the picture (2): from the first
// frame with it to the first without it, when the first was looked at, and how many frames ran
// callbacks meanwhile. One still under way when the frames were read is left out.
function runsOf(frames, column) {
  const runs = [];
  let on = null;
  for (let i = 0; i < frames.length; ++i) {
    const shown = frames[i][column];
    if (shown && on === null) on = i;
    if (!shown && on !== null) {
      runs.push({ from: frames[on][0], to: frames[i][0], looked: frames[on][3], callbacks: i - on });
      on = null;
    }
  }
  return runs;
}

// Every rest, from the first frame painted with the picture to the first painted without it, as
// for the flashes (the changes' own times would add how late each frame's callbacks ran); from
// the changes where no frame painted it. The drill's rest is long after every third series, the
// bare page's always short.
function restsOf(events, frames, longEveryThird) {
  const rests = { short: [], long: [] };
  const runs = runsOf(frames, 2);
  seriesOf(events).forEach((s, i) => {
    if (s.restEnd === undefined) return;
    const run = runs.find((r) => r.looked >= s.restStart);
    rests[longEveryThird && i % 3 === 2 ? 'long' : 'short'].push(
      run ? run.to - run.from : s.restEnd - s.restStart);
  });
  return rests;
}

// The spans in which the browser ran no frame for STALL_MS or more, or ran a frame's callbacks a
// whole frame `period` or more after the frame began: its thread or its painting was held up,
// whatever the page, and a frame stamp no longer tells when what it shows was painted. [from, to]
// on the page's clock; a hold that delayed a frame's callbacks and the frame after it is one stall.
const STALL_MS = 50;
function stallsOf(frames, period) {
  const stalls = [];
  const add = (from, to) => {
    const last = stalls[stalls.length - 1];
    if (last && from <= last[1]) last[1] = Math.max(last[1], to);
    else stalls.push([from, to]);
  };
  for (let i = 0; i < frames.length; ++i) {
    const [t, , , looked] = frames[i];
    if (i > 0 && t - frames[i - 1][0] >= STALL_MS) add(frames[i - 1][0], t);
    if (looked - t >= period) add(t, looked);
  }
  return stalls;
}

// The page's timer callbacks that the browser ran a frame or more after their time although it ran
// a frame's callbacks meanwhile: its thread was free, and the browser held the timer. (Work of the
// page's own that held the timer would have held the frames too.)
function heldTimersOf(lateTimers, frames, period) {
  return lateTimers.filter(([due, ran]) => ran - due >= period &&
    frames.some(([, , , looked]) => looked > due && looked < ran));
}

// Each flash, from the first frame painted with the syllable to the first painted without it, in
// frames of the measured period (a frame the browser skipped still kept the syllable on screen).
// Flashes are taken from the page's own shows and hides, so that one never painted counts as 0;
// those still under way when the frames were read are left out. A flash whose show or hide, or
// the half period before its show, met a stall or a held timer is marked: a tick held up there
// moves the change, in any page.
function flashes(frames, events, halfMs, lateTimers) {
  const gaps = [];
  for (let i = 1; i < frames.length; ++i) gaps.push(frames[i][0] - frames[i - 1][0]);
  // The mean of the gaps of one frame (Firefox gives whole milliseconds: 16 and 17).
  const typical = median(gaps);
  const single = gaps.filter((g) => g >= 0.5 * typical && g <= 1.5 * typical);
  const period = single.reduce((a, b) => a + b, 0) / single.length;
  const runs = runsOf(frames, 1);
  const last = frames.length ? frames[frames.length - 1][0] : 0;
  const stalls = stallsOf(frames, period);
  const stalled = (from, to) => stalls.some(([a, b]) => a < to && b > from);
  const heldTimers = heldTimersOf(lateTimers, frames, period);
  const timerHeld = (from, to) => heldTimers.some(([due, ran]) => due < to && ran > from);
  const syllable = events.filter((e) => e.what === 'syllable');
  const out = [];
  for (let i = 0; i + 1 < syllable.length; ++i) {
    const [show, hide] = [syllable[i], syllable[i + 1]];
    if (!show.value || hide.value || hide.t > last - 2 * period) continue;
    // A frame's timestamp is when it began, which may be well before the change it painted on
    // a slow CPU; the frame was looked at after the change.
    const run = runs.find((r) => r.looked >= show.t && r.looked < hide.t);
    const stall = stalled(show.t - halfMs, Math.max(hide.t, run ? run.to : 0));
    const timer = timerHeld(show.t - halfMs, hide.t);
    out.push(run ? { frames: Math.round((run.to - run.from) / period), callbacks: run.callbacks,
      show: show.t, hide: hide.t, from: run.from, to: run.to, stall, timer }
      : { frames: 0, callbacks: 0, show: show.t, hide: hide.t, stall, timer });
  }
  const minutes = frames.length > 1 ? (last - frames[0][0]) / 60000 : 0;
  return { period, hz: 1000 / period, flashes: out, skipped: gaps.length - single.length, frames: frames.length,
    stallsPerMinute: minutes ? stalls.length / minutes : 0, heldTimersPerMinute: minutes ? heldTimers.length / minutes : 0 };
}

// The nominal count of frames: a frame period that does not divide the half period (16 ms against
// 100) makes the counts either side both right.
function nominalCounts(halfMs, period) {
  const exact = halfMs / period;
  return Math.abs(exact - Math.round(exact)) < 0.1 ? [Math.round(exact)] : [Math.floor(exact), Math.ceil(exact)];
}

function frameFigures(f, halfMs) {
  const nominals = nominalCounts(halfMs, f.period);
  const nominal = nominals[0];
  const counts = f.flashes.map((x) => x.frames);
  const at = counts.filter((c) => nominals.includes(c)).length;
  const off = (c) => Math.min(...nominals.map((n) => Math.abs(c - n)));
  const clear = f.flashes.filter((x) => !x.stall && !x.timer).map((x) => x.frames);
  return {
    nominal,
    nominals,
    hz: f.hz,
    flashes: counts.length,
    atNominal: counts.length ? at / counts.length : 0,
    min: Math.min(...counts),
    max: Math.max(...counts),
    offByMore: counts.filter((c) => off(c) > 1).length,
    // Flashes off their nominal count that met a stall of the browser's, those that met no stall
    // but a timer the browser held, and the share at nominal of those that met neither.
    offInStalls: f.flashes.filter((x) => x.stall && !nominals.includes(x.frames)).length,
    offAfterHeldTimer: f.flashes.filter((x) => !x.stall && x.timer && !nominals.includes(x.frames)).length,
    atNominalClear: clear.length ? clear.filter((c) => nominals.includes(c)).length / clear.length : NaN,
    stallsPerMinute: f.stallsPerMinute,
    heldTimersPerMinute: f.heldTimersPerMinute,
    counts,
    skipped: f.skipped,
    detail: f.flashes,
  };
}

// ---- runs ----

async function timingRun(t, base, page, interval, loaded, condition = 'run') {
  const n = (page === 'drill' ? SERIES : BARE_SERIES)[interval];
  const stop = busyLoad(loaded);
  try {
    if (page === 'drill') await startDrill(t, base, interval, true);
    else await startBare(t, base, interval, true);
    await waitFor(t, (k) => __lv.rec.events.filter((e) => e.what === 'picture' && !e.value).length >= k,
      n, `${n} series`, 600_000, 1000);
  } finally {
    await stop();
  }
  const got = await t.evaluate(() => ({ events: __lv.rec.events, bench: __lvBench, errors: __lv.rec.errors }));
  if (got.errors.length) throw new Error(`uncaught in the page: ${got.errors.join('; ')}`);
  const halfMs = 10 * ticksPerHalf(interval);
  const origin = originOf(got.bench);
  const tm = { ...timing(got.events, got.bench.writes, origin.t, halfMs),
    rests: restsOf(got.events, got.bench.frames, page === 'drill') };
  const fr = frameFigures(flashes(got.bench.frames, got.events, halfMs, got.bench.lateTimers), halfMs);
  if (process.env.LV_BENCH_DETAIL) fs.writeFileSync(`${process.env.LV_BENCH_DETAIL}-${condition}-${page}-${interval}-${loaded ? 'full' : 'idle'}.json`, JSON.stringify({ origin, writes: got.bench.writes, events: got.events.map(({ t, what, value }) => ({ t, what, value })), frames: got.bench.frames, lateTimers: got.bench.lateTimers, flashes: fr.detail }));
  return { page, interval, loaded, origin: origin.from, timing: tm, frames: fr };
}

// CPU of the browser's processes over a span of pacing from the first step, the page untouched
// meanwhile; no frame loop of the probe's own.
async function costRun(t, base, page, interval) {
  if (page === 'drill') await startDrill(t, base, interval, false);
  else await startBare(t, base, interval, false);
  await waitFor(t, firstStep, null, 'the first step', 60_000);
  const before = processes();
  await sleep(COST_SPAN_MS);
  const used = cpuSince(before);
  return { page: used.page / (COST_SPAN_MS / 1000), all: used.all / (COST_SPAN_MS / 1000) };
}

// From navigation to the first frame with the settings window shown, and what was fetched. A
// first visit forgets the app's worker and its copy of the files before; a later start comes
// from that copy.
async function startRun(t, base, firstVisit) {
  if (firstVisit && !t.isClosed()) {
    await t.evaluate(async () => {
      for (const r of await navigator.serviceWorker.getRegistrations()) await r.unregister();
      for (const k of await caches.keys()) await caches.delete(k);
    });
  }
  await t.open(base + '?start');
  return waitFor(t, () => __lvBench.settingsFrame !== null && {
    ms: __lvBench.settingsFrame,
    fetched: performance.getEntriesByType('resource').map((r) => new URL(r.name).pathname),
  }, null, 'the settings window on screen');
}

// Every file of the site (page, style, script, wasm, picture, and a manifest and icons where the
// site has them), gzip-compressed as a server would send it; `beforeShown` for those the page
// had fetched by the time the settings window was up (the picture comes with the exercise window).
function transfer(fetched) {
  const early = new Set(['index.html', ...fetched.map((p) => p.replace(/^\//, ''))]);
  return fs.readdirSync(SITE).filter((n) => fs.statSync(path.join(SITE, n)).isFile()).sort().map((n) => {
    const body = fs.readFileSync(path.join(SITE, n));
    return { file: n, bytes: body.length, gzip: zlib.gzipSync(body, { level: 9 }).length, beforeShown: early.has(n) };
  });
}

// ---- output ----

const f = (x, d) => (Number.isFinite(x) ? x.toFixed(d) : '');
const pct = (x) => `${(100 * x).toFixed(1)} %`;

async function main() {
  fs.mkdirSync(RESULTS, { recursive: true });
  const server = await startServer(SITE, { extras: bareExtras() });
  const rows = [];
  const costs = [];
  let starts = null;
  let site = null;
  try {
    for (const key of PICKED) {
      const condition = CONDITIONS[key];
      if (!condition) throw new Error(`no condition ${key}: ${Object.keys(CONDITIONS).join(', ')}`);
      const { label } = condition;
      const t = await ADAPTERS[condition.browser](server.url, { extraScript: probe, ...condition.options });
      try {
        if (condition.starts) {
          const runs = [];
          for (let i = 0; i < STARTS; ++i) runs.push(await startRun(t, server.url, true));
          await waitFor(t, () => navigator.serviceWorker.ready.then(() => true), null, 'the app kept for offline use');
          const later = [];
          for (let i = 0; i < STARTS; ++i) later.push(await startRun(t, server.url, false));
          if (!(await t.evaluate(() => !!navigator.serviceWorker.controller))) throw new Error('the later starts did not come from the worker');
          starts = [{ name: 'first visit', ms: runs.map((r) => r.ms) }, { name: 'from the worker', ms: later.map((r) => r.ms) }];
          site = transfer(runs[0].fetched);
        }
        for (const loaded of [false, true]) {
          for (const interval of condition.intervals) {
            for (const page of ['drill', 'bare']) {
              const row = { browser: label, ...(await timingRun(t, server.url, page, interval, loaded, key)) };
              rows.push(row);
              printRow(row);
            }
          }
        }
        for (const interval of condition.cost ? condition.intervals : []) {
          // A span's CPU wavers by a third from one to the next here: the two pages take turns, a
          // few spans each, and each keeps its median.
          const spans = { drill: [], bare: [] };
          for (let round = 0; round < COST_ROUNDS; ++round) {
            for (const page of ['drill', 'bare']) spans[page].push(await costRun(t, server.url, page, interval));
          }
          for (const page of ['drill', 'bare']) {
            const median = (key) => spans[page].map((c) => c[key]).sort((a, b) => a - b)[COST_ROUNDS >> 1];
            const cost = { browser: label, page, interval, cpu: { page: median('page'), all: median('all') } };
            costs.push(cost);
            console.error(`# ${label} ${page} ${interval}: CPU page ${pct(cost.cpu.page)}, all ${pct(cost.cpu.all)} of a core ` +
              `(spans: ${spans[page].map((c) => pct(c.page)).join(', ')})`);
          }
        }
      } finally {
        await t.close();
      }
    }
  } finally {
    await server.close();
  }
  report(rows, costs, starts, site);
}

function printRow(r) {
  const tm = r.timing;
  const fr = r.frames;
  console.error(`# ${r.browser} ${r.page} ${r.interval} ${r.loaded ? 'full' : 'idle'}: ${tm.steps} steps from the ${r.origin}, ` +
    `half ${f(tm.halfMean, 4)} worst ${f(tm.halfWorst, 4)}, late ${f(tm.lateP50, 1)}/${f(tm.lateP99, 1)}/${f(tm.lateMax, 1)}, ` +
    `${fr.flashes} flashes at ${f(fr.hz, 1)} Hz, ${pct(fr.atNominal)} at ${fr.nominals.join(' or ')}, ${fr.min}..${fr.max}, ` +
    `${fr.skipped} frame gaps off, ${f(fr.stallsPerMinute, 1)} stalls a minute, ${fr.offInStalls} off nominal in one, ` +
    `${f(fr.heldTimersPerMinute, 1)} held timers a minute, ${fr.offAfterHeldTimer} off nominal after one; rests ${restRange(tm.rests.short)} / ${restRange(tm.rests.long)}`);
}

const restRange = (rests) => (rests.length ? `${f(Math.min(...rests), 0)}–${f(Math.max(...rests), 0)}` : '');

function report(rows, costs, starts, site) {
  const cost = (r) => costs.find((c) => c.browser === r.browser && c.page === r.page && c.interval === r.interval && !r.loaded);
  const csv = ['browser,page,interval_ms,load,origin,half_ratio_mean,half_ratio_worst,late_p50_ms,late_p99_ms,late_max_ms,' +
    'rest_short_min_ms,rest_short_max_ms,rest_long_min_ms,rest_long_max_ms,frame_hz,nominal_frames,flashes,share_at_nominal,' +
    'frames_min,frames_max,flashes_off_by_more_than_one,stalls_per_minute,flashes_off_nominal_in_stalls,held_timers_per_minute,' +
    'flashes_off_nominal_after_held_timer,share_at_nominal_outside_stalls_and_held_timers,' +
    'cpu_page_percent_of_core,cpu_all_percent_of_core'];
  console.log('| browser | page | interval ms | load | half period real/nominal, mean | worst | lateness ms p50 / p99 / max | rests of 3500 / 5500 ms, real | frames on screen: nominal | at nominal | range | off by more than one | stalls a minute | off nominal in a stall | held timers a minute | off nominal after one | CPU, share of one core: page process / all |');
  console.log('|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|');
  for (const r of rows) {
    const tm = r.timing;
    const fr = r.frames;
    const c = cost(r);
    const page = r.page === 'drill' ? 'drill' : 'plain setTimeout';
    const { short, long } = tm.rests;
    const ends = (rests) => (rests.length ? [f(Math.min(...rests), 1), f(Math.max(...rests), 1)] : ['', '']);
    csv.push([`"${r.browser}"`, r.page, r.interval, r.loaded ? 'full' : 'idle', r.origin, f(tm.halfMean, 5), f(tm.halfWorst, 5),
      f(tm.lateP50, 2), f(tm.lateP99, 2), f(tm.lateMax, 2), ...ends(short), ...ends(long), f(fr.hz, 2), fr.nominals.join(' or '),
      fr.flashes, f(fr.atNominal, 4), fr.min, fr.max, fr.offByMore, f(fr.stallsPerMinute, 2), fr.offInStalls,
      f(fr.heldTimersPerMinute, 2), fr.offAfterHeldTimer, f(fr.atNominalClear, 4),
      c ? f(100 * c.cpu.page, 3) : '', c ? f(100 * c.cpu.all, 3) : ''].join(','));
    console.log(`| ${r.browser} | ${page} | ${r.interval} | ${r.loaded ? 'full' : 'idle'} | ${f(tm.halfMean, 4)} | ${f(tm.halfWorst, 4)} | ` +
      `${f(tm.lateP50, 2)} / ${f(tm.lateP99, 2)} / ${f(tm.lateMax, 2)} | ${restRange(short)} / ${restRange(long)} | ` +
      `${fr.nominals.join(' or ')} at ${f(fr.hz, 1)} Hz | ${pct(fr.atNominal)} of ${fr.flashes} | ${fr.min} to ${fr.max} | ${fr.offByMore} | ` +
      `${f(fr.stallsPerMinute, 1)} | ${fr.offInStalls} | ${f(fr.heldTimersPerMinute, 1)} | ${fr.offAfterHeldTimer} | ` +
      `${c ? `${pct(c.cpu.page)} / ${pct(c.cpu.all)}` : ''} |`);
  }
  const hist = ['browser,page,interval_ms,load,frames,flashes'];
  for (const r of rows) {
    const counts = new Map();
    for (const c of r.frames.counts) counts.set(c, (counts.get(c) || 0) + 1);
    for (const [c, n] of [...counts].sort((a, b) => a[0] - b[0])) {
      hist.push([`"${r.browser}"`, r.page, r.interval, r.loaded ? 'full' : 'idle', c, n].join(','));
    }
  }
  if (starts) {
    const total = site.reduce((s, x) => s + x.gzip, 0);
    csv.push('', 'browser,start,start_ms_median,start_ms_runs',
      ...starts.map(({ name, ms }) => `Chromium,${name},${f(median(ms), 1)},${ms.map((x) => f(x, 1)).join(' ')}`));
    csv.push('', 'file,bytes,gzip_bytes,fetched_before_settings_shown', ...site.map((x) => `${x.file},${x.bytes},${x.gzip},${x.beforeShown ? 'yes' : 'no'}`),
      `total,${site.reduce((s, x) => s + x.bytes, 0)},${total},`);
    for (const { name, ms } of starts) {
      console.log(`\nStart-up, Chromium, ${name}: settings window on screen ${f(median(ms), 1)} ms after navigation (median of ${ms.length}: ${ms.map((x) => f(x, 0)).join(', ')})`);
    }
    console.log(`First visit: ${total} bytes gzip-compressed (${site.map((x) => `${x.file} ${x.gzip}`).join(', ')})`);
  }
  fs.writeFileSync(path.join(RESULTS, 'web.csv'), csv.join('\n') + '\n');
  fs.writeFileSync(path.join(RESULTS, 'web-frames.csv'), hist.join('\n') + '\n');
  fs.writeFileSync(PLOT, plotFrames(rows));
}

if (require.main === module) {
  main().catch((e) => {
    console.error(e);
    process.exit(1);
  });
}

module.exports = { timingRun, costRun, ADAPTERS, CONDITIONS, probe };
