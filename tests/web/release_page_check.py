#!/usr/bin/env python3
"""Opens a release's web page from its file in headless Chromium and works the
README's worked drive, as a user who has only downloaded the page would: the
fields must be those of pulsecalc --json, the About box must show the version
line of the build, the page must name the release's version, and no request
may leave the page. Prints "N passed, M failed" last and exits 1 on a failure.

    release_page_check.py --page dist/veldronix-VERSION.html --pulsecalc PULSECALC --version VERSION
"""

import argparse
import os
import sys
import tempfile

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from page_test import VALUE_FIELDS, WORKED, Page, Run, pulsecalc_fields, work_drive  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--page", required=True)
    parser.add_argument("--pulsecalc", required=True)
    parser.add_argument("--version", required=True)
    arguments = parser.parse_args()
    major, minor = arguments.version.split(".")[:2]

    run = Run()
    with tempfile.TemporaryDirectory() as downloads:
        page = Page(arguments.page, "ja", downloads)
        try:
            page.open()
            fields, messages = work_drive(page, 3, WORKED, None, "10000")
            expected = pulsecalc_fields(arguments.pulsecalc, 3, WORKED, None, "10000")
            for member in list(VALUE_FIELDS) + ["multiplier"]:
                run.check(f"worked drive: {member}", fields[member], expected[member])
            run.check("worked drive: messages", messages, expected["errors"])
            run.check("worked drive: deceleration point", fields["decelPoint"], "8485.000")
            run.check("version of the page", page.driver.execute_script(
                "var m = document.querySelector('meta[name=version]'); return m && m.content"), arguments.version)
            run.check("About box version line", page.driver.execute_script(
                "return Array.from(document.querySelectorAll('#IDD_ABOUTBOX .label'), e => e.textContent)"
                ".filter(t => t.startsWith('Veldronix Version'))"), [f"Veldronix Version {major}.{minor}"])
            page.collect_requests()
            run.check("no request leaves the page",
                      [url for url in page.requests if not url.startswith(("file:", "data:"))], [])
        finally:
            page.quit()
    print(f"release page: {run.passed} passed, {run.failed} failed")
    return 1 if run.failed else 0


if __name__ == "__main__":
    sys.exit(main())
