// Orvanta demo portal: finds the local client, shows its state and sends
// the requests built by the forms on the page. Plain JS, no dependencies.
'use strict';

const CLIENT_HOST = '127.0.0.1';
const CLIENT_PORTS = [21010, 21011, 21012, 21013, 21014];
const SEP = '*?*';

const RESCAN_MS = 3000;      // retry interval while no client answers
const POLL_MS = 1000;        // state polling interval
const PROBE_TIMEOUT_MS = 1500;
const POLL_TIMEOUT_MS = 2500;
const SEND_TIMEOUT_MS = 15000;
const LOG_LIMIT = 200;

const VPN_WORDS = { 0: 'stopped', 1: 'connected', 2: 'connecting', 3: 'reconnecting' };

let clientPort = null;
// Bumped on every (re)scan so a stale discovery or poll loop stops itself.
let loopGeneration = 0;

const $ = (sel, root = document) => root.querySelector(sel);
const $$ = (sel, root = document) => Array.from(root.querySelectorAll(sel));

// ---------------------------------------------------------------- queries

// Standard Base64 of the UTF-8 bytes of `text`.
function base64Utf8(text) {
  return btoa(unescape(encodeURIComponent(text)));
}

// key=value fields joined by *?*. Values are percent-encoded; the separators
// and '=' stay literal. Empty text fields are left out; a ticked checkbox
// sends "1", an unticked one is left out.
function pairsQuery(form) {
  const fields = [];
  for (const el of form.elements) {
    if (!el.name || el.tagName !== 'INPUT') continue;
    if (el.type === 'checkbox') {
      if (el.checked) fields.push(`${el.name}=1`);
    } else if (el.value !== '') {
      fields.push(`${el.name}=${encodeURIComponent(el.value)}`);
    }
  }
  return fields.join(SEP);
}

// /SSOInfo: name=Base64 fields. The Base64 text goes out as is, '+' included.
function ssoQuery(form) {
  return $$('.sso-row', form)
    .map(row => [$('.sso-name', row).value.trim(), $('.sso-text', row).value])
    .filter(([name]) => name !== '')
    .map(([name, text]) => `${encodeURIComponent(name)}=${base64Utf8(text)}`)
    .join(SEP);
}

function buildQuery(form) {
  switch (form.dataset.kind) {
    case 'pairs': return pairsQuery(form);
    case 'fileurl': return encodeURIComponent(form.elements.url.value.trim());
    case 'sso': return ssoQuery(form);
    case 'raw': return form.elements.query.value;
    default: return '';
  }
}

function clientBase() {
  return `http://${CLIENT_HOST}:${clientPort ?? CLIENT_PORTS[0]}`;
}

function requestPath(form) {
  const query = buildQuery(form);
  return form.dataset.endpoint + (query === '' ? '' : `?${query}`);
}

// ---------------------------------------------------------------- transport

// GET `url`; resolves to {status, body}, rejects on network error or timeout.
async function getText(url, timeoutMs) {
  const ctrl = new AbortController();
  const timer = setTimeout(() => ctrl.abort(), timeoutMs);
  try {
    const resp = await fetch(url, { cache: 'no-store', signal: ctrl.signal });
    const body = await resp.text();
    return { status: resp.status, body };
  } catch (err) {
    throw new Error(err.name === 'AbortError' ? `no answer within ${timeoutMs / 1000} s` : 'no connection');
  } finally {
    clearTimeout(timer);
  }
}

// ---------------------------------------------------------------- log

function log(url, result, kind = '') {
  const list = $('#log');
  const li = document.createElement('li');
  if (kind) li.className = kind;
  const time = document.createElement('span');
  time.className = 'time';
  time.textContent = new Date().toLocaleTimeString();
  const req = document.createElement('div');
  req.className = 'req';
  req.textContent = url;
  const rep = document.createElement('div');
  rep.className = 'rep';
  rep.textContent = result;
  li.append(time, req, rep);
  list.prepend(li);
  while (list.children.length > LOG_LIMIT) list.lastElementChild.remove();
}

function note(text, kind = 'note') {
  log(text, '', kind);
}

// ---------------------------------------------------------------- discovery

function setBadge(text, cls) {
  const badge = $('#client-badge');
  badge.textContent = text;
  badge.className = `badge ${cls}`;
}

async function probe(port) {
  try {
    const r = await getText(`http://${CLIENT_HOST}:${port}/init`, PROBE_TIMEOUT_MS);
    return r.status === 200 && r.body.trim() === 'OK_1';
  } catch {
    return false;
  }
}

async function discover(gen) {
  if (gen !== loopGeneration) return;
  setBadge('looking for the client…', 'badge-wait');
  for (const port of CLIENT_PORTS) {
    if (await probe(port)) {
      if (gen !== loopGeneration) return;
      clientPort = port;
      setBadge(`client on port ${port}`, 'badge-ok');
      note(`client found on port ${port}`, 'good');
      refreshPreviews();
      poll(gen);
      return;
    }
  }
  if (gen !== loopGeneration) return;
  setBadge('client not found (retrying every 3 s)', 'badge-bad');
  clearState();
  setTimeout(() => discover(gen), RESCAN_MS);
}

function rescan() {
  loopGeneration += 1;
  clientPort = null;
  refreshPreviews();
  discover(loopGeneration);
}

// ---------------------------------------------------------------- state polling

function show(id, text, cls = '') {
  const el = document.getElementById(id);
  el.textContent = text;
  el.className = `val ${cls}`;
}

function setRaw(id, text) {
  document.getElementById(id).textContent = text;
}

function clearState() {
  for (const id of ['st-version', 'st-vpn', 'st-print', 'st-app', 'st-remote']) show(id, '–');
  for (const id of ['st-vpn-raw', 'st-app-raw', 'st-remote-raw']) setRaw(id, '');
}

// Replies to the *_state requests are the query echoed back, then *?*, then 0/1.
function runningFlag(body) {
  const at = body.lastIndexOf(SEP);
  return at < 0 ? body.trim() : body.slice(at + SEP.length).trim();
}

function showRunning(id, rawId, res) {
  if (res.status !== 'fulfilled') { show(id, res.reason.message, 'bad'); setRaw(rawId, ''); return; }
  const { status, body } = res.value;
  setRaw(rawId, `→ ${status} “${body}”`);
  const flag = runningFlag(body);
  if (flag === '1') show(id, 'running', 'ok');
  else if (flag === '0') show(id, 'not running', 'idle');
  else show(id, `unexpected reply`, 'bad');
}

async function poll(gen) {
  if (gen !== loopGeneration) return;
  const base = clientBase();

  // The client keys its sessions by the ip value without its ":port".
  const hostOnly = (ip) => ip.split(':')[0];
  const appIp = hostOnly($('#form-openapp').elements.ip.value);
  const remote = $('#form-remoteapp').elements;
  const remoteIp = hostOnly(remote.ip.value);
  const appPath = appIp ? `/app_state?${encodeURIComponent(appIp)}` : null;
  const remotePath = remoteIp
    ? `/remote_state?${encodeURIComponent(remoteIp)}${SEP}${encodeURIComponent(remote.app.value)}`
    : null;
  $('#st-app-url').textContent = appPath ?? '/app_state?(no ip)';
  $('#st-remote-url').textContent = remotePath ?? '/remote_state?(no ip)';

  const skip = Promise.reject(new Error('no ip in the form'));
  skip.catch(() => {});
  const results = await Promise.allSettled([
    getText(`${base}/client-version`, POLL_TIMEOUT_MS),
    getText(`${base}/vpn-state`, POLL_TIMEOUT_MS),
    getText(`${base}/printing-status`, POLL_TIMEOUT_MS),
    appPath ? getText(base + appPath, POLL_TIMEOUT_MS) : skip,
    remotePath ? getText(base + remotePath, POLL_TIMEOUT_MS) : skip,
  ]);
  if (gen !== loopGeneration) return;

  const answered = results.slice(0, 3).some(r => r.status === 'fulfilled');
  if (!answered) {
    note(`client on port ${clientPort} stopped answering`, 'bad');
    loopGeneration += 1;
    clientPort = null;
    refreshPreviews();
    discover(loopGeneration);
    return;
  }

  const [version, vpn, printing, app, remoteApp] = results;

  if (version.status === 'fulfilled') {
    const v = version.value.body.trim();
    show('st-version', v, /^\d+\.\d+\.\d+\.\d+$/.test(v) ? '' : 'bad');
  } else {
    show('st-version', version.reason.message, 'bad');
  }

  if (vpn.status === 'fulfilled') {
    const code = vpn.value.body.trim();
    const word = VPN_WORDS[code];
    const cls = { 1: 'ok', 2: 'busy', 3: 'busy' }[code] ?? (word ? 'idle' : 'bad');
    show('st-vpn', word ?? 'unknown', cls);
    setRaw('st-vpn-raw', `→ “${code}”`);
  } else {
    show('st-vpn', vpn.reason.message, 'bad');
    setRaw('st-vpn-raw', '');
  }

  if (printing.status === 'fulfilled') {
    const p = printing.value.body.trim();
    show('st-print', p, p === 'BUSY' ? 'busy' : p === 'OK' ? 'ok' : 'bad');
  } else {
    show('st-print', printing.reason.message, 'bad');
  }

  showRunning('st-app', 'st-app-raw', app);
  showRunning('st-remote', 'st-remote-raw', remoteApp);

  setTimeout(() => poll(gen), POLL_MS);
}

// ---------------------------------------------------------------- forms

function refreshPreview(form) {
  const base = clientPort === null ? `http://${CLIENT_HOST}:PORT` : clientBase();
  $('.preview', form).textContent = base + requestPath(form);
}

function refreshPreviews() {
  $$('form.card').forEach(refreshPreview);
}

async function send(form) {
  if (form.dataset.confirm && !window.confirm(form.dataset.confirm)) return;
  const reply = $('.reply', form);
  const path = requestPath(form);
  if (clientPort === null) {
    reply.textContent = 'client not found: nothing sent';
    reply.className = 'reply bad';
    log(path, 'not sent: client not found', 'bad');
    return;
  }
  const url = clientBase() + path;
  reply.textContent = 'sending…';
  reply.className = 'reply';
  try {
    const { status, body } = await getText(url, SEND_TIMEOUT_MS);
    const text = `${status} “${body}”`;
    reply.textContent = text;
    reply.className = `reply ${status === 200 ? 'ok' : 'bad'}`;
    log(url, text, status === 200 ? '' : 'bad');
  } catch (err) {
    reply.textContent = err.message;
    reply.className = 'reply bad';
    log(url, err.message, 'bad');
  }
}

function addSsoRow(form, name = '', text = '') {
  const row = $('#sso-row').content.firstElementChild.cloneNode(true);
  $('.sso-name', row).value = name;
  $('.sso-text', row).value = text;
  $('.sso-del', row).addEventListener('click', () => { row.remove(); updateSso(form); });
  $('.sso-rows', form).append(row);
  updateSso(form);
}

function updateSso(form) {
  for (const row of $$('.sso-row', form)) {
    $('.sso-b64', row).textContent = base64Utf8($('.sso-text', row).value);
  }
  refreshPreview(form);
}

function setupForms() {
  // Defaults that point at this server (sample files, pages).
  for (const input of $$('input[data-default]')) {
    input.value = location.origin + input.dataset.default;
  }
  for (const btn of $$('button[data-fill]')) {
    btn.addEventListener('click', () => {
      const form = btn.closest('form');
      form.elements.url.value = location.origin + btn.dataset.fill;
      refreshPreview(form);
    });
  }

  for (const form of $$('form.card')) {
    form.addEventListener('submit', ev => { ev.preventDefault(); send(form); });
    form.addEventListener('input', () => {
      if (form.dataset.kind === 'sso') updateSso(form); else refreshPreview(form);
    });
    form.addEventListener('change', () => refreshPreview(form));
  }

  const sso = $('#form-sso');
  addSsoRow(sso, 'user', 'alice');
  addSsoRow(sso, 'passwd', 'secret');
  $('#sso-add').addEventListener('click', () => addSsoRow(sso));

  $('#rescan').addEventListener('click', rescan);
  $('#log-clear').addEventListener('click', () => { $('#log').textContent = ''; });
  refreshPreviews();
}

setupForms();
rescan();
