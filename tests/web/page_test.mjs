// Drives the web page in Debian's headless Chromium (puppeteer-core, no browser of its own), served
// from the page folder on 127.0.0.1.
// Usage: node page_test.mjs PAGE_FOLDER CHECK [quellwire-render]
//   live, pictures, settings, fullscreen, kept, motion, no-webgl2, native: the checks (native
//   needs the tool);
//   fps [seconds]: prints the frame rate at 1280x720 (scripts/bench);
//   lighthouse: prints Lighthouse's Performance score and Total Blocking Time (ms), desktop then
//   mobile (scripts/bench).
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import puppeteer from 'puppeteer-core';

const [folder, check, tool] = process.argv.slice(2);
if (!fs.existsSync(path.join(folder, 'quellwire.wasm'))) {
  console.error(`FAIL: no page in ${folder}: build it with scripts/build web`);
  process.exit(1);
}
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.ico': 'image/x-icon', '.png': 'image/png', '.webp': 'image/webp',
                '.jpg': 'image/jpeg', '.webmanifest': 'application/manifest+json' };
const server = http.createServer((request, response) => {
  const name = new URL(request.url, 'http://x').pathname.replace(/^\/$/, '/index.html');
  const file = path.join(folder, path.normalize(name));
  fs.readFile(file, (error, data) => {
    response.writeHead(error ? 404 : 200, { 'Content-Type': types[path.extname(file)] || 'text/plain' });
    response.end(error ? '' : data);
  });
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const address = `http://127.0.0.1:${server.address().port}/`;

function fail(message) { throw new Error(message); }
function expect(condition, message) { if (!condition) fail(message); }

async function launch(extra = []) {
  return puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', ...extra] });
}

// A page on `query`, once it has left 'loading'; every console error and uncaught exception is
// kept in page.problems.
async function open(browser, query, width = 320, height = 200, prepare = null) {
  const page = await browser.newPage();
  if (prepare) await prepare(page);
  page.problems = [];
  page.on('console', (m) => { if (m.type() === 'error') page.problems.push(m.text()); });
  page.on('pageerror', (e) => page.problems.push(e.message));
  await page.setViewport({ width, height, deviceScaleFactor: 1 });
  await page.goto(address + (query ? '?' + query : ''));
  await page.waitForFunction(() => document.body.dataset.state !== 'loading');
  return page;
}
const state = (page) => page.evaluate(() => document.body.dataset.state);
const glError = (page) => page.evaluate(() => quellwire.glError());
// A round trip to the module, which has then seen every message sent before.
const settle = (page) => page.evaluate(() => quellwire.sync());
const nextFrames = (page) => page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
async function capture(page) {
  return Buffer.from(await page.evaluate(async () => {
    const rgba = (await quellwire.capture()) || new Uint8Array(0);
    let text = '';
    for (let i = 0; i < rgba.length; i += 4096) text += String.fromCharCode(...rgba.subarray(i, i + 4096));
    return btoa(text);
  }), 'base64');
}
// Lit pixels, and the sums of red, green and blue, and how many are near white.
function measure(rgba) {
  const m = { lit: 0, red: 0, green: 0, blue: 0, white: 0 };
  for (let i = 0; i < rgba.length; i += 4) {
    const [r, g, b] = [rgba[i], rgba[i + 1], rgba[i + 2]];
    if (r + g + b > 30) m.lit++;
    if (r > 200 && g > 200 && b > 200) m.white++;
    m.red += r; m.green += g; m.blue += b;
  }
  return m;
}
function gzippedSize() {
  let bytes = 0;
  for (const file of fs.readdirSync(folder)) bytes += zlib.gzipSync(fs.readFileSync(path.join(folder, file)), { level: 9 }).length;
  return bytes;
}
// A page that cannot hand its canvas to a worker, so draws on its own thread.
const onThePage = (page) => page.evaluateOnNewDocument(() => { delete HTMLCanvasElement.prototype.transferControlToOffscreen; });
// Keeps in window.longestTask the longest task the page's thread has run (over 50 ms).
function longestTask() {
  window.longestTask = 0;
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) window.longestTask = Math.max(window.longestTask, entry.duration);
  }).observe({ type: 'longtask', buffered: true });
}
async function healthy(page, what) {
  expect((await glError(page)) === 0, `${what}: a GL error`);
  expect(page.problems.length === 0, `${what}: ${page.problems.join(' | ')}`);
}

const checks = {
  // Goes live without errors, draws on at the device's pixel ratio, holds the flock while hidden,
  // every control is reached from the keyboard and named, and the folder stays within 100 KB
  // gzipped.
  async live(browser) {
    const page = await open(browser, '', 640, 400, (p) => p.evaluateOnNewDocument(longestTask));
    expect((await state(page)) === 'live', 'not live');
    const frames = await page.evaluate(() => quellwire.frames());
    await page.waitForFunction((n) => quellwire.frames() >= n + 20, {}, frames);
    const other = await browser.newPage();
    await other.bringToFront();
    const hidden = await page.evaluate(() => [document.visibilityState, quellwire.frames(), quellwire.runMs()]);
    await new Promise((r) => setTimeout(r, 2000));
    await other.close();
    await page.bringToFront();
    await page.waitForFunction((n) => quellwire.frames() > n, {}, hidden[1]);
    const shown = await page.evaluate(() => [quellwire.frames(), quellwire.runMs()]);
    expect(hidden[0] === 'hidden' && shown[0] > hidden[1] && shown[1] - hidden[2] < 1000,
      `while hidden the flock ran ${shown[1] - hidden[2]} ms`);
    await page.setViewport({ width: 640, height: 400, deviceScaleFactor: 2 });
    await page.waitForFunction(() => quellwire.size().join('x') === '1280x800');
    await healthy(page, 'live');
    const order = [];
    for (let i = 0; i < 12; i++) {
      await page.keyboard.press('Tab');
      const id = await page.evaluate(() => document.activeElement.id);
      order.push(id);
      if (id === 'settings-button' && !order.includes('color')) await page.keyboard.press('Enter');
    }
    for (const id of ['settings-button', 'fullscreen-button', 'color', 'glow', 'wires', 'length', 'speed', 'symmetry', 'reset']) {
      expect(order.includes(id), `${id} not reached by Tab: ${order}`);
    }
    const unnamed = await page.evaluate(() => Array.from(document.querySelectorAll('[data-setting]'))
      .filter((c) => c.labels.length === 0).map((c) => c.id));
    expect(unnamed.length === 0, `controls without a label: ${unnamed}`);
    const gzipped = gzippedSize();
    const [first, longest] = await page.evaluate(() => [quellwire.firstFrameMs, window.longestTask]);
    console.log(`page: ${(gzipped / 1024).toFixed(1)} KiB gzipped; first frame ${first.toFixed(0)} ms after navigation; ` +
      `longest task on the page's thread ${longest ? longest.toFixed(0) + ' ms' : 'under 50 ms'}`);
    expect(gzipped <= 100 * 1024, 'over 100 KB gzipped');
  },

  // The same seed and still give the same picture on every load (drawn in the worker or on the
  // page), after a resize to 1 x 1 and back, and after the context is lost and given back.
  async pictures(browser) {
    const query = 'seed=5&still=1500';
    const page = await open(browser, query);
    const first = await capture(page);
    expect(measure(first).lit > 500, 'the still is dark');
    expect(await page.evaluate(() => document.getElementById('play-button').hidden), 'a still offers Play');
    const again = await open(browser, query, 320, 200, onThePage);
    expect(first.equals(await capture(again)), 'another load, on the page\'s own thread, drew another picture');
    await again.close();
    await page.bringToFront();
    const shown = await page.screenshot();
    await page.setViewport({ width: 1, height: 1, deviceScaleFactor: 1 });
    await nextFrames(page);
    expect((await page.evaluate(() => quellwire.size().join('x'))) === '1x1', 'not resized to 1 x 1');
    await page.setViewport({ width: 320, height: 200, deviceScaleFactor: 1 });
    // The worker draws the still again in its next frame, which the page shows some frames of
    // its own later: the picture is waited for, for a few seconds at most.
    let redrawn = false;
    for (let tries = 0; tries < 50 && !redrawn; tries++) {
      await nextFrames(page);
      redrawn = shown.equals(await page.screenshot());
    }
    expect(redrawn, 'the still was not drawn again after a resize');
    expect(first.equals(await capture(page)), 'another picture after a resize to 1 x 1 and back');
    await page.evaluate(() => quellwire.loseContext());
    await page.waitForFunction(() => document.body.dataset.state === 'lost');
    await page.evaluate(() => quellwire.restoreContext());
    await page.waitForFunction(() => document.body.dataset.state === 'live');
    await nextFrames(page);
    expect(first.equals(await capture(page)), 'another picture after the context came back');
    await healthy(page, 'pictures');
  },

  // Each setting changes what it should, from the address and live from the panel; the address
  // round-trips the settings and the page remembers them.
  async settings(browser) {
    const base = 'seed=9&still=6000';
    const look = async (query) => {
      const page = await open(browser, `${base}&${query}`);
      const m = measure(await capture(page));
      m.wires = await page.evaluate(() => quellwire.wires());
      await healthy(page, query);
      await page.close();
      return m;
    };
    const plain = 'glow=0&wires=50&length=50&symmetry=0';
    const ruby = await look(`${plain}&color=ruby`), emerald = await look(`${plain}&color=emerald`);
    const lapis = await look(`${plain}&color=lapis`);
    expect(ruby.red > 2 * ruby.green && emerald.green > 1.5 * emerald.red && lapis.blue > 1.5 * lapis.red, 'colours');
    const glow = await look('glow=2&wires=50&length=50&symmetry=0&color=ruby');
    expect(glow.white > 5 * ruby.white && glow.lit > 1.5 * ruby.lit, `glow: ${glow.lit} lit, ${glow.white} white against ${ruby.lit}, ${ruby.white}`);
    const few = await look(`glow=0&color=ruby&wires=0&length=50&symmetry=0`);
    const many = await look(`glow=0&color=ruby&wires=100&length=50&symmetry=0`);
    expect(few.wires === 50 && many.wires === 300 && many.lit > few.lit, `wires: ${few.wires}, ${many.wires}`);
    const short = await look(`glow=0&color=ruby&wires=50&length=0&symmetry=0`);
    const long = await look(`glow=0&color=ruby&wires=50&length=100&symmetry=0`);
    expect(long.lit > 1.1 * short.lit, `trails: ${short.lit} and ${long.lit} lit`);
    const mirrored = await look(`glow=0&color=ruby&wires=100&length=50&symmetry=1`);
    expect(mirrored.wires === 37 && mirrored.lit > few.lit, `symmetry: ${mirrored.wires} wires`);

    const round = 'color=amber&glow=1&wires=30&speed=70&length=20&symmetry=1&seed=3';
    let page = await open(browser, round);
    expect((await page.evaluate(() => location.search)) === `?${round}`, 'the address changed');
    const shown = await page.evaluate(() => ['color', 'glow', 'wires', 'speed', 'length'].map((id) => document.getElementById(id).value).join() + document.getElementById('symmetry').checked);
    expect(shown === '2,1,30,70,20true', `the panel shows ${shown}`);
    await page.goto(address);
    await page.waitForFunction(() => document.body.dataset.state === 'live');
    expect((await page.evaluate(() => location.search)) === '?color=amber&glow=1&wires=30&speed=70&length=20&symmetry=1', 'not remembered');

    page = await open(browser, `${base}&${plain}&color=ruby`);
    await page.click('#settings-button');
    await page.select('#color', '1');
    await page.focus('#wires');
    await page.keyboard.press('ArrowRight');
    const live = await capture(page);
    expect((await page.evaluate(() => location.search)) === `?color=lapis&glow=0&wires=51&speed=50&length=50&symmetry=0&${base}`, 'the panel did not reach the address');
    const linked = await open(browser, `${base}&color=lapis&glow=0&wires=51&length=50&symmetry=0`);
    expect(live.equals(await capture(linked)) && (await linked.evaluate(() => quellwire.wires())) === 177, 'the panel and its link differ');
    await healthy(page, 'panel');
  },

  // The button makes the page the saver, with the pointer hidden; a key, a button or a move of
  // more than 4 pixels leaves it, a move of 4 and the wheel do not.
  async fullscreen(browser) {
    await (await browser.target().createCDPSession()).send('Browser.grantPermissions',
      { origin: address.slice(0, -1), permissions: ['wakeLockScreen'] });
    const page = await open(browser, '', 640, 400);
    // Each entry watches afresh from its fullscreenchange: the pointer's first report after it
    // is its new origin.
    const enter = async (x = 200, y = 200) => {
      await page.evaluate(() => {
        window.entered = new Promise((r) => document.addEventListener('fullscreenchange', r, { once: true }));
      });
      await page.click('#fullscreen-button');
      await page.evaluate(() => window.entered);
      await page.mouse.move(x, y);
      await nextFrames(page);
    };
    const inFullScreen = () => page.evaluate(() => document.fullscreenElement !== null);
    const left = () => page.waitForFunction(() => document.fullscreenElement === null);
    await enter();
    expect((await page.evaluate(() => getComputedStyle(document.getElementById('saver')).cursor)) === 'none', 'the pointer shows');
    await page.waitForFunction(() => quellwire.wakeLock() === 'held');
    await page.mouse.move(202, 202);
    await page.mouse.wheel({ deltaY: 100 });
    await settle(page);
    expect(await inFullScreen(), 'a move of 4 or the wheel left full screen');
    await page.mouse.move(203, 202);
    await left();
    const after = await page.evaluate(() => [quellwire.wakeLock(), document.activeElement.id]);
    expect(after.join() === 'released,fullscreen-button', `after full screen: ${after}`);
    await enter(400, 300);
    await page.mouse.move(404, 300);
    await settle(page);
    expect(await inFullScreen(), 'the origin of the last full screen carried over');
    await page.keyboard.press('KeyA');
    await left();
    await enter();
    await page.mouse.down();
    await page.mouse.up();
    await left();
    await healthy(page, 'fullscreen');
  },

  // What keeps the page: its manifest, icons and previews; the offline copy, one cache named by
  // the build; the panel showing what is drawn, the address keeping others' pairs and the
  // fragment; landmarks; Escape; the panel in small windows.
  async kept(browser) {
    const page = await open(browser, 'utm_source=mail&glow=3&color=lapis&x#here', 320, 200);
    const head = await page.evaluate(async () => {
      const link = (rel) => document.querySelector(`link[rel="${rel}"]`).href;
      const meta = (name) => document.querySelector(`meta[name="${name}"], meta[property="${name}"]`).content;
      const manifest = await (await fetch(link('manifest'))).json();
      const sizes = [];
      for (const src of [...manifest.icons.map((i) => new URL(i.src, link('manifest')).href), link('apple-touch-icon'),
        new URL(meta('og:image'), location.href).href]) {
        const image = await createImageBitmap(await (await fetch(src)).blob());
        sizes.push(`${image.width}x${image.height}`);
      }
      return { manifest, sizes, theme: meta('theme-color'), twitter: meta('twitter:image'),
               main: document.querySelectorAll('main h1').length, glow: document.getElementById('glow').value,
               search: location.search, hash: location.hash };
    });
    const m = head.manifest;
    expect(m.name === 'Quellwire' && /fullscreen|standalone/.test(m.display) && /^#[0-3]/.test(m.theme_color) &&
      m.icons.map((i) => i.sizes).join() === '192x192,512x512' && head.theme === m.theme_color, `manifest ${JSON.stringify(m)}`);
    expect(head.sizes.join() === '192x192,512x512,192x192,600x315' && head.twitter === 'preview.jpg', `pictures ${head.sizes}`);
    expect(head.main === 1 && head.glow === '3', `landmark ${head.main}, glow shows ${head.glow}`);
    expect(head.search === '?color=lapis&glow=3&wires=50&speed=50&length=50&symmetry=0&utm_source=mail&x' &&
      head.hash === '#here', `address ${head.search}${head.hash}`);

    // The panel fits 320 pixels across, and at 640 x 300 scrolls to its last control.
    await page.click('#settings-button');
    const fits = () => page.evaluate(() => {
      const panel = document.getElementById('panel'), box = panel.getBoundingClientRect();
      document.getElementById('reset').scrollIntoView();
      const reset = document.getElementById('reset').getBoundingClientRect();
      return panel.scrollWidth <= panel.clientWidth && box.right <= innerWidth && box.bottom <= innerHeight &&
        reset.bottom <= box.bottom && reset.top >= box.top;
    });
    expect(await fits(), 'the panel overflows 320 pixels');
    await page.setViewport({ width: 640, height: 300, deviceScaleFactor: 1 });
    expect(await fits(), 'the panel is cut off at 640 x 300');
    await page.focus('#wires');
    await page.keyboard.press('Escape');
    const closed = await page.evaluate(() => [document.getElementById('panel').hidden, document.activeElement.id]);
    expect(closed.join() === 'true,settings-button', `Escape: ${closed}`);
    await (await page.browser().target().createCDPSession()).send('Browser.grantPermissions',
      { origin: address.slice(0, -1), permissions: ['clipboardReadWrite', 'clipboardSanitizedWrite'] });
    await page.click('#share-button');
    await page.waitForFunction(() => document.getElementById('announce').textContent !== '');
    const copied = await page.evaluate(async () => [document.getElementById('announce').textContent,
      (await navigator.clipboard.readText()) === location.href]);
    expect(copied.join() === 'Link copied.,true', `Copy link: ${copied}`);

    // Offline: the service worker's one cache, named by the build, serves the page again.
    const caches = await page.evaluate(async () => {
      await navigator.serviceWorker.ready;
      return (await window.caches.keys()).join();
    });
    expect(/^quellwire-[0-9a-f]{16}$/.test(caches), `caches: ${caches}`);
    await page.setOfflineMode(true);
    await page.goto(address + '?seed=4&still=3000');
    await page.waitForFunction(() => document.body.dataset.state !== 'loading');
    expect((await state(page)) === 'live' && measure(await capture(page)).lit > 500, 'not live offline');
    await page.setOfflineMode(false);
    await healthy(page, 'kept');
  },

  // With reduced motion asked for, the flock is held until Play, and flies in full screen, where
  // a wake lock refused changes nothing.
  async motion(browser) {
    await (await browser.target().createCDPSession()).send('Browser.setPermission',
      { origin: address.slice(0, -1), permission: { name: 'screen-wake-lock' }, setting: 'denied' });
    const page = await open(browser, '', 320, 200, (p) => p.emulateMediaFeatures([{ name: 'prefers-reduced-motion', value: 'reduce' }]));
    const look = async () => { await settle(page); await nextFrames(page); await settle(page); return page.evaluate(() => [quellwire.runMs(), document.getElementById('play-button').textContent]); };
    const held = await look();
    await new Promise((r) => setTimeout(r, 500));
    expect((await look()).join() === held.join() && held[1] === 'Play' && measure(await capture(page)).lit > 500,
      `held: ${held} then ${await look()}`);
    await page.click('#play-button');
    await page.waitForFunction((t) => quellwire.runMs() > t + 200, {}, held[0]);
    await page.click('#play-button');
    const paused = await look();
    await new Promise((r) => setTimeout(r, 500));
    expect((await look()).join() === paused.join() && paused[1] === 'Play', `paused: ${paused}`);
    await page.click('#fullscreen-button');
    await page.waitForFunction((t) => quellwire.runMs() > t + 200, {}, paused[0]);
    await page.waitForFunction(() => quellwire.wakeLock() !== 'asked');
    const lock = await page.evaluate(() => quellwire.wakeLock());
    expect(lock === 'refused', `a wake lock refused: ${lock}`);
    await healthy(page, 'motion');
  },

  async 'no-webgl2'() {
    // Chromium's switch reaches only the page's own thread: the page is kept from workers.
    const browser = await launch(['--disable-webgl2']);
    try {
      const page = await open(browser, '', 320, 200, onThePage);
      expect((await state(page)) === 'no-webgl2', `state ${await state(page)}`);
      const [text, chrome] = await page.evaluate(() => [document.getElementById('message').innerText,
        document.querySelector('.chrome').getClientRects().length]);
      expect(text.includes('WebGL 2') && chrome === 0, `message: ${text}; controls shown: ${chrome}`);
      await page.goto('file://' + path.resolve(folder, 'index.html'));
      const file = await page.evaluate(() => document.getElementById('message').innerText);
      expect(file.includes('web server'), `opened as a file: ${file}`);
      expect(page.problems.every((p) => !/Uncaught|exception/i.test(p)), page.problems.join(' | '));
    } finally {
      await browser.close();
    }
  },

  // The page's picture beside the native ES renderer's for the same seed, time and settings, as
  // block means of 8 x 8 pixels and the picture's mean.
  async native(browser) {
    const [width, height, block, seed, time] = [320, 200, 8, 11, 2500];
    const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'qw-page-'));
    for (const [glow, symmetry] of [[2, 0], [0, 0], [1, 1]]) {
      const page = await open(browser, `seed=${seed}&still=${time}&glow=${glow}&symmetry=${symmetry}&color=lapis`, width, height);
      const ours = await capture(page);
      await page.close();
      const png = path.join(scratch, 'native.png');
      const run = spawnSync(tool, ['--renderer', 'es', '--seed', seed, '--time-ms', time, '--width', width,
        '--height', height, '--glow', glow, '--symmetry', symmetry, '--color', 1, '--output', png].map(String));
      expect(run.status === 0, `quellwire-render: ${run.stderr}`);
      const theirs = spawnSync('convert', [png, '-depth', '8', 'rgba:-'], { maxBuffer: 1 << 24 }).stdout;
      let worst = 0, whole = [0, 0, 0];
      for (let by = 0; by < height; by += block) {
        for (let bx = 0; bx < width; bx += block) {
          const sum = [0, 0, 0];
          for (let y = by; y < by + block; y++) {
            for (let x = bx; x < bx + block; x++) {
              for (let c = 0; c < 3; c++) {
                // ours is bottom row first, the PNG top row first
                sum[c] += ours[((height - 1 - y) * width + x) * 4 + c] - theirs[(y * width + x) * 4 + c];
              }
            }
          }
          for (let c = 0; c < 3; c++) { worst = Math.max(worst, Math.abs(sum[c]) / (block * block)); whole[c] += sum[c]; }
        }
      }
      const mean = Math.max(...whole.map((s) => Math.abs(s) / (width * height)));
      console.log(`glow ${glow}, symmetry ${symmetry}: largest block difference ${worst.toFixed(1)} levels, picture mean ${mean.toFixed(2)}`);
      expect(worst <= 30 && mean <= 0.5, 'the page and the native ES renderer differ');
    }
    fs.rmSync(scratch, { recursive: true });
  },

  // The folder's size gzipped (KiB), the first frame (ms from navigation), the frames per
  // second at 1280x720 over some seconds after eight to warm up (and the page to find the pixels
  // it can draw in time), the longest task on the page's
  // thread from its start (ms; 0: none over 50, the least the browser reports) and the width
  // drawn at the end.
  async fps(browser) {
    const page = await open(browser, '', 1280, 720, (p) => p.evaluateOnNewDocument(longestTask));
    await new Promise((r) => setTimeout(r, 8000));
    const seconds = Number(tool || 10);
    const before = await page.evaluate(() => [quellwire.frames(), performance.now()]);
    await new Promise((r) => setTimeout(r, seconds * 1000));
    const after = await page.evaluate(() => [quellwire.frames(), performance.now(), window.longestTask,
      quellwire.drawn ? quellwire.drawn()[0] : quellwire.size()[0]]);
    const first = await page.evaluate(() => quellwire.firstFrameMs);
    console.log((gzippedSize() / 1024).toFixed(1), first.toFixed(0),
      ((after[0] - before[0]) * 1000 / (after[1] - before[1])).toFixed(1), after[2].toFixed(0), after[3]);
  },
};

// Lighthouse's Performance audit of the page, on its desktop preset and on its default (mobile).
checks.lighthouse = async function (browser) {
  const { default: lighthouse } = await import('lighthouse');
  const { default: desktop } = await import('lighthouse/core/config/desktop-config.js');
  const figures = [];
  for (const config of [desktop, undefined]) {
    const page = await browser.newPage();
    const run = await lighthouse(address, { output: 'json', logLevel: 'error', onlyCategories: ['performance'] },
      config, page);
    const lhr = run.lhr;
    if (lhr.runtimeError) fail(`Lighthouse: ${lhr.runtimeError.message}`);
    figures.push(Math.round(lhr.categories.performance.score * 100),
      Math.round(lhr.audits['total-blocking-time'].numericValue));
    await page.close();
  }
  console.log(figures.join(' '));
};

let status = 0;
const browser = check === 'no-webgl2' ? null : await launch();
try {
  if (!checks[check]) fail(`no check "${check}"`);
  await checks[check](browser);
  if (check !== 'fps' && check !== 'lighthouse') console.log(`web page: ${check} passed`);
} catch (error) {
  console.error(`FAIL (${check}): ${error.message}`);
  status = 1;
} finally {
  if (browser) await browser.close();
  server.close();
}
process.exit(status);
