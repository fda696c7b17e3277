"use strict";
// The dialogs' layout: each control placed from its dialog-unit rectangle with
// the page font's metrics, as Windows (and the Qt dialog) convert them, and below
// the dialog's own width one column in tab order.
var veldronixLayout = (function () {
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
  }

  return { layOut: layOut, reflow: reflow, flowOrder: flowOrder };
})();
