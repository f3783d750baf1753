// quellwire-trace.js under node. The WebAssembly is read from beside the script: node 20's fetch
// cannot load a file path. The exit status is set and node ends by itself once stdout is written:
// process.exit() would drop what a slow reader of a pipe has not taken yet.
Module['wasmBinary'] = require('fs').readFileSync(require('path').join(__dirname, 'quellwire-trace.wasm'));
Module['quit'] = function (status, toThrow) {
  process['exitCode'] = status;
  throw toThrow;
};
