// The page around the saver: the browser's events go to the module's functions (web_saver.cpp),
// which decide. Here: the canvas's size at the device's pixel ratio, the animation frames, the
// pause while hidden, a lost context, full screen, the settings panel, the address and what is
// remembered. `document.body.dataset.state` tells scripts where the page is: loading, live,
// lost, no-webgl2 or failed.
'use strict';
(function () {
  const canvas = document.getElementById('saver');
  const message = document.getElementById('message');
  const panel = document.getElementById('panel');
  const settingsButton = document.getElementById('settings-button');
  const fullscreenButton = document.getElementById('fullscreen-button');
  const controls = Array.from(panel.querySelectorAll('[data-setting]'));
  const storageKey = 'quellwire.settings';
  // The wake rule's inputs, numbered as WakeInputKind.
  const KEY_DOWN = 0, BUTTON_DOWN = 1, POINTER_MOVED = 3, FOCUS_LOST = 4;

  function show(text, state) {
    message.textContent = text;
    message.hidden = false;
    document.body.dataset.state = state;
  }
  function remembered() {
    try { return localStorage.getItem(storageKey) || ''; } catch (e) { return ''; }
  }

  if (typeof WebAssembly !== 'object' || typeof createQuellwire !== 'function') {
    show('Quellwire needs a browser with WebAssembly and WebGL 2.', 'failed');
    return;
  }
  createQuellwire().then(start, function () {
    show(location.protocol === 'file:'
      ? 'Quellwire loads only from a web server, not from a file: serve this folder ' +
        '(scripts/run --web does) and open its address.'
      : 'Quellwire could not be loaded. Reload the page to try again.', 'failed');
  });

  function start(module) {
    const api = {
      start: module.cwrap('qw_start', 'number', ['string', 'string', 'number', 'number', 'number']),
      frame: module.cwrap('qw_frame', null, ['number']),
      pause: module.cwrap('qw_pause', null, []),
      resize: module.cwrap('qw_resize', null, ['number', 'number']),
      setting: module.cwrap('qw_setting', 'number', ['number']),
      setSetting: module.cwrap('qw_set_setting', 'number', ['number', 'number']),
      resetSettings: module.cwrap('qw_reset_settings', 'number', []),
      query: module.cwrap('qw_query', 'string', []),
      contextLost: module.cwrap('qw_context_lost', null, []),
      contextRestored: module.cwrap('qw_context_restored', 'number', []),
      watchInput: module.cwrap('qw_watch_input', null, []),
      inputWakes: module.cwrap('qw_input_wakes', 'number', ['number', 'number', 'number']),
      framesDrawn: module.cwrap('qw_frames_drawn', 'number', []),
      wireCount: module.cwrap('qw_wire_count', 'number', []),
      runMs: module.cwrap('qw_run_ms', 'number', []),
      capture: module.cwrap('qw_capture', 'number', []),
    };

    // The canvas's size in device pixels, never 0.
    function deviceSize() {
      const ratio = window.devicePixelRatio || 1;
      return [Math.max(1, Math.round(canvas.clientWidth * ratio)),
              Math.max(1, Math.round(canvas.clientHeight * ratio))];
    }
    let [width, height] = deviceSize();
    canvas.width = width;
    canvas.height = height;
    const status = api.start(location.search.slice(1), remembered(), width, height,
                             Math.floor(Math.random() * 4294967296));
    if (status === 1) {
      show('Quellwire draws with WebGL 2, which this browser does not offer or has turned off. ' +
           'A current Firefox, Chrome, Edge or Safari shows it; where WebGL is turned off, turn ' +
           'it on (and hardware acceleration) in the browser\'s settings.', 'no-webgl2');
      return;
    }
    if (status !== 0) {
      show('There is not enough memory for the flock.', 'failed');
      return;
    }

    // The settings in force: in the panel, the address and what is remembered.
    function settingsChanged() {
      for (const control of controls) {
        const number = api.setting(Number(control.dataset.setting));
        if (control.type === 'checkbox') control.checked = number === 1;
        else if (control.tagName === 'SELECT') control.selectedIndex = number < control.options.length ? number : -1;
        else control.value = String(number);
        const output = document.getElementById(control.id + '-value');
        if (output) output.value = String(number);
      }
      const query = api.query();
      history.replaceState(history.state, '', '?' + query + location.hash);
      try { localStorage.setItem(storageKey, query); } catch (e) { /* private browsing */ }
    }
    function failedIf(code) {
      if (code === 2) show('There is not enough memory for the flock.', 'failed');
    }
    for (const control of controls) {
      control.addEventListener('input', function () {
        const number = control.type === 'checkbox' ? (control.checked ? 1 : 0) : Number(control.value);
        failedIf(api.setSetting(Number(control.dataset.setting), number));
        settingsChanged();
      });
    }
    document.getElementById('reset').addEventListener('click', function () {
      failedIf(api.resetSettings());
      settingsChanged();
    });
    settingsButton.addEventListener('click', function () {
      panel.hidden = !panel.hidden;
      settingsButton.setAttribute('aria-expanded', String(!panel.hidden));
    });
    settingsChanged();

    // Full screen is the saver: the pointer hidden, and a key, a button or a move of the pointer
    // beyond the wake rule's few pixels leaves it.
    fullscreenButton.addEventListener('click', function () {
      const request = document.documentElement.requestFullscreen;
      if (request) Promise.resolve(request.call(document.documentElement)).catch(function () {});
    });
    if (!document.fullscreenEnabled) fullscreenButton.hidden = true;
    document.addEventListener('fullscreenchange', function () {
      if (document.fullscreenElement) api.watchInput();
    });
    function wakes(kind, x, y) {
      if (document.fullscreenElement && api.inputWakes(kind, x, y) === 1) {
        Promise.resolve(document.exitFullscreen()).catch(function () {});
      }
    }
    window.addEventListener('keydown', function () { wakes(KEY_DOWN, 0, 0); });
    window.addEventListener('pointerdown', function () { wakes(BUTTON_DOWN, 0, 0); });
    window.addEventListener('pointermove', function (e) {
      wakes(POINTER_MOVED, Math.round(e.screenX), Math.round(e.screenY));
    });
    window.addEventListener('blur', function () { wakes(FOCUS_LOST, 0, 0); });

    // A lost context draws nothing until the browser gives it back.
    canvas.addEventListener('webglcontextlost', function (e) {
      e.preventDefault();
      api.contextLost();
      document.body.dataset.state = 'lost';
    });
    canvas.addEventListener('webglcontextrestored', function () {
      const restored = api.contextRestored();
      if (restored === 0) document.body.dataset.state = 'live';
      else failedIf(restored);
    });
    document.addEventListener('visibilitychange', function () {
      if (document.hidden) api.pause();
    });

    // Animation frames stop while the page is hidden.
    function frame(now) {
      const [w, h] = deviceSize();
      if (w !== width || h !== height) {
        width = w;
        height = h;
        canvas.width = w;
        canvas.height = h;
        api.resize(w, h);
      }
      api.frame(now);
      if (document.body.dataset.state === 'loading' && api.framesDrawn() > 0) {
        window.quellwire.firstFrameMs = performance.now();
        document.body.dataset.state = 'live';
      }
      requestAnimationFrame(frame);
    }
    requestAnimationFrame(frame);

    // For scripts and tests: the picture as drawn now (RGBA, bottom row first), the frames drawn,
    // the time the flock has run (ms), its wires and the canvas's size.
    window.quellwire = {
      firstFrameMs: null,
      frames: api.framesDrawn,
      wires: api.wireCount,
      runMs: api.runMs,
      size: function () { return [width, height]; },
      capture: function () {
        const at = api.capture();
        return at === 0 ? null : module.HEAPU8.slice(at, at + 4 * width * height);
      },
    };
  }
})();
