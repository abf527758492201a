// The page's side of the web backend, linked into lettervonk.js with presenter.js and the
// numbers the build takes from dom.h (LV_C). It builds and changes the DOM as the C++ says, and
// queues the browser's events for the program's own loop, which takes them one at a time: the
// handlers run there, never here, since only that loop may wait. Each function's C prototype is
// in dom.h.
mergeInto(LibraryManager.library, {
  $LV__deps: ['$LV_C'],
  $LV__postset: 'LV.listen();',
  $LV: {
    elements: [null],  // by number; 0 is none
    queue: [],
    wake: null,        // set while the program's loop sleeps
    turn: null,        // a channel whose message comes back after one turn of the browser's loop
    turnDone: null,    // set while the program's loop waits for that message
    shown: [],         // the windows shown, the one in front last
    alarms: {},
    moment: null,      // the moment in its schedule of the tick that runs now, if one does
    lock: null,        // the screen wake lock, while held
    keepOn: false,
    resizeQueued: false,
    message: null,     // the error message, a <dialog>, and its one button
    ok: null,
    stopped: null,     // the notice after the end, and its one button
    restart: null,

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
    // Where a key goes: the message while it shows, the notice once the program has ended, or
    // the window in front.
    keyWindow: function() {
      if (LV.message.open) return LV.message;
      return LV.stopped.hidden ? LV.front() : LV.stopped;
    },

    // Enter and Space on a focused button, and Alt with a letter that marks a button of the
    // window in front, go to the program, which presses by its key rules; the browser's own use
    // of them is prevented here, at once. Every release of such a key goes too, so that the rules
    // know it is up again.
    key: function(e) {
      var win = LV.keyWindow();
      if (!win) return;
      var down = e.type === 'keydown';
      var motion = !down ? LV_C.key_up : e.repeat ? LV_C.key_repeat : LV_C.key_down;
      var focused = document.activeElement;
      var letter = /^Key[A-Z]$/.test(e.code) ? e.code.charCodeAt(3) + 32 : 0;
      var enter = e.key === 'Enter', space = e.key === ' ';
      var onButton = (enter || space) && focused.tagName === 'BUTTON' && win.contains(focused);
      if (down && letter && e.altKey && !e.ctrlKey && !e.metaKey) {
        // By the key's place, not its character: Option+S types "ß" on a Mac.
        var marked = win.querySelector('button[data-mnemonic="' + String.fromCharCode(letter) + '"]');
        if (!marked || marked.hidden) return;  // no button's: the browser's, as ever
        e.preventDefault();
      } else if (down && e.key === 'Tab' && win === LV.message) {
        e.preventDefault();  // the message's one button keeps the focus, as on the desktop
        return;
      } else if (onButton) {
        e.preventDefault();
      } else if (down || !(letter || enter || space)) {
        return;
      }
      var key = enter ? LV_C.key_enter : space ? LV_C.key_space : letter;
      LV.push([LV_C.event_key, motion, key, LV.number(win), LV.number(focused)]);
    },

    requestLock: function() {
      if (!LV.keepOn || LV.lock || document.hidden || !navigator.wakeLock) return;
      navigator.wakeLock.request('screen').then(function(lock) {
        if (LV.keepOn) LV.lock = lock; else lock.release();
        lock.addEventListener('release', function() { if (LV.lock === lock) LV.lock = null; });
      }, function() {});  // refused: the screen may dim, nothing else changes
    },

    listen: function() {
      LV.message = document.getElementById('message');
      LV.ok = LV.message.querySelector('button');
      LV.stopped = document.getElementById('stopped');
      LV.restart = document.getElementById('restart');
      [LV.message, LV.ok, LV.stopped, LV.restart].forEach(LV.add);
      // One channel for every turn: a drill making up ticks yields once per tick, and WebKit
      // delivers a message on a channel in use in a third of the time it takes on a new one.
      LV.turn = new MessageChannel();
      LV.turn.port1.onmessage = function() {
        var done = LV.turnDone;
        LV.turnDone = null;
        done();
      };
      document.addEventListener('keydown', LV.key, true);
      document.addEventListener('keyup', LV.key, true);
      LV.message.addEventListener('close', function() { LV.push([LV_C.event_message_closed]); });
      // A click beside "OK" leaves it the focus, as a desktop message box does.
      LV.message.addEventListener('mousedown', function(e) {
        if (e.target !== LV.ok) e.preventDefault();
      });
      window.addEventListener('resize', function() {
        if (LV.resizeQueued) return;
        LV.resizeQueued = true;
        LV.push([LV_C.event_resize]);
      });
      document.addEventListener('visibilitychange', function() {
        LV.push([LV_C.event_visibility, document.hidden ? 1 : 0]);
        LV.requestLock();  // the browser releases the lock when the page is hidden
      });
      // Pressed by the pointer, or by the program for a key (lv_click).
      LV.restart.addEventListener('click', function() { location.reload(); });
    },
  },

  lv_next_event__deps: ['$LV'],
  lv_next_event: function(out, yieldOnly) {
    function take() {
      var event = LV.queue.shift() || [LV_C.event_none];
      if (event[0] === LV_C.event_resize) LV.resizeQueued = false;
      for (var i = 0; i < 5; ++i) HEAP32[(out >> 2) + i] = event[i] || 0;
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
        LV.turnDone = done;
        LV.turn.port2.postMessage(0);
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
    close.addEventListener('click', function() { LV.push([LV_C.event_close, number]); });
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
    if (kind === LV_C.label) {
      element = document.createElement('label');
      element.textContent = caption;
    } else if (kind === LV_C.edit) {
      element = document.createElement('input');
      element.type = 'text';
      element.autocomplete = 'off';
      element.spellcheck = false;
      element.setAttribute('autocapitalize', 'off');
      element.setAttribute('autocorrect', 'off');
      element.inputMode = 'decimal';
    } else if (kind === LV_C.button) {
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
    if (kind === LV_C.button) {
      element.addEventListener('click', function() { LV.push([LV_C.event_click, number]); });
    }
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

  lv_control_show__deps: ['$LV_presenter'],
  lv_control_show: function(number, visible) { LV_presenter.change(number, visible); },

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

  lv_set_text__deps: ['$LV', '$LV_presenter'],
  lv_set_text: function(number, text) {
    var element = LV.elements[number];
    var value = UTF8ToString(text);
    if (element.tagName === 'INPUT') {
      element.value = value;
      return;
    }
    LV_presenter.write(number, function() { element.textContent = value; });
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

  lv_click__deps: ['$LV'],
  lv_click: function(number) { LV.elements[number].click(); },

  lv_alarm_ring__deps: ['$LV'],
  lv_alarm_ring: function(number, firstMs, periodMs) {
    var alarm = LV.alarms[number];
    if (alarm) clearTimeout(alarm.timeout);
    alarm = LV.alarms[number] = {due: performance.now() + firstMs, timeout: 0};
    function ring() {
      var wake = LV.wake;
      if (wake) {
        // The program's loop sleeps with nothing queued: the tick runs here, and the loop wakes
        // only if the tick left it something to do, or queued an event (none may wake it while
        // the tick runs).
        LV.wake = null;
        var mustWake = _lv_alarm_rang_while_asleep(number);
        LV.wake = wake;
        if (mustWake || LV.queue.length) wake();
      } else {
        LV.push([LV_C.event_alarm, number]);
      }
      // The tick ran at once, and its pacer may have set this alarm anew or silenced it: then
      // this ringing ends here, or it would go on beside the new one, out of anyone's reach.
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

  lv_tick_moment__deps: ['$LV_presenter'],
  lv_tick_moment: function(moment, givenUp) { LV_presenter.tick(moment < 0 ? null : moment, givenUp); },

  lv_show_message__deps: ['$LV'],
  lv_show_message: function(title, text) {
    LV.message.querySelector('h2').textContent = UTF8ToString(title);
    LV.message.querySelector('p').textContent = UTF8ToString(text);
    LV.message.showModal();
    LV.ok.focus();
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
    LV.stopped.hidden = false;
    LV.restart.focus();
  },
});
