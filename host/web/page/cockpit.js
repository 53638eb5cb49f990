// The web cockpit: replays the host's display lists on canvases, by the rules of the host's cairo
// backend, and sends the pilot's clicks, holds, drags and keys back to the host. Each frame
// repaints only the gauges it changed, within their own rectangles; a held button is timed here,
// on the page's own clock, and each repeat is a request of its own.
'use strict';

const PANEL_COLOUR = 0x3a3f44;  // the window's paint under its background and gauges
const HOVER_MS = 600;           // a tooltip shows after the pointer rests this long
const TOOLTIP_REFRESH_MS = 500; // and its live text is asked for again this often
const SILENT_MS = 3500;         // a stream quiet this long (beats come every second) is lost
const NOTICE_MS = 6000;
const CONTROL_STEP = 0.05;
const MOUSE_LEFT = 0x20000000, MOUSE_RIGHT = 0x80000000, MOUSE_REPEAT = 0x00200000;
const FONT_FAMILIES = { Quartz: '"DSEG7 Classic", monospace', Arial: '"Liberation Sans", Arial, sans-serif' };
const CURSORS = { 1: 'n-resize', 2: 's-resize', 5: 'pointer' };
const CURSOR_NAMES = { '-1': 'no cursor', 0: 'arrow', 1: 'up arrow', 2: 'down arrow', 5: 'hand' };
// What each failure key stops on this panel, by the gauges that name it.
const FAILURE_NAMES = {
  2: 'engine instruments', 3: 'pitot-static', 4: 'vacuum', 5: 'ADF', 6: 'airspeed indicator',
  7: 'altimeter', 8: 'attitude indicator', 9: 'COM1', 11: 'gyro heading', 12: 'magnetic compass',
  14: 'NAV1', 15: 'NAV2', 17: 'transponder', 18: 'turn coordinator', 19: 'vertical speed',
  20: 'avionics bus', 21: 'electrical panel',
};

const cockpit = {
  layout: null,
  session: null,
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
  // What the benchmark and the tests read: frames that brought a change, paints, frames that
  // were overtaken by the next before they were painted, the time of each gauge's repaint.
  framesChanged: 0,
  framesPainted: 0,
  framesUnpainted: 0,
  gaugePaintMs: [],
  repeatsSent: 0,
  dragsSent: 0,
  restarts: 0,
};
window.cockpit = cockpit;

// ---------------------------------------------------------------------------------------------
// Requests, and what the page says when one fails

async function post(action, body) {
  try {
    const response = await fetch('/api/' + action, {
      method: 'POST', headers: { 'Content-Type': 'application/json' }, body: JSON.stringify(body),
    });
    if (!response.ok) throw new Error(response.status + ' ' + (await response.text()).trim());
    return await response.json();
  } catch (error) {
    notice('Could not ' + action + ': ' + error.message);
    throw error;
  }
}

let noticeTimer = null;
function notice(text) {
  const box = document.getElementById('notice');
  box.textContent = text;
  box.hidden = false;
  clearTimeout(noticeTimer);
  noticeTimer = setTimeout(() => { box.hidden = true; }, NOTICE_MS);
}

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
cockpit.paintPending = () => windows.some((view, i) => cockpit.visible[i] && (view.full || view.dirty.size > 0));

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

// A masked drum is drawn through the opaque pixels of its window bitmap: a clip path of those
// pixels, found once per bitmap. The long way, for comparison (cockpit.scratchMasks): the drum
// drawn alone on a scratch canvas as large as its window (never resized smaller), kept where the
// window bitmap is opaque, then laid on.
const scratch = document.createElement('canvas');
const maskPaths = new Map();  // window bitmap id -> Path2D of its opaque pixels

function opaquePath(id, image) {
  if (maskPaths.has(id)) return maskPaths.get(id);
  const canvas = document.createElement('canvas');
  canvas.width = image.width;
  canvas.height = image.height;
  const ctx = canvas.getContext('2d', { willReadFrequently: true });
  ctx.drawImage(image, 0, 0);
  const alpha = ctx.getImageData(0, 0, image.width, image.height).data;
  // Runs of opaque pixels row by row; a run that repeats on the rows below grows into one rectangle.
  const path = new Path2D();
  let open = new Map();  // "x0,x1" -> first row
  for (let y = 0; y <= image.height; ++y) {
    const runs = new Map();
    for (let x = 0; y < image.height && x < image.width;) {
      if (alpha[(y * image.width + x) * 4 + 3] < 128) { ++x; continue; }
      const x0 = x;
      while (x < image.width && alpha[(y * image.width + x) * 4 + 3] >= 128) ++x;
      const key = x0 + ',' + x;
      runs.set(key, open.has(key) ? open.get(key) : y);
    }
    for (const [key, top] of open) {
      if (runs.has(key)) continue;
      const [x0, x1] = key.split(',').map(Number);
      path.rect(x0, top, x1 - x0, y - top);
    }
    open = runs;
  }
  maskPaths.set(id, path);
  return path;
}

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

// A gauge of another module, which this host cannot draw: a hatched box with its name, in window
// units (as host/render/panel_renderer.cpp draws it).
const PLACEHOLDER_COLOUR = 0x5a4a3a, PLACEHOLDER_INK = 0xf0d8a0;
function placeholderBox(ctx, p, tint) {
  const [x, y, w, h] = p.box;
  ctx.save();
  ctx.beginPath();
  ctx.rect(x, y, w, h);
  ctx.clip();
  ctx.fillStyle = colour(PLACEHOLDER_COLOUR, tint);
  ctx.fill();
  ctx.strokeStyle = colour(PLACEHOLDER_INK, tint);
  ctx.lineWidth = 2;
  ctx.stroke();
  ctx.beginPath();
  for (let d = -h; d < w; d += 12) {
    ctx.moveTo(x + d, y + h);
    ctx.lineTo(x + d + h, y);
  }
  ctx.lineWidth = 0.5;
  ctx.stroke();
  ctx.font = 'bold 14px sans-serif';
  const advance = ctx.measureText(p.label).width;
  if (advance > w - 8 && advance > 0) ctx.font = 'bold ' + Math.max(4, 14 * (w - 8) / advance) + 'px sans-serif';
  const m = ctx.measureText(p.label);
  ctx.fillStyle = colour(PLACEHOLDER_INK, tint);
  ctx.fillText(p.label, x + (w - m.width) / 2, y + (h + m.actualBoundingBoxAscent) / 2);
  ctx.restore();
}

function invertible(t) { return Math.abs(t[0] * t[3] - t[1] * t[2]) > 1e-12; }

// The device pixels a w x h bitmap covers under matrix m, whole pixels outwards.
function deviceBox(m, w, h) {
  const xs = [m.e, m.a * w + m.e, m.c * h + m.e, m.a * w + m.c * h + m.e];
  const ys = [m.f, m.b * w + m.f, m.d * h + m.f, m.b * w + m.d * h + m.f];
  const left = Math.floor(Math.min(...xs)), top = Math.floor(Math.min(...ys));
  return [left, top, Math.ceil(Math.max(...xs)) - left, Math.ceil(Math.max(...ys)) - top];
}

function intersect(a, b) {
  const x = Math.max(a[0], b[0]), y = Math.max(a[1], b[1]);
  const w = Math.min(a[0] + a[2], b[0] + b[2]) - x, h = Math.min(a[1] + a[3], b[1] + b[3]) - y;
  return w > 0 && h > 0 ? [x, y, w, h] : null;
}

function drawMasked(ctx, op, entry, mask, bounds) {
  const device = ctx.getTransform();
  const placed = device.multiply(new DOMMatrix(op.c.t));
  if (!cockpit.scratchMasks) {
    ctx.setTransform(placed);
    ctx.clip(opaquePath(op.c.w, mask.image));
    ctx.setTransform(device);
    ctx.transform(...op.t);
    setSmoothing(ctx, ctx.getTransform(), op.b);
    ctx.drawImage(entry.image, 0, 0);
    ctx.setTransform(device);
    return;
  }
  const box = intersect(deviceBox(placed, mask.image.width, mask.image.height), bounds);
  if (!box) return;
  const [bx, by, bw, bh] = box;
  if (scratch.width < bw || scratch.height < bh) {
    scratch.width = Math.max(scratch.width, bw);
    scratch.height = Math.max(scratch.height, bh);
  }
  const s = scratch.getContext('2d');
  s.setTransform(1, 0, 0, 1, 0, 0);
  s.globalCompositeOperation = 'source-over';
  s.clearRect(0, 0, bw, bh);
  const shift = new DOMMatrix([1, 0, 0, 1, -bx, -by]);
  s.setTransform(shift.multiply(device.multiply(new DOMMatrix(op.t))));
  setSmoothing(s, s.getTransform(), op.b);
  s.drawImage(entry.image, 0, 0);
  s.setTransform(shift.multiply(placed));
  setSmoothing(s, s.getTransform(), false);
  s.globalCompositeOperation = 'destination-in';
  s.drawImage(mask.image, 0, 0);
  s.globalCompositeOperation = 'source-over';
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  ctx.drawImage(scratch, 0, 0, bw, bh, bx, by, bw, bh);
  ctx.setTransform(device);
}

function drawImage(ctx, op, bounds) {
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
      drawMasked(ctx, op, entry, mask, bounds);
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

// `bounds`: the device pixels being painted, which a masked drum's scratch need not exceed.
function replay(ctx, ops, bounds) {
  for (const op of ops) {
    if (!op) continue;
    if (op.k === 'i') drawImage(ctx, op, bounds);
    else drawText(ctx, op);
  }
}

// ---------------------------------------------------------------------------------------------
// Windows: each a canvas, painted whole when the scale or the lighting changes, else gauge by
// gauge within the rectangles of the gauges that changed

let windows = [];  // per window: {element, canvas, overlay, gauges, full, dirty: Set of gauge indices}

function deviceScale() { return cockpit.scale * (window.devicePixelRatio || 1); }

function gaugeDeviceRect(gauge, s) {
  const [x, y, w, h] = gauge.placement;
  return [Math.round(x * s), Math.round(y * s), Math.max(1, Math.round(w * s)), Math.max(1, Math.round(h * s))];
}

function windowDeviceSize(info) {
  const s = deviceScale();
  return [Math.max(1, Math.round(info.size[0] * s)), Math.max(1, Math.round(info.size[1] * s))];
}

function sizeCanvas(canvas, width, height) {
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;
    canvas.height = height;
  }
  canvas.style.width = (width / (window.devicePixelRatio || 1)) + 'px';
  canvas.style.height = (height / (window.devicePixelRatio || 1)) + 'px';
}

// The panel's paint, its background and every gauge that reaches into `rect` (device pixels).
function paintRect(index, ctx, rect) {
  const info = cockpit.layout.windows[index];
  const view = windows[index];
  const s = deviceScale();
  const [width, height] = windowDeviceSize(info);
  ctx.save();
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  ctx.globalCompositeOperation = 'source-over';
  ctx.beginPath();
  ctx.rect(...rect);
  ctx.clip();
  const panelTint = cockpit.night ? 'dim' : 'none';
  ctx.fillStyle = colour(info.paint ?? PANEL_COLOUR, panelTint);
  ctx.fillRect(...rect);
  if (info.background) {
    const entry = bitmap('/background/' + index + '?tint=' + panelTint + '&v=' + cockpit.layout.version);
    if (entry.state === 'ready') {
      ctx.imageSmoothingEnabled = entry.image.width !== width || entry.image.height !== height;
      ctx.drawImage(entry.image, 0, 0, width, height);
    }
  }
  if (info.placeholders) {
    ctx.save();
    ctx.scale(width / info.size[0], height / info.size[1]);
    for (const p of info.placeholders) placeholderBox(ctx, p, panelTint);
    ctx.restore();
  }
  for (const gauge of view.gauges) {
    const state = cockpit.gauges[gauge.index];
    if (!state.size) continue;
    const place = gaugeDeviceRect(gauge, s);
    const bounds = intersect(place, rect);
    if (!bounds) continue;
    const [gx, gy, gw, gh] = place;
    ctx.save();
    ctx.beginPath();
    ctx.rect(...bounds);
    ctx.clip();
    ctx.translate(gx, gy);
    if (state.size[0] > 0 && state.size[1] > 0) ctx.scale(gw / state.size[0], gh / state.size[1]);
    replay(ctx, state.ops, bounds);
    ctx.restore();
  }
  ctx.restore();
}

function paintWindow(index) {
  const view = windows[index];
  const [width, height] = windowDeviceSize(cockpit.layout.windows[index]);
  sizeCanvas(view.canvas, width, height);
  sizeCanvas(view.overlay, width, height);
  const ctx = view.canvas.getContext('2d');
  if (view.full) {
    paintRect(index, ctx, [0, 0, width, height]);
  } else {
    const s = deviceScale();
    for (const g of view.dirty) {
      const started = performance.now();
      paintRect(index, ctx, gaugeDeviceRect(cockpit.layout.gauges[g], s));
      cockpit.gaugePaintMs.push(performance.now() - started);
    }
    if (cockpit.gaugePaintMs.length > 5000) cockpit.gaugePaintMs.splice(0, 2500);
  }
  if (view.full) paintOverlay(index);
  view.full = false;
  view.dirty.clear();
}

function redrawAll() { for (const view of windows) view.full = true; }

function paintLoop() {
  let painted = false;
  windows.forEach((view, index) => {
    if (!cockpit.visible[index]) return;
    if (view.full || view.dirty.size) {
      paintWindow(index);
      painted = true;
    }
  });
  if (painted || cockpit.paintedFrame !== cockpit.frame) {
    if (painted) {
      ++cockpit.framesPainted;
      cockpit.framesUnpainted += Math.max(0, cockpit.changedSincePaint - 1);
      cockpit.changedSincePaint = 0;
    }
    cockpit.paintedFrame = cockpit.frame;
    paintTimes.push([cockpit.frame, performance.now()]);
    if (paintTimes.length > 100) paintTimes.shift();
    for (const pending of pendingClicks.slice()) clickShown(pending);
  }
  requestAnimationFrame(paintLoop);
}

// When the frames painted came, so that a click whose answer comes after the frame that shows it
// was painted is timed to that paint.
const paintTimes = [];  // [frame, time]

function clickShown(pending) {
  const painted = pending.frame && paintTimes.find(([frame]) => frame >= pending.frame);
  if (!painted) return;
  cockpit.latencies.push(painted[1] - pending.start);
  pendingClicks.splice(pendingClicks.indexOf(pending), 1);
}

// ---------------------------------------------------------------------------------------------
// The designer's overlay: every gauge's outline; the areas, cursors and element boxes of the
// gauge under the pointer only

let overlayGauge = null;

function paintOverlay(index) {
  const view = windows[index];
  const ctx = view.overlay.getContext('2d');
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  ctx.clearRect(0, 0, view.overlay.width, view.overlay.height);
  view.overlay.hidden = !cockpit.overlay;
  if (!cockpit.overlay) return;
  const s = deviceScale();
  ctx.font = '11px monospace';
  ctx.lineWidth = 1;
  for (const gauge of view.gauges) {
    const [gx, gy, gw, gh] = gaugeDeviceRect(gauge, s);
    ctx.strokeStyle = gauge === overlayGauge ? '#f4f' : 'rgba(255, 80, 255, 0.35)';
    ctx.strokeRect(gx + 0.5, gy + 0.5, gw - 1, gh - 1);
  }
  if (overlayGauge && overlayGauge.window === index) paintGaugeOverlay(ctx, overlayGauge, s);
}

function paintGaugeOverlay(ctx, gauge, s) {
  const [gx, gy, gw, gh] = gaugeDeviceRect(gauge, s);
  const kx = gw / gauge.bitmap[0], ky = gh / gauge.bitmap[1];
  const state = cockpit.gauges[gauge.index];
  ctx.strokeStyle = 'rgba(80, 255, 120, 0.6)';
  if (state.size) {
    const ex = gw / state.size[0], ey = gh / state.size[1];
    for (const op of state.ops) {
      if (!op) continue;
      const box = op.k === 'i' ? transformedBox(op.t, op.s) : op.r;
      ctx.strokeRect(gx + box[0] * ex, gy + box[1] * ey, box[2] * ex, box[3] * ey);
    }
  }
  const labels = [];
  for (const area of gauge.areas) {
    const [ax, ay, aw, ah] = area.box;
    ctx.setLineDash(area.kind === 'parent' ? [4, 3] : []);
    ctx.strokeStyle = area.kind === 'parent' ? '#4af' : '#fa3';
    ctx.strokeRect(gx + ax * kx + 0.5, gy + ay * ky + 0.5, aw * kx - 1, ah * ky - 1);
    labels.push(areaLabel(area));
  }
  ctx.setLineDash([]);
  // The gauge's name and its areas listed beside it, not piled on the gauge.
  const lines = [gauge.name + '  ' + gauge.placement.join(',')].concat(labels);
  const width = Math.max(...lines.map((l) => ctx.measureText(l).width)) + 8;
  let x = gx + gw + 4;
  if (x + width > ctx.canvas.width) x = Math.max(0, gx - width - 4);
  const y = Math.min(gy, Math.max(0, ctx.canvas.height - lines.length * 13 - 4));
  ctx.fillStyle = 'rgba(0, 0, 0, 0.8)';
  ctx.fillRect(x, y, width, lines.length * 13 + 4);
  lines.forEach((line, i) => {
    ctx.fillStyle = i === 0 ? '#f8f' : gauge.areas[i - 1].kind === 'parent' ? '#4af' : '#fa3';
    ctx.fillText(line, x + 4, y + 13 * (i + 1));
  });
}

function areaLabel(area) {
  const parts = [(area.kind === 'parent' ? 'parent ' : 'child ') + area.box.join(',')];
  parts.push(CURSOR_NAMES[area.cursor] || 'cursor ' + area.cursor);
  if (area.help) parts.push('help ' + area.help);
  if (area.event) parts.push('event 0x' + area.event.toString(16));
  const takes = [];
  if (area.flags & MOUSE_LEFT) takes.push('left');
  if (area.flags & MOUSE_RIGHT) takes.push('right');
  if (area.flags & MOUSE_REPEAT) takes.push('held');
  if (area.flags & 0x00800000) takes.push('drag');
  if (takes.length) parts.push(takes.join('+'));
  return parts.join('  ');
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

// ---------------------------------------------------------------------------------------------
// Placing windows on the page: the panel's own place on the screen where it gives one (the page
// is the screen), else where the simulator would put it by its position code; never over the row
// of buttons that opened it, and always back within the page when the page shrinks

let opener = null;  // the gauge whose click may open a window, and when

function desk() { return document.getElementById('desk'); }

function windowPageSize(info) {
  return [info.size[0] * cockpit.scale, info.size[1] * cockpit.scale + 18];
}

function preferredPlace(info) {
  if (info.index === 0) return [0, 0];
  const [w, h] = windowPageSize(info);
  const freeW = Math.max(0, desk().clientWidth - w), freeH = Math.max(0, desk().clientHeight - h);
  if (info.screen) return [Math.round(info.screen.x * desk().clientWidth), Math.round(info.screen.y * desk().clientHeight)];
  const code = Math.min(Math.max(info.position, 0), 8);
  return [Math.round(freeW * (code % 3) / 2), Math.round(freeH * Math.floor(code / 3) / 2)];
}

// The buttons of the gauge that was clicked last (gauges of its window of its size, in its row and
// the rows next to it), in page pixels relative to the desk.
function openerRow() {
  if (!opener || performance.now() - opener.at > 5000) return null;
  const [, y0, w0, h0] = opener.gauge.placement;
  const row = cockpit.layout.gauges.filter((g) => g.window === opener.gauge.window &&
    Math.abs(g.placement[2] - w0) < 4 && Math.abs(g.placement[3] - h0) < 4 &&
    Math.abs(g.placement[1] - y0) <= 2 * h0);
  const view = windows[opener.gauge.window];
  const canvas = view.canvas.getBoundingClientRect(), base = desk().getBoundingClientRect();
  const k = canvas.width / cockpit.layout.windows[opener.gauge.window].size[0];
  const left = Math.min(...row.map((g) => g.placement[0])), right = Math.max(...row.map((g) => g.placement[0] + g.placement[2]));
  const top = Math.min(...row.map((g) => g.placement[1])), bottom = Math.max(...row.map((g) => g.placement[1] + g.placement[3]));
  const dx = canvas.left - base.left + desk().scrollLeft, dy = canvas.top - base.top + desk().scrollTop;
  return [dx + left * k, dy + top * k, (right - left) * k, (bottom - top) * k];
}

function clearOf(place, size, row) {
  let [left, top] = place;
  const [w, h] = size;
  if (row && left < row[0] + row[2] && left + w > row[0] && top < row[1] + row[3] && top + h > row[1]) {
    if (row[1] - h - 8 >= 0) top = row[1] - h - 8;                          // above the row
    else if (row[1] + row[3] + 8 + h <= desk().clientHeight) top = row[1] + row[3] + 8;  // below
    else left = row[0] + row[2] + 8;                                        // beside
  }
  return [left, top];
}

function withinDesk(element) {
  const maxLeft = Math.max(0, desk().clientWidth - element.offsetWidth);
  const maxTop = Math.max(0, desk().clientHeight - element.offsetHeight);
  element.style.left = Math.min(Math.max(0, element.offsetLeft), maxLeft) + 'px';
  element.style.top = Math.min(Math.max(0, element.offsetTop), maxTop) + 'px';
}

function placeWindow(view, info) {
  const size = windowPageSize(info);
  // Within the page first (its canvas may not have its size yet), then off the opening row.
  const within = ([left, top]) => [Math.max(0, Math.min(left, desk().clientWidth - size[0])),
                                   Math.max(0, Math.min(top, desk().clientHeight - size[1]))];
  const [left, top] = clearOf(within(preferredPlace(info)), size, info.index === 0 ? null : openerRow());
  view.element.style.left = left + 'px';
  view.element.style.top = top + 'px';
  withinDesk(view.element);
}

function buildWindows() {
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
    close.addEventListener('click', () => post('window', { window: info.index, visible: false }).catch(() => {}));
    bar.append(title, close);
    const canvas = document.createElement('canvas');
    const overlay = document.createElement('canvas');
    overlay.className = 'overlay';
    overlay.hidden = true;
    element.append(bar, canvas, overlay);
    element.hidden = true;
    desk().append(element);
    const view = { element, canvas, overlay, full: true, dirty: new Set(), placed: false,
                   gauges: cockpit.layout.gauges.filter((g) => g.window === info.index) };
    windows.push(view);
    movable(element, bar);
    attachMouse(view);
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
    if (view.element.hidden === visible) {
      view.element.hidden = !visible;
      if (visible) {
        view.full = true;
        view.element.parentNode.append(view.element);
        if (!view.placed || index !== 0) placeWindow(view, cockpit.layout.windows[index]);
        view.placed = true;
      }
    }
  });
}

// ---------------------------------------------------------------------------------------------
// The mouse, as the simulator takes it; a held button repeats by the page's own clock

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

function onGauge(gauge, p) { return p[0] >= 0 && p[1] >= 0 && p[0] < gauge.bitmap[0] && p[1] < gauge.bitmap[1]; }

// The gauge under the pointer that has a click area there (the last placed on top), and the area.
function target(view, event) {
  for (let i = view.gauges.length - 1; i >= 0; --i) {
    const gauge = view.gauges[i];
    const p = gaugePoint(gauge, view, event);
    if (!onGauge(gauge, p)) continue;
    const area = gauge.areas.find((a) => a.kind === 'child' && holds(a.box, p));
    if (area) return { gauge, point: p, area };
  }
  for (let i = view.gauges.length - 1; i >= 0; --i) {
    const gauge = view.gauges[i];
    const p = gaugePoint(gauge, view, event);
    if (onGauge(gauge, p)) return { gauge, point: p, area: null };
  }
  return null;
}

// Repeats while the button stays down: the first after the layout's delay, then one each
// interval. A tick that comes late (the page was busy) first lets waiting input through, so a
// button let go meanwhile is never taken for held.
function startRepeats(press) {
  const { delay_ms: delay, interval_ms: interval } = cockpit.layout.repeat;
  const tick = (due, yielded) => {
    if (press.released) return;
    if (!yielded && performance.now() - due > 30) {
      press.timer = setTimeout(() => tick(due, true), 0);
      return;
    }
    ++cockpit.repeatsSent;
    post('mouse', { gauge: press.gauge.index, x: press.point[0], y: press.point[1], action: 'repeat' }).catch(() => {});
    const next = Math.max(due + interval, performance.now() + interval / 2);
    press.timer = setTimeout(() => tick(next, false), next - performance.now());
  };
  const first = performance.now() + delay;
  press.timer = setTimeout(() => tick(first, false), delay);
}

function attachMouse(view) {
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
    try { canvas.setPointerCapture(e.pointerId); } catch { /* a pointer the browser no longer has */ }
    const pending = { start: performance.now(), frame: 0 };
    pendingClicks.push(pending);
    opener = { gauge: hit.gauge, at: performance.now() };
    const button = e.button === 2 ? 'right' : 'left';
    press = { gauge: hit.gauge, point: hit.point, released: false, timer: null };
    if ((hit.area.flags & (button === 'right' ? MOUSE_RIGHT : MOUSE_LEFT)) && (hit.area.flags & MOUSE_REPEAT)) startRepeats(press);
    post('mouse', { gauge: hit.gauge.index, x: hit.point[0], y: hit.point[1], button, action: 'down' })
      .then((answer) => {
        pending.frame = answer.frame || cockpit.frame + 1;
        if (!answer.area) pendingClicks.splice(pendingClicks.indexOf(pending), 1);
        else clickShown(pending);
      })
      .catch(() => pendingClicks.splice(pendingClicks.indexOf(pending), 1));
  });
  canvas.addEventListener('pointermove', (e) => {
    if (press) {
      // Drags go to the area of the last click, wherever the pointer is; one per painted frame.
      const p = gaugePoint(press.gauge, view, e);
      press.point = p;
      if (!dragQueued) {
        const current = press;
        requestAnimationFrame(() => {
          const [x, y] = dragQueued;
          dragQueued = null;
          if (current.released) return;
          ++cockpit.dragsSent;
          post('mouse', { gauge: current.gauge.index, x, y, action: 'drag' }).catch(() => {});
        });
      }
      dragQueued = p;
      return;
    }
    const hit = target(view, e);
    canvas.style.cursor = hit && hit.area ? (CURSORS[hit.area.cursor] || 'default') : 'default';
    const hovered = hit ? hit.gauge : null;
    if (cockpit.overlay && hovered !== overlayGauge) {
      overlayGauge = hovered;
      windows.forEach((v, i) => { if (cockpit.visible[i]) paintOverlay(i); });
    }
    if (hover && Math.hypot(hover.x - e.clientX, hover.y - e.clientY) < 3) return;
    hideTooltip();
    clearTimeout(hover && hover.timer);
    hover = hit ? { x: e.clientX, y: e.clientY, timer: setTimeout(() => showTooltip(hit, e.clientX, e.clientY), HOVER_MS) } : null;
  });
  const release = () => {
    if (!press) return;
    press.released = true;
    clearTimeout(press.timer);
    press = null;
  };
  canvas.addEventListener('pointerup', release);
  canvas.addEventListener('pointercancel', release);
  canvas.addEventListener('pointerleave', () => { clearTimeout(hover && hover.timer); hover = null; hideTooltip(); });
}

let tooltipTimer = null;

// The gauges' own texts, and for a guarded switch how to lift its guard.
function tooltipText(text) {
  return /protected/i.test(text) ? text + '\nRight-click lifts the guard; then a left click works the switch.' : text;
}

async function showTooltip(hit, clientX, clientY) {
  const tip = document.getElementById('tooltip');
  const ask = async () => {
    const url = '/api/tooltip?gauge=' + hit.gauge.index + '&x=' + hit.point[0] + '&y=' + hit.point[1];
    const answer = await (await fetch(url)).json();
    if (answer.text === null) { tip.hidden = true; return; }
    tip.textContent = tooltipText(answer.text);
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

// Frames from the host, and the connection to it

function applyGauge(g) {
  const state = cockpit.gauges[g.g];
  if (g.size) state.size = g.size;
  if (g.n !== undefined) state.ops.length = g.n;
  for (const [i, op] of g.ops) {
    if (Array.isArray(op)) {
      if (state.ops[i]) state.ops[i].t = op;  // moved only
    } else {
      state.ops[i] = op;
    }
  }
  const gauge = cockpit.layout.gauges[g.g];
  const view = windows[gauge.window];
  if (g.size) view.full = true;
  else view.dirty.add(g.g);
}

function applyFrame(frame) {
  if (frame.session && frame.session !== cockpit.session) return restart();
  if (frame.gauges && frame.gauges.length) {
    ++cockpit.framesChanged;
    cockpit.changedSincePaint = (cockpit.changedSincePaint || 0) + 1;
  }
  for (const g of frame.gauges || []) applyGauge(g);
  for (const [w, visible] of frame.windows || []) cockpit.visible[w] = visible;
  if (frame.windows) showWindows();
  for (const sound of frame.sounds || []) play(sound);
  for (const event of frame.events || []) logEvent(event);
  if (frame.failures) {
    cockpit.failures = new Set(frame.failures);
    for (const box of document.querySelectorAll('#failures input')) box.checked = cockpit.failures.has(+box.value);
  }
  if (frame.sim) applySim(frame.sim);
  cockpit.frame = frame.frame;
  cockpit.time = frame.time;
}

function applySim(sim) {
  cockpit.sim = sim;
  document.getElementById('pause').textContent = sim.paused ? 'Resume' : 'Pause';
  document.getElementById('rate').value = String(sim.rate);
  document.getElementById('controls').textContent =
    'elev ' + sim.elevator.toFixed(2) + ' ail ' + sim.aileron.toFixed(2) + ' thr ' + sim.throttle.toFixed(2);
  // The panel-light switch lights the panel: night lighting.
  document.getElementById('night').checked = sim.panel_lights;
  if (cockpit.night !== sim.panel_lights) {
    cockpit.night = sim.panel_lights;
    redrawAll();
  }
}

let stream = null;
let lastHeard = 0;

function connection(ok, text) {
  const banner = document.getElementById('banner');
  banner.hidden = ok;
  if (!ok) banner.textContent = text;
  cockpit.connected = ok;
}

function heard() {
  lastHeard = performance.now();
  if (!cockpit.connected) connection(true);
}

function connect() {
  if (stream) stream.close();
  stream = new EventSource('/stream');
  stream.addEventListener('frame', (e) => {
    heard();
    cockpit.bytes += e.data.length;
    applyFrame(JSON.parse(e.data));
  });
  stream.addEventListener('beat', (e) => {
    heard();
    cockpit.bytes += e.data.length;
    const beat = JSON.parse(e.data);
    if (beat.session !== cockpit.session) return restart();
    cockpit.frame = beat.frame;  // nothing changed up to it
    cockpit.time = beat.time;
  });
  stream.onerror = () => {
    connection(false, 'Disconnected from gaugehost: reconnecting…');
    // A stream the browser gave up on (the server answered with an error) is opened again.
    if (stream.readyState === EventSource.CLOSED) setTimeout(connect, 1000);
  };
}

function watchConnection() {
  setInterval(() => {
    if (cockpit.connected && performance.now() - lastHeard > SILENT_MS) {
      connection(false, 'gaugehost is not answering: reconnecting…');
      connect();
    }
    if (cockpit.layout && cockpit.layout.flightgear) showFlightGear().catch(() => {});
    const seconds = (performance.now() - cockpit.started) / 1000;
    document.getElementById('status').textContent =
      'frame ' + cockpit.frame + '  t ' + (cockpit.time || 0).toFixed(1) + ' s  ' + (cockpit.bytes / 1024 / seconds).toFixed(1) + ' KB/s';
  }, 1000);
}

// The FlightGear link's status line, while FlightGear flies the cockpit.
async function showFlightGear() {
  const status = await (await fetch('/api/status')).json();
  const flight = document.getElementById('flight');
  flight.hidden = false;
  flight.textContent = status.flight;
  flight.className = status.flightgear && status.flightgear.live ? '' : 'warning';
}

// A new run of the server: its layout, and everything drawn afresh.
async function restart() {
  if (cockpit.restarting) return;
  cockpit.restarting = true;
  if (stream) stream.close();
  stream = null;
  try {
    await load();
    ++cockpit.restarts;
  } catch (error) {
    connection(false, 'Disconnected from gaugehost: ' + error.message);
    setTimeout(() => { cockpit.restarting = false; restart(); }, 1000);
    return;
  }
  cockpit.restarting = false;
}

// ---------------------------------------------------------------------------------------------
// Designer's views: event log, variables, failures, costs

const eventLog = { paused: false, filter: '' };

function eventMatches(event) {
  if (!eventLog.filter) return true;
  const text = (event.event + ' ' + (event.name || '') + ' ' + (event.gauge || '') + ' ' + event.by).toLowerCase();
  return text.includes(eventLog.filter);
}

function logEvent(event) {
  cockpit.eventsSeen.push(event);
  if (cockpit.eventsSeen.length > 20000) cockpit.eventsSeen.shift();
  if (!eventLog.paused && eventMatches(event)) addEventRow(event, true);
}

function addEventRow(event, atTop) {
  const row = document.createElement('tr');
  const value = event.signed !== event.value ? event.value + ' (' + event.signed + ')' : String(event.value);
  for (const text of [event.sim_time.toFixed(2), event.event + ' ' + (event.name || ''), value, (event.gauge || '-') + ' ' + event.by]) {
    const cell = document.createElement('td');
    cell.textContent = text;
    row.append(cell);
  }
  const body = document.getElementById('events');
  if (atTop) body.prepend(row);
  else body.append(row);
  while (body.rows.length > 300) body.deleteRow(-1);
}

function refilterEvents() {
  document.getElementById('events').textContent = '';
  const shown = cockpit.eventsSeen.filter(eventMatches).slice(-300).reverse();
  for (const event of shown) addEventRow(event, false);
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
      row.innerHTML = '<td></td><td class="value"></td><td></td><td><input size="8"><div class="error"></div></td>';
      row.cells[0].textContent = v.id + (v.role ? ' ' + v.role : '');
      row.cells[2].textContent = v.unit || '';
      const input = row.querySelector('input');
      const error = row.querySelector('.error');
      input.addEventListener('change', () => {
        const value = Number(input.value);
        if (input.value.trim() === '' || !Number.isFinite(value)) {
          error.textContent = 'not a number';
          return;
        }
        post('var', { id: v.id, value }).then(() => { input.value = ''; error.textContent = ''; refreshVariables(); })
          .catch((e) => { error.textContent = e.message.replace(/^\d+ /, ''); });
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

function buildFailures() {
  const failures = document.getElementById('failures');
  failures.textContent = '';
  const users = cockpit.layout.failure_users || {};
  for (const key of cockpit.layout.failure_keys) {
    const label = document.createElement('label');
    const box = document.createElement('input');
    box.type = 'checkbox';
    box.value = key;
    box.checked = cockpit.failures.has(key);
    box.addEventListener('change', () => post('failure', { key, on: box.checked }).catch(() => { box.checked = !box.checked; }));
    label.append(box, ' ' + key + ' ' + (FAILURE_NAMES[key] || 'key ' + key));
    label.title = users[key] ? 'Named by ' + users[key].join(', ') : 'Named by no gauge of this panel';
    failures.append(label);
  }
}

async function buildDesigner() {
  for (const button of document.querySelectorAll('#side nav button')) {
    button.addEventListener('click', () => {
      for (const other of document.querySelectorAll('#side nav button')) other.classList.toggle('on', other === button);
      for (const section of document.querySelectorAll('#side section')) section.hidden = section.id !== 'tab-' + button.dataset.tab;
      refreshCosts();
    });
  }
  document.getElementById('event-filter').addEventListener('input', (e) => {
    eventLog.filter = e.target.value.trim().toLowerCase();
    refilterEvents();
  });
  document.getElementById('event-pause').addEventListener('change', (e) => {
    eventLog.paused = e.target.checked;
    if (!eventLog.paused) refilterEvents();
  });
  document.getElementById('event-clear').addEventListener('click', () => {
    cockpit.eventsSeen.length = 0;
    document.getElementById('events').textContent = '';
  });
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
// Toolbar, keyboard and the start checklist

function fitScale() {
  const main = cockpit.layout.windows[0];
  return Math.max(0.25, Math.min(desk().clientWidth / main.size[0], (desk().clientHeight - 18) / main.size[1]));
}

function applyScale() {
  const choice = document.getElementById('scale').value;
  cockpit.scale = choice === 'fit' ? fitScale() : Number(choice);
  redrawAll();
}

function pageResized() {
  if (document.getElementById('scale').value === 'fit') applyScale();
  for (const view of windows) if (!view.element.hidden) withinDesk(view.element);
}

function buildToolbar() {
  document.getElementById('scale').addEventListener('change', () => { applyScale(); pageResized(); });
  window.addEventListener('resize', pageResized);
  document.getElementById('night').addEventListener('change', (e) =>
    post('var', { id: 10, value: e.target.checked ? 1 : 0 }).catch(() => { e.target.checked = !e.target.checked; }));
  document.getElementById('overlay').addEventListener('change', (e) => { cockpit.overlay = e.target.checked; overlayGauge = null; redrawAll(); });
  document.getElementById('designer').addEventListener('change', (e) => {
    document.getElementById('side').hidden = !e.target.checked;
    document.body.classList.toggle('designing', e.target.checked);
    pageResized();
  });
  document.getElementById('checklist-toggle').addEventListener('click', () => {
    const list = document.getElementById('checklist');
    list.hidden = !list.hidden;
  });
  document.getElementById('pause').addEventListener('click', () => post('sim', { paused: !cockpit.sim.paused }).catch(() => {}));
  document.getElementById('rate').addEventListener('change', (e) => post('sim', { rate: Number(e.target.value) }).catch(() => {}));
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

// The layout of the server's run, and the page built for it (again after a restart).
async function load() {
  const layout = await (await fetch('/api/layout')).json();
  for (const view of windows) view.element.remove();
  windows = [];
  images.clear();
  cockpit.layout = layout;
  cockpit.session = layout.session;
  cockpit.gauges = layout.gauges.map(() => ({ ops: [], size: null }));
  cockpit.visible = [];
  cockpit.frame = cockpit.paintedFrame = 0;
  overlayGauge = null;
  document.getElementById('title').textContent = layout.module;
  buildWindows();
  buildFailures();
  applyScale();
  connect();
}

async function main() {
  buildToolbar();
  buildDesigner().catch(() => {});
  watchConnection();
  await load();
  requestAnimationFrame(paintLoop);
  cockpit.ready = true;
}

main().catch((error) => connection(false, 'Cannot load the cockpit: ' + error.message));
