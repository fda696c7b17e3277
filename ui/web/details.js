"use strict";
// The details of the calculation the fields show, beside or below the dialog:
// the sections the program lays out (headings, lines, tables, the plot), drawn
// as HTML headings, paragraphs and tables. The program makes every text, mark
// and colour; the plot is drawn by the program for its area's size and asked
// for again when that size changes. The details follow each command and each
// change of the pulse count.
var veldronixDetails = (function () {
  var section = document.getElementById("details");
  var plotObserver = null;

  var node = veldronixDetailsParts.node;

  function call(name, types, values) {
    return veldronixPage.call(name, "string", types || [], values || []);
  }

  // A line under a heading; a warning (its text starts with the finding mark) in the warning colour.
  function line(text, attributes) {
    var made = node("p", attributes || {}, text.text);
    if (text.warning) {
      made.classList.add("warning");
    }
    return made;
  }

  function table(id, part) {
    var made = node("table", { id: id });
    var head = node("tr");
    part.columns.forEach(function (column) {
      head.appendChild(node("th", { scope: "col", class: column.align }, column.heading));
    });
    made.appendChild(node("thead")).appendChild(head);
    var body = made.appendChild(node("tbody"));
    part.rows.forEach(function (row) {
      var tr = body.appendChild(node("tr"));
      if (row.background) {
        tr.style.backgroundColor = row.background;
      }
      if (row.ink) {
        tr.style.color = row.ink;
      }
      if (typeof row.index === "number") {
        tr.dataset.index = String(row.index);
        tr.dataset.requests = JSON.stringify(row.requests);
      }
      row.cells.forEach(function (cell, index) {
        var align = part.columns[index] ? part.columns[index].align : "left";
        var made = tr.appendChild(node(index === 0 ? "th" : "td", index === 0 ? { scope: "row" } : {}));
        made.classList.add(align);
        if (part.columns[index] && part.columns[index].keepWhole) {
          made.classList.add("key"); // first, and inside the page's width where it can be
        }
        if (cell.warning) {
          made.classList.add("warning");
        }
        made.appendChild(node("div", { class: "cell" }, cell.text));
      });
    });
    var holder = node("div", { class: "table" });
    holder.appendChild(made);
    return holder;
  }

  // The plot area: the program draws the plot for the area's size in CSS
  // pixels, never scaled, and again whenever the area is resized. The SVG sits
  // in a shadow tree of its own, so that its style and the page's stay apart.
  function plot(heading) {
    var holder = node("div", { id: "details-plot", class: "plot", role: "img", "aria-label": heading });
    var tree = holder.attachShadow({ mode: "open" });
    var drawn = "";
    var draw = function () {
      var width = Math.floor(holder.clientWidth);
      var height = Math.floor(holder.clientHeight);
      if (width <= 0 || height <= 0 || drawn === width + "x" + height) {
        return;
      }
      drawn = width + "x" + height;
      var svg = new DOMParser().parseFromString(call("vx_plot_svg", ["number", "number"], [width, height]),
                                                "image/svg+xml").documentElement;
      tree.replaceChildren();
      if (svg && svg.localName === "svg") {
        // The program lays the plot out a little smaller (so that its smallest text
        // reaches 12 px here); it fills the area through its viewBox.
        if (!svg.hasAttribute("viewBox")) {
          svg.setAttribute("viewBox", "0 0 " + svg.getAttribute("width") + " " + svg.getAttribute("height"));
        }
        svg.setAttribute("width", String(width));
        svg.setAttribute("height", String(height));
        svg.setAttribute("aria-hidden", "true");
        tree.appendChild(document.importNode(svg, true));
      }
    };
    if (plotObserver) {
      plotObserver.disconnect();
    }
    plotObserver = new ResizeObserver(draw);
    plotObserver.observe(holder);
    return holder;
  }

  function sectionParts(details, part, index) {
    var id = "details-section-" + index;
    var parts = [node("h3", { id: id }, part.heading)];
    var holder = null;
    if (part.form) {
      parts.push(veldronixForm.render(part.form));
    }
    if (part.plotted) {
      parts.push(plot(part.heading));
    }
    if (part.kind !== "lines" && part.rows.length > 0) {
      holder = table("details-table-" + index, part);
      holder.firstChild.setAttribute("aria-labelledby", id);
      parts.push(holder);
    }
    part.lines.forEach(function (text) {
      parts.push(line(text));
    });
    if (part.buttons.length > 0) {
      parts.push(veldronixDetailsParts.buttons(details, part, index, holder));
    }
    return parts;
  }

  function render(details) {
    var active = document.activeElement;
    var focused = active && section.contains(active) ? active.id : "";
    // A text field's caret, kept across the drawing.
    var caret = focused && active.tagName === "INPUT" ? [active.selectionStart, active.selectionEnd] : null;
    var parts = [node("h2", { id: "details-heading" }, details.caption),
                 node("p", { id: "details-subject" }, details.heading)];
    if (details.status.length > 0) {
      var status = node("div", { id: "details-status" });
      details.status.forEach(function (text) {
        status.appendChild(line(text));
      });
      parts.push(status);
    }
    details.sections.forEach(function (part, index) {
      parts = parts.concat(sectionParts(details, part, index));
    });
    section.replaceChildren.apply(section, parts);
    var again = focused ? document.getElementById(focused) : null;
    if (again) {
      again.focus();
      if (caret && again.tagName === "INPUT") {
        again.setSelectionRange(caret[0], caret[1]);
      }
    }
  }

  function refresh() {
    veldronixPage.handInFields();
    var details = JSON.parse(call("vx_details"));
    render(details);
    veldronixPage.showFreshness(details.stale);
  }

  function start() {
    section.hidden = false;
    var pulses = document.getElementById("IDC_PULSE_COUNT");
    if (pulses) {
      pulses.addEventListener("input", refresh);
    }
    refresh();
  }

  return { start: start, refresh: refresh, render: render };
})();
