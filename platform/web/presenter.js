// The frames a label's change is painted on, part of the page's side of the web backend (see
// dom.js), linked into lettervonk.js.
//
// The syllable is shown and hidden on frames chosen by the schedule, not by when its tick ran.
// It is on screen from the first frame painted with it to the first painted without it, and the
// browser paints a change on the next frame after it is made: a tick that runs a millisecond
// earlier or later against the frames' beat would keep it one frame more or fewer. So a label
// that a timer's tick shows or hides changes on the frame nearest to a fixed lead after the tick's
// place in the schedule, its moment, which the program tells the page (lv_tick_moment) for every
// tick, a late one or one made up after a busy moment too: a show and a hide a whole number of
// ticks apart land that many frames apart, as long as neither tick ran later than the lead. The
// lead follows the frames' beat from the changes that made their frame, kept about a frame after
// the margin, so that frame times that waver (Firefox's do by half a millisecond) decide nothing:
// the frames either side are half a frame further. A change whose tick ran too late for its frame
// goes on the next one and leaves the lead alone. Nothing changes before its tick has run.
//
// A browser under load may run no frame for a tenth of a second while its timers still ring
// (WebKitGTK does): a show then goes on screen late, and its hide, on its own frame, would cut the
// syllable short, to a frame or two. So a hide goes on the frame that keeps the element on screen
// as long as their moments are apart, to within half a frame, once its tick has run; the blank
// after it is shortened instead, and the next show is on its own frame again. The same keeps a
// flash whole when the lead moves by a frame between its show and its hide.
//
// A label's changes wait in turn, one a frame, so that a burst of ticks after a stall never
// shows and hides a syllable unpainted. A hidden label stays on screen until its frame while the
// program goes on at once with a hidden copy in its place, since it writes the next syllable right
// after the hide. Every other change (a click, a key, a window opened, the rest picture) is made at
// once, after whatever was waiting for its frame, so that the order of changes on screen is the
// program's: the syllable is gone before the picture comes.
mergeInto(LibraryManager.library, {
  $LV_presenter__deps: ['$LV'],
  $LV_presenter: {
    // By element number, in the order made: {moment, leaving: the element taken off screen,
    // arriving: the element put on screen, copy: the hidden copy that takes the leaving one's
    // place, after: the frame the change before was painted on}; a show has only an arriving
    // element, a hide a leaving one and its copy.
    waiting: {},
    // By element number, the last show made on a frame: {time: the frame's, moment: its tick's}.
    shown: {},
    frameAsked: false,
    frameMargin: 16,  // ms: a frame at 60 Hz; more than a tick is late on an idle machine
    lead: 24,         // ms from a change's moment to the frame it was shown on
    lastFrame: 0,
    framePeriod: 1000 / 60,

    // Makes the first waiting change of element `number`; true if more wait.
    present: function(number) {
      var queue = LV_presenter.waiting[number];
      var change = queue.shift();
      delete LV_presenter.shown[number];
      if (change.arriving) change.arriving.hidden = false;
      if (change.leaving) {
        change.copy.id = change.leaving.id;
        change.leaving.remove();
      }
      if (queue.length) return true;
      delete LV_presenter.waiting[number];
      return false;
    },

    presentAll: function() {
      for (var number in LV_presenter.waiting) {
        while (LV_presenter.present(number)) {}
      }
    },

    askFrame: function() {
      if (LV_presenter.frameAsked) return;
      LV_presenter.frameAsked = true;
      requestAnimationFrame(LV_presenter.frame);
    },

    frame: function(time) {
      var self = LV_presenter;
      self.frameAsked = false;
      var gap = time - self.lastFrame;
      if (gap > 4 && gap < 50) self.framePeriod = gap;
      self.lastFrame = time;
      for (var number in self.waiting) {
        var change = self.waiting[number][0];
        var lead = time - change.moment;
        var shown = change.leaving && self.shown[number];
        if (time <= change.after) continue;
        if (shown) {
          // As many frames after its show as the ticks are apart, whatever the lead did since.
          if (time - shown.time < change.moment - shown.moment - self.framePeriod / 2) continue;
        } else if (lead < self.lead - self.framePeriod / 2) {
          continue;
        }
        if (self.present(number)) self.waiting[number][0].after = time;
        if (change.arriving) self.shown[number] = {time: time, moment: change.moment};
        if (shown || lead >= self.lead + self.framePeriod / 2) continue;  // not on the lead's frame
        // Moved by a frame only once well outside, or a lead near a bound would go to and fro.
        if (lead < self.frameMargin - 4) lead += self.framePeriod;
        if (lead > self.frameMargin + self.framePeriod + 4) lead -= self.framePeriod;
        self.lead = lead;
      }
      for (var waiting in self.waiting) {
        self.askFrame();
        break;
      }
    },

    // Shows or hides element `number`: a label in a tick on its frame, anything else at once.
    change: function(number, visible) {
      var self = LV_presenter;
      var element = LV.elements[number];
      // A browser that runs no frame for a while (WebKitGTK under load) still rings the timers:
      // a change two frames past its own is made now, as a plain page would, and the next of
      // the same element waits for a frame after it, so that none goes unpainted.
      var now = performance.now();
      for (var late in self.waiting) {
        var first = self.waiting[late][0];
        if (first.after !== -Infinity || now - first.moment < self.lead + 2 * self.framePeriod) continue;
        if (self.present(late)) self.waiting[late][0].after = now;
      }
      if (element.tagName !== 'LABEL' || LV.moment === null) {
        self.presentAll();
        element.hidden = !visible;
        return;
      }
      var queue = self.waiting[number] || [];
      var last = queue[queue.length - 1];
      var shown = last ? !!last.arriving : !element.hidden;  // as the program left it
      if (shown === visible) return;
      var change = {moment: LV.moment, leaving: null, arriving: null, copy: null, after: -Infinity};
      if (last) change.after = Infinity;  // until the change before is painted
      if (visible) {
        change.arriving = element;
      } else {
        var copy = element.cloneNode(true);
        copy.removeAttribute('id');
        copy.hidden = true;
        element.after(copy);
        LV.elements[number] = copy;
        change.leaving = element;
        change.copy = copy;
      }
      queue.push(change);
      self.waiting[number] = queue;
      self.askFrame();
    },
  },
});
