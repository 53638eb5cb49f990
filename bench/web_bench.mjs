// The web cockpit's pace, measured in Debian's Chromium (not a test; run on demand):
//   node bench/web_bench.mjs [build/gaugehost]
// - a still cockpit (cold and dark): what a page is sent a second;
// - the battery switch clicked 40 times: pointer down to the page painting the frame that shows
//   it, median and 95th percentile;
// - the ILS approach, its needles moving: frames a second that brought a change, frames painted,
//   frames overtaken before they were painted, bytes a second, and the time of one gauge's repaint;
// - the server's processor time per second of running, with 0, 1, 2 and 4 pages open.
import { readFileSync } from 'node:fs';
import path from 'node:path';

if (process.argv[2]) process.env.GAUGEHOST = path.resolve(process.argv[2]);
const { gaugePoint, launchBrowser, openCockpit, openWindow, startServer, stop } = await import('../tests/browser/harness.mjs');

function cpuSeconds(pid) {
  const fields = readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
  return (Number(fields[11]) + Number(fields[12])) / 100;  // in ticks of USER_HZ, 100 on Linux
}
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const percentile = (values, p) => [...values].sort((a, b) => a - b)[Math.min(values.length - 1, Math.floor(values.length * p))];
const ms = (v) => (v === undefined ? '-' : v.toFixed(2) + ' ms');

// What the page saw over `seconds`.
async function pace(page, label, seconds) {
  const read = () => page.evaluate(() => {
    const c = window.cockpit;
    return { bytes: c.bytes, changed: c.framesChanged, painted: c.framesPainted, unpainted: c.framesUnpainted, paints: c.gaugePaintMs.length };
  });
  const before = await read();
  const start = Date.now();
  await sleep(seconds * 1000);
  const after = await read();
  const elapsed = (Date.now() - start) / 1000;
  const rate = (key) => ((after[key] - before[key]) / elapsed).toFixed(1);
  const paints = await page.evaluate((n) => window.cockpit.gaugePaintMs.slice(n), before.paints);
  console.log(`${label}: ${((after.bytes - before.bytes) / 1024 / elapsed).toFixed(2)} KB/s; frames with a change ${rate('changed')}/s, ` +
              `painted ${rate('painted')}/s, overtaken unpainted ${after.unpainted - before.unpainted}; one gauge's repaint ` +
              `median ${ms(percentile(paints, 0.5))}, 95th percentile ${ms(percentile(paints, 0.95))} (${paints.length} repaints)`);
}

const browser = await launchBrowser();
let server = await startServer();
try {
  let page = await openCockpit(browser, server.url);
  await pace(page, 'still, cold and dark', 10);

  await openWindow(page, 'Electricity_Toggle', 302);
  const battery = await gaugePoint(page, 'Battery_Switch');
  for (let i = 0; i < 40; ++i) {
    const clicks = await page.evaluate(() => window.cockpit.latencies.length);
    await page.mouse.click(battery.x, battery.y);
    await page.waitForFunction((n) => window.cockpit.latencies.length > n, clicks);
    await sleep(100);
  }
  const latencies = await page.evaluate(() => window.cockpit.latencies.slice(-40));
  console.log(`battery click to changed pixels: ${latencies.length} clicks, median ${ms(percentile(latencies, 0.5))}, ` +
              `95th percentile ${ms(percentile(latencies, 0.95))}, worst ${ms(Math.max(...latencies))}`);
  await page.close();

  await stop(server.child);
  server = await startServer(['--scenario', 'approach']);
  page = await openCockpit(browser, server.url);
  await pace(page, 'ILS approach', 20);
  await page.close();

  for (const count of [0, 1, 2, 4]) {
    const pages = [];
    for (let i = 0; i < count; ++i) pages.push(await openCockpit(browser, server.url, { fresh: false }));
    const cpu0 = cpuSeconds(server.child.pid);
    await sleep(5000);
    const used = (cpuSeconds(server.child.pid) - cpu0) / 5;
    console.log(`server processor time at 18 Hz in the approach, ${count} page(s) open: ${(used * 100).toFixed(1)} % of a core`);
    for (const p of pages) await p.close();
  }
} finally {
  await browser.close();
  await stop(server.child);
}
