// Runs in a script world of the program's own. Picks the part of the page to watch: the
// smallest block with text under the pointer, then wider (its parents) or narrower (back),
// outlined by a frame of its own; says its selector and the start of its text.
(function (action, x, y) {
  var state = window.__pelquinPick || (window.__pelquinPick = {chain: [], index: 0, box: null});
  function textOf(element) {
    return (element.innerText || '').trim();
  }
  function isBlock(element) {
    var display = getComputedStyle(element).display;
    return display !== 'inline' && display !== 'contents';
  }
  function selectorOf(element) {
    var parts = [];
    for (var e = element; e && e.nodeType === 1 && e !== document.documentElement;
         e = e.parentElement) {
      if (e.id && document.querySelectorAll('#' + CSS.escape(e.id)).length === 1) {
        parts.unshift('#' + CSS.escape(e.id));
        break;
      }
      if (e === document.body) {
        parts.unshift('body');
        break;
      }
      var n = 1;
      for (var s = e.previousElementSibling; s; s = s.previousElementSibling)
        if (s.tagName === e.tagName)
          n++;
      parts.unshift(e.tagName.toLowerCase() + ':nth-of-type(' + n + ')');
    }
    return parts.join(' > ');
  }
  function outline(element) {
    if (!state.box) {
      state.box = document.createElement('div');
      state.box.style.cssText = 'position:fixed;z-index:2147483647;pointer-events:none;' +
          'border:3px solid #ff8c1a;box-shadow:0 0 0 2px #fff;box-sizing:border-box;';
    }
    var r = element.getBoundingClientRect();
    state.box.style.left = (r.left - 3) + 'px';
    state.box.style.top = (r.top - 3) + 'px';
    state.box.style.width = (r.width + 6) + 'px';
    state.box.style.height = (r.height + 6) + 'px';
    if (!state.box.isConnected)
      document.documentElement.appendChild(state.box);
  }
  if (action === 'end') {
    if (state.box)
      state.box.remove();
    window.__pelquinPick = null;
    return null;
  }
  if (action === 'start') {
    var found = document.elementFromPoint(x, y);
    while (found && found !== document.body && (!isBlock(found) || !textOf(found)))
      found = found.parentElement;
    if (!found)
      return null;
    state.chain = [found];
    state.index = 0;
  } else if (action === 'wider') {
    var current = state.chain[state.index];
    if (current && state.index === state.chain.length - 1 && current !== document.body &&
        current.parentElement && current.parentElement !== document.documentElement)
      state.chain.push(current.parentElement);
    state.index = Math.min(state.index + 1, state.chain.length - 1);
  } else if (action === 'narrower') {
    state.index = Math.max(0, state.index - 1);
  }
  var chosen = state.chain[state.index];
  if (!chosen || !chosen.isConnected)
    return null;
  outline(chosen);
  return {selector: selectorOf(chosen), text: textOf(chosen).slice(0, 300)};
})
