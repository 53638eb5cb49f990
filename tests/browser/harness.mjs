// What every browser test needs: a gaugehost serve of its own on a free loopback port, Debian's
// Chromium driven by Playwright, helpers that find a gauge's click areas on the page, and
// screenshots into the test output folder.
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

const START_TIMEOUT_MS = 30000;
const STOP_TIMEOUT_MS = 5000;

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = net.createServer();
    probe.once('error', reject);
    probe.listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

// Starts `gaugehost serve` and resolves once it prints its address.
export async function startServer(extraArgs = []) {
  const port = await freePort();
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
  await page.waitForTimeout(300);
}

export async function screenshot(page, name) {
  await page.screenshot({ path: path.join(output, name + '.png') });
}

// The page point (CSS pixels) at the middle of the first area of gauge `name` that `kind` picks:
// 'child', 'repeat' (a child that takes repeats), 'drag' (one that takes drags), 'tooltip'.
export async function areaPoint(page, name, kind = 'child', nth = 0) {
  return page.evaluate(([name, kind, nth]) => {
    const layout = window.cockpit.layout;
    const gauge = layout.gauges.find((g) => g.name === name);
    if (!gauge) throw new Error('no gauge ' + name);
    const picks = {
      child: (a) => a.kind === 'child',
      repeat: (a) => a.kind === 'child' && (a.flags & 0x00200000) !== 0,
      drag: (a) => a.kind === 'child' && (a.flags & 0x00800000) !== 0,
      tooltip: (a) => a.kind === 'child',
    };
    const area = gauge.areas.filter(picks[kind])[nth];
    if (!area) throw new Error(`no ${kind} area on ${name}`);
    const canvas = document.querySelector(`.window[data-window="${gauge.window}"] canvas`);
    const rect = canvas.getBoundingClientRect();
    const size = layout.windows[gauge.window].size;
    const [x, y, w, h] = gauge.placement;
    const bx = area.box[0] + area.box[2] / 2, by = area.box[1] + area.box[3] / 2;
    return { x: rect.left + (x + bx * w / gauge.bitmap[0]) * rect.width / size[0],
             y: rect.top + (y + by * h / gauge.bitmap[1]) * rect.height / size[1],
             scaleY: (h / gauge.bitmap[1]) * rect.height / size[1],
             box: area.box, gauge: gauge.index, window: gauge.window };
  }, [name, kind, nth]);
}

export async function openWindow(page, toggleGauge, ident) {
  const point = await areaPoint(page, toggleGauge);
  await page.mouse.click(point.x, point.y);
  await page.waitForSelector(`.window[data-ident="${ident}"]:not([hidden])`, { timeout: 5000 });
  await settled(page);
}

// The RGBA pixels of a window's canvas in a rectangle of window pixels (scale 1).
export async function windowPixels(page, windowIndex, rect = null) {
  return page.evaluate(([index, rect]) => {
    const canvas = document.querySelector(`.window[data-window="${index}"] canvas`);
    const [x, y, w, h] = rect || [0, 0, canvas.width, canvas.height];
    return Array.from(canvas.getContext('2d').getImageData(x, y, w, h).data);
  }, [windowIndex, rect]);
}

// gaugehost render of one window of the panel into a PNG, its bytes as base64.
export function renderPng(file, window, updates = 36) {
  execFileSync(gaugehost, ['render', '--panel', panel, '--window', String(window), '--updates', String(updates), '--out', file]);
  return readFileSync(file).toString('base64');
}

export function differingPixels(a, b, threshold = 24) {
  let count = 0;
  for (let i = 0; i < a.length; i += 4) {
    if (Math.abs(a[i] - b[i]) > threshold || Math.abs(a[i + 1] - b[i + 1]) > threshold ||
        Math.abs(a[i + 2] - b[i + 2]) > threshold) ++count;
  }
  return count;
}

export async function events(page) {
  return page.evaluate(() => window.cockpit.eventsSeen.slice());
}
