// The sheet by link, and the results kept on the device. The page's address
// follows the controls, so that it is always the link to the set, and a link
// opened or pasted sets the controls as if clicked (the WebAssembly writes
// and reads addresses: zt_address, zt_open_address); "&sheet=k" opens sheet
// k in the answering view. A served page shows each pupil's link to their
// sheet of the class set as a QR code (qr.js). Each marked result is kept
// in the browser's storage, the last ones listed, one copied as a line.
// Nothing here asks the network for anything.

import {button, byId, element, section as titled, served, table as pageTable} from './dom.js';
import {answer, text} from './program.js';
import {drawQr, qrCode} from './qr.js';
import * as solve from './solve.js';

const section = (info, ...children) => titled(info, table.family, ...children);

let all = null;    // the page's table
let table = null;  // the texts of this part
let page = null;   // the page's showMessage and update

// ---- The address.

// While the page shows the sheet it was opened at, the address keeps
// "&sheet=k", so that a reload opens it again: {sheet, state} once shown.
let linked = null;

// Opens an address as a link, over whatever the page showed.
function open(hash) {
  const view = byId('SolveView');
  if (view && !view.hidden) byId(all.solving.back.name).click();
  const reply = answer('zt_open_address', hash.replace(/^#/, ''));
  page.showMessage(reply);
  linked = reply.sheet ? {sheet: reply.sheet, state: null} : null;
  page.update(true);
  if (reply.sheet) solve.open(page.showMessage);
}

// After every change: the address says the set now, replaced in place
// (a click is no step back in the history).
export function follow(state) {
  const base = text('zt_address');
  const now = `${base} ${state.shown} ${state.sheet}`;
  if (linked) linked.state ??= now;
  if (linked?.state !== now) linked = null;
  const hash = `#${base}${linked ? `&sheet=${linked.sheet}` : ''}`;
  if (location.hash !== hash) history.replaceState(history.state, '', hash);
  if (table) showPupilLink();
}

// ---- Copying a line.

// The clipboard, or where a browser refuses it (an older one, a page
// from a file) the copy command on a text selected for the moment.
async function copy(text, status) {
  let copied = false;
  try {
    await navigator.clipboard.writeText(text);
    copied = true;
  } catch {
    const focused = document.activeElement;
    const source = element('textarea', {class: 'copy-source', readonly: '', 'aria-hidden': 'true'});
    source.value = text;
    document.body.append(source);
    source.select();
    try {
      copied = document.execCommand('copy');
    } catch {
      // told below
    }
    source.remove();
    focused?.focus();
  }
  status.textContent = copied ? table.copied : table.notCopied;
}

// ---- The pupils' links.

let drawn = null;  // the link the QR code holds

function pupilLinks() {
  const pupils = Array.from({length: table.mostPupils}, (_, k) => String(k + 1));
  const number = element('select', {id: table.pupil.name},
                         ...pupils.map((pupil) => element('option', {value: pupil}, pupil)));
  number.addEventListener('change', showPupilLink);
  const svg = qrCode(table.qr);
  const copied = element('span', {id: 'LinkCopied', role: 'status'});
  const parts = element('div', {id: 'PupilLinkParts', hidden: ''},
                        element('p', {}, element('label', {for: number.id}, table.pupil.caption), number,
                                element('span', {id: 'PupilSheet'})),
                        svg,
                        element('p', {}, button(table.copyLink, () => copy(drawn, copied)), copied));
  return section(table.section, element('p', {id: 'PupilLinkNote'}), parts);
}

// The chosen pupil's link, as a QR code: from a file there is none to give.
function showPupilLink() {
  const link = served ? answer('zt_pupil_link', Number(byId(table.pupil.name).value)) : {};
  byId('PupilLinkNote').textContent = !served ? table.needsServer : link.address ? table.hint : table.needsPreview;
  byId('PupilLinkParts').hidden = !link.address;
  if (!link.address) return;
  const url = new URL(`#${link.address}`, location.href).href;
  byId('PupilSheet').textContent = link.sheet;
  const svg = byId(table.qr);
  svg.setAttribute('aria-label', link.name);
  if (url === drawn) return;
  drawn = url;
  byId('LinkCopied').textContent = '';
  drawQr(svg, url);
}

// ---- The records.

// The browser's storage: 'kept', or 'refused' (an exception on access),
// 'full' (a write refused) or 'broken' (not a list: left as it is until
// 記録を消す). Broken entries of a list are left out, and so dropped at
// the next write. Other tabs of the page write the same list: each change
// is made to the list as stored at that moment, never to what this tab read
// before, and theirs are shown (showStored).
let storage = 'kept';
let records = [];    // the list shown: as last stored, or this tab's own where it cannot be
let current = null;  // the record of the view open now
let unplaced = null; // the id of a view's record that the full storage never took

const numbers = ['when', 'seed', 'sheet', 'count', 'firstCorrect', 'rounds', 'milliseconds'];
const isRecord = (record) => record !== null && typeof record === 'object' && typeof record.words === 'string'
  && typeof record.done === 'boolean' && numbers.every((name) => Number.isFinite(record[name]));

// The list as stored now; null where it cannot be read. A read does not
// undo 'full': only a write that succeeds does.
function stored() {
  let text = null;
  try {
    text = localStorage.getItem(table.key);
  } catch {
    storage = 'refused';
    return null;
  }
  try {
    const list = JSON.parse(text ?? '[]');
    if (!Array.isArray(list)) throw new TypeError('not a list');
    if (storage !== 'full') storage = 'kept';
    return list.filter(isRecord).slice(0, table.mostRecords);
  } catch {
    storage = 'broken';
    return null;
  }
}

// `edit` applied to the list as stored, which is written back; where the
// storage cannot be read, to this tab's own list, kept only while it is open.
function change(edit) {
  records = edit(stored() ?? records).slice(0, table.mostRecords);
  if (storage === 'refused' || storage === 'broken') return;
  try {
    localStorage.setItem(table.key, JSON.stringify(records));
    storage = 'kept';
  } catch {
    storage = 'full';
  }
}

function clear() {
  records = [];
  current = null;
  try {
    localStorage.removeItem(table.key);
    storage = 'kept';
  } catch {
    storage = 'refused';
  }
  showRecords();
}

// The list as other tabs left it: as the browser tells their writes, and
// read again whenever this tab comes to the front (WebKit tells a page
// reloaded in its tab nothing more). A view's result that the full storage
// did not take stays listed.
function showStored(event) {
  if (event.type === 'storage' && event.key !== table.key && event.key !== null) return;
  const list = stored();
  if (list) records = current && current.id === unplaced ? withResult(list, current) : list;
  showRecords();
}

const when = (time) => new Date(time).toLocaleString('ja-JP', {dateStyle: 'short', timeStyle: 'short'});
const line = (record) => text('zt_record_line', when(record.when), record.seed, record.sheet, record.words,
                               record.firstCorrect, record.count, record.rounds, record.done ? 1 : 0,
                               record.milliseconds);

function recordList() {
  return section(table.records, element('p', {id: 'RecordsNote', role: 'status'}), element('ol', {id: 'RecordList'}),
                 button(table.clear, clear));
}

// The list, newest first; where nothing is kept it says so, once.
function showRecords() {
  const kept = storage === 'kept';
  byId('RecordsNote').textContent = !kept ? table.notKept : records.length ? '' : table.noRecords;
  byId('RecordList').replaceChildren(...records.map((record) => element('li', {}, line(record))));
  byId(table.clear.name).hidden = !records.length && storage !== 'broken';
  const tools = byId('ResultTools');
  if (tools) tools.querySelector('.not-kept').hidden = kept;
}

// Beside the answering view's result: its line to copy, and that it is
// not kept where it is not.
function resultTools() {
  const status = element('span', {role: 'status'});
  const tools = element('div', {id: 'ResultTools'}, button(table.copyResult, () => copy(line(current), status)),
                        status, element('p', {class: 'not-kept', hidden: ''}, table.notKept));
  byId('Result').after(tools);
  return tools;
}

// A view's record, as its marked rounds tell it (the id is the view's).
const recordOf = (detail) => ({id: detail.view, when: detail.when, seed: detail.seed, sheet: detail.sheet,
                               words: text('zt_sheet_words'), count: detail.count, firstCorrect: detail.firstCorrect,
                               rounds: detail.round, done: detail.done, milliseconds: detail.milliseconds});

// The list with a view's result: a later round in the view's record, a
// first one as the newest. A record the list no longer holds was cleared
// (or dropped as the oldest) and stays away, unless it never got into a
// full storage.
function withResult(list, record) {
  if (list.some((kept) => kept.id === record.id)) return list.map((kept) => (kept.id === record.id ? record : kept));
  return record.rounds === 1 || record.id === unplaced ? [record, ...list] : list;
}

// Each marked round: kept, unless the view was given back after a reload
// and the round is kept already.
function keep({detail}) {
  current = recordOf(detail);
  if (!detail.restored) {
    change((list) => withResult(list, current));
    unplaced = storage === 'full' ? current.id : null;
  }
  (byId('ResultTools') ?? resultTools()).querySelector('[role="status"]').textContent = '';
  showRecords();
}

// Once the WebAssembly runs: the parts below the controls, the records
// and the address the page was opened at; a pasted one later.
export function begin(hooks) {
  page = hooks;
  all = pageTable();
  table = all.links;
  byId('Window').append(pupilLinks(), recordList());
  records = stored() ?? [];
  showRecords();
  document.addEventListener('zentavo-result', keep);
  for (const type of ['storage', 'focus', 'pageshow']) window.addEventListener(type, showStored);
  document.addEventListener('visibilitychange', showStored);
  window.addEventListener('hashchange', () => open(location.hash));
  open(location.hash);
}
