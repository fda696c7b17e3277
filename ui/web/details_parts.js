"use strict";
// The parts of the details that a user acts on: the buttons under a section,
// drawn from the program's values (label, state, menu), and what each does:
// copy a format, save the plot as a file type, choose a table's row, run a
// command of the section's form. What a row or a command asks of the dialog
// comes from the program; the page only carries it out.
var veldronixDetailsParts = (function () {
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

  function save(details, file, status) {
    var svgText = veldronixPage.call("vx_document_svg", "string", [], []);
    if (!svgText) {
      return;
    }
    status.textContent = "";
    var blob = file.format === "png" ? pngOf(svgText, details.pngScale)
                                     : Promise.resolve(new Blob([svgText], { type: "image/svg+xml" }));
    blob.then(function (made) {
      download(made, file.name);
      status.textContent = file.note;
    }, function (error) {
      console.error("Veldronix: the plot could not be drawn as PNG: " + error);
    });
  }

  // The choices made last in a chooser, kept while the details are drawn anew.
  var chosen = {};

  // A chooser of labelled choices beside a button, named by the button's text.
  function chooser(id, choices, button) {
    var select = node("select", { id: id, "aria-label": button.textContent });
    choices.forEach(function (choice, index) {
      select.appendChild(node("option", { value: String(index) }, choice.label));
    });
    select.selectedIndex = Math.min(chosen[id] || 0, choices.length - 1);
    select.addEventListener("change", function () {
      chosen[id] = select.selectedIndex;
    });
    return select;
  }

  // A button with a menu: the menu as a chooser before it, where it offers more than one choice.
  function withMenu(actions, id, button, choices) {
    var select = choices.length > 1 ? actions.appendChild(chooser(id + "-format", choices, button)) : null;
    actions.appendChild(button);
    return function () {
      return choices[select ? select.selectedIndex : 0];
    };
  }

  function copyButton(details, value, actions) {
    var button = buttonWithMnemonic("details-copy", value.label);
    var choice = withMenu(actions, "details-copy", button, value.menu);
    var status = actions.appendChild(node("span", { id: "details-copied", role: "status" }));
    button.addEventListener("click", function () {
      status.textContent = "";
      copyText(choice().text).then(function () {
        status.textContent = details.copied;
      }, function () {});
    });
    return button;
  }

  function saveButton(details, value, actions) {
    var button = buttonWithMnemonic("details-save", value.label);
    var file = withMenu(actions, "details-save", button, details.files);
    var status = actions.appendChild(node("span", { id: "details-saved", role: "status" }));
    button.addEventListener("click", function () {
      save(details, file(), status);
    });
    return button;
  }

  // A table whose rows can be chosen: a click or the keyboard's focus selects a
  // row, a double click or Enter chooses it, and so does the button, which is
  // greyed while no row is selected. Choosing does what the program says the
  // row asks of the dialog (its multiplier in 倍率, then 再計算), with its messages.
  function chooseButton(value, holder, actions) {
    var rows = holder ? Array.prototype.slice.call(holder.querySelectorAll("tbody tr[data-index]")) : [];
    var button = actions.appendChild(buttonWithMnemonic("details-choose", value.label));
    var selected = null;
    var select = function (row) {
      rows.forEach(function (other) {
        other.setAttribute("aria-selected", String(other === row));
        other.tabIndex = other === row ? 0 : -1;
      });
      selected = row;
      button.disabled = !(value.enabled && (!value.needsSelectedRow || selected));
    };
    var choose = function (row) {
      if (row) {
        veldronixPage.perform(JSON.parse(row.dataset.requests));
      }
    };
    if (holder) {
      holder.querySelector("table").setAttribute("role", "grid");
    }
    rows.forEach(function (row, position) {
      row.id = "details-row-" + row.dataset.index;
      row.classList.add("choosable");
      row.setAttribute("aria-selected", "false");
      row.tabIndex = position === 0 ? 0 : -1;
      row.addEventListener("focus", function () {
        select(row);
      });
      row.addEventListener("click", function () {
        row.focus();
      });
      row.addEventListener("dblclick", function () {
        choose(row);
      });
      row.addEventListener("keydown", function (event) {
        if (event.key === "Enter") {
          event.preventDefault();
          choose(selected);
        } else if (event.key === "ArrowDown" || event.key === "ArrowUp") {
          event.preventDefault();
          var next = position + (event.key === "ArrowDown" ? 1 : -1);
          rows[Math.max(0, Math.min(rows.length - 1, next))].focus();
        }
      });
    });
    button.disabled = !(value.enabled && !value.needsSelectedRow);
    button.addEventListener("click", function () {
      choose(selected);
    });
    return button;
  }

  // The buttons under a section, as the program gives them; holder: the section's table.
  function buttons(details, section, index, holder) {
    var actions = node("div", { class: "actions" });
    section.buttons.forEach(function (value, position) {
      var made = null;
      if (value.action === "copy") {
        made = copyButton(details, value, actions);
      } else if (value.action === "savePlot") {
        made = saveButton(details, value, actions);
      } else if (value.action === "chooseRow") {
        made = chooseButton(value, holder, actions);
      } else if (value.action === "saveMachine" || value.action === "openMachine") {
        made = actions.appendChild(buttonWithMnemonic("details-" + value.action, value.label));
        made.addEventListener("click", value.action === "saveMachine" ? veldronixMachine.save : veldronixMachine.choose);
        if (value.action === "openMachine") {
          var shown = veldronixMachine.note();
          var note = actions.appendChild(node("span", { id: "details-machine-note", role: "status" },
                                                shown ? shown.text : ""));
          if (shown && shown.failed) {
            note.classList.add("warning");
          }
        }
      } else if (value.action === "command" && section.form) {
        made = actions.appendChild(buttonWithMnemonic("details-command-" + index + "-" + position, value.label));
        made.addEventListener("click", function () {
          veldronixForm.command(section.form, value.command);
        });
      }
      if (made && value.action !== "chooseRow") {
        made.disabled = !value.enabled;
      }
    });
    return actions;
  }

  return { node: node, buttons: buttons, download: download };
})();
