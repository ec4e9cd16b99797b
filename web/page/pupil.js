// A pupil's page: the page opened at a class link, a pupil's link or a
// sheet's link. It shows the answering view and what belongs to it, and
// nothing of the teacher's page: no controls, no answer side, no print, no
// way back to them. At a class link it first asks the 出席番号, every time,
// as one tablet may serve several pupils, offering the number given last;
// the sheet it opens is the one a class set printed from the link's sheet
// gives that pupil. The address then becomes that pupil's link, so that a
// reload gives the view back (solve.js).
import {byId, element, table as pageTable} from './dom.js';
import {keepResults} from './links.js';
import {answer, text} from './program.js';
import * as solve from './solve.js';

let texts = null;
let showMessage = null;
const lastNumberKey = 'zentavo-last-pupil';

// Once the page's caption is painted: the place of the start.
export function open() {
  byId('Form1').replaceWith(element('main', {id: 'PupilPage'}));
  document.documentElement.dataset.pupil = '';
}

// Once the program runs: the link opened.
export function start(messageBox) {
  showMessage = messageBox;
  texts = pageTable().tally;
  keepResults();
  // Another link typed or pasted over this one opens as a page of its own.
  window.addEventListener('hashchange', () => location.reload());
  const reply = answer('zt_open_address', location.hash.replace(/^#/, ''));
  if (showMessage(reply)) return;
  if (reply.askPupil) askNumber();
  else if (reply.sheet) opened(reply);
}

function lastNumber() {
  try {
    return localStorage.getItem(lastNumberKey) ?? '';
  } catch {
    return '';
  }
}

// The start at a class link: the 出席番号, then はじめる.
function askNumber() {
  const numbers = Array.from({length: texts.mostPupils}, (_, k) => String(k + 1));
  const last = lastNumber();
  const number = element('select', {id: texts.pupilNumber.name},
                         element('option', {value: ''}, '―'),
                         ...numbers.map((n) => element('option', {value: n, ...(n === last && {selected: ''})}, n)));
  const form = element('form', {id: 'PupilStart'},
                       element('p', {}, texts.startHint),
                       element('p', {}, element('label', {for: number.id}, texts.pupilNumber.caption), number,
                               element('button', {id: texts.start.name}, texts.start.caption)));
  form.addEventListener('submit', (event) => {
    event.preventDefault();
    begin(number.value);
  });
  form.style.fontFamily = `"${texts.family}", sans-serif`;
  byId('PupilPage').replaceChildren(form);
  number.focus();
}

function begin(typed) {
  const reply = answer('zt_open_pupil', typed);
  if (showMessage(reply) || !reply.sheet) return;
  try {
    localStorage.setItem(lastNumberKey, String(reply.pupil));
  } catch {
    // offered again only where the browser keeps it
  }
  byId('PupilPage').replaceChildren();
  opened(reply);
}

// The sheet opened, answered in the view; the address the pupil's own.
function opened(reply) {
  const own = `#${text('zt_address')}&${reply.keep}`;
  if (location.hash !== own) history.replaceState(history.state, '', own);
  const atClassLink = new URLSearchParams(location.hash.slice(1)).has(pageTable().links.pupilKeys[1]);
  solve.open(showMessage, {pupil: reply.pupil, next: atClassLink ? nextPupil : null});
}

// The next pupil of the same tablet: the class link again, the number asked.
function nextPupil() {
  const pupilKey = pageTable().links.pupilKeys[2];
  history.replaceState(history.state, '', location.hash.replace(new RegExp(`&${pupilKey}=[^&]*`), ''));
  solve.forget();
  location.reload();
}
