// Runs in the page before any script of its own. It notes, on the page's own clock, when the
// exercise window's controls change (a syllable shown or hidden, the rest picture shown or hidden,
// "tijd" and "reeks" written) and when Alt+S went down, so that the tests judge the timing from
// what the page did rather than from when a driver got round to asking. It also keeps the page's
// uncaught errors, what its Content-Security-Policy refused, counts the timers it has set, and
// has a few read-outs the tests share.
(() => {
  if (window.__lv) return;
  const clock = () => performance.now();
  const rec = { origin: null, keys: [], events: [], writes: [], errors: [], violations: [] };

  const byId = (id) => document.getElementById(id);
  // Shown within its window: neither the control nor a box around it is hidden.
  const shownInWindow = (el) => {
    for (let node = el; node && !node.classList?.contains('window'); node = node.parentElement) {
      if (node.hidden) return false;
    }
    return !!el;
  };
  const shownWindow = (id) => {
    const w = byId(id);
    return !!w && !w.hidden;
  };
  const state = () => {
    const syllable = byId('frm_werk-txt_string');
    return {
      window: shownWindow('frm_werk'),
      syllable: !!syllable && shownInWindow(syllable),
      text: syllable ? syllable.textContent.trim() : null,
      picture: shownInWindow(byId('frm_werk-Picture1')),
      tijd: byId('frm_werk-Label1')?.textContent.trim() ?? null,
      reeks: byId('frm_werk-Label3')?.textContent.trim() ?? null,
    };
  };

  let last = null;
  const WATCHED = ['window', 'syllable', 'picture', 'tijd', 'reeks'];
  const PICTURE_FIRST = ['window', 'picture', 'syllable', 'tijd', 'reeks'];
  const LABELS = new Set(['frm_werk-Label1', 'frm_werk-Label3']);
  const observer = new MutationObserver((records) => {
    const t = clock();
    for (const r of records) {
      if (r.type === 'attributes') continue;
      const el = r.target.nodeType === Node.ELEMENT_NODE ? r.target : r.target.parentElement;
      const label = el?.closest('[id]');
      if (label && LABELS.has(label.id)) rec.writes.push({ t, id: label.id, text: label.textContent.trim() });
    }
    const now = state();
    if (last) {
      // A rest's end and the next show made in one go (after a stall, both overdue) are painted
      // together: the picture's going is noted first, as the screen has it.
      const order = last.picture && !now.picture ? PICTURE_FIRST : WATCHED;
      for (const what of order) {
        // A copy each: a driver hands an object met twice over as a reference to the first.
        if (now[what] !== last[what]) rec.events.push({ t, what, value: now[what], state: { ...now } });
      }
    }
    last = now;
  });
  observer.observe(document, {
    subtree: true, childList: true, characterData: true, attributes: true,
  });

  addEventListener('keydown', (e) => {
    rec.keys.push({ t: e.timeStamp, key: e.key, code: e.code, alt: e.altKey, repeat: e.repeat });
    if (e.altKey && (e.code === 'KeyS' || e.key.toLowerCase() === 's')) {
      rec.origin = e.timeStamp;
      rec.events.length = 0;
      rec.writes.length = 0;
      last = state();
    }
  }, true);
  // The page's timers that are set and have neither run nor been cleared: a drill that has
  // stopped must leave none behind. And how much before the moment it asked for a timer ran at
  // most (the browser reads a delay in whole milliseconds).
  const timers = new Set();
  rec.timerEarly = 0;
  const nativeSetTimeout = window.setTimeout;
  const nativeClearTimeout = window.clearTimeout;
  window.setTimeout = function (fn, ...rest) {
    if (typeof fn !== 'function') return nativeSetTimeout.call(window, fn, ...rest);
    const asked = clock() + Math.max(0, Number(rest[0]) || 0);
    const id = nativeSetTimeout.call(window, function () {
      timers.delete(id);
      rec.timerEarly = Math.max(rec.timerEarly, asked - clock());
      return fn.apply(this, arguments);
    }, ...rest);
    timers.add(id);
    return id;
  };
  window.clearTimeout = function (id) {
    timers.delete(id);
    return nativeClearTimeout.call(window, id);
  };

  addEventListener('error', (e) => rec.errors.push(String(e.message || e.error)));
  addEventListener('unhandledrejection', (e) => rec.errors.push('rejection: ' + String(e.reason)));
  document.addEventListener('securitypolicyviolation', (e) =>
    rec.violations.push(`${e.effectiveDirective} refused ${e.blockedURI || '(inline)'}${e.sourceFile ? ` in ${e.sourceFile}:${e.lineNumber}` : ''}`));

  // Not hidden, by the attribute or by style; an empty label may still have no size.
  const shown = (el) =>
    !!el && !el.closest('[hidden]') &&
    (!el.checkVisibility || el.checkVisibility({ visibilityProperty: true, opacityProperty: true }));
  // Shown and taking room on screen.
  const visible = (el) => {
    if (!shown(el)) return false;
    const r = el.getBoundingClientRect();
    return r.width > 0 && r.height > 0;
  };

  // Once asked for, every frame's time, what `describe` makes of it (by default whether the
  // syllable was painted in it) and when that was looked at, last in each frame: whenever the
  // page asks for a frame, this look is asked for after it.
  rec.frames = [];
  const nativeRequest = window.requestAnimationFrame;
  let describe = null;
  let lastFrame = null;
  const look = (t) => {
    const entry = [t, ...describe(t), clock()];
    if (t === lastFrame) {
      rec.frames[rec.frames.length - 1] = entry;
    } else {
      lastFrame = t;
      rec.frames.push(entry);
      nativeRequest.call(window, look);
    }
  };
  const watchFrames = (how = () => [state().syllable]) => {
    if (describe) return;
    describe = how;
    window.requestAnimationFrame = function (fn) {
      const id = nativeRequest.call(window, fn);
      nativeRequest.call(window, look);
      return id;
    };
    nativeRequest.call(window, look);
  };

  window.__lv = {
    rec,
    watchFrames,
    state,
    now: clock,
    shown: (id) => shown(byId(id)),
    visible: (id) => visible(byId(id)),
    timersSet: () => timers.size,
    focused: () => document.activeElement?.id || document.activeElement?.tagName || null,
    text: (id) => byId(id)?.textContent.replace(/\s+/g, ' ').trim() ?? null,
    value: (id) => byId(id)?.value ?? null,
    shownWindows: () => [...document.querySelectorAll('section.window')].filter((w) => !w.hidden).map((w) => w.id),
    // The box a control takes on screen, and whether it is the one found at its middle, so not
    // covered by anything.
    place: (selector) => {
      const el = document.querySelector(selector);
      if (!el) return null;
      const r = el.getBoundingClientRect();
      const hit = document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2);
      return {
        left: r.left, top: r.top, right: r.right, bottom: r.bottom,
        width: document.documentElement.clientWidth, height: document.documentElement.clientHeight,
        onTop: !!hit && el.contains(hit),
        visible: visible(el),
      };
    },
  };
})();
