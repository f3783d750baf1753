// The canvas the page's script hands the module (Module.canvas: the canvas itself on the page,
// or its OffscreenCanvas in a worker) answers to the selector "#saver".
mergeInto(LibraryManager.library, {
  qw_page_canvas_target__deps: ['$specialHTMLTargets'],
  qw_page_canvas_target: function () {
    if (Module['canvas']) specialHTMLTargets['#saver'] = Module['canvas'];
  },
});
