"use strict";
// A section's form: its choices and labelled number fields with their units
// and findings, drawn from the program's values. Every edit goes to the form's
// controller in the program, which keeps what the form holds, and the details
// are drawn again from what it then says; Enter in a field and the section's
// command buttons run its commands, whose requests the dialog carries out.
var veldronixForm = (function () {
  var node = function (tag, attributes, text) {
    return veldronixDetailsParts.node(tag, attributes, text);
  };

  // Each form as the program last gave it, by name: a field kept across drawings
  // answers with the form of now.
  var current = {};

  function idOf(form, kind, key) {
    return "details-form-" + form.name + "-" + kind + "-" + key;
  }

  function call(name, returns, types, values) {
    return veldronixPage.call(name, returns, types, values);
  }

  // What the form's fields and choices hold now, handed to the program.
  function handIn(form) {
    call("vx_form_clear", null, [], []);
    form.fields.forEach(function (field) {
      var input = document.getElementById(idOf(form, "field", field.key));
      call("vx_set_form_field", null, ["string", "string"], [field.key, input ? input.value : field.text]);
    });
    form.choices.forEach(function (choice) {
      var select = document.getElementById(idOf(form, "choice", choice.key));
      call("vx_set_form_choice", null, ["string", "number"], [choice.key, select ? select.selectedIndex : choice.selected]);
    });
  }

  function edit(form) {
    handIn(form);
    call("vx_form_edit", null, ["string"], [form.name]);
    veldronixDetails.refresh();
  }

  async function command(form, name) {
    handIn(form);
    var requests = JSON.parse(call("vx_form_command", "string", ["string", "string"], [form.name, name]));
    await veldronixPage.perform(requests);
    veldronixDetails.refresh();
  }

  // A field's row: label, input, unit, and the finding under it. The input the
  // user types in is kept as it is (its text, caret and focus) when the details
  // are drawn again, so that typing never stumbles.
  function fieldRow(form, field) {
    var id = idOf(form, "field", field.key);
    var input = document.getElementById(id);
    if (!input || input !== document.activeElement) {
      input = node("input", { id: id, type: "text", inputmode: "decimal", autocomplete: "off", spellcheck: "false" });
      input.value = field.text;
      input.addEventListener("input", function () {
        edit(current[form.name]);
      });
      input.addEventListener("keydown", function (event) {
        if (event.key === "Enter" && !event.isComposing && input.dataset.enter) {
          event.preventDefault();
          command(current[form.name], input.dataset.enter);
        }
      });
    }
    input.disabled = !field.used;
    input.dataset.enter = field.enterCommand;
    var row = node("div", { class: "form-row" });
    row.appendChild(node("label", { for: id }, field.label));
    row.appendChild(input);
    row.appendChild(node("span", { class: "unit" }, field.unit));
    if (field.finding) {
      var finding = row.appendChild(node("p", { id: id + "-finding", class: "finding" }, field.finding));
      finding.classList.toggle("warning", field.findingWarning);
      input.setAttribute("aria-describedby", finding.id);
    } else {
      input.removeAttribute("aria-describedby");
    }
    return row;
  }

  function choiceRow(form, choice) {
    var id = idOf(form, "choice", choice.key);
    var select = node("select", { id: id });
    choice.items.forEach(function (item) {
      select.appendChild(node("option", {}, item));
    });
    select.selectedIndex = choice.selected;
    select.addEventListener("change", function () {
      edit(current[form.name]);
    });
    var row = node("div", { class: "form-row" });
    row.appendChild(node("label", { for: id }, choice.label));
    row.appendChild(select);
    row.appendChild(node("span", { class: "unit" })); // the units' column, empty
    return row;
  }

  function render(form) {
    current[form.name] = form;
    var made = node("div", { class: "form", "data-form": form.name });
    form.choices.forEach(function (choice) {
      made.appendChild(choiceRow(form, choice));
    });
    form.fields.forEach(function (field) {
      made.appendChild(fieldRow(form, field));
    });
    return made;
  }

  return { render: render, command: command };
})();
