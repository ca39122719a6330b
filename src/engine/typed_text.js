// Whether the page holds words the user typed and has not sent: a text field or text area
// whose value differs from the page's own (in the page and its frames of the same site), or
// an editable region typed into that is not empty again.
(function () {
  var kinds = /^(text|search|email|url|tel|password|number|)$/i;
  function typedIn(doc) {
    var fields = doc.querySelectorAll('input, textarea');
    for (var i = 0; i < fields.length; i++) {
      var f = fields[i];
      if (f.tagName !== 'TEXTAREA' && !kinds.test(f.getAttribute('type') || ''))
        continue;
      if (f.value !== '' && f.value !== f.defaultValue)
        return true;
    }
    var frames = doc.querySelectorAll('iframe, frame');
    for (var j = 0; j < frames.length; j++) {
      try {
        if (frames[j].contentDocument && typedIn(frames[j].contentDocument))
          return true;
      } catch (e) {
        // another site's frame: out of reach
      }
    }
    return false;
  }
  try {
    if (typedIn(document))
      return true;
    var edited = window.__pelquinEdited;
    if (edited) {
      var found = false;
      edited.forEach(function (e) {
        if (e.isConnected && e.textContent.trim() !== '')
          found = true;
      });
      return found;
    }
  } catch (e) {
  }
  return false;
})()
