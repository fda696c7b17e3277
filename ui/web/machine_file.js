"use strict";
// The machine file in the page: a save downloads the file the program writes,
// an open reads a file chosen or dropped onto the page and hands its bytes to
// the program in pieces. What each did shows under the section's buttons (a
// failure in the warning colour), and the page's title names the file.
var veldronixMachine = (function () {
  var baseTitle = document.title;
  var note = null; // {text, failed} of the last save or open
  var pieceSize = 65536; // the bytes handed in at once, well inside the program's stack

  function call(name, returns, types, values) {
    return veldronixPage.call(name, returns, types, values);
  }

  async function show(outcome) {
    note = { text: outcome.note, failed: outcome.failed };
    await veldronixPage.perform(outcome.requests || []);
    document.title = call("vx_machine_title", "string", ["string"], [baseTitle]);
    veldronixDetails.refresh();
  }

  function save() {
    veldronixPage.handInFields();
    var file = JSON.parse(call("vx_machine_file", "string", [], []));
    if (file.failed) {
      return show(file);
    }
    veldronixDetailsParts.download(new Blob([file.text], { type: "application/json" }), file.name);
    return show(JSON.parse(call("vx_machine_saved", "string", ["string"], [file.name])));
  }

  async function open(file) {
    var readable = 1;
    call("vx_begin_machine", null, [], []);
    try {
      for (var start = 0; start < file.size; start += pieceSize) {
        var bytes = new Uint8Array(await file.slice(start, start + pieceSize).arrayBuffer());
        if (!call("vx_machine_bytes", "number", ["array", "number"], [bytes, bytes.length])) {
          break; // already more than any machine file holds
        }
      }
    } catch (error) {
      readable = 0;
    }
    return show(JSON.parse(call("vx_open_machine", "string", ["string", "number"], [file.name, readable])));
  }

  // The system's file chooser, as the open button's click.
  function choose() {
    var input = document.createElement("input");
    input.type = "file";
    input.accept = ".json";
    input.id = "details-machine-file";
    input.hidden = true;
    input.addEventListener("change", function () {
      var file = input.files && input.files[0];
      input.remove();
      if (file) {
        open(file);
      }
    });
    document.body.appendChild(input);
    input.click();
  }

  // A file dropped anywhere on the page opens; the browser never leaves the page for it.
  document.addEventListener("dragover", function (event) {
    event.preventDefault();
  });
  document.addEventListener("drop", function (event) {
    event.preventDefault();
    var files = event.dataTransfer && event.dataTransfer.files;
    if (files && files.length > 0) {
      open(files[0]);
    }
  });

  return { save: save, open: open, choose: choose, note: function () { return note; } };
})();
