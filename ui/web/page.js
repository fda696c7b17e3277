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

  // The dialogs laid out from their dialog units, and again as the window's width changes.
  function layOut() {
    veldronixLayout.layOut();
    markCutTexts();
  }

  function reflow() {
    veldronixLayout.reflow();
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
      node.dataset.whole = text;
      describeResult(node);
    }
  }

  // A result's whole text as the program wrote it; the field may show it shrunk or cut.
  function wholeText(node) {
    return node.dataset.whole !== undefined ? node.dataset.whole : node.textContent;
  }

  // Shows a result as the program's rule has it for the field's width: a figure
  // shrinks to fit down to a readable size, else shows its start and the cut
  // mark, so that no part of a number reads as another. Answers the rule's
  // outcome, or null for a result that shows as it is (the summary).
  function fitResult(node) {
    var text = wholeText(node);
    node.dataset.whole = text;
    node.style.fontSize = "";
    node.textContent = text;
    if (!text || !node.getClientRects().length || !Module.calledRun) {
      return null;
    }
    var style = getComputedStyle(node);
    var room = node.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    var fitted = JSON.parse(call("vx_result_field_text", "string", ["number", "string", "number", "number"],
                                 [Number(node.dataset.control), text, room, parseFloat(style.fontSize)]));
    if (fitted) {
      node.textContent = fitted.shown;
      if (fitted.scale < 1) {
        node.style.fontSize = fitted.scale + "em";
      }
    }
    return fitted;
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
    var fitted = fitResult(node);
    if (fitted ? fitted.cut : isCut(node)) {
      tip.push(wholeText(node));
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

  // The input fields read otherwise than typed at the last command: each marked
  // with its findings as its title; the others plain.
  function showFindings() {
    var notes = {};
    JSON.parse(call("vx_field_findings", "string", [], [])).forEach(function (entry) {
      notes[entry.control] = entry.note;
    });
    Object.keys(byNumber).forEach(function (number) {
      var node = byNumber[number];
      if (node.tagName !== "INPUT" && node.tagName !== "SELECT") {
        return;
      }
      var note = notes[number];
      node.classList.toggle("misread", note !== undefined);
      if (note !== undefined) {
        node.title = note;
      } else {
        node.removeAttribute("title");
      }
    });
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
      // What the command read is marked at once, also while its message is open.
      showFindings();
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

  // Enter in a field or selector presses the button the program names for it
  // (決定 for the drive, 再計算 for 倍率, 算出 for the pulse count); nothing typed is lost.
  function bindEnterKeys() {
    JSON.parse(call("vx_enter_keys", "string", [], [])).forEach(function (key) {
      var field = byNumber[key.field];
      var button = byNumber[key.button];
      if (!field || !button) {
        return;
      }
      field.addEventListener("keydown", function (event) {
        if (event.key === "Enter" && !event.isComposing) {
          event.preventDefault();
          press(button);
        }
      });
    });
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
    bindEnterKeys();
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
  veldronixLayout.flowOrder(element("IDD_MAIN"));
  layOut();
  window.addEventListener("resize", reflow);
  if (document.fonts && document.fonts.ready) {
    document.fonts.ready.then(layOut);
  }
  element("IDC_DRIVE_TYPE").focus();

  // What a part of the details asks of the dialog (a row chosen, a form applied),
  // done in order as a user would: texts typed, items selected, buttons pressed,
  // each press with its messages before the next request.
  async function perform(requests) {
    for (var i = 0; i < requests.length; ++i) {
      var request = requests[i];
      var node = byNumber[request.control];
      if (request.op === "write") {
        write(request.control, request.text);
      } else if (request.op === "select") {
        select(request.control, request.index);
      } else if (request.op === "press" && node && node.tagName === "BUTTON") {
        await press(node);
      }
    }
  }

  return { start: start, failed: failed, call: call, handInFields: handInFields, perform: perform,
           showFreshness: showFreshness };
})();
