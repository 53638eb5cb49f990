// FlightGear flies and the Corvane's web cockpit is its panel: scripts/flightgear starts a real
// FlightGear in the air near KSFO, `gaugehost serve --flightgear` takes its flight, and this test
// compares the gauges' variables (the serve web API) with FlightGear's properties (its property
// server), then works the panel's NAV1 knobs, throttle and flap levers and watches FlightGear
// follow. Every wait is on a state with a generous deadline: FlightGear may take minutes to start
// on a loaded machine. Exits 77 (skipped, loudly) where FlightGear is not installed.
import net from 'node:net';
import path from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { freePort, start, startServer, stopAll, WAIT_MS } from '../browser/harness.mjs';

const root = path.resolve(import.meta.dirname, '../..');
const fgHome = process.env.FLIGHTGEAR_HOME || path.join(root, 'build/flightgear-home');
const START_MS = 20 * 60_000;  // FlightGear's start; the first one builds its navigation cache

const NOT_INSTALLED = 3;  // scripts/flightgear's exit status without fgfs or Xvfb

// Four free loopback ports: FlightGear's output and input (UDP, the second next to the first, as
// scripts/flightgear takes them), its property server and the cockpit's web server.
async function freePorts() {
  for (;;) {
    const base = 20000 + 4 * Math.floor(Math.random() * 5000);
    const ports = [['udp', base], ['udp', base + 1], ['tcp', base + 2], ['tcp', base + 3]];
    const free = await Promise.all(ports.map(([kind, port]) => freePort(kind, port)));
    if (free.every(Boolean)) return free;
  }
}

// FlightGear's property server in its data mode: `get` answers one line, the bare value.
async function propertyClient(port) {
  const socket = net.connect(port, '127.0.0.1');
  await new Promise((resolve, reject) => { socket.once('connect', resolve); socket.once('error', reject); });
  let buffer = '';
  const waiting = [];
  socket.on('data', (d) => {
    buffer += d;
    for (let end; (end = buffer.indexOf('\n')) >= 0; buffer = buffer.slice(end + 1)) {
      waiting.shift()?.(buffer.slice(0, end).trim());
    }
  });
  socket.write('data\r\n');
  const get = (property) => new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`no answer from FlightGear to "get ${property}"`)), WAIT_MS);
    waiting.push((value) => { clearTimeout(timer); resolve(value); });
    socket.write(`get ${property}\r\n`);
  });
  return {
    get,
    number: async (property) => Number(await get(property)),
    set: async (property, value) => { socket.write(`set ${property} ${value}\r\n`); return get(property); },
  };
}

// Polls `probe` until it returns a truthy value; on the deadline, fails with what it last saw.
async function until(what, probe, ms = WAIT_MS) {
  for (const deadline = Date.now() + ms; ; await sleep(250)) {
    const last = await probe();
    if (last && last.ok !== false) return last;
    if (Date.now() > deadline) throw new Error(`${what}: not so after ${ms / 1000} s; last seen ${JSON.stringify(last)}`);
  }
}

const [fgOut, fgIn, propsPort, httpPort] = await freePorts();
const url = `http://127.0.0.1:${httpPort}/`;
const api = {
  vars: async (...ids) => {
    const list = await (await fetch(`${url}api/vars?ids=${ids.join(',')}`)).json();
    return Object.fromEntries(list.map((v) => [v.id, v.value]));
  },
  mouse: (gauge, action, x, y) =>
    fetch(url + 'api/mouse', { method: 'POST', body: JSON.stringify({ gauge, action, button: 'left', x, y }) }),
};
let passed = 0;
function pass(name, detail) { ++passed; console.log(`ok  ${name}  ${detail}`); }

const programs = [];  // FlightGear and gaugehost, for their output where a check fails
let status = 1;
try {
  const startedAt = Date.now();
  programs.push(await start(path.join(root, 'scripts/flightgear'), [
    '--fg-home', fgHome, '--light', '--port', String(fgOut), '--props', String(propsPort), '--airport', 'KSFO',
    '--altitude', '3000', '--heading', '150', '--speed', '100', '--wait', String(START_MS / 1000),
  ], 'is flying', START_MS + 60_000).catch(async (error) => {
    if (error.code !== NOT_INSTALLED) throw error;
    console.error(`${'='.repeat(80)}\nNOT RUN: the live FlightGear test.\n${error.message}\n${'='.repeat(80)}`);
    await stopAll();
    process.exit(77);
  }));
  console.log(`FlightGear flying after ${Math.round((Date.now() - startedAt) / 1000)} s`);
  const fg = await propertyClient(propsPort);
  programs.push((await startServer(['--flightgear', String(fgOut), '--flightgear-send', `127.0.0.1:${fgIn}`], httpPort)).child);
  const layout = await (await fetch(url + 'api/layout')).json();
  const gauge = (name) => layout.gauges.find((g) => g.name === name).index;

  // FlightGear's c172p flies hands off badly: the test holds a bank on the ailerons, first 15°
  // to the right, so that the bank's sign counts (the gauges' bank is positive left), then level.
  let bank = 15;
  const bankHold = setInterval(async () => {
    const roll = await fg.number('/orientation/roll-deg').catch(() => bank);  // a wait reports it
    const aileron = Math.max(-0.3, Math.min(0.3, 0.05 * (bank - roll)));
    await fg.set('/controls/flight/aileron', aileron.toFixed(3)).catch(() => {});
  }, 250);
  await until('FlightGear banks right', async () => (await fg.number('/orientation/roll-deg')) > 8);

  // Each gauge value against FlightGear's, read just before and after it: within the stated
  // tolerance of FlightGear's value at some moment between the two readings, which themselves
  // differ by no more than the tolerance (the aircraft steady enough for the comparison to hold).
  const flight = [
    ['airspeed, kt', 61, '/instrumentation/airspeed-indicator/indicated-speed-kt', 1, 2],
    ['altitude, ft', 74, '/instrumentation/altimeter/indicated-altitude-ft', 1, 20],
    ['pitch, deg', 78, '/orientation/pitch-deg', 1, 1],
    ['bank, deg', 80, '/orientation/roll-deg', -1, 1],
    ['magnetic heading, deg', 81, '/orientation/heading-magnetic-deg', 1, 1.5],
  ];
  const compare = async () => {
    const read = () => Promise.all(flight.map(([, , property]) => fg.number(property)));
    const before = await read();
    const gauges = await api.vars(...flight.map(([, id]) => id));
    const after = await read();
    const rows = flight.map(([name, id, , sign, tolerance], i) => {
      const wrap = (d) => (name.includes('heading') ? ((d % 360) + 540) % 360 - 180 : d);
      const fgValue = sign * (before[i] + after[i]) / 2;
      const off = Math.abs(wrap(gauges[id] - fgValue));
      const moved = Math.abs(wrap(after[i] - before[i]));
      return { name, gauge: gauges[id], flightgear: fgValue, moved, ok: moved <= tolerance && off <= tolerance + moved / 2,
               tolerance };
    });
    return { ok: rows.every((r) => r.ok), rows };
  };
  const agreed = await until('the gauges agree with FlightGear', compare);
  for (const r of agreed.rows) {
    pass(r.name, `gauge ${r.gauge.toFixed(2)}, FlightGear ${r.flightgear.toFixed(2)} ± ${(r.moved / 2).toFixed(2)}, within ${r.tolerance}`);
  }
  bank = 0;

  // NAV1 to the SFO VORTAC, 115.80, by the radio head's knobs: the whole megahertz (left knob)
  // and the 50 kHz steps (right knob), each clicked up until it shows the wanted digits.
  const nav1 = gauge('Radio_NAV1');
  for (const [x, mask, wanted] of [[87, 0xff00, 0x1500], [203, 0x00ff, 0x0080]]) {
    await until(`NAV1 knob to ${wanted.toString(16)}`, async () => {
      if (((await api.vars(24))[24] & mask) === wanted) return true;
      await api.mouse(nav1, 'down', x, 45);
      return false;
    });
  }
  await until('FlightGear tunes NAV1 to 115.80', async () =>
    Math.abs((await fg.number('/instrumentation/nav[0]/frequencies/selected-mhz')) - 115.8) < 0.001);
  pass('NAV1 knob', 'FlightGear NAV1 on 115.80');
  const vor = await until('the VOR needle shows FlightGear\'s SFO VORTAC', async () => {
    const inRange = (await fg.get('/instrumentation/nav[0]/in-range')) === 'true';
    const to = (await fg.get('/instrumentation/nav[0]/to-flag')) === 'true';
    const flag = (await api.vars(43))[43];
    return { ok: inRange && flag === (to ? 1 : 2), inRange, to, gaugeToFrom: flag };
  });
  pass('VOR needle', JSON.stringify(vor));

  // The throttle lever to its far end from where it stands, then the flap lever a notch down.
  const throttleAt = (await api.vars(558))[558];
  const y = throttleAt > 0.5 ? 370 : 10;
  await api.mouse(gauge('Throttle_Quadrant'), 'down', 110, y);
  await api.mouse(gauge('Throttle_Quadrant'), 'drag', 110, y);
  const throttle = await until('FlightGear\'s throttle follows the lever', async () => {
    const lever = (await api.vars(558))[558];
    const fgThrottle = await fg.number('/controls/engines/engine/throttle');
    const ok = Math.abs(lever - throttleAt) > 0.4 && Math.abs(fgThrottle - lever) < 0.02;
    return { ok, lever, fgThrottle };
  });
  pass('throttle lever', JSON.stringify(throttle));
  // The panel's flaps are up (FlightGear's c172p starts with them down), then a notch down.
  await until('FlightGear\'s flaps up, as the panel\'s', async () =>
    (await fg.number('/controls/flight/flaps')) === 0);
  await api.mouse(gauge('Flaps_Switch'), 'down', 37, 89);
  const flaps = await until('FlightGear\'s flaps follow the lever down', async () => {
    const fgFlaps = await fg.number('/controls/flight/flaps');
    return fgFlaps > 0 && fgFlaps;
  });
  pass('flap lever', `FlightGear's flaps at ${flaps}`);
  clearInterval(bankHold);
  console.log(`all ${passed} checks passed`);
  status = 0;
} catch (error) {
  console.error(`FAILED after ${passed} checks: ${error.stack || error}`);
  for (const child of programs) {
    console.error(`--- the end of ${child.spawnfile}'s output:\n${child.log().slice(-2000)}`);
  }
}
await stopAll();
process.exit(status);
