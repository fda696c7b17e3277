// End-to-end test of Veldronix.exe: starts it, works its dialog only through
// window messages as a user would, and checks every text the user sees.
// Usage: veldronix_e2e PATH\Veldronix.exe SCREENSHOT_FOLDER [dialog|details|endings|placement|dpi DPI]
// Prints one line per check and exits with 1 when any failed.
#include "details_e2e.h"
#include "dpi_e2e.h"
#include "e2e_steps.h"
#include "remote_dialog.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace e2e;

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

// An input field read otherwise than typed is marked at the field itself after
// the command that read it: its background pale red (#fee2e2) and its findings'
// sentences, one a line, as its tooltip; every other field has neither, and a
// field read as typed loses its mark. A figure wider than its field is drawn by
// the result field rule, its whole text kept and, where it is cut, in its tooltip.
void fieldMarks(const RemoteProgram& program, const std::wstring& screenshots)
{
    const COLORREF misread = RGB(0xfe, 0xe2, 0xe2);
    const int inputs[] = {driveType, initialSpeed, driveSpeed, accelTime, decelTime, multiplier, pulseCount};
    struct Case {
        const wchar_t* name;
        const wchar_t* initial;
        const wchar_t* typedType; // typed over the drive type; none: 非対称S字加減速 selected
        int marked;               // 0: none
        std::wstring tip;
    } const cases[] = {
        {L"marks: text after the number", L"1,000", nullptr, initialSpeed,
         L"初速度「1,000」は1と読まれました。数値の後の文字は無視されます。"},
        {L"marks: no number", L"abc", nullptr, initialSpeed, L"初速度「abc」は数値ではないため、0と読まれました。"},
        {L"marks: full-width text after the number, two sentences", L"１,０００", nullptr, initialSpeed,
         L"初速度「１,０００」は1と読まれました。数値の後の文字は無視されます。\r\n"
         L"初速度「１,０００」は全角の数字や記号を半角として1と読まれました。"},
        {L"marks: full-width digits alone mark nothing", L"１００", nullptr, 0, L""},
        {L"marks: a drive type that names no item", L"100", L"xyz", driveType,
         L"ドライブ種類「xyz」は選択肢のどの項目でもないため、種類なしとして扱われます。"},
        {L"marks: all read as typed", L"100", nullptr, 0, L""},
    };
    for (const Case& c : cases) {
        const std::wstring name = c.name;
        enterDrive(program, 3, c.initial, L"10000", L"0.2", L"0.3");
        if (c.typedType != nullptr) {
            program.type(driveType, c.typedType);
        }
        clickExpecting(program, name, calculate, L"");
        Sleep(200);
        for (const int field : inputs) {
            const bool marked = field == c.marked;
            const std::wstring which = name + L": field " + std::to_wstring(field);
            expectText(which + L" tooltip", program.toolTip(program.item(field)), marked ? c.tip : L"");
            check(showsColour(program.item(field), misread) == marked, which + (marked ? L" marked" : L" unmarked"));
        }
    }

    // Figures of nine digits and more: texts whole, the cut ones whole in their tooltips.
    enterDrive(program, 3, L"abc", L"10000", L"100", L"100");
    program.setText(pulseCount, L"123456789");
    clickExpecting(program, L"long figures: calculate", calculate, L"");
    clickExpecting(program, L"long figures: 算出", computeDecelPoint, L"");
    Sleep(200);
    struct Figure {
        int field;
        const wchar_t* text;
        bool cut;
    } const figures[] = {
        {outR, L"4000000 ", false},
        {outK, L"31250000.000 ", false},
        {outL, L"31250000.000", false},
        {decelPoint, L"122956789.000", true},
    };
    for (const Figure& f : figures) {
        const std::wstring name = L"long figures: field " + std::to_wstring(f.field);
        expectText(name + L" text whole", program.text(f.field), f.text);
        expectText(name + L" tooltip", program.toolTip(program.item(f.field)), f.cut ? f.text : L"");
    }
    expectText(L"long figures: 初速度 tooltip", program.toolTip(program.item(initialSpeed)),
               L"初速度「abc」は数値ではないため、0と読まれました。");
    check(captureWindow(program.dialog(), screenshots + L"\\win32-findings.bmp"), L"screenshot of a finding and long figures");
    program.setText(pulseCount, L"");
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

// Enter confirms what was typed: in an input field it presses 決定, in 出力パルス数
// 算出, in 倍率 再計算, on a focused button that button; the program goes on.
void enterKeys(const RemoteProgram& program)
{
    struct Case {
        const wchar_t* name;
        int focus;           // the control that has the focus when Enter is pressed
        const wchar_t* speed; // the drive speed typed before; multiplier 2 halves it into V
        int field;           // the field that shows that the command ran
        const wchar_t* shown;
    } const cases[] = {
        {L"Enter in 初速度 presses 決定", initialSpeed, L"10002", outV, L"5001.000 "},
        {L"Enter in ドライブ速度 presses 決定", driveSpeed, L"10004", outV, L"5002.000 "},
        {L"Enter in the acceleration time presses 決定", accelTime, L"10006", outV, L"5003.000 "},
        {L"Enter in the deceleration time presses 決定", decelTime, L"10008", outV, L"5004.000 "},
        {L"Enter in ドライブ種類 presses 決定", driveType, L"10010", outV, L"5005.000 "},
        {L"Enter on the focused 決定 button presses it", calculate, L"10012", outV, L"5006.000 "},
        // 10(800,000) chosen: R = 8,000,000 / 10.
        {L"Enter in 倍率 presses 再計算", multiplier, L"10000", outR, L"800000 "},
        // 20000 pulses of the worked type-3 drive: 20000 - 1515 = 18485.
        {L"Enter in 出力パルス数 presses 算出", pulseCount, L"10000", decelPoint, L"18485.000"},
    };
    for (const Case& c : cases) {
        enterDrive(program, 3, L"100", L"10000", L"0.2", L"0.3");
        program.setText(pulseCount, L"10000");
        clickExpecting(program, std::wstring(c.name) + L": set-up", calculate, L"");
        clickExpecting(program, std::wstring(c.name) + L": set-up 算出", computeDecelPoint, L"");
        program.setText(driveSpeed, c.speed);
        program.setText(pulseCount, L"20000");
        if (c.focus == multiplier) {
            program.select(multiplier, 3);
        }
        // The focus where a user's click or Tab puts it, then Enter on whatever holds it (a drop-down's edit part).
        program.send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(program.item(c.focus)), TRUE);
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        GetGUIThreadInfo(program.threadId(), &gui);
        PostMessageW(gui.hwndFocus != nullptr ? gui.hwndFocus : program.item(c.focus), WM_KEYDOWN, VK_RETURN, 0);
        // A posted key waits behind the messages sent to the dialog: its effect is awaited.
        for (int tries = 0; tries < 200 && program.text(c.field) != c.shown; ++tries) {
            Sleep(25);
        }
        check(program.otherDialogs().empty(), std::wstring(c.name) + L": no message box");
        expectText(c.name, program.text(c.field), c.shown);
        check(program.waitForExit(0) == -1, std::wstring(c.name) + L": the program goes on");
    }
    program.setText(pulseCount, L"");
}

// Results that no longer belong to the calculation held keep their texts, drawn
// greyed (#6b7280, the details' stale colour); current ones in the usual black.
void staleResults(const RemoteProgram& program, const std::wstring& screenshots)
{
    const auto grey = [](HWND field) {
        const COLORREF ink = darkestPixel(field);
        return GetRValue(ink) >= 0x50 && GetRValue(ink) <= 0x90 && GetBValue(ink) >= 0x60 && GetBValue(ink) <= 0xa0;
    };
    const auto black = [](HWND field) {
        const COLORREF ink = darkestPixel(field);
        return GetRValue(ink) < 0x30 && GetGValue(ink) < 0x30 && GetBValue(ink) < 0x30;
    };
    struct Case {
        const wchar_t* name;
        const wchar_t* decelTime; // of the worked type-3 drive; empty: the drive speed is emptied
        int button;
        const std::wstring message;
        bool valuesStale;
        bool pointStale;
        const wchar_t* screenshot; // none: no screenshot
    } const cases[] = {
        {L"stale: after 決定 and 算出 all is current", L"0.3", computeDecelPoint, L"", false, false, nullptr},
        // The point of 0.3 s beside the values of 0.5 s: 7475 in the details, 8485 in the field.
        {L"stale: 決定 with another deceleration time greys the point", L"0.5", calculate, L"", false, true,
         L"win32-stale-point"},
        {L"stale: 算出 again makes the point current", L"0.5", computeDecelPoint, L"", false, false, nullptr},
        {L"stale: a failed 決定 greys every result", L"", calculate, driveSpeedZero, true, true,
         L"win32-stale-results"},
        {L"stale: a 決定 that succeeds makes the values current", L"0.5", calculate, L"", false, true, nullptr},
    };
    enterDrive(program, 3, L"100", L"10000", L"0.2", L"0.3");
    program.setText(pulseCount, L"10000");
    clickExpecting(program, L"stale: set-up", calculate, L"");
    for (const Case& c : cases) {
        program.setText(driveSpeed, *c.decelTime == 0 ? L"" : L"10000");
        program.setText(decelTime, *c.decelTime == 0 ? L"0.3" : c.decelTime);
        const auto texts = snapshot(program);
        clickExpecting(program, c.name, c.button, c.message);
        Sleep(200);
        check(c.valuesStale ? grey(program.item(outV)) && grey(program.item(summary)) : black(program.item(outV)),
              std::wstring(c.name) + L": the value fields " + (c.valuesStale ? L"greyed" : L"black"));
        check(c.pointStale ? grey(program.item(decelPoint)) : black(program.item(decelPoint)),
              std::wstring(c.name) + L": マニュアル減速点 " + (c.pointStale ? L"greyed" : L"black"));
        if (c.valuesStale) {
            check(snapshot(program) == texts, std::wstring(c.name) + L": the texts stay");
        }
        if (c.screenshot != nullptr) {
            check(captureWindow(program.dialog(), screenshots + L"\\" + c.screenshot + L".bmp"),
                  std::wstring(L"screenshot ") + c.screenshot);
        }
    }
    program.setText(pulseCount, L"");
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
        {L"the close box ends the program", 0, WM_SYSCOMMAND, SC_CLOSE, false},
        {L"Esc in an edit ends the program with the details open", initialSpeed, WM_KEYDOWN, VK_ESCAPE, true},
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

namespace {

// This driver measures the program's windows in the screen's own pixels,
// whatever the DPI: a driver unaware of it would be handed every place scaled
// down to 96 DPI. The call is Windows 10's (1703), looked up where it runs.
void beAwareOfEachMonitorsDpi()
{
    using SetAwareness = BOOL(WINAPI*)(HANDLE);
    const auto function = reinterpret_cast<SetAwareness>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    if (function != nullptr) {
        function(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))); // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    // A third argument runs one part alone: "dialog", "details" or "endings"; or only
    // "placement", the details window's place and screenshots on the screen it runs on;
    // or only "dpi" with the DPI the screen has, the layout at that DPI.
    const bool dpiPart = argc == 5 && std::wstring(argv[3]) == L"dpi";
    if (argc != 3 && argc != 4 && !dpiPart) {
        print(L"usage: veldronix_e2e PATH\\Veldronix.exe SCREENSHOT_FOLDER [dialog|details|endings|placement|dpi DPI]");
        return 2;
    }
    beAwareOfEachMonitorsDpi();
    const std::wstring path = argv[1];
    const std::wstring screenshots = argv[2];
    const std::wstring only = argc >= 4 ? argv[3] : L"";
    if (dpiPart) {
        dpiSuite(path, screenshots, _wtoi(argv[4]));
    }
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
            fieldMarks(program, screenshots);
            aboutBox(program, screenshots);
            minimised(program);
            systemMenu(program, screenshots);
            bool alone = false;
            for (int tries = 0; tries < 400 && !alone; ++tries) {
                alone = program.otherDialogs().empty();
                Sleep(50);
            }
            check(alone, L"no window left open but the main dialog");
            enterKeys(program);
            staleResults(program, screenshots);
            PostMessageW(program.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
            const long code = program.waitForExit(60000);
            check(code == 0, L"the close box ends the program", L"exit code " + std::to_wstring(code));
        }
    }
    if (only.empty() || only == L"details") {
        detailsSuite(path, screenshots);
    }
    if (only == L"placement") {
        placementSuite(path, screenshots);
    }
    if (only.empty() || only == L"endings") {
        endings(path);
    }
    print(L"win32-dialog: " + std::to_wstring(passed) + L" passed, " + std::to_wstring(failed) + L" failed");
    return failed == 0 ? 0 : 1;
}
