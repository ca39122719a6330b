// The body's inner markup as the page script reads it; '%1' is the word to look for first.
(function () {
  var body = document.body;
  if (!body) return '';
  var word = '%1';
  if (word && body.innerHTML.toLowerCase().indexOf(word) < 0) return '';
  var raw = {SCRIPT: 1, STYLE: 1, XMP: 1, IFRAME: 1, NOEMBED: 1, NOFRAMES: 1, PLAINTEXT: 1};
  var empty = {AREA: 1, BASE: 1, BASEFONT: 1, BGSOUND: 1, BR: 1, COL: 1, EMBED: 1, FRAME: 1,
               HR: 1, IMG: 1, INPUT: 1, KEYGEN: 1, LINK: 1, META: 1, PARAM: 1, SOURCE: 1,
               TRACK: 1, WBR: 1};
  function text(t) {
    return t.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
            .replace(/\u00a0/g, '&nbsp;');
  }
  function attribute(a) {
    var v = a.value;
    if (v !== '' && !/[ \t\n\r\f"'=<>`]/.test(v))
      return ' ' + a.name + '=' + v.replace(/&/g, '&amp;').replace(/\u00a0/g, '&nbsp;');
    return ' ' + a.name + '="' + v.replace(/&/g, '&amp;').replace(/"/g, '&quot;')
                                  .replace(/\u00a0/g, '&nbsp;') + '"';
  }
  var out = [];
  function children(node, parentName) {
    var list = node.content ? node.content.childNodes : node.childNodes;
    for (var i = 0; i < list.length; i++) visit(list[i], parentName);
  }
  function visit(node, parentName) {
    if (node.nodeType === 1) {
      var name = node.tagName.toUpperCase();
      out.push('<' + name);
      for (var i = 0; i < node.attributes.length; i++) out.push(attribute(node.attributes[i]));
      out.push('>');
      if (empty[name]) return;
      children(node, name);
      out.push('</' + name + '>');
    } else if (node.nodeType === 3) {
      out.push(raw[parentName] ? node.data : text(node.data));
    } else if (node.nodeType === 4) {
      out.push('<![CDATA[' + node.data + ']]>');
    } else if (node.nodeType === 8) {
      out.push('<!--' + node.data + '-->');
    }
  }
  try {
    children(body, 'BODY');
    return out.join('');
  } catch (e) {
    return '';
  }
})()
