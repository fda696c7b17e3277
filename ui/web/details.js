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

  function call(name, types, values) {
    return veldronixPage.call(name, "string", types || [], values || []);
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
      }
      row.cells.forEach(function (cell, index) {
        var align = part.columns[index] ? part.columns[index].align : "left";
        var made = tr.appendChild(node(index === 0 ? "th" : "td", index === 0 ? { scope: "row" } : {}));
        made.classList.add(align);
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

  function download(blob, name) {
    var link = node("a", { download: name });
    link.href = URL.createObjectURL(blob);
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function () {
      URL.revokeObjectURL(link.href);
    }, 60000);
  }

  // The document's SVG drawn onto a canvas of the document's size times scale, as PNG.
  function pngOf(svgText, scale) {
    return new Promise(function (resolve, reject) {
      var svg = new DOMParser().parseFromString(svgText, "image/svg+xml").documentElement;
      var canvas = node("canvas");
      canvas.width = Math.ceil(parseFloat(svg.getAttribute("width")) * scale);
      canvas.height = Math.ceil(parseFloat(svg.getAttribute("height")) * scale);
      var image = new Image();
      image.onload = function () {
        canvas.getContext("2d").drawImage(image, 0, 0, canvas.width, canvas.height);
        canvas.toBlob(function (blob) {
          return blob ? resolve(blob) : reject(new Error("no PNG"));
        }, "image/png");
      };
      image.onerror = function () {
        reject(new Error("the SVG did not load"));
      };
      image.src = "data:image/svg+xml;charset=utf-8," + encodeURIComponent(svgText);
    });
  }

  function save(details, file, format, status) {
    var svgText = call("vx_document_svg");
    if (!svgText) {
      return;
    }
    status.textContent = "";
    var blob = format === "png" ? pngOf(svgText, details.pngScale) : Promise.resolve(new Blob([svgText], { type: "image/svg+xml" }));
    blob.then(function (made) {
      download(made, file.name);
      status.textContent = file.note;
    }, function (error) {
      console.error("Veldronix: the plot could not be drawn as PNG: " + error);
    });
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

  // The formats chosen last, kept while the details are drawn anew.
  var chosen = {};

  // A format chooser beside a button, named by the button's text.
  function chooser(id, formats) {
    var select = node("select", { id: id });
    formats.forEach(function (format, index) {
      select.appendChild(node("option", { value: String(index) }, format.label));
    });
    select.selectedIndex = Math.min(chosen[id] || 0, formats.length - 1);
    select.addEventListener("change", function () {
      chosen[id] = select.selectedIndex;
    });
    return select;
  }

  function copyActions(details, actions) {
    var status = node("span", { id: "details-copied", role: "status" });
    var formats = details.copyFormats;
    var select = formats.length > 1 ? actions.appendChild(chooser("details-copy-format", formats)) : null;
    var copy = actions.appendChild(buttonWithMnemonic("details-copy", details.copyButton));
    if (select) {
      select.setAttribute("aria-label", copy.textContent);
    }
    actions.appendChild(status);
    copy.addEventListener("click", function () {
      status.textContent = "";
      copyText(formats[select ? select.selectedIndex : 0].text).then(function () {
        status.textContent = details.copied;
      }, function () {});
    });
  }

  function saveActions(details, actions) {
    var files = [details.files.svg, details.files.png];
    var select = actions.appendChild(chooser("details-save-format", files));
    var button = actions.appendChild(buttonWithMnemonic("details-save", details.saveButton));
    select.setAttribute("aria-label", button.textContent);
    var status = actions.appendChild(node("span", { id: "details-saved", role: "status" }));
    button.addEventListener("click", function () {
      save(details, files[select.selectedIndex], select.selectedIndex === 1 ? "png" : "svg", status);
    });
  }

  // A table whose rows are multipliers to choose: a click selects a row, a
  // double click or Enter chooses it, and so does the button under the table.
  // Choosing selects the row's multiplier in 倍率 and presses 再計算, exactly as
  // the user would.
  function choosableRows(details, holder, actions) {
    var multiplier = document.getElementById("IDC_MULTIPLIER");
    var recalculate = document.getElementById("IDC_RECALCULATE");
    var rows = Array.prototype.slice.call(holder.querySelectorAll("tbody tr[data-index]"));
    var selected = rows.filter(function (row) {
      return Number(row.dataset.index) === multiplier.selectedIndex;
    })[0] || rows[0];
    var select = function (row, focus) {
      rows.forEach(function (other) {
        other.setAttribute("aria-selected", String(other === row));
        other.tabIndex = other === row ? 0 : -1;
      });
      selected = row;
      if (focus) {
        row.focus();
      }
    };
    var choose = function (row) {
      veldronixPage.select(multiplier.dataset.control, Number(row.dataset.index));
      veldronixPage.pressControl(recalculate.dataset.control);
    };
    holder.querySelector("table").setAttribute("role", "grid");
    rows.forEach(function (row, position) {
      row.id = "details-row-" + row.dataset.index;
      row.classList.add("choosable");
      row.addEventListener("click", function () {
        select(row, true);
      });
      row.addEventListener("dblclick", function () {
        choose(row);
      });
      row.addEventListener("keydown", function (event) {
        if (event.key === "Enter") {
          event.preventDefault();
          choose(row);
        } else if ((event.key === "ArrowDown" || event.key === "ArrowUp") && rows.length > 0) {
          event.preventDefault();
          var next = position + (event.key === "ArrowDown" ? 1 : -1);
          select(rows[Math.max(0, Math.min(rows.length - 1, next))], true);
        }
      });
    });
    if (selected) {
      select(selected, false);
      var button = actions.appendChild(buttonWithMnemonic("details-choose", details.chooseButton));
      button.addEventListener("click", function () {
        choose(selected);
      });
    }
  }

  function sectionParts(details, part, index) {
    var id = "details-section-" + index;
    var parts = [node("h3", { id: id }, part.heading)];
    var holder = null;
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
    if (part.actions.length > 0) {
      var actions = node("div", { class: "actions" });
      part.actions.forEach(function (action) {
        if (action === "copy" && details.copyFormats.length > 0) {
          copyActions(details, actions);
        } else if (action === "savePlot" && part.plotted) {
          saveActions(details, actions);
        } else if (action === "chooseRow" && holder) {
          choosableRows(details, holder, actions);
        }
      });
      parts.push(actions);
    }
    return parts;
  }

  // A figure too long for its cell (a pulse count of 1e300) is cut with "…";
  // its whole text is the cell's tooltip.
  function markCutCells() {
    section.querySelectorAll("div.cell").forEach(function (cell) {
      if (cell.scrollWidth > cell.clientWidth) {
        cell.title = cell.textContent;
      } else {
        cell.removeAttribute("title");
      }
    });
  }

  function render(details) {
    var focused = document.activeElement && section.contains(document.activeElement) ? document.activeElement.id : "";
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
    markCutCells();
    if (focused && document.getElementById(focused)) {
      document.getElementById(focused).focus();
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
    window.addEventListener("resize", markCutCells);
    var pulses = document.getElementById("IDC_PULSE_COUNT");
    if (pulses) {
      pulses.addEventListener("input", refresh);
    }
    refresh();
  }

  return { start: start, refresh: refresh };
})();
