// The browser edition's page: builds the window's controls from the control
// table (made by the WebAssembly's code at build time, in the page's data
// block PageStart) at once, then hands every event of a control to the
// control model in the WebAssembly and shows the state it answers with, as
// the window does. Sheets come as SVG markup whose texts are Shift-JIS,
// decoded by the browser's own decoder.
import {byId, element, pageStart, served, svgElement} from './dom.js';
import * as links from './links.js';
import {answer, call, markup} from './program.js';
import * as solve from './solve.js';

const {table} = pageStart();

// At the window's place on a wide screen: bounds are [left, top, width,
// height], relative to the parent's bounds where it has one.
function place(control, [left, top, width, height], parent = null) {
  control.classList.add('placed');
  control.style.setProperty('--l', `${left - (parent ? parent[0] : 0)}px`);
  control.style.setProperty('--t', `${top - (parent ? parent[1] : 0)}px`);
  control.style.setProperty('--w', `${width}px`);
  control.style.setProperty('--h', `${height}px`);
  // Stacked on a narrow screen: the window's left column, then its right
  // one, each from the top; the page's own controls follow.
  if (!parent) control.style.order = String((left < 216 ? 0 : left < 352 ? 1 : 2) * 1000 + top);
  return control;
}

function setFont(control, index) {
  const font = table.fonts[index];
  control.style.font = `${font.bold ? 'bold ' : ''}calc(${font.pixels}px * var(--sx)) "${font.family}", serif`;
}

function radioItems(name, items) {
  return items.map((item, index) =>
    element('label', {class: 'item'}, element('input', {type: 'radio', name, value: String(index)}), item));
}

// A radio group: a fieldset of radio inputs named after the group, values
// in item order, laid out in the group's columns.
function radioGroup(group, index) {
  const set = place(element('fieldset', {id: group.name}, element('legend', {}, group.caption),
                            ...radioItems(group.name, group.items)), group.bounds);
  setFont(set, group.font);
  const rows = Math.ceil(group.items.length / group.columns);
  // Stacked, as many columns as the longest item leaves room for.
  set.style.setProperty('--item', `${Math.max(...group.items.map((item) => item.length)) + 2.5}em`);
  set.style.gridTemplateRows = `repeat(${rows}, 1fr)`;
  set.style.gridTemplateColumns = `repeat(${group.columns}, 1fr)`;
  set.addEventListener('change', (event) => {
    call('zt_select', index, Number(event.target.value));
    update();
  });
  // The focus entering the group from outside, by Tab or by the mouse;
  // a pointer that does not move the focus (as on iPads) enters it too.
  const enter = () => {
    call('zt_enter', index);
    update();
  };
  set.addEventListener('focusin', (event) => {
    if (!set.contains(event.relatedTarget)) enter();
  });
  set.addEventListener('pointerdown', () => {
    if (!set.contains(document.activeElement)) enter();
  });
  return set;
}

function danGroup() {
  const group = table.danGroup;
  const set = place(element('fieldset', {id: group.name}, element('legend', {}, group.caption)), group.bounds);
  setFont(set, group.font);
  group.boxes.forEach((box, dan) => {
    const input = element('input', {type: 'checkbox', id: box.name});
    input.addEventListener('change', () => {
      call('zt_check', dan, input.checked ? 1 : 0);
      update();
    });
    set.append(place(element('label', {class: 'item'}, input, box.caption), box.bounds, [0, 0]));
  });
  return set;
}

function printerPicture() {
  const svg = svgElement('svg');
  svg.setAttribute('class', 'printer');
  svg.setAttribute('viewBox', '0 0 16 16');
  svg.innerHTML = '<path d="M4 1h8v4H4z" fill="#fff" stroke="#000"/><path d="M1 6h14v6H1z" fill="#c0c0c0" '
    + 'stroke="#000"/><path d="M4 10h8v5H4z" fill="#fff" stroke="#000"/><path d="M12 8h2" stroke="#0a0"/>';
  return svg;
}

function command(info, action) {
  const button = place(element('button', {id: info.name, type: 'button'}), info.bounds);
  setFont(button, table.commandFont);
  if (info.printer) button.append(printerPicture());
  button.append(info.caption);
  button.addEventListener('click', action);
  return button;
}

// A caption and its input in one place.
function pair(info, input) {
  const label = place(element('label', {class: 'pair'}, info.caption, input), info.bounds);
  setFont(label, table.optionFont);
  return label;
}

// The faces' licence; on the web site a file beside the page, fetched when
// first shown (where it cannot be, the box holds a link to it).
async function showLicence() {
  const text = byId('LicenceText');
  if (text.dataset.src) {
    const response = await fetch(text.dataset.src).catch(() => null);
    if (response?.ok) {
      text.textContent = await response.text();
      delete text.dataset.src;
    }
  }
  const box = byId('LicenceBox');
  if (!box.open) box.showModal();
}

function build() {
  const form = byId('Form1');
  const [credit, numberLabel] = table.labels;
  const creditLabel = place(element('div', {id: credit.name}, credit.caption), credit.bounds);
  setFont(creditLabel, credit.font);
  creditLabel.style.color = `#${table.creditColor.toString(16).padStart(6, '0')}`;
  form.append(creditLabel);

  const controls = new Map();
  table.groups.forEach((group, index) => controls.set(group.name, radioGroup(group, index)));
  controls.set(table.danGroup.name, danGroup());
  const actions = {PreviewBtn: preview, PrintBtn: () => print(0), PrintAnsBtn: () => print(1)};
  table.commands.forEach((info, index) => {
    controls.set(info.name, command(info, actions[info.name]));
    controls.get(info.name).style.order = String(3000 + index);
  });
  const edit1 = place(element('input', {id: table.edit1.name, type: 'text', inputmode: 'numeric',
                                        autocomplete: 'off'}), table.edit1.bounds);
  setFont(edit1, table.edit1.font);
  edit1.addEventListener('input', () => call('zt_edit1', edit1.value));
  const edit1Label = place(element('label', {id: numberLabel.name, for: edit1.id, class: 'caption'},
                                   numberLabel.caption), numberLabel.bounds);
  setFont(edit1Label, numberLabel.font);
  edit1.style.order = String(Number(edit1Label.style.order) + 1);
  controls.set(table.edit1.name, [edit1Label, edit1]);
  // The window's keyboard order; the window's commands that a page has no
  // use for are not in it.
  for (const name of table.tabOrder) if (controls.has(name)) form.append(...[controls.get(name)].flat());

  const sheets = element('input', {id: table.sheets.name, type: 'text', inputmode: 'numeric',
                                   value: table.sheets.start, autocomplete: 'off'});
  const seed = element('input', {id: table.seed.name, type: 'text', inputmode: 'numeric', autocomplete: 'off'});
  // A seed that is no seed is told; the seed in use is shown again, as
  // read (7 for '００７').
  seed.addEventListener('change', () => {
    showMessage(answer('zt_seed', seed.value));
    update(true);
  });
  // 枚数 shown as read too; a wrong one is told by the print commands.
  sheets.addEventListener('change', () => {
    const read = call('zt_sheets', sheets.value);
    if (read > 0) sheets.value = String(read);
  });
  const seedPair = pair(table.seed, seed);
  seedPair.append(element('span', {id: 'SheetNumber'}));
  const paper = element('select', {id: table.paper.name},
                        ...table.paper.items.map((name, index) => element('option', {value: String(index)}, name)));
  const inputs = [pair(table.sheets, sheets), seedPair, pair(table.paper, paper)];
  inputs.forEach((input, index) => {
    input.style.order = String(2500 + index);
  });
  form.append(...inputs);

  const sheetSwitch = place(element('fieldset', {id: table.switch.name}, element('legend', {}, table.switch.caption),
                                    ...radioItems(table.switch.name, table.switch.items)), table.switch.bounds);
  setFont(sheetSwitch, table.optionFont);
  sheetSwitch.addEventListener('change', (event) => {
    call('zt_show', Number(event.target.value));
    update();
  });
  const frame = place(element('div', {id: table.frame.name}), table.frame.bounds);
  frame.append(place(element('div', {id: table.preview.name, role: 'figure'}), table.preview.bounds,
                     table.frame.bounds));
  // Below everything else when stacked.
  sheetSwitch.style.order = '9000';
  frame.style.order = '9001';
  // Beside the sheet, or below it when stacked.
  const notice = place(element('p', {id: table.notice.name, role: 'status'}), table.notice.bounds);
  setFont(notice, table.noticeFont);
  notice.style.order = '9001';
  form.append(sheetSwitch, frame, notice);

  const licence = command(table.licence, showLicence);
  licence.style.order = '9002';
  form.append(licence);
  // 画面で解く: the shown sheet answered on screen (solve.js); above the
  // sheet when stacked.
  const solveButton = command(table.solve, () => solve.open(showMessage));
  solveButton.style.order = '8999';
  licence.before(solveButton);

  // A group whose frame runs a pixel into the group below it in the
  // window ends where that one begins.
  const bounds = (control) => ['--l', '--t', '--w', '--h'].map((name) =>
    parseInt(control.style.getPropertyValue(name)));
  for (const upper of form.children) {
    const [left, top, width, height] = bounds(upper);
    for (const lower of form.children) {
      const [otherLeft, otherTop, otherWidth] = bounds(lower);
      if (left < otherLeft + otherWidth && otherLeft < left + width && top < otherTop && otherTop < top + height)
        upper.style.setProperty('--h', `${otherTop - top}px`);
    }
  }
  // The window's client area: every control and a margin of 8 pixels.
  const extent = (start, size) => Math.max(...[...form.children].map((control) =>
    parseInt(control.style.getPropertyValue(start)) + parseInt(control.style.getPropertyValue(size)))) + 8;
  byId('Window').style.setProperty('--client-width', `${extent('--l', '--w')}px`);
  form.style.height = `calc(${extent('--t', '--h')}px * var(--s))`;
}

// Sets a property of a control where it differs: an unchanged control is
// not styled or laid out again.
function set(control, property, value) {
  if (control[property] !== value) control[property] = value;
}

// A state of the control model onto the controls; with `seedAsShown` the
// seed input shows the seed in use even while it has the focus.
function show(state, seedAsShown = false) {
  state.dans.forEach(([checked, enabled], dan) => {
    const box = byId(table.danGroup.boxes[dan].name);
    set(box, 'checked', checked);
    set(box, 'disabled', !enabled);
  });
  const showItem = (group, item, enabled) => {
    set(group, 'disabled', !enabled);
    for (const radio of group.querySelectorAll('input')) set(radio, 'checked', Number(radio.value) === item);
  };
  table.groups.forEach((group, index) => showItem(byId(group.name), ...state.groups[index]));
  for (const [name, enabled] of Object.entries(state.commands)) set(byId(name), 'disabled', !enabled);
  set(byId(table.edit1.name), 'value', state.edit1);
  const seed = byId(table.seed.name);
  if (seedAsShown || document.activeElement !== seed) set(seed, 'value', String(state.seed));
  set(byId('SheetNumber'), 'textContent', state.sheet);
  set(byId(table.notice.name), 'textContent', state.notice);
  showItem(byId(table.switch.name), state.shown, state.shown !== null);
  const preview = byId(table.preview.name);
  if (state.shown === null) preview.replaceChildren();
  else showSheet(preview, markup(call('zt_sheet')));
  preview.ariaLabel = state.shown === null ? table.switch.caption
                                           : `${table.switch.items[state.shown]} ${state.sheet}`;
}

// The sheet drawn, and for screen readers its texts in drawing order, as
// a pupil reads the sheet: the header, then each column from the top. The
// texts follow once the sheet is shown, so as not to keep it from the eye.
let readerTexts = 0;
function showSheet(preview, svg) {
  preview.innerHTML = svg;
  const drawing = preview.firstElementChild;
  drawing.setAttribute('aria-hidden', 'true');
  const shown = ++readerTexts;
  setTimeout(() => {
    if (shown !== readerTexts || !drawing.isConnected) return;
    // Each in its face on the sheet, which has its characters: a face
    // without them would send the browser searching the system's fonts.
    const texts = [...drawing.querySelectorAll('text')].map((text) =>
      element('p', {style: `font-family: ${text.closest('[font-family]').getAttribute('font-family')}`},
              text.textContent));
    preview.append(element('div', {class: 'for-reader'}, ...texts));
  });
}

// The control model's state now; the page's address and its links follow
// it (links.js).
const update = (seedAsShown = false) => {
  const state = answer('zt_state');
  show(state, seedAsShown);
  links.follow();
};

// The message box, where the answer holds a message; true when it did.
export function showMessage(reply) {
  if (!reply.message) return false;
  const box = byId('MessageBox');
  byId('MessageCaption').textContent = reply.message.caption;
  byId('MessageText').textContent = reply.message.text;
  box.className = reply.message.warning ? 'warning' : 'error';
  box.showModal();
  return true;
}

function preview() {
  showMessage(answer('zt_preview'));
  update();
}

// Whether PrintPages holds the pages of the print to come or under way.
let printing = false;

// Fills PrintPages with a print command's pages; the answer, with a
// message where the command refuses.
function fillPrint(answers) {
  const job = answer('zt_print', answers, byId(table.sheets.name).value, byId(table.paper.name).selectedIndex);
  if (job.message) return job;
  byId('PrintSize').textContent = `@page { size: ${job.size}; margin: 0 }`;
  byId('PrintPages').innerHTML = markup(job.length);
  printing = true;
  return job;
}

// The print dialog; the print number moves on when it has closed
// (afterprint), which iPad Safari tells after window.print() returns.
function print(answers) {
  if (!showMessage(fillPrint(answers))) window.print();
}

// The browser's own print command (Ctrl+P, the menu) prints what 印刷
// prints. Without a sheet to print (before any Preview, or where 印刷
// refuses) it prints the page itself, which shows why, rather than a
// blank page; a refusal is told once the dialog has closed.
let refused = null;
window.addEventListener('beforeprint', () => {
  if (printing || document.documentElement.dataset.print) return;  // a print command's pages, or a part's
  const job = started && answer('zt_state').shown !== null ? fillPrint(0) : null;
  if (printing) return;
  refused = job;
  document.documentElement.dataset.print = 'page';
  byId('PrintSize').textContent = '';
});

// A part of the page printed (the class's table, A4 across), not a sheet.
function printPart(part) {
  document.documentElement.dataset.print = part;
  byId('PrintSize').textContent = '@page { size: A4 landscape; margin: 10mm }';
  window.print();
}

// Once per print: the print number and the seed's sheets move on, and
// nothing of the print is kept.
window.addEventListener('afterprint', () => {
  delete document.documentElement.dataset.print;
  if (refused) showMessage(refused);
  refused = null;
  if (!printing) return;
  printing = false;
  byId('PrintPages').replaceChildren();
  call('zt_printed');
  update();
});

// The page as it opens, drawn before its WebAssembly runs; it takes no
// input until then. Its seed comes from the clock when the WebAssembly
// starts.
let started = false;
export function open() {
  build();
  show({...pageStart().start, seed: ''});
  byId('Form1').inert = true;
}

// The WebAssembly cannot run (none in this browser, turned off, or its
// compile failed): the controls stay without input, and the page says why.
export function fail() {
  const told = byId('NoProgram');
  told.textContent = table.noProgram;
  told.hidden = false;
  document.documentElement.dataset.failed = 'true';
}

// The WebAssembly runs: the controls work from now on.
export function start() {
  started = true;
  byId('Form1').inert = false;
  // The address's options, seed and sheet (links.js), shown by update.
  links.begin({showMessage, update, printPart});
}

// Either page, the teacher's or a pupil's, works from now on.
export function ready() {
  document.documentElement.dataset.ready = 'true';
  performance.mark('zentavo-ready');
  keepOffline();
}

// The web site's page (index.html, which links the site's manifest),
// served over http(s), keeps the site for offline use in its service
// worker once it is ready; zentavo.html, a file in itself, needs none.
function keepOffline() {
  if (!served || !('serviceWorker' in navigator) || !document.querySelector('link[rel="manifest"]')) return;
  // Where it cannot (a private window), the page works as it is, online.
  navigator.serviceWorker.register('sw.js').catch((error) => console.warn('not kept for offline use:', error));
}
