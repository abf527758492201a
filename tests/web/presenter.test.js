'use strict';
// The page's presenter against a model of a browser: frames on a beat (30 to 120 Hz, or WebKit's
// 16.2 ms), the program's 10 ms ticks a little late, and, in the loaded runs, spans without frames
// while the timers still ring and spans where the whole thread is held. Each run checks, frame by
// frame, what a child would see: every syllable and rest at its nominal count of frames while
// nothing holds the browser up, and under load every syllable painted long enough, a blank after
// it, the rest picture never beside it, and no delay piling up.
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { describe, it } = require('node:test');

const SOURCE = fs.readFileSync(path.join(__dirname, '../../platform/web/presenter.js'), 'utf8');
const HALF = 100;  // ms a syllable is shown, then hidden: 200 ms pacing

// A small seeded generator, so that a failing run can be told again.
function random(seed) {
  let s = seed >>> 0;
  return () => {
    s = (s + 0x6d2b79f5) >>> 0;
    let x = Math.imul(s ^ (s >>> 15), 1 | s);
    x ^= x + Math.imul(x ^ (x >>> 7), 61 | x);
    return ((x ^ (x >>> 14)) >>> 0) / 4294967296;
  };
}

// Just enough of an element for the presenter: shown or hidden, with a text.
class Element {
  constructor(tagName) {
    Object.assign(this, { tagName, hidden: true, textContent: '' });
  }
}

// The drill's changes: series of `syllables` shows and hides, HALF ms apart from moment HALF
// on, each followed a step later by the rest picture for `rest` ms: [moment, element, shown].
function drill(series, syllables = 10, rest = 500) {
  const changes = [];
  let moment = 0;
  for (let s = 0; s < series; ++s) {
    for (let i = 0; i < syllables; ++i) {
      changes.push([moment += HALF, 'syllable', true], [moment += HALF, 'syllable', false]);
    }
    changes.push([moment += HALF, 'picture', true], [moment += rest, 'picture', false]);
  }
  return changes;
}

// One run of `changes` at a frame period of `period` ms. `lateTick(moment)` says how late a tick
// runs, `frameless(t)` whether the browser runs no frame at t (its timers still ring), `held(t)`
// the end of a span that holds the whole thread, if t is in one, and `heldFrameRuns(t)` whether
// the frame that began in it runs its callbacks and paints once the hold ends, under its own
// time stamp (Firefox's do), or is dropped, and `frameLate(t)` how long after frame t began its
// callbacks run and it is painted (a slowed CPU).
function run({ period, changes, lateTick, frameless = () => false, held = () => null,
  heldFrameRuns = () => false, frameLate = () => 0, phase = 0 }) {
  let clock = 0;
  let asked = [];
  const numbers = { syllable: 1, picture: 2 };
  const syllable = new Element('LABEL');
  const picture = new Element('IMG');
  const LV = { moment: null, elements: { 1: syllable, 2: picture } };
  const presenter = new Function('LV', 'performance', 'requestAnimationFrame',
    `var LV_presenter; var LibraryManager = {library: {}};
     function mergeInto(_, library) { LV_presenter = library.$LV_presenter; }
     ${SOURCE}
     return LV_presenter;`)(LV, { now: () => clock }, (fn) => asked.push(fn));

  // The program's ticks and the frames, in the order they run. The program counts its ticks,
  // 10 ms each; a tick's moment is its place in the schedule, which starts afresh, giving up all
  // deadlines but the last, when a tick finds more than ten due (after a hold).
  const ticks = changes[changes.length - 1][0] / 10 + 1;
  let tickAt = 0;
  let givenUp = 0;
  const momentOf = (i) => 10 * i + givenUp;
  const nextTick = () => Math.max(momentOf(tickAt) + lateTick(momentOf(tickAt)), clock);
  let frame = phase;
  const frameFrom = (t) => Math.ceil((t - phase) / period) * period + phase;  // the first at t or after
  // [when painted, the syllable on screen or null, the picture on screen, the frame's time stamp]
  const looks = [];
  const calls = [];  // [moment, what, shown, time the tick ran, the syllable shown]
  const last = changes[changes.length - 1][0] + 10_000;
  while ((tickAt < ticks || asked.length) && frame < last + givenUp) {
    const tickDue = tickAt < ticks ? nextTick() : Infinity;
    if (tickDue <= frame) {
      clock = held(tickDue) ?? tickDue;
      const due = Math.floor((clock - givenUp) / 10) - tickAt + 1;
      if (due > 10) givenUp += 10 * (due - 1);
      const moment = momentOf(tickAt);
      const counted = 10 * tickAt++;
      presenter.tick(moment, givenUp);
      for (const [at, what, shown] of changes) {
        if (at !== counted) continue;
        // As the drill does: a syllable written at each step, right after the show or the hide.
        const text = `${what} of ${moment}`;
        calls.push([moment, what, shown, clock, text]);
        presenter.change(numbers[what], shown);
        presenter.write(numbers[what], () => { LV.elements[numbers[what]].textContent = text; });
      }
      presenter.tick(null);
    } else {
      const end = held(frame);
      if (end !== null && !heldFrameRuns(frame)) {
        frame = frameFrom(end);
        continue;
      }
      clock = end ?? frame + frameLate(frame);  // looks are taken when painted
      if (!frameless(frame)) {
        const callbacks = asked;
        asked = [];
        for (const fn of callbacks) fn(frame);
        looks.push([clock, syllable.hidden ? null : syllable.textContent, !picture.hidden, frame]);
      }
      frame = end === null ? frame + period : frameFrom(end);
    }
  }
  return { looks, calls };
}

// Each show with the frames it was painted in: from the first frame with it (`from`, when painted)
// to the first without it (`to`), in frame periods (0 if none painted it), whether that frame was
// blank, how long after it began the frame that showed it was painted, and when its hide's tick
// ran.
function flashes({ looks, calls }, period, which = 'syllable') {
  const out = [];
  const seen = (look) => (which === 'syllable' ? look[1] : look[2]);
  calls.forEach(([moment, what, shown, ranAt, text], k) => {
    if (what !== which || !shown) return;
    const on = (look) => (which === 'syllable' ? look[1] === text : look[2]);
    const from = looks.findIndex((look) => look[0] >= ranAt && on(look));
    const to = looks.findIndex((look, i) => i > from && !on(look));
    const painted = from >= 0 && to > from;
    const hide = calls.find(([, w, s], j) => j > k && w === which && !s);
    out.push({ moment, ranAt, from: painted ? looks[from][0] : null, to: painted ? looks[to][0] : null,
      frames: painted ? Math.round((looks[to][0] - looks[from][0]) / period) : 0, blank: painted && !seen(looks[to]),
      held: painted ? looks[from][0] - looks[from][3] : 0, hideRanAt: hide ? hide[3] : null });
  });
  return out;
}

// The counts of frames a flash of `span` ms may take: one where the period divides it, else the
// two either side.
function nominal(period, span = HALF) {
  const exact = span / period;
  return Math.abs(exact - Math.round(exact)) < 0.1 ? [Math.round(exact)] : [Math.floor(exact), Math.ceil(exact)];
}

const PERIODS = { '30 Hz': 1000 / 30, '60 Hz': 1000 / 60, 'WebKitGTK, 16.2 ms': 16.2, '120 Hz': 1000 / 120 };

// The fewest frames a flash of `span` ms may take when its show was late: its hide keeps it on
// screen as long as their ticks are apart, to within half a frame.
const fewest = (period, span = HALF) => Math.ceil(span / period - 0.5 - 1e-9);

describe('the presenter puts each syllable and rest on its frames', () => {
  for (const [name, period] of Object.entries(PERIODS)) {
    it(`${name}: idle or slowed, every flash and rest at its nominal count, the first one too`, () => {
      for (let seed = 1; seed <= 40; ++seed) {
        const rnd = random(seed);
        const late = () => (rnd() < 0.9 ? 1 + 2 * rnd() : 3 + 5 * rnd());  // a tick a little late
        // On a slowed CPU every frame's callbacks run a third to two thirds of a frame after it
        // began, and it is painted then.
        const slowed = seed % 2 === 0;
        const frameLate = () => (slowed ? period * (0.3 + 0.4 * rnd()) : 0);
        const result = run({ period, changes: drill(2), lateTick: late, frameLate, phase: rnd() * period });
        const where = `seed ${seed}${slowed ? ', slowed' : ''}`;
        const counts = flashes(result, period).map((f) => f.frames);
        assert.ok(counts.every((c) => nominal(period).includes(c)),
          `${where}: flashes of ${counts.join(' ')} frames, nominal ${nominal(period).join(' or ')}`);
        const rests = flashes(result, period, 'picture').map((f) => f.frames);
        assert.ok(rests.every((c) => nominal(period, 500).includes(c)), `${where}: rests of ${rests.join(' ')} frames`);
      }
    });
  }

  it('under load: every syllable painted for as long as its ticks are apart, a blank after it, ' +
     'the picture never beside it, and on time again once the load is gone', () => {
    const changes = drill(3);
    const end = changes[changes.length - 1][0];
    for (const [name, period] of Object.entries(PERIODS)) {
      for (let seed = 1; seed <= 100; ++seed) {
        const rnd = random(seed * 7919);
        // Spans of 40 to 250 ms without frames, or with the whole thread held, now and then, after
        // a first quarter second in which the page, just opened, runs three frames in ten.
        const START = 250;
        const spans = [{ from: 0, to: START, thread: false, sparse: true }];
        for (let t = 300; t < end; t += 200 + 600 * rnd()) {
          const thread = rnd() < 0.3;
          spans.push({ from: t, to: t + 40 + 210 * rnd(), thread, frameRuns: thread && rnd() < 0.5 });
        }
        const within = (t, thread) => spans.find((s) => s.thread === thread && t >= s.from && t < s.to);
        const result = run({
          period,
          changes,
          phase: rnd() * period,
          lateTick: () => (rnd() < 0.8 ? 3 * rnd() : 30 * rnd()),
          frameless: (t) => {
            const span = within(t, false);
            return !!span && (!span.sparse || rnd() < 0.7);
          },
          held: (t) => within(t, true)?.to ?? null,
          heldFrameRuns: (t) => within(t, true).frameRuns,
        });
        const where = `${name}, seed ${seed}`;
        for (const f of flashes(result, period)) {
          // A show painted less than a frame late, after a hold, is not told from a slowed CPU's
          // late callbacks: it may lose that frame. Nor is the screen's rate known at the start.
          const least = fewest(period) - (f.held > 0 && f.held <= period ? 1 : 0);
          assert.ok(f.moment < START || f.frames >= least,
            `${where}: the syllable of ${f.moment} ms on screen for ${f.frames} frames, fewer than ${least}`);
          assert.ok(f.blank, `${where}: the syllable of ${f.moment} ms went straight into the next`);
          // Nor is it kept on longer than its ticks are apart in the program's count, from when it
          // was first painted or its hide's tick ran, whichever came later, unless frames stopped.
          const due = Math.max(f.from + HALF, f.hideRanAt);
          if (!spans.some((s) => !s.sparse && s.from < f.to && s.to > due)) {
            assert.ok(f.to <= due + 24 + 2 * period,
              `${where}: the syllable of ${f.moment} ms, painted at ${f.from.toFixed(1)}, its hide's tick run at ` +
              `${f.hideRanAt.toFixed(1)}, on screen until ${f.to.toFixed(1)}`);
          }
          // A second after a stall, a show is on its frame again: the delay does not pile up.
          if (!spans.some((s) => s.from < f.moment + HALF && s.to > f.moment - 10 * HALF)) {
            assert.ok(f.from <= f.ranAt + 24 + 2 * period,
              `${where}: the syllable of ${f.moment} ms, its tick run at ${f.ranAt.toFixed(1)}, first painted at ${f.from.toFixed(1)}`);
          }
        }
        for (const f of flashes(result, period, 'picture')) {
          assert.ok(f.frames >= fewest(period, 500), `${where}: the rest of ${f.moment} ms lasted ${f.frames} frames`);
        }
        const both = result.looks.find(([, syllable, picture]) => syllable && picture);
        assert.ok(!both, `${where}: the picture beside a syllable at ${both?.[0].toFixed(1)} ms`);
      }
    }
  });
});
