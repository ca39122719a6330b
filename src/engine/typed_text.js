// Whether the page holds words the user typed and has not sent: a text field or text area
// typed into whose value is neither empty nor the page's own, or an editable region typed
// into that is not empty again; in the page and its frames of the same site.
(function () {
  var kinds = /^(text|search|email|url|tel|password|number|)$/i;
  function holdsWords(e) {
    if (!e.isConnected)
      return false;
    if (e.tagName === 'TEXTAREA' ||
        (e.tagName === 'INPUT' && kinds.test(e.getAttribute('type') || '')))
      return e.value !== '' && e.value !== e.defaultValue;
    if (e.tagName === 'INPUT')
      return false;
    return e.textContent.trim() !== '';
  }
  function typedIn(win) {
    var typed = win.__pelquinTyped;
    var found = false;
    if (typed)
      typed.forEach(function (e) {
        if (!found && holdsWords(e))
          found = true;
      });
    if (found)
      return true;
    var frames = win.document.querySelectorAll('iframe, frame');
    for (var j = 0; j < frames.length; j++) {
      try {
        if (frames[j].contentWindow && typedIn(frames[j].contentWindow))
          return true;
      } catch (e) {
        // another site's frame: out of reach
      }
    }
    return false;
  }
  try {
    return typedIn(window);
  } catch (e) {
  }
  return false;
})()
