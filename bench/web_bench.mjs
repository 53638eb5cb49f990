// The web cockpit's speed, measured in Debian's Chromium (not a test; run on demand):
//   node bench/web_bench.mjs [build/gaugehost]
// - click to painted change: a toggle button clicked 40 times (its subpanel opens and closes),
//   from the pointer going down to the page painting the frame that shows it; 95th percentile;
// - bytes sent per page a second while three needles move (their variables swept 18 times a
//   second through the variable requests);
// - the server's processor time per second of running, with 0, 1, 2 and 4 pages open.
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
process.env.GAUGEHOST ||= path.resolve(process.argv[2] || path.join(here, '../build/gaugehost'));
process.env.PANEL ||= path.join(here, '../panels/corvane/panel.cfg');
const { areaPoint, launchBrowser, openCockpit, startServer, stopServer } =
  await import('../tests/browser/harness.mjs');

const ticks = 100;  // USER_HZ, the unit of /proc/PID/stat times on Linux
function cpuSeconds(pid) {
  const fields = readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
  return (Number(fields[11]) + Number(fields[12])) / ticks;
}
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const percentile = (values, p) => [...values].sort((a, b) => a - b)[Math.min(values.length - 1, Math.floor(values.length * p))];

const server = await startServer();
const browser = await launchBrowser();
try {
  const page = await openCockpit(browser, server.url);
  const toggle = await areaPoint(page, 'Landing_View_Toggle');
  for (let i = 0; i < 40; ++i) {
    await page.mouse.click(toggle.x, toggle.y);
    await sleep(150);
  }
  const latencies = await page.evaluate(() => window.cockpit.latencies);
  console.log(`click to painted change: ${latencies.length} clicks, median ${percentile(latencies, 0.5).toFixed(1)} ms, ` +
              `95th percentile ${percentile(latencies, 0.95).toFixed(1)} ms, worst ${Math.max(...latencies).toFixed(1)} ms`);

  const sweep = async (seconds) => {
    const end = Date.now() + seconds * 1000;
    for (let t = 0; Date.now() < end; t += 1 / 18) {
      await Promise.all([[625, 50 + 40 * Math.sin(t)], [61, 250 + 150 * Math.sin(t / 2)], [74, 5000 + 3000 * Math.sin(t / 3)]]
        .map(([id, value]) => fetch(server.url + 'api/var', { method: 'POST', body: JSON.stringify({ id, value }) })));
      await sleep(1000 / 18);
    }
  };
  const bytesBefore = await page.evaluate(() => window.cockpit.bytes);
  const start = Date.now();
  await sweep(10);
  const rate = ((await page.evaluate(() => window.cockpit.bytes)) - bytesBefore) / ((Date.now() - start) / 1000);
  console.log(`sent per page while three needles move: ${(rate / 1024).toFixed(1)} KB/s`);
  await page.close();

  for (const count of [0, 1, 2, 4]) {
    const pages = [];
    for (let i = 0; i < count; ++i) pages.push(await openCockpit(browser, server.url, { fresh: false }));
    const cpu0 = cpuSeconds(server.child.pid);
    await sleep(10000);
    const used = (cpuSeconds(server.child.pid) - cpu0) / 10;
    console.log(`server processor time at 18 Hz, ${count} page(s) open: ${(used * 100).toFixed(1)} % of a core`);
    for (const p of pages) await p.close();
  }
} finally {
  await browser.close();
  await stopServer(server);
}
