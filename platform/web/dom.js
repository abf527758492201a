// The page's side of the web backend, linked into lettervonk.js. It builds and changes the DOM as
// the C++ says, and queues the browser's events for the program's own loop, which takes them one
// at a time: the handlers run there, never here, since only that loop may wait.
mergeInto(LibraryManager.library, {
  $LV__postset: 'LV.listen();',
  $LV: {
    elements: [null],  // by number; 0 is none
    queue: [],
    wake: null,        // set while the program's loop sleeps
    shown: [],         // the windows shown, the one in front last
    alarms: {},
    lock: null,        // the screen wake lock, while held
    keepOn: false,
    resizeQueued: false,

    // The syllable is shown and hidden on frames chosen by the schedule, not by when its tick
    // ran. It is on screen from the first frame painted with it to the first painted without
    // it, and the browser paints a change on the next frame after it is made: a tick that runs a
    // millisecond earlier or later against the frames' beat would keep it one frame more or
    // fewer. So a label that a timer's tick shows or hides changes on the frame nearest to a
    // fixed lead after the tick's place in the schedule (its moment): a show and a hide a whole
    // number of ticks apart land that many frames apart, as long as neither tick ran later than
    // the lead. The lead is that of the change before, kept about a frame after the margin, so
    // that frame times that waver (Firefox's do by half a millisecond) decide nothing: the
    // frames either side are half a frame further. Nothing changes before its tick has run.
    // A hidden label stays on screen until its frame while the program goes on at once with a
    // hidden copy in its place, since it writes the next syllable right after the hide. Every other
    // change (a click, a key, a window opened, the rest picture, whose timer stops in its own
    // tick before hiding it, a tick made up after a stall) is made at once, after whatever was
    // waiting for its frame, so that the order of changes on screen is the program's; a made-up
    // tick whose label still waits for its frame lets that frame be painted first.
    presenting: {},  // by element number: {moment, shown: element to take away, hidden: to show}
    frameAsked: false,
    frameMargin: 16,  // ms: a frame at 60 Hz; more than a tick is late on an idle machine
    lead: 24,         // ms from a change's moment to the frame it was shown on
    lastFrame: 0,
    framePeriod: 1000 / 60,

    // The moment of the tick being run: while an alarm rings, the program runs at once on its
    // push, before the alarm moves on to its next due time, which is in the future otherwise.
    // The due time may lie up to a step of the clock past the deadline the pacer took the tick
    // at: the program and the alarm each read the clock, and Firefox's and WebKit's step by a
    // millisecond.
    tickMoment: function() {
      var now = performance.now() + 1.5, moment = null;
      for (var number in LV.alarms) {
        var due = LV.alarms[number].due;
        if (due <= now && (moment === null || due > moment)) moment = due;
      }
      return moment;
    },
    present: function(number) {
      var change = LV.presenting[number];
      delete LV.presenting[number];
      if (change.hidden) change.hidden.hidden = false;
      if (change.shown) {
        var id = change.shown.id;
        change.shown.remove();
        LV.elements[number].id = id;
      }
    },
    frame: function(time) {
      LV.frameAsked = false;
      var gap = time - LV.lastFrame;
      if (gap > 4 && gap < 50) LV.framePeriod = gap;
      LV.lastFrame = time;
      for (var number in LV.presenting) {
        var change = LV.presenting[number];
        if (change.moment === null) {
          // Made up after a stall: this frame paints the change before, the next one this.
          if (change.waited) LV.present(number);
          change.waited = true;
          continue;
        }
        var lead = time - change.moment;
        if (lead < LV.lead - LV.framePeriod / 2) continue;
        LV.present(number);
        // Moved by a frame only once well outside, or a lead near a bound would go to and fro.
        if (lead < LV.frameMargin - 4) lead += LV.framePeriod;
        if (lead > LV.frameMargin + LV.framePeriod + 4) lead -= LV.framePeriod;
        LV.lead = lead;
      }
      for (var waiting in LV.presenting) {
        LV.frameAsked = true;
        requestAnimationFrame(LV.frame);
        break;
      }
    },

    add: function(element) {
      LV.elements.push(element);
      element.dataset.lv = LV.elements.length - 1;
      return LV.elements.length - 1;
    },
    number: function(element) {
      return element && element.dataset && element.dataset.lv ? Number(element.dataset.lv) : 0;
    },
    push: function(event) {
      LV.queue.push(event);
      if (LV.wake) LV.wake();
    },
    front: function() {
      return LV.shown[LV.shown.length - 1];
    },
    title: function() {
      var front = LV.front();
      document.title = front ? front.querySelector('.caption').textContent : 'Lettervonk';
    },

    // Keys go to the program as they come, with the window in front and the focused element:
    // it decides what they press. The browser's own use of them is prevented here, at once.
    key: function(e) {
      var front = LV.front();
      if (!front || document.getElementById('message').open) return;
      var down = e.type === 'keydown';
      var focused = LV.number(document.activeElement);
      var letter = /^Key[A-Z]$/.test(e.code) ? e.code.charCodeAt(3) + 32 : 0;
      if (e.altKey && !e.ctrlKey && !e.metaKey && letter) {
        // By the key's place, not its character: Option+S types "ß" on a Mac.
        var mnemonic = front.querySelector('button[data-mnemonic="' + String.fromCharCode(letter) + '"]');
        if (!mnemonic || mnemonic.hidden) return;
        e.preventDefault();
        if (down) LV.push([4, 1, letter, e.repeat ? 1 : 0, LV.number(front), focused]);
        return;
      }
      var enter = e.key === 'Enter', space = e.key === ' ';
      if (!(enter || space) || document.activeElement.tagName !== 'BUTTON' ||
          !front.contains(document.activeElement)) return;
      e.preventDefault();  // the program presses the button, by its own rules
      LV.push([4, down ? 1 : 0, enter ? 1 : 2, e.repeat ? 1 : 0, LV.number(front), focused]);
    },

    requestLock: function() {
      if (!LV.keepOn || LV.lock || document.hidden || !navigator.wakeLock) return;
      navigator.wakeLock.request('screen').then(function(lock) {
        if (LV.keepOn) LV.lock = lock; else lock.release();
        lock.addEventListener('release', function() { if (LV.lock === lock) LV.lock = null; });
      }, function() {});  // refused: the screen may dim, nothing else changes
    },

    listen: function() {
      document.addEventListener('keydown', LV.key, true);
      document.addEventListener('keyup', LV.key, true);
      var message = document.getElementById('message');
      message.addEventListener('close', function() { LV.push([5]); });
      // A key held from the program's window must not acknowledge the message by its repeats.
      message.addEventListener('keydown', function(e) { if (e.repeat) e.preventDefault(); });
      window.addEventListener('resize', function() {
        if (LV.resizeQueued) return;
        LV.resizeQueued = true;
        LV.push([6]);
      });
      document.addEventListener('visibilitychange', function() {
        LV.push([7, document.hidden ? 1 : 0]);
        LV.requestLock();  // the browser releases the lock when the page is hidden
      });
      document.getElementById('restart').addEventListener('click', function() {
        location.reload();
      });
    },
  },

  lv_next_event__deps: ['$LV'],
  lv_next_event: function(out, yieldOnly) {
    function take() {
      var event = LV.queue.shift() || [0];
      if (event[0] === 6) LV.resizeQueued = false;
      for (var i = 0; i < 6; ++i) HEAP32[(out >> 2) + i] = event[i] || 0;
    }
    if (LV.queue.length && !yieldOnly) return take();
    return Asyncify.handleSleep(function(wakeUp) {
      function done() {
        LV.wake = null;
        take();
        wakeUp();
      }
      if (yieldOnly) {
        // A message comes back after one turn of the browser's loop, with no 4 ms clamp.
        var channel = new MessageChannel();
        channel.port1.onmessage = done;
        channel.port2.postMessage(0);
      } else {
        LV.wake = done;
      }
    });
  },

  lv_window_create__deps: ['$LV'],
  lv_window_create: function(name, caption, grey) {
    var window_ = document.createElement('section');
    window_.className = 'window' + (grey ? ' grey' : '');
    window_.id = UTF8ToString(name);
    window_.hidden = true;
    window_.setAttribute('role', 'dialog');
    window_.setAttribute('aria-labelledby', window_.id + '-caption');
    var bar = document.createElement('div');
    bar.className = 'titlebar';
    var title = document.createElement('span');
    title.className = 'caption';
    title.id = window_.id + '-caption';
    title.textContent = UTF8ToString(caption);
    var close = document.createElement('button');
    close.className = 'close';
    close.tabIndex = -1;  // not in the focus order of the window's controls
    close.setAttribute('aria-label', 'Sluiten');
    close.textContent = '\u00d7';
    bar.append(title, close);
    var client = document.createElement('div');
    client.className = 'client';
    window_.append(bar, client);
    document.getElementById('desktop').append(window_);
    var number = LV.add(window_);
    close.addEventListener('click', function() { LV.push([3, number]); });
    return number;
  },

  lv_window_show__deps: ['$LV'],
  lv_window_show: function(number) {
    var window_ = LV.elements[number];
    LV.shown = LV.shown.filter(function(w) { return w !== window_; });
    LV.shown.push(window_);
    LV.shown.forEach(function(w, i) { w.style.zIndex = i + 1; });
    window_.hidden = false;
    LV.title();
  },

  lv_window_hide__deps: ['$LV'],
  lv_window_hide: function(number) {
    var window_ = LV.elements[number];
    if (!window_) return;
    window_.hidden = true;
    LV.shown = LV.shown.filter(function(w) { return w !== window_; });
    LV.title();
  },

  lv_window_place__deps: ['$LV'],
  lv_window_place: function(number, left, top, width, height, titleHeight, fontPx) {
    var style = LV.elements[number].style;
    style.left = left + 'px';
    style.top = top + 'px';
    style.width = width + 'px';
    style.height = height + 'px';
    style.setProperty('--title-height', titleHeight + 'px');
    style.fontSize = fontPx + 'px';
  },

  lv_viewport_width: function() { return document.documentElement.clientWidth; },
  lv_viewport_height: function() { return document.documentElement.clientHeight; },

  lv_control_create__deps: ['$LV'],
  lv_control_create: function(window_, kind, name, text, mnemonic) {
    var owner = LV.elements[window_];
    var caption = UTF8ToString(text);
    var element;
    if (kind === 0) {
      element = document.createElement('label');
      element.textContent = caption;
    } else if (kind === 1) {
      element = document.createElement('input');
      element.type = 'text';
      element.autocomplete = 'off';
      element.spellcheck = false;
      element.setAttribute('autocapitalize', 'off');
      element.setAttribute('autocorrect', 'off');
      element.inputMode = 'decimal';
    } else if (kind === 2) {
      element = document.createElement('button');
      element.type = 'button';
      if (mnemonic >= 0) {
        var letter = caption.charAt(mnemonic);
        var underlined = document.createElement('u');
        underlined.textContent = letter;
        element.append(caption.slice(0, mnemonic), underlined, caption.slice(mnemonic + 1));
        element.dataset.mnemonic = letter.toLowerCase();
        element.setAttribute('aria-keyshortcuts', 'Alt+' + letter.toUpperCase());
      } else {
        element.textContent = caption;
      }
    } else {
      element = document.createElement('img');
      element.src = caption + '.bmp';
      element.alt = 'Even rust';
      element.tabIndex = 0;  // a tab stop while it is shown, as on the desktop
    }
    element.id = owner.id + '-' + UTF8ToString(name);
    owner.querySelector('.client').append(element);
    var number = LV.add(element);
    if (kind === 2) element.addEventListener('click', function() { LV.push([2, number]); });
    return number;
  },

  lv_control_place__deps: ['$LV'],
  lv_control_place: function(number, left, top, width, height) {
    var style = LV.elements[number].style;
    style.left = left + 'px';
    style.top = top + 'px';
    style.width = width + 'px';
    style.height = height + 'px';
  },

  lv_control_show__deps: ['$LV'],
  lv_control_show: function(number, visible) {
    var label = LV.elements[number].tagName === 'LABEL';
    var moment = label ? LV.tickMoment() : null;
    // A tick made up after a stall changes its label at once, unless the label's change before
    // is still waiting for its frame: made together in one turn, that one would never be seen
    // (a syllable shown and hidden unpainted). Then that one is made now and painted on the next
    // frame, and this one waits for the frame after.
    var atOnce = moment === null && !(label && number in LV.presenting);
    if (atOnce) {
      for (var waiting in LV.presenting) LV.present(waiting);
    } else if (LV.presenting[number]) {
      LV.present(number);
    }
    var element = LV.elements[number];
    if (atOnce || element.hidden === !visible) {
      element.hidden = !visible;
      return;
    }
    var change = {moment: moment, shown: null, hidden: null};
    if (visible) {
      change.hidden = element;
    } else {
      var copy = element.cloneNode(true);
      copy.removeAttribute('id');
      copy.hidden = true;
      element.after(copy);
      LV.elements[number] = copy;
      change.shown = element;
    }
    LV.presenting[number] = change;
    if (!LV.frameAsked) {
      LV.frameAsked = true;
      requestAnimationFrame(LV.frame);
    }
  },

  lv_control_font__deps: ['$LV'],
  lv_control_font: function(number, face, px, bold) {
    var style = LV.elements[number].style;
    style.fontFamily = '"' + UTF8ToString(face) + '", var(--sans)';
    style.fontSize = px + 'px';
    style.fontWeight = bold ? 'bold' : 'normal';
  },

  lv_control_centre__deps: ['$LV'],
  lv_control_centre: function(number, centre) {
    LV.elements[number].style.textAlign = centre ? 'center' : 'left';
  },

  lv_label_for__deps: ['$LV'],
  lv_label_for: function(label, field) { LV.elements[label].htmlFor = LV.elements[field].id; },

  lv_set_text__deps: ['$LV'],
  lv_set_text: function(number, text) {
    var element = LV.elements[number];
    if (element.tagName === 'INPUT') element.value = UTF8ToString(text);
    else element.textContent = UTF8ToString(text);
  },

  lv_text_size__deps: ['$LV'],
  lv_text_size: function(number) { return lengthBytesUTF8(LV.elements[number].value); },

  lv_copy_text__deps: ['$LV'],
  lv_copy_text: function(number, buffer, size) {
    stringToUTF8(LV.elements[number].value, buffer, size);
  },

  lv_focus__deps: ['$LV'],
  lv_focus: function(number, selectAll) {
    var element = LV.elements[number];
    element.focus();
    if (selectAll) element.select();
  },

  lv_focused_element__deps: ['$LV'],
  lv_focused_element: function(window_) {
    var focused = document.activeElement;
    return LV.elements[window_].contains(focused) ? LV.number(focused) : 0;
  },

  lv_alarm_ring__deps: ['$LV'],
  lv_alarm_ring: function(number, firstMs, periodMs) {
    var alarm = LV.alarms[number];
    if (alarm) clearTimeout(alarm.timeout);
    alarm = LV.alarms[number] = {due: performance.now() + firstMs, timeout: 0};
    function ring() {
      LV.push([1, number]);
      // The program's loop runs at once on that push, and its pacer may have set this alarm
      // anew or silenced it: then this ringing ends here, or it would go on beside the new one,
      // out of anyone's reach.
      if (LV.alarms[number] !== alarm) return;
      // Keeps its phase; rings it could not make in time are the pacer's to make up.
      var now = performance.now();
      do alarm.due += periodMs; while (alarm.due <= now);
      alarm.timeout = setTimeout(ring, whole(alarm.due - now));
    }
    // A browser takes a delay in whole milliseconds, cutting off the fraction, so it would ring
    // up to a millisecond early: the pacer would find no tick due and ask again for the rest,
    // which a browser delays to 4 ms once timers are nested this deep.
    function whole(ms) { return Math.ceil(ms); }
    alarm.timeout = setTimeout(ring, whole(firstMs));
  },

  lv_alarm_silence__deps: ['$LV'],
  lv_alarm_silence: function(number) {
    var alarm = LV.alarms[number];
    if (alarm) clearTimeout(alarm.timeout);
    delete LV.alarms[number];
  },

  lv_show_message: function(title, text) {
    var message = document.getElementById('message');
    message.querySelector('h2').textContent = UTF8ToString(title);
    message.querySelector('p').textContent = UTF8ToString(text);
    message.showModal();
    message.querySelector('button').focus();
  },

  lv_keep_screen_on__deps: ['$LV'],
  lv_keep_screen_on: function(on) {
    LV.keepOn = !!on;
    if (LV.keepOn) {
      LV.requestLock();
    } else if (LV.lock) {
      LV.lock.release();
      LV.lock = null;
    }
  },

  lv_copy_decimal_separator: function(buffer, size) {
    var format;
    try {
      format = new Intl.NumberFormat(navigator.languages);
    } catch (e) {
      format = new Intl.NumberFormat();  // a language the browser cannot name, such as "C"
    }
    var parts = format.formatToParts(1.5);
    var separator = parts.find(function(part) { return part.type === 'decimal'; });
    stringToUTF8(separator ? separator.value : '.', buffer, size);
  },

  lv_stopped__deps: ['$LV'],
  lv_stopped: function() {
    LV.shown.forEach(function(w) { w.hidden = true; });
    LV.shown = [];
    document.title = 'Lettervonk';
    // An installed app's window closes. A tab stays, and says so: closing it would take with it
    // whatever the user came from, and a tab opened on this page alone would be closed.
    var app = ['standalone', 'fullscreen', 'minimal-ui', 'window-controls-overlay'].some(
        function(mode) { return matchMedia('(display-mode: ' + mode + ')').matches; });
    if (app || navigator.standalone) window.close();
    var stopped = document.getElementById('stopped');
    stopped.hidden = false;
    document.getElementById('restart').focus();
  },
});
