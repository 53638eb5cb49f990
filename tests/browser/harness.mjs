// What every browser test needs: a gaugehost serve of its own on a free loopback port, Debian's
// Chromium driven by Playwright, helpers that find a gauge's click areas on the page, and
// screenshots into the test output folder. Every wait is on a state (a frame number, a logged
// event, a selector) with a deadline long enough for a slow, loaded machine.
import { spawn, execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync } from 'node:fs';
import net from 'node:net';
import path from 'node:path';
let chromium;
try {
  ({ chromium } = await import('playwright-core'));
} catch {
  throw new Error('playwright-core is not installed in tests/browser: run scripts/setup (npm ci there)');
}

export const gaugehost = process.env.GAUGEHOST || path.resolve('build/gaugehost');
export const panel = process.env.PANEL || path.resolve('panels/corvane/panel.cfg');
export const output = process.env.BROWSER_TEST_OUTPUT || path.resolve('build/browser-tests');
mkdirSync(output, { recursive: true });

const START_TIMEOUT_MS = 60000;
const STOP_TIMEOUT_MS = 10000;
export const WAIT_MS = 60000;  // the deadline of every wait on a state

async function freePort() {
  const probe = net.createServer();
  await new Promise((resolve, reject) => probe.once('error', reject).listen(0, '127.0.0.1', resolve));
  const { port } = probe.address();
  await new Promise((resolve) => probe.close(resolve));
  return port;
}

// Starts `gaugehost serve` (on `port`, else a free one) and resolves once it prints its address.
export async function startServer(extraArgs = [], port = null) {
  port ||= await freePort();
  const child = spawn(gaugehost, ['serve', '--panel', panel, '--listen', `127.0.0.1:${port}`, ...extraArgs],
                      { stdio: ['ignore', 'pipe', 'pipe'] });
  let log = '';
  await new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error('gaugehost serve did not start:\n' + log)), START_TIMEOUT_MS);
    child.stdout.on('data', (d) => { log += d; if (log.includes('The cockpit is at')) { clearTimeout(timer); resolve(); } });
    child.stderr.on('data', (d) => { log += d; });
    child.once('exit', (code) => { clearTimeout(timer); reject(new Error(`gaugehost serve ended (${code}):\n${log}`)); });
  });
  child.removeAllListeners('exit');
  return { child, port, url: `http://127.0.0.1:${port}/`, log: () => log };
}

export async function stopServer(server) {
  if (!server || server.child.exitCode !== null) return;
  const exited = new Promise((resolve) => server.child.once('exit', resolve));
  server.child.kill('SIGTERM');
  const timer = setTimeout(() => server.child.kill('SIGKILL'), STOP_TIMEOUT_MS);
  await exited;
  clearTimeout(timer);
}

export async function launchBrowser() {
  const args = ['--autoplay-policy=no-user-gesture-required', '--font-render-hinting=none'];
  if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
  return chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true, args });
}

// Every subpanel closed, so that each test starts from the main panel alone.
async function closeSubpanels(url) {
  const layout = await (await fetch(url + 'api/layout')).json();
  for (const window of layout.windows.slice(1)) {
    await fetch(url + 'api/window', { method: 'POST', body: JSON.stringify({ window: window.index, visible: false }) });
  }
  await fetch(url + 'api/window', { method: 'POST', body: JSON.stringify({ window: 0, visible: true }) });
}

export async function openCockpit(browser, url, { fresh = true } = {}) {
  if (fresh) await closeSubpanels(url);
  const page = await browser.newPage({ viewport: { width: 1800, height: 1000 }, deviceScaleFactor: 1 });
  page.setDefaultTimeout(WAIT_MS);
  page.on('pageerror', (error) => { throw error; });
  await page.goto(url);
  await page.waitForFunction(() => window.cockpit && window.cockpit.ready && window.cockpit.frame > 2);
  await settled(page);
  return page;
}

// Every bitmap loaded and every window painted.
export async function settled(page) {
  await page.waitForFunction(() => {
    const c = window.cockpit;
    return c.ready && c.paintedFrame === c.frame && c.loadingBitmaps() === 0 && !c.paintPending();
  });
}

export async function screenshot(page, name) {
  await page.screenshot({ path: path.join(output, name + '.png') });
}

// The page point (CSS pixels) of the point (gx, gy) of gauge `name`'s bitmap.
export async function gaugePoint(page, name, gx, gy) {
  return page.evaluate(([name, gx, gy]) => {
    const layout = window.cockpit.layout;
    const gauge = layout.gauges.find((g) => g.name === name);
    if (!gauge) throw new Error('no gauge ' + name);
    const rect = document.querySelector(`.window[data-window="${gauge.window}"] canvas`).getBoundingClientRect();
    const size = layout.windows[gauge.window].size;
    const [x, y, w, h] = gauge.placement;
    return { x: rect.left + (x + gx * w / gauge.bitmap[0]) * rect.width / size[0],
             y: rect.top + (y + gy * h / gauge.bitmap[1]) * rect.height / size[1],
             gauge: gauge.index, window: gauge.window };
  }, [name, gx, gy]);
}

// The page point at the middle of the part on the gauge (a box may reach beyond it) of the
// `nth` area of gauge `name` that `kind` picks: 'child', 'repeat' (a child that takes repeats)
// or 'drag' (one that takes drags).
export async function areaPoint(page, name, kind = 'child', nth = 0) {
  const [bx, by] = await page.evaluate(([name, kind, nth]) => {
    const gauge = window.cockpit.layout.gauges.find((g) => g.name === name);
    const flag = { child: 0, repeat: 0x00200000, drag: 0x00800000 }[kind];
    const area = gauge?.areas.filter((a) => a.kind === 'child' && (a.flags & flag) === flag)[nth];
    if (!area) throw new Error(`no ${kind} area on ${name}`);
    const [left, top] = [Math.max(0, area.box[0]), Math.max(0, area.box[1])];
    const right = Math.min(gauge.bitmap[0], area.box[0] + area.box[2]);
    const bottom = Math.min(gauge.bitmap[1], area.box[1] + area.box[3]);
    return [(left + right) / 2, (top + bottom) / 2];
  }, [name, kind, nth]);
  return gaugePoint(page, name, bx, by);
}

export async function openWindow(page, toggleGauge, ident) {
  const point = await areaPoint(page, toggleGauge);
  await page.mouse.click(point.x, point.y);
  await page.waitForSelector(`.window[data-ident="${ident}"]:not([hidden])`);
  await settled(page);
}

// The RGBA pixels of a window's canvas in a rectangle of window pixels (scale 1).
export async function windowPixels(page, windowIndex, rect) {
  return page.evaluate(([index, rect]) => Array.from(document.querySelector(`.window[data-window="${index}"] canvas`)
    .getContext('2d').getImageData(...rect).data), [windowIndex, rect]);
}

// Until more than `count` pixels of the rectangle differ from `before` by more than 24 in a channel.
export async function pixelsChange(page, windowIndex, rect, before, count = 20) {
  await page.waitForFunction(([index, rect, before, count]) => {
    const now = document.querySelector(`.window[data-window="${index}"] canvas`).getContext('2d').getImageData(...rect).data;
    let differing = 0;
    for (let i = 0; i < now.length; i += 4) {
      if ([0, 1, 2].some((c) => Math.abs(now[i + c] - before[i + c]) > 24)) ++differing;
    }
    return differing > count;
  }, [windowIndex, rect, before, count]);
}

// The page's main panel against `gaugehost render`'s PNG of it: the PNG drawn on a canvas of the
// page and compared there pixel by pixel; pixels differing by more than 48 in a channel, and the
// mean difference.
export async function mainPanelAgainstRender(page) {
  const file = path.join(output, 'render-main.png');
  execFileSync(gaugehost, ['render', '--panel', panel, '--window', 'MAIN_PANEL', '--updates', '36', '--out', file]);
  return page.evaluate(async (png) => {
    const image = new Image();
    image.src = 'data:image/png;base64,' + png;
    await image.decode();
    const reference = document.createElement('canvas');
    [reference.width, reference.height] = [image.width, image.height];
    const r = reference.getContext('2d');
    r.drawImage(image, 0, 0);
    const canvas = document.querySelector('.window[data-window="0"] canvas');
    const a = r.getImageData(0, 0, image.width, image.height).data;
    const b = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let differing = 0, total = 0;
    for (let i = 0; i < a.length; i += 4) {
      const d = Math.max(Math.abs(a[i] - b[i]), Math.abs(a[i + 1] - b[i + 1]), Math.abs(a[i + 2] - b[i + 2]));
      total += d;
      if (d > 48) ++differing;
    }
    return { sameSize: image.width === canvas.width && image.height === canvas.height,
             pixels: a.length / 4, differing, meanDifference: total / (a.length / 4) };
  }, readFileSync(file).toString('base64'));
}

// A click on a page's canvas as one pointer press and release in a single task of the page, so
// that however slowly the test is driven, the press lasts no time: what the page makes of a
// click, not of the driver's pace. Resolves with the frame that shows the click.
export async function quickClick(page, point, button = 'left') {
  return page.evaluate(async ([x, y, button, window_]) => {
    // the window's own canvas, even where another window lies over it
    const canvas = document.querySelector(`.window[data-window="${window_}"] canvas`);
    const init = { clientX: x, clientY: y, button: button === 'right' ? 2 : 0, bubbles: true, pointerId: 1, isPrimary: true };
    const clicks = window.cockpit.latencies.length;
    canvas.dispatchEvent(new PointerEvent('pointerdown', init));
    canvas.dispatchEvent(new PointerEvent('pointerup', init));
    return clicks;
  }, [point.x, point.y, button, point.window]);
}

export async function events(page) {
  return page.evaluate(() => window.cockpit.eventsSeen.slice());
}
