// SPDX-License-Identifier: GPL-3.0-or-later
// The clock's page on a phone: sign in with the committee's PIN, see what the clock shows, change
// the congregation's minutes and what the screen shows. Every rule lives in the clock; this page
// only shows its answers.
'use strict';

const PRAYERS = [['SUBUH', 'Subuh'], ['ZOHOR', 'Zohor'], ['ASAR', 'Asar'], ['MAGRIB', 'Maghrib'],
                 ['ISYAK', 'Isyak'], ['JUMAAT', 'Jumaat']];

// What each editable setting is called on the page, and on which tab it is shown.
const FIELDS = {
  'IQAMAH.PESAN': ['jemaah', 'Pesanan semasa kiraan iqamah', 'text'],
  'IQAMAH.BUNYI': ['jemaah', 'Bunyi pendek semasa iqamah', 'onoff'],
  'TAJUK-01.TITLE01': ['paparan', 'Tajuk 1', 'text'],
  'TAJUK-01.TSIZE': ['paparan', 'Saiz tajuk 1', 'number'],
  'TAJUK-01.TITLE02': ['paparan', 'Tajuk 2', 'text'],
  'TAJUK-01.FSIZE': ['paparan', 'Saiz tajuk 2', 'number'],
  'TAJUK-01.TEMPAT': ['paparan', 'Nama tempat', 'text'],
  'TAJUK-01.GSIZE': ['paparan', 'Saiz nama tempat', 'number'],
  'WSOLAT_JAM.SKROL': ['paparan', 'Jalur waktu solat bergerak', 'onoff'],
  'LOKASI.ZON': ['paparan', 'Zon waktu solat', 'zone'],
  'MALAM.PADAM': ['paparan', 'Skrin padam pada waktu malam (cth. 23:00 atau ISYAK+60)', 'text'],
  'MALAM.HIDUP': ['paparan', 'Skrin hidup semula (cth. 05:00)', 'text'],
  'JENAZAH.NAMA': ['paparan', 'Notis jenazah: nama', 'text'],
  'JENAZAH.SOLAT': ['paparan', 'Notis jenazah: solat jenazah', 'text'],
  'JENAZAH.TAMAT': ['paparan', 'Notis jenazah hingga (yyyy-mm-dd HH:MM)', 'text'],
  'PENGUMUMAN.PENUH': ['paparan', 'Minit antara pengumuman skrin penuh', 'number'],
};

let csrf = '';
let loaded = {};   // 'SECTION.KEY' -> value as the clock holds it
let zones = [];
let statusTimer = 0;

const $ = (id) => document.getElementById(id);
const idOf = (name) => 'f-' + name.replace(/[^A-Za-z0-9]/g, '_');

async function api(method, path, body) {
  const init = { method, headers: {}, credentials: 'same-origin' };
  if (body !== undefined) {
    init.headers['Content-Type'] = 'application/json';
    init.body = JSON.stringify(body);
  }
  if (method !== 'GET' && csrf) init.headers['X-CSRF-Token'] = csrf;
  const res = await fetch(path, init);
  let data = {};
  try { data = await res.json(); } catch (e) { data = {}; }
  return { status: res.status, data };
}

function showSignIn(text) {
  csrf = '';
  clearInterval(statusTimer);
  $('urus').hidden = true;
  $('masuk').hidden = false;
  $('masukPesan').textContent = text || '';
  $('pin').focus();
}

async function signedIn() {
  $('masuk').hidden = true;
  $('urus').hidden = false;
  const z = await api('GET', '/api/zones');
  if (z.status === 200) zones = z.data;
  await loadSettings();
  showTab('status');
}

function showTab(name) {
  for (const b of document.querySelectorAll('nav .tab')) {
    if (b.dataset.tab === name) b.setAttribute('aria-current', 'page');
    else b.removeAttribute('aria-current');
  }
  for (const s of document.querySelectorAll('.bahagian')) s.hidden = s.id !== name;
  clearInterval(statusTimer);
  if (name === 'status') {
    loadStatus();
    statusTimer = setInterval(loadStatus, 5000);
  }
}

function row(list, term, value) {
  const dt = document.createElement('dt');
  dt.textContent = term;
  const dd = document.createElement('dd');
  dd.textContent = value;
  list.append(dt, dd);
}

async function loadStatus() {
  const r = await api('GET', '/api/status');
  if (r.status === 401) return showSignIn('Sila log masuk semula.');
  if (r.status !== 200) return;
  const s = r.data;
  $('jam').textContent = s.time;
  const list = $('statusSenarai');
  list.replaceChildren();
  row(list, 'Tarikh', s.date);
  row(list, 'Masa', s.time);
  if (s.next) row(list, 'Seterusnya', s.next.prayer + ' dalam ' + s.next.words);
  const c = s.congregation || {};
  if (c.screen === 'IQAMAH') row(list, 'Skrin', 'Iqamah ' + c.prayer + ' ' + c.countdown);
  else if (c.screen === 'SOLAT') row(list, 'Skrin', 'Solat ' + c.prayer + ', ' + c.minutes + ' minit');
  else row(list, 'Skrin', 'Jam biasa');
  const p = s.place || {};
  row(list, 'Tempat', p.zone ? p.zone + ' (' + p.state + ')' : (p.coordinates || ''));
  row(list, 'Sumber waktu', p.source || '');
  row(list, 'Data dikemas kini', s.lastUpdate || 'tiada');
  row(list, 'Versi', s.version);
  row(list, 'Masa berjalan', s.uptime);
  const body = $('waktuHari');
  body.replaceChildren();
  for (const [name, time] of Object.entries(s.times || {})) {
    const tr = document.createElement('tr');
    const th = document.createElement('th');
    th.scope = 'row';
    th.textContent = name;
    const td = document.createElement('td');
    td.textContent = time || '--:--';
    tr.append(th, td);
    body.append(tr);
  }
}

// One input with its label and the place for its reason when refused.
function field(name, label, kind) {
  const wrap = document.createElement('div');
  const id = idOf(name);
  let input;
  if (kind === 'onoff') {
    wrap.className = 'semak';
    input = document.createElement('input');
    input.type = 'checkbox';
  } else if (kind === 'zone') {
    input = document.createElement('select');
    const none = document.createElement('option');
    none.value = '';
    none.textContent = '(koordinat yang ditaip di komputer)';
    input.append(none);
    for (const g of zones) {
      const group = document.createElement('optgroup');
      group.label = g.state;
      for (const z of g.zones) {
        const o = document.createElement('option');
        o.value = z.code;
        o.textContent = z.code + ': ' + z.districts;
        group.append(o);
      }
      input.append(group);
    }
  } else {
    input = document.createElement('input');
    input.type = 'text';
    if (kind === 'number') input.inputMode = 'numeric';
  }
  input.id = id;
  input.name = name;
  input.dataset.kind = kind;
  const l = document.createElement('label');
  l.htmlFor = id;
  l.textContent = label;
  const why = document.createElement('span');
  why.className = 'sebab';
  why.id = id + '-sebab';
  why.setAttribute('role', 'alert');
  input.setAttribute('aria-describedby', why.id);
  if (kind === 'onoff') wrap.append(input, l, why);
  else wrap.append(l, input, why);
  return wrap;
}

function minutesInput(name, label) {
  const input = document.createElement('input');
  input.type = 'text';
  input.inputMode = 'numeric';
  input.id = idOf(name);
  input.name = name;
  input.dataset.kind = 'number';
  input.setAttribute('aria-label', label);
  const why = document.createElement('span');
  why.className = 'sebab';
  why.id = input.id + '-sebab';
  why.setAttribute('role', 'alert');
  input.setAttribute('aria-describedby', why.id);
  const td = document.createElement('td');
  td.append(input, why);
  return td;
}

function buildForms(values) {
  const minutes = $('jemaahMinit');
  minutes.replaceChildren();
  for (const [key, shown] of PRAYERS) {
    const tr = document.createElement('tr');
    const th = document.createElement('th');
    th.scope = 'row';
    th.textContent = shown;
    tr.append(th, minutesInput('IQAMAH.' + key, 'Minit hingga iqamah ' + shown),
              minutesInput('SOLAT.' + key, 'Minit skrin solat ' + shown));
    minutes.append(tr);
  }
  const lain = $('jemaahLain');
  const papar = $('paparanMedan');
  lain.replaceChildren();
  papar.replaceChildren();
  for (const name of Object.keys(values)) {
    if (document.getElementById(idOf(name))) continue;
    const [tab, label, kind] = FIELDS[name] || ['paparan', name, 'text'];
    (tab === 'jemaah' ? lain : papar).append(field(name, label, kind));
  }
}

function fillForms(values) {
  for (const [name, value] of Object.entries(values)) {
    const input = document.getElementById(idOf(name));
    if (!input) continue;
    if (input.dataset.kind === 'onoff') input.checked = value.trim().toUpperCase() === 'ON';
    else input.value = value;
  }
}

function flatten(data) {
  const out = {};
  for (const [section, keys] of Object.entries(data))
    for (const [key, value] of Object.entries(keys)) out[section + '.' + key] = value;
  return out;
}

async function loadSettings() {
  const r = await api('GET', '/api/settings');
  if (r.status === 401) return showSignIn('Sila log masuk semula.');
  if (r.status !== 200) return;
  loaded = flatten(r.data);
  buildForms(loaded);
  fillForms(loaded);
}

function valueOf(input) {
  if (input.dataset.kind === 'onoff') return input.checked ? 'ON' : 'OFF';
  return input.value;
}

async function save(form) {
  const said = form.querySelector('.simpanPesan');
  said.className = 'pesan simpanPesan';
  said.textContent = 'Menyimpan...';
  const body = {};
  for (const input of form.querySelectorAll('input[name], select[name]')) {
    input.removeAttribute('aria-invalid');
    $(input.id + '-sebab').textContent = '';
    const name = input.name;
    const value = valueOf(input);
    // Only what changed: an old value the clock keeps is not sent back to be judged again.
    if (loaded[name] === value || (loaded[name] === '' && value === 'OFF' && input.dataset.kind === 'onoff'))
      continue;
    const [section, key] = [name.slice(0, name.indexOf('.')), name.slice(name.indexOf('.') + 1)];
    (body[section] = body[section] || {})[key] = value;
  }
  let r = await api('PUT', '/api/settings', body);
  if (r.status === 403) {
    const s = await api('GET', '/api/session');
    if (s.status === 200) {
      csrf = s.data.csrf;
      r = await api('PUT', '/api/settings', body);
    }
  }
  if (r.status === 401) return showSignIn('Sila log masuk semula.');
  if (r.status === 200) {
    loaded = flatten(r.data);
    fillForms(loaded);
    said.classList.add('ok');
    said.textContent = 'Disimpan';
    return;
  }
  said.classList.add('salah');
  if (r.status === 422) {
    let first = null;
    for (const [section, keys] of Object.entries(r.data.refused || {}))
      for (const [key, reason] of Object.entries(keys)) {
        const input = document.getElementById(idOf(section + '.' + key));
        if (!input) continue;
        input.setAttribute('aria-invalid', 'true');
        $(input.id + '-sebab').textContent = reason;
        first = first || input;
      }
    said.textContent = 'Tidak disimpan: betulkan nilai yang bertanda.';
    if (first) first.focus();
  } else {
    said.textContent = 'Tidak disimpan: ' + ((r.data && r.data.error) || ('ralat ' + r.status));
  }
}

document.addEventListener('DOMContentLoaded', async () => {
  $('borangMasuk').addEventListener('submit', async (e) => {
    e.preventDefault();
    const r = await api('POST', '/api/login', { pin: $('pin').value });
    $('pin').value = '';
    if (r.status === 200) {
      csrf = r.data.csrf;
      $('masukPesan').textContent = '';
      await signedIn();
    } else {
      $('masukPesan').textContent = (r.data && r.data.error) || ('Ralat ' + r.status);
    }
  });
  for (const b of document.querySelectorAll('nav .tab'))
    b.addEventListener('click', () => showTab(b.dataset.tab));
  $('keluar').addEventListener('click', async () => {
    await api('POST', '/api/logout');
    showSignIn('Anda telah keluar.');
  });
  $('muatSemula').addEventListener('click', loadStatus);
  for (const f of [$('borangJemaah'), $('borangPaparan')])
    f.addEventListener('submit', (e) => { e.preventDefault(); save(f); });

  // A phone signed in earlier stays signed in.
  const s = await api('GET', '/api/session');
  if (s.status === 200) {
    csrf = s.data.csrf;
    await signedIn();
  } else {
    showSignIn('');
  }
});
