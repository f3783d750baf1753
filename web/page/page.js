// The page around the saver. The flock is drawn by quellwire.js (the module and its host,
// saver_host.js): in a worker on the canvas's
// OffscreenCanvas where the browser can, so that this thread only handles the page, else here.
// Here: the canvas's size in device pixels, visibility, full screen and the screen kept awake
// there, reduced motion, the settings panel, the address and what is remembered, sharing, and the
// offline copy. `document.body.dataset.state` tells scripts where the page is: loading, live,
// lost, no-webgl2 or failed.
'use strict';
(function () {
  let canvas = document.getElementById('saver');
  const message = document.getElementById('message');
  const panel = document.getElementById('panel');
  const settingsButton = document.getElementById('settings-button');
  const fullscreenButton = document.getElementById('fullscreen-button');
  const playButton = document.getElementById('play-button');
  const shareButton = document.getElementById('share-button');
  const announce = document.getElementById('announce');
  const quality = document.getElementById('quality');
  const controls = Array.from(panel.querySelectorAll('[data-setting]'));
  const storageKey = 'quellwire.settings';
  // The wake rule's inputs, numbered as WakeInputKind.
  const KEY_DOWN = 0, BUTTON_DOWN = 1, POINTER_MOVED = 3, FOCUS_LOST = 4;

  function show(text, state) {
    message.textContent = text;
    message.hidden = false;
    document.body.dataset.state = state;
    // Without a flock the controls have nothing to act on.
    if (state !== 'lost') document.querySelector('.chrome').hidden = true;
  }
  function remembered() {
    try { return localStorage.getItem(storageKey) || ''; } catch (e) { return ''; }
  }

  if (location.protocol === 'file:') {
    show('Quellwire loads only from a web server, not from a file: serve this folder ' +
         '(scripts/run --web does) and open its address.', 'failed');
    return;
  }
  if (typeof WebAssembly !== 'object') {
    show('Quellwire needs a browser with WebAssembly and WebGL 2.', 'failed');
    return;
  }

  // The offline copy: the service worker keeps this build's files once the page has loaded.
  if ('serviceWorker' in navigator) {
    window.addEventListener('load', function () {
      navigator.serviceWorker.register('service-worker.js').catch(function () {});
    });
  }

  // The host: a worker on the canvas's OffscreenCanvas, else the same script on this thread.
  let port = null, worker = null;
  const replies = new Map();
  let nextReply = 0;
  function send(message, transfer) { port.postMessage(message, transfer || []); }
  function ask(type, extra) {
    const id = ++nextReply;
    return new Promise(function (resolve) {
      replies.set(id, resolve);
      send(Object.assign({ type: type, id: id }, extra));
    });
  }
  function loadScript(src) {
    return new Promise(function (resolve, reject) {
      const script = document.createElement('script');
      script.src = src;
      script.onload = resolve;
      script.onerror = reject;
      document.head.appendChild(script);
    });
  }

  // The canvas's size in device pixels, never 0.
  let width = 1, height = 1;
  function measure(entry) {
    const ratio = window.devicePixelRatio || 1;
    const box = entry && entry.devicePixelContentBoxSize && entry.devicePixelContentBoxSize[0];
    width = Math.max(1, box ? box.inlineSize : Math.round(canvas.clientWidth * ratio));
    height = Math.max(1, box ? box.blockSize : Math.round(canvas.clientHeight * ratio));
  }
  function remeasure(entry) {
    const [w, h] = [width, height];
    measure(entry);
    if (port && (w !== width || h !== height)) send({ type: 'resize', width: width, height: height });
  }
  const resized = new ResizeObserver(function (entries) { remeasure(entries[entries.length - 1]); });
  let ratio = window.devicePixelRatio;

  const reducedMotion = window.matchMedia('(prefers-reduced-motion: reduce)').matches;
  let userHeld = reducedMotion;  // what Play and Pause chose; full screen always plays

  function begin(onWorker) {
    measure(null);
    let target = canvas;
    if (onWorker) {
      worker = new Worker('quellwire.js');
      worker.onerror = function (e) {
        e.preventDefault();
        show('Quellwire could not be loaded. Reload the page to try again.', 'failed');
      };
      port = worker;
      target = canvas.transferControlToOffscreen();
    } else {
      const channel = new MessageChannel();
      quellwireHost(channel.port2, canvas);
      target = null;
      port = channel.port1;
    }
    port.onmessage = function (e) { receive(e.data); };
    send({ type: 'start', canvas: target, query: location.search.slice(1), remembered: remembered(),
           width: width, height: height, seed: Math.floor(Math.random() * 4294967296),
           held: userHeld, visible: !document.hidden }, onWorker ? [target] : []);
    try {
      resized.observe(canvas, { box: 'device-pixel-content-box' });
    } catch (e) {
      resized.observe(canvas);
    }
  }
  // A canvas handed to a worker is that worker's for good: the page falls back on a fresh one.
  function beginHere() {
    if (worker) worker.terminate();
    worker = null;
    resized.disconnect();
    const fresh = canvas.cloneNode(false);
    canvas.replaceWith(fresh);
    canvas = fresh;
    loadScript('quellwire.js').then(function () { begin(false); }, notLoaded);
  }
  function notLoaded() {
    show('Quellwire could not be loaded. Reload the page to try again.', 'failed');
  }

  const seen = { frames: 0, runMs: 0, wires: 0, drawn: [0, 0], level: 0 };
  function receive(m) {
    if (m.type === 'started') started(m.code, m.still);
    else if (m.type === 'status') status(m);
    else if (m.type === 'settings') settingsChanged(m);
    else if (m.type === 'wake' && m.session === session) leaveFullScreen();
    else if (m.type === 'lost') document.body.dataset.state = 'lost';
    else if (m.type === 'restored') document.body.dataset.state = 'live';
    else if (m.type === 'failed') show('There is not enough memory for the flock.', 'failed');
    else if (m.type === 'reply') {
      replies.get(m.id)(m.value);
      replies.delete(m.id);
    }
  }
  function started(code, still) {
    playButton.hidden = still;  // a still from the address stays one
    if (code === 1 && worker) {
      beginHere();
    } else if (code === 1) {
      show('Quellwire draws with WebGL 2, which this browser does not offer or has turned off. ' +
           'A current Firefox, Chrome, Edge or Safari shows it; where WebGL is turned off, turn ' +
           'it on (and hardware acceleration) in the browser\'s settings.', 'no-webgl2');
    } else if (code === 2) {
      show('There is not enough memory for the flock.', 'failed');
    } else if (code !== 0) {
      notLoaded();
    }
  }
  function status(m) {
    Object.assign(seen, m);
    // A new pixel ratio (another screen, the page zoomed) need not change the canvas's box.
    if (window.devicePixelRatio !== ratio) {
      ratio = window.devicePixelRatio;
      remeasure(null);
    }
    if (document.body.dataset.state === 'loading' && m.frames > 0) {
      window.quellwire.firstFrameMs = performance.now();
      document.body.dataset.state = 'live';
    }
    const shown = m.level === 0 ? '' : 'This device draws the flock at ' +
      Math.round(100 * m.drawn[0] / width) + ' % of the screen\'s resolution to keep it smooth.';
    if (quality.textContent !== shown) quality.textContent = shown;
  }

  // The settings in force: in the panel, the address (beside others' pairs and the fragment,
  // which the module keeps) and what is remembered.
  function settingsChanged(m) {
    for (const control of controls) {
      const number = m.numbers[Number(control.dataset.setting)];
      if (control.type === 'checkbox') control.checked = number === 1;
      else control.value = String(number);
      const output = document.getElementById(control.id + '-value');
      if (output) output.value = String(number);
    }
    history.replaceState(history.state, '', '?' + m.query + location.hash);
    try { localStorage.setItem(storageKey, m.query); } catch (e) { /* private browsing */ }
  }
  for (const control of controls) {
    control.addEventListener('input', function () {
      const number = control.type === 'checkbox' ? (control.checked ? 1 : 0) : Number(control.value);
      send({ type: 'set', index: Number(control.dataset.setting), number: number });
    });
  }
  document.getElementById('reset').addEventListener('click', function () { send({ type: 'reset' }); });
  function openPanel(open) {
    panel.hidden = !open;
    settingsButton.setAttribute('aria-expanded', String(open));
  }
  settingsButton.addEventListener('click', function () { openPanel(panel.hidden); });
  document.addEventListener('keydown', function (e) {
    if (e.key === 'Escape' && !panel.hidden && !document.fullscreenElement) {
      openPanel(false);
      settingsButton.focus();
    }
  });

  // Play and Pause; with reduced motion asked for, the flock starts held.
  function holdChanged() {
    const held = userHeld && !document.fullscreenElement;
    if (port) send({ type: 'hold', held: held });
    playButton.textContent = userHeld ? 'Play' : 'Pause';
    playButton.setAttribute('aria-label', userHeld ? 'Play the flock' : 'Pause the flock');
  }
  playButton.addEventListener('click', function () {
    userHeld = !userHeld;
    holdChanged();
  });
  holdChanged();

  // The address with the settings: shared where the browser offers it, else copied.
  shareButton.addEventListener('click', function () {
    const url = location.href;
    const said = function (text) { announce.textContent = text; };
    if (navigator.share) {
      navigator.share({ title: document.title, url: url })
        .then(function () { said('Link shared.'); }, function () {});
    } else if (navigator.clipboard && navigator.clipboard.writeText) {
      navigator.clipboard.writeText(url).then(function () { said('Link copied.'); },
        function () { said('The link could not be copied: copy it from the address bar.'); });
    } else {
      said('Copy the link from the address bar.');
    }
  });
  if (navigator.share) shareButton.textContent = 'Share link';

  // Full screen is the saver: the pointer hidden, the screen kept awake, the flock flying; a key,
  // a button or a move of the pointer beyond the wake rule's few pixels leaves it, and the focus
  // goes back where it was.
  let focusBefore = null, wakeLock = null, wakeState = 'none';
  // Inputs count from the fullscreenchange that begins a session, which may come a little after
  // the full screen itself; an answer to an input of an earlier session is dropped.
  let session = 0, watching = false;
  function keepAwake() {
    if (!document.fullscreenElement || document.hidden || wakeLock || !navigator.wakeLock) return;
    wakeState = 'asked';
    navigator.wakeLock.request('screen').then(function (lock) {
      if (!document.fullscreenElement) {
        lock.release();
        return;
      }
      wakeLock = lock;
      wakeState = 'held';
      lock.addEventListener('release', function () {
        if (wakeLock === lock) wakeLock = null;
        wakeState = 'released';
      });
    }, function () { wakeState = 'refused'; });
  }
  function letSleep() {
    if (wakeLock) wakeLock.release().catch(function () {});
    wakeLock = null;
  }
  function leaveFullScreen() {
    if (document.fullscreenElement) Promise.resolve(document.exitFullscreen()).catch(function () {});
  }
  fullscreenButton.addEventListener('click', function () {
    focusBefore = document.activeElement;
    const request = document.documentElement.requestFullscreen;
    if (request) Promise.resolve(request.call(document.documentElement)).catch(function () {});
  });
  if (!document.fullscreenEnabled) fullscreenButton.hidden = true;
  document.addEventListener('fullscreenchange', function () {
    watching = document.fullscreenElement !== null;
    if (watching) {
      send({ type: 'watch' });
      ++session;
      keepAwake();
    } else {
      letSleep();
      if (focusBefore && document.contains(focusBefore)) focusBefore.focus();
      focusBefore = null;
    }
    holdChanged();
  });
  function wakes(kind, x, y) {
    if (watching && document.fullscreenElement) {
      send({ type: 'input', kind: kind, x: x, y: y, session: session });
    }
  }
  window.addEventListener('keydown', function () { wakes(KEY_DOWN, 0, 0); });
  window.addEventListener('pointerdown', function () { wakes(BUTTON_DOWN, 0, 0); });
  window.addEventListener('pointermove', function (e) {
    wakes(POINTER_MOVED, Math.round(e.screenX), Math.round(e.screenY));
  });
  window.addEventListener('blur', function () { wakes(FOCUS_LOST, 0, 0); });

  // The flock stops while the page is hidden; a wake lock, which the browser drops then, is asked
  // for again when it shows.
  document.addEventListener('visibilitychange', function () {
    if (port) send({ type: 'visible', visible: !document.hidden });
    keepAwake();
  });

  // For scripts and tests: the time of the first frame; the frames drawn, the time the flock has
  // run (ms), its wires, the canvas's size in device pixels and the size drawn, as last reported;
  // the wake lock's state; and, as promises, the picture drawn now (RGBA, bottom row first), the
  // GL error, the context lost and given back, and a round trip to the host.
  window.quellwire = {
    firstFrameMs: null,
    frames: function () { return seen.frames; },
    wires: function () { return seen.wires; },
    runMs: function () { return seen.runMs; },
    size: function () { return [width, height]; },
    drawn: function () { return seen.drawn; },
    wakeLock: function () { return wakeState; },
    capture: function () { return ask('capture'); },
    glError: function () { return ask('glError'); },
    loseContext: function () { return ask('loseContext', { restore: false }); },
    restoreContext: function () { return ask('loseContext', { restore: true }); },
    sync: function () { return ask('sync'); },
  };

  if (typeof Worker === 'function' && typeof OffscreenCanvas === 'function' &&
      typeof canvas.transferControlToOffscreen === 'function') {
    begin(true);
  } else {
    beginHere();
  }
})();
