"use strict";
// The details of the calculation the fields show, beside or below the dialog:
// the integers with a copy button, the drive they really give, the findings and
// the velocity profile of 出力パルス数 as a plot with a save button. The program
// makes every text; this only lays them out. They follow each command and each
// change of the pulse count.
var veldronixDetails = (function () {
  var section = document.getElementById("details");
  var current = null;

  function node(tag, attributes, text) {
    var made = document.createElement(tag);
    Object.keys(attributes || {}).forEach(function (name) {
      made.setAttribute(name, attributes[name]);
    });
    if (text !== undefined) {
      made.textContent = text;
    }
    return made;
  }

  // A button text such as "コピー(&C)": the marked character underlined and its access key.
  function buttonWithMnemonic(id, text) {
    var button = node("button", { id: id, type: "button" });
    for (var i = 0; i < text.length; ++i) {
      if (text[i] === "&" && i + 1 < text.length && text[i + 1] !== "&" && !button.accessKey) {
        button.accessKey = text[i + 1].toLowerCase();
        button.appendChild(node("u", {}, text[i + 1]));
        ++i;
      } else {
        if (text[i] === "&" && text[i + 1] === "&") {
          ++i;
        }
        button.appendChild(document.createTextNode(text[i]));
      }
    }
    return button;
  }

  function table(id, columns, rows) {
    var made = node("table", { id: id });
    var head = node("tr");
    columns.forEach(function (column) {
      head.appendChild(node("th", { scope: "col" }, column));
    });
    made.appendChild(node("thead")).appendChild(head);
    var body = made.appendChild(node("tbody"));
    rows.forEach(function (row) {
      var line = body.appendChild(node("tr", row.marked ? { class: "marked" } : {}));
      row.cells.forEach(function (cell, index) {
        line.appendChild(index === 0 ? node("th", { scope: "row" }, cell) : node("td", { class: "number" }, cell));
      });
    });
    return made;
  }

  function copyText(text) {
    if (navigator.clipboard && window.isSecureContext) {
      return navigator.clipboard.writeText(text).catch(function () {
        return copyThroughSelection(text);
      });
    }
    return copyThroughSelection(text);
  }

  // Where the page is not a secure context (a static server by another name than localhost).
  function copyThroughSelection(text) {
    var area = node("textarea", { readonly: "", "aria-hidden": "true" });
    area.value = text;
    area.style.position = "fixed";
    area.style.opacity = "0";
    document.body.appendChild(area);
    area.select();
    var copied = document.execCommand("copy");
    area.remove();
    return copied ? Promise.resolve() : Promise.reject(new Error("copy refused"));
  }

  function save(details) {
    var link = node("a", { download: details.plotHeading + ".svg" });
    link.href = URL.createObjectURL(new Blob([details.svg], { type: "image/svg+xml" }));
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function () {
      URL.revokeObjectURL(link.href);
    }, 60000);
  }

  // The plot's SVG keeps its own style sheet: drawn in a shadow tree, so that
  // its classes (.label, .tick, ...) cannot restyle the page, nor the page it.
  function plotOf(svgText) {
    var parsed = new DOMParser().parseFromString(svgText, "image/svg+xml").documentElement;
    var holder = node("div", { id: "details-plot", class: "plot" });
    var tree = holder.attachShadow({ mode: "open" });
    tree.appendChild(node("style", {}, "svg { display: block; width: 100%; height: auto; max-width: 960px; }"));
    if (parsed && parsed.localName === "svg") {
      parsed.setAttribute("role", "img");
      tree.appendChild(document.importNode(parsed, true));
    }
    return holder;
  }

  function render(details) {
    var focused = document.activeElement && section.contains(document.activeElement) ? document.activeElement.id : "";
    var parts = [node("h2", { id: "details-heading" }, details.caption)];
    if (!details.calculated) {
      parts.push(node("p", { id: "details-subject", class: "note" }, details.heading));
    } else {
      parts.push(node("p", { id: "details-subject" }, details.heading));
      parts.push(node("h3", {}, details.registersHeading));
      parts.push(table("details-registers", details.registerColumns, details.registers.map(function (line) {
        return { marked: line.marked, cells: [line.name, line.integer, line.settingValue] };
      })));
      var actions = node("div", { class: "actions" });
      var copy = actions.appendChild(buttonWithMnemonic("details-copy", details.copyButton));
      var status = actions.appendChild(node("span", { id: "details-copied", role: "status" }));
      copy.addEventListener("click", function () {
        status.textContent = "";
        copyText(details.clipboardText).then(function () {
          status.textContent = details.copied;
        }, function () {});
      });
      parts.push(actions);
      parts.push(node("h3", {}, details.realDriveHeading));
      parts.push(table("details-real-drive", details.realDriveColumns, details.realDrive.map(function (q) {
        return { marked: q.marked, cells: [q.label, q.requested, q.real, q.deviation] };
      })));
      parts.push(node("h3", {}, details.findingsHeading));
      if (details.findings.length > 0) {
        var list = node("ul", { id: "details-findings", class: "marked" });
        details.findings.forEach(function (text) {
          list.appendChild(node("li", {}, details.findingMark + text));
        });
        parts.push(list);
      } else {
        parts.push(node("p", { id: "details-findings" }, details.findingsNote));
      }
      parts.push(node("h3", {}, details.plotHeading));
      if (details.svg !== null) {
        parts.push(plotOf(details.svg));
      }
      // The note says why there is no plot, or how the integers' drive ends; the save button comes last.
      if (details.plotNote) {
        parts.push(node("p", { id: "details-plot-note", class: "note" }, details.plotNote));
      }
      if (details.svg !== null) {
        var saveActions = node("div", { class: "actions" });
        saveActions.appendChild(buttonWithMnemonic("details-save", details.saveButton)).addEventListener("click", function () {
          save(details);
        });
        parts.push(saveActions);
      }
    }
    section.replaceChildren.apply(section, parts);
    if (focused && document.getElementById(focused)) {
      document.getElementById(focused).focus();
    }
  }

  function refresh() {
    veldronixPage.handInFields();
    current = JSON.parse(veldronixPage.call("vx_details", "string", [], []));
    render(current);
  }

  function start() {
    section.hidden = false;
    var pulses = document.getElementById("IDC_PULSE_COUNT");
    if (pulses) {
      pulses.addEventListener("input", refresh);
    }
    refresh();
  }

  return { start: start, refresh: refresh };
})();
