// Starts compiling the game as soon as the page opens, while the page, its pictures and the
// game's script still load; the script then only instantiates it. A host that serves .wasm
// under another type than application/wasm gets the bytes compiled once they are all there.
var Module = (function() {
  const fetched = () => fetch('tessal.wasm', {credentials: 'same-origin'});
  const compiled = WebAssembly.compileStreaming(fetched()).catch(
      () => fetched().then((response) => response.arrayBuffer()).then(WebAssembly.compile));
  return {
    instantiateWasm: function(imports, receive) {
      compiled.then((module) => WebAssembly.instantiate(module, imports))
          .then((instance) => receive(instance));
      return {};
    },
  };
})();
