// The saver's module on a canvas, driven by messages: in a worker on the canvas's OffscreenCanvas,
// so the page's own thread stays free while the flock is drawn, or on the page itself (through a
// MessageChannel) where a browser cannot draw WebGL 2 in a worker. page.js sends what the browser
// reports; this answers with what the module decides. It ends quellwire.js, after the module's
// factory, so that the worker's one script is quellwire.js.
function quellwireHost(port, pageCanvas) {
  'use strict';
  const loading = createQuellwire();  // fetched and compiled while the page gets ready
  let module = null, api = null, canvas = null, gl = null, loser = null;
  const early = [];  // messages that came before the module was ready
  let visible = true, scheduled = false, framesPosted = -1;
  const schedule = typeof requestAnimationFrame === 'function'
    ? (f) => requestAnimationFrame(f)
    : (f) => setTimeout(() => f(performance.now()), 16);

  function post(message, transfer) { port.postMessage(message, transfer || []); }
  // The canvas's drawing buffer follows the size the module draws (its budget may lower it).
  function fitCanvas() {
    const width = api.drawnWidth(), height = api.drawnHeight();
    if (canvas.width !== width) canvas.width = width;
    if (canvas.height !== height) canvas.height = height;
  }
  function status() {
    return { frames: api.framesDrawn(), runMs: api.runMs(), wires: api.wireCount(),
             drawn: [canvas.width, canvas.height], level: api.drawLevel() };
  }
  function settings() {
    const numbers = [];
    for (let i = 0; i < 6; i++) numbers.push(api.setting(i));
    return { type: 'settings', numbers: numbers, query: api.query() };
  }
  function frame(now) {
    scheduled = false;
    if (!visible) return;
    if (api.budget(now) === 1) fitCanvas();
    api.frame(now);
    const frames = api.framesDrawn();
    if (frames !== framesPosted) {
      framesPosted = frames;
      post(Object.assign({ type: 'status' }, status()));
    }
    loop();
  }
  function loop() {
    if (!scheduled && visible) {
      scheduled = true;
      schedule(frame);
    }
  }
  function failedIf(code) { if (code === 2) post({ type: 'failed' }); }

  const handlers = {
    start(m) {
      canvas = m.canvas || pageCanvas;
      loading.then(function (loaded) {
        module = loaded;
        module.canvas = canvas;
        const c = (name, result, args) => module.cwrap('qw_' + name, result, args || []);
        api = {
          start: c('start', 'number', ['string', 'string', 'number', 'number', 'number']),
          frame: c('frame', null, ['number']), budget: c('budget', 'number', ['number']),
          pause: c('pause'), hold: c('hold', null, ['number']),
          resize: c('resize', null, ['number', 'number']),
          drawnWidth: c('drawn_width', 'number'), drawnHeight: c('drawn_height', 'number'),
          drawLevel: c('draw_level', 'number'),
          setting: c('setting', 'number', ['number']),
          setSetting: c('set_setting', 'number', ['number', 'number']),
          resetSettings: c('reset_settings', 'number'), query: c('query', 'string'),
          contextLost: c('context_lost'), contextRestored: c('context_restored', 'number'),
          watchInput: c('watch_input'),
          inputWakes: c('input_wakes', 'number', ['number', 'number', 'number']),
          framesDrawn: c('frames_drawn', 'number'), wireCount: c('wire_count', 'number'),
          runMs: c('run_ms', 'number'), capture: c('capture', 'number'),
          isStill: c('is_still', 'number'),
        };
        api.hold(m.held ? 1 : 0);
        const code = api.start(m.query, m.remembered, m.width, m.height, m.seed);
        fitCanvas();
        gl = canvas.getContext('webgl2');
        loser = gl && gl.getExtension('WEBGL_lose_context');
        visible = m.visible;
        post({ type: 'started', code: code, still: api.isStill() === 1 });
        if (code !== 0) return;
        early.splice(0).forEach(receive);
        post(settings());
        canvas.addEventListener('webglcontextlost', function (e) {
          e.preventDefault();
          api.contextLost();
          post({ type: 'lost' });
        });
        canvas.addEventListener('webglcontextrestored', function () {
          const code = api.contextRestored();
          post({ type: code === 0 ? 'restored' : 'failed' });
        });
        loop();
      }, function () { post({ type: 'started', code: 3 }); });
    },
    resize(m) { api.resize(m.width, m.height); fitCanvas(); },
    visible(m) {
      visible = m.visible;
      if (!visible) api.pause();
      loop();
    },
    hold(m) { api.hold(m.held ? 1 : 0); },
    set(m) { failedIf(api.setSetting(m.index, m.number)); post(settings()); },
    reset() { failedIf(api.resetSettings()); post(settings()); },
    watch() { api.watchInput(); },
    input(m) {
      if (api.inputWakes(m.kind, m.x, m.y) === 1) post({ type: 'wake', session: m.session });
    },
    // For scripts and tests: the picture drawn now (RGBA, bottom row first), the context's GL
    // error, its loss and return on demand, and a round trip.
    capture(m) {
      const at = api.capture();
      const rgba = at === 0 ? null : module.HEAPU8.slice(at, at + 4 * canvas.width * canvas.height);
      post({ type: 'reply', id: m.id, value: rgba }, rgba ? [rgba.buffer] : []);
    },
    glError(m) { post({ type: 'reply', id: m.id, value: gl ? gl.getError() : -1 }); },
    loseContext(m) {
      if (m.restore) loser.restoreContext(); else loser.loseContext();
      post({ type: 'reply', id: m.id, value: null });
    },
    sync(m) { post({ type: 'reply', id: m.id, value: status() }); },
  };
  function receive(data) {
    if (data.type === 'start' || api) handlers[data.type](data);
    else early.push(data);
  }
  port.onmessage = function (e) { receive(e.data); };
}

if (typeof WorkerGlobalScope !== 'undefined' && self instanceof WorkerGlobalScope) {
  quellwireHost(self);
}
