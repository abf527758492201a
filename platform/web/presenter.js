// The frames a label's change is painted on, part of the page's side of the web backend (see
// dom.js), linked into lettervonk.js.
//
// The syllable is shown and hidden on frames chosen by the schedule, not by when its tick ran.
// It is on screen from the first frame painted with it to the first painted without it, and the
// browser paints a change on the next frame after it is made: a tick that runs a millisecond
// earlier or later against the frames' beat would keep it one frame more or fewer. So a label
// that a timer's tick shows or hides changes on the frame nearest to a fixed lead after the tick's
// place in the schedule, its moment, which the program tells the page (lv_tick_moment): a show
// and a hide a whole number of ticks apart land that many frames apart, as long as neither tick
// ran later than the lead. The lead is that of the change before, kept about a frame after the
// margin, so that frame times that waver (Firefox's do by half a millisecond) decide nothing: the
// frames either side are half a frame further. Nothing changes before its tick has run.
//
// A hidden label stays on screen until its frame while the program goes on at once with a hidden
// copy in its place, since it writes the next syllable right after the hide. Every other change (a
// click, a key, a window opened, the rest picture, whose timer stops in its own tick before
// hiding it, a tick made up after a stall) is made at once, after whatever was waiting for its
// frame, so that the order of changes on screen is the program's; a made-up tick whose label
// still waits for its frame lets that frame be painted first.
mergeInto(LibraryManager.library, {
  $LV_presenter__deps: ['$LV'],
  $LV_presenter: {
    // By element number: {moment, leaving: the element taken off screen, arriving: the element
    // put on screen}; a show has only an arriving element, a hide only a leaving one.
    waiting: {},
    frameAsked: false,
    frameMargin: 16,  // ms: a frame at 60 Hz; more than a tick is late on an idle machine
    lead: 24,         // ms from a change's moment to the frame it was shown on
    lastFrame: 0,
    framePeriod: 1000 / 60,

    present: function(number) {
      var change = LV_presenter.waiting[number];
      delete LV_presenter.waiting[number];
      if (change.arriving) change.arriving.hidden = false;
      if (change.leaving) {
        var id = change.leaving.id;
        change.leaving.remove();
        LV.elements[number].id = id;
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
        var change = self.waiting[number];
        if (change.moment === null) {
          // Made up after a stall: this frame paints the change before, the next one this.
          if (change.waited) self.present(number);
          change.waited = true;
          continue;
        }
        var lead = time - change.moment;
        if (lead < self.lead - self.framePeriod / 2) continue;
        self.present(number);
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
      var label = LV.elements[number].tagName === 'LABEL';
      var moment = label ? LV.moment : null;
      // A tick made up after a stall changes its label at once, unless the label's change before
      // is still waiting for its frame: made together in one turn, that one would never be seen
      // (a syllable shown and hidden unpainted). Then that one is made now and painted on the
      // next frame, and this one waits for the frame after.
      var atOnce = moment === null && !(label && number in self.waiting);
      if (atOnce) {
        for (var waiting in self.waiting) self.present(waiting);
      } else if (self.waiting[number]) {
        self.present(number);
      }
      var element = LV.elements[number];
      if (atOnce || element.hidden === !visible) {
        element.hidden = !visible;
        return;
      }
      var change = {moment: moment, leaving: null, arriving: null};
      if (visible) {
        change.arriving = element;
      } else {
        var copy = element.cloneNode(true);
        copy.removeAttribute('id');
        copy.hidden = true;
        element.after(copy);
        LV.elements[number] = copy;
        change.leaving = element;
      }
      self.waiting[number] = change;
      self.askFrame();
    },
  },
});
