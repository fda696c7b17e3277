#!/usr/bin/env python3
"""Writes the Windows resource script, its header and the application manifest
from res/dialog_layout.def.

Usage: generate_resources.py LAYOUT_DEF CONTROL_ID_H ICON_FILE OUT_RC OUT_HEADER VERSION OUT_MANIFEST

The control numbers come from core/control_id.h, so the dialog templates
and the C++ code cannot disagree about them. The header defines the IDC_ names
only for the resource compiler (RC_INVOKED): C++ code names controls through
veldronix::ControlId, and a macro of the same name would break that enum.

VERSION is the product's version as CMake has it (PROJECT_VERSION, four numbers
with full stops between them, "1.0.0.1"): the version information's file and
product version come from it, so the layout names neither.

The manifest (OUT_MANIFEST, resource 1 of type RT_MANIFEST in the script) names
the program by the layout's InternalName and the same version, asks for the
common controls 6 and per-monitor DPI awareness (v2, with the entries Windows
8.1, 7 and Vista read in its place), and declares the Windows versions the
program was made for.
"""

import re
import sys

ENTRY = re.compile(r"^(VX_[A-Z]+)\((.*)\)\s*$")
TOKEN = re.compile(r'\s*("(?:[^"\\]|\\.)*"|[A-Za-z_][A-Za-z0-9_]*|-?\d+)\s*(,|$)')
ESCAPES = {"n": "\n", "t": "\t", "\\": "\\", '"': '"'}

# Window class, styles and extended styles of each kind of control, as the
# dialog editor would write them. WS_CHILD | WS_VISIBLE are added to all.
# The predefined classes go into the template as their ordinals, as the
# resource compiler's own statements (LTEXT, EDITTEXT, ...) store them.
CLASS_ORDINALS = {"Button": "0x0080", "Edit": "0x0081", "Static": "0x0082", "ComboBox": "0x0085"}
KINDS = {
    "Combo": ("ComboBox", "CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP", ""),
    "EditExRight": ("Edit", "ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP", "WS_EX_RIGHT"),
    "EditRight": ("Edit", "ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP", ""),
    "Label": ("Static", "SS_LEFT | WS_GROUP", ""),
    "LabelNoPrefix": ("Static", "SS_LEFT | SS_NOPREFIX | WS_GROUP", ""),
    "Result": ("Static", "SS_RIGHT | SS_SUNKEN | WS_GROUP", ""),
    "Button": ("Button", "BS_PUSHBUTTON | WS_TABSTOP", ""),
    "Group": ("Button", "BS_GROUPBOX", ""),
    "Icon": ("Static", "SS_ICON", ""),
    "DefaultOk": ("Button", "BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP", ""),
}

DIALOG_STYLES = {
    "Plain": "DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU",
    "Extended": "DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU",
}

# SHIFTJIS_CHARSET: the character set of the dialogs' Japanese font.
FONT_CHARSET = "0x80"


class LayoutError(Exception):
    pass


def unescape(literal):
    body = literal[1:-1]
    out = []
    i = 0
    while i < len(body):
        if body[i] == "\\":
            if i + 1 >= len(body) or body[i + 1] not in ESCAPES:
                raise LayoutError("unknown escape in " + literal)
            out.append(ESCAPES[body[i + 1]])
            i += 2
        else:
            out.append(body[i])
            i += 1
    return "".join(out)


def parse_arguments(text, where):
    values = []
    position = 0
    while position < len(text):
        match = TOKEN.match(text, position)
        if not match:
            raise LayoutError(f"{where}: cannot read the arguments")
        token = match.group(1)
        if token.startswith('"'):
            values.append(unescape(token))
        elif re.fullmatch(r"-?\d+", token):
            values.append(int(token))
        else:
            values.append(token)
        position = match.end()
    return values


# The version strings that the build's version fills in.
VERSION_KEYS = ("FileVersion", "ProductVersion")

ARITY = {"VX_FONT": 2, "VX_DIALOG": 6, "VX_MAIN": 7, "VX_ABOUT": 6, "VX_STRING": 3, "VX_VERSION": 2}


def read_layout(path):
    layout = {"font": None, "dialogs": [], "strings": [], "version": []}
    current = None
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            line = line.strip()
            if not line or line.startswith("//"):
                continue
            where = f"{path}:{number}"
            match = ENTRY.match(line)
            if not match:
                raise LayoutError(f"{where}: not an entry: {line}")
            macro, arguments = match.group(1), parse_arguments(match.group(2), where)
            if macro not in ARITY:
                raise LayoutError(f"{where}: unknown entry {macro}")
            if len(arguments) != ARITY[macro]:
                raise LayoutError(f"{where}: {macro} takes {ARITY[macro]} arguments")
            if macro == "VX_FONT":
                layout["font"] = arguments
            elif macro == "VX_DIALOG":
                name, dialog_number, template, caption, width, height = arguments
                if template not in DIALOG_STYLES:
                    raise LayoutError(f"{where}: template {template} is neither Plain nor Extended")
                current = {"name": name, "number": dialog_number, "template": template,
                           "caption": caption, "size": (width, height), "controls": []}
                layout["dialogs"].append(current)
            elif macro in ("VX_MAIN", "VX_ABOUT"):
                expected = "IDD_MAIN" if macro == "VX_MAIN" else "IDD_ABOUTBOX"
                if current is None or current["name"] != expected:
                    raise LayoutError(f"{where}: {macro} outside its dialog {expected}")
                if macro == "VX_ABOUT":
                    arguments = ["IDC_STATIC"] + arguments
                identifier, kind, text, x, y, width, height = arguments
                if kind not in KINDS:
                    raise LayoutError(f"{where}: unknown kind {kind}")
                current["controls"].append({"id": identifier, "kind": kind, "text": text,
                                            "rect": (x, y, width, height)})
            elif macro == "VX_STRING":
                layout["strings"].append(arguments)
            else:
                layout["version"].append(arguments)
    if layout["font"] is None:
        raise LayoutError(f"{path}: no VX_FONT")
    return layout


def read_control_ids(path):
    with open(path, encoding="utf-8") as source:
        ids = {name: int(value) for name, value in re.findall(r"\b(IDC_[A-Z0-9_]+)\s*=\s*(-?\d+)", source.read())}
    if "IDC_STATIC" not in ids:
        raise LayoutError(f"{path}: no IDC_STATIC")
    return ids


def rc_string(text):
    out = []
    for character in text:
        if character == '"':
            out.append('""')
        elif character == "\\":
            out.append("\\\\")
        elif character == "\n":
            out.append("\\n")
        elif character == "\t":
            out.append("\\t")
        else:
            out.append(character)
    return '"' + "".join(out) + '"'


def version_numbers(text):
    """The four numbers of a dotted version text such as 1.0.0.1."""
    parts = text.split(".")
    if len(parts) != 4 or not all(part.isdigit() and int(part) < 65536 for part in parts):
        raise LayoutError(f"version '{text}' is not four numbers below 65536 separated by full stops")
    return [int(part) for part in parts]


def control_line(control, control_ids):
    window_class, style, ex_style = KINDS[control["kind"]]
    x, y, width, height = control["rect"]
    rect = f"{x}, {y}, {width}, {height}"
    if control["kind"] == "Icon":
        # The ICON statement would drop the template's width and height.
        return (f"    CONTROL         IDR_MAINFRAME, IDC_STATIC, {CLASS_ORDINALS[window_class]} /* {window_class} */, "
                f"WS_CHILD | WS_VISIBLE | {style}, {rect}")
    if control["kind"] == "DefaultOk":
        identifier = "IDOK"
    else:
        identifier = control["id"]
        if identifier not in control_ids:
            raise LayoutError(f"{identifier} is not a ControlId")
    line = (f"    CONTROL         {rc_string(control['text'])}, {identifier}, "
            f"{CLASS_ORDINALS[window_class]} /* {window_class} */, "
            f"WS_CHILD | WS_VISIBLE | {style}, {rect}")
    if ex_style:
        line += f", {ex_style}"
    return line


def dialog_lines(dialog, font, control_ids):
    face, points = font
    width, height = dialog["size"]
    extended = dialog["template"] == "Extended"
    lines = [f"{dialog['name']} {'DIALOGEX' if extended else 'DIALOG'} 0, 0, {width}, {height}",
             f"STYLE {DIALOG_STYLES[dialog['template']]}"]
    if extended:
        lines.append("EXSTYLE WS_EX_APPWINDOW")
    lines.append(f"CAPTION {rc_string(dialog['caption'])}")
    if extended:
        lines.append(f"FONT {points}, {rc_string(face)}, 0, 0, {FONT_CHARSET}")
    else:
        lines.append(f"FONT {points}, {rc_string(face)}")
    lines.append("BEGIN")
    lines.extend(control_line(control, control_ids) for control in dialog["controls"])
    lines.append("END")
    return lines


def version_lines(version, numbers):
    for key in VERSION_KEYS:
        if key in dict(version):
            raise LayoutError(f"VX_VERSION({key}, ...) is given: the build's version sets it")
    # The keys in alphabetical order, as the resource editor writes them; the
    # version strings as it writes them too, "1, 0, 0, 1".
    strings = sorted(version + [(key, ", ".join(map(str, numbers))) for key in VERSION_KEYS],
                     key=lambda entry: entry[0])
    fixed = ",".join(map(str, numbers))
    lines = ["VS_VERSION_INFO VERSIONINFO",
             f" FILEVERSION {fixed}",
             f" PRODUCTVERSION {fixed}",
             " FILEFLAGSMASK 0x3fL",
             " FILEFLAGS 0x0L",
             " FILEOS VOS__WINDOWS32",
             " FILETYPE VFT_APP",
             " FILESUBTYPE 0x0L",
             "BEGIN",
             "    BLOCK \"StringFileInfo\"",
             "    BEGIN",
             "        BLOCK \"041104B0\"",
             "        BEGIN"]
    # Each value carries its terminator, as the resource editor writes them.
    lines.extend(f"            VALUE {rc_string(key)}, {rc_string(text)[:-1]}\\0\"" for key, text in strings)
    lines += ["        END",
              "    END",
              "    BLOCK \"VarFileInfo\"",
              "    BEGIN",
              "        VALUE \"Translation\", 0x411, 1200",
              "    END",
              "END"]
    return lines


def check_consistency(layout):
    about = next((d for d in layout["dialogs"] if d["name"] == "IDD_ABOUTBOX"), None)
    notice = dict(layout["version"]).get("LegalCopyright")
    if about is None or notice is None:
        raise LayoutError("the About box and the LegalCopyright version string are both needed")
    # The About box's notice line and the version information say the same thing.
    labels = [c["text"] for c in about["controls"] if c["kind"] == "Label"]
    if notice not in labels:
        raise LayoutError("the About box's legal notice differs from LegalCopyright")


# The Windows versions the program is made for, newest first: 10 and 11, 8.1, 8, 7, Vista.
SUPPORTED_OS = ("8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
                "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
                "e2011457-1546-43c5-a5fe-008deee3d3f0")


def manifest_text(layout, numbers):
    name = dict(layout["version"]).get("InternalName", "")
    if not re.fullmatch(r"[A-Za-z][A-Za-z0-9.]*", name):
        raise LayoutError(f"InternalName '{name}' cannot name the program's assembly (letters, digits, full stops)")
    version = ".".join(map(str, numbers))
    lines = ['<?xml version="1.0" encoding="UTF-8" standalone="yes"?>',
             '<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">',
             f'  <assemblyIdentity type="win32" name="{name}" version="{version}"/>',
             "  <dependency>",
             "    <dependentAssembly>",
             '      <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'
             ' processorArchitecture="*" publicKeyToken="6595b64144ccf1df" language="*"/>',
             "    </dependentAssembly>",
             "  </dependency>",
             '  <trustInfo xmlns="urn:schemas-microsoft-com:asm.v3">',
             "    <security>",
             "      <requestedPrivileges>",
             '        <requestedExecutionLevel level="asInvoker" uiAccess="false"/>',
             "      </requestedPrivileges>",
             "    </security>",
             "  </trustInfo>",
             '  <compatibility xmlns="urn:schemas-microsoft-com:compatibility.v1">',
             "    <application>"]
    lines += [f'      <supportedOS Id="{{{guid}}}"/>' for guid in SUPPORTED_OS]
    lines += ["    </application>",
              "  </compatibility>",
              '  <application xmlns="urn:schemas-microsoft-com:asm.v3">',
              "    <windowsSettings>",
              # Windows 10 (1703 and later) reads dpiAwareness; 8.1 reads "true/pm" as
              # per-monitor, Vista and 7 read it as aware of the system's DPI.
              '      <dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>',
              '      <dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">'
              "PerMonitorV2, PerMonitor</dpiAwareness>",
              "    </windowsSettings>",
              "  </application>",
              "</assembly>",
              ""]
    return "\n".join(lines)


def write_manifest(layout, path, version):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(manifest_text(layout, version))


def write_rc(layout, control_ids, icon_file, path, version, manifest_file):
    lines = ["// Generated from res/dialog_layout.def by res/generate_resources.py: do not edit.",
             "#pragma code_page(65001)",
             "#include <windows.h>",
             '#include "resource.h"',
             "",
             "LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT",
             "",
             f"IDR_MAINFRAME ICON {rc_string(icon_file)}",
             "",
             "// CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST: the manifest Windows reads as the program starts.",
             f"1 24 {rc_string(manifest_file)}",
             ""]
    for dialog in layout["dialogs"]:
        lines += dialog_lines(dialog, layout["font"], control_ids) + [""]
    lines += ["STRINGTABLE", "BEGIN"]
    lines += [f"    {name} {rc_string(text)}" for name, _, text in layout["strings"]]
    lines += ["END", ""]
    lines += version_lines(layout["version"], version) + [""]
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("\n".join(lines))


def write_header(layout, control_ids, path):
    lines = ["// Generated from res/dialog_layout.def by res/generate_resources.py: do not edit.",
             "#pragma once",
             ""]
    for dialog in layout["dialogs"]:
        lines.append(f"#define {dialog['name']} {dialog['number']}")
    for name, number, _ in layout["strings"]:
        lines.append(f"#define {name} {number}")
    # The system-menu commands: below the system's own (0xF000), low four bits clear.
    lines += ["#define IDR_MAINFRAME 128",
              "#define IDM_ABOUTBOX 0x0010",
              "#define IDM_DETAILS 0x0020",
              "",
              "// C++ code names the controls through veldronix::ControlId.",
              "#ifdef RC_INVOKED"]
    lines += [f"#define {name} {number}" for name, number in sorted(control_ids.items(), key=lambda item: item[1])]
    lines += ["#endif", ""]
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("\n".join(lines))


def main(argv):
    if len(argv) != 8:
        print(__doc__.strip().splitlines()[3], file=sys.stderr)
        return 2
    layout_path, control_id_path, icon_file, rc_path, header_path, version_text, manifest_path = argv[1:]
    try:
        version = version_numbers(version_text)
        layout = read_layout(layout_path)
        control_ids = read_control_ids(control_id_path)
        check_consistency(layout)
        write_manifest(layout, manifest_path, version)
        write_rc(layout, control_ids, icon_file, rc_path, version, manifest_path)
        write_header(layout, control_ids, header_path)
    except (LayoutError, OSError) as error:
        print(f"generate_resources: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
