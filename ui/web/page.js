"use strict";
// The page's own script: it lays the dialogs out from their dialog units, hands
// the fields to the program before each command, and plays back what the
// command did in its order, waiting at each message until the user has closed
// it. Every text it shows comes from the program or from the layout.

// The emscripten program's settings; its script follows this one.
var Module = {
  // The program is inside the page as a data address: decoded here, so that
  // nothing is fetched, not even that address.
  instantiateWasm: function (imports, receiveInstance) {
    var bytes = tryParseAsDataURI(wasmBinaryFile);
    WebAssembly.instantiate(bytes, imports).then(function (result) {
      receiveInstance(result.instance);
    }, function (error) {
      veldronixPage.failed(error);
    });
    return {};
  },
  onRuntimeInitialized: function () {
    veldronixPage.start();
  },
  onAbort: function (what) {
    veldronixPage.failed(what);
  },
};

var veldronixPage = (function () {
  // A field's text goes to the program only as far as its 78-byte cut can reach.
  var transportedUnits = 100;
  var byNumber = {};
  var busy = false;

  function element(id) {
    return document.getElementById(id);
  }

  // number * numerator / denominator rounded half away from zero, as Windows scales dialog units.
  function mulDiv(number, numerator, denominator) {
    var product = number * numerator;
    var quotient = Math.floor((Math.abs(product) + Math.floor(denominator / 2)) / denominator);
    return product < 0 ? -quotient : quotient;
  }

  // The dialog font's base units: the rounded average width of the 52 Latin
  // letters and the height of a line, as Windows (and the Qt dialog) measure them.
  function baseUnits(client) {
    var style = getComputedStyle(client);
    var context = document.createElement("canvas").getContext("2d");
    context.font = style.fontStyle + " " + style.fontWeight + " " + style.fontSize + " " + style.fontFamily;
    var letters = Math.round(context.measureText("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz").width);
    var metrics = context.measureText("ABC");
    var height = Math.round(metrics.fontBoundingBoxAscent || 0) + Math.round(metrics.fontBoundingBoxDescent || 0);
    if (!(height > 0)) {
      height = Math.round(parseFloat(style.fontSize) * 1.0) || 12;
    }
    return { x: Math.floor((Math.floor(letters / 26) + 1) / 2), y: height };
  }

  function place(node, rect, units) {
    node.style.left = mulDiv(rect[0], units.x, 4) + "px";
    node.style.top = mulDiv(rect[1], units.y, 8) + "px";
    node.style.width = mulDiv(rect[2], units.x, 4) + "px";
    node.style.height = mulDiv(rect[3], units.y, 8) + "px";
  }

  function numbers(text) {
    return text.split(" ").map(Number);
  }

  function layOut() {
    document.querySelectorAll("[data-size]").forEach(function (client) {
      var units = baseUnits(client);
      var size = numbers(client.dataset.size);
      client.style.width = mulDiv(size[0], units.x, 4) + "px";
      client.style.height = mulDiv(size[1], units.y, 8) + "px";
      client.querySelectorAll("[data-rect]").forEach(function (node) {
        place(node, numbers(node.dataset.rect), units);
      });
    });
    reflow();
  }

  // Below the dialog's own width (a phone) the dialog becomes one column: each
  // label beside its field, the group boxes' captions as headings, the rest in
  // reading order, so that nothing needs sideways scrolling. The fields keep the
  // template's (tab) order in the column; the order is worked out once.
  function flowOrder(client) {
    var controls = Array.prototype.slice.call(client.querySelectorAll(":scope > [data-rect]"));
    var labelOf = {};
    controls.forEach(function (node) {
      if (node.tagName === "LABEL" && node.htmlFor) {
        labelOf[node.htmlFor] = node;
      }
    });
    var placed = controls.filter(function (node) {
      return !(node.tagName === "LABEL" && node.htmlFor);
    }).map(function (node, index) {
      var rect = numbers(node.dataset.rect);
      return { node: node, y: rect[1], x: rect[0], index: index };
    }).sort(function (a, b) {
      return a.y - b.y || a.x - b.x || a.index - b.index;
    });
    // Controls whose tops lie within 2 dialog units of a row's first are one row, read left to right.
    var rows = [];
    placed.forEach(function (item) {
      var row = rows[rows.length - 1];
      if (row && item.y - row[0].y <= 2) {
        row.push(item);
      } else {
        rows.push([item]);
      }
    });
    var sequence = [];
    rows.forEach(function (row) {
      row.sort(function (a, b) {
        return a.x - b.x || a.index - b.index;
      });
      sequence = sequence.concat(row.map(function (item) { return item.node; }));
    });
    // The places of the focusable controls are filled in their tab order.
    var focusable = function (node) {
      return /^(INPUT|SELECT|BUTTON)$/.test(node.tagName);
    };
    var inTabOrder = controls.filter(focusable);
    sequence = sequence.map(function (node) {
      return focusable(node) ? inTabOrder.shift() : node;
    });
    var order = 0;
    sequence.forEach(function (node) {
      if (labelOf[node.id]) {
        labelOf[node.id].style.setProperty("--flow-order", String(order++));
        node.classList.add("labelled");
      }
      node.style.setProperty("--flow-order", String(order++));
    });
  }

  // Each dialog (the main one on the page, the About box over it) flows into one
  // column where the window is narrower than the dialog with its margins.
  function reflow() {
    var width = document.documentElement.clientWidth;
    document.querySelectorAll("[data-size]").forEach(function (client) {
      var margins = 48; // a modal box's own margins and border
      if (client.id === "IDD_MAIN") {
        var page = getComputedStyle(client.parentElement);
        margins = parseFloat(page.paddingLeft) + parseFloat(page.paddingRight) + 2;
      }
      var natural = mulDiv(numbers(client.dataset.size)[0], baseUnits(client).x, 4);
      client.classList.toggle("flow", width < natural + margins);
    });
    markCutTexts();
  }

  function call(name, returns, types, values) {
    return Module.ccall(name, returns, types, values);
  }

  // The page's fields and selectors as they stand, handed to the program's view.
  function handInFields() {
    Object.keys(byNumber).forEach(function (number) {
      var node = byNumber[number];
      if (node.tagName === "INPUT") {
        call("vx_set_field_text", null, ["number", "string"], [Number(number), node.value.slice(0, transportedUnits)]);
      } else if (node.tagName === "SELECT") {
        call("vx_set_selection", null, ["number", "number"], [Number(number), node.selectedIndex]);
      }
    });
  }

  function write(number, text) {
    var node = byNumber[number];
    if (!node) {
      return;
    }
    if (node.tagName === "INPUT") {
      node.value = text;
    } else if (node.tagName !== "SELECT") {
      node.textContent = text;
      describeResult(node);
    }
  }

  // Whether a result's text reaches outside its box (a field too narrow for it):
  // its whole text is then the field's tooltip.
  function isCut(node) {
    if (!node.textContent || !node.getClientRects().length) {
      return false;
    }
    var range = document.createRange();
    range.selectNodeContents(node);
    var text = range.getBoundingClientRect();
    var box = node.getBoundingClientRect();
    return text.left < box.left - 0.5 || text.right > box.right + 0.5 ||
      text.top < box.top - 0.5 || text.bottom > box.bottom + 0.5;
  }

  // The notes of results that no longer belong to the calculation the program
  // holds, by control number; each field names its note as its description.
  var staleNotes = {};

  function describeResult(node) {
    var note = staleNotes[node.dataset.control];
    var tip = [];
    if (isCut(node)) {
      tip.push(node.textContent);
    }
    node.classList.toggle("stale", note !== undefined);
    if (note !== undefined) {
      tip.push(note);
      node.setAttribute("aria-describedby", "note-" + node.id);
    } else {
      node.removeAttribute("aria-describedby");
    }
    if (tip.length > 0) {
      node.title = tip.join("\n");
    } else {
      node.removeAttribute("title");
    }
  }

  function markCutTexts() {
    document.querySelectorAll("#IDD_MAIN output").forEach(describeResult);
  }

  // stale: [{control, note}] for each result the program says is stale; the
  // others are current. The notes are the fields' accessible descriptions.
  function showFreshness(stale) {
    staleNotes = {};
    var notes = element("result-notes");
    notes.replaceChildren();
    stale.forEach(function (entry) {
      var node = byNumber[entry.control];
      if (!node) {
        return;
      }
      staleNotes[entry.control] = entry.note;
      var note = document.createElement("span");
      note.id = "note-" + node.id;
      note.textContent = entry.note;
      notes.appendChild(note);
    });
    markCutTexts();
  }

  function select(number, index) {
    var node = byNumber[number];
    if (node && node.tagName === "SELECT") {
      node.selectedIndex = index;
    }
  }

  // Opens a modal box; resolves when it has closed (OK, or Esc as on a message
  // box), with the focus back where it was.
  function showModal(box) {
    var before = document.activeElement;
    return new Promise(function (resolve) {
      box.addEventListener("close", function () {
        if (before && typeof before.focus === "function" && document.contains(before)) {
          before.focus();
        }
        resolve();
      }, { once: true });
      box.showModal();
    });
  }

  function showMessage(text) {
    element("message-text").textContent = text;
    return showModal(element("message"));
  }

  // One button's command: the program runs it against the fields as they stand,
  // then its writes, selections and messages are shown in the order it made them.
  async function press(button) {
    if (busy || !Module.calledRun) {
      return;
    }
    busy = true;
    document.documentElement.dataset.busy = "true";
    try {
      handInFields();
      var operations = JSON.parse(call("vx_press", "string", ["number"], [Number(button.dataset.control)]));
      for (var i = 0; i < operations.length; ++i) {
        var operation = operations[i];
        if (operation.op === "write") {
          write(operation.control, operation.text);
        } else if (operation.op === "select") {
          select(operation.control, operation.index);
        } else if (operation.op === "message") {
          await showMessage(operation.text);
        }
      }
    } finally {
      busy = false;
    }
    if (window.veldronixDetails) {
      window.veldronixDetails.refresh();
    }
    // The command and everything it showed are over.
    document.documentElement.dataset.busy = "false";
  }

  // Enter in an edit presses the button of the group box the edit sits in
  // (決定 for the inputs, 算出 for the pulse count); nothing typed is lost.
  function buttonOfGroup(edit) {
    var inside = function (inner, outer) {
      return inner[0] >= outer[0] && inner[1] >= outer[1] &&
        inner[0] + inner[2] <= outer[0] + outer[2] && inner[1] + inner[3] <= outer[1] + outer[3];
    };
    var rect = numbers(edit.dataset.rect);
    var groups = Array.prototype.map.call(document.querySelectorAll("#IDD_MAIN .group"), function (group) {
      return numbers(group.dataset.rect);
    }).filter(function (group) {
      return inside(rect, group);
    }).sort(function (a, b) {
      return a[2] * a[3] - b[2] * b[3];
    });
    if (groups.length === 0) {
      return null;
    }
    var buttons = Array.prototype.filter.call(document.querySelectorAll("#IDD_MAIN button"), function (button) {
      return inside(numbers(button.dataset.rect), groups[0]);
    });
    return buttons.length === 1 ? buttons[0] : null;
  }

  function fillSelector(select) {
    var items = JSON.parse(call("vx_selector_items", "string", ["number"], [Number(select.dataset.control)]));
    select.textContent = "";
    items.forEach(function (text) {
      var option = document.createElement("option");
      option.textContent = text;
      select.appendChild(option);
    });
  }

  function start() {
    document.querySelectorAll("#IDD_MAIN [data-control]").forEach(function (node) {
      byNumber[node.dataset.control] = node;
    });
    var driveType = element("IDC_DRIVE_TYPE");
    var multiplier = element("IDC_MULTIPLIER");
    fillSelector(driveType);
    fillSelector(multiplier);
    // The first drive type; no multiplier until a calculation chooses one.
    driveType.selectedIndex = 0;
    multiplier.selectedIndex = -1;
    document.querySelectorAll("#IDD_MAIN button").forEach(function (button) {
      button.disabled = false;
      button.addEventListener("click", function () {
        press(button);
      });
    });
    document.querySelectorAll("#IDD_MAIN input").forEach(function (edit) {
      var target = buttonOfGroup(edit);
      edit.addEventListener("keydown", function (event) {
        if (event.key === "Enter" && !event.isComposing && target) {
          event.preventDefault();
          press(target);
        }
      });
    });
    if (window.veldronixDetails) {
      window.veldronixDetails.start();
    }
    if (document.activeElement === document.body || document.activeElement === null) {
      driveType.focus();
    }
    document.documentElement.dataset.ready = "true";
    // For scripts/web-figures: how long the page took to be ready to calculate.
    if (window.performance && performance.mark) {
      performance.mark("veldronix-ready");
    }
  }

  function failed(what) {
    document.documentElement.dataset.ready = "failed";
    element("start-failed").hidden = false;
    console.error("Veldronix: the program could not start: " + what);
  }

  // Before the program runs its buttons do nothing.
  document.querySelectorAll("#IDD_MAIN button").forEach(function (button) {
    button.disabled = true;
  });
  element("message-ok").addEventListener("click", function () {
    element("message").close();
  });
  var about = element("IDD_ABOUTBOX");
  element("IDOK").addEventListener("click", function () {
    about.close();
  });
  var aboutItem = element("IDM_ABOUTBOX");
  if (aboutItem) {
    aboutItem.addEventListener("click", function () {
      showModal(about);
    });
  }
  flowOrder(element("IDD_MAIN"));
  layOut();
  window.addEventListener("resize", reflow);
  if (document.fonts && document.fonts.ready) {
    document.fonts.ready.then(layOut);
  }
  element("IDC_DRIVE_TYPE").focus();

  // A control's command as if its button were clicked (the details' row choice presses 再計算).
  function pressControl(number) {
    var button = byNumber[number];
    return button && button.tagName === "BUTTON" ? press(button) : Promise.resolve();
  }

  return { start: start, failed: failed, call: call, handInFields: handInFields, select: select,
           pressControl: pressControl, showFreshness: showFreshness };
})();
