// Runs in a script world of the program's own: the page can neither see it nor call it, nor
// fake what it says. Tells the program when the watched text changed without a reload: once
// the page has rested a moment (or has kept changing for ten seconds), and not more often
// than every ten seconds. The program reads the text itself when told.
(function () {
  var signal = %1;       // what the program listens for, known to this world alone
  var region = %2;       // a CSS selector; empty: the whole text
  var restMs = 2000, spacingMs = 10000, longestWaitMs = 10000;
  var lastText = null, lastReport = -Infinity, firstPending = 0, lastMove = 0, timer = 0;

  function watchedText() {
    if (!document.body)
      return '';
    if (!region)
      return document.body.innerText;
    var parts = [];
    try {
      document.querySelectorAll(region).forEach(function (each) { parts.push(each.innerText); });
    } catch (e) {
      return '';
    }
    return parts.join('\n');
  }
  // One timer at a time, not one for each change: a page may change many times a second.
  function schedule(delay) {
    timer = setTimeout(check, Math.max(0, delay));
  }
  function check() {
    timer = 0;
    var now = performance.now();
    var rested = now - lastMove >= restMs || now - firstPending >= longestWaitMs;
    if (!rested) {
      schedule(Math.min(restMs - (now - lastMove), firstPending + longestWaitMs - now));
      return;
    }
    if (now - lastReport < spacingMs) {
      schedule(spacingMs - (now - lastReport));
      return;
    }
    firstPending = 0;
    var text = watchedText();
    if (text === lastText)
      return;
    lastText = text;
    lastReport = now;
    console.debug(signal);
  }
  function moved() {
    lastMove = performance.now();
    if (!firstPending)
      firstPending = lastMove;
    if (!timer)
      schedule(restMs);
  }
  function start() {
    lastText = watchedText();
    // The page tracker's observer of the document calls it at every change.
    window.__pelquinTextMoved = moved;
  }
  window.__pelquinWatch = {
    setRegion: function (selector) {
      region = selector;
      lastText = watchedText();
    },
    // The watched part's text now; null when the selector is not one.
    read: function (selector) {
      if (!document.body)
        return '';
      if (!selector)
        return document.body.innerText;
      try {
        return Array.prototype.map.call(document.querySelectorAll(selector),
                                        function (each) { return each.innerText; }).join('\n');
      } catch (e) {
        return null;
      }
    }
  };
  if (document.readyState === 'loading')
    document.addEventListener('DOMContentLoaded', start);
  else
    start();
})();
