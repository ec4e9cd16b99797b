// Bundles the page's ES modules into one minified script, and its styles
// into one minified stylesheet, with esbuild (npm, locked in
// web/page/package-lock.json):
//   node bundle.mjs PAGE_FOLDER NODE_MODULES OUTPUT_FOLDER
// writes page.js and page.css into OUTPUT_FOLDER.
import {readFileSync} from 'node:fs';
import {createRequire} from 'node:module';
import {join} from 'node:path';

const [pageFolder, nodeModules, output] = process.argv.slice(2);
const {build} = createRequire(join(nodeModules, 'esbuild', 'package.json'))('esbuild');

// The licences of the npm code in the page, at the head of its script.
const licences = ['lean-qr'].map((name) => {
  const {version} = JSON.parse(readFileSync(join(nodeModules, name, 'package.json'), 'utf8'));
  const licence = readFileSync(join(nodeModules, name, 'LICENSE'), 'utf8').replaceAll('*/', '* /');
  return `/*! ${name} ${version}\n${licence}*/`;
}).join('\n');

const common = {bundle: true, minify: true, legalComments: 'inline', logLevel: 'warning', nodePaths: [nodeModules]};
await build({...common, entryPoints: [join(pageFolder, 'main.js')], outfile: join(output, 'page.js'),
             format: 'iife', target: ['es2020', 'safari15'], banner: {js: licences}});
await build({...common, entryPoints: [join(pageFolder, 'style.css')], outfile: join(output, 'page.css'),
             target: ['chrome100', 'firefox115', 'safari15']});
