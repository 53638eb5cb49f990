// The web cockpit in a real browser: drawing, clicks, holds, drags, tooltips, subpanels, sound,
// several pages, and the server's answers to bad requests. Screenshots of each step go into
// BROWSER_TEST_OUTPUT (build/browser-tests by default).
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import path from 'node:path';
import {
  areaPoint, differingPixels, events, launchBrowser, openCockpit, openWindow, output, renderPng,
  screenshot, settled, startServer, stopServer, windowPixels,
} from './harness.mjs';

let server;
let browser;

before(async () => {
  server = await startServer();
  browser = await launchBrowser();
});

after(async () => {
  if (browser) await browser.close();
  await stopServer(server);
});

const until = async (page, predicate, arg, timeout = 5000) =>
  page.waitForFunction(predicate, arg, { timeout });

describe('the web cockpit', () => {
  test('loads, and its main panel matches the PNG renderer', async () => {
    const page = await openCockpit(browser, server.url);
    await screenshot(page, '01-loaded');
    const png = renderPng(path.join(output, 'render-main.png'), 'MAIN_PANEL');
    // The PNG drawn on a canvas of the page, compared there pixel by pixel with the window's.
    const result = await page.evaluate(async (png) => {
      const image = new Image();
      image.src = 'data:image/png;base64,' + png;
      await image.decode();
      const reference = document.createElement('canvas');
      reference.width = image.width;
      reference.height = image.height;
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
    }, png);
    console.log('canvas against PNG:', result);
    assert.ok(result.sameSize, 'the canvas is as large as the PNG');
    // Tolerance: smoothing of scaled and turned bitmaps and text rasterisation differ between
    // cairo and the browser at edges; the pictures must agree everywhere else.
    assert.ok(result.differing / result.pixels < 0.02, `${result.differing} of ${result.pixels} pixels differ by more than 48`);
    assert.ok(result.meanDifference < 4, `mean difference ${result.meanDifference}`);
    await page.close();
  });

  test('a toggle button opens its subpanel and the close button shuts it', async () => {
    const page = await openCockpit(browser, server.url);
    await openWindow(page, 'Starter_Toggle', 301);
    await screenshot(page, '02-starter-open');
    const log = await events(page);
    assert.ok(log.some((e) => e.gauge === 'Starter_Toggle'), 'the toggle is in the event log');
    const close = await areaPoint(page, 'Close_Subpanel');
    await page.mouse.click(close.x, close.y);
    await page.waitForSelector('.window[data-ident="301"]', { state: 'hidden', timeout: 5000 });
    await page.close();
  });

  test('a click on the battery switch is logged and changes the picture', async () => {
    const page = await openCockpit(browser, server.url);
    await openWindow(page, 'Electricity_Toggle', 302);
    const sw = await areaPoint(page, 'Battery_Switch');
    const gauge = await page.evaluate((i) => window.cockpit.layout.gauges[i].placement, sw.gauge);
    const before = await windowPixels(page, sw.window, gauge);
    const varBefore = await (await fetch(server.url + 'api/vars?ids=364')).json();
    await page.mouse.click(sw.x, sw.y);
    await until(page, () => window.cockpit.eventsSeen.some((e) => e.event === '0x102c1' && e.gauge === 'Battery_Switch'));
    await settled(page);
    await screenshot(page, '03-battery-clicked');
    const varAfter = await (await fetch(server.url + 'api/vars?ids=364')).json();
    assert.notEqual(varAfter[0].value, varBefore[0].value, 'the model answered the battery toggle');
    const clicked = await windowPixels(page, sw.window, gauge);
    assert.ok(differingPixels(before, clicked) > 20, 'the switch moved');
    // The switch shows the aircraft's battery state: set it back through the inspector, see it drawn.
    const answer = await fetch(server.url + 'api/var', { method: 'POST', body: JSON.stringify({ id: 364, value: varBefore[0].value }) });
    assert.equal(answer.status, 200);
    await page.waitForTimeout(300);
    await settled(page);
    await screenshot(page, '03-battery-set');
    assert.ok(differingPixels(clicked, await windowPixels(page, sw.window, gauge)) > 20, 'the switch picture changed back');
    await page.close();
  });

  test('a held radio knob keeps stepping', async () => {
    const page = await openCockpit(browser, server.url);
    await openWindow(page, 'Radios_Toggle', 50);
    // The channel knob's right half (the fourth area that repeats): 25 kHz up, wrapping within the
    // megahertz, so it has no stop to reach while held.
    const knob = await areaPoint(page, 'Radio_COM1', 'repeat', 3);
    const place = await page.evaluate((i) => window.cockpit.layout.gauges[i].placement, knob.gauge);
    // One click, then a repeat every 100 ms after 300 ms while the button is held: each sends the
    // head's step event. Where the aircraft model answers them, the read-out rolls on too.
    const sent = async () => (await events(page)).filter((e) => e.gauge === 'Radio_COM1' && e.by !== 'cycle').length;
    const frequency = async () => (await (await fetch(server.url + 'api/vars?ids=23')).json())[0].value;
    // Mid-band (128.00 MHz), so that neither half of any COM1 knob stands at its stop.
    const tuned = await fetch(server.url + 'api/var', { method: 'POST', body: JSON.stringify({ id: 23, value: 0x2800 }) });
    assert.equal(tuned.status, 200);
    await page.waitForTimeout(200);
    const before = await sent();
    const startFrequency = await frequency();
    const pictures = new Set();
    await page.mouse.move(knob.x, knob.y);
    await page.mouse.down();
    for (let sample = 0; sample < 8; ++sample) {
      await page.waitForTimeout(200);
      pictures.add((await windowPixels(page, knob.window, place)).join(','));
    }
    await screenshot(page, '04-radio-held');
    await page.mouse.up();
    const held = (await sent()) - before;
    // At least the click and two repeats, however slowly a loaded machine runs the cycles.
    assert.ok(held >= 3, `${held} steps sent in 1.6 s of holding`);
    const logged = (await events(page)).filter((e) => e.gauge === 'Radio_COM1' && e.by !== 'cycle');
    assert.ok(logged.some((e) => e.by === 'repeat'), 'repeats are logged as such: ' + JSON.stringify(logged.slice(0, 12)));
    if ((await frequency()) !== startFrequency) assert.ok(pictures.size >= 2, 'the read-out rolled');
    // Released, it stops (given the page a moment to hear of the last repeats).
    await page.waitForTimeout(1000);
    const stopped = await sent();
    await page.waitForTimeout(1000);
    assert.equal(await sent(), stopped, 'no steps after the button is released');
    await page.close();
  });

  test('a drag moves the throttle', async () => {
    const page = await openCockpit(browser, server.url);
    await openWindow(page, 'Throttle_Toggle', 10);
    const lever = await areaPoint(page, 'Throttle_Quadrant', 'drag');
    await page.mouse.move(lever.x, lever.y + 60);
    await page.mouse.down();
    for (let step = 1; step <= 8; ++step) {
      await page.mouse.move(lever.x, lever.y + 60 - step * 15);
      await page.waitForTimeout(40);
    }
    await page.mouse.up();
    await settled(page);
    await screenshot(page, '05-throttle-dragged');
    const sets = (await events(page)).filter((e) => e.event === '0x1011c' && e.gauge === 'Throttle_Quadrant');
    assert.ok(sets.length >= 3, `${sets.length} throttle settings from the drag`);
    assert.ok(sets.at(-1).value > sets[0].value, 'dragging up opens the throttle');
    await page.close();
  });

  test('a tooltip shows its live text', async () => {
    const page = await openCockpit(browser, server.url);
    const brake = await areaPoint(page, 'Parking_Brake');
    await page.mouse.move(brake.x, brake.y);
    await page.waitForSelector('#tooltip:not([hidden])', { timeout: 5000 });
    const text = await page.textContent('#tooltip');
    await screenshot(page, '06-tooltip');
    assert.match(text, /^Parking brake \(.+\)$/);
    await page.close();
  });

  test('two pages stay in step', async () => {
    const one = await openCockpit(browser, server.url);
    const two = await openCockpit(browser, server.url, { fresh: false });
    const visible = () => two.evaluate(() => !document.querySelector('.window[data-ident="304"]').hidden);
    const wasOpen = await visible();
    const toggle = await areaPoint(one, 'Landing_View_Toggle');
    await one.mouse.click(toggle.x, toggle.y);
    await two.waitForFunction((was) => !document.querySelector('.window[data-ident="304"]').hidden !== was, wasOpen, { timeout: 2000 });
    await settled(two);
    await screenshot(two, '07-second-page');
    await one.close();
    await two.close();
  });

  test("a click's sound reaches the page", async () => {
    const page = await openCockpit(browser, server.url);
    const brake = await areaPoint(page, 'Parking_Brake');
    const heard = await page.evaluate(() => window.cockpit.soundsPlayed.length);
    await page.mouse.click(brake.x, brake.y);
    await until(page, (n) => window.cockpit.soundsPlayed.length > n, heard);
    const sound = await page.evaluate(() => window.cockpit.soundsPlayed.at(-1));
    assert.equal(sound.wave, 20);
    const wav = await fetch(server.url + 'sound/' + sound.sound);
    assert.equal(wav.status, 200);
    assert.equal(Buffer.from(await wav.arrayBuffer()).subarray(0, 4).toString(), 'RIFF');
    await page.close();
  });

  test('the designer overlay shows every area and gauge name', async () => {
    const page = await openCockpit(browser, server.url);
    await page.check('#overlay');
    await page.check('#designer');
    await settled(page);
    await screenshot(page, '08-overlay');
    await page.close();
  });
});

describe('the server', () => {
  const cases = [
    { what: 'a request for another host name', path: 'api/layout', headers: { Host: 'rebound.example:80' }, status: 403 },
    { what: 'a request from another site', path: 'api/mouse', method: 'POST', headers: { Origin: 'http://evil.example' }, body: '{}', status: 403 },
    { what: 'malformed JSON', path: 'api/mouse', method: 'POST', body: '{"gauge":', status: 400 },
    { what: 'a gauge that does not exist', path: 'api/mouse', method: 'POST', body: '{"gauge":100000,"action":"down","x":1,"y":1,"button":"left"}', status: 400 },
    { what: 'a point that is no number', path: 'api/tooltip?gauge=0&x=nan&y=1', status: 400 },
    { what: 'a body too large', path: 'api/var', method: 'POST', body: '{"id":1,"value":' + '1'.repeat(70000) + '}', status: 413 },
    { what: 'an integer variable set to a fraction', path: 'api/var', method: 'POST', body: '{"id":16,"value":1.5}', status: 400 },
    { what: 'a file that is not the page\'s', path: '../../etc/passwd', status: 404 },
    { what: 'an unknown action', path: 'api/explode', method: 'POST', body: '{}', status: 404 },
  ];
  for (const c of cases) {
    test(`answers ${c.what} with ${c.status}`, async () => {
      const http = await import('node:http');
      const status = await new Promise((resolve, reject) => {
        const request = http.request({ host: '127.0.0.1', port: server.port, path: '/' + c.path, method: c.method || 'GET',
                                       headers: { ...(c.body ? { 'Content-Length': Buffer.byteLength(c.body) } : {}), ...(c.headers || {}) } }, (response) => { response.resume(); resolve(response.statusCode); });
        request.on('error', reject);
        if (c.body) request.write(c.body);
        request.end();
      });
      assert.equal(status, c.status);
    });
  }
  test('keeps running after bad requests', async () => {
    const layout = await fetch(server.url + 'api/layout');
    assert.equal(layout.status, 200);
    assert.ok((await layout.json()).gauges.length > 90);
  });
});
