#!/usr/bin/env python3
"""Works the offline page in a real headless Chromium as a user would: opens it
from a file, types, selects, clicks, reads every field and every message box,
and compares the texts byte for byte with the host's pulsecalc --json and with
page_probe (the page's application object built for the host). The whole run
is made once with the browser in English and once in German; no request may
leave the page. Prints "N passed, M failed" last and exits 1 on a failure.

    page_test.py --page build/web/veldronix.html --pulsecalc PULSECALC --probe PAGE_PROBE
                 [--screenshots DIR]
"""

import argparse
import base64
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync",
                  "--window-size=1500,1100"]

# Control numbers of the dialog (core/control_id.h), as page_probe takes them.
NUMBERS = {"IDC_DRIVE_TYPE": 1000, "IDC_INITIAL_SPEED": 1001, "IDC_DRIVE_SPEED": 1002, "IDC_ACCEL_TIME": 1003,
           "IDC_CALCULATE": 1004, "IDC_DECEL_TIME": 1012, "IDC_RECALCULATE": 1016, "IDC_MULTIPLIER": 1017,
           "IDC_PULSE_COUNT": 1018, "IDC_COMPUTE_DECEL_POINT": 1019}
INPUTS = {"initial": "IDC_INITIAL_SPEED", "drive": "IDC_DRIVE_SPEED", "accel": "IDC_ACCEL_TIME",
          "decel": "IDC_DECEL_TIME"}
# The value fields in the order of pulsecalc --json, with its member names.
VALUE_FIELDS = {"summary": "IDC_SUMMARY", "R": "IDC_OUT_R", "A": "IDC_OUT_A", "SV": "IDC_OUT_SV",
                "V": "IDC_OUT_V", "K": "IDC_OUT_K", "AO": "IDC_OUT_AO", "D": "IDC_OUT_D", "L": "IDC_OUT_L",
                "decelPoint": "IDC_DECEL_POINT"}

NO_SETTING = "パラメーターエラー。設定値を求めることができません。"
WORKED = {"initial": "100", "drive": "10000", "accel": "0.2", "decel": "0.3"}

# Drives run from a fresh page, each compared with pulsecalc given the same options:
# (name, drive type, field texts, multiplier index to recalculate with, pulse count).
DRIVES = [
    ("worked drive, type 0", 0, WORKED, None, "10000"),
    ("worked drive, type 1", 1, WORKED, None, "10000"),
    ("worked drive, type 2", 2, WORKED, None, "10000"),
    ("worked drive, type 3", 3, WORKED, None, "10000"),
    ("type 3, pulses too few", 3, WORKED, None, "1000"),
    ("type 3, pulse count not a number", 3, WORKED, None, "abc"),
    ("recalculate with 10(800,000): accepted", 0, WORKED, 3, None),
    ("recalculate with 500(16,000): accepted", 3, WORKED, 8, "10000"),
    ("recalculate with 1(8,000,000): refused", 1, WORKED, 0, None),
    ("recalculate after a failed calculate", 0, {"drive": "10000"}, 3, None),
    ("message 1: drive speed 0 comes first", 2, {}, None, None),
    ("message 2: acceleration time 0", 0, {"drive": "10000", "decel": "0.3"}, None, None),
    ("message 3: initial speed above drive speed", 0, {"initial": "500.001", "drive": "500", "accel": "1"}, None, None),
    ("equal speeds pass", 1, {"initial": "500", "drive": "500", "accel": "1"}, None, None),
    ("message 4: deceleration time 0", 2, {"initial": "100", "drive": "10000", "accel": "0.2"}, None, None),
    ("message 5: drive speed above 4000000", 0, {"drive": "5000000", "accel": "1"}, None, None),
    ("lenient numbers", 3, {"initial": " +1e2", "drive": "12abc000", "accel": "0.2s", "decel": "1,5"}, None, "1e4"),
    ("78-byte cut keeps 100", 0, {"initial": "0" * 75 + "100", "drive": "10000", "accel": "0.2"}, None, None),
    ("78-byte cut makes 100 into 10", 0, {"initial": "0" * 76 + "100", "drive": "10000", "accel": "0.2"}, None, None),
    ("78-byte cut inside a character", 3,
     {"initial": "5" + "あ" * 26, "drive": "8" + "0" * 3 + "é" * 40, "accel": "0.5", "decel": "0.25"}, None, "9e3"),
]


class Run:
    """Counts the checks; a failure is printed with what was expected and what came."""

    def __init__(self):
        self.passed = 0
        self.failed = 0
        self.prefix = ""

    def check(self, name, actual, expected):
        if actual == expected:
            self.passed += 1
            return True
        self.failed += 1
        print(f"FAIL {self.prefix}{name}:\n  expected {expected!r}\n  actual   {actual!r}")
        return False

    def truth(self, name, condition, detail=""):
        return self.check(name + (f" ({detail})" if detail else ""), bool(condition), True)


class Page:
    def __init__(self, path, language, downloads):
        options = webdriver.ChromeOptions()
        for flag in CHROMIUM_FLAGS:
            options.add_argument(flag)
        self.profile = tempfile.mkdtemp(prefix="veldronix-chromium-")
        options.add_argument(f"--user-data-dir={self.profile}")
        options.add_argument(f"--lang={language}")
        options.add_experimental_option("prefs", {
            "intl.accept_languages": language,
            "download.default_directory": downloads,
            "download.prompt_for_download": False,
        })
        options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
        if os.path.exists("/usr/bin/chromium"):
            options.binary_location = "/usr/bin/chromium"
        service = Service("/usr/bin/chromedriver") if os.path.exists("/usr/bin/chromedriver") else Service()
        self.driver = webdriver.Chrome(service=service, options=options)
        self.driver.execute_cdp_cmd("Page.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
        self.url = "file://" + os.path.abspath(path)
        self.requests = []

    def open(self):
        self.driver.get(self.url)
        WebDriverWait(self.driver, 20).until(lambda d: d.execute_script(
            "return document.documentElement.dataset.ready"))
        self.collect_requests()

    def quit(self):
        self.collect_requests()
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)

    def collect_requests(self):
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            # Requests of the page's document; the browser's own pages (its new tab) are not the page's.
            if message.get("method") == "Network.requestWillBeSent" and \
                    message["params"].get("documentURL", "").startswith(self.url):
                self.requests.append(message["params"]["request"]["url"])

    def element(self, identifier):
        return self.driver.find_element(By.ID, identifier)

    def text(self, identifier):
        # A result's whole text, as the program wrote it; the field may show it shrunk or cut.
        return self.driver.execute_script(
            "const e = document.getElementById(arguments[0]); return e.dataset.whole ?? e.textContent", identifier)

    def shown(self, identifier):
        return self.driver.execute_script("return document.getElementById(arguments[0]).textContent", identifier)

    def value(self, identifier):
        return self.driver.execute_script("return document.getElementById(arguments[0]).value", identifier)

    def selected(self, identifier):
        return self.driver.execute_script(
            "var s = document.getElementById(arguments[0]);"
            "return [s.selectedIndex, s.selectedIndex < 0 ? '' : s.options[s.selectedIndex].textContent]",
            identifier)

    def type(self, identifier, text):
        """Selects what the field holds and types over it, as a user replaces a text."""
        field = self.element(identifier)
        field.click()
        field.send_keys(Keys.CONTROL + "a")
        field.send_keys(text if text else Keys.BACKSPACE)

    def select(self, identifier, index):
        Select(self.element(identifier)).select_by_index(index)

    def focused(self):
        return self.driver.execute_script("return document.activeElement && document.activeElement.id")

    def message_open(self):
        return self.driver.execute_script("return document.getElementById('message').open")

    def press(self, identifier, on_message=None):
        """Clicks a button; reads and closes each message box it shows. Returns the messages."""
        self.driver.execute_script("document.documentElement.dataset.busy = 'clicked'")
        self.element(identifier).click()
        messages = []
        deadline = time.time() + 10
        while time.time() < deadline:
            if self.message_open():
                messages.append(self.text("message-text"))
                if on_message:
                    on_message(self)
                self.element("message-ok").click()
                continue
            if self.driver.execute_script("return document.documentElement.dataset.busy") == "false":
                return messages
            time.sleep(0.02)
        raise TimeoutException(f"{identifier}: the command did not end")


def pulsecalc_fields(pulsecalc, drive_type, texts, multiplier, pulses):
    arguments = [pulsecalc, "--type", str(drive_type)]
    for option, field in INPUTS.items():
        arguments += [f"--{option}", texts.get(option, "")]
    if multiplier is not None:
        arguments += ["--multiplier", str(multiplier)]
    if pulses is not None:
        arguments += ["--pulses", pulses]
    arguments.append("--json")
    result = subprocess.run(arguments, stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=False)
    return json.loads(result.stdout.decode("utf-8"))


def probe_actions(drive_type, texts, pulses):
    actions = [f"select:{NUMBERS['IDC_DRIVE_TYPE']}:{drive_type}", f"select:{NUMBERS['IDC_MULTIPLIER']}:-1"]
    for option, field in INPUTS.items():
        actions.append(f"text:{NUMBERS[field]}:{texts.get(option, '')}")
    actions.append(f"press:{NUMBERS['IDC_CALCULATE']}")
    if pulses is not None:
        actions += [f"text:{NUMBERS['IDC_PULSE_COUNT']}:{pulses}", f"press:{NUMBERS['IDC_COMPUTE_DECEL_POINT']}"]
    return actions + ["details"]


def run_probe(probe, actions):
    result = subprocess.run([probe] + actions, stdout=subprocess.PIPE, check=True)
    return [json.loads(line) for line in result.stdout.decode("utf-8").splitlines()]


def work_drive(page, drive_type, texts, multiplier, pulses):
    """Types and clicks a drive as pulsecalc runs it; returns the fields and the messages."""
    page.select("IDC_DRIVE_TYPE", drive_type)
    for option, field in INPUTS.items():
        page.type(field, texts.get(option, ""))
    messages = page.press("IDC_CALCULATE")
    if multiplier is not None:
        page.select("IDC_MULTIPLIER", multiplier)
        messages += page.press("IDC_RECALCULATE")
    if pulses is not None:
        page.type("IDC_PULSE_COUNT", pulses)
        messages += page.press("IDC_COMPUTE_DECEL_POINT")
    fields = {name: page.text(identifier) for name, identifier in VALUE_FIELDS.items()}
    fields["multiplier"] = page.selected("IDC_MULTIPLIER")[1]
    return fields, messages


def check_initial_state(run, page):
    run.check("title", page.driver.title, "パラメータ算出ツール")
    run.check("heading", page.text("caption"), "パラメータ算出ツール")
    run.check("drive type items", page.driver.execute_script(
        "return Array.from(document.getElementById('IDC_DRIVE_TYPE').options, o => o.textContent)"),
        ["対称台形加減速", "対称S字加減速", "非対称台形加減速", "非対称S字加減速"])
    run.check("multiplier items", page.driver.execute_script(
        "return Array.from(document.getElementById('IDC_MULTIPLIER').options, o => o.textContent)"),
        ["1(8,000,000)", "2(4,000,000)", "5(1,600,000)", "10(800,000)", "20(400,000)", "50(160,000)",
         "100(80,000)", "200(40,000)", "500(16,000)"])
    run.check("drive type selected", page.selected("IDC_DRIVE_TYPE"), [0, "対称台形加減速"])
    run.check("no multiplier", page.selected("IDC_MULTIPLIER"), [-1, ""])
    run.check("result fields empty", [page.text(VALUE_FIELDS[name]) for name in VALUE_FIELDS if name != "decelPoint"],
              [""] * 9)
    run.check("deceleration point 0", page.text("IDC_DECEL_POINT"), "0")
    run.check("edits empty", [page.value(f) for f in list(INPUTS.values()) + ["IDC_PULSE_COUNT"]], [""] * 5)
    run.check("focus on the drive type", page.focused(), "IDC_DRIVE_TYPE")
    run.check("summary is announced", page.element("IDC_SUMMARY").get_attribute("aria-live"), "polite")
    labels = page.driver.execute_script(
        "return Array.from(document.querySelectorAll('#IDD_MAIN input, #IDD_MAIN select, #IDD_MAIN output'),"
        " e => [e.id, e.labels && e.labels.length ? e.labels[0].textContent : null])")
    run.check("labels tied to fields", dict(labels), {
        "IDC_DRIVE_TYPE": "ドライブ種類", "IDC_INITIAL_SPEED": "初速度(単位：PPS)",
        "IDC_DRIVE_SPEED": "ドライブ速度(単位：PPS)", "IDC_ACCEL_TIME": "ドライブ速度に達する時間(単位：秒)",
        "IDC_DECEL_TIME": "【非対称時】\n初速度に達する時間(単位：秒)", "IDC_OUT_R": "R", "IDC_OUT_A": "A",
        "IDC_OUT_SV": "SV", "IDC_OUT_V": "V", "IDC_SUMMARY": None, "IDC_OUT_K": "K", "IDC_OUT_AO": "AO",
        "IDC_OUT_D": "D", "IDC_OUT_L": "L", "IDC_MULTIPLIER": "倍率を変更して再計算",
        "IDC_PULSE_COUNT": "出力パルス数", "IDC_DECEL_POINT": "マニュアル減速点"})
    # Tab from the first field walks the template order.
    order = ["IDC_DRIVE_TYPE"]
    for _ in range(9):
        page.driver.switch_to.active_element.send_keys(Keys.TAB)
        order.append(page.focused())
    run.check("tab order", order, ["IDC_DRIVE_TYPE", "IDC_INITIAL_SPEED", "IDC_DRIVE_SPEED", "IDC_ACCEL_TIME",
                                   "IDC_CALCULATE", "IDC_DECEL_TIME", "IDC_RECALCULATE", "IDC_MULTIPLIER",
                                   "IDC_PULSE_COUNT", "IDC_COMPUTE_DECEL_POINT"])


def check_drives(run, page, pulsecalc):
    for name, drive_type, texts, multiplier, pulses in DRIVES:
        page.open()
        fields, messages = work_drive(page, drive_type, texts, multiplier, pulses)
        expected = pulsecalc_fields(pulsecalc, drive_type, texts, multiplier, pulses)
        for member in list(VALUE_FIELDS) + ["multiplier"]:
            run.check(f"{name}: {member}", fields[member], expected[member])
        run.check(f"{name}: messages", messages, expected["errors"])


def check_literals(run, page):
    """A few texts written out, so that the page is not only as right as pulsecalc."""
    page.open()
    fields, messages = work_drive(page, 3, WORKED, None, "10000")
    run.check("worked drive: summary", fields["summary"],
              "初速度:100で、ドライブ速度:10000までを0.200秒でS字加速し、\n"
              "初速度まで0.300秒でS字減速する場合の設定値は以下のようになります。")
    run.check("worked drive: values", [fields[n] for n in ("R", "A", "SV", "V", "K", "AO", "D", "L")],
              ["4000000 ", "8000.000 ", "50.000 ", "5000.000 ", "126.263 ", "0.000", "8000.000", "284.091"])
    # q = 9900 / 440000 = 0.0225, s = 0.15, 10000 - 10100 x 0.15 = 8485
    run.check("worked drive: deceleration point", fields["decelPoint"], "8485.000")
    run.check("worked drive: multiplier", fields["multiplier"], "2(4,000,000)")
    run.check("worked drive: no message", messages, [])

    # The message comes first; the field is cleared only after OK, and the focus returns to 算出.
    seen = {}

    def while_open(p):
        seen["field"] = p.text("IDC_DECEL_POINT")
        seen["modal"] = p.driver.execute_script("return document.querySelector('dialog#message:modal') !== null")
        seen["focus"] = p.focused()

    page.type("IDC_PULSE_COUNT", "1000")  # 1000 - 1515 = -515
    messages = page.press("IDC_COMPUTE_DECEL_POINT", on_message=while_open)
    run.check("failed point: message", messages, [NO_SETTING])
    run.check("failed point: field while the message is open", seen.get("field"), "8485.000")
    run.check("failed point: message is modal", seen.get("modal"), True)
    run.check("failed point: OK has the focus", seen.get("focus"), "message-ok")
    run.check("failed point: field after OK", page.text("IDC_DECEL_POINT"), "")
    run.check("failed point: focus back on 算出", page.focused(), "IDC_COMPUTE_DECEL_POINT")

    # Recalculate refused keeps the values; the selector stays on the user's choice.
    page.select("IDC_MULTIPLIER", 0)
    run.check("refused: message", page.press("IDC_RECALCULATE"), [NO_SETTING])
    run.check("refused: R kept", page.text("IDC_OUT_R"), "4000000 ")
    page.select("IDC_MULTIPLIER", 3)
    run.check("accepted: no message", page.press("IDC_RECALCULATE"), [])
    run.check("accepted: R", page.text("IDC_OUT_R"), "800000 ")
    run.check("accepted: V", page.text("IDC_OUT_V"), "1000.000 ")  # 10000 PPS with multiplier 10
    run.check("accepted: selector", page.selected("IDC_MULTIPLIER"), [3, "10(800,000)"])

    # The messages of the checks, each exactly.
    page.open()
    for fields_typed, message in [
        ({}, "パラメーターエラー。ドライブ速度が0です。"),
        ({"drive": "10000"}, "パラメーターエラー。ドライブ速度に達する時間が0です。"),
        ({"initial": "500.001", "drive": "500", "accel": "1"}, "パラメーターエラー。初速度がドライブ速度より大きいです。"),
        ({"initial": "100", "drive": "10000", "accel": "0.2"}, "パラメーターエラー。初速度に達する時間が0です。"),
        ({"drive": "4000001", "accel": "1", "decel": "1"}, NO_SETTING),
    ]:
        page.select("IDC_DRIVE_TYPE", 2)
        for option, field in INPUTS.items():
            page.type(field, fields_typed.get(option, ""))
        run.check(f"message for {fields_typed}", page.press("IDC_CALCULATE"), [message])
    run.check("failed calculate leaves the fields", page.text("IDC_OUT_R"), "")


def check_keys(run, page):
    """Enter in an input calculates, Enter in 出力パルス数 computes; Esc loses nothing."""
    page.open()
    page.select("IDC_DRIVE_TYPE", 3)
    for option, field in INPUTS.items():
        page.type(field, WORKED[option])
    page.element("IDC_ACCEL_TIME").send_keys(Keys.ESCAPE)
    run.check("Esc keeps the text", page.value("IDC_ACCEL_TIME"), "0.2")
    page.driver.execute_script("document.documentElement.dataset.busy = 'typed'")
    page.element("IDC_ACCEL_TIME").send_keys(Keys.ENTER)
    WebDriverWait(page.driver, 10).until(
        lambda d: d.execute_script("return document.documentElement.dataset.busy") == "false")
    run.check("Enter calculates", page.text("IDC_OUT_K"), "126.263 ")
    run.check("Enter keeps the texts", [page.value(f) for f in INPUTS.values()], ["100", "10000", "0.2", "0.3"])
    # Enter in each input presses 決定 with what was just typed there; the page stays.
    for field, text, shown in [("IDC_INITIAL_SPEED", "200", "初速度:200で"), ("IDC_DRIVE_SPEED", "20000", ":20000まで"),
                               ("IDC_ACCEL_TIME", "0.4", "0.400秒でS字加速"), ("IDC_DECEL_TIME", "0.6", "0.600秒でS字減速")]:
        page.type(field, text)
        page.driver.execute_script("document.documentElement.dataset.busy = 'typed'")
        page.element(field).send_keys(Keys.ENTER)
        WebDriverWait(page.driver, 10).until(
            lambda d: d.execute_script("return document.documentElement.dataset.busy") == "false")
        run.truth(f"Enter in {field} calculates with its text", shown in page.text("IDC_SUMMARY"),
                  page.text("IDC_SUMMARY"))
        run.check(f"Enter in {field} keeps its text and the focus", [page.value(field), page.focused()], [text, field])
    for field, text in zip(INPUTS.values(), ["100", "10000", "0.2", "0.3"]):
        page.type(field, text)
    page.press("IDC_CALCULATE")
    page.type("IDC_PULSE_COUNT", "10000")
    page.driver.execute_script("document.documentElement.dataset.busy = 'typed'")
    page.element("IDC_PULSE_COUNT").send_keys(Keys.ENTER)
    WebDriverWait(page.driver, 10).until(
        lambda d: d.execute_script("return document.documentElement.dataset.busy") == "false")
    run.check("Enter in 出力パルス数 computes", page.text("IDC_DECEL_POINT"), "8485.000")
    # Esc closes a message box as OK does, and the command goes on.
    page.type("IDC_PULSE_COUNT", "1000")
    page.driver.execute_script("document.documentElement.dataset.busy = 'typed'")
    page.element("IDC_PULSE_COUNT").send_keys(Keys.ENTER)
    WebDriverWait(page.driver, 10).until(lambda d: d.execute_script("return document.getElementById('message').open"))
    run.check("Esc: the message", page.text("message-text"), NO_SETTING)
    run.check("Esc: field kept while the message is open", page.text("IDC_DECEL_POINT"), "8485.000")
    page.driver.switch_to.active_element.send_keys(Keys.ESCAPE)
    WebDriverWait(page.driver, 10).until(
        lambda d: d.execute_script("return document.documentElement.dataset.busy") == "false")
    run.check("Esc: message closed", page.message_open(), False)
    run.check("Esc: field cleared after the message", page.text("IDC_DECEL_POINT"), "")
    run.check("Esc: focus back in 出力パルス数", page.focused(), "IDC_PULSE_COUNT")
    run.check("Esc: the typed count kept", page.value("IDC_PULSE_COUNT"), "1000")


def press_enter(page, identifier):
    """Enter in a control; waits until the command it presses has ended."""
    page.driver.execute_script("document.documentElement.dataset.busy = 'typed'")
    page.element(identifier).send_keys(Keys.ENTER)
    WebDriverWait(page.driver, 10).until(
        lambda d: d.execute_script("return document.documentElement.dataset.busy") == "false")


def check_selector_keys(run, page):
    """Enter in each selector presses what it presses on Windows and in Qt: 決定 in
    ドライブ種類, 再計算 in 倍率, with the focus kept where it was."""
    page.open()
    for option, field in INPUTS.items():
        page.type(field, WORKED[option])
    page.select("IDC_DRIVE_TYPE", 3)
    press_enter(page, "IDC_DRIVE_TYPE")
    run.check("Enter in ドライブ種類 presses 決定", [page.text("IDC_OUT_K"), page.focused()],
              ["126.263 ", "IDC_DRIVE_TYPE"])
    page.select("IDC_MULTIPLIER", 3)
    press_enter(page, "IDC_MULTIPLIER")
    # K = 126.263 x 5 at 10(800,000).
    run.check("Enter in 倍率 presses 再計算", [page.text("IDC_OUT_R"), page.text("IDC_OUT_K"),
                                            page.selected("IDC_MULTIPLIER")[1], page.focused()],
              ["800000 ", "631.313 ", "10(800,000)", "IDC_MULTIPLIER"])


def check_about(run, page):
    page.open()
    about_item = page.element("IDM_ABOUTBOX")
    run.check("About item", about_item.text, "Veldronix のﾊﾞｰｼﾞｮﾝ情報(A)...")
    about_item.click()
    run.check("About box open and modal", page.driver.execute_script(
        "return document.querySelector('#IDD_ABOUTBOX:modal') !== null"), True)
    run.check("About box texts", [page.text("about-caption")] + page.driver.execute_script(
        "return Array.from(document.querySelectorAll('#IDD_ABOUTBOX .label'), e => e.textContent)"),
        ["Veldronixのﾊﾞｰｼﾞｮﾝ情報", "Veldronix Version 1.0", "Copyright (C) 2026 Veldronix"])
    page.element("IDOK").click()
    run.check("About box closed", page.driver.execute_script("return document.getElementById('IDD_ABOUTBOX').open"),
              False)
    run.check("focus back on the About item", page.focused(), "IDM_ABOUTBOX")


def details_shown(page):
    """The details as the page shows them: heading, status lines, and each section's
    heading, lines and table cells as texts, warnings marked with "!", rows with their marks."""
    return page.driver.execute_script("""
        const text = e => e ? e.textContent : null;
        const warned = e => (e.classList.contains('warning') ? '!' : '') + e.textContent;
        const shown = {heading: text(document.getElementById('details-heading')),
                       subject: text(document.getElementById('details-subject')),
                       status: Array.from(document.querySelectorAll('#details-status p'), warned), sections: []};
        let section = null;
        for (const e of document.getElementById('details').children) {
            if (e.tagName === 'H3') { section = {heading: e.textContent, lines: [], rows: [], plot: false};
                                      shown.sections.push(section); }
            else if (!section) continue;
            else if (e.tagName === 'P') section.lines.push(warned(e));
            else if (e.id === 'details-plot') section.plot = true;
            else if (e.classList.contains('table'))
                section.rows = Array.from(e.querySelectorAll('tbody tr'), tr => ({
                    cells: Array.from(tr.children, warned),
                    background: tr.style.backgroundColor, index: tr.dataset.index === undefined ? null
                                                                   : Number(tr.dataset.index)}));
        }
        return shown;""")


def css_colour(hex_colour):
    """'#dbeafe' as the browser writes a style's colour: 'rgb(219, 234, 254)'."""
    if not hex_colour:
        return ""
    return "rgb({}, {}, {})".format(*(int(hex_colour[i:i + 2], 16) for i in (1, 3, 5)))


def expected_shown(details):
    mark = lambda line: ("!" if line["warning"] else "") + line["text"]  # noqa: E731
    return {"heading": details["caption"], "subject": details["heading"],
            "status": [mark(line) for line in details["status"]],
            "sections": [{"heading": s["heading"], "lines": [mark(line) for line in s["lines"]],
                          "rows": [{"cells": [mark(cell) for cell in row["cells"]],
                                    "background": css_colour(row["background"]), "index": row.get("index")}
                                   for row in s["rows"]] if s["kind"] != "lines" else [],
                          "plot": s["plotted"]} for s in details["sections"]]}


def plot_drawn(page):
    """The inline plot's size, its area's size, and its smallest text in CSS pixels."""
    return page.driver.execute_script("""
        const area = document.getElementById('details-plot');
        const svg = area && area.shadowRoot.querySelector('svg');
        if (!svg) return null;
        const sizes = Array.from(svg.querySelectorAll('text'), t => parseFloat(getComputedStyle(t).fontSize) *
                                 svg.getBoundingClientRect().width / svg.viewBox.baseVal.width);
        return {svg: [Math.round(svg.getBoundingClientRect().width), Math.round(svg.getBoundingClientRect().height)],
                area: [area.clientWidth, area.clientHeight], texts: sizes.length,
                smallest: sizes.length ? Math.min(...sizes) : null};""")


def wait_for_file(path):
    deadline = time.time() + 10
    while not os.path.exists(path) and time.time() < deadline:
        time.sleep(0.1)
    time.sleep(0.2)
    return open(path, "rb").read() if os.path.exists(path) else b""


def check_details(run, page, probe, downloads, screenshots):
    page.open()
    blank = run_probe(probe, ["details"])[0]
    run.check("details before a calculation", details_shown(page), expected_shown(blank))
    run.check("details say nothing is calculated", details_shown(page)["subject"],
              "設定値が計算されていません。入力情報を入力し、決定ボタンを押してください。")
    # What the layout says, section by section: each drive type, pulse counts with and without a
    # plot, texts read otherwise than typed (input findings), a failed command (its status line).
    for name, drive_type, texts, pulses in [
        ("type 0", 0, WORKED, "10000"), ("type 1", 1, WORKED, "10000"), ("type 2, 1e300 pulses", 2, WORKED, "1e300"),
        ("type 3", 3, WORKED, "10000"), ("type 3, too few pulses", 3, WORKED, "1000"), ("type 3, no pulses", 3, WORKED, ""),
        ("1,000 and -0.2", 0, {"initial": "1,000", "drive": "10000", "accel": "-0.2"}, ""),
        ("a cut text", 1, {"initial": "0" * 76 + "100", "drive": "10000abc", "accel": "0.2"}, ""),
        ("4000001 PPS", 0, {"drive": "4000001", "accel": "1"}, ""),
    ]:
        page.open()
        work_drive(page, drive_type, texts, None, pulses or None)
        probed = run_probe(probe, probe_actions(drive_type, texts, pulses or None))[-1]
        run.check(f"details of {name}", details_shown(page), expected_shown(probed))
    run.truth("a failure's status line", details_shown(page)["status"] != [], str(details_shown(page)["status"]))
    page.open()
    work_drive(page, 3, WORKED, None, None)
    run.check("no plot without a pulse count", plot_drawn(page), None)
    page.type("IDC_PULSE_COUNT", "10000")
    # The plot drawn for its area, at its size, with no text under 12 px; again when the area changes.
    for width in [1500, 900, 390]:
        page.driver.set_window_size(width, 1100)
        time.sleep(0.3)
        drawn = plot_drawn(page)
        run.check(f"plot at {width} px drawn at its area's size", drawn and drawn["svg"], drawn and drawn["area"])
        run.truth(f"plot at {width} px has texts of 12 px or more", drawn and drawn["texts"] > 0 and
                  round(drawn["smallest"], 2) >= 12, str(drawn))
    page.driver.set_window_size(1500, 1100)
    if screenshots:
        full_page_screenshot(page, os.path.join(screenshots, "details.png"))

    # Copying: the plain lines; saving: the report's document as SVG, the same drawn as PNG.
    page.element("details-copy").click()
    WebDriverWait(page.driver, 5).until(lambda d: d.find_element(By.ID, "details-copied").text != "")
    run.check("copy says so", page.text("details-copied"), "整数の設定値をクリップボードにコピーしました。")
    for name in os.listdir(downloads):
        os.remove(os.path.join(downloads, name))
    probed = run_probe(probe, probe_actions(3, WORKED, "10000") + ["document"])[-1]
    page.element("details-save").click()
    run.check("saved plot is the report's SVG", wait_for_file(os.path.join(downloads, "velocity-profile.svg")),
              probed.encode("utf-8"))
    run.check("save says so", page.text("details-saved"), "velocity-profile.svg に保存しました。")
    page.select("details-save-format", 1)
    page.element("details-save").click()
    png = wait_for_file(os.path.join(downloads, "velocity-profile.png"))
    # The PNG's signature, then its header chunk: the 960 x 640 document at the report's scale, in pixels.
    scale = run_probe(probe, probe_actions(3, WORKED, "10000"))[-1]["pngScale"]
    run.check("saved PNG has the document's size", [png[:8], int.from_bytes(png[16:20], "big"),
                                                    int.from_bytes(png[20:24], "big")],
              [b"\x89PNG\r\n\x1a\n", 960 * scale, 640 * scale])


def check_long_figures(run, page):
    """A pulse count of 1e300: no part of the page grows wider than the window; no
    figure is cut in its cell: a table wider than the page scrolls sideways in its box."""
    page.open()
    work_drive(page, 2, WORKED, None, "1e300")
    for width in [1280, 390]:
        page.driver.set_window_size(width, 900)
        time.sleep(0.3)
        run.check(f"1e300 at {width} px: no sideways scrolling", page.driver.execute_script(
            "return document.documentElement.scrollWidth <= document.documentElement.clientWidth"), True)
        run.check(f"1e300 at {width} px: no cell cut", cut_cells(page), [])
        run.truth(f"1e300 at {width} px: a table scrolls sideways instead", page.driver.execute_script(
            "return Array.from(document.querySelectorAll('#details div.table'))"
            ".some(t => t.scrollWidth > t.clientWidth && getComputedStyle(t).overflowX === 'auto')"), "")
    page.driver.set_window_size(1500, 1100)


def cut_cells(page):
    """The texts of the details' cells shown in part: cut at the cell's edge, or wrapped onto a second line."""
    return page.driver.execute_script("""
        return Array.from(document.querySelectorAll('#details .cell')).filter(c => {
            const style = getComputedStyle(c);
            const line = parseFloat(style.lineHeight) || 1.3 * parseFloat(style.fontSize);
            return c.scrollWidth > c.clientWidth || c.getBoundingClientRect().height > 1.6 * line;
        }).map(c => c.textContent)""")


def check_layout(run, page):
    """At every width from 360 px: nothing needs sideways scrolling, no text is under
    12 px, and below the dialog's width the fields stand in one column in tab order."""
    page.open()
    work_drive(page, 3, WORKED, None, "10000")
    for width in [360, 390, 600, 820, 1280]:
        page.driver.set_window_size(width, 900)
        time.sleep(0.3)
        state = page.driver.execute_script("""
            const dialog = document.getElementById('IDD_MAIN');
            const controls = Array.from(dialog.querySelectorAll('input, select, button, output'));
            const right = document.documentElement.clientWidth;
            const visible = Array.from(document.querySelectorAll('body *')).filter(e =>
                e.offsetParent !== null && Array.from(e.childNodes).some(n => n.nodeType === 3 && n.data.trim()));
            const focusable = Array.from(dialog.querySelectorAll('input, select, button'));
            const tops = focusable.map(e => e.getBoundingClientRect().top);
            return {flow: dialog.classList.contains('flow'),
                    sideways: document.documentElement.scrollWidth > right,
                    outside: controls.filter(e => { const r = e.getBoundingClientRect();
                                                    return r.left < 0 || r.right > right; }).map(e => e.id),
                    small: visible.filter(e => parseFloat(getComputedStyle(e).fontSize) < 12).map(e => e.tagName),
                    columnInTabOrder: tops.every((top, i) => i === 0 || top > tops[i - 1])};""")
        run.check(f"{width} px: the window's width", page.driver.execute_script("return innerWidth"), width)
        run.check(f"{width} px: one column below the dialog's width", state["flow"], width < 600)
        run.check(f"{width} px: no sideways scrolling", [state["sideways"], state["outside"]], [False, []])
        run.check(f"{width} px: no text under 12 px", state["small"], [])
        run.check(f"{width} px: no cell of the details cut", cut_cells(page), [])
        if state["flow"]:
            run.check(f"{width} px: the fields one below the other in tab order", state["columnInTabOrder"], True)
        page.element("IDM_ABOUTBOX").click()
        run.check(f"{width} px: the About box and its OK button inside the window", page.driver.execute_script("""
            const box = document.getElementById('IDD_ABOUTBOX'), ok = document.getElementById('IDOK').getBoundingClientRect();
            return box.scrollWidth <= box.clientWidth && ok.left >= 0 && ok.right <= innerWidth;"""), True)
        page.element("IDOK").click()
    page.driver.set_window_size(1500, 1100)


def check_tooltips(run, page):
    """A result whose text does not fit shows the whole text as its title; the others have none."""
    page.open()
    work_drive(page, 3, WORKED, None, "123456789")
    titles = page.driver.execute_script(
        "return Array.from(document.querySelectorAll('#IDD_MAIN output'), e => [e.id, e.title])")
    run.check("the cut deceleration point has its text as title",
              [title for identifier, title in titles if identifier == "IDC_DECEL_POINT"],
              [page.text("IDC_DECEL_POINT")])
    run.check("results that fit have no title",
              [identifier for identifier, title in titles if title and identifier != "IDC_DECEL_POINT"], [])
    shown = page.shown("IDC_DECEL_POINT")
    run.check("the cut deceleration point keeps its leading digits and the cut mark",
              [shown.startswith("1234"), shown.endswith("\u2026"), page.text("IDC_DECEL_POINT")],
              [True, True, "123455274.000"])
    # A text read otherwise than typed is marked at its field, its sentence as the title.
    page.type("IDC_INITIAL_SPEED", "１００")
    page.type("IDC_DRIVE_SPEED", "10000x")
    page.press("IDC_CALCULATE")
    marks = page.driver.execute_script(
        "return Array.from(document.querySelectorAll('#IDD_MAIN .misread'), e => [e.id, e.title])")
    run.check("the misread field is marked with its finding, full-width digits are not",
              marks, [["IDC_DRIVE_SPEED", "ドライブ速度「10000x」は10000と読まれました。数値の後の文字は無視されます。"]])


def stale_shown(page):
    """Each greyed result with the text of its accessible description."""
    return page.driver.execute_script(
        "return Array.from(document.querySelectorAll('#IDD_MAIN output.stale'), e => [Number(e.dataset.control),"
        " document.getElementById(e.getAttribute('aria-describedby')).textContent])")


def check_stale(run, page, probe, screenshots):
    """Results that no longer belong to the calculation held are greyed with a
    description that says why, their texts kept; the same fields as the program says."""
    page.open()
    work_drive(page, 3, WORKED, None, "10000")
    actions = probe_actions(3, WORKED, "10000")[:-1]
    steps = [
        ("after 算出", [], [], None),
        ("after another 決定", [("IDC_DECEL_TIME", "0.5")], ["IDC_CALCULATE"], None),
        ("after a failed 決定", [("IDC_DRIVE_SPEED", "")], ["IDC_CALCULATE"], "stale-failed"),
        ("after a good 決定 again", [("IDC_DRIVE_SPEED", "10000")], ["IDC_CALCULATE"], "stale-decel-point"),
        ("after 算出 again", [], ["IDC_COMPUTE_DECEL_POINT"], None),
    ]
    for name, typed, pressed, shot in steps:
        before = page.text("IDC_DECEL_POINT")
        for field, text in typed:
            page.type(field, text)
            actions.append(f"text:{NUMBERS[field]}:{text}")
        for button in pressed:
            page.press(button)
            actions.append(f"press:{NUMBERS[button]}")
        expected = run_probe(probe, actions + ["details"])[-1]["stale"]
        run.check(f"greyed {name}", sorted(stale_shown(page)), sorted([s["control"], s["note"]] for s in expected))
        if name == "after another 決定":
            run.check("a greyed result keeps its text", page.text("IDC_DECEL_POINT"), before)
        if shot and screenshots:
            full_page_screenshot(page, os.path.join(screenshots, f"{shot}.png"))
    run.check("nothing greyed at the end", stale_shown(page), [])


def check_copy_formats(run, page, probe):
    """The copy button copies the format chosen beside it, the plain lines by default."""
    page.open()
    work_drive(page, 3, WORKED, None, None)
    formats = run_probe(probe, probe_actions(3, WORKED, None))[-1]["copyFormats"]
    page.driver.execute_script(
        "navigator.clipboard.writeText = text => { window.copiedText = text; return Promise.resolve(); }")
    run.check("copy format choices", page.driver.execute_script(
        "return Array.from(document.getElementById('details-copy-format').options, o => o.textContent)"),
        [f["label"] for f in formats])
    for index in [0] + list(range(len(formats) - 1, -1, -1)):
        if index or page.driver.execute_script("return window.copiedText !== undefined"):
            page.select("details-copy-format", index)
        page.element("details-copy").click()
        WebDriverWait(page.driver, 5).until(lambda d: d.execute_script("return window.copiedText !== undefined"))
        run.check(f"copied as {formats[index]['label']}", page.driver.execute_script("return window.copiedText"),
                  formats[index]["text"])


def check_comparison(run, page, probe):
    """Choosing a row of the multipliers' comparison selects its multiplier and presses
    再計算: by a double click, by Enter on the row, and by the button under the table."""
    page.open()
    work_drive(page, 0, WORKED, None, None)
    rows = page.driver.execute_script(
        "return Array.from(document.querySelectorAll('#details tr[data-index]'), r => Number(r.dataset.index))")
    run.truth("comparison rows to choose", len(rows) >= 2, str(rows))
    if len(rows) < 2:
        return
    # The button is greyed until a row is selected, as in the desktop windows.
    greyed = page.driver.execute_script("return document.getElementById('details-choose').disabled")
    page.element(f"details-row-{rows[0]}").click()
    run.check("choose button: greyed until a row is selected, then enabled",
              [greyed, page.driver.execute_script("return document.getElementById('details-choose').disabled")],
              [True, False])
    for how, index in [("double click", rows[-1]), ("Enter", rows[0]), ("button", rows[1])]:
        row = page.element(f"details-row-{index}")
        page.driver.execute_script("document.documentElement.dataset.busy = 'choosing'")
        if how == "double click":
            ActionChains(page.driver).double_click(row).perform()
        elif how == "Enter":
            row.click()
            row.send_keys(Keys.ENTER)
        else:
            row.click()
            page.element("details-choose").click()
        WebDriverWait(page.driver, 10).until(
            lambda d: d.execute_script("return document.documentElement.dataset.busy") == "false")
        pressed = run_probe(probe, probe_actions(0, WORKED, None)[:-1] + [
            f"select:{NUMBERS['IDC_MULTIPLIER']}:{index}", f"press:{NUMBERS['IDC_RECALCULATE']}"])[-1]
        expected = [[op["control"], op["text"]] for op in pressed if op["op"] == "write"]
        run.check(f"chosen by {how}: the multiplier", page.selected("IDC_MULTIPLIER")[0], index)
        shown = page.driver.execute_script(
            "return arguments[0].map(c => [c, document.querySelector('[data-control=\"' + c + '\"]').textContent])",
            [control for control, _ in expected])
        run.check(f"chosen by {how}: the fields as 再計算 writes them", shown, expected)


def check_form(run, page, probe):
    """A section's form, drawn from the values the program gives (here the tests' sample
    form, as page_probe makes it): fields with labels, units, texts, greyed where unused, a
    finding; each keystroke handed to the form's controller with the form's texts while
    the field keeps its text and focus; Enter and the button run the command, whose
    requests the dialog carries out."""
    page.open()
    work_drive(page, 0, WORKED, None, None)
    layout = run_probe(probe, ["sampleform", "formfield:speed:12x", "formfield:time:2", "formchoice:question:0",
                               "formedit", "details"])[-1]
    requests = run_probe(probe, ["sampleform", "formfield:speed:30000", "formcommand:apply"])[-1]
    page.driver.execute_script("""
        window.formCalls = [];
        const layout = JSON.stringify(arguments[0]), requests = JSON.stringify(arguments[1]);
        const real = veldronixPage.call;
        veldronixPage.call = function (name, returns, types, values) {
            if (/^vx_(form_|set_form_)/.test(name)) {
                window.formCalls.push([name].concat(values));
                return name === 'vx_form_command' ? requests : null;
            }
            return name === 'vx_details' ? layout : real.apply(this, arguments);
        };
        veldronixDetails.refresh();""", layout, requests)
    field = "details-form-sample-field-"
    run.check("form: its rows", page.driver.execute_script("""
        return Array.from(document.querySelectorAll('[data-form=sample] .form-row'), row => Array.from(row.children,
            e => e.tagName === 'INPUT' ? e.value + (e.disabled ? ' (greyed)' : '') :
                 e.tagName === 'SELECT' ? Array.from(e.options, o => o.textContent).join('/') + ' ' + e.selectedIndex :
                 (e.classList.contains('warning') ? '!' : '') + e.textContent))"""),
              [["問い", "最短時間/時間指定 0", ""], ["最高速度", "12x", "PPS", "!▲ 「12x」は数値ではありません。"],
               ["目標時間", "2 (greyed)", "秒"]])
    page.element(field + "speed").click()
    page.driver.execute_script("window.formCalls = []")
    page.element(field + "speed").send_keys(Keys.END + "5")
    run.check("form: a keystroke hands the form in and edits it", page.driver.execute_script("return window.formCalls"),
              [["vx_form_clear"], ["vx_set_form_field", "speed", "12x5"], ["vx_set_form_field", "time", "2"],
               ["vx_set_form_choice", "question", 0], ["vx_form_edit", "sample"]])
    page.element(field + "speed").send_keys("6")
    run.check("form: the field keeps its text and the focus while the details are drawn again",
              [page.value(field + "speed"), page.focused()], ["12x56", field + "speed"])
    page.driver.execute_script("window.formCalls = []")
    press_enter(page, field + "speed")
    run.check("form: Enter runs the field's command", page.driver.execute_script(
        "return window.formCalls.filter(c => c[0] === 'vx_form_command')"), [["vx_form_command", "sample", "apply"]])
    run.check("form: its requests typed into the dialog and pressed 決定",
              [page.value("IDC_DRIVE_SPEED"), ":30000まで" in page.text("IDC_SUMMARY")], ["30000", True])
    page.driver.execute_script("window.formCalls = []")
    page.driver.execute_script("document.documentElement.dataset.busy = 'clicked'")
    page.driver.execute_script(
        "Array.from(document.querySelectorAll('#details .actions button')).find(b => b.textContent === '適用(P)').click()")
    WebDriverWait(page.driver, 10).until(
        lambda d: d.execute_script("return document.documentElement.dataset.busy") == "false")
    page.select("details-form-sample-choice-question", 1)
    run.check("form: the button runs the command, a choice is an edit", page.driver.execute_script(
        "return window.formCalls.filter(c => c[0] === 'vx_form_command' || c[0] === 'vx_set_form_choice')"),
        [["vx_set_form_choice", "question", 0], ["vx_form_command", "sample", "apply"],
         ["vx_set_form_choice", "question", 1]])


def drop_file(page, name, data):
    """Drops a file of those bytes onto the page, as a user drags one from the desktop."""
    page.driver.execute_script("""
        const transfer = new DataTransfer();
        transfer.items.add(new File([new Uint8Array(arguments[1])], arguments[0]));
        document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: transfer, bubbles: true, cancelable: true}));""",
        name, list(data))


def machine_note_becomes(page, previous):
    WebDriverWait(page.driver, 10).until(lambda d: d.execute_script(
        "const n = document.getElementById('details-machine-note'); return n && n.textContent !== arguments[0]",
        previous))
    return page.driver.execute_script(
        "const n = document.getElementById('details-machine-note');"
        "return [n.textContent, n.classList.contains('warning'), document.title]")


def check_machine_file(run, page, downloads):
    """The machine saved as a download, the page closed, the file dropped onto a new one:
    the same fields and details in the axis's units, the file's name in the title, the
    same bytes saved again; a bad file says why in the warning colour and changes nothing."""
    page.open()
    title = page.driver.title
    work_drive(page, 0, {"initial": "640", "drive": "32000", "accel": "0.2"}, None, None)
    page.type("details-form-axis-field-pulsesPerRev", "3200")
    page.type("details-form-axis-field-travelPerRev", "5")
    page.driver.execute_script("document.documentElement.dataset.busy = 'clicked'")
    page.driver.execute_script("Array.from(document.querySelectorAll('#details .actions button'))"
                               ".find(b => b.textContent === '機構を適用(M)').click()")
    in_units = "32000.000 PPS(50.000 mm/s、600.000 rpm)"
    WebDriverWait(page.driver, 10).until(lambda d: in_units in page.text("details"))
    for name in os.listdir(downloads):
        os.remove(os.path.join(downloads, name))
    saved_path = os.path.join(downloads, "machine.veldronix.json")
    page.element("details-saveMachine").click()
    saved = wait_for_file(saved_path)
    run.check("machine file: saved says so, the title names it", machine_note_becomes(page, ""),
              ["machine.veldronix.json に保存しました。", False, "machine.veldronix.json - " + title])
    run.truth("machine file: the download is a machine file", saved.startswith(b"{"), saved[:80].decode("utf-8", "replace"))
    os.remove(saved_path)

    page.open()
    drop_file(page, "machine.veldronix.json", saved)
    run.check("machine file: dropped onto a new page opens it", machine_note_becomes(page, ""),
              ["machine.veldronix.json を開きました。", False, "machine.veldronix.json - " + title])
    run.check("machine file: its fields and the details in its units",
              [page.value("IDC_DRIVE_SPEED"), in_units in page.text("details")], ["32000", True])
    page.element("details-saveMachine").click()
    run.check("machine file: saved again, byte for byte", wait_for_file(saved_path), saved)

    page.type("IDC_DRIVE_SPEED", "1000")
    shown = page.text("details-machine-note")
    drop_file(page, "bad.veldronix.json", b'{"format": 1}')
    note, failed, after = machine_note_becomes(page, shown)
    run.check("machine file: a bad one says so in the warning colour and changes nothing",
              [failed, "bad.veldronix.json" in note, page.value("IDC_DRIVE_SPEED"), after],
              [True, True, "1000", "machine.veldronix.json - " + title])


def full_page_screenshot(page, path):
    """The whole page, the plot and its save button included, however long it is."""
    width, height = page.driver.execute_script(
        "return [document.documentElement.scrollWidth, document.documentElement.scrollHeight]")
    shot = page.driver.execute_cdp_cmd("Page.captureScreenshot", {
        "format": "png", "captureBeyondViewport": True,
        "clip": {"x": 0, "y": 0, "width": width, "height": height, "scale": 1}})
    with open(path, "wb") as out:
        out.write(base64.b64decode(shot["data"]))


def take_screenshots(page, directory):
    """The page as a user sees it on a desktop (1280x800, 1280x720) and a phone (390x844), whole."""
    def shoot(name, width, height):
        page.driver.set_window_size(width, height)
        time.sleep(0.3)
        full_page_screenshot(page, os.path.join(directory, f"{name}-{width}x{height}.png"))

    for drive_type in range(4):
        page.open()
        work_drive(page, drive_type, WORKED, None, "10000")
        shoot(f"type{drive_type}", 1280, 800)
        shoot(f"type{drive_type}", 390, 844)
    page.open()
    work_drive(page, 2, WORKED, None, "1e300")
    shoot("pulses-1e300", 1280, 800)
    shoot("pulses-1e300", 390, 844)
    page.open()
    work_drive(page, 0, {"initial": "100", "drive": "2000", "accel": "0.0013"}, None, None)
    shoot("comparison", 1280, 800)
    # 確認事項 of texts read otherwise than typed, and the status line of a failed command.
    for name, texts in [("findings-1000", {"initial": "1,000", "drive": "10000", "accel": "0.2"}),
                        ("findings-negative", {"initial": "100", "drive": "10000", "accel": "-0.2"}),
                        ("findings-cut", {"initial": "0" * 76 + "100", "drive": "10000", "accel": "0.2"}),
                        ("failure-4000001", {"drive": "4000001", "accel": "1"})]:
        page.open()
        work_drive(page, 0, texts, None, None)
        shoot(name, 1280, 800)
    # A finding at its field beside figures too wide for theirs: drawn smaller, or cut with the mark.
    page.open()
    work_drive(page, 3, {"initial": "abc", "drive": "10000", "accel": "100", "decel": "100"}, None, "123456789")
    shoot("findings-long-figures", 1280, 800)
    # The section 移動の設計 of each question from the worked type-3 drive, then after 設定に反映.
    for question, name in [(0, "design-fastest"), (1, "design-on-time")]:
        page.open()
        work_drive(page, 3, WORKED, None, "10000")
        page.select("details-form-moveDesign-choice-question", question)
        shoot(name, 1280, 720)
        shoot(name, 390, 844)
        page.driver.execute_script("document.documentElement.dataset.busy = 'clicked'")
        page.driver.execute_script(
            "Array.from(document.querySelectorAll('#details .actions button'))"
            ".find(b => b.textContent === '設定に反映(A)').click()")
        WebDriverWait(page.driver, 10).until(
            lambda d: d.execute_script("return document.documentElement.dataset.busy") == "false")
        shoot(name + "-applied", 1280, 720)
        shoot(name + "-applied", 390, 844)
    # The worked axis (3200 pulses per revolution, 5 mm per revolution): the real drive
    # in mm/s and rpm, the axis list and the form 単位で入力.
    page.open()
    work_drive(page, 0, {"initial": "640", "drive": "32000", "accel": "0.2"}, None, "64000")
    page.type("details-form-axis-field-pulsesPerRev", "3200")
    page.type("details-form-axis-field-travelPerRev", "5")
    page.driver.execute_script("document.documentElement.dataset.busy = 'clicked'")
    page.driver.execute_script("Array.from(document.querySelectorAll('#details .actions button'))"
                               ".find(b => b.textContent === '機構を適用(M)').click()")
    WebDriverWait(page.driver, 10).until(lambda d: "50.000 mm/s" in page.text("details"))
    shoot("axis-units", 1280, 720)
    shoot("axis-units", 390, 844)
    # The comparison with its columns in mm/s and rpm, and 移動の設計 typed in mm.
    WebDriverWait(page.driver, 10).until(lambda d: "ドライブ速度(mm/s)" in page.text("details"))
    page.select("details-form-moveDesign-choice-unit", 1)
    WebDriverWait(page.driver, 10).until(lambda d: "→ 32000 PPS" in page.text("details"))
    shoot("axis-design-units", 1280, 720)
    shoot("axis-design-units", 390, 844)
    page.driver.set_window_size(1280, 800)

    def message_shot(p):
        p.driver.save_screenshot(os.path.join(directory, "message.png"))

    page.type("IDC_PULSE_COUNT", "1000")
    page.press("IDC_COMPUTE_DECEL_POINT", on_message=message_shot)
    page.element("IDM_ABOUTBOX").click()
    page.driver.save_screenshot(os.path.join(directory, "about.png"))
    page.element("IDOK").click()
    page.driver.set_window_size(1500, 1100)


def check_static_server(run, page):
    """The same page from a static server on 127.0.0.1: one request, for the page itself."""
    folder, name = os.path.split(os.path.abspath(page.url[len("file://"):]))
    server = subprocess.Popen([sys.executable, "-u", "-m", "http.server", "0", "--bind", "127.0.0.1",
                               "--directory", folder], stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    try:
        port = server.stdout.readline().split(" port ")[1].split(" ")[0]
        page.driver.get(f"http://127.0.0.1:{port}/{name}")
        WebDriverWait(page.driver, 20).until(lambda d: d.execute_script(
            "return document.documentElement.dataset.ready"))
        fields, messages = work_drive(page, 3, WORKED, None, "10000")
        run.check("served: worked drive", [fields["K"], fields["decelPoint"], messages], ["126.263 ", "8485.000", []])
    finally:
        server.terminate()
        log = server.communicate(timeout=10)[1]
    run.check("served: the one request", [line.split('"')[1] for line in log.splitlines() if '"' in line],
              [f"GET /{name} HTTP/1.1"])


def check_requests(run, page):
    page.collect_requests()
    # The page's own loads, and the data: and blob: addresses of what is inside it (its icon, the saved plot).
    inside = [url for url in page.requests if url == page.url or url.startswith(("data:", "blob:"))]
    leaving = [url for url in page.requests if url not in inside]
    run.check(f"no request leaves the page ({len(inside)} requests of the page and its own data)", leaving, [])
    run.check("no resource entries", page.driver.execute_script(
        "return performance.getEntriesByType('resource').map(e => e.name)"), [])
    errors = [entry["message"] for entry in page.driver.get_log("browser") if entry["level"] == "SEVERE"]
    run.check("no errors on the console", errors, [])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--page", required=True)
    parser.add_argument("--pulsecalc", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--screenshots")
    arguments = parser.parse_args()
    if arguments.screenshots:
        os.makedirs(arguments.screenshots, exist_ok=True)
    run = Run()
    for language in ["en-US", "de-DE"]:
        run.prefix = f"[{language}] "
        downloads = tempfile.mkdtemp(prefix="veldronix-downloads-")
        page = Page(arguments.page, language, downloads)
        try:
            run.check("browser language", page.driver.execute_script("return navigator.language"), language)
            page.open()
            check_initial_state(run, page)
            check_drives(run, page, arguments.pulsecalc)
            check_literals(run, page)
            check_keys(run, page)
            check_selector_keys(run, page)
            check_about(run, page)
            screenshots = arguments.screenshots if language == "en-US" else None
            check_details(run, page, arguments.probe, downloads, screenshots)
            if language == "en-US":
                # The layout and the details' own behaviour; they do not change with the language.
                check_layout(run, page)
                check_long_figures(run, page)
                check_tooltips(run, page)
                check_comparison(run, page, arguments.probe)
                check_form(run, page, arguments.probe)
                check_machine_file(run, page, downloads)
                check_copy_formats(run, page, arguments.probe)
                check_stale(run, page, arguments.probe, screenshots)
            if screenshots:
                take_screenshots(page, screenshots)
            check_requests(run, page)
            if language == "en-US":
                check_static_server(run, page)
        except Exception as error:  # a page that stops answering is one failure, and the run goes on
            run.check(f"run ended early: {type(error).__name__}", str(error), "")
        finally:
            page.quit()
            shutil.rmtree(downloads, ignore_errors=True)
    print(f"{run.passed} passed, {run.failed} failed")
    return 0 if run.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
