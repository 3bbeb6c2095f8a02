// The WebAssembly travels inside tessal.js as base64. Where the browser decodes base64 itself,
// it does so here, a few milliseconds sooner than the script's own decoder, before the board
// can be dealt; elsewhere the script decodes it as it would have. (wasmBinaryFile is the
// script's own name for the embedded module, a data: address.)
if (Uint8Array.fromBase64) {
  Module['instantiateWasm'] = (imports, receive) => {
    const base64 = wasmBinaryFile.slice(wasmBinaryFile.indexOf(',') + 1);
    const module = new WebAssembly.Module(Uint8Array.fromBase64(base64));
    const instance = new WebAssembly.Instance(module, imports);
    receive(instance);
    return instance.exports;
  };
}
