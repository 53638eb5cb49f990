// The web cockpit in a real browser: what only a browser shows. Its drawing against the PNG
// renderer, clicks, holds and drags through the page, subpanels placed on the page, tooltips,
// sound, a restarted server and the designer's tools; what the server or a gauge does with a
// click is the C++ tests' and the check files'. Screenshots of each step go into
// BROWSER_TEST_OUTPUT (build/browser-tests by default). Every wait is on a state of the page or
// the server, never on the clock, so that a slow machine only makes it slower.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import {
  events, gaugePixels, gaugePoint, launchBrowser, mainPanelAgainstRender, openCockpit, openWindow, quickClick,
  screenshot, settled, showWindow, startServer, stop, stopAll,
} from './harness.mjs';

let server;
let browser;

before(async () => { [server, browser] = await Promise.all([startServer(), launchBrowser()]); });
after(async () => { await browser?.close(); await stopAll(); });

// A test on a fresh page of the cockpit, closed whatever the test's outcome.
const pageTest = (name, body) => test(name, async () => {
  const page = await openCockpit(browser, server.url);
  try { await body(page); } finally { await page.close(); }
});

describe('the web cockpit', () => {
  pageTest('loads, and its main panel matches the PNG renderer', async (page) => {
    await screenshot(page, '01-loaded');
    const result = await mainPanelAgainstRender(page);
    console.log('canvas against PNG:', result);
    assert.ok(result.sameSize, 'the canvas is as large as the PNG');
    // Tolerance: smoothing of scaled and turned bitmaps and text rasterisation differ between
    // cairo and the browser at edges (0.2 % of the pixels); the pictures must agree everywhere
    // else. The cold panel's few turned needles drawn turning the wrong way differ in 0.75 %.
    assert.ok(result.differing / result.pixels < 0.005, `${result.differing} of ${result.pixels} pixels differ by more than 48`);
    assert.ok(result.meanDifference < 1.5, `mean difference ${result.meanDifference}`);
  });

  pageTest('a toggle button opens its subpanel clear of its button row, within the page, its guarded switch tells how to lift the guard, and the close button shuts it', async (page) => {
    await openWindow(page, 'Starter_Toggle', 301);
    await screenshot(page, '02-starter-open');
    const starter = await page.evaluate(() => document.querySelector('.window[data-ident="301"]').getBoundingClientRect().toJSON());
    for (const name of ['Starter_Toggle', 'Electricity_Toggle', 'IFR_Panel_Toggle']) {
      const button = await gaugePoint(page, name);
      assert.ok(!(button.x > starter.left && button.x < starter.right && button.y > starter.top && button.y < starter.bottom),
                `${name} stays clear of the subpanel`);
    }
    const guarded = await gaugePoint(page, 'Starter_Board', 'child', 1);  // the fuel valve switch, under its guard
    await page.mouse.move(guarded.x, guarded.y);  // from the toggle button and its own tooltip
    await page.waitForFunction(() => !document.querySelector('#tooltip').hidden &&
                                     document.querySelector('#tooltip').textContent.startsWith('Fuel valve'));
    assert.match(await page.textContent('#tooltip'), /^Fuel valve switch \(protected and (on|off)\)\nRight-click lifts the guard/);
    await screenshot(page, '02-guard-tooltip');
    // A smaller page brings the subpanel back into view.
    await page.setViewportSize({ width: 900, height: 600 });
    await page.waitForFunction(() => {
      const r = document.querySelector('.window[data-ident="301"]').getBoundingClientRect();
      return r.right <= window.innerWidth && r.bottom <= window.innerHeight;
    });
    await screenshot(page, '02-starter-small-page');
    const close = await gaugePoint(page, 'Close_Subpanel');
    await page.mouse.click(close.x, close.y);
    await page.waitForSelector('.window[data-ident="301"]', { state: 'hidden' });
  });

  pageTest("a click on the parking brake redraws the lever, plays its sound and shows in the designer's log, the designer's overlay on", async (page) => {
    for (const box of ['#overlay', '#designer']) await page.check(box);
    await settled(page);
    const brake = await gaugePoint(page, 'Parking_Brake');
    const pixels = await gaugePixels(page, brake);
    const heard = await page.evaluate(() => window.cockpit.soundsPlayed.length);
    await page.mouse.click(brake.x, brake.y);
    await pixels.changed();
    await page.waitForFunction((n) => window.cockpit.soundsPlayed.length > n, heard);
    const sound = await page.evaluate(() => window.cockpit.soundsPlayed.at(-1));
    assert.equal(sound.wave, 20);
    const wav = await fetch(server.url + 'sound/' + sound.sound);
    assert.equal(Buffer.from(await wav.arrayBuffer()).subarray(0, 4).toString(), 'RIFF');
    await page.fill('#event-filter', 'parking');
    await page.waitForFunction(() => {
      const rows = [...document.querySelectorAll('#events tr')];
      return rows.length > 0 && rows.every((r) => /parking brake/.test(r.textContent));
    });
    const altimeter = await gaugePoint(page, 'Altimeter');
    await page.mouse.move(altimeter.x, altimeter.y);
    await page.waitForSelector('.window[data-window="0"] canvas.overlay:not([hidden])');
    await screenshot(page, '03-brake-clicked-overlay');
  });

  pageTest('a held radio knob keeps stepping, one request a repeat, and stops when let go', async (page) => {
    await openWindow(page, 'Radios_Toggle', 50);
    // The channel knob's right half (the fourth area that repeats): 25 kHz up, wrapping within the
    // megahertz, so it has no stop to reach while held.
    const knob = await gaugePoint(page, 'Radio_COM1', 'repeat', 3);
    const repeatsLogged = async () => (await events(page)).filter((e) => e.gauge === 'Radio_COM1' && e.by === 'repeat').length;
    const logged0 = await repeatsLogged();
    const sent0 = await page.evaluate(() => window.cockpit.repeatsSent);
    const pixels = await gaugePixels(page, knob, 0);
    await page.mouse.move(knob.x, knob.y);
    await page.mouse.down();
    // The page repeats by its own clock: at least three repeats, whatever the machine's pace.
    await page.waitForFunction((n) => window.cockpit.repeatsSent >= n + 3, sent0);
    await page.mouse.up();
    const sent = await page.evaluate(() => window.cockpit.repeatsSent);
    await screenshot(page, '04-radio-held');
    // Every repeat sent reaches the server as one step, and none comes after the button is let go.
    await page.waitForFunction((n) => window.cockpit.eventsSeen.filter((e) => e.gauge === 'Radio_COM1' && e.by === 'repeat').length >= n,
                               logged0 + sent - sent0);
    assert.equal((await repeatsLogged()) - logged0, sent - sent0, 'one step a repeat');
    assert.equal(await page.evaluate(() => window.cockpit.repeatsSent), sent, 'no repeats once let go');
    await pixels.changed();
  });

  pageTest('one click on every knob that repeats while held is one step', async (page) => {
    const knobs = await page.evaluate(() => window.cockpit.layout.gauges.flatMap((g) =>
      g.areas.filter((a) => a.kind === 'child' && (a.flags & 0x00200000))
        .map((a, nth) => ({ gauge: g.name, window: g.window, nth, button: (a.flags & 0x20000000) ? 'left' : 'right' }))));
    assert.ok(knobs.length >= 10, `${knobs.length} repeating areas`);
    const windows = [...new Set(knobs.map((k) => k.window))];
    for (const window of windows) await showWindow(server.url, window);
    await page.waitForFunction((ws) => ws.every((w) => window.cockpit.visible[w]), windows);
    await settled(page);
    await screenshot(page, '04-every-knob');
    const sent0 = await page.evaluate(() => window.cockpit.repeatsSent);
    const repeats = async () => (await events(page)).filter((e) => e.by === 'repeat').length;
    const logged0 = await repeats();
    for (const knob of knobs) {
      const clicks = await quickClick(page, await gaugePoint(page, knob.gauge, 'repeat', knob.nth), knob.button);
      // The click's own frame painted: whatever it does, it has done.
      await page.waitForFunction((n) => window.cockpit.latencies.length > n, clicks);
    }
    assert.equal(await page.evaluate(() => window.cockpit.repeatsSent), sent0, 'no click was taken for a hold');
    assert.equal(await repeats(), logged0, 'the server repeated nothing by itself');
  });

  pageTest('a drag moves the throttle', async (page) => {
    await openWindow(page, 'Throttle_Toggle', 10);
    const lever = await gaugePoint(page, 'Throttle_Quadrant', 'drag');
    await page.mouse.move(lever.x, lever.y + 60);
    await page.mouse.down();
    for (let step = 1; step <= 8; ++step) {
      const drags = await page.evaluate(() => window.cockpit.dragsSent);
      await page.mouse.move(lever.x, lever.y + 60 - step * 15);
      await page.waitForFunction((n) => window.cockpit.dragsSent > n, drags);
    }
    await page.mouse.up();
    await settled(page);
    await screenshot(page, '05-throttle-dragged');
    const sets = (await events(page)).filter((e) => e.event === '0x1011c' && e.gauge === 'Throttle_Quadrant');
    // The lever follows the pointer through the drag, not just to one end.
    const settings = new Set(sets.map((e) => e.value));
    assert.ok(settings.size >= 3, `${settings.size} throttle settings from the drag: ${[...settings]}`);
    assert.ok(sets.at(-1).value > sets[0].value, 'dragging up opens the throttle');
  });

  pageTest('an action the server refuses says so on the page', async (page) => {
    await page.evaluate(() => post('var', { id: 16, value: 1.5 }).catch(() => {}));
    await page.waitForSelector('#notice:not([hidden])');
    assert.match(await page.textContent('#notice'), /^Could not var: 400 variable 16 takes a whole number/);
  });

  pageTest('a restarted server brings the page back by itself', async (page) => {
    const session = await page.evaluate(() => window.cockpit.session);
    await stop(server.child);
    await page.waitForSelector('#banner:not([hidden])');
    await screenshot(page, '10-disconnected');
    server = await startServer([], server.port);
    await page.waitForFunction((old) => window.cockpit.restarts > 0 && window.cockpit.session !== old && window.cockpit.connected, session);
    await page.waitForSelector('#banner', { state: 'hidden' });
    await settled(page);
    await screenshot(page, '10-reconnected');
    // and it works: a click reaches the new server
    const brake = await gaugePoint(page, 'Parking_Brake');
    await page.mouse.click(brake.x, brake.y);
    await page.waitForFunction(() => window.cockpit.eventsSeen.some((e) => e.gauge === 'Parking_Brake'));
  });
});
