#!/usr/bin/env python3
"""The resource generator refuses a dialog layout it cannot turn into a faithful
resource script, and says where; a good layout gives the texts unchanged and
the manifest that makes the program at home on today's Windows."""

import os
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
GENERATOR = os.path.join(ROOT, "res", "generate_resources.py")
CONTROL_IDS = os.path.join(ROOT, "core", "control_id.h")

GOOD = """VX_FONT("ＭＳ Ｐゴシック", 9)
VX_DIALOG(IDD_ABOUTBOX, 100, Plain, "About", 235, 55)
VX_ABOUT(Label, "Notice", 40, 25, 119, 8)
VX_ABOUT(DefaultOk, "OK", 178, 7, 50, 14)
VX_DIALOG(IDD_MAIN, 102, Extended, "Main", 319, 442)
VX_MAIN(IDC_SUMMARY, Label, "a \\"quoted\\" line\\nand a back\\\\slash", 14, 185, 259, 16)
VX_STRING(IDS_ABOUTBOX, 101, "About (&A)...")
VX_STRING(IDS_DETAILS, 103, "詳細情報(&D)...")
VX_VERSION(InternalName, "Product")
VX_VERSION(LegalCopyright, "Notice")
VX_VERSION(ProductName, "Product")
"""


def generate(layout, version="1.0.0.1"):
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "layout.def")
        with open(path, "w", encoding="utf-8") as out:
            out.write(layout)
        rc = os.path.join(folder, "out.rc")
        header = os.path.join(folder, "resource.h")
        manifest = os.path.join(folder, "out.manifest")
        run = subprocess.run([sys.executable, GENERATOR, path, CONTROL_IDS, "icon.ico", rc, header, version, manifest],
                             capture_output=True, text=True)
        script = ""
        if run.returncode == 0:
            for part in (rc, header, manifest):
                with open(part, encoding="utf-8") as source:
                    script += source.read().replace(folder, "FOLDER")
        return run.returncode, run.stderr, script


class GenerateResources(unittest.TestCase):
    def test_good_layout_keeps_texts_exactly(self):
        status, errors, script = generate(GOOD)
        self.assertEqual((status, errors), (0, ""))
        self.assertIn('"a ""quoted"" line\\nand a back\\\\slash", IDC_SUMMARY, 0x0082', script)
        self.assertIn('FONT 9, "ＭＳ Ｐゴシック", 0, 0, 0x80', script)
        self.assertIn(" FILEVERSION 1,0,0,1", script)

    def test_version_comes_from_the_build_in_both_forms(self):
        status, errors, script = generate(GOOD, "2.10.0.65535")
        self.assertEqual((status, errors), (0, ""))
        self.assertIn(" FILEVERSION 2,10,0,65535\n PRODUCTVERSION 2,10,0,65535\n", script)
        # The strings in key order, the build's two among the layout's.
        self.assertIn('VALUE "FileVersion", "2, 10, 0, 65535\\0"\n'
                      '            VALUE "InternalName", "Product\\0"\n'
                      '            VALUE "LegalCopyright", "Notice\\0"\n'
                      '            VALUE "ProductName", "Product\\0"\n'
                      '            VALUE "ProductVersion", "2, 10, 0, 65535\\0"\n', script)

    def test_system_menu_items_have_their_strings_and_commands(self):
        status, errors, script = generate(GOOD)
        self.assertEqual((status, errors), (0, ""))
        self.assertIn('STRINGTABLE\nBEGIN\n    IDS_ABOUTBOX "About (&A)..."\n    IDS_DETAILS "詳細情報(&D)..."\nEND', script)
        for line in ("#define IDS_ABOUTBOX 101", "#define IDS_DETAILS 103",
                     "#define IDM_ABOUTBOX 0x0010", "#define IDM_DETAILS 0x0020"):
            self.assertIn(line + "\n", script)

    def test_the_manifest_is_a_resource_of_the_script(self):
        # Its content is read back from the built program by the resource check.
        status, errors, script = generate(GOOD, "2.10.0.7")
        self.assertEqual((status, errors), (0, ""))
        self.assertIn('1 24 "FOLDER/out.manifest"\n', script)
        self.assertIn('<assemblyIdentity type="win32" name="Product" version="2.10.0.7"/>\n', script)

    def test_bad_layouts_are_refused_with_their_reason(self):
        cases = [
            ("unknown kind", GOOD.replace("IDC_SUMMARY, Label", "IDC_SUMMARY, Slider"), "unknown kind Slider"),
            ("unknown control", GOOD.replace("IDC_SUMMARY", "IDC_NOWHERE"), "IDC_NOWHERE is not a ControlId"),
            ("unknown escape", GOOD.replace("\\nand", "\\qand"), "unknown escape"),
            ("missing argument", GOOD.replace(", 14, 185, 259, 16)", ", 14, 185, 259)"), "takes 7 arguments"),
            ("unknown entry", GOOD + "VX_MENU(1)\n", "unknown entry VX_MENU"),
            ("not an entry", GOOD + "#define X 1\n", "not an entry"),
            ("control outside its dialog", "VX_MAIN(IDC_SUMMARY, Label, \"\", 1, 1, 1, 1)\n" + GOOD, "outside"),
            ("notice differs", GOOD.replace('LegalCopyright, "Notice"', 'LegalCopyright, "Other"'), "legal notice"),
            ("version in the layout", GOOD + 'VX_VERSION(FileVersion, "1, 0, 0, 1")\n', "the build's version sets it"),
            ("no font", GOOD.replace('VX_FONT("ＭＳ Ｐゴシック", 9)\n', ""), "no VX_FONT"),
            ("no program name", GOOD.replace('VX_VERSION(InternalName, "Product")\n', ""), "cannot name"),
            ("markup in the name", GOOD.replace('InternalName, "Product"', 'InternalName, "a\\"/><x"'), "cannot name"),
        ]
        for name, version in [("short version", "1.0"), ("comma version", "1,0,0,1"), ("too big", "1.0.0.65536"),
                              ("sign", "1.0.-1.0")]:
            cases.append((name + " " + version, GOOD, "is not four numbers", version))
        for name, layout, reason, *version in cases:
            with self.subTest(name):
                status, errors, _ = generate(layout, *version)
                self.assertEqual(status, 1)
                self.assertIn(reason, errors)
                self.assertTrue(errors.startswith("generate_resources: "))


if __name__ == "__main__":
    unittest.main()
