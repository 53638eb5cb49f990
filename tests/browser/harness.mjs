// What the browser test, the live FlightGear test and the web benchmark share: programs started in
// process groups of their own and ended whole, `gaugehost serve` on a free loopback port, Debian's
// Chromium driven by Playwright, the cockpit's gauges and click areas found on the page, and
// screenshots into the test output folder. Every wait is on a state (a frame number, a logged
// event, a line of output) with a deadline long enough for a slow, loaded machine.
import { spawn, execFileSync } from 'node:child_process';
import dgram from 'node:dgram';
import { once } from 'node:events';
import { mkdirSync, readFileSync } from 'node:fs';
import net from 'node:net';
import path from 'node:path';

const root = path.resolve(import.meta.dirname, '../..');
export const gaugehost = process.env.GAUGEHOST || path.join(root, 'build/gaugehost');
export const panel = process.env.PANEL || path.join(root, 'panels/corvane/panel.cfg');
const output = process.env.BROWSER_TEST_OUTPUT || path.join(root, 'build/browser-tests');
mkdirSync(output, { recursive: true });
export const WAIT_MS = 3 * 60_000;  // the deadline of every wait on a state
const STOP_MS = 15_000;             // a program asked to end is killed after this

// Every program started runs in a process group of its own (FlightGear's with its Xvfb), ended
// whole: asked first, killed where it does not end (a FlightGear stuck in drawing a frame).
const children = new Set();
const signalGroup = (child, signal) => { try { process.kill(-child.pid, signal); } catch {} };
process.on('exit', () => children.forEach((child) => signalGroup(child, 'SIGKILL')));
for (const signal of ['SIGINT', 'SIGTERM']) process.on(signal, () => stopAll().then(() => process.exit(1)));

// Starts `program`; resolves with it once `ready` appears in its output, fails with its output
// (and its exit status as `code`) where it ends first or is not ready within `ms`.
export function start(program, args, ready, ms = WAIT_MS) {
  const child = spawn(program, args, { detached: true, stdio: ['ignore', 'pipe', 'pipe'] });
  children.add(child);
  let log = '';
  child.log = () => log;
  return new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`${program}: not ready after ${ms / 1000} s:\n${log}`)), ms);
    const take = (d) => { log += d; if (log.includes(ready)) { clearTimeout(timer); resolve(child); } };
    child.stdout.on('data', take);
    child.stderr.on('data', take);
    child.once('exit', (code) => {
      children.delete(child);
      clearTimeout(timer);
      reject(Object.assign(new Error(`${program} ended (${code}):\n${log}`), { code }));
    });
  });
}

export async function stop(child) {
  if (child.exitCode !== null || child.signalCode !== null) return;
  signalGroup(child, 'SIGTERM');
  const timer = setTimeout(() => signalGroup(child, 'SIGKILL'), STOP_MS);
  await once(child, 'exit');
  clearTimeout(timer);
}
export const stopAll = () => Promise.all([...children].map(stop));

// `port` of `kind` ('tcp' or 'udp') on loopback where it is free (else 0); with no port, a free one.
export const freePort = (kind = 'tcp', port = 0) => new Promise((resolve) => {
  const probe = kind === 'udp' ? dgram.createSocket('udp4') : net.createServer();
  probe.once('error', () => resolve(0));
  const bound = () => { const found = probe.address().port; probe.close(() => resolve(found)); };
  if (kind === 'udp') probe.bind(port, '127.0.0.1', bound); else probe.listen(port, '127.0.0.1', bound);
});

// `gaugehost serve` of the cockpit on `port` (else a free one), once it tells its address.
export async function startServer(extraArgs = [], port = null) {
  port ||= await freePort();
  const child = await start(gaugehost, ['serve', '--panel', panel, '--listen', `127.0.0.1:${port}`, ...extraArgs],
                            'The cockpit is at');
  return { child, port, url: `http://127.0.0.1:${port}/` };
}

export async function launchBrowser() {
  const { chromium } = await import('playwright-core').catch(() => {
    throw new Error('playwright-core is not installed in tests/browser: run scripts/setup (npm ci there)');
  });
  const args = ['--autoplay-policy=no-user-gesture-required', '--font-render-hinting=none'];
  if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
  return chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true, args });
}

export const showWindow = (url, window, visible = true) =>
  fetch(url + 'api/window', { method: 'POST', body: JSON.stringify({ window, visible }) });

// A page of the cockpit, painted; `fresh`: with every subpanel closed first, the main panel alone.
export async function openCockpit(browser, url, { fresh = true } = {}) {
  if (fresh) {
    const layout = await (await fetch(url + 'api/layout')).json();
    for (const window of layout.windows) await showWindow(url, window.index, window.index === 0);
  }
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

const outputFile = (name) => path.join(output, name);

export const screenshot = (page, name) => page.screenshot({ path: outputFile(name + '.png') });

// The page point (CSS pixels), with the gauge's index, window and placement, at the middle of
// the part on gauge `name` (a box may reach beyond it) of its `nth` click area that `kind` picks:
// 'child', 'repeat' (a child that takes repeats) or 'drag' (one that takes drags).
export async function gaugePoint(page, name, kind = 'child', nth = 0) {
  return page.evaluate(([name, kind, nth]) => {
    const layout = window.cockpit.layout;
    const gauge = layout.gauges.find((g) => g.name === name);
    const flag = { child: 0, repeat: 0x00200000, drag: 0x00800000 }[kind];
    const area = gauge?.areas.filter((a) => a.kind === 'child' && (a.flags & flag) === flag)[nth];
    if (!area) throw new Error(`no ${kind} area ${nth} on ${name}`);
    const [left, top, width, height] = area.box;
    const gx = (Math.max(0, left) + Math.min(gauge.bitmap[0], left + width)) / 2;
    const gy = (Math.max(0, top) + Math.min(gauge.bitmap[1], top + height)) / 2;
    const rect = document.querySelector(`.window[data-window="${gauge.window}"] canvas`).getBoundingClientRect();
    const size = layout.windows[gauge.window].size;
    const [x, y, w, h] = gauge.placement;
    return { x: rect.left + (x + gx * w / gauge.bitmap[0]) * rect.width / size[0],
             y: rect.top + (y + gy * h / gauge.bitmap[1]) * rect.height / size[1],
             gauge: gauge.index, window: gauge.window, placement: gauge.placement };
  }, [name, kind, nth]);
}

export async function openWindow(page, toggleGauge, ident) {
  const point = await gaugePoint(page, toggleGauge);
  await page.mouse.click(point.x, point.y);
  await page.waitForSelector(`.window[data-ident="${ident}"]:not([hidden])`);
  await settled(page);
}

// The pixels of the gauge at `point` as they are now; `.changed()` waits until more than `count`
// of them differ from these by more than 24 in a channel.
export async function gaugePixels(page, point, count = 20) {
  const where = [point.window, point.placement];
  const before = await page.evaluate(([index, rect]) => Array.from(document.querySelector(
    `.window[data-window="${index}"] canvas`).getContext('2d').getImageData(...rect).data), where);
  return { changed: () => page.waitForFunction(([[index, rect], before, count]) => {
    const now = document.querySelector(`.window[data-window="${index}"] canvas`).getContext('2d').getImageData(...rect).data;
    let differing = 0;
    for (let i = 0; i < now.length; i += 4) {
      if ([0, 1, 2].some((c) => Math.abs(now[i + c] - before[i + c]) > 24)) ++differing;
    }
    return differing > count;
  }, [where, before, count]) };
}

// The page's main panel against `gaugehost render`'s PNG of it: the PNG drawn on a canvas of the
// page and compared there pixel by pixel; pixels differing by more than 48 in a channel, and the
// mean difference.
export async function mainPanelAgainstRender(page) {
  const file = outputFile('render-main.png');
  execFileSync(gaugehost, ['render', '--panel', panel, '--window', 'MAIN_PANEL', '--updates', '36', '--out', file]);
  return page.evaluate(async (png) => {
    const image = new Image();
    image.src = 'data:image/png;base64,' + png;  // the page's rules let it show data pictures, not fetch them
    await image.decode();
    const r = new OffscreenCanvas(image.width, image.height).getContext('2d');
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
// click, not of the driver's pace. Resolves with the count of clicks shown before it.
export const quickClick = (page, point, button = 'left') => page.evaluate(([x, y, button, index]) => {
  // the window's own canvas, even where another window lies over it
  const canvas = document.querySelector(`.window[data-window="${index}"] canvas`);
  const init = { clientX: x, clientY: y, button: button === 'right' ? 2 : 0, bubbles: true, pointerId: 1, isPrimary: true };
  const clicks = window.cockpit.latencies.length;
  for (const type of ['pointerdown', 'pointerup']) canvas.dispatchEvent(new PointerEvent(type, init));
  return clicks;
}, [point.x, point.y, button, point.window]);

export const events = (page) => page.evaluate(() => window.cockpit.eventsSeen.slice());
