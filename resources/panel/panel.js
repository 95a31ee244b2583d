// SPDX-License-Identifier: GPL-3.0-or-later
// The clock's page on a phone: sign in with the committee's PIN, see what the clock shows, change
// the congregation's minutes and what the screen shows, the announcements and the funeral notice. Every rule lives in the clock; this page
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
  // The funeral notice has its own tab and route.
  'JENAZAH.NAMA': ['jenazah'],
  'JENAZAH.SOLAT': ['jenazah'],
  'JENAZAH.TAMAT': ['jenazah'],
  'PENGUMUMAN.PENUH': ['pengumuman', 'Minit antara pusingan skrin penuh (kosong atau 0: hanya dalam kad)',
                       'number'],
};

let csrf = '';
let loaded = {};   // 'SECTION.KEY' -> value as the clock holds it
let zones = [];
let statusTimer = 0;
let version = '';  // the announcements' list as last read
let editing = 0;   // the announcement being changed, by its number

// What the server takes in one picture; a larger photo is made smaller here before it is sent.
const PICTURE_LIMIT = 8 * 1024 * 1024;

const $ = (id) => document.getElementById(id);
const idOf = (name) => 'f-' + name.replace(/[^A-Za-z0-9]/g, '_');

// opts.ifMatch: the list's version a change was made on; opts.blob: a picture sent as it is.
async function api(method, path, body, opts = {}) {
  const init = { method, headers: {}, credentials: 'same-origin' };
  if (opts.blob) {
    init.headers['Content-Type'] = opts.blob.type || 'application/octet-stream';
    init.body = opts.blob;
  } else if (body !== undefined) {
    init.headers['Content-Type'] = 'application/json';
    init.body = JSON.stringify(body);
  }
  if (opts.ifMatch) init.headers['If-Match'] = '"' + opts.ifMatch + '"';
  if (method !== 'GET' && csrf) init.headers['X-CSRF-Token'] = csrf;
  let res;
  try {
    res = await fetch(path, init);
  } catch (e) {
    return { status: 0, data: { error: 'Jam tidak dapat dihubungi' } };
  }
  // The token is lost after a reload of the page: fetch it again once and repeat the change.
  if (res.status === 403 && method !== 'GET' && !opts.retried) {
    const s = await api('GET', '/api/session');
    if (s.status === 200) {
      csrf = s.data.csrf;
      return api(method, path, body, Object.assign({}, opts, { retried: true }));
    }
  }
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
  } else if (name === 'pengumuman') {
    loadAnnouncements();
  } else if (name === 'jenazah') {
    loadFuneral();
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
  const places = { jemaah: $('jemaahLain'), paparan: $('paparanMedan'), pengumuman: $('penuhMedan') };
  for (const p of Object.values(places)) p.replaceChildren();
  for (const name of Object.keys(values)) {
    if (document.getElementById(idOf(name))) continue;
    const [tab, label, kind] = FIELDS[name] || ['paparan', name, 'text'];
    if (places[tab]) places[tab].append(field(name, label, kind));
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
  const r = await api('PUT', '/api/settings', body);
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

// ---- Announcements -------------------------------------------------------------------------------

function say(text, ok) {
  const p = $('pengumumanPesan');
  p.className = 'pesan ' + (ok ? 'ok' : 'salah');
  p.textContent = text;
}

function reasonOf(r) {
  return (r.data && r.data.error) || (r.status === 413 ? 'Gambar terlalu besar' : 'ralat ' + r.status);
}

function button(text, label, action) {
  const b = document.createElement('button');
  b.type = 'button';
  b.textContent = text;
  b.setAttribute('aria-label', label);
  b.addEventListener('click', action);
  return b;
}

function showList(data) {
  version = data.versi || '';
  const list = $('senarai');
  list.replaceChildren();
  const today = new Date().toISOString().slice(0, 10);
  const items = data.senarai || [];
  for (const a of items) {
    const li = document.createElement('li');
    const name = a.jenis === 'GAMBAR' ? 'Gambar ' + a.no : (a.tajuk || a.teks.split('\n')[0] || 'Teks ' + a.no);
    if (a.jenis === 'GAMBAR') {
      const img = document.createElement('img');
      img.src = '/api/announcements/' + a.no + '/gambar?v=' + encodeURIComponent(version);
      img.alt = 'Gambar pengumuman ' + a.no;
      li.append(img);
    } else {
      const t = document.createElement('strong');
      t.textContent = a.tajuk;
      const p = document.createElement('p');
      p.textContent = a.teks;
      p.style.whiteSpace = 'pre-line';
      li.append(t, p);
    }
    const d = document.createElement('p');
    d.className = 'butiran';
    d.textContent = (a.mula || a.tamat ? (a.mula || '...') + ' hingga ' + (a.tamat || '...') + ', ' : '') +
                    a.saat + ' saat' + (a.masalah ? '. Tidak dipaparkan: ' + a.masalah : '');
    if (a.tamat && a.tamat < today) li.classList.add('tamat');
    li.append(d);
    const acts = document.createElement('div');
    acts.className = 'tindakan';
    acts.append(button('Naik', 'Naikkan ' + name, () => change('POST', a.no + '/naik')),
                button('Turun', 'Turunkan ' + name, () => change('POST', a.no + '/turun')),
                button('Ubah', 'Ubah ' + name, () => edit(a)),
                button('Padam', 'Padam ' + name, () => {
                  if (confirm('Padam pengumuman ' + a.no + '?')) change('DELETE', String(a.no));
                }));
    li.append(acts);
    list.append(li);
  }
  if (!items.length) {
    const li = document.createElement('li');
    li.textContent = 'Tiada pengumuman. Kad di skrin menunjukkan hari ini sahaja.';
    list.append(li);
  }
}

async function loadAnnouncements() {
  const r = await api('GET', '/api/announcements');
  if (r.status === 401) return showSignIn('Sila log masuk semula.');
  if (r.status === 200) showList(r.data);
  else say('Senarai tidak dapat dibaca: ' + reasonOf(r));
}

// After a change: the list as the clock now holds it, or why not.
function answered(r, done) {
  if (r.status === 401) return showSignIn('Sila log masuk semula.');
  if (r.data && r.data.senarai) showList(r.data);
  if (r.status === 200 || r.status === 201) {
    say(done, true);
    return true;
  }
  say('Tidak disimpan: ' + reasonOf(r));
  return false;
}

async function change(method, path) {
  const r = await api(method, '/api/announcements/' + path, undefined, { ifMatch: version });
  answered(r, method === 'DELETE' ? 'Dipadam' : 'Dialih');
}

function edit(a) {
  editing = a.no;
  const form = $('borangUbah');
  form.querySelector('.hanyaTeks').hidden = a.jenis === 'GAMBAR';
  $('ubahTajuk').textContent = 'Ubah pengumuman ' + a.no;
  $('u-tajuk').value = a.tajuk;
  $('u-teks').value = a.teks;
  $('u-mula').value = a.mula;
  $('u-tamat').value = a.tamat;
  $('u-saat').value = a.saat;
  form.hidden = false;
  $(a.jenis === 'GAMBAR' ? 'u-mula' : 'u-tajuk').focus();
}

async function saveEdit() {
  const body = { mula: $('u-mula').value, tamat: $('u-tamat').value, saat: $('u-saat').value.trim() };
  if (!$('borangUbah').querySelector('.hanyaTeks').hidden) {
    body.tajuk = $('u-tajuk').value;
    body.teks = $('u-teks').value;
  }
  const r = await api('PUT', '/api/announcements/' + editing, body, { ifMatch: version });
  if (answered(r, 'Disimpan')) {
    $('borangUbah').hidden = true;
    editing = 0;
  }
}

async function addText() {
  const r = await api('POST', '/api/announcements', {
    tajuk: $('t-tajuk').value, teks: $('t-teks').value, mula: $('t-mula').value, tamat: $('t-tamat').value,
    saat: $('t-saat').value.trim(),
  });
  if (answered(r, 'Teks ditambah')) {
    $('t-tajuk').value = '';
    $('t-teks').value = '';
  }
}

// A photo larger than the server takes is drawn again as a JPEG at most the screen's size.
async function smallEnough(file) {
  if (file.size <= PICTURE_LIMIT) return file;
  const bitmap = await createImageBitmap(file);
  const scale = Math.min(1, 1920 / bitmap.width, 1080 / bitmap.height);
  const canvas = document.createElement('canvas');
  canvas.width = Math.max(1, Math.round(bitmap.width * scale));
  canvas.height = Math.max(1, Math.round(bitmap.height * scale));
  canvas.getContext('2d').drawImage(bitmap, 0, 0, canvas.width, canvas.height);
  return new Promise((resolve) => canvas.toBlob(resolve, 'image/jpeg', 0.9));
}

async function addPicture() {
  const file = $('g-fail').files[0];
  if (!file) return say('Pilih gambar dahulu.');
  say('Menghantar gambar...', true);
  let blob;
  try {
    blob = await smallEnough(file);
  } catch (e) {
    return say('Gambar ini tidak dapat dibaca.');
  }
  if (!blob) return say('Gambar ini tidak dapat dibaca.');
  const q = new URLSearchParams();
  for (const [key, id] of [['mula', 'g-mula'], ['tamat', 'g-tamat'], ['saat', 'g-saat']])
    if ($(id).value.trim()) q.set(key, $(id).value.trim());
  const r = await api('POST', '/api/announcements/gambar?' + q.toString(), undefined, { blob });
  if (answered(r, 'Gambar ditambah')) $('g-fail').value = '';
}

// ---- Funeral notice ------------------------------------------------------------------------------

function showFuneral(data) {
  $('j-nama').value = data.nama || '';
  $('j-solat').value = data.solat || '';
  $('j-tamat').value = (data.tamat || '').replace(' ', 'T');
}

async function loadFuneral() {
  const r = await api('GET', '/api/funeral');
  if (r.status === 401) return showSignIn('Sila log masuk semula.');
  if (r.status === 200) showFuneral(r.data);
}

async function saveFuneral(clear) {
  const said = $('jenazahPesan');
  for (const k of ['nama', 'solat', 'tamat']) {
    $('j-' + k).removeAttribute('aria-invalid');
    $('j-' + k + '-sebab').textContent = '';
  }
  const r = clear ? await api('DELETE', '/api/funeral')
                  : await api('PUT', '/api/funeral', { nama: $('j-nama').value, solat: $('j-solat').value,
                                                       tamat: $('j-tamat').value.replace('T', ' ') });
  if (r.status === 401) return showSignIn('Sila log masuk semula.');
  if (r.status === 200) {
    showFuneral(r.data);
    said.className = 'pesan ok';
    said.textContent = clear ? 'Notis dipadam' : 'Disimpan';
    return;
  }
  said.className = 'pesan salah';
  const refused = (r.data.refused || {}).JENAZAH || {};
  for (const [key, reason] of Object.entries(refused)) {
    const id = 'j-' + key.toLowerCase();
    if (!$(id)) continue;
    $(id).setAttribute('aria-invalid', 'true');
    $(id + '-sebab').textContent = reason;
  }
  said.textContent = 'Tidak disimpan: ' + (Object.keys(refused).length ? 'betulkan nilai yang bertanda.' : reasonOf(r));
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
  for (const f of [$('borangJemaah'), $('borangPaparan'), $('borangPenuh')])
    f.addEventListener('submit', (e) => { e.preventDefault(); save(f); });
  $('borangGambar').addEventListener('submit', (e) => { e.preventDefault(); addPicture(); });
  $('borangTeks').addEventListener('submit', (e) => { e.preventDefault(); addText(); });
  $('borangUbah').addEventListener('submit', (e) => { e.preventDefault(); saveEdit(); });
  $('ubahBatal').addEventListener('click', () => { $('borangUbah').hidden = true; editing = 0; });
  $('borangJenazah').addEventListener('submit', (e) => { e.preventDefault(); saveFuneral(false); });
  $('jenazahPadam').addEventListener('click', () => saveFuneral(true));

  // A phone signed in earlier stays signed in.
  const s = await api('GET', '/api/session');
  if (s.status === 200) {
    csrf = s.data.csrf;
    await signedIn();
  } else {
    showSignIn('');
  }
});
