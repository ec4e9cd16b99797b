// axe-core's WCAG 2.2 AA and best-practice faults on a page, or in one part
// of it (a selector), each as "rule: where".
import {readFileSync} from 'node:fs';

const axeSource = readFileSync(new URL('./node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');

export const axeFaults = (page, part = null) => page.evaluate(async (axeSource, part) => {
  if (!window.axe) (0, eval)(axeSource);
  const {violations} = await axe.run(part ? {include: [[part]]} : document, {
    runOnly: {type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice']}});
  return violations.map(({id, nodes}) => `${id}: ${nodes.map(({target}) => target.join(' ')).join(', ')}`);
}, axeSource, part);
