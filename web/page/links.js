// The set by link, the class's links and the results kept on the device.
// The teacher's page's address follows the controls, so that it is always
// the link to the set, and a link opened or pasted sets the controls as if
// clicked (the WebAssembly writes and reads addresses: zt_address,
// zt_open_address); a pupil's link opens a pupil's page (pupil.js). A
// served page shows the class's link for the shown sheet, and each pupil's,
// as text and QR codes (qr.js), withheld where the options in force no
// longer draw that sheet; and 集計 (collect.js). Each marked result is kept
// in the browser's storage, the last ones listed, one copied as a line with
// its code. Nothing here asks the network for anything.

import {button, byId, element, section as titled, served, table as pageTable} from './dom.js';
import {answer, text} from './program.js';
import {drawQr, qrCode} from './qr.js';

const section = (info, ...children) => titled(info, table.family, ...children);

let all = null;    // the page's table
let table = null;  // the texts of this part
let page = null;   // the page's showMessage and update

// ---- The address.

// Whether an address is a pupil's link: it has one of the keys the table
// names (class, sheet, pupil), known before the program runs.
export const isPupilLink = (hash) => {
  const keys = [...new URLSearchParams(hash.replace(/^#/, '')).keys()];
  return pageTable().links.pupilKeys.some((key) => keys.includes(key));
};

// Opens an address pasted over the page. A pupil's link makes the page a
// pupil's page, which the page opened at it would be (pupil.js).
function open(hash) {
  if (isPupilLink(hash)) {
    location.reload();
    return;
  }
  page.showMessage(answer('zt_open_address', hash.replace(/^#/, '')));
  page.update(true);
}

// After every change: the address says the set now, replaced in place
// (a click is no step back in the history).
export function follow() {
  const hash = `#${text('zt_address')}`;
  if (location.hash !== hash) history.replaceState(history.state, '', hash);
  if (table) showLinks();
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

// ---- The class's links.

const drawn = {};  // the link each QR code holds, by its id

// A link as a QR code, drawn again only where it changed.
function showQr(id, url, name) {
  const svg = byId(id);
  svg.setAttribute('aria-label', name);
  if (drawn[id] === url) return;
  drawn[id] = url;
  drawQr(svg, url);
}

// The class's link, for every pupil to open and give their 出席番号; each
// pupil's own link too; and 集計, where their results come back.
function classLinks(collectView) {
  const tally = all.tally;
  const classCopied = element('span', {id: 'ClassLinkCopied', role: 'status'});
  const classParts = element('div', {id: 'ClassLinkParts', hidden: ''},
                             element('h3', {}, tally.classLink.caption),
                             element('p', {}, element('a', {id: tally.classLink.name, href: ''})),
                             qrCode('ClassQr'),
                             element('p', {}, tally.classHint),
                             element('p', {}, button({name: 'CopyClassLinkBtn', caption: table.copyLink.caption},
                                                     () => copy(drawn.ClassQr, classCopied)), classCopied));
  const pupils = Array.from({length: table.mostPupils}, (_, k) => String(k + 1));
  const number = element('select', {id: table.pupil.name},
                         ...pupils.map((pupil) => element('option', {value: pupil}, pupil)));
  number.addEventListener('change', showLinks);
  const copied = element('span', {id: 'LinkCopied', role: 'status'});
  const pupilParts = element('div', {id: 'PupilLinkParts', hidden: ''},
                             element('p', {}, element('label', {for: number.id}, table.pupil.caption), number,
                                     element('span', {id: 'PupilSheet'})),
                             qrCode(table.qr),
                             element('p', {}, button(table.copyLink, () => copy(drawn[table.qr], copied)), copied));
  return section(table.section, element('p', {id: 'PupilLinkNote'}), classParts, pupilParts,
                 element('p', {}, button(tally.collect, collectView)));
}

// The links of the shown sheet: from a file there are none to give, and
// none where the options in force no longer draw the shown sheet.
function showLinks() {
  const link = served ? answer('zt_class_link') : {};
  byId('PupilLinkNote').textContent = !served ? table.needsServer
    : link.address ? table.hint : link.withheld ?? table.needsPreview;
  for (const parts of ['ClassLinkParts', 'PupilLinkParts']) byId(parts).hidden = !link.address;
  if (!link.address) return;
  const url = new URL(`#${link.address}`, location.href).href;
  const anchor = byId(all.tally.classLink.name);
  if (anchor.href !== url) anchor.href = anchor.textContent = url;
  showQr('ClassQr', url, all.tally.classLink.caption);
  const pupil = answer('zt_pupil_link', Number(byId(table.pupil.name).value));
  byId('PupilSheet').textContent = pupil.sheet;
  showQr(table.qr, new URL(`#${pupil.address}`, location.href).href, pupil.name);
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
                               record.milliseconds, record.code ?? '');

function recordList() {
  return section(table.records, element('p', {id: 'RecordsNote', role: 'status'}), element('ol', {id: 'RecordList'}),
                 button(table.clear, clear));
}

// The list, newest first, where the page has it (not a pupil's); where
// nothing is kept it says so, once.
function showRecords() {
  const kept = storage === 'kept';
  if (byId('RecordList')) {
    byId('RecordsNote').textContent = !kept ? table.notKept : records.length ? '' : table.noRecords;
    byId('RecordList').replaceChildren(...records.map((record) => element('li', {}, line(record))));
    byId(table.clear.name).hidden = !records.length && storage !== 'broken';
  }
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
                               rounds: detail.round, done: detail.done, milliseconds: detail.milliseconds,
                               code: detail.code});

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
  (byId('ResultTools') ?? resultTools()).querySelector('[role="status"]').textContent = '';
  // Stored once the marks are on the screen: the browser writes its storage
  // there and then, which took some 10 ms.
  const record = current;
  setTimeout(() => {
    if (!detail.restored) {
      change((list) => withResult(list, record));
      unplaced = storage === 'full' ? record.id : null;
    }
    showRecords();
  });
}

// Once the WebAssembly runs: the parts below the controls, the records
// and the address the page was opened at; a pasted one later.
export function begin(hooks) {
  page = hooks;
  keepResults();
  // 集計 loaded when first opened: on the web site a file of its own, which a
  // pupil's page never loads.
  const collectView = () => import('./collect.js').then((collect) => collect.open({...page, answer}),
                                                        () => page.showMessage({message: all.tally.notLoaded}));
  byId('Window').append(classLinks(collectView), recordList());
  showRecords();
  window.addEventListener('hashchange', () => open(location.hash));
  open(location.hash);
}

// On every page, a pupil's too: each marked result kept in the browser's
// storage, beside the view its line to copy (with the result's code).
export function keepResults() {
  all = pageTable();
  table = all.links;
  records = stored() ?? [];
  document.addEventListener('zentavo-result', keep);
  for (const type of ['storage', 'focus', 'pageshow']) window.addEventListener(type, showStored);
  document.addEventListener('visibilitychange', showStored);
}
