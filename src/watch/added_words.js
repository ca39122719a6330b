// Runs in a script world of the program's own. Marks for a few seconds where the words added
// since the user last looked stand: boxes laid over the page, never touching its text.
(function (phrases, showMs) {
  var layer = document.createElement('div');
  layer.style.cssText = 'position:absolute;left:0;top:0;width:0;height:0;' +
      'pointer-events:none;z-index:2147483646;';
  var boxes = 0;
  function mark(range) {
    var rects = range.getClientRects();
    for (var i = 0; i < rects.length && boxes < 200; i++, boxes++) {
      var r = rects[i], box = document.createElement('div');
      box.style.cssText = 'position:absolute;background:rgba(255,214,0,0.45);' +
          'outline:2px solid rgba(255,140,26,0.9);border-radius:2px;' +
          'left:' + (r.left + window.scrollX) + 'px;top:' + (r.top + window.scrollY) + 'px;' +
          'width:' + r.width + 'px;height:' + r.height + 'px;';
      layer.appendChild(box);
    }
  }
  function find(words) {
    if (!document.body || words.length < 2)
      return false;
    var walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    var found = false;
    for (var node = walker.nextNode(); node && boxes < 200; node = walker.nextNode()) {
      var at = node.data.indexOf(words);
      if (at < 0)
        continue;
      var range = document.createRange();
      range.setStart(node, at);
      range.setEnd(node, at + words.length);
      mark(range);
      found = true;
    }
    return found;
  }
  phrases.forEach(function (phrase) {
    var words = phrase.trim();
    // A phrase the page splits over elements is marked word by word.
    if (!find(words))
      words.split(/\s+/).forEach(function (word) { if (word.length >= 3) find(word); });
  });
  if (!boxes)
    return 0;
  document.documentElement.appendChild(layer);
  setTimeout(function () { layer.remove(); }, showMs);
  return boxes;
})
