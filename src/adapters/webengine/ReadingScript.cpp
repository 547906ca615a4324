#include "adapters/webengine/ReadingScript.h"

namespace etb {

namespace {
// Property numbers follow enum Prop; test numbers follow Test::Op.
const char* const kLibrary = R"JS(
if (!window.__etbLib) window.__etbLib = (function () {
  var handles = new Map();

  function str(v) { return (v === undefined || v === null) ? '' : String(v); }
  function attr(e, n) { return e.getAttribute ? str(e.getAttribute(n)) : ''; }

  function prop(e, p) {
    switch (p) {
    case 0: return typeof e.id === 'string' ? e.id : attr(e, 'id');
    case 1: return str(e.tagName);
    case 2: return typeof e.className === 'string' ? e.className : attr(e, 'class');
    case 3: return typeof e.innerText === 'string' ? e.innerText : str(e.textContent);
    case 4: return typeof e.outerText === 'string' ? e.outerText : str(e.textContent);
    case 5: return str(e.textContent);
    case 6: return str(e.value);
    case 7: return typeof e.name === 'string' ? e.name : attr(e, 'name');
    case 8: return typeof e.title === 'string' ? e.title : attr(e, 'title');
    case 9: return str(e.outerHTML);
    case 10: return str(e.innerHTML);
    case 11: return e.parentElement ? str(e.parentElement.outerHTML) : '';
    case 12: return typeof e.selectedIndex === 'number' ? String(e.selectedIndex) : '';
    }
    throw new Error('unknown property ' + p);
  }

  // Cheap properties first, so a rule fails before a text or HTML is computed.
  function cost(p) { return (p === 3 || p === 4 || p === 5) ? 1 : (p >= 9 && p <= 11) ? 2 : 0; }

  function trim(s) {
    var a = 0, b = s.length;
    while (a < b && s.charCodeAt(a) <= 32) a++;
    while (b > a && s.charCodeAt(b - 1) <= 32) b--;
    return s.substring(a, b);
  }

  function holds(t, v) {
    switch (t.o) {
    case 0: return v === t.t;
    case 1: return trim(v) === t.tt;
    case 2: return v.indexOf(t.t) >= 0;
    case 3: return v.substring(0, t.n).indexOf(t.t) >= 0;
    case 4: return v !== '';
    }
    throw new Error('unknown test ' + t.o);
  }

  function isInput(e) {
    return e instanceof HTMLInputElement || e instanceof HTMLTextAreaElement || e instanceof HTMLSelectElement;
  }

  function source(q) {
    switch (q.s) {
    case 0: return document.all;
    case 1: return document.getElementsByTagName(q.a);
    case 2: return document.getElementsByClassName(q.a);
    case 3: var e = document.getElementById(q.a); return e ? [e] : [];
    }
    throw new Error('unknown source ' + q.s);
  }

  function query(q) {
    var rules = q.r.map(function (rule) {
      return rule.map(function (t) { if (t.o === 1) t.tt = trim(t.t); return t; })
                 .sort(function (x, y) { return cost(x.p) - cost(y.p); });
    });
    var list = source(q), n = list.length, out = [], next = q.b;
    for (var i = 0; i < n; i++) {
      var e = list[i];
      if (!e) continue;
      var cache = {}, hit = rules.length ? -1 : -2;
      for (var r = 0; r < rules.length && hit < 0; r++) {
        var rule = rules[r], ok = true;
        for (var k = 0; k < rule.length && ok; k++) {
          var t = rule[k], v = cache[t.p];
          if (v === undefined) v = cache[t.p] = prop(e, t.p);
          ok = holds(t, v);
        }
        if (ok) hit = r;
      }
      if (hit === -1) continue;
      var values = q.p.map(function (p) { var v = cache[p]; return v === undefined ? prop(e, p) : v; });
      handles.set(next, e);
      out.push([next, i, hit < 0 ? -1 : hit, isInput(e), values]);
      next++;
      if (q.l >= 0 && out.length >= q.l) break;
    }
    return out;
  }

  function element(h) {
    var e = handles.get(h);
    if (!e) throw new Error('the element is gone (the page changed)');
    return e;
  }

  function click(h) {
    var e = element(h);
    if (typeof e.click === 'function') e.click();
    else e.dispatchEvent(new MouseEvent('click', {bubbles: true, cancelable: true, view: window}));
    return true;
  }

  function setValue(h, v) {
    var e = element(h);
    if (!isInput(e)) throw new Error('element ' + prop(e, 0) + ' (' + e.tagName + ') is not an input element');
    e.value = v;
    return true;
  }

  function select(h, v) {
    var e = element(h);
    if (!(e instanceof HTMLSelectElement)) throw new Error('element ' + prop(e, 0) + ' is not a selection list');
    for (var i = 0; i < e.options.length; i++) {
      if (e.options[i].value === v) { e.selectedIndex = i; return i; }
    }
    return -1;
  }

  function frames(id) {
    var out = [];
    for (var i = 0; i < window.frames.length; i++) {
      var d = window.frames[i].document;
      var e = d ? d.getElementById(id) : null;
      out.push(e ? str(e.outerHTML) : '');
    }
    return out;
  }

  function tables(cols) {
    var want = {};
    cols.forEach(function (c) { want[c] = true; });
    var list = document.getElementsByTagName('TABLE'), out = [];
    for (var i = 0; i < list.length; i++) {
      var t = list[i];
      if (!(t instanceof HTMLTableElement)) { out.push(null); continue; }
      var rows = [], trs = t.rows;
      for (var r = 0; r < trs.length; r++) {
        var cells = trs[r].cells, row = [];
        for (var c = 0; c < cells.length; c++) {
          try {
            var cell = cells[c], text = prop(cell, 3);
            row.push(want[c] ? [text, str(cell.innerHTML)] : text);
          } catch (x) {
            row.push(null);
          }
        }
        rows.push(row);
      }
      out.push(rows);
    }
    return out;
  }

  return function (req) {
    try {
      var r;
      switch (req.op) {
      case 'query': r = query(req.q); break;
      case 'click': r = click(req.h); break;
      case 'set': r = setValue(req.h, req.v); break;
      case 'select': r = select(req.h, req.v); break;
      case 'frames': r = frames(req.id); break;
      case 'tables': r = tables(req.cols); break;
      case 'ready': r = document.readyState; break;
      default: throw new Error('unknown request ' + req.op);
      }
      return JSON.stringify({ok: true, r: r});
    } catch (x) {
      return JSON.stringify({ok: false, e: String(x && x.message ? x.message : x)});
    }
  };
})();
)JS";
} // namespace

QString readingScriptFor(const QByteArray& requestJson) {
    static const QString library = QString::fromUtf8(kLibrary);
    return library + QStringLiteral("window.__etbLib(") + QString::fromUtf8(requestJson) + QStringLiteral(");");
}

} // namespace etb
