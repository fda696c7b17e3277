// End-to-end test of Veldronix.exe: starts it, works its dialog only through
// window messages as a user would, and checks every text the user sees.
// Usage: veldronix_e2e PATH\Veldronix.exe SCREENSHOT_FOLDER [dialog|details|endings]
// Prints one line per check and exits with 1 when any failed.
#include "remote_dialog.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using e2e::MessageBoxSeen;
using e2e::RemoteProgram;

// The dialog's control identifiers, as a user's tools (Spy++ and the like) see them.
enum : int {
    driveType = 1000, initialSpeed = 1001, driveSpeed = 1002, accelTime = 1003, calculate = 1004,
    outR = 1005, outSV = 1006, outA = 1007, outV = 1008, summary = 1009, outK = 1010, outAO = 1011,
    decelTime = 1012, outD = 1013, outL = 1014, recalculate = 1016, multiplier = 1017, pulseCount = 1018,
    computeDecelPoint = 1019, decelPoint = 1020,
};

// The details window's parts; a row's parts are the first identifier plus the row's index.
namespace details {
enum : int {
    heading = 2000, registersHeading = 2001, registerName = 2010, registerInteger = 2020, registerValue = 2030,
    copy = 2040, realDriveHeading = 2100, quantityMark = 2110, quantityLabel = 2120, quantityRequested = 2130,
    quantityReal = 2140, quantityDeviation = 2150, findingsHeading = 2200, findingsNote = 2201, findingMark = 2210,
    finding = 2220, plotHeading = 2300, plot = 2301, plotNote = 2302, plotTitle = 2303, phaseSwatch = 2310,
    phaseName = 2320, phaseTime = 2330, phasePulses = 2340, phaseDetail = 2350, save = 2400, status = 2401,
    close = IDCANCEL,
};
} // namespace details

constexpr WPARAM idmDetails = 0x0020;
const std::wstring detailsClass = L"VeldronixDetails";
const std::wstring detailsCaption = L"詳細情報";

const std::wstring mainCaption = L"パラメータ算出ツール";
const std::wstring aboutCaption = L"Veldronixのﾊﾞｰｼﾞｮﾝ情報";
const std::wstring boxCaption = L"Veldronix";
const std::wstring noSetting = L"パラメーターエラー。設定値を求めることができません。";
const std::wstring driveSpeedZero = L"パラメーターエラー。ドライブ速度が0です。";
const std::wstring accelTimeZero = L"パラメーターエラー。ドライブ速度に達する時間が0です。";
const std::wstring initialAboveDrive = L"パラメーターエラー。初速度がドライブ速度より大きいです。";
const std::wstring decelTimeZero = L"パラメーターエラー。初速度に達する時間が0です。";

const std::wstring summary0 = L"初速度:100で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は\n以下のようになります。";
const std::wstring summary3 = L"初速度:100で、ドライブ速度:10000までを0.200秒でS字加速し、\n初速度まで0.300秒でS字減速する場合の設定値は以下のようになります。";

// The nine result fields in the order the program writes them.
const int resultFields[] = {summary, outR, outA, outSV, outV, outK, outAO, outD, outL};
using Results = std::vector<std::wstring>;
const Results type0Multiplier2 = {summary0, L"4000000 ", L"198.000 ", L"50.000 ", L"5000.000 ", L"", L"", L"", L""};
const Results type0Multiplier10 = {summary0, L"800000 ", L"39.600 ", L"10.000 ", L"1000.000 ", L"", L"", L"", L""};
const Results type3Multiplier2 = {summary3,   L"4000000 ", L"8000.000 ", L"50.000 ", L"5000.000 ",
                          L"126.263 ", L"0.000",    L"8000.000",  L"284.091"};

int passed = 0;
int failed = 0;

void print(const std::wstring& line)
{
    std::wstring escaped;
    for (const wchar_t c : line) {
        if (c == L'\n') {
            escaped += L"\\n";
        } else {
            escaped += c;
        }
    }
    escaped += L'\n';
    const int size = WideCharToMultiByte(CP_UTF8, 0, escaped.c_str(), static_cast<int>(escaped.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, escaped.c_str(), static_cast<int>(escaped.size()), utf8.data(), size, nullptr,
                        nullptr);
    fwrite(utf8.data(), 1, utf8.size(), stdout);
    fflush(stdout);
}

void check(bool ok, const std::wstring& name, const std::wstring& detail = L"")
{
    (ok ? passed : failed) += 1;
    print((ok ? L"PASS " : L"FAIL ") + name + (ok || detail.empty() ? L"" : L": " + detail));
}

void expectText(const std::wstring& name, const std::wstring& actual, const std::wstring& expected)
{
    check(actual == expected, name, L"expected [" + expected + L"], got [" + actual + L"]");
}

void expectResults(const RemoteProgram& program, const std::wstring& name, const Results& expected)
{
    Results actual;
    for (const int field : resultFields) {
        actual.push_back(program.text(field));
    }
    std::wstring detail;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (actual[i] != expected[i]) {
            detail += L" field " + std::to_wstring(resultFields[i]) + L" expected [" + expected[i] + L"] got [" +
                      actual[i] + L"]";
        }
    }
    check(detail.empty(), name, detail);
}

// What the user sees of every field and both selectors.
std::vector<std::wstring> snapshot(const RemoteProgram& program)
{
    std::vector<std::wstring> all;
    for (int field = driveType; field <= decelPoint; ++field) {
        if (program.item(field) != nullptr) {
            all.push_back(program.text(field));
        }
    }
    all.push_back(std::to_wstring(program.selectedIndex(driveType)));
    all.push_back(std::to_wstring(program.selectedIndex(multiplier)));
    return all;
}

// Clicks a button and checks that exactly the expected message box (or none) came.
void clickExpecting(const RemoteProgram& program, const std::wstring& name, int button, const std::wstring& message)
{
    bool finished = false;
    const std::vector<MessageBoxSeen> boxes = program.click(button, finished);
    check(finished, name + L": the command ends");
    if (message.empty()) {
        check(boxes.empty(), name + L": no message box",
              boxes.empty() ? L"" : L"a box said [" + boxes.front().text + L"]");
        return;
    }
    if (boxes.size() != 1) {
        check(false, name + L": one message box", std::to_wstring(boxes.size()) + L" boxes");
        return;
    }
    const MessageBoxSeen& box = boxes.front();
    expectText(name + L": message", box.text, message);
    expectText(name + L": message box caption", box.caption, boxCaption);
    check(box.ownedByDialog && box.onlyOk && box.hasIcon, name + L": a stop box owned by the dialog with OK only",
          L"owned " + std::to_wstring(box.ownedByDialog) + L", OK only " + std::to_wstring(box.onlyOk) +
              L", icon " + std::to_wstring(box.hasIcon));
}

void enterDrive(const RemoteProgram& program, int type, const std::wstring& initial, const std::wstring& drive,
                const std::wstring& accel, const std::wstring& decel)
{
    program.select(driveType, type);
    program.setText(initialSpeed, initial);
    program.setText(driveSpeed, drive);
    program.setText(accelTime, accel);
    program.setText(decelTime, decel);
}

void initialState(const RemoteProgram& program)
{
    expectText(L"initial: drive type text", program.text(driveType), L"対称台形加減速");
    check(program.selectedIndex(driveType) == 0, L"initial: drive type item 0 selected");
    check(program.selectedIndex(multiplier) == -1, L"initial: no multiplier selected");
    expectText(L"initial: multiplier text", program.text(multiplier), L"");
    expectResults(program, L"initial: result fields empty", {L"", L"", L"", L"", L"", L"", L"", L"", L""});
    expectText(L"initial: deceleration point", program.text(decelPoint), L"0");
    for (const int edit : {initialSpeed, driveSpeed, accelTime, decelTime, pulseCount}) {
        expectText(L"initial: edit " + std::to_wstring(edit) + L" empty", program.text(edit), L"");
    }
    const std::vector<std::wstring> types = {L"対称台形加減速", L"対称S字加減速", L"非対称台形加減速", L"非対称S字加減速"};
    check(program.items(driveType) == types, L"initial: drive type items in order");
    const std::vector<std::wstring> multipliers = {L"1(8,000,000)", L"2(4,000,000)", L"5(1,600,000)",
                                                   L"10(800,000)",  L"20(400,000)",  L"50(160,000)",
                                                   L"100(80,000)",  L"200(40,000)",  L"500(16,000)"};
    check(program.items(multiplier) == multipliers, L"initial: multiplier items in order");
    expectText(L"initial: caption", program.text(program.dialog()), mainCaption);
    check((GetWindowLongW(program.dialog(), GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0, L"initial: task-bar window");
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    const bool focus = GetGUIThreadInfo(program.threadId(), &gui) && gui.hwndFocus != nullptr &&
                       (gui.hwndFocus == program.item(driveType) || GetParent(gui.hwndFocus) == program.item(driveType));
    check(focus, L"initial: the focus is on the drive type");
}

void calculateAndRecalculate(const RemoteProgram& program)
{
    clickExpecting(program, L"recalculate before any calculate", recalculate, noSetting);
    clickExpecting(program, L"decel point before any calculate", computeDecelPoint, noSetting);
    expectText(L"decel point before any calculate: field cleared", program.text(decelPoint), L"");

    program.select(driveType, 0);
    program.type(initialSpeed, L"100");
    program.type(driveSpeed, L"10000");
    program.type(accelTime, L"0.2");
    expectText(L"typed text reads back", program.text(initialSpeed), L"100");
    clickExpecting(program, L"calculate type 0", calculate, L"");
    expectResults(program, L"calculate type 0: results", type0Multiplier2);
    expectText(L"calculate type 0: multiplier shown", program.text(multiplier), L"2(4,000,000)");
    check(program.selectedIndex(multiplier) == 1, L"calculate type 0: multiplier item 1");

    clickExpecting(program, L"recalculate, same multiplier", recalculate, L"");
    expectResults(program, L"recalculate, same multiplier: same results", type0Multiplier2);

    program.select(multiplier, 3);
    clickExpecting(program, L"recalculate with 10(800,000)", recalculate, L"");
    expectResults(program, L"recalculate with 10(800,000): results", type0Multiplier10);
    expectText(L"recalculate with 10(800,000): selector stays", program.text(multiplier), L"10(800,000)");

    program.select(multiplier, 0);
    const auto before = snapshot(program);
    clickExpecting(program, L"recalculate with a smaller multiplier", recalculate, noSetting);
    check(snapshot(program) == before, L"recalculate with a smaller multiplier: nothing changes");

    program.select(multiplier, 3);
    program.setText(accelTime, L"0");
    clickExpecting(program, L"recalculate with acceleration time 0", recalculate, accelTimeZero);
    expectResults(program, L"recalculate with acceleration time 0: results stay", type0Multiplier10);
    program.setText(accelTime, L"0.2");
}

void decelPointCommand(const RemoteProgram& program, const std::wstring& screenshots)
{
    enterDrive(program, 3, L"100", L"10000", L"0.2", L"0.3");
    clickExpecting(program, L"calculate type 3", calculate, L"");
    expectResults(program, L"calculate type 3: results", type3Multiplier2);
    expectText(L"calculate type 3: multiplier shown", program.text(multiplier), L"2(4,000,000)");
    check(e2e::captureWindow(program.dialog(), screenshots + L"\\win32-main.bmp"), L"screenshot of the main dialog");

    struct Case {
        const wchar_t* name;
        const wchar_t* pulses;
        const wchar_t* initial;
        const wchar_t* message; // empty: the point is shown
        const wchar_t* pointText; // what IDC_DECEL_POINT shows afterwards
    } const cases[] = {
        {L"decel point 10000 pulses", L"10000", L"100", L"", L"8485.000"},
        {L"decel point 1000 pulses, negative", L"1000", L"100", noSetting.c_str(), L""},
        {L"decel point of a non-number", L"abc", L"100", noSetting.c_str(), L""},
        {L"decel point of 0 pulses", L"0", L"100", noSetting.c_str(), L""},
        {L"decel point 10000 pulses again", L"10000", L"100", L"", L"8485.000"},
        {L"decel point, initial above drive speed now", L"10000", L"20000", noSetting.c_str(), L""},
    };
    for (const Case& c : cases) {
        program.setText(pulseCount, c.pulses);
        program.setText(initialSpeed, c.initial);
        clickExpecting(program, c.name, computeDecelPoint, c.message);
        expectText(std::wstring(c.name) + L": field", program.text(decelPoint), c.pointText);
    }
    program.setText(initialSpeed, L"100");
}

void failedCalculations(RemoteProgram& program, const std::wstring& screenshots)
{
    struct Case {
        const wchar_t* name;
        int type;
        std::wstring initial, drive, accel, decel, message;
    } const cases[] = {
        {L"all empty", 0, L"", L"", L"", L"", driveSpeedZero},
        {L"drive speed not a number", 0, L"100", L"abc", L"0", L"0", driveSpeedZero},
        {L"acceleration time empty", 3, L"100", L"10000", L"", L"", accelTimeZero},
        {L"initial above drive", 0, L"500.001", L"500", L"1", L"", initialAboveDrive},
        {L"asymmetric without deceleration time", 2, L"100", L"10000", L"0.2", L"", decelTimeZero},
        {L"drive speed 5000000", 3, L"100", L"5000000", L"0.2", L"0.3", noSetting},
        {L"drive speed 4000001", 3, L"100", L"4000001", L"0.2", L"0.3", noSetting},
        {L"drive speed past the field's 78 bytes", 0, L"100", std::wstring(78, L'0') + L"5000", L"1", L"", driveSpeedZero},
    };
    for (const Case& c : cases) {
        const std::wstring name = std::wstring(L"failed calculate, ") + c.name;
        enterDrive(program, 3, L"100", L"10000", L"0.2", L"0.3");
        clickExpecting(program, name + L": set-up", calculate, L"");
        enterDrive(program, c.type, c.initial, c.drive, c.accel, c.decel);
        if (&c == &cases[0]) {
            program.captureNextMessageBox(screenshots + L"\\win32-error.bmp");
        }
        clickExpecting(program, name, calculate, c.message);
        expectResults(program, name + L": earlier results stay", type3Multiplier2);
        clickExpecting(program, name + L": recalculate refused", recalculate, noSetting);
        clickExpecting(program, name + L": decel point refused", computeDecelPoint, noSetting);
    }
    // Back to type 0 after type 3: K, AO, D and L are cleared and J2 is forgotten.
    enterDrive(program, 3, L"100", L"10000", L"0.2", L"0.3");
    clickExpecting(program, L"type 3 then type 0: set-up", calculate, L"");
    program.select(driveType, 0);
    clickExpecting(program, L"type 3 then type 0", calculate, L"");
    expectResults(program, L"type 3 then type 0: results", type0Multiplier2);
    program.setText(pulseCount, L"10000");
    clickExpecting(program, L"type 3 then type 0: decel point refused", computeDecelPoint, noSetting);
}

void unusualInput(const RemoteProgram& program)
{
    // A drive type typed by hand that names no item.
    enterDrive(program, 0, L"100", L"10000", L"0.2", L"");
    program.type(driveType, L"xyz");
    expectText(L"typed drive type: text", program.text(driveType), L"xyz");
    check(program.selectedIndex(driveType) == -1, L"typed drive type: no item selected");
    clickExpecting(program, L"typed drive type: calculate", calculate, L"");
    expectResults(program, L"typed drive type: results",
                  {L"", L"4000000 ", L"", L"50.000 ", L"5000.000 ", L"", L"", L"", L""});
    expectText(L"typed drive type: multiplier", program.text(multiplier), L"2(4,000,000)");

    // Only a field's first 78 bytes count, however long the text is.
    std::wstring longText = L"0.2";
    longText.append(100000, L'秒');
    enterDrive(program, 0, L"100", L"10000", longText, L"");
    clickExpecting(program, L"very long acceleration time", calculate, L"");
    expectResults(program, L"very long acceleration time: results", type0Multiplier2);

    // A lone surrogate is not a number: initial speed 0.
    enterDrive(program, 0, std::wstring(1, wchar_t(0xD800)) + L"100", L"10000", L"0.2", L"");
    clickExpecting(program, L"lone surrogate", calculate, L"");
    expectResults(program, L"lone surrogate: results",
                  {L"初速度:0で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は\n以下のようになります。",
                   L"4000000 ", L"200.000 ", L"0.000 ", L"5000.000 ", L"", L"", L"", L""});
    enterDrive(program, 0, L"100", L"10000", L"0.2", L"");
}

void systemMenu(RemoteProgram& program, const std::wstring& screenshots)
{
    // The system menu as another process sees it, where the platform allows that.
    const HMENU menu = GetSystemMenu(program.dialog(), FALSE);
    const int count = menu != nullptr ? GetMenuItemCount(menu) : -1;
    if (count >= 3) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, count - 1, text, 256, MF_BYPOSITION);
        expectText(L"system menu: last item", text, L"Veldronix のﾊﾞｰｼﾞｮﾝ情報(&A)...");
        check(GetMenuItemID(menu, count - 1) == 0x0010, L"system menu: last item's command 0x0010");
        GetMenuStringW(menu, count - 2, text, 256, MF_BYPOSITION);
        expectText(L"system menu: the details item before it", text, L"詳細情報(&D)...");
        check(GetMenuItemID(menu, count - 2) == idmDetails, L"system menu: the details item's command 0x0020");
        check((GetMenuState(menu, count - 3, MF_BYPOSITION) & MF_SEPARATOR) != 0,
              L"system menu: a separator before both");
    } else {
        print(L"NOTE the system menu of another process cannot be read here; its item is chosen from the keyboard");
    }
    // Open the system menu as Alt+Space does; the item is its last one: Up from
    // the first item wraps to it, and Enter chooses it.
    // The menu's own loop keeps the send running; the About box comes only after the keys.
    const HWND about = program.openModal(WM_SYSCOMMAND, SC_KEYMENU, L' ', aboutCaption, 0);
    if (about == nullptr) {
        for (int tries = 0; tries < 600; ++tries) {
            const HWND popup = FindWindowW(L"#32768", nullptr);
            if (popup != nullptr && IsWindowVisible(popup)) {
                Sleep(200);
                check(e2e::captureWindow(GetDesktopWindow(), screenshots + L"\\win32-system-menu.bmp"),
                      L"screenshot of the system menu");
                PostMessageW(popup, WM_KEYDOWN, VK_UP, 0);
                PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
                break;
            }
            Sleep(50);
        }
    }
    HWND opened = about;
    for (int tries = 0; tries < 600 && opened == nullptr; ++tries) {
        for (HWND window : program.otherDialogs()) {
            if (program.text(window) == aboutCaption) {
                opened = window;
            }
        }
        Sleep(50);
    }
    check(opened != nullptr, L"system menu: A opens the About box");
    if (opened != nullptr) {
        PostMessageW(GetDlgItem(opened, IDOK), BM_CLICK, 0, 0);
    }
    check(program.modalClosed(30000), L"system menu: the About box closes");
}

void aboutBox(RemoteProgram& program, const std::wstring& screenshots)
{
    const auto before = snapshot(program);
    struct Case {
        const wchar_t* name;
        WPARAM command;
        bool byEscape;
    } const cases[] = {
        {L"About closed with OK", 0x0010, false},
        {L"About (command with low bits set) closed with Esc", 0x0013, true},
    };
    for (const Case& c : cases) {
        const std::wstring name = c.name;
        const HWND about = program.openModal(WM_SYSCOMMAND, c.command, 0, aboutCaption);
        check(about != nullptr, name + L": opens");
        if (about == nullptr) {
            program.modalClosed(1000);
            continue;
        }
        check(GetWindow(about, GW_OWNER) == program.dialog(), name + L": owned by the main dialog");
        std::vector<std::wstring> texts;
        bool icon = false;
        for (HWND child = GetWindow(about, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && GetDlgCtrlID(child) != IDOK) {
                icon = SendMessageW(child, STM_GETICON, 0, 0) != 0;
            } else {
                texts.push_back(program.text(child));
            }
        }
        check(icon, name + L": shows the icon");
        check(texts == std::vector<std::wstring>{L"Veldronix Version 1.0", L"Copyright (C) 2026 Veldronix", L"OK"},
              name + L": texts");
        if (!c.byEscape) {
            check(e2e::captureWindow(about, screenshots + L"\\win32-about.bmp"), L"screenshot of the About box");
            PostMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
        } else {
            PostMessageW(GetDlgItem(about, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
        }
        check(program.modalClosed(30000), name + L": closes");
        check(snapshot(program) == before, name + L": main fields unchanged");
    }
}

// Wine gives another process 0 for WM_GETICON and WM_QUERYDRAGICON, so the icon
// is checked where the user sees it: the caption shows the 16-colour image's
// pure red pulses and pure blue profile.
void captionIcon(const RemoteProgram& program)
{
    RECT rect{};
    GetWindowRect(program.dialog(), &rect);
    const HDC screen = GetDC(nullptr);
    bool red = false;
    bool blue = false;
    for (int y = rect.top; y < rect.top + 28; ++y) {
        for (int x = rect.left; x < rect.left + 28; ++x) {
            const COLORREF pixel = GetPixel(screen, x, y);
            red = red || pixel == RGB(255, 0, 0);
            blue = blue || pixel == RGB(0, 0, 255);
        }
    }
    ReleaseDC(nullptr, screen);
    check(red && blue, L"the caption shows the program icon");
}

void minimised(const RemoteProgram& program)
{
    const auto before = snapshot(program);
    SendMessageTimeoutW(program.dialog(), WM_SYSCOMMAND, SC_MINIMIZE, 0, SMTO_NORMAL, 30000, nullptr);
    check(IsIconic(program.dialog()) != FALSE, L"minimise: the window is minimised");
    SendMessageTimeoutW(program.dialog(), WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_NORMAL, 30000, nullptr);
    check(IsIconic(program.dialog()) == FALSE, L"minimise: restored");
    check(snapshot(program) == before, L"minimise: fields unchanged");
}

// The details window: everything it shows, one line each, read from its parts
// as a user's tools see them: "[heading]" for a part's heading, " !" after a
// quantity and "! " before a finding that carries the mark.
std::wstring shownDetails(const RemoteProgram& program, HWND window)
{
    const auto part = [window](int identifier) { return GetDlgItem(window, identifier); };
    const auto visible = [&](int identifier) { return IsWindowVisible(part(identifier)) != FALSE; };
    const auto text = [&](int identifier) { return program.text(part(identifier)); };
    std::wstring out = text(details::heading) + L"\n";
    if (!visible(details::registersHeading)) {
        return out;
    }
    out += L"[" + text(details::registersHeading) + L"]\n";
    for (int row = 0; row < 8 && visible(details::registerName + row); ++row) {
        out += text(details::registerName + row) + L" " + text(details::registerInteger + row) + L" " +
               text(details::registerValue + row) + L"\n";
    }
    out += L"[" + text(details::realDriveHeading) + L"]\n";
    for (int row = 0; row < 6 && visible(details::quantityLabel + row); ++row) {
        const bool marked = visible(details::quantityMark + row) && text(details::quantityMark + row) == L"▲";
        out += text(details::quantityLabel + row) + L" | " + text(details::quantityRequested + row) + L" | " +
               text(details::quantityReal + row) + L" | " + text(details::quantityDeviation + row) +
               (marked ? L" !" : L"") + L"\n";
    }
    out += L"[" + text(details::findingsHeading) + L"]\n";
    for (int row = 0; row < 8 && visible(details::finding + row); ++row) {
        const bool marked = visible(details::findingMark + row) && text(details::findingMark + row) == L"▲";
        out += (marked ? L"! " : L"") + text(details::finding + row) + L"\n";
    }
    if (visible(details::findingsNote)) {
        out += text(details::findingsNote) + L"\n";
    }
    out += L"[" + text(details::plotHeading) + L"]\n";
    if (visible(details::plotTitle)) {
        out += text(details::plotTitle) + L"\n";
        for (int row = 0; row < 4 && visible(details::phaseName + row); ++row) {
            out += text(details::phaseName + row) + L" | " + text(details::phaseTime + row) + L" | " +
                   text(details::phasePulses + row) + L" | " + text(details::phaseDetail + row) + L"\n";
        }
    }
    return out + (visible(details::plotNote) ? text(details::plotNote) : L"") + L"\n";
}

const std::wstring notCalculated = L"設定値が計算されていません。入力情報を入力し、決定ボタンを押してください。\n";
const std::wstring noFindings = L"[確認事項]\nなし。整数の設定値はどれもそのまま設定できます。\n[速度プロファイル]\n";
const std::wstring askForPulses = L"速度プロファイルを表示するには、出力パルス数に0より大きい数値を入力してください。\n";

// The worked drive 100 -> 10000 PPS in 0.2 s (0.3 s back) at the multiplier 2:
// its registers and real drive (K = 126.263 -> 126: jerk 125,000,000 / 126 =
// 992063.492 PPS/s², 2 sqrt(9900 / 992063.492) = 0.199792 s; L = 284.091 -> 284:
// 440140.845 PPS/s², 0.299952 s).
const std::wstring type3Registers =
    L"ドライブ種類:非対称S字加減速　倍率:2(4,000,000)\n"
    L"[整数の設定値]\nR 4000000 4000000\nA 8000 8000.000\nSV 50 50.000\nV 5000 5000.000\n"
    L"K 126 126.263\nAO 0 0.000\nD 8000 8000.000\nL 284 284.091\n"
    L"[丸めた設定値による実際のドライブ]\n"
    L"初速度 | 100.000 PPS | 100.000 PPS | 0.0000 %\n"
    L"ドライブ速度 | 10000.000 PPS | 10000.000 PPS | 0.0000 %\n"
    L"加速時間 | 0.200000秒 | 0.199792秒 | -0.1041 %\n"
    L"減速時間 | 0.300000秒 | 0.299952秒 | -0.0160 %\n"
    L"加速の加加速度 | 990000.000 PPS/秒² | 992063.492 PPS/秒² | +0.2084 %\n"
    L"減速の加加速度 | 440000.000 PPS/秒² | 440140.845 PPS/秒² | +0.0320 %\n";
// 10000 pulses: ramps of 5050 x 0.2 = 1010 and 5050 x 0.3 = 1515 pulses, 7475 at
// 10000 PPS in 0.7475 s; the real deceleration takes 1514.758 pulses, so from
// 8485 the drive is back at 100 PPS 0.242 pulses early.
const std::wstring type3Plot =
    L"速度プロファイル:出力パルス数10000、初速度100 PPS、ドライブ速度10000 PPS、S字加減速\n"
    L"加速 | 0.200000秒 | 1010パルス | 100 → 10000 PPS、加加速度 990000 PPS/秒²\n"
    L"定速 | 0.747500秒 | 7475パルス | 10000 PPSで一定\n"
    L"減速 | 0.300000秒 | 1515パルス | 10000 → 100 PPS、加加速度 440000 PPS/秒²\n"
    L"合計 | 1.247500秒 | 10000パルス | 減速点:8485パルス\n"
    L"整数の設定値では、減速点8485.000から減速すると出力パルス数の0.242パルス前に初速度に戻り、"
    L"残りを初速度で出力します。\n";

// The details window of the program, waiting for it to appear or to go.
HWND detailsWindow(const RemoteProgram& program, bool open = true)
{
    for (int tries = 0; tries < 600; ++tries) {
        const std::vector<HWND> windows = program.windowsOfClass(detailsClass);
        if (open == !windows.empty()) {
            return windows.empty() ? nullptr : windows.front();
        }
        Sleep(50);
    }
    const std::vector<HWND> windows = program.windowsOfClass(detailsClass);
    return windows.empty() ? nullptr : windows.front();
}

HWND openDetails(const RemoteProgram& program)
{
    program.send(WM_SYSCOMMAND, idmDetails, 0);
    return detailsWindow(program);
}

void expectDetails(const RemoteProgram& program, HWND window, const std::wstring& name, const std::wstring& expected)
{
    Sleep(100); // the window lays itself out after the command
    expectText(name, shownDetails(program, window), expected);
}

// Clicks a button of the details window and waits for its command to end.
void clickDetails(HWND window, int identifier)
{
    SendMessageTimeoutW(GetDlgItem(window, identifier), BM_CLICK, 0, 0, SMTO_NORMAL, 60000, nullptr);
}

BOOL CALLBACK firstVisibleEdit(HWND child, LPARAM found)
{
    wchar_t kind[16] = {};
    GetClassNameW(child, kind, 16);
    if (std::wstring(kind) == L"Edit" && IsWindowVisible(child) && IsWindowEnabled(child)) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

// The first visible edit among a window's descendants, at any depth.
HWND editWithin(HWND window)
{
    HWND found = nullptr;
    EnumChildWindows(window, firstVisibleEdit, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The file name field of a common file dialog: the edit of its file name box
// (cmb13, a combo box in newer dialogs, or edt1), else its first visible edit.
HWND fileNameEdit(HWND dialog)
{
    for (const int identifier : {0x047c, 0x0480}) {
        const HWND control = GetDlgItem(dialog, identifier);
        if (control == nullptr || !IsWindowVisible(control)) {
            continue;
        }
        wchar_t kind[16] = {};
        GetClassNameW(control, kind, 16);
        if (std::wstring(kind) == L"Edit") {
            return control;
        }
        if (const HWND edit = editWithin(control); edit != nullptr) {
            return edit;
        }
    }
    return editWithin(dialog);
}

std::string readFile(const std::wstring& path)
{
    std::string data;
    FILE* in = _wfopen(path.c_str(), L"rb");
    if (in == nullptr) {
        return data;
    }
    char buffer[4096];
    for (std::size_t got = 0; (got = fread(buffer, 1, sizeof buffer, in)) > 0;) {
        data.append(buffer, got);
    }
    fclose(in);
    return data;
}

std::wstring utf16(const std::string& utf8)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
    return out;
}

// Saves the plot through the Save button and the common Save As dialog, as a user does.
void savePlot(const RemoteProgram& program, HWND window, const std::wstring& path)
{
    PostMessageW(GetDlgItem(window, details::save), BM_CLICK, 0, 0);
    HWND dialog = nullptr;
    for (int tries = 0; tries < 1200 && dialog == nullptr; ++tries) {
        for (HWND candidate : program.otherDialogs()) {
            if (GetWindow(candidate, GW_OWNER) == window) {
                dialog = candidate;
            }
        }
        Sleep(50);
    }
    check(dialog != nullptr, L"save: the Save As dialog opens over the details window");
    if (dialog == nullptr) {
        return;
    }
    expectText(L"save: the Save As dialog's caption", program.text(dialog), L"速度プロファイルの保存");
    const HWND edit = fileNameEdit(dialog);
    check(edit != nullptr, L"save: the file name field");
    if (edit == nullptr) {
        PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); // so that the checks after it still run
        Sleep(1000);
        return;
    }
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_NORMAL, 30000, nullptr);
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    bool closed = false;
    for (int tries = 0; tries < 1200 && !closed; ++tries) {
        closed = !IsWindow(dialog);
        Sleep(50);
    }
    check(closed, L"save: the Save As dialog closes");
    Sleep(300);
}

void detailsFollowCommands(RemoteProgram& program)
{
    const auto before = snapshot(program);
    HWND window = openDetails(program);
    check(window != nullptr, L"details: the system menu item opens the window");
    if (window == nullptr) {
        return;
    }
    expectText(L"details: caption", program.text(window), detailsCaption);
    check(GetWindow(window, GW_OWNER) == program.dialog(), L"details: owned by the main dialog");
    check(program.otherDialogs().empty(), L"details: no message box of its own");
    expectDetails(program, window, L"details before any calculate", notCalculated);
    check(snapshot(program) == before, L"details: opening it changes no field");
    check(openDetails(program) == window && program.windowsOfClass(detailsClass).size() == 1,
          L"details: the item again brings the same window forward");

    enterDrive(program, 3, L"100", L"10000", L"0.2", L"0.3");
    program.setText(pulseCount, L"");
    clickExpecting(program, L"details: calculate type 3", calculate, L"");
    expectDetails(program, window, L"details after calculate, no pulse count",
                  type3Registers + noFindings + askForPulses);

    program.setText(pulseCount, L"10000");
    clickExpecting(program, L"details: 算出 10000 pulses", computeDecelPoint, L"");
    expectText(L"details: 算出 10000 pulses: the dialog's field", program.text(decelPoint), L"8485.000");
    expectDetails(program, window, L"details after 算出", type3Registers + noFindings + type3Plot);
    check(IsWindowVisible(GetDlgItem(window, details::plot)) != FALSE, L"details: the plot is shown");

    // Copy: the integers as lines of Unicode text with Windows' line ends.
    e2e::emptyClipboard();
    clickDetails(window, details::copy);
    std::wstring clipboard;
    check(e2e::clipboardText(clipboard), L"details: copy puts Unicode text on the clipboard");
    expectText(L"details: clipboard text", clipboard,
               L"R=4000000\r\nA=8000\r\nSV=50\r\nV=5000\r\nK=126\r\nAO=0\r\nD=8000\r\nL=284\r\n");
    expectText(L"details: copy says so", program.text(GetDlgItem(window, details::status)),
               L"整数の設定値をクリップボードにコピーしました。");

    // Recalculate with 10(800,000): the integers of that multiplier (K = 126.263 x 5 = 631.313, L = 1420.455).
    program.select(multiplier, 3);
    clickExpecting(program, L"details: recalculate with 10(800,000)", recalculate, L"");
    Sleep(100);
    expectText(L"details after recalculate: heading", program.text(GetDlgItem(window, details::heading)),
               L"ドライブ種類:非対称S字加減速　倍率:10(800,000)");
    check(IsWindowVisible(GetDlgItem(window, details::status)) == FALSE,
          L"details after recalculate: the copy's line belongs to the old values");
    e2e::emptyClipboard();
    clickDetails(window, details::copy);
    check(e2e::clipboardText(clipboard), L"details after recalculate: copy");
    expectText(L"details after recalculate: clipboard text", clipboard,
               L"R=800000\r\nA=8000\r\nSV=10\r\nV=1000\r\nK=631\r\nAO=0\r\nD=8000\r\nL=1420\r\n");

    // A failed Calculate leaves no calculation: the window says so, the fields keep their texts.
    program.setText(driveSpeed, L"");
    clickExpecting(program, L"details: failed calculate", calculate, driveSpeedZero);
    expectDetails(program, window, L"details after a failed calculate", notCalculated);
    check(IsWindowVisible(GetDlgItem(window, details::copy)) == FALSE &&
              IsWindowVisible(GetDlgItem(window, details::save)) == FALSE,
          L"details after a failed calculate: nothing to copy or save");
    program.setText(driveSpeed, L"10000");
    clickExpecting(program, L"details: calculate again", calculate, L"");
    clickExpecting(program, L"details: 算出 again", computeDecelPoint, L"");
    expectDetails(program, window, L"details after calculate and 算出 again", type3Registers + noFindings + type3Plot);

    // Save: the plot as SVG, through the common Save As dialog, into a folder of its own.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"veldronix-e2e-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\速度プロファイル.svg";
    savePlot(program, window, path);
    expectText(L"details: save says where", program.text(GetDlgItem(window, details::status)),
               path + L" に保存しました。");
    const std::string svg = readFile(path);
    check(svg.rfind("<?xml", 0) == 0 && svg.size() > 7 && svg.compare(svg.size() - 7, 7, "</svg>\n") == 0,
          L"details: the saved file is a whole SVG document", std::to_wstring(svg.size()) + L" bytes");
    check(utf16(svg).find(L"<title>" + program.text(GetDlgItem(window, details::plotTitle)) + L"</title>") !=
              std::wstring::npos,
          L"details: the saved plot is the one shown");
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
    check(program.otherDialogs().empty(), L"details: no window left over from the save");

    // Esc in the details window closes it alone; the dialog is as it was.
    const auto beforeClose = snapshot(program);
    PostMessageW(GetDlgItem(window, details::copy), WM_KEYDOWN, VK_ESCAPE, 0);
    check(detailsWindow(program, false) == nullptr, L"details: Esc closes the window");
    check(IsWindow(program.dialog()) != FALSE && program.waitForExit(0) == -1, L"details: Esc leaves the program");
    check(snapshot(program) == beforeClose, L"details: closing it changes no field");
}

// Each way of closing the details window closes it alone.
void detailsClosings(RemoteProgram& program)
{
    struct Case {
        const wchar_t* name;
        int part; // 0: the window itself
        UINT message;
        WPARAM wParam;
    } const cases[] = {
        {L"details: its close button", details::close, BM_CLICK, 0},
        {L"details: its close box", 0, WM_SYSCOMMAND, SC_CLOSE},
        {L"details: Esc on its close button", details::close, WM_KEYDOWN, VK_ESCAPE},
    };
    for (const Case& c : cases) {
        const HWND window = openDetails(program);
        check(window != nullptr, std::wstring(c.name) + L": opens");
        if (window == nullptr) {
            continue;
        }
        PostMessageW(c.part == 0 ? window : GetDlgItem(window, c.part), c.message, c.wParam, 0);
        check(detailsWindow(program, false) == nullptr, std::wstring(c.name) + L": closes the window");
        check(program.waitForExit(0) == -1, std::wstring(c.name) + L": the program goes on");
    }
}

// Marks that cannot be missed: red text and ▲ before each finding.
void detailsFindings(RemoteProgram& program)
{
    const HWND window = openDetails(program);
    if (window == nullptr) {
        check(false, L"details findings: the window opens");
        return;
    }
    // 0.1 -> 0.4 PPS at M = 1: A = 0.3 / 0.2 x 0.008 = 0.012, SV and V all round to 0.
    enterDrive(program, 0, L"0.1", L"0.4", L"0.2", L"");
    program.setText(pulseCount, L"");
    clickExpecting(program, L"details findings: calculate", calculate, L"");
    expectDetails(program, window, L"details findings: texts",
                  L"ドライブ種類:対称台形加減速　倍率:1(8,000,000)\n"
                  L"[整数の設定値]\nR 8000000 8000000\nA 0 0.012\nSV 0 0.100\nV 0 0.400\n"
                  L"[丸めた設定値による実際のドライブ]\n"
                  L"初速度 | 0.100 PPS | なし(確認事項を参照) | なし !\n"
                  L"ドライブ速度 | 0.400 PPS | なし(確認事項を参照) | なし !\n"
                  L"加減速時間 | 0.200000秒 | なし(確認事項を参照) | なし !\n"
                  L"[確認事項]\n"
                  L"! A=0(求めた値 0.012):加速度が0ではドライブ速度に達しません。\n"
                  L"! SV=0(求めた値 0.100):初速度が0ではパルスが出力されないため、ドライブを始められません。\n"
                  L"! V=0(求めた値 0.400):ドライブ速度が0ではパルスが出力されないため、ドライブしません。\n"
                  L"[速度プロファイル]\n" +
                      askForPulses);
    Sleep(300);
    check(e2e::showsRed(GetDlgItem(window, details::finding)) && e2e::showsRed(GetDlgItem(window, details::findingMark)),
          L"details findings: a finding and its mark are red");
    check(e2e::showsRed(GetDlgItem(window, details::quantityReal)),
          L"details findings: a quantity without a real value is red");
    check(!e2e::showsRed(GetDlgItem(window, details::registerName)), L"details findings: other texts are not red");
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    detailsWindow(program, false);
}

// The window for each drive type and for a move too short, as the screenshots show it.
void detailsScreenshots(RemoteProgram& program, const std::wstring& screenshots)
{
    const HWND window = openDetails(program);
    if (window == nullptr) {
        check(false, L"details screenshots: the window opens");
        return;
    }
    struct Case {
        const wchar_t* file;
        int type;
        const wchar_t* pulses;
        std::wstring expectedStart; // the heading and the first registers
    } const cases[] = {
        {L"win32-details-type0", 0, L"10000", L"ドライブ種類:対称台形加減速　倍率:2(4,000,000)\n[整数の設定値]\nR 4000000 4000000\nA 198 198.000\n"},
        {L"win32-details-type1", 1, L"10000", L"ドライブ種類:対称S字加減速　倍率:2(4,000,000)\n[整数の設定値]\nR 4000000 4000000\nA 8000 8000.000\n"},
        {L"win32-details-type2", 2, L"10000", L"ドライブ種類:非対称台形加減速　倍率:2(4,000,000)\n[整数の設定値]\nR 4000000 4000000\nA 198 198.000\n"},
        {L"win32-details-type3", 3, L"10000", type3Registers + noFindings + type3Plot},
        // The ramps need 5050 x 0.2 + 5050 x 0.3 = 2525 pulses: 1000 cannot reach the drive speed and return.
        {L"win32-details-short-move", 3, L"1000",
         type3Registers + noFindings +
             L"移動量が短すぎます。出力パルス数1000では、初速度100 PPSからドライブ速度10000 PPSに達して"
             L"初速度に戻れません(加速と減速に2525パルス必要です)。\n"},
    };
    for (const Case& c : cases) {
        enterDrive(program, c.type, L"100", L"10000", L"0.2", L"0.3");
        program.setText(pulseCount, c.pulses);
        clickExpecting(program, std::wstring(c.file) + L": calculate", calculate, L"");
        Sleep(300);
        const std::wstring shown = shownDetails(program, window);
        check(shown.rfind(c.expectedStart, 0) == 0, std::wstring(c.file) + L": texts",
              L"expected to start with [" + c.expectedStart + L"], got [" + shown + L"]");
        // The whole window on the screen, so that the screenshot shows all of it.
        RECT rect{};
        GetWindowRect(window, &rect);
        check(rect.left >= 0 && rect.top >= 0 && rect.right <= GetSystemMetrics(SM_CXSCREEN) &&
                  rect.bottom <= GetSystemMetrics(SM_CYSCREEN),
              std::wstring(c.file) + L": the window fits the screen");
        check(e2e::captureWindow(window, screenshots + L"\\" + c.file + L".bmp"),
              std::wstring(L"screenshot ") + c.file);
    }
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    detailsWindow(program, false);
}

void detailsSuite(const std::wstring& path, const std::wstring& screenshots)
{
    RemoteProgram program;
    if (!program.start(path, mainCaption)) {
        check(false, L"details: the main dialog appears");
        return;
    }
    detailsFollowCommands(program);
    detailsClosings(program);
    detailsFindings(program);
    detailsScreenshots(program, screenshots);
    PostMessageW(program.item(driveSpeed), WM_KEYDOWN, VK_RETURN, 0);
    check(program.waitForExit(60000) == 0, L"details: Enter in an edit still ends the program");
}

// Ways in which a user ends the dialog, and with it the program; each in a program of its own.
void endings(const std::wstring& path)
{
    struct Case {
        const wchar_t* name;
        int field; // 0: the dialog itself
        UINT message;
        WPARAM wParam;
        bool withDetails; // the details window open beside the dialog
    } const cases[] = {
        {L"Esc in an edit ends the program", initialSpeed, WM_KEYDOWN, VK_ESCAPE, false},
        {L"Enter in the pulse count ends the program", pulseCount, WM_KEYDOWN, VK_RETURN, false},
        {L"Enter in the drive type's edit part ends the program", driveType, WM_KEYDOWN, VK_RETURN, false},
        {L"the close box ends the program", 0, WM_SYSCOMMAND, SC_CLOSE, false},
        {L"Esc in an edit ends the program with the details open", initialSpeed, WM_KEYDOWN, VK_ESCAPE, true},
        {L"Enter in an edit ends the program with the details open", driveSpeed, WM_KEYDOWN, VK_RETURN, true},
        {L"the close box ends the program with the details open", 0, WM_SYSCOMMAND, SC_CLOSE, true},
    };
    for (const Case& c : cases) {
        RemoteProgram program;
        if (!program.start(path, mainCaption)) {
            check(false, c.name, L"the dialog did not appear");
            continue;
        }
        if (c.withDetails && openDetails(program) == nullptr) {
            check(false, c.name, L"the details window did not open");
            continue;
        }
        HWND target = c.field == 0 ? program.dialog() : program.item(c.field);
        if (c.field == driveType) {
            target = FindWindowExW(target, nullptr, L"Edit", nullptr);
        }
        PostMessageW(target, c.message, c.wParam, 0);
        const long code = program.waitForExit(60000);
        check(code == 0, c.name, L"exit code " + std::to_wstring(code));
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    // A third argument runs one part alone: "dialog", "details" or "endings".
    if (argc != 3 && argc != 4) {
        print(L"usage: veldronix_e2e PATH\\Veldronix.exe SCREENSHOT_FOLDER [dialog|details|endings]");
        return 2;
    }
    const std::wstring path = argv[1];
    const std::wstring screenshots = argv[2];
    const std::wstring only = argc == 4 ? argv[3] : L"";
    if (only.empty() || only == L"dialog") {
        RemoteProgram program;
        check(program.start(path, mainCaption), L"start: the main dialog appears");
        if (program.dialog() != nullptr) {
            initialState(program);
            captionIcon(program);
            calculateAndRecalculate(program);
            decelPointCommand(program, screenshots);
            failedCalculations(program, screenshots);
            unusualInput(program);
            aboutBox(program, screenshots);
            minimised(program);
            systemMenu(program, screenshots);
            bool alone = false;
            for (int tries = 0; tries < 400 && !alone; ++tries) {
                alone = program.otherDialogs().empty();
                Sleep(50);
            }
            check(alone, L"no window left open but the main dialog");
            // Enter in an edit is the dialog's OK: the program ends.
            PostMessageW(program.item(driveSpeed), WM_KEYDOWN, VK_RETURN, 0);
            const long code = program.waitForExit(60000);
            check(code == 0, L"Enter in an edit ends the program", L"exit code " + std::to_wstring(code));
        }
    }
    if (only.empty() || only == L"details") {
        detailsSuite(path, screenshots);
    }
    if (only.empty() || only == L"endings") {
        endings(path);
    }
    print(L"win32-dialog: " + std::to_wstring(passed) + L" passed, " + std::to_wstring(failed) + L" failed");
    return failed == 0 ? 0 : 1;
}
