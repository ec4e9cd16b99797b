// 画面で解く: the shown sheet answered on screen. The problems, their fields
// and every mark come from the WebAssembly (zt_solve, zt_mark, zt_retry);
// this script only lays them out, takes the digits typed and tells the
// marks. Each marked round is also told as the event 'zentavo-result' on
// the document, for whatever keeps or passes on results.
//
// What the pupil has done is kept for the tab (sessionStorage) as it is
// done, so that a reload, or coming back to the page in the same tab, gives
// the view back as it was left: the same sheet opened again finds its
// fields filled and its rounds marked again by the WebAssembly from the
// texts typed, with no result told a second time.

import {afterPaint, askBox, button, byId, decodeHex, element, table as pageTable} from './dom.js';
import {answer, text} from './program.js';
import {drawQr, qrCode} from './qr.js';

// Opened from a pupil's link, the view is all the page has: it has no
// もどる to the teacher's controls.
const pupilPage = () => 'pupil' in document.documentElement.dataset;

let table = null;  // the view's texts, from the control table
let view = null;
let openedAt = 0;
let current = null;  // the field the number pad types into
let round = [];      // the ids of this round's problems
let work = null;     // what the pupil has done in the view, as kept for the tab
let tally = null;    // the texts of the result's code
let nextPupil = null;  // on a pupil's page at a class link: the start for the next pupil
let markedAt = 0;    // when the last round was marked, from the view's opening
let lastResult = null;  // the last round's result as told to the page

// Once, on first opening: the bar, the result, the problems' list, the
// number pad and the question before marking with empty fields.
function build() {
  const all = pageTable();
  table = {...all.solving, title: all.solve.caption, opener: all.solve.name};
  tally = all.tally;
  const bar = element('header', {class: 'solve-bar'}, ...(pupilPage() ? [] : [button(table.back, close)]),
                      element('h2', {id: 'SolveTitle'}, table.title), button(table.mark, askThenMark),
                      button(table.retry, again, {hidden: ''}),
                      ...(pupilPage() ? [button(tally.nextPupil, () => nextPupil?.(), {hidden: ''})] : []));
  // Always there, empty until marked, so that its text is read out.
  // Focused once marked, so that a pupil's next Enter leaves the marks shown.
  const result = element('p', {id: 'Result', role: 'status', 'aria-live': 'polite', tabindex: '-1'});
  const problems = element('ol', {id: 'SolveProblems'});
  problems.style.fontFamily = `"${table.sheetFamily}", serif`;
  view = element('section', {id: 'SolveView', 'aria-labelledby': 'SolveTitle', hidden: ''},
                 bar, result, codeArea(), problems, numberPad(), confirmBox());
  view.style.fontFamily = `"${table.family}", sans-serif`;
  // Typed keys go in as digits before the field changes, while its caret is
  // certain (WebKit may report it at 0 once the text has changed).
  problems.addEventListener('beforeinput', (event) => {
    if (event.isComposing || event.inputType !== 'insertText' || !event.target.matches('input')) return;
    event.preventDefault();
    if (!roundMarked()) insert(event.target, digitsOf(event.data ?? ''));
  });
  problems.addEventListener('input', (event) => {
    if (!event.isComposing) clean(event.target);
    remember();
  });
  problems.addEventListener('compositionend', (event) => {
    clean(event.target);
    remember();
  });
  problems.addEventListener('focusin', (event) => {
    if (event.target.matches('input')) current = event.target;
  });
  problems.addEventListener('keydown', (event) => {
    // Enter confirms an input method's digits first; only then it moves on.
    if (event.key !== 'Enter' || event.isComposing || event.keyCode === 229 || !event.target.matches('input')) return;
    event.preventDefault();
    next(event.target);
  });
  document.body.append(view);
}

function numberPad() {
  const digits = ['1', '2', '3', '4', '5', '6', '7', '8', '9', '0'];
  const pad = element('div', {id: 'NumberPad', role: 'group', 'aria-label': table.pad},
                      ...digits.map((digit) => element('button', {type: 'button', 'data-key': digit}, digit)),
                      element('button', {id: table.erase.name, type: 'button', 'data-key': 'erase'},
                              table.erase.caption),
                      element('button', {id: table.next.name, type: 'button', 'data-key': 'next'},
                              table.next.caption));
  // The field keeps the focus and its caret while a key is tapped.
  pad.addEventListener('pointerdown', (event) => {
    if (event.target.closest('button')) event.preventDefault();
  });
  pad.addEventListener('click', (event) => {
    const key = event.target.closest('button')?.dataset.key;
    if (key) press(key);
  });
  return pad;
}

const confirmBox = () => askBox('SolveConfirm', table.emptyFields, table.markAnyway, table.goOn, (marking) => {
  if (marking) mark();
  else firstEmpty()?.focus();
});

// ---- Typing.

// Digits only, half-width: a Japanese input method gives full-width ones.
const digitsOf = (text) =>
  text.replace(/[０-９]/g, (digit) => String.fromCharCode(digit.charCodeAt(0) - 0xFEE0)).replace(/\D/g, '');

// The field's text as digits, the caret after the same digits as before.
function clean(field) {
  if (!field.matches?.('input')) return;
  const caret = field.selectionStart ?? field.value.length;
  const digits = digitsOf(field.value).slice(0, table.digits);
  if (digits === field.value) return;
  const at = Math.min(digitsOf(field.value.slice(0, caret)).length, digits.length);
  field.value = digits;
  field.setSelectionRange(at, at);
}

const fields = () => round.flatMap((id) => [byId(`Answer${id}`), byId(`Remainder${id}`)].filter(Boolean));
const firstEmpty = () => fields().find((field) => field.id.startsWith('Answer') && field.value === '');

// The field after `field`, or 採点 after the last.
function next(field) {
  const all = fields();
  const after = all[all.indexOf(field) + 1];
  (after ?? byId(table.mark.name)).focus();
}

// A key of the number pad, at the caret of the field in use.
function press(key) {
  const field = current && !current.readOnly && fields().includes(current) ? current : fields()[0];
  if (!field || field.readOnly || roundMarked()) return;
  if (key === 'next') {
    next(field);
    return;
  }
  field.focus();
  if (key === 'erase' && field.selectionStart === field.selectionEnd) {
    field.selectionStart = Math.max(0, field.selectionStart - 1);
  }
  insert(field, key === 'erase' ? '' : key);
}

// Digits in place of the field's selection, as many as its room allows.
function insert(field, digits) {
  const start = field.selectionStart ?? field.value.length;
  const end = field.selectionEnd ?? start;
  const room = table.digits - (field.value.length - (end - start));
  field.setRangeText(digits.slice(0, Math.max(0, room)), start, end, 'end');
  remember();
}

// ---- The problems.

function field(id, kind, label, box) {
  return element('input', {id: `${kind}${id}`, class: box ? 'field box' : `field ${kind.toLowerCase()}`,
                           type: 'text', inputmode: 'numeric', autocomplete: 'off', enterkeyhint: 'next',
                           'aria-label': label});
}

function row(problem) {
  const question = element('span', {class: 'question'});
  for (const piece of problem.pieces) {
    if (piece.text !== undefined) {
      question.append(element('span', {class: 'text'}, decodeHex(piece.text)));
      continue;
    }
    if (piece.lead) question.append(element('span', {class: 'lead'}, decodeHex(piece.lead)));
    question.append(piece.field === 'remainder'
      ? field(problem.id, 'Remainder', problem.remainderLabel, false)
      : field(problem.id, 'Answer', problem.answerLabel, piece.box));
  }
  const number = problem.number ? [element('span', {class: 'number'}, decodeHex(problem.number))] : [];
  return element('li', {id: `Problem${problem.id}`, class: 'problem'}, ...number, question,
                 element('span', {class: 'mark', role: 'img', hidden: ''}),
                 element('span', {class: 'correction', hidden: ''}));
}

// The round's problems shown with empty fields, the others hidden.
function begin(problems) {
  round = problems;
  delete byId('SolveProblems').dataset.marked;
  for (const item of byId('SolveProblems').children) {
    const inRound = round.includes(Number(item.id.slice('Problem'.length)));
    item.hidden = !inRound;
    delete item.dataset.mark;
    for (const part of item.querySelectorAll('.mark, .correction')) part.hidden = true;
    for (const input of item.querySelectorAll('input')) {
      input.value = '';
      input.readOnly = false;
    }
  }
  const result = byId('Result');
  result.textContent = '';
  for (const key of Object.keys(result.dataset)) delete result.dataset[key];
  byId(table.mark.name).hidden = false;
  byId(table.retry.name).hidden = true;
  current = null;
  fields()[0]?.focus();
}

// Opens the shown sheet; `showMessage` tells why where it cannot. The sheet
// of the tab's kept view, opened again (by a reload, its link, or もどる
// and 画面で解く), is given back as it was left. On a pupil's page, `pupil`
// is the 出席番号 the link gave (0: asked before the result's code shows)
// and `next` starts the next pupil of a class link.
export function open(showMessage, {pupil = 0, next = null} = {}) {
  const reply = answer('zt_solve');
  if (!reply.problems) {
    showMessage(reply);
    return;
  }
  nextPupil = next;
  lastResult = null;
  if (!view) build();
  byId('SolveProblems').replaceChildren(...reply.problems.map(row));
  view.dataset.seed = reply.seed;
  view.dataset.sheet = reply.sheet;
  document.body.classList.add('solving');
  byId('Window').inert = true;
  view.hidden = false;
  const sheet = `${text('zt_address')} ${reply.sheet}`;
  const ids = reply.problems.map(({id}) => id);
  const kept = recall(sheet);
  byId('CodeArea').hidden = true;
  if (!kept || !giveBack(kept, ids)) {
    if (kept) answer('zt_solve');  // its marking begun afresh
    work = {sheet, id: newId(), opened: Date.now(), when: 0, marked: [], again: false, fields: {}, pupil};
    openedAt = performance.now();
    begin(ids);
  }
  if (pupil) work.pupil = pupil;
  remember();
}

// The tab's kept view dropped: the next pupil of the tablet starts afresh.
export function forget() {
  work = null;
  try {
    sessionStorage.removeItem(workKey);
  } catch {
    // nothing kept
  }
}

function close() {
  view.hidden = true;
  byId('Window').inert = false;
  document.body.classList.remove('solving');
  byId(table.opener)?.focus();
}

// ---- Kept for the tab.

// The tab's storage holds under this key the view opened last, as `work`:
// {sheet, id, opened, when, marked, again, fields}: the address and sheet
// it shows, its own id (its record's), the time of day it opened and its
// first round was marked, each marked round as [{typed, milliseconds}] (what
// zt_mark was given), whether the round after the last marked one has begun,
// and the texts in the fields of the round shown. Where the storage is
// refused or full the view works on without it; what it holds that is not
// such a view is left unused.
const workKey = 'zentavo-view';

const newId = () => Array.from(crypto.getRandomValues(new Uint32Array(2)), (n) => n.toString(36)).join('-');
const isRound = (round) => typeof round?.typed === 'string' && Number.isFinite(round.milliseconds);
const isWork = (kept, sheet) => kept?.sheet === sheet && typeof kept.id === 'string' && Number.isFinite(kept.opened)
  && (kept.pupil === undefined || Number.isInteger(kept.pupil))
  && Number.isFinite(kept.when) && typeof kept.again === 'boolean' && Array.isArray(kept.marked)
  && kept.marked.every(isRound) && typeof kept.fields === 'object' && kept.fields !== null
  && Object.values(kept.fields).every((typed) => typeof typed === 'string');

// The tab's kept view, where it shows `sheet`.
function recall(sheet) {
  try {
    const kept = JSON.parse(sessionStorage.getItem(workKey));
    return isWork(kept, sheet) ? kept : null;
  } catch {
    return null;
  }
}

// The view kept as it is now, with what its fields hold.
function remember() {
  if (!work) return;
  work.fields = Object.fromEntries(fields().filter((field) => field.value).map((field) => [field.id, field.value]));
  try {
    sessionStorage.setItem(workKey, JSON.stringify(work));
  } catch {
    // not kept: the view works on
  }
}

const roundMarked = () => work.marked.length > 0 && !work.again;

// The kept view given back: each marked round marked again by the
// WebAssembly from the texts typed then (with the time it was then), the
// rounds moved on between them, the shown round's fields filled, its time
// going on. False where what was kept does not fit the sheet's rounds.
function giveBack(kept, ids) {
  let marks = null;
  for (const [k, {typed, milliseconds}] of kept.marked.entries()) {
    if (k) answer('zt_retry');
    marks = answer('zt_mark', typed, milliseconds);
    if (marks.round !== k + 1) return false;
  }
  const next = kept.again ? answer('zt_retry') : null;
  if (next && next.round !== kept.marked.length + 1) return false;
  work = kept;
  openedAt = performance.now() - Math.max(0, Date.now() - kept.opened);
  begin(next?.problems ?? marks?.marks.map(({id}) => id) ?? ids);
  for (const field of fields()) field.value = digitsOf(kept.fields[field.id] ?? '').slice(0, table.digits);
  if (roundMarked()) show(marks, true);
  else if (marks) showCode(kept.marked.at(-1).milliseconds);
  return true;
}

// ---- Marking.

function askThenMark() {
  if (!firstEmpty()) {
    mark();
    return;
  }
  // Anything but 採点する (つづける, Escape) goes back to the fields.
  const box = byId('SolveConfirm');
  box.returnValue = '';
  box.showModal();
  byId(table.goOn.name).focus();
}

// A round is marked once: kept for the tab before it is told, so that a
// reload gives its marks back rather than telling them again.
function mark() {
  if (roundMarked()) return;
  const typed = round.map((id) => [byId(`Answer${id}`), byId(`Remainder${id}`)]
    .filter(Boolean).map((input) => input.value).join(',')).join(';');
  const milliseconds = Math.round(performance.now() - openedAt);
  const marks = answer('zt_mark', typed, milliseconds);
  if (!work.marked.length) work.when = Date.now();
  work.marked.push({typed, milliseconds});
  work.again = false;
  remember();
  show(marks, false);
}

// The round's result and its code, the focus on the result (or on もどる
// once all are right), told to the page; then, once they are on the screen,
// the marks in the rows, which take longer than a frame to lay out again.
// `restored` where a kept view's round is shown again.
function show(marks, restored) {
  const result = byId('Result');
  result.textContent = marks.result;
  Object.assign(result.dataset, {correct: marks.correct, total: marks.total, round: marks.round,
                                 done: marks.done});
  byId(table.mark.name).hidden = true;
  byId(table.retry.name).hidden = marks.done;
  if (nextPupil) byId(tally.nextPupil.name).hidden = !marks.done;
  const code = showCode(marks.milliseconds);  // before the focus lays the view out
  ((marks.done && byId(table.back.name)) || result).focus({preventScroll: true});
  lastResult = {
    code,
    view: work.id, when: work.when, restored, seed: Number(view.dataset.seed), sheet: Number(view.dataset.sheet),
    count: byId('SolveProblems').children.length, round: marks.round, correct: marks.correct, total: marks.total,
    done: marks.done, firstCorrect: marks.firstCorrect, milliseconds: marks.milliseconds, text: marks.result,
  };
  const [told, marked] = [lastResult, round];
  afterPaint(() => {
    tell(told);
    if (round === marked) markRows(marks);
  });
}

// ○ or × by each problem of the round, the right answer under each ×, and
// the fields closed; the list's `data-marked` then holds the round.
function markRows(marks) {
  for (const {id, right, answer: written} of marks.marks) {
    const item = byId(`Problem${id}`);
    item.dataset.mark = right ? 'right' : 'wrong';
    const shown = right ? table.right : table.wrong;
    const sign = item.querySelector('.mark');
    sign.textContent = shown.shown;
    sign.setAttribute('aria-label', shown.spoken);
    sign.hidden = false;
    const correction = item.querySelector('.correction');
    correction.textContent = right ? '' : decodeHex(written);
    correction.hidden = right;
    for (const input of item.querySelectorAll('input')) input.readOnly = true;
  }
  byId('SolveProblems').dataset.marked = marks.round;
}

// A result told to the page, which keeps it (links.js).
function tell(detail) {
  document.dispatchEvent(new CustomEvent('zentavo-result', {detail}));
}

// まちがえた問題だけもう一度.
function again() {
  begin(answer('zt_retry').problems);
  work.again = true;
  remember();
}

// ---- The result as a code, to show the teacher.

// Under 先生に見せる: the code alone, and as a QR code; before it, where the
// pupil's number is not known, the number asked.
function codeArea() {
  const numbers = Array.from({length: tally.mostPupils}, (_, k) => String(k + 1));
  const number = element('select', {id: 'CodePupil'}, element('option', {value: ''}, '―'),
                         ...numbers.map((n) => element('option', {value: n}, n)));
  number.addEventListener('change', () => {
    const pupil = answer('zt_read_pupil', number.value).pupil ?? 0;
    if (!pupil || !work) return;
    work.pupil = pupil;
    remember();
    // The result kept again, now with its code.
    if (lastResult) tell({...lastResult, code: showCode(markedAt), restored: false});
    byId(tally.code)?.focus();
  });
  const qr = qrCode(tally.qr);
  qr.setAttribute('aria-label', tally.qrName);
  return element('section', {id: 'CodeArea', 'aria-labelledby': tally.resultHeading.name, hidden: ''},
                 element('h3', {id: tally.resultHeading.name}, tally.resultHeading.caption),
                 element('p', {id: 'CodeAsk', hidden: ''}, element('label', {for: number.id}, tally.pupilNumber.caption),
                         number),
                 element('p', {id: 'CodeWhy'}),
                 element('p', {id: tally.code, tabindex: '-1'}), qr);
}

// The code of the view's marked rounds, shown; '' where there is none.
function showCode(milliseconds) {
  markedAt = milliseconds;
  const reply = answer('zt_result_code', work?.pupil ?? 0, milliseconds);
  const code = reply.code ?? '';
  byId('CodeArea').hidden = false;
  byId('CodeAsk').hidden = Boolean(work?.pupil);
  byId('CodeWhy').textContent = reply.why ?? '';
  byId(tally.code).textContent = code;
  const qr = byId(tally.qr);
  qr.hidden = !code;
  if (code) drawQr(qr, code);
  return code;
}
