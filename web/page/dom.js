// What every part of the page uses: its elements, made and found, the
// control table written into the page at build time, and the sheets' texts,
// which come as Shift-JIS and are decoded by the browser's own decoder.

export const byId = (id) => document.getElementById(id);

// Runs `then` once the page has painted what changed before it; at once in a
// hidden tab, which paints nothing.
export function afterPaint(then) {
  if (document.hidden) then();
  else requestAnimationFrame(() => setTimeout(then));
}

export function element(tag, attributes = {}, ...children) {
  const made = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) made.setAttribute(name, value);
  made.append(...children);
  return made;
}

export const svgElement = (tag) => document.createElementNS('http://www.w3.org/2000/svg', tag);

// A button from a caption of the table ({name, caption}).
export function button(info, action, attributes = {}) {
  const made = element('button', {id: info.name, type: 'button', ...attributes}, info.caption);
  made.addEventListener('click', action);
  return made;
}

// A part of the page below the controls, headed by its caption.
export function section(info, family, ...children) {
  const made = element('section', {id: info.name, class: 'links', 'aria-labelledby': `${info.name}Title`},
                       element('h2', {id: `${info.name}Title`}, info.caption), ...children);
  made.style.fontFamily = `"${family}", sans-serif`;
  return made;
}

let start = null;
// The control table and a fresh page's state (the page's data block
// PageStart), read once.
export function pageStart() {
  start ??= JSON.parse(byId('PageStart').textContent);
  return start;
}
export const table = () => pageStart().table;

// Over http(s), as from a school's web server, rather than from a file.
export const served = location.protocol === 'https:' || location.protocol === 'http:';

// Made when first needed: a Shift-JIS decoder takes a while to make.
let decoder = null;
export const shiftJis = (bytes) => (decoder ??= new TextDecoder('shift_jis')).decode(bytes);
// Shift-JIS bytes written as hex.
export const decodeHex = (hex) => shiftJis(Uint8Array.from(hex.match(/../g) ?? [], (byte) => parseInt(byte, 16)));

// A question in a dialog with two answers, each a caption of the table
// ({name, caption}); `answered(yes)` once it is closed, by either or by Escape.
export function askBox(id, question, yes, no, answered) {
  const box = element('dialog', {id, 'aria-labelledby': `${id}Text`},
                      element('p', {id: `${id}Text`}, question),
                      element('form', {method: 'dialog'},
                              element('button', {id: yes.name, value: 'yes'}, yes.caption),
                              element('button', {id: no.name, value: 'no'}, no.caption)));
  box.addEventListener('close', () => answered(box.returnValue === 'yes'));
  return box;
}
