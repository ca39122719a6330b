// Runs beside the page's own scripts, never seen by them. Remembers the text fields and
// editable regions the user typed into, for the question whether the page holds words typed
// and not sent: only trusted input counts (values a page's own script sets are the page's,
// not the user's), heard on the window first so that no page can hide a key.
window.__pelquinTyped = new Set();
window.addEventListener('input', function (event) {
  if (!event.isTrusted)
    return;
  var path = event.composedPath ? event.composedPath() : [];
  var target = path.length ? path[0] : event.target;
  if (!target || target.nodeType !== 1)
    return;
  if (target.tagName === 'INPUT' || target.tagName === 'TEXTAREA')
    window.__pelquinTyped.add(target);
  else if (target.isContentEditable)
    window.__pelquinTyped.add(target.closest('[contenteditable]') || target);
}, true);
// When the document's words last changed, for the question whether a page has settled; and
// the page's text watcher told, when there is one: one observer of the document for both, as
// each observer costs the page a record of every change.
window.__pelquinChangedAt = performance.now();
new MutationObserver(function () {
  window.__pelquinChangedAt = performance.now();
  if (window.__pelquinTextMoved)
    window.__pelquinTextMoved();
}).observe(document, {childList: true, subtree: true, characterData: true});
