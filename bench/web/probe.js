// The benchmark's probes in the page, run after the tests' recorder and before any script of the
// page's own. They note, on the page's clock:
// - when the step timer's schedule began: the timer started after Alt+S went down arms a browser
//   timer of one tick, 10 ms, from outside any timer callback (later ticks are re-armed inside
//   one), and the moment of that call is its schedule's start, to within the clock's step;
// - every frame (requestAnimationFrame's timestamp), whether the syllable and the rest picture
//   were shown in it and when that was looked at, with the recorder's frame watcher, unless the
//   address says "noframes" (the CPU runs, where a frame loop of its own would be most of the
//   cost);
// - the first frame with the settings window shown (start-up);
// - when the syllable was written: the drill draws the next one at every step, in the step's
//   tick, while the page may show or hide it on a later frame;
// - every timer callback of the page's that the browser ran well after its time: with frames
//   running meanwhile, the browser held the timer, not the page's own work.
(() => {
  if (window.__lvBench) return;
  const clock = () => performance.now();
  const LATE_MS = 5;
  const bench = {
    armedAt: null,       // the Alt+S keydown
    arms: [],            // timers set from then until the first step: { t, ms, nested }
    frames: window.__lv.rec.frames,  // [timestamp, syllable shown, picture shown, looked at]
    settingsFrame: null, // first frame with the settings window shown
    writes: [],          // the syllable written (or the hidden copy the page writes it into)
    lateTimers: [],      // [due, ran] of each timer callback that ran LATE_MS or more after its time
  };
  window.__lvBench = bench;
  const record = !/(^|[?&])noframes\b/.test(location.search);

  const nativeSetTimeout = window.setTimeout;
  let depth = 0;  // inside a timer callback
  let stepped = false;  // the first step has been seen
  const firstStepSeen = () => stepped || (stepped = window.__lv.rec.events.some((e) => e.what === 'syllable'));
  function watchingSetTimeout(fn, ms, ...rest) {
    if (typeof fn !== 'function' || bench.armedAt === null) return nativeSetTimeout.call(window, fn, ms, ...rest);
    const armed = { t: clock(), ms: Number(ms), nested: depth > 0 };
    if (!firstStepSeen()) bench.arms.push(armed);
    const due = armed.t + Math.max(0, armed.ms || 0);
    return nativeSetTimeout.call(window, function () {
      const ran = clock();
      if (ran - due >= LATE_MS) bench.lateTimers.push([due, ran]);
      ++depth;
      try { return fn.apply(this, arguments); } finally { --depth; }
    }, ms, ...rest);
  }
  addEventListener('keydown', (e) => {
    if (!(e.altKey && (e.code === 'KeyS' || e.key.toLowerCase() === 's'))) return;
    bench.armedAt = e.timeStamp;
    bench.arms.length = 0;
    bench.frames.length = 0;
    bench.writes.length = 0;
    bench.lateTimers.length = 0;
    stepped = false;
    window.setTimeout = watchingSetTimeout;
  }, true);

  const syllableLabel = (el) => el?.tagName === 'LABEL' && (!el.id || el.id === 'frm_werk-txt_string') &&
    !!el.closest('#frm_werk');
  new MutationObserver((records) => {
    const t = clock();
    if (records.some((r) => r.type !== 'attributes' &&
        syllableLabel(r.target.nodeType === Node.ELEMENT_NODE ? r.target : r.target.parentElement))) {
      bench.writes.push(t);
    }
  }).observe(document, { subtree: true, childList: true, characterData: true });

  if (!record) return;
  const byId = (id) => document.getElementById(id);
  const shownInWindow = (el) => {
    if (!el) return false;
    for (let node = el; node; node = node.parentElement) {
      if (node.hidden) return false;
      if (node.classList.contains('window')) return true;
    }
    return false;
  };
  window.__lv.watchFrames((t) => {
    if (bench.settingsFrame === null && shownInWindow(byId('frm_hoofd-txt_start'))) bench.settingsFrame = t;
    return [shownInWindow(byId('frm_werk-txt_string')) ? 1 : 0, shownInWindow(byId('frm_werk-Picture1')) ? 1 : 0];
  });
})();
