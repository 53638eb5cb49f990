// The web cockpit in a real browser: drawing, clicks, holds, drags, tooltips, subpanels, sound,
// several pages, a restarted server, and the server's answers to bad requests. Screenshots of
// each step go into BROWSER_TEST_OUTPUT (build/browser-tests by default). Every wait is on a state
// of the page or the server, never on the clock, so that a slow machine only makes it slower.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import {
  areaPoint, differingPixels, events, launchBrowser, mainPanelAgainstRender, openCockpit, openWindow,
  quickClick, screenshot, settled, startServer, stopServer, windowPixels,
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

const until = async (page, predicate, arg) => page.waitForFunction(predicate, arg);

// Until a gauge's pixels on the page differ from `before` in more than `count` pixels.
const pixelsChange = (page, sw, rect, before, count = 20) => page.waitForFunction(([index, rect, before, count]) => {
  const canvas = document.querySelector(`.window[data-window="${index}"] canvas`);
  const now = canvas.getContext('2d').getImageData(...rect).data;
  let differing = 0;
  for (let i = 0; i < now.length; i += 4) {
    if (Math.abs(now[i] - before[i]) > 24 || Math.abs(now[i + 1] - before[i + 1]) > 24 || Math.abs(now[i + 2] - before[i + 2]) > 24) ++differing;
  }
  return differing > count;
}, [sw.window, rect, before, count]);

// The page rectangle of an element, and whether two rectangles overlap.
const box = (page, selector) => page.evaluate((s) => {
  const r = document.querySelector(s).getBoundingClientRect();
  return { left: r.left, top: r.top, right: r.right, bottom: r.bottom };
}, selector);
const overlap = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;

describe('the web cockpit', () => {
  test('loads, and its main panel matches the PNG renderer', async () => {
    const page = await openCockpit(browser, server.url);
    await screenshot(page, '01-loaded');
    const result = await mainPanelAgainstRender(page);
    console.log('canvas against PNG:', result);
    assert.ok(result.sameSize, 'the canvas is as large as the PNG');
    // Tolerance: smoothing of scaled and turned bitmaps and text rasterisation differ between
    // cairo and the browser at edges; the pictures must agree everywhere else.
    assert.ok(result.differing / result.pixels < 0.02, `${result.differing} of ${result.pixels} pixels differ by more than 48`);
    assert.ok(result.meanDifference < 4, `mean difference ${result.meanDifference}`);
    await page.close();
  });

  test('a toggle button opens its subpanel clear of its button row, within the page, and the close button shuts it', async () => {
    const page = await openCockpit(browser, server.url);
    await openWindow(page, 'Starter_Toggle', 301);
    await screenshot(page, '02-starter-open');
    const log = await events(page);
    assert.ok(log.some((e) => e.gauge === 'Starter_Toggle'), 'the toggle is in the event log');
    const starter = await box(page, '.window[data-ident="301"]');
    for (const name of ['Starter_Toggle', 'Electricity_Toggle', 'IFR_Panel_Toggle']) {
      const button = await areaPoint(page, name);
      assert.ok(!(button.x > starter.left && button.x < starter.right && button.y > starter.top && button.y < starter.bottom),
                `${name} stays clear of the subpanel`);
    }
    // A smaller page brings the subpanel back into view.
    await page.setViewportSize({ width: 900, height: 600 });
    await page.waitForFunction(() => {
      const r = document.querySelector('.window[data-ident="301"]').getBoundingClientRect();
      return r.right <= window.innerWidth && r.bottom <= window.innerHeight;
    });
    await screenshot(page, '02-starter-small-page');
    const close = await areaPoint(page, 'Close_Subpanel');
    await page.mouse.click(close.x, close.y);
    await page.waitForSelector('.window[data-ident="301"]', { state: 'hidden' });
    await page.close();
  });

  test('a guarded switch says how to lift its guard', async () => {
    const page = await openCockpit(browser, server.url);
    await openWindow(page, 'Starter_Toggle', 301);
    const guarded = await page.evaluate(() => {
      const gauge = window.cockpit.layout.gauges.find((g) => g.name === 'Starter_Board');
      const canvas = document.querySelector(`.window[data-window="${gauge.window}"] canvas`).getBoundingClientRect();
      const size = window.cockpit.layout.windows[gauge.window].size;
      const [x, y, w, h] = gauge.placement;
      // the fuel valve switch, under its guard
      return { x: canvas.left + (x + 80 * w / gauge.bitmap[0]) * canvas.width / size[0],
               y: canvas.top + (y + 60 * h / gauge.bitmap[1]) * canvas.height / size[1] };
    });
    await page.mouse.move(guarded.x, guarded.y);
    await page.waitForSelector('#tooltip:not([hidden])');
    const text = await page.textContent('#tooltip');
    await screenshot(page, '02-guard-tooltip');
    assert.match(text, /^Fuel valve switch \(protected and (on|off)\)\nRight-click lifts the guard/);
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
    await pixelsChange(page, sw, gauge, clicked);
    await screenshot(page, '03-battery-set');
    await page.close();
  });

  test('a held radio knob keeps stepping, one request a repeat, and stops when let go', async () => {
    const page = await openCockpit(browser, server.url);
    await openWindow(page, 'Radios_Toggle', 50);
    // The channel knob's right half (the fourth area that repeats): 25 kHz up, wrapping within the
    // megahertz, so it has no stop to reach while held.
    const knob = await areaPoint(page, 'Radio_COM1', 'repeat', 3);
    const place = await page.evaluate((i) => window.cockpit.layout.gauges[i].placement, knob.gauge);
    const repeatsLogged = async () => (await events(page)).filter((e) => e.gauge === 'Radio_COM1' && e.by === 'repeat').length;
    const logged0 = await repeatsLogged();
    const sent0 = await page.evaluate(() => window.cockpit.repeatsSent);
    const before = await windowPixels(page, knob.window, place);
    await page.mouse.move(knob.x, knob.y);
    await page.mouse.down();
    // The page repeats by its own clock: at least three repeats, whatever the machine's pace.
    await until(page, (n) => window.cockpit.repeatsSent >= n + 3, sent0);
    await page.mouse.up();
    const sent = await page.evaluate(() => window.cockpit.repeatsSent);
    await screenshot(page, '04-radio-held');
    // Every repeat sent reaches the server as one step, and none comes after the button is let go.
    await until(page, (n) => window.cockpit.eventsSeen.filter((e) => e.gauge === 'Radio_COM1' && e.by === 'repeat').length >= n, logged0 + sent - sent0);
    assert.equal((await repeatsLogged()) - logged0, sent - sent0, 'one step a repeat');
    assert.equal(await page.evaluate(() => window.cockpit.repeatsSent), sent, 'no repeats once let go');
    await pixelsChange(page, knob, place, before, 0);
    await page.close();
  });

  test('one click on every knob that repeats while held is one step', async () => {
    const page = await openCockpit(browser, server.url);
    const knobs = await page.evaluate(() => window.cockpit.layout.gauges.flatMap((g) =>
      g.areas.map((a, i) => ({ gauge: g.name, window: g.window, area: i, flags: a.flags, kind: a.kind }))
        .filter((a) => a.kind === 'child' && (a.flags & 0x00200000))));
    assert.ok(knobs.length >= 10, `${knobs.length} repeating areas`);
    for (const window of new Set(knobs.map((k) => k.window))) {
      await fetch(server.url + 'api/window', { method: 'POST', body: JSON.stringify({ window, visible: true }) });
    }
    await until(page, (ws) => ws.every((w) => window.cockpit.visible[w]), [...new Set(knobs.map((k) => k.window))]);
    await settled(page);
    await screenshot(page, '04-every-knob');
    const sent0 = await page.evaluate(() => window.cockpit.repeatsSent);
    const repeats = async () => (await events(page)).filter((e) => e.by === 'repeat').length;
    const logged0 = await repeats();
    const nth = new Map();
    for (const knob of knobs) {
      const index = nth.get(knob.gauge) || 0;
      nth.set(knob.gauge, index + 1);
      const point = await areaPoint(page, knob.gauge, 'repeat', index);
      const button = (knob.flags & 0x20000000) ? 'left' : 'right';
      const clicks = await quickClick(page, point, button);
      // The click's own frame painted: whatever it does, it has done.
      await until(page, (n) => window.cockpit.latencies.length > n, clicks);
    }
    assert.equal(await page.evaluate(() => window.cockpit.repeatsSent), sent0, 'no click was taken for a hold');
    assert.equal(await repeats(), logged0, 'the server repeated nothing by itself');
    await page.close();
  });

  test('a drag moves the throttle', async () => {
    const page = await openCockpit(browser, server.url);
    await openWindow(page, 'Throttle_Toggle', 10);
    const lever = await areaPoint(page, 'Throttle_Quadrant', 'drag');
    await page.mouse.move(lever.x, lever.y + 60);
    await page.mouse.down();
    for (let step = 1; step <= 8; ++step) {
      const drags = await page.evaluate(() => window.cockpit.dragsSent);
      await page.mouse.move(lever.x, lever.y + 60 - step * 15);
      await until(page, (n) => window.cockpit.dragsSent > n, drags);
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
    await page.waitForSelector('#tooltip:not([hidden])');
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
    await two.waitForFunction((was) => !document.querySelector('.window[data-ident="304"]').hidden !== was, wasOpen);
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

  test("the designer overlay shows the hovered gauge's areas, the log names events", async () => {
    const page = await openCockpit(browser, server.url);
    await page.check('#overlay');
    await page.check('#designer');
    await settled(page);
    const altimeter = await areaPoint(page, 'Altimeter', 'child');
    await page.mouse.move(altimeter.x, altimeter.y);
    const brake = await areaPoint(page, 'Parking_Brake');
    await page.mouse.click(brake.x, brake.y);
    await page.waitForSelector('#events tr');
    await page.fill('#event-filter', 'parking');
    await page.waitForFunction(() => [...document.querySelectorAll('#events tr')].every((r) => /parking brake/.test(r.textContent)));
    await page.mouse.move(altimeter.x, altimeter.y);
    await screenshot(page, '08-overlay');
    await page.close();
  });

  test('an action the server refuses says so on the page', async () => {
    const page = await openCockpit(browser, server.url);
    await page.evaluate(() => post('var', { id: 16, value: 1.5 }).catch(() => {}));
    await page.waitForSelector('#notice:not([hidden])');
    assert.match(await page.textContent('#notice'), /^Could not var: 400 variable 16 takes a whole number/);
    await page.close();
  });

  test('a restarted server brings the page back by itself', async () => {
    const page = await openCockpit(browser, server.url);
    const session = await page.evaluate(() => window.cockpit.session);
    await stopServer(server);
    await page.waitForSelector('#banner:not([hidden])');
    await screenshot(page, '10-disconnected');
    server = await startServer([], server.port);
    await until(page, (old) => window.cockpit.restarts > 0 && window.cockpit.session !== old && window.cockpit.connected, session);
    await page.waitForSelector('#banner', { state: 'hidden' });
    await settled(page);
    await screenshot(page, '10-reconnected');
    const layout = await (await fetch(server.url + 'api/layout')).json();
    assert.equal(await page.evaluate(() => window.cockpit.session), layout.session);
    // and it works: a click reaches the new server
    const brake = await areaPoint(page, 'Parking_Brake');
    await page.mouse.click(brake.x, brake.y);
    await until(page, () => window.cockpit.eventsSeen.some((e) => e.gauge === 'Parking_Brake'));
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
