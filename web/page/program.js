// The page's program: the WebAssembly made from the C++ (zentavo-page), a
// standalone module that imports three functions and exports its calls,
// its memory, malloc and free, loaded here without any other glue. A call
// takes numbers and texts (copied in as UTF-8 for the call) and gives a
// number; `text` and `answer` read the text a call answers with.
import {shiftJis} from './dom.js';

let program = null;  // the module's exports, once it runs
const utf8 = new TextEncoder();
const fromUtf8 = new TextDecoder();

const imports = {
  env: {emscripten_notify_memory_growth() {}},
  wasi_snapshot_preview1: {
    // The only clock the program reads: the time of day, for a fresh seed.
    clock_time_get(clock, precision, at) {
      new DataView(program.memory.buffer).setBigUint64(at, BigInt(Date.now()) * 1000000n, true);
      return 0;
    },
    proc_exit(status) {
      throw new WebAssembly.RuntimeError(`the program ended (${status})`);
    },
  },
};

// Compiles the program from its bytes.
export const compile = (bytes) => WebAssembly.compile(bytes);

// Starts the compiled program. An import of another emscripten's making,
// which the program should never call, is there to link and refuses when
// called, rather than keeping the program from starting at all.
export async function start(module) {
  const given = {};
  for (const {module: from, name} of WebAssembly.Module.imports(module)) {
    given[from] ??= {};
    given[from][name] = imports[from]?.[name] ?? (() => {
      throw new WebAssembly.RuntimeError(`the program called ${from}.${name}, which the page does not give`);
    });
  }
  const instance = await WebAssembly.instantiate(module, given);
  instance.exports._initialize();
  program = instance.exports;
}

const memory = (at = 0, length = undefined) => new Uint8Array(program.memory.buffer, at, length);

export function call(name, ...args) {
  const copies = [];
  const values = args.map((arg) => {
    if (typeof arg !== 'string') return arg;
    const bytes = utf8.encode(arg);
    const at = program.malloc(bytes.length + 1);
    copies.push(at);
    const copy = memory(at, bytes.length + 1);
    copy.set(bytes);
    copy[bytes.length] = 0;
    return at;
  });
  try {
    return program[name](...values);
  } finally {
    for (const at of copies) program.free(at);
  }
}

// The text at the address a call gives, up to its terminating 0.
export function text(name, ...args) {
  const at = call(name, ...args) >>> 0;
  const bytes = memory(at);
  return fromUtf8.decode(bytes.subarray(0, bytes.indexOf(0)));
}

export const answer = (name, ...args) => JSON.parse(text(name, ...args));

// The markup of the last sheet or print command (zt_markup), decoded.
export const markup = (length) => shiftJis(memory(call('zt_markup') >>> 0, length));
