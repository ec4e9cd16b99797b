// 画面で解く: the shown sheet answered on screen. The problems, their fields
// and every mark come from the WebAssembly (zt_solve, zt_mark, zt_retry);
// this script only lays them out, takes the digits typed and tells the
// marks. Each marked round is also told as the event 'zentavo-result' on
// the document, for whatever keeps or passes on results.

import {button, byId, decodeHex, element, table as pageTable} from './dom.js';
import {answer} from './program.js';

let table = null;  // the view's texts, from the control table
let view = null;
let openedAt = 0;
let current = null;  // the field the number pad types into
let round = [];      // the ids of this round's problems

// Once, on first opening: the bar, the result, the problems' list, the
// number pad and the question before marking with empty fields.
function build() {
  const all = pageTable();
  table = {...all.solving, title: all.solve.caption, opener: all.solve.name};
  const bar = element('header', {class: 'solve-bar'}, button(table.back, close),
                      element('h2', {id: 'SolveTitle'}, table.title), button(table.mark, askThenMark),
                      button(table.retry, again, {hidden: ''}));
  // Always there, empty until marked, so that its text is read out.
  const result = element('p', {id: 'Result', role: 'status', 'aria-live': 'polite'});
  const problems = element('ol', {id: 'SolveProblems'});
  problems.style.fontFamily = `"${table.sheetFamily}", serif`;
  view = element('section', {id: 'SolveView', 'aria-labelledby': 'SolveTitle', hidden: ''},
                 bar, result, problems, numberPad(), confirmBox());
  view.style.fontFamily = `"${table.family}", sans-serif`;
  problems.addEventListener('input', (event) => {
    if (!event.isComposing) clean(event.target);
  });
  problems.addEventListener('compositionend', (event) => clean(event.target));
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

function confirmBox() {
  const box = element('dialog', {id: 'SolveConfirm', 'aria-labelledby': 'SolveConfirmText'},
                      element('p', {id: 'SolveConfirmText'}, table.emptyFields),
                      element('form', {method: 'dialog'},
                              element('button', {id: table.markAnyway.name, value: 'mark'}, table.markAnyway.caption),
                              element('button', {id: table.goOn.name, value: 'back'}, table.goOn.caption)));
  box.addEventListener('close', () => {
    if (box.returnValue === 'mark') mark();
    else firstEmpty()?.focus();
  });
  return box;
}

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
  if (!field || field.readOnly) return;
  if (key === 'next') {
    next(field);
    return;
  }
  let start = field.selectionStart ?? field.value.length;
  const end = field.selectionEnd ?? start;
  if (key === 'erase' && start === end) start = Math.max(0, start - 1);
  const typed = key === 'erase' ? '' : key;
  if (key !== 'erase' && field.value.length - (end - start) >= table.digits) return;
  field.value = field.value.slice(0, start) + typed + field.value.slice(end);
  field.focus();
  field.setSelectionRange(start + typed.length, start + typed.length);
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
  byId('Result').textContent = '';
  byId(table.mark.name).hidden = false;
  byId(table.retry.name).hidden = true;
  current = null;
  fields()[0]?.focus();
}

// Opens the shown sheet; `showMessage` tells why where it cannot.
export function open(showMessage) {
  const reply = answer('zt_solve');
  if (!reply.problems) {
    showMessage(reply);
    return;
  }
  if (!view) build();
  byId('SolveProblems').replaceChildren(...reply.problems.map(row));
  view.dataset.seed = reply.seed;
  view.dataset.sheet = reply.sheet;
  document.body.classList.add('solving');
  byId('Window').inert = true;
  view.hidden = false;
  openedAt = performance.now();
  const result = byId('Result');
  for (const key of Object.keys(result.dataset)) delete result.dataset[key];
  begin(reply.problems.map(({id}) => id));
}

function close() {
  view.hidden = true;
  byId('Window').inert = false;
  document.body.classList.remove('solving');
  byId(table.opener)?.focus();
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

function mark() {
  const typed = round.map((id) => [byId(`Answer${id}`), byId(`Remainder${id}`)]
    .filter(Boolean).map((input) => input.value).join(',')).join(';');
  const marks = answer('zt_mark', typed, Math.round(performance.now() - openedAt));
  for (const {id, right, answer: text} of marks.marks) {
    const item = byId(`Problem${id}`);
    item.dataset.mark = right ? 'right' : 'wrong';
    const shown = right ? table.right : table.wrong;
    const sign = item.querySelector('.mark');
    sign.textContent = shown.shown;
    sign.setAttribute('aria-label', shown.spoken);
    sign.hidden = false;
    const correction = item.querySelector('.correction');
    correction.textContent = right ? '' : decodeHex(text);
    correction.hidden = right;
    for (const input of item.querySelectorAll('input')) input.readOnly = true;
  }
  const result = byId('Result');
  result.textContent = marks.result;
  Object.assign(result.dataset, {correct: marks.correct, total: marks.total, round: marks.round,
                                 done: marks.done});
  byId(table.mark.name).hidden = true;
  const retry = byId(table.retry.name);
  retry.hidden = marks.done;
  (marks.done ? byId(table.back.name) : retry).focus();
  document.dispatchEvent(new CustomEvent('zentavo-result', {detail: {
    seed: Number(view.dataset.seed), sheet: Number(view.dataset.sheet), round: marks.round,
    correct: marks.correct, total: marks.total, done: marks.done, firstCorrect: marks.firstCorrect,
    milliseconds: marks.milliseconds, text: marks.result,
  }}));
}

// まちがえた問題だけもう一度.
function again() {
  begin(answer('zt_retry').problems);
}
