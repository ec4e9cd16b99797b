// 集計: the class's results on the teacher's device. The pupils' result
// codes come by the camera (scanner.js), pasted (a chat, a form's answers, a
// spreadsheet's column, 結果をコピー's lines) or typed; the WebAssembly reads
// every code in the text and keeps it with its set (zt_collect), and tells
// what became of each, by its line. Each set's codes are kept in the
// browser's storage, one entry a set, read again before every write, so
// that two tabs add to each other; the view shows a set's table of pupils,
// its missed problems, its CSV file, its print and the sheet of its
// mistakes. Texts from pasted lines are only ever shown as text.
import {askBox, button, byId, decodeHex, element, table as pageTable} from './dom.js';
import {canScan, startScanner} from './scanner.js';

let texts = null;
let page = null;        // the page's showMessage and update, and its program's answer
let answer = null;
let view = null;
let shown = '';         // the key of the set shown
let storage = 'kept';   // 'kept', or 'refused', 'full' or 'broken' (see note())
let stopScan = null;

// ---- The browser's storage, a set an entry under the prefix and its key.

const stored = (key) => key.startsWith(texts.storageKey);

// Every set as stored now, added to the book (a pupil's stored result
// replacing this tab's, which came earlier or is the same); an entry read
// before and not changed since is not read again.
const read = new Map();  // each entry's text, as last read or written
function readStored() {
  try {
    for (let i = 0; i < localStorage.length; ++i) {
      const key = localStorage.key(i);
      const codes = localStorage.getItem(key);
      if (!stored(key) || read.get(key) === codes) continue;
      read.set(key, codes);
      readEntry(key.slice(texts.storageKey.length), codes);
    }
  } catch {
    storage = 'refused';
  }
}

function readEntry(key, codes) {
  const {counts} = answer('zt_collect', codes ?? '', key);
  if (counts.refused + counts.laterFormat > 0) storage = 'broken';
}

// The set's codes written, as the book has them after reading what other
// tabs stored.
function write(key) {
  if (storage === 'refused') return;
  try {
    const {codes} = answer('zt_set_codes', key);
    if (codes) localStorage.setItem(texts.storageKey + key, codes);
    else localStorage.removeItem(texts.storageKey + key);
    read.set(texts.storageKey + key, codes || null);
    if (storage === 'full') storage = 'kept';
  } catch {
    storage = 'full';
  }
}

// Another tab's change: its set read again, or dropped where it deleted it.
function otherTab(event) {
  if (event.key !== null && !stored(event.key)) return;
  if (event.key === null) {
    for (const {key} of answer('zt_sets')) answer('zt_delete_set', key);
  } else if (event.newValue === null) {
    answer('zt_delete_set', event.key.slice(texts.storageKey.length));
  }
  readStored();
  if (view && !view.hidden) showSet(shown);
}

// ---- Codes in.

// Text of codes, from any of the three ways, into the book; what became of
// each told, and the sets they went to written.
function add(text) {
  readStored();
  const reply = answer('zt_collect', text, shown);
  const keys = new Set(reply.messages.map(({key}) => key).filter(Boolean));
  for (const key of keys) write(key);
  const lines = reply.messages.map(({kind, text: said}) => element('li', {'data-kind': kind}, said));
  if (reply.more) lines.push(element('li', {}, reply.more));
  if (reply.none) lines.push(element('li', {'data-kind': 'none'}, reply.none));
  byId(texts.message).firstElementChild.replaceChildren(...lines);
  const into = reply.messages.find(({key}) => key === shown) ? shown : [...keys].at(-1);
  showSet(into ?? shown);
  return reply;
}

// The camera, one code after another; each confirmed with what it did.
async function scan() {
  const status = byId('ScanStatus');
  if (stopScan) {
    stopScan();
    stopScan = null;
    showScanning(false);
    return;
  }
  if (!canScan()) {
    status.textContent = texts.camera.needsServer;
    return;
  }
  showScanning(true);
  status.textContent = texts.scanning;
  try {
    stopScan = await startScanner(byId('ScanVideo'), (code) => {
      const reply = add(code);
      const said = reply.messages[0];
      return {ok: said && !['refused', 'laterFormat'].includes(said.kind), said: said?.text ?? reply.none};
    }, (said, ok) => {
      status.textContent = said;
      const flash = byId('ScanView');
      flash.dataset.read = ok ? 'ok' : 'refused';
      setTimeout(() => delete flash.dataset.read, 600);
    });
  } catch (error) {
    showScanning(false);
    status.textContent = texts.camera[error.reason] ?? texts.camera.absent;
  }
}

function showScanning(on) {
  byId('ScanVideo').hidden = !on;
  byId(texts.scan.name).textContent = on ? texts.stop.caption : texts.scan.caption;
}

// ---- The view.

function build() {
  texts = pageTable().tally;
  const input = element('textarea', {id: texts.input.name, rows: '4', autocomplete: 'off', spellcheck: 'false',
                                     autocapitalize: 'characters'});
  const sets = element('select', {id: texts.sets.name});
  sets.addEventListener('change', () => showSet(sets.value));
  view = element('section', {id: texts.view.name, 'aria-labelledby': 'CollectTitle', hidden: ''},
    element('header', {class: 'solve-bar'}, button(texts.back, close),
            element('h2', {id: 'CollectTitle'}, texts.view.caption)),
    element('div', {id: 'ScanView'}, button(texts.scan, scan),
            element('video', {id: 'ScanVideo', playsinline: '', muted: '', hidden: ''}),
            element('p', {id: 'ScanStatus', role: 'status'})),
    element('p', {}, element('label', {for: input.id}, texts.input.caption), input,
            button(texts.add, () => add(input.value))),
    element('div', {id: texts.message, role: 'status'}, element('ul')),
    element('p', {id: 'StorageNote', role: 'status'}),
    element('p', {id: 'SetChoice'}, element('label', {for: sets.id}, texts.sets.caption), sets,
            button(texts.delete, askDelete)),
    element('h3', {id: 'SetName'}),
    element('div', {class: 'table-room'}, classTable()),
    element('p', {id: 'ClassSummary'}), element('p', {id: 'Missing'}),
    // Laid out only once scrolled to, below a class's table.
    element('div', {class: 'missed-room'}, element('table', {id: texts.missed.name},
      element('caption', {}, texts.missed.caption),
      element('thead', {}, element('tr', {}, ...texts.missedColumns.map((name) => element('th', {scope: 'col'}, name)))),
      element('tbody', {style: `font-family: "${pageTable().solving.sheetFamily}", serif`}))),
    element('p', {class: 'collect-commands'}, button(texts.csv, downloadCsv), button(texts.printTable, printTable),
            button(texts.missedSheet, missedSheet)),
    deleteBox());
  view.style.fontFamily = `"${texts.family}", sans-serif`;
  document.body.append(view);
  window.addEventListener('storage', otherTab);
}

function classTable() {
  const table = element('table', {id: texts.table.name}, element('caption', {}, texts.table.caption),
                        element('thead'), element('tbody'));
  // A row's marks are one cell, a full-width ○ or × for each problem (a
  // class of 80 problems is 3,200 marks, laid out some ten times faster as
  // 40 cells than as cells of their own). The problem under the pointer is
  // told on hover; the keyboard has one stop, whose arrows move from problem
  // to problem and from pupil to pupil, each told.
  table.addEventListener('mousemove', (event) => {
    const cell = event.target.closest('td.marks');
    if (cell) tellProblem(cell, problemAt(cell, event.clientX));
  });
  table.addEventListener('keydown', (event) => {
    const cell = event.target.closest('td.marks');
    const step = {ArrowLeft: [0, -1], ArrowRight: [0, 1], ArrowUp: [-1, 0], ArrowDown: [1, 0]}[event.key];
    if (!cell || !step) return;
    const rows = [...table.tBodies[0].rows];
    const target = rows[rows.indexOf(cell.parentElement) + step[0]]?.querySelector('td.marks');
    const at = Number(cell.dataset.at ?? 0) + step[1];
    if (!target || at < 0 || at >= target.textContent.length) return;
    event.preventDefault();
    cell.tabIndex = -1;
    target.tabIndex = 0;
    target.focus();
    tellProblem(target, at);
  });
  table.addEventListener('focusin', ({target}) => {
    if (target.matches('td.marks')) tellProblem(target, Number(target.dataset.at ?? 0));
  });
  return table;
}

// Which problem of a row's marks is under the pointer: each mark an em wide.
function problemAt(cell, x) {
  const box = cell.getBoundingClientRect();
  const em = parseFloat(getComputedStyle(cell).fontSize);
  const left = box.left + parseFloat(getComputedStyle(cell).paddingLeft);
  return Math.max(0, Math.min(cell.textContent.length - 1, Math.floor((x - left) / em)));
}

const deleteBox = () => askBox('DeleteSetConfirm', texts.deleteQuestion, texts.deleteYes, texts.deleteNo, (yes) => {
  if (yes) deleteShown();
});

function deleteShown() {
  answer('zt_delete_set', shown);
  try {
    localStorage.removeItem(texts.storageKey + shown);
  } catch {
    // not kept anyway
  }
  showSet('');
}

function askDelete() {
  const box = byId('DeleteSetConfirm');
  box.returnValue = '';
  box.showModal();
  byId(texts.deleteNo.name).focus();
}

// A set's table, missed problems and summary; the list of sets beside it.
function showSet(key) {
  const sets = answer('zt_sets');
  shown = sets.some((set) => set.key === key) ? key : sets.at(-1)?.key ?? '';
  byId(texts.sets.name).replaceChildren(
    ...sets.map((set) => element('option', {value: set.key, ...(set.key === shown && {selected: ''})},
                                 `${set.name}（${set.pupils}）`)));
  byId('SetChoice').hidden = !sets.length;
  const set = shown ? answer('zt_class_table', shown) : {rows: [], missed: [], problemColumns: []};
  byId('SetName').textContent = set.name ?? texts.noSets;
  texts.problemColumns = set.problemColumns;
  const head = element('tr', {}, ...[...texts.columns, texts.missedColumns[0]].map((name) =>
    element('th', {scope: 'col'}, name)));
  byId(texts.table.name).tHead.replaceChildren(head);
  // Its columns' widths known beforehand (the marks an em each), so that
  // the table is laid out without measuring its cells first.
  byId(texts.table.name).style.setProperty('--problems', set.problemColumns.length);
  byId(texts.table.name).tBodies[0].innerHTML = set.rows.map(row).join('');
  highlightWrong(byId(texts.table.name).tBodies[0]);
  byId(texts.table.name).querySelector('td.marks')?.setAttribute('tabindex', '0');
  byId('ClassSummary').textContent = set.summary ?? '';
  byId('Missing').textContent = set.missingText ?? '';
  // The problems in the sheet's face (the list's), which has every character they have.
  byId(texts.missed.name).tBodies[0].replaceChildren(...set.missed.map(({question, answer: right, pupils}) =>
    element('tr', {'data-question': decodeHex(question), 'data-missed': String(pupils)},
            element('td', {}, decodeHex(question)), element('td', {}, decodeHex(right)),
            element('td', {class: 'count'}, String(pupils)))));
  byId(texts.missed.name).parentElement.hidden = !set.missed.length;
  for (const name of [texts.csv.name, texts.printTable.name, texts.missedSheet.name, texts.delete.name])
    byId(name).disabled = !set.rows.length;
  note();
}

// Problem `at` of a row told: its number, question and mark, as the cell's
// title (hover) and name (focus), and marked in the row.
function tellProblem(cell, at) {
  const {question: hex = ''} = answer('zt_question', shown, Number(cell.parentElement.dataset.pupil), at + 1);
  const question = decodeHex(hex);
  const told = `${texts.problemColumns[at]} ${question} ${cell.textContent[at]}`;
  cell.dataset.at = at;
  cell.style.setProperty('--at', at);
  cell.title = told;
  cell.setAttribute('aria-label', told);
}

// A pupil's row as markup, of whole numbers and marks alone (the program's,
// never a text pasted): its figures, then its marks.
function row(pupil) {
  const figures = [pupil.sheet, pupil.correct, pupil.total, pupil.rounds, pupil.seconds].map(Number);
  const data = ['pupil', 'sheet', 'correct', 'total', 'rounds', 'seconds']
    .map((name) => ` data-${name}="${Number(pupil[name])}"`).join('');
  const marks = pupil.marks.replace(/[^ox]/g, '');
  return `<tr${data} data-marks="${marks}"><th scope="row">${Number(pupil.pupil)}</th>`
    + `${figures.map((figure) => `<td>${figure}</td>`).join('')}`
    + `<td class="marks" tabindex="-1">${marks.replaceAll('o', '○').replaceAll('x', '×')}</td></tr>`;
}

// Each row's × in red, as a highlight of the marks' text: an element a mark
// took the table four times as long to lay out. Where the browser has no
// highlights the × stand out by their shape alone.
function highlightWrong(body) {
  if (!window.Highlight || !CSS.highlights) return;
  const ranges = [];
  for (const cell of body.querySelectorAll('td.marks')) {
    for (const {index, 0: run} of cell.textContent.matchAll(/×+/g)) {
      const range = new Range();
      range.setStart(cell.firstChild, index);
      range.setEnd(cell.firstChild, index + run.length);
      ranges.push(range);
    }
  }
  CSS.highlights.set('wrong-marks', new Highlight(...ranges));
}

// Where the sets cannot be kept, the page says so.
function note() {
  byId('StorageNote').textContent = storage === 'kept' ? '' : pageTable().links.notKept;
}

// ---- Out: Excel, paper, the next sheet.

function downloadCsv() {
  const today = new Date();
  const date = [today.getFullYear(), today.getMonth() + 1, today.getDate()]
    .map((part) => String(part).padStart(2, '0')).join('-');
  const {name, text} = answer('zt_class_csv', shown, date);
  if (!name) return;
  const link = element('a', {href: URL.createObjectURL(new Blob([text], {type: 'text/csv'})), download: name});
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10_000);
}

function printTable() {
  page.printPart('table');
}

function missedSheet() {
  if (page.showMessage(answer('zt_missed_sheet', shown))) return;
  close();
  page.update();
}

// ---- Opening and closing.

export function open(hooks) {
  page = hooks;
  ({answer} = hooks);
  if (!view) {
    build();
    readStored();
  }
  document.body.classList.add('solving');
  byId('Window').inert = true;
  view.hidden = false;
  showSet(answer('zt_shown_set').key);
  byId(texts.input.name).focus();
}

function close() {
  stopScan?.();
  stopScan = null;
  showScanning(false);
  view.hidden = true;
  byId('Window').inert = false;
  document.body.classList.remove('solving');
  byId(texts.collect.name)?.focus();
}
