// Runs in a script world of the program's own: the page can neither see it nor call it, nor
// fake what it says. Tells the program when the watched text changed without a reload: once
// the page has rested a moment (or has kept changing for ten seconds), and not more often
// than every ten seconds. The program reads the text itself when told.
(function () {
  var signal = %1;       // what the program listens for, known to this world alone
  var region = %2;       // a CSS selector; empty: the whole text
  var restMs = 2000, spacingMs = 10000, longestWaitMs = 10000;
  var lastText = null, lastReport = -Infinity, firstPending = 0, lastMove = 0, timer = 0;

  // The text of every match of the selector, in order; null when it is not a selector.
  function textOf(selector) {
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
  function watchedText() {
    var text = textOf(region);
    return text === null ? '' : text;
  }
  // The text just reported, while the page has not moved since: the program reads it right
  // after it is told, and a page's text is costly to read.
  var reported = null, reportedAt = -Infinity;
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
    lastText = reported = text;
    lastReport = reportedAt = now;
    console.debug(signal);
  }
  function moved() {
    reported = null;
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
      reported = null;
      lastText = watchedText();
    },
    // The watched part's text now; null when the selector is not one.
    read: function (selector) {
      var fresh = reported !== null && selector === region &&
                  performance.now() - reportedAt < 1000;
      return fresh ? reported : textOf(selector);
    }
  };
  if (document.readyState === 'loading')
    document.addEventListener('DOMContentLoaded', start);
  else
    start();
})();
