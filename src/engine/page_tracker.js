// Remembers the editable regions the user typed into, for the question whether the page
// holds words typed and not sent. Runs beside the page's own scripts, never seen by them.
window.__pelquinEdited = new Set();
document.addEventListener('input', function (event) {
  var target = event.target;
  if (event.isTrusted && target && target.isContentEditable)
    window.__pelquinEdited.add(target.closest('[contenteditable]') || target);
}, true);
