#!/usr/bin/env python3
"""Writes the web page's shell from res/dialog_layout.def, for emcc --shell-file.

Usage: generate_page.py VERSION LAYOUT_DEF CONTROL_ID_H DETAILS_STYLE_H ICON_FOLDER OUT_HTML PAGE_CSS SCRIPT...

The dialog's controls, texts and dialog-unit rectangles, the About box, the
caption and the program's name come from the layout description through the
resource generator's own reader, the icon from the pixel files the Windows icon
is drawn from, the details' colours from report/details_style.h (as CSS
variables, so that the page marks a warning in the colour every window uses);
the page's style and scripts are taken in as they stand. emcc
puts the compiled program where the shell says {{{ SCRIPT }}}.

VERSION is the product's version as CMake has it ("1.0.0.1"): the page names it,
and the About box's version line shows its major and minor numbers.
"""

import base64
import html
import os
import re
import struct
import sys
import zlib

# No compiled copies of the imported scripts in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res"))
import generate_resources  # noqa: E402  the one reader of the layout description
import make_icon  # noqa: E402  the one reader of the icon's pixel files

LayoutError = generate_resources.LayoutError

# Japanese proportional Gothic faces drawn to the metrics of the dialog font,
# most faithful first, as the Qt dialog chooses them, then the usual Japanese
# sans-serif faces of each platform.
STAND_IN_FACES = ["MS PGothic", "IPAPGothic", "IPA Pゴシック", "VL PGothic", "Hiragino Kaku Gothic ProN",
                  "Hiragino Sans", "Yu Gothic UI", "Meiryo UI", "Meiryo", "Noto Sans CJK JP", "Noto Sans JP"]

# Fields a static text can label: the selectors, the edits and the result fields.
FIELD_KINDS = {"Combo", "EditExRight", "EditRight", "Result"}
LABEL_KINDS = {"Label", "LabelNoPrefix"}
# A drop-down's template height is that of its open list; the closed box is this high (dialog units).
COMBO_BOX_HEIGHT = 14

# The stop (hand) icon of a message box: a red disc with a white cross.
STOP_ICON = ('<svg class="stop-icon" viewBox="0 0 32 32" width="32" height="32" aria-hidden="true">'
             '<circle cx="16" cy="16" r="15" fill="#e0301e" stroke="#8c1209" stroke-width="1.5"/>'
             '<path d="M10.5 10.5 21.5 21.5M21.5 10.5 10.5 21.5" stroke="#fff" stroke-width="4" '
             'stroke-linecap="round"/></svg>')


def without_mnemonic_marks(text):
    """A static text as shown: '&&' is one ampersand, a lone '&' only marks the next character."""
    shown = []
    marked = False
    for character in text:
        if character == "&" and not marked:
            marked = True
            continue
        shown.append(character)
        marked = False
    return "".join(shown)


def with_mnemonic(text):
    """The text as HTML with its mnemonic character underlined, and that character."""
    out = []
    key = None
    i = 0
    while i < len(text):
        if text[i] == "&" and i + 1 < len(text):
            if text[i + 1] != "&" and key is None:
                key = text[i + 1]
                out.append(f"<u>{html.escape(key)}</u>")
            else:
                out.append(html.escape(text[i + 1]))
            i += 2
            continue
        out.append(html.escape(text[i]))
        i += 1
    return "".join(out), key


def field_row_height(control):
    return COMBO_BOX_HEIGHT if control["kind"] == "Combo" else control["rect"][3]


def label_targets(controls):
    """For each static text, the field it labels: the nearest field to its right
    whose row holds the middle of the text. A field has at most one label."""
    fields = [c for c in controls if c["kind"] in FIELD_KINDS and c["id"] != "IDC_STATIC"]
    targets = {}
    for index, control in enumerate(controls):
        if control["kind"] not in LABEL_KINDS:
            continue
        x, y, width, height = control["rect"]
        middle = y + height / 2
        candidates = [f for f in fields
                      if f["rect"][0] > x and f["rect"][1] <= middle <= f["rect"][1] + field_row_height(f)]
        if candidates:
            nearest = min(candidates, key=lambda f: f["rect"][0])
            if nearest["id"] in targets.values():
                raise LayoutError(f"{nearest['id']} has two labels")
            targets[index] = nearest["id"]
    return targets


def rect_attribute(control):
    x, y, width, height = control["rect"]
    if control["kind"] == "Combo":
        height = COMBO_BOX_HEIGHT
    return f'data-rect="{x} {y} {width} {height}"'


def text_html(text):
    # Line breaks stay as they are: the page shows static texts with white-space: pre-wrap.
    return html.escape(text)


def control_html(control, index, count, label_for, control_ids):
    kind = control["kind"]
    identifier = control["id"]
    rect = rect_attribute(control)
    # Windows stacks a template's controls with the first on top: where two
    # overlap (出力パルス数 reaches into the pulse count's edit) the earlier one is seen.
    stack = f'style="z-index:{count - index}"'
    if identifier not in control_ids:
        raise LayoutError(f"{identifier} is not a ControlId")
    number = f'data-control="{control_ids[identifier]}"' if identifier != "IDC_STATIC" else ""
    if kind == "Combo":
        return f'<select id="{identifier}" {number} class="control combo" {rect} {stack}></select>'
    if kind in ("EditExRight", "EditRight"):
        value = html.escape(control["text"], quote=True)
        return (f'<input id="{identifier}" {number} class="control edit" type="text" value="{value}" '
                f'autocomplete="off" spellcheck="false" {rect} {stack}>')
    if kind in LABEL_KINDS:
        text = without_mnemonic_marks(control["text"]) if kind == "Label" else control["text"]
        if identifier != "IDC_STATIC":
            # A static text the program writes: the summary, announced when it changes.
            return (f'<output id="{identifier}" {number} class="control label" aria-live="polite" {rect} {stack}>'
                    f'{html.escape(text)}</output>')
        if index in label_for:
            return (f'<label for="{label_for[index]}" class="control label" {rect} {stack}>'
                    f'{text_html(text)}</label>')
        return f'<div class="control label" {rect} {stack}>{text_html(text)}</div>'
    if kind == "Result":
        return (f'<output id="{identifier}" {number} class="control result" {rect} {stack}>'
                f'{html.escape(control["text"])}</output>')
    if kind == "Button":
        return (f'<button id="{identifier}" {number} class="control button" type="button" {rect} {stack}>'
                f'{html.escape(control["text"])}</button>')
    if kind == "Group":
        # Only a frame: beneath everything, taking no clicks.
        return (f'<div class="control group" role="presentation" {rect}>'
                f'<span class="group-caption">{html.escape(control["text"])}</span></div>')
    raise LayoutError(f"{identifier}: a {kind} has no place in the main dialog")


def about_control_html(control, icon_uri):
    kind = control["kind"]
    rect = rect_attribute(control)
    if kind == "Icon":
        return f'<img class="control icon" src="{icon_uri}" alt="" width="32" height="32" {rect}>'
    if kind in LABEL_KINDS:
        text = without_mnemonic_marks(control["text"]) if kind == "Label" else control["text"]
        return f'<div class="control label" {rect}>{text_html(text)}</div>'
    if kind == "DefaultOk":
        return (f'<button id="IDOK" class="control button default" type="button" autofocus {rect}>'
                f'{html.escape(control["text"])}</button>')
    raise LayoutError(f"a {kind} has no place in the About box")


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def icon_png(icon_folder):
    """The 32-pixel program icon as a PNG data address (RGBA, '.' transparent)."""
    palette = make_icon.read_palette(os.path.join(icon_folder, "palette.txt"))
    colours = dict(palette)
    rows = make_icon.read_image(os.path.join(icon_folder, "icon32.txt"), colours)
    size = len(rows)
    pixels = bytearray()
    for row in rows:
        pixels.append(0)  # no filter
        for character in row:
            if character == ".":
                pixels += b"\0\0\0\0"
            else:
                rgb = colours[character]
                pixels += bytes((rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF, 0xFF))
    png = (b"\x89PNG\r\n\x1a\n"
           + png_chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
           + png_chunk(b"IDAT", zlib.compress(bytes(pixels), 9))
           + png_chunk(b"IEND", b""))
    return "data:image/png;base64," + base64.b64encode(png).decode("ascii")


def details_colours(style_header):
    """The members of DetailsColours as {name: "#rrggbb"}, read from report/details_style.h."""
    with open(style_header, encoding="utf-8") as source:
        text = source.read()
    body = re.search(r"struct DetailsColours\s*\{(.*?)\};", text, re.S)
    colours = dict(re.findall(r'std::string_view\s+(\w+)\s*=\s*"(#[0-9a-fA-F]{6})"', body.group(1))) if body else {}
    if "warning" not in colours:
        raise LayoutError(f"{style_header}: no DetailsColours with a warning colour")
    return colours


def css_name(member):
    """inUse -> in-use."""
    return re.sub(r"([A-Z])", lambda m: "-" + m.group(1).lower(), member)


def font_stack(face):
    faces = [face] + STAND_IN_FACES
    return ", ".join(f'"{f}"' for f in faces) + ", sans-serif"


def page(layout, control_ids, icon_uri, css, script, version_text, colours):
    dialogs = {d["name"]: d for d in layout["dialogs"]}
    main, about = dialogs.get("IDD_MAIN"), dialogs.get("IDD_ABOUTBOX")
    if main is None or about is None:
        raise LayoutError("the layout needs IDD_MAIN and IDD_ABOUTBOX")
    face, points = layout["font"]
    strings = {name: text for name, _, text in layout["strings"]}
    version = dict(layout["version"])
    program = version.get("InternalName")
    if not program:
        raise LayoutError("no VX_VERSION(InternalName, ...): the program's name captions its messages")
    about_item, about_key = with_mnemonic(strings.get("IDS_ABOUTBOX", ""))
    label_for = label_targets(main["controls"])
    count = len(main["controls"])
    controls = "\n".join(control_html(c, i, count, label_for, control_ids) for i, c in enumerate(main["controls"]))
    major, minor = generate_resources.version_numbers(version_text)[:2]
    # The version line follows the build's version, as in the other front ends.
    about_controls = "\n".join(
        about_control_html(dict(c, text=f"Veldronix Version {major}.{minor}") if c["kind"] == "LabelNoPrefix" else c,
                           icon_uri)
        for c in about["controls"])
    caption = html.escape(main["caption"])
    access_key = f' accesskey="{html.escape(about_key.lower(), quote=True)}"' if about_key else ""
    about_button = (f'<button id="IDM_ABOUTBOX" type="button"{access_key}>{about_item}</button>'
                    if about_item else "")
    colour_variables = "".join(f" --{css_name(name)}: {value};" for name, value in colours.items())
    style = (f":root {{ --dialog-font: {font_stack(face)}; --dialog-font-size: {points}pt;{colour_variables} }}\n"
             + css)
    return f"""<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta name="version" content="{html.escape(version_text, quote=True)}">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; script-src 'unsafe-inline' 'unsafe-eval' 'wasm-unsafe-eval'; style-src 'unsafe-inline'; img-src data:">
<title>{caption}</title>
<link rel="icon" href="{icon_uri}">
<style>
{style}</style>
</head>
<body>
<header class="page-header"><h1 id="caption">{caption}</h1>{about_button}</header>
<noscript><p class="noscript">このページを使うには JavaScript と WebAssembly が必要です。</p></noscript>
<p id="start-failed" class="noscript" role="alert" hidden>このブラウザでは計算プログラムを起動できませんでした。WebAssembly に対応したブラウザで開いてください。</p>
<main class="page">
<div id="IDD_MAIN" class="dialog client" role="group" aria-labelledby="caption" data-size="{main['size'][0]} {main['size'][1]}">
{controls}
</div>
<section id="details" class="details" aria-labelledby="details-heading" hidden></section>
</main>
<div id="result-notes" hidden></div>
<dialog id="message" class="window message" aria-labelledby="message-caption" aria-describedby="message-text">
<div class="window-caption" id="message-caption">{html.escape(program)}</div>
<div class="message-body">{STOP_ICON}<p id="message-text"></p></div>
<div class="message-buttons"><button id="message-ok" type="button" autofocus>OK</button></div>
</dialog>
<dialog id="IDD_ABOUTBOX" class="window about" aria-labelledby="about-caption">
<div class="window-caption" id="about-caption">{html.escape(about['caption'])}</div>
<div class="client" data-size="{about['size'][0]} {about['size'][1]}">
{about_controls}
</div>
</dialog>
<script>
{script}</script>
{{{{{{ SCRIPT }}}}}}
</body>
</html>
"""


def main(argv):
    if len(argv) < 9:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    version_text, layout_path, control_id_path, style_path, icon_folder, out_path, css_path = argv[1:8]
    try:
        layout = generate_resources.read_layout(layout_path)
        control_ids = generate_resources.read_control_ids(control_id_path)
        icon_uri = icon_png(icon_folder)
        with open(css_path, encoding="utf-8") as source:
            css = source.read()
        script = ""
        for script_path in argv[8:]:
            with open(script_path, encoding="utf-8") as source:
                script += source.read()
        text = page(layout, control_ids, icon_uri, css, script, version_text, details_colours(style_path))
        with open(out_path, "w", encoding="utf-8", newline="\n") as out:
            out.write(text)
    except (LayoutError, make_icon.IconError, OSError) as error:
        print(f"generate_page: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
