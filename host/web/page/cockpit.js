// The web cockpit: replays the host's display lists on canvases, by the rules of the host's cairo
// backend, and sends the pilot's clicks, holds, drags and keys back to the host.
'use strict';

const PANEL_COLOUR = 0x3a3f44;  // the window's paint under its background and gauges
const HOVER_MS = 600;           // a tooltip shows after the pointer rests this long
const TOOLTIP_REFRESH_MS = 500; // and its live text is asked for again this often
const CONTROL_STEP = 0.05;
const FONT_FAMILIES = { Quartz: '"DSEG7 Classic", monospace', Arial: '"Liberation Sans", Arial, sans-serif' };
const CURSORS = { 1: 'n-resize', 2: 's-resize', 5: 'pointer' };

const cockpit = {
  layout: null,
  gauges: [],         // per gauge: {ops: [], size: [w, h]}
  visible: [],        // per window
  frame: 0,
  paintedFrame: 0,
  scale: 1,
  night: false,
  overlay: false,
  bytes: 0,
  started: performance.now(),
  latencies: [],      // click to painted change, ms
  soundsPlayed: [],   // {sound, wave, at}
  eventsSeen: [],
  failures: new Set(),
  sim: {},
};
window.cockpit = cockpit;

// ---------------------------------------------------------------------------------------------
// Requests

async function post(action, body) {
  const response = await fetch('/api/' + action, {
    method: 'POST', headers: { 'Content-Type': 'application/json' }, body: JSON.stringify(body),
  });
  if (!response.ok) throw new Error(action + ': ' + response.status + ' ' + (await response.text()));
  return response.json();
}

// ---------------------------------------------------------------------------------------------
// Bitmaps: fetched once per id and tint, cached by the browser

const images = new Map();  // "id/tint" -> {image, state: loading|ready|missing}

function bitmap(url) {
  let entry = images.get(url);
  if (!entry) {
    entry = { image: new Image(), state: 'loading' };
    entry.image.onload = () => { entry.state = 'ready'; redrawAll(); };
    entry.image.onerror = () => { entry.state = 'missing'; redrawAll(); };
    entry.image.src = url;
    images.set(url, entry);
  }
  return entry;
}

// For tests: how many bitmaps are still on their way, whether a window waits to be painted.
cockpit.loadingBitmaps = () => [...images.values()].filter((e) => e.state === 'loading').length;
cockpit.paintPending = () => windows.some((view, i) => view.dirty && cockpit.visible[i]);

function moduleBitmap(id, tint) {
  return bitmap('/bitmap/' + id + '?tint=' + tint + '&v=' + cockpit.layout.version);
}

function tintFor(lighting) {
  if (!cockpit.night) return 'none';
  return lighting === 1 ? 'warm' : lighting === 2 ? 'none' : 'dim';
}

function tintFactors(tint) {
  return tint === 'none' ? [1, 1, 1] : cockpit.layout.tints[tint];
}

function colour(rgb, tint) {
  const k = tintFactors(tint);
  const channel = (shift, f) => Math.round(((rgb >> shift) & 0xff) * f);
  return 'rgb(' + channel(16, k[0]) + ',' + channel(8, k[1]) + ',' + channel(0, k[2]) + ')';
}

// ---------------------------------------------------------------------------------------------
// Replaying display lists (as host/render/cairo_backend.cpp does)

const scratch = document.createElement('canvas');

function wholePixels(m) {
  return m.a === 1 && m.d === 1 && m.b === 0 && m.c === 0 &&
         m.e === Math.floor(m.e) && m.f === Math.floor(m.f);
}

function placeholder(ctx, op) {
  ctx.save();
  ctx.transform(...op.t);
  const w = Math.max(op.s[0], 2), h = Math.max(op.s[1], 2);
  ctx.beginPath();
  ctx.rect(1, 1, w - 2, h - 2);
  ctx.moveTo(1, 1);
  ctx.lineTo(w - 1, h - 1);
  ctx.strokeStyle = '#f0f';
  ctx.lineWidth = 2;
  ctx.stroke();
  ctx.restore();
}

function invertible(t) { return Math.abs(t[0] * t[3] - t[1] * t[2]) > 1e-12; }

function drawImage(ctx, op) {
  if (!invertible(op.t)) return;
  const tint = tintFor(op.l || 0);
  const entry = moduleBitmap(op.id, tint);
  if (entry.state === 'missing') return placeholder(ctx, op);
  if (entry.state !== 'ready') return;
  ctx.save();
  if (op.c && op.c.r) {
    ctx.beginPath();
    ctx.rect(...op.c.r);
    ctx.clip();
  }
  if (op.c && op.c.w !== undefined) {
    const mask = moduleBitmap(op.c.w, 'none');
    if (mask.state === 'ready' && invertible(op.c.t)) {
      // The strip drawn alone, kept only where the window bitmap is opaque, then laid on.
      const device = ctx.getTransform();
      scratch.width = ctx.canvas.width;
      scratch.height = ctx.canvas.height;
      const s = scratch.getContext('2d');
      s.setTransform(device);
      s.transform(...op.t);
      setSmoothing(s, s.getTransform(), op.b);
      s.drawImage(entry.image, 0, 0);
      s.setTransform(device);
      s.transform(...op.c.t);
      setSmoothing(s, s.getTransform(), false);
      s.globalCompositeOperation = 'destination-in';
      s.drawImage(mask.image, 0, 0);
      ctx.setTransform(1, 0, 0, 1, 0, 0);
      ctx.drawImage(scratch, 0, 0);
      ctx.restore();
      return;
    }
  }
  ctx.transform(...op.t);
  setSmoothing(ctx, ctx.getTransform(), op.b);
  ctx.drawImage(entry.image, 0, 0);
  ctx.restore();
}

// Cairo draws a bitmap that lands on whole pixels as a copy; one scaled onto the panel is
// resampled smoothly; a turned one takes the record's choice. The canvas smooths all but copies.
function setSmoothing(ctx, m, bilinear) {
  ctx.imageSmoothingEnabled = !wholePixels(m);
  ctx.imageSmoothingQuality = bilinear ? 'high' : 'medium';
}

function drawText(ctx, op) {
  const tint = tintFor(op.l || 0);
  const [x, y, w, h] = op.r;
  ctx.save();
  ctx.beginPath();
  ctx.rect(x, y, w, h);
  if (op.fb) {
    ctx.fillStyle = colour(op.bg, tint);
    ctx.fill();
  }
  ctx.clip();
  if (op.s) {
    const family = FONT_FAMILIES[op.f] || ('"' + op.f + '", sans-serif');
    const weight = op.w >= 700 ? 'bold ' : '';
    let size = h * 0.8;
    ctx.font = weight + size + 'px ' + family;
    const advance = ctx.measureText(op.s).width;
    const room = w * 0.96;
    if (advance > room && advance > 0) size *= room / advance;
    ctx.font = weight + size + 'px ' + family;
    const metrics = ctx.measureText(op.s);
    const ascent = metrics.fontBoundingBoxAscent, descent = metrics.fontBoundingBoxDescent;
    let left = x;
    if (op.a & 0x1) left += (w - metrics.width) / 2;
    else if (op.a & 0x2) left += w - metrics.width;
    let baseline = y + ascent;
    if (op.a & 0x4) baseline = y + (h + ascent - descent) / 2;
    else if (op.a & 0x8) baseline = y + h - descent;
    ctx.fillStyle = colour(op.fg, tint);
    ctx.textBaseline = 'alphabetic';
    ctx.fillText(op.s, left, baseline);
  }
  ctx.restore();
}

function replay(ctx, ops) {
  for (const op of ops) {
    if (!op) continue;
    if (op.k === 'i') drawImage(ctx, op);
    else drawText(ctx, op);
  }
}

// ---------------------------------------------------------------------------------------------
// Windows

const windows = [];  // per window: {element, canvas, dirty}

function deviceScale() { return cockpit.scale * (window.devicePixelRatio || 1); }

function gaugeDeviceRect(gauge, s) {
  const [x, y, w, h] = gauge.placement;
  return [Math.round(x * s), Math.round(y * s), Math.max(1, Math.round(w * s)), Math.max(1, Math.round(h * s))];
}

function paintWindow(index) {
  const info = cockpit.layout.windows[index];
  const view = windows[index];
  const s = deviceScale();
  const width = Math.max(1, Math.round(info.size[0] * s)), height = Math.max(1, Math.round(info.size[1] * s));
  const canvas = view.canvas;
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;
    canvas.height = height;
  }
  canvas.style.width = (width / (window.devicePixelRatio || 1)) + 'px';
  canvas.style.height = (height / (window.devicePixelRatio || 1)) + 'px';
  const ctx = canvas.getContext('2d');
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  ctx.globalCompositeOperation = 'source-over';
  const panelTint = cockpit.night ? 'dim' : 'none';
  ctx.fillStyle = colour(PANEL_COLOUR, panelTint);
  ctx.fillRect(0, 0, width, height);
  if (info.background) {
    const entry = bitmap('/background/' + index + '?tint=' + panelTint + '&v=' + cockpit.layout.version);
    if (entry.state === 'ready') {
      ctx.imageSmoothingEnabled = entry.image.width !== width || entry.image.height !== height;
      ctx.drawImage(entry.image, 0, 0, width, height);
    }
  }
  for (const gauge of view.gauges) {
    const state = cockpit.gauges[gauge.index];
    if (!state.size) continue;
    const [gx, gy, gw, gh] = gaugeDeviceRect(gauge, s);
    ctx.save();
    ctx.beginPath();
    ctx.rect(gx, gy, gw, gh);
    ctx.clip();
    ctx.translate(gx, gy);
    if (state.size[0] > 0 && state.size[1] > 0) ctx.scale(gw / state.size[0], gh / state.size[1]);
    replay(ctx, state.ops);
    ctx.restore();
  }
  if (cockpit.overlay) paintOverlay(ctx, view, s);
}

function paintOverlay(ctx, view, s) {
  ctx.save();
  ctx.font = '10px monospace';
  ctx.lineWidth = 1;
  for (const gauge of view.gauges) {
    const [gx, gy, gw, gh] = gaugeDeviceRect(gauge, s);
    const kx = gw / gauge.bitmap[0], ky = gh / gauge.bitmap[1];
    const state = cockpit.gauges[gauge.index];
    // every element's box
    ctx.strokeStyle = 'rgba(80, 255, 120, 0.5)';
    if (state.size) {
      const ex = gw / state.size[0], ey = gh / state.size[1];
      for (const op of state.ops) {
        if (!op) continue;
        const box = op.k === 'i' ? transformedBox(op.t, op.s) : op.r;
        ctx.strokeRect(gx + box[0] * ex, gy + box[1] * ey, box[2] * ex, box[3] * ey);
      }
    }
    // mouse areas: parents dashed, children solid, with cursor and help id
    for (const area of gauge.areas) {
      const [ax, ay, aw, ah] = area.box;
      ctx.setLineDash(area.kind === 'parent' ? [4, 3] : []);
      ctx.strokeStyle = area.kind === 'parent' ? '#4af' : '#fa3';
      ctx.strokeRect(gx + ax * kx + 0.5, gy + ay * ky + 0.5, aw * kx - 1, ah * ky - 1);
      const label = (area.kind === 'parent' ? 'P' : 'C') + ' c' + area.cursor +
                    (area.help ? ' h' + area.help : '') + (area.event ? ' ' + area.event.toString(16) : '');
      ctx.fillStyle = area.kind === 'parent' ? '#4af' : '#fa3';
      ctx.fillText(label, gx + ax * kx + 2, gy + ay * ky + 10 + area.depth * 10);
    }
    ctx.setLineDash([]);
    ctx.strokeStyle = '#f4f';
    ctx.strokeRect(gx + 0.5, gy + 0.5, gw - 1, gh - 1);
    ctx.fillStyle = '#000a';
    const name = gauge.name;
    ctx.fillRect(gx, gy + gh - 12, ctx.measureText(name).width + 4, 12);
    ctx.fillStyle = '#f8f';
    ctx.fillText(name, gx + 2, gy + gh - 3);
  }
  ctx.restore();
}

function transformedBox(t, size) {
  const xs = [], ys = [];
  for (const [x, y] of [[0, 0], [size[0], 0], [0, size[1]], [size[0], size[1]]]) {
    xs.push(t[0] * x + t[2] * y + t[4]);
    ys.push(t[1] * x + t[3] * y + t[5]);
  }
  const left = Math.min(...xs), top = Math.min(...ys);
  return [left, top, Math.max(...xs) - left, Math.max(...ys) - top];
}

function redrawAll() { for (const view of windows) view.dirty = true; }

function paintLoop() {
  let painted = false;
  windows.forEach((view, index) => {
    if (view.dirty && cockpit.visible[index]) {
      paintWindow(index);
      painted = true;
    }
    view.dirty = false;
  });
  if (painted || cockpit.paintedFrame !== cockpit.frame) {
    cockpit.paintedFrame = cockpit.frame;
    const now = performance.now();
    for (const pending of pendingClicks.splice(0)) {
      if (pending.frame && cockpit.frame >= pending.frame) cockpit.latencies.push(now - pending.start);
      else pendingClicks.push(pending);
    }
  }
  requestAnimationFrame(paintLoop);
}

// Where the simulator would put a window by its position code: 0 top left ... 8 bottom right.
function initialPlace(info, element) {
  const desk = document.getElementById('desk');
  if (info.index === 0) return [0, 0];
  const code = Math.min(Math.max(info.position, 0), 8);
  const w = info.size[0] * cockpit.scale, h = info.size[1] * cockpit.scale + 18;
  const freeW = Math.max(0, desk.clientWidth - w), freeH = Math.max(0, desk.clientHeight - h);
  return [Math.round(freeW * (code % 3) / 2), Math.round(freeH * Math.floor(code / 3) / 2)];
}

function buildWindows() {
  const desk = document.getElementById('desk');
  for (const info of cockpit.layout.windows) {
    const element = document.createElement('div');
    element.className = 'window';
    element.dataset.window = info.index;
    element.dataset.ident = info.ident;
    const bar = document.createElement('div');
    bar.className = 'bar';
    const title = document.createElement('span');
    title.textContent = info.title;
    const close = document.createElement('button');
    close.textContent = '×';
    close.title = 'Close';
    close.addEventListener('click', () => post('window', { window: info.index, visible: false }));
    bar.append(title, close);
    const canvas = document.createElement('canvas');
    element.append(bar, canvas);
    element.hidden = true;
    desk.append(element);
    const view = { element, canvas, dirty: true, placed: false,
                   gauges: cockpit.layout.gauges.filter((g) => g.window === info.index) };
    windows.push(view);
    movable(element, bar);
    attachMouse(view, info);
  }
}

function movable(element, bar) {
  bar.addEventListener('pointerdown', (e) => {
    if (e.target.tagName === 'BUTTON') return;
    const startX = e.clientX - element.offsetLeft, startY = e.clientY - element.offsetTop;
    bar.setPointerCapture(e.pointerId);
    const move = (m) => {
      element.style.left = Math.max(0, m.clientX - startX) + 'px';
      element.style.top = Math.max(0, m.clientY - startY) + 'px';
    };
    const up = () => { bar.removeEventListener('pointermove', move); bar.removeEventListener('pointerup', up); };
    bar.addEventListener('pointermove', move);
    bar.addEventListener('pointerup', up);
  });
}

function showWindows() {
  windows.forEach((view, index) => {
    const visible = !!cockpit.visible[index];
    if (visible && !view.placed) {
      const [left, top] = initialPlace(cockpit.layout.windows[index], view.element);
      view.element.style.left = left + 'px';
      view.element.style.top = top + 'px';
      view.placed = true;
    }
    if (view.element.hidden === visible) {
      view.element.hidden = !visible;
      if (visible) { view.dirty = true; view.element.parentNode.append(view.element); }
    }
  });
}

// ---------------------------------------------------------------------------------------------
// The mouse, as the simulator takes it

const pendingClicks = [];  // {start, frame}
let audioContext = null;

function gaugePoint(gauge, view, event) {
  const rect = view.canvas.getBoundingClientRect();
  const info = cockpit.layout.windows[gauge.window];
  const wx = (event.clientX - rect.left) * info.size[0] / rect.width;
  const wy = (event.clientY - rect.top) * info.size[1] / rect.height;
  const [x, y, w, h] = gauge.placement;
  return [Math.floor((wx - x) * gauge.bitmap[0] / w), Math.floor((wy - y) * gauge.bitmap[1] / h)];
}

function holds(box, p) { return p[0] >= box[0] && p[1] >= box[1] && p[0] < box[0] + box[2] && p[1] < box[1] + box[3]; }

// The gauge under the pointer that has a click area there (the last placed on top), and the area.
function target(view, event) {
  for (let i = view.gauges.length - 1; i >= 0; --i) {
    const gauge = view.gauges[i];
    const p = gaugePoint(gauge, view, event);
    if (p[0] < 0 || p[1] < 0 || p[0] >= gauge.bitmap[0] || p[1] >= gauge.bitmap[1]) continue;
    const area = gauge.areas.find((a) => a.kind === 'child' && holds(a.box, p));
    if (area) return { gauge, point: p, area };
  }
  for (let i = view.gauges.length - 1; i >= 0; --i) {
    const gauge = view.gauges[i];
    const p = gaugePoint(gauge, view, event);
    if (p[0] >= 0 && p[1] >= 0 && p[0] < gauge.bitmap[0] && p[1] < gauge.bitmap[1]) return { gauge, point: p, area: null };
  }
  return null;
}

function attachMouse(view, info) {
  const canvas = view.canvas;
  let press = null;
  let dragQueued = null;
  let hover = null;

  canvas.addEventListener('contextmenu', (e) => e.preventDefault());
  canvas.addEventListener('pointerdown', (e) => {
    startAudio();
    hideTooltip();
    const hit = target(view, e);
    if (!hit || !hit.area || e.button > 2 || e.button === 1) return;
    e.preventDefault();
    canvas.setPointerCapture(e.pointerId);
    const pending = { start: performance.now(), frame: 0 };
    pendingClicks.push(pending);
    const hold = Math.random().toString(36).slice(2);
    press = { gauge: hit.gauge, hold, beat: null };
    const current = press;
    post('mouse', { gauge: hit.gauge.index, x: hit.point[0], y: hit.point[1],
                    button: e.button === 2 ? 'right' : 'left', action: 'down', hold })
      .then((answer) => {
        pending.frame = answer.frame || cockpit.frame + 1;
        if (!answer.area) pendingClicks.splice(pendingClicks.indexOf(pending), 1);
        if (answer.repeats && press === current) {
          current.beat = setInterval(() => post('mouse', { gauge: current.gauge.index, action: 'hold', hold }).catch(() => {}),
                                     cockpit.layout.repeat.hold_timeout_ms / 3);
        }
      })
      .catch(() => {});
  });
  canvas.addEventListener('pointermove', (e) => {
    if (press) {
      // Drags go to the area of the last click, wherever the pointer is; one per painted frame.
      const p = gaugePoint(press.gauge, view, e);
      if (!dragQueued) {
        requestAnimationFrame(() => {
          const [x, y] = dragQueued;
          dragQueued = null;
          if (press) post('mouse', { gauge: press.gauge.index, x, y, action: 'drag', hold: press.hold }).catch(() => {});
        });
      }
      dragQueued = p;
      return;
    }
    const hit = target(view, e);
    canvas.style.cursor = hit && hit.area ? (CURSORS[hit.area.cursor] || 'default') : 'default';
    if (hover && Math.hypot(hover.x - e.clientX, hover.y - e.clientY) < 3) return;
    hideTooltip();
    clearTimeout(hover && hover.timer);
    hover = hit ? { x: e.clientX, y: e.clientY, timer: setTimeout(() => showTooltip(hit, e.clientX, e.clientY), HOVER_MS) } : null;
  });
  const release = (e) => {
    if (!press) return;
    clearInterval(press.beat);
    post('mouse', { gauge: press.gauge.index, action: 'up', hold: press.hold }).catch(() => {});
    press = null;
  };
  canvas.addEventListener('pointerup', release);
  canvas.addEventListener('pointercancel', release);
  canvas.addEventListener('pointerleave', () => { clearTimeout(hover && hover.timer); hover = null; hideTooltip(); });
}

let tooltipTimer = null;

async function showTooltip(hit, clientX, clientY) {
  const tip = document.getElementById('tooltip');
  const ask = async () => {
    const url = '/api/tooltip?gauge=' + hit.gauge.index + '&x=' + hit.point[0] + '&y=' + hit.point[1];
    const answer = await (await fetch(url)).json();
    if (answer.text === null) { tip.hidden = true; return; }
    tip.textContent = answer.text;
    tip.style.left = (clientX + 12) + 'px';
    tip.style.top = (clientY + 16) + 'px';
    tip.hidden = false;
  };
  await ask().catch(() => {});
  clearInterval(tooltipTimer);
  tooltipTimer = setInterval(() => ask().catch(() => {}), TOOLTIP_REFRESH_MS);
}

function hideTooltip() {
  clearInterval(tooltipTimer);
  tooltipTimer = null;
  document.getElementById('tooltip').hidden = true;
}

// ---------------------------------------------------------------------------------------------
// Sound: each click the host plays, decoded by the host, played here at once

const soundBuffers = new Map();

function startAudio() {
  if (!audioContext) audioContext = new AudioContext();
  if (audioContext.state === 'suspended') audioContext.resume();
}

function soundBuffer(number) {
  if (!soundBuffers.has(number)) {
    soundBuffers.set(number, fetch('/sound/' + number).then((r) => r.arrayBuffer())
      .then((bytes) => (audioContext || new AudioContext()).decodeAudioData(bytes)));
  }
  return soundBuffers.get(number);
}

function play(sound) {
  cockpit.soundsPlayed.push({ sound: sound.sound, wave: sound.wave, at: performance.now() });
  if (!audioContext) return;
  soundBuffer(sound.sound).then((buffer) => {
    const source = audioContext.createBufferSource();
    source.buffer = buffer;
    source.connect(audioContext.destination);
    source.start(0, Math.min(sound.from || 0, buffer.duration));
  }).catch(() => {});
}

// ---------------------------------------------------------------------------------------------
// Frames from the host

function applyFrame(frame) {
  for (const g of frame.gauges || []) {
    const state = cockpit.gauges[g.g];
    state.size = g.size;
    state.ops.length = g.n;
    for (const [i, op] of g.ops) state.ops[i] = op;
    const view = windows[cockpit.layout.gauges[g.g].window];
    view.dirty = true;
  }
  for (const [w, visible] of frame.windows || []) cockpit.visible[w] = visible;
  if (frame.windows) showWindows();
  for (const sound of frame.sounds || []) play(sound);
  for (const event of frame.events || []) logEvent(event);
  if (frame.failures) {
    cockpit.failures = new Set(frame.failures);
    for (const box of document.querySelectorAll('#failures input')) box.checked = cockpit.failures.has(+box.value);
  }
  if (frame.sim) {
    cockpit.sim = frame.sim;
    document.getElementById('pause').textContent = frame.sim.paused ? 'Resume' : 'Pause';
    document.getElementById('rate').value = String(frame.sim.rate);
    document.getElementById('controls').textContent =
      'elev ' + frame.sim.elevator.toFixed(2) + ' ail ' + frame.sim.aileron.toFixed(2) + ' thr ' + frame.sim.throttle.toFixed(2);
  }
  cockpit.frame = frame.frame;
  cockpit.time = frame.time;
}

function connect() {
  const stream = new EventSource('/stream');
  stream.addEventListener('frame', (e) => {
    cockpit.bytes += e.data.length;
    applyFrame(JSON.parse(e.data));
  });
  stream.onerror = () => { document.getElementById('status').textContent = 'reconnecting'; };
  setInterval(() => {
    const seconds = (performance.now() - cockpit.started) / 1000;
    document.getElementById('status').textContent =
      'frame ' + cockpit.frame + '  t ' + (cockpit.time || 0).toFixed(1) + ' s  ' + (cockpit.bytes / 1024 / seconds).toFixed(1) + ' KB/s';
  }, 1000);
}

// ---------------------------------------------------------------------------------------------
// Designer's views: event log, variables, failures, costs

function logEvent(event) {
  cockpit.eventsSeen.push(event);
  if (cockpit.eventsSeen.length > 20000) cockpit.eventsSeen.shift();
  const row = document.createElement('tr');
  const value = event.signed !== event.value ? event.value + ' (' + event.signed + ')' : String(event.value);
  for (const text of [event.sim_time.toFixed(2), event.event, value, (event.gauge || '-') + ' ' + event.by]) {
    const cell = document.createElement('td');
    cell.textContent = text;
    row.append(cell);
  }
  const body = document.getElementById('events');
  body.prepend(row);
  while (body.rows.length > 300) body.deleteRow(-1);
}

const watched = [];
const kMostWatched = 256;  // the host answers at most this many variables at once

function watchVariable(id) {
  if (!Number.isInteger(id) || id < 0 || watched.includes(id) || watched.length >= kMostWatched) return;
  watched.push(id);
  refreshVariables();
}

async function refreshVariables() {
  if (!watched.length || document.getElementById('side').hidden) return;
  const values = await (await fetch('/api/vars?ids=' + watched.join(','))).json();
  const body = document.getElementById('vars');
  for (const v of values) {
    let row = body.querySelector('tr[data-id="' + v.id + '"]');
    if (!row) {
      row = document.createElement('tr');
      row.dataset.id = v.id;
      row.title = v.role || '';
      row.innerHTML = '<td></td><td class="value"></td><td></td><td><input size="8"></td>';
      row.cells[0].textContent = v.id;
      row.cells[2].textContent = v.unit || '';
      const input = row.querySelector('input');
      input.addEventListener('change', () => {
        post('var', { id: v.id, value: Number(input.value) }).then(() => { input.value = ''; refreshVariables(); })
          .catch((error) => { input.title = error.message; input.style.color = '#f66'; });
      });
      body.append(row);
    }
    row.querySelector('.value').textContent = typeof v.value === 'number' ? +v.value.toFixed(4) : v.value;
  }
}

async function refreshCosts() {
  if (document.getElementById('tab-costs').hidden || document.getElementById('side').hidden) return;
  const costs = await (await fetch('/api/costs')).json();
  costs.sort((a, b) => (b.update_us + b.evaluate_us + b.draw_us) - (a.update_us + a.evaluate_us + a.draw_us));
  const body = document.getElementById('costs');
  body.textContent = '';
  for (const c of costs) {
    const row = body.insertRow();
    for (const text of [c.gauge, c.update_us.toFixed(1), c.evaluate_us.toFixed(1), c.draw_us.toFixed(1)]) row.insertCell().textContent = text;
  }
}

async function buildDesigner() {
  const failures = document.getElementById('failures');
  for (const key of cockpit.layout.failure_keys) {
    const label = document.createElement('label');
    const box = document.createElement('input');
    box.type = 'checkbox';
    box.value = key;
    box.addEventListener('change', () => post('failure', { key, on: box.checked }).catch(() => {}));
    label.append(box, ' ' + key);
    failures.append(label);
  }
  for (const button of document.querySelectorAll('#side nav button')) {
    button.addEventListener('click', () => {
      for (const other of document.querySelectorAll('#side nav button')) other.classList.toggle('on', other === button);
      for (const section of document.querySelectorAll('#side section')) section.hidden = section.id !== 'tab-' + button.dataset.tab;
      refreshCosts();
    });
  }
  document.getElementById('watch').addEventListener('submit', (e) => {
    e.preventDefault();
    watchVariable(parseInt(document.getElementById('watch-id').value, 10));
    document.getElementById('watch-id').value = '';
  });
  const catalogue = await (await fetch('/api/catalogue')).json();
  const list = document.getElementById('catalogue');
  for (const v of catalogue) {
    const option = document.createElement('option');
    option.value = v.id;
    option.label = v.role + (v.unit ? ' (' + v.unit + ')' : '');
    list.append(option);
  }
  setInterval(() => refreshVariables().catch(() => {}), 500);
  setInterval(() => refreshCosts().catch(() => {}), 1000);
}

// ---------------------------------------------------------------------------------------------
// Toolbar and keyboard

function fitScale() {
  const desk = document.getElementById('desk');
  const main = cockpit.layout.windows[0];
  return Math.max(0.25, Math.min(desk.clientWidth / main.size[0], (desk.clientHeight - 18) / main.size[1]));
}

function applyScale() {
  const choice = document.getElementById('scale').value;
  cockpit.scale = choice === 'fit' ? fitScale() : Number(choice);
  redrawAll();
}

function buildToolbar() {
  document.getElementById('title').textContent = cockpit.layout.module;
  document.getElementById('scale').addEventListener('change', applyScale);
  window.addEventListener('resize', () => { if (document.getElementById('scale').value === 'fit') applyScale(); });
  document.getElementById('night').addEventListener('change', (e) => { cockpit.night = e.target.checked; redrawAll(); });
  document.getElementById('overlay').addEventListener('change', (e) => { cockpit.overlay = e.target.checked; redrawAll(); });
  document.getElementById('designer').addEventListener('change', (e) => {
    document.getElementById('side').hidden = !e.target.checked;
    document.body.classList.toggle('designing', e.target.checked);
    if (document.getElementById('scale').value === 'fit') applyScale();
  });
  document.getElementById('pause').addEventListener('click', () => post('sim', { paused: !cockpit.sim.paused }));
  document.getElementById('rate').addEventListener('change', (e) => post('sim', { rate: Number(e.target.value) }));
  window.addEventListener('keydown', keyboard);
}

const CONTROL_KEYS = {
  ArrowUp: ['elevator', -CONTROL_STEP], Numpad8: ['elevator', -CONTROL_STEP],
  ArrowDown: ['elevator', CONTROL_STEP], Numpad2: ['elevator', CONTROL_STEP],
  ArrowLeft: ['aileron', -CONTROL_STEP], Numpad4: ['aileron', -CONTROL_STEP],
  ArrowRight: ['aileron', CONTROL_STEP], Numpad6: ['aileron', CONTROL_STEP],
  Numpad5: ['centre', 0],
  PageUp: ['throttle', CONTROL_STEP], Numpad9: ['throttle', CONTROL_STEP],
  PageDown: ['throttle', -CONTROL_STEP], Numpad3: ['throttle', -CONTROL_STEP],
};

function keyboard(e) {
  if (e.target.tagName === 'INPUT' || e.target.tagName === 'SELECT') return;
  // Shift+1 ... Shift+9, Shift+0: the first ten panel windows, as in the simulator.
  if (e.shiftKey && /^Digit\d$/.test(e.code)) {
    const digit = Number(e.code.slice(5));
    const index = digit === 0 ? 9 : digit - 1;
    if (index < cockpit.layout.windows.length) post('window', { window: index }).catch(() => {});
    e.preventDefault();
    return;
  }
  const control = CONTROL_KEYS[e.code];
  if (control) {
    e.preventDefault();
    if (control[0] === 'centre') {
      post('control', { control: 'elevator', step: 0 }).then(() => post('control', { control: 'aileron', step: 0 })).catch(() => {});
    } else {
      post('control', { control: control[0], step: control[1] }).catch(() => {});
    }
    return;
  }
  if (e.code === 'KeyP') post('sim', { paused: !cockpit.sim.paused }).catch(() => {});
  if (e.key === '+' || e.key === '=') post('sim', { rate: Math.min(16, (cockpit.sim.rate || 1) * 2) }).catch(() => {});
  if (e.key === '-') post('sim', { rate: Math.max(1, (cockpit.sim.rate || 1) / 2) }).catch(() => {});
}

// ---------------------------------------------------------------------------------------------

async function main() {
  cockpit.layout = await (await fetch('/api/layout')).json();
  cockpit.gauges = cockpit.layout.gauges.map(() => ({ ops: [], size: null }));
  buildToolbar();
  buildWindows();
  buildDesigner();
  applyScale();
  connect();
  requestAnimationFrame(paintLoop);
  cockpit.ready = true;
}

main();
