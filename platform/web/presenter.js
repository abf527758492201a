// The frames a label's or a picture's change is painted on, part of the page's side of the web
// backend (see dom.js), linked into lettervonk.js.
//
// The syllable is shown and hidden on frames chosen by the schedule, not by when its tick ran.
// It is on screen from the first frame painted with it to the first painted without it, and the
// browser paints a change on the next frame after it is made: a tick that runs a millisecond
// earlier or later against the frames' beat would keep it one frame more or fewer. So a label or
// picture that a timer's tick shows or hides changes on the frame nearest to a fixed lead after
// the tick's place in the schedule, its moment, which the program tells the page (lv_tick_moment)
// for every tick, a late one or one made up after a busy moment too: a show and a hide a whole
// number of ticks apart land that many frames apart, as long as neither tick ran later than the
// lead. The lead follows the frames' beat from the changes that made their frame, kept about a
// frame after the margin, so that frame times that waver (Firefox's do by half a millisecond)
// decide nothing: the frames either side are half a frame further. A change whose tick ran too
// late for its frame goes on the next one and leaves the lead alone. Nothing changes before its
// tick has run.
//
// A browser under load may run no frame for a tenth of a second while its timers still ring
// (WebKitGTK does): a change two frames past its own is then made at the next tick, as a plain
// page would, and a show goes on screen late. Its hide, on its own frame, would cut the syllable
// short, to a frame or two. So a hide goes on the frame that keeps the element on screen as long
// as their ticks are apart, to within half a frame, counted from the first frame that painted
// the show, once its tick has run; the blank after it is shortened instead, and the next show is
// on its own frame again. Ticks are as far apart as the program counts them: their moments less
// the deadlines the program's timers gave up between them, starting afresh after a long hold
// (or a syllable shown after a hold of 150 ms would stay on for as long again). The same keeps a
// flash whole when the lead moves by a frame between its show and its hide. A show is counted
// from when its frame's callbacks ran if they ran more than a frame later, after their frame
// began, than the hide's: after the whole thread was held up, Firefox runs the frame that began
// during the hold under that frame's time stamp and paints it only then. On a slowed CPU every
// frame's callbacks run late, by amounts less than a frame apart (Chromium 4x slower and loaded:
// a show's 17 ms late, its hide's 2), which change nothing; a hold shorter than a frame may then
// cut a flash by a frame.
//
// An element's changes wait in turn, each for a frame after the one before, however that one was
// made, so that neither a burst of ticks after a stall nor a change made at a tick ever shows and
// hides a syllable unpainted. What the program writes into an element whose changes wait is
// written with the last of them, since it writes the next syllable right after the hide: the
// syllable on screen stays as it is until its frame. The rest picture comes and goes on its
// frames too, so that the last syllable is kept whole before it and the rest lasts as long as its
// ticks are apart. Every other change (a click, a key, a window opened) is made at once, after
// whatever was waiting for its frame, so that the order of changes on screen is the program's.
mergeInto(LibraryManager.library, {
  $LV_presenter__deps: ['$LV'],
  $LV_presenter: {
    // By element number, in the order made: {moment, counted: its place in the program's count
    // of ticks (the moment less the deadlines given up before it), order: a count over all
    // elements, visible: whether it shows or hides the element, writes: what the program wrote
    // into the element after it, as functions that write it}.
    waiting: {},
    changeCount: 0,
    // By element number, the earliest a frame that paints its last change may have begun: the
    // frame's own time for a change made in it, else a little after the change. The next change
    // waits until such a frame has been painted, so that none goes unpainted.
    made: {},
    // By element number, its last show: {time: the first frame painted with it, null until
    // then, late: that frame's lateness, counted: its tick's}.
    shown: {},
    frameAsked: false,
    frameMargin: 16,  // ms: a frame at 60 Hz; more than a tick is late on an idle machine
    lead: 24,         // ms from a change's moment to the frame it was shown on
    givenUp: 0,       // ms of deadlines the program's timers have given up so far
    lastFrame: 0,
    lateness: 0,  // ms the current frame's callbacks ran after it began
    framePeriod: 1000 / 60,
    // The frame period is measured only between a frame and the one it asked for, the next;
    // the median of the last few, so that a frame the browser skipped now and then decides
    // nothing. The first frames go on until three gaps in a row agree to within a quarter, and
    // the period is taken from those on: a page just opened may run its frames unevenly for a
    // while (Firefox, a quarter of a second), and a screen of 120 Hz taken for 30 or 60 would
    // cut flashes by a frame. A browser whose frames never settle is taken as it is after 30.
    chained: false,
    gaps: [],
    unsettled: 30,  // gaps still to be measured before the period is taken without agreement

    // Makes the first waiting change of element `number`, on the frame of `time`, or at once when
    // `time` is null.
    present: function(number, time) {
      var self = LV_presenter;
      var queue = self.waiting[number];
      var change = queue.shift();
      self.made[number] = time === null ? performance.now() + 1 : time;
      LV.elements[number].hidden = !change.visible;
      change.writes.forEach(function(write) { write(); });
      if (change.visible) {
        self.shown[number] = {time: time, counted: change.counted, late: self.lateness};
      } else {
        delete self.shown[number];
      }
      if (!queue.length) delete self.waiting[number];
    },

    presentAll: function() {
      for (var number in LV_presenter.waiting) {
        while (LV_presenter.waiting[number]) LV_presenter.present(number, null);
      }
    },

    // The elements with changes waiting, their first changes in the order the program made them.
    inOrder: function() {
      var waiting = LV_presenter.waiting;
      return Object.keys(waiting).sort(function(a, b) {
        return waiting[a][0].order - waiting[b][0].order;
      });
    },

    // Whether element `number`'s first waiting change may be made at `time`, the frame of
    // `painted` being on screen and the change painted `late` ms after `time`: after every change
    // the program made before it, once a frame has painted the element's change before it, and a
    // hide once its show has been on screen as long as their ticks are apart, to within half a
    // frame, whatever the lead did since.
    mayGo: function(number, change, time, painted, late) {
      var self = LV_presenter;
      for (var other in self.waiting) {
        if (self.waiting[other][0].order < change.order) return false;
      }
      if (number in self.made && painted < self.made[number]) return false;
      var shown = !change.visible && self.shown[number];
      if (!shown) return true;
      var held = shown.late - late;  // how much later after their frames began the show's ran
      var since = time - shown.time - (held > self.framePeriod ? held : 0);
      return since >= change.counted - shown.counted - self.framePeriod / 2;
    },

    // Takes in a gap between a frame and the next.
    measure: function(gap) {
      var self = LV_presenter;
      self.gaps.push(gap);
      if (self.gaps.length > 7) self.gaps.shift();
      if (self.unsettled > 0) {
        var last = self.gaps.slice(-3);
        var agree = last.length === 3 &&
            Math.max.apply(null, last) <= 1.25 * Math.min.apply(null, last);
        if (!agree && --self.unsettled > 0) return;
        if (agree) self.gaps = last;
        self.unsettled = 0;
      }
      var sorted = self.gaps.slice().sort(function(a, b) { return a - b; });
      self.framePeriod = sorted[sorted.length >> 1];
    },

    askFrame: function() {
      if (LV_presenter.frameAsked) return;
      LV_presenter.frameAsked = true;
      requestAnimationFrame(LV_presenter.frame);
    },

    frame: function(time) {
      var self = LV_presenter;
      self.frameAsked = false;
      // A gap of more than 50 ms is frames the browser did not run (under load), not a screen.
      var gap = time - self.lastFrame;
      if (self.chained && gap > 4 && gap < 50) self.measure(gap);
      self.chained = false;
      var painted = self.lastFrame;  // the frame before this one
      self.lateness = performance.now() - time;
      self.lastFrame = time;
      for (var shownNumber in self.shown) {
        var show = self.shown[shownNumber];
        if (show.time === null && time >= self.made[shownNumber]) {
          show.time = time;
          show.late = self.lateness;
        }
      }
      self.inOrder().forEach(function(number) {
        var change = self.waiting[number][0];
        var lead = time - change.moment;
        var shown = !change.visible && self.shown[number];
        if (!self.mayGo(number, change, time, painted, self.lateness)) return;
        if (!shown && lead < self.lead - self.framePeriod / 2) return;
        self.present(number, time);
        if (shown || lead >= self.lead + self.framePeriod / 2) return;  // not on the lead's frame
        // Moved by a frame only once well outside, or a lead near a bound would go to and fro.
        if (lead < self.frameMargin - 4) lead += self.framePeriod;
        if (lead > self.frameMargin + self.framePeriod + 4) lead -= self.framePeriod;
        self.lead = lead;
      });
      var more = self.unsettled > 0;
      for (var waiting in self.waiting) more = true;
      // A show made at a tick (its frame was asked for when it was made) is counted from the first
      // frame that paints it: the frames go on until one has, not until its hide's tick asks.
      for (var unpainted in self.shown) more = more || self.shown[unpainted].time === null;
      if (more) {
        self.askFrame();
        self.chained = true;
      }
    },

    // A tick of the program's begins (`moment`: its place in the schedule, `givenUp`: the ms of
    // deadlines every timer has given up so far) or ends (null). A browser that runs no frame for a
    // while (WebKitGTK under load) still rings the timers: a change two frames past its own is
    // made at the tick, as a plain page would.
    tick: function(moment, givenUp) {
      var self = LV_presenter;
      LV.moment = moment;
      if (moment === null) return;
      self.givenUp = givenUp;
      var now = performance.now();
      self.inOrder().forEach(function(number) {
        var first = self.waiting[number][0];
        var overdue = now - first.moment >= self.lead + 2 * self.framePeriod;
        if (overdue && self.mayGo(number, first, now, self.lastFrame, 0)) {
          self.present(number, null);
        }
      });
    },

    // Shows or hides element `number`: a label or picture in a tick on its frame, anything else
    // at once.
    change: function(number, visible) {
      var self = LV_presenter;
      var element = LV.elements[number];
      if ((element.tagName !== 'LABEL' && element.tagName !== 'IMG') || LV.moment === null) {
        self.presentAll();
        element.hidden = !visible;
        return;
      }
      var queue = self.waiting[number] || [];
      var last = queue[queue.length - 1];
      var shown = last ? last.visible : !element.hidden;  // as the program left it
      if (shown === visible) return;
      queue.push({moment: LV.moment, counted: LV.moment - self.givenUp, order: ++self.changeCount,
                  visible: visible, writes: []});
      self.waiting[number] = queue;
      self.askFrame();
    },

    // Writes into element `number` (`write` does), with its last waiting change if it has any.
    write: function(number, write) {
      var queue = LV_presenter.waiting[number];
      if (queue) {
        queue[queue.length - 1].writes.push(write);
      } else {
        write();
      }
    },
  },
});
