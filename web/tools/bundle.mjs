// Bundles the page's ES modules into one minified script, and its styles
// into one minified stylesheet, with esbuild (npm, locked in
// web/page/package-lock.json); and the scanner's decoder into a module of
// its own, for the web site, beside its WebAssembly:
//   node bundle.mjs PAGE_FOLDER NODE_MODULES OUTPUT_FOLDER
// writes page.js, page.css, site-page.js, collect.js, qr-reader.js and
// zxing_reader.wasm into OUTPUT_FOLDER.
import {copyFileSync, readFileSync} from 'node:fs';
import {createRequire} from 'node:module';
import {join} from 'node:path';

const [pageFolder, nodeModules, output] = process.argv.slice(2);
const {build} = createRequire(join(nodeModules, 'esbuild', 'package.json'))('esbuild');

// The licence of npm code, at the head of the script it is in.
function licence(name, more = '') {
  const {version} = JSON.parse(readFileSync(join(nodeModules, name, 'package.json'), 'utf8'));
  const text = readFileSync(join(nodeModules, name, 'LICENSE'), 'utf8') + more;
  return `/*! ${name} ${version}\n${text.replaceAll('*/', '* /')}*/`;
}
// zxing-wasm's WebAssembly is zxing-cpp's, under the Apache License 2.0,
// whose text every Debian system has.
const apache = readFileSync('/usr/share/common-licenses/Apache-2.0', 'utf8');
const zxingCpp = `\nzxing_reader.wasm is built from zxing-cpp (https://github.com/zxing-cpp/zxing-cpp), licensed under
the Apache License, Version 2.0:\n\n${apache}`;

const common = {bundle: true, minify: true, legalComments: 'inline', logLevel: 'warning', nodePaths: [nodeModules]};
await build({...common, entryPoints: [join(pageFolder, 'main.js')], outfile: join(output, 'page.js'),
             format: 'iife', target: ['es2020', 'safari15'], banner: {js: licence('lean-qr')}});
// For the web site: the same script with 集計 as a module of its own beside
// the page, loaded when 集計 is first opened, so that a pupil's page never
// loads it (the one file has it in its script).
await build({...common, entryPoints: [join(pageFolder, 'main.js')], outfile: join(output, 'site-page.js'),
             format: 'iife', target: ['es2020', 'safari15'], banner: {js: licence('lean-qr')},
             plugins: [{name: 'collect apart', setup: ({onResolve}) =>
               onResolve({filter: /^\.\/collect\.js$/}, ({path}) => ({path, external: true}))}]});
await build({...common, entryPoints: [join(pageFolder, 'collect.js')], outfile: join(output, 'collect.js'),
             format: 'esm', target: ['es2020', 'safari15']});
await build({...common, entryPoints: [join(pageFolder, 'reader.js')], outfile: join(output, 'qr-reader.js'),
             format: 'esm', target: ['es2020', 'safari15'], banner: {js: licence('zxing-wasm', zxingCpp)}});
copyFileSync(join(nodeModules, 'zxing-wasm', 'dist', 'reader', 'zxing_reader.wasm'), join(output, 'zxing_reader.wasm'));
await build({...common, entryPoints: [join(pageFolder, 'style.css')], outfile: join(output, 'page.css'),
             target: ['chrome100', 'firefox115', 'safari15']});
