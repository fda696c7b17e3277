#include "details_e2e.h"

#include "e2e_steps.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace e2e {
namespace {

using Lines = std::vector<std::wstring>;

const std::wstring notCalculated = L"設定値が計算されていません。入力情報を入力し、決定ボタンを押してください。";
const std::wstring askForPulses = L"速度プロファイルを表示するには、出力パルス数に0より大きい数値を入力してください。";
const std::wstring noFindings = L"なし。整数の設定値はどれもそのまま設定できます。";

std::wstring className(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

HWND page(HWND window)
{
    return GetDlgItem(window, details::page);
}

// A part of the window: on the page (the sections' parts) or beside it (the close button, the status).
HWND part(HWND window, int identifier)
{
    const HWND onPage = GetDlgItem(page(window), identifier);
    return onPage != nullptr ? onPage : GetDlgItem(window, identifier);
}

// Everything the window shows, one line each, in the order shown, read from its
// controls as a user's tools see them: "[heading]" for a section's heading, a
// table's rows with " | " between
// their cells (its headings in braces first), "<plot>" for the plot and
// "(text)" for a button.
Lines shownDetails(const RemoteProgram& program, HWND window)
{
    Lines out;
    for (HWND child = GetWindow(page(window), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) {
            out.push_back(L"<hidden " + className(child) + L">");
            continue;
        }
        const int id = GetDlgCtrlID(child);
        const std::wstring text = program.text(child);
        switch (id) {
        case details::sectionHeading:
            out.push_back(L"[" + text + L"]");
            break;
        case details::table:
            for (std::size_t row = 0; const std::vector<std::wstring>& cells : program.table(child)) {
                std::wstring line;
                for (std::size_t c = 0; c < cells.size(); ++c) {
                    line += (c > 0 ? L" | " : L"") + cells[c];
                }
                out.push_back(row++ == 0 ? L"{" + line + L"}" : line);
            }
            break;
        case details::plot:
            out.push_back(L"<plot>");
            break;
        default:
            if (className(child) == L"Button") {
                out.push_back(L"(" + text + L")");
            } else {
                out.push_back(text);
            }
            break;
        }
    }
    return out;
}

std::wstring joined(const Lines& lines)
{
    std::wstring all;
    for (const std::wstring& line : lines) {
        all += line + L"\n";
    }
    return all;
}

// The expected lines appear in the window in this order (others may stand between them).
void expectShown(const RemoteProgram& program, HWND window, const std::wstring& name, const Lines& expected)
{
    Sleep(100); // the window lays itself out after the command
    const Lines shown = shownDetails(program, window);
    auto at = shown.begin();
    for (const std::wstring& line : expected) {
        at = std::find(at, shown.end(), line);
        if (at == shown.end()) {
            check(false, name, L"missing or out of order [" + line + L"] in [" + joined(shown) + L"]");
            return;
        }
        ++at;
    }
    check(true, name);
}

void expectNotShown(const RemoteProgram& program, HWND window, const std::wstring& name, const std::wstring& line)
{
    const Lines shown = shownDetails(program, window);
    check(std::find(shown.begin(), shown.end(), line) == shown.end(), name, L"shown: [" + line + L"]");
}

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


// Clicks a button of the details window and waits for its command to end.
void clickDetails(HWND window, int identifier)
{
    SendMessageTimeoutW(part(window, identifier), BM_CLICK, 0, 0, SMTO_NORMAL, 60000, nullptr);
}

BOOL CALLBACK firstVisibleEdit(HWND child, LPARAM found)
{
    if (className(child) == L"Edit" && IsWindowVisible(child) && IsWindowEnabled(child)) {
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
        if (className(control) == L"Edit") {
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

// Saves the plot through the Save button and the common Save As dialog, as a user does.
void savePlot(const RemoteProgram& program, HWND window, const std::wstring& path)
{
    PostMessageW(part(window, details::save), BM_CLICK, 0, 0);
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
    expectText(L"save: the name proposed", program.text(edit), L"velocity-profile.svg");
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

// The worked drive 100 -> 10000 PPS in 0.2 s (0.3 s back) at the multiplier 2:
// its registers and real drive (K = 126.263 -> 126: jerk 125,000,000 / 126 =
// 992063.492 PPS/s², 2 sqrt(9900 / 992063.492) = 0.199792 s; L = 284.091 -> 284:
// 440140.845 PPS/s², 0.299952 s).
const Lines type3Registers = {
    L"ドライブ種類:非対称S字加減速　倍率:2(4,000,000)",
    L"[整数の設定値]",
    L"R | 4000000 | 4000000", L"A | 8000 | 8000.000", L"SV | 50 | 50.000", L"V | 5000 | 5000.000",
    L"K | 126 | 126.263", L"AO | 0 | 0.000", L"D | 8000 | 8000.000", L"L | 284 | 284.091",
    L"(コピー(&C))",
    L"[丸めた設定値による実際のドライブ]",
    L"初速度 | 100.000 PPS | 100.000 PPS | 0.0000 %",
    L"ドライブ速度 | 10000.000 PPS | 10000.000 PPS | 0.0000 %",
    L"加速時間 | 0.200000秒 | 0.199792秒 | -0.1041 %",
    L"減速時間 | 0.300000秒 | 0.299952秒 | -0.0160 %",
    L"加速の加加速度 | 990000.000 PPS/秒² | 992063.492 PPS/秒² | +0.2084 %",
    L"減速の加加速度 | 440000.000 PPS/秒² | 440140.845 PPS/秒² | +0.0320 %",
    L"[確認事項]",
    noFindings,
    L"[速度プロファイル]",
};

// 10000 pulses: ramps of 5050 x 0.2 = 1010 and 5050 x 0.3 = 1515 pulses, 7475 at
// 10000 PPS in 0.7475 s; the real deceleration takes 1514.758 pulses, so from
// 8485 the drive is back at 100 PPS 0.242 pulses early.
const Lines type3Plot = {
    L"<plot>",
    L"加速 | 0.200000秒 | 1010パルス | 100 → 10000 PPS、加加速度 990000 PPS/秒²",
    L"定速 | 0.747500秒 | 7475パルス | 10000 PPSで一定",
    L"減速 | 0.300000秒 | 1515パルス | 10000 → 100 PPS、加加速度 440000 PPS/秒²",
    L"合計 | 1.247500秒 | 10000パルス | 減速点:8485パルス",
    L"整数の設定値では、減速点8485.000から減速すると出力パルス数の0.242パルス前に初速度に戻り、"
    L"残りを初速度で出力します。",
    L"(保存(&S)...)",
};

Lines operator+(Lines first, const Lines& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// No control of an earlier state is left behind, hidden or not.
void expectNoLeftovers(const RemoteProgram& program, HWND window, const std::wstring& name)
{
    const Lines shown = shownDetails(program, window);
    const bool hidden = std::any_of(shown.begin(), shown.end(),
                                    [](const std::wstring& line) { return line.rfind(L"<hidden", 0) == 0; });
    check(!hidden, name + L": no hidden part left over", joined(shown));
}

} // namespace

std::wstring rectText(const RECT& r)
{
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) + L"x" +
           std::to_wstring(r.bottom - r.top);
}

void closeDetails(HWND window, const RemoteProgram& program)
{
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    detailsWindow(program, false);
}

Geometry checkPlacement(const RemoteProgram& program, HWND window, const std::wstring& name)
{
    Geometry g;
    GetWindowRect(window, &g.window);
    GetWindowRect(program.dialog(), &g.dialog);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(program.dialog(), MONITOR_DEFAULTTONEAREST), &monitor);
    g.work = monitor.rcWork;
    print(L"INFO " + name + L": window " + rectText(g.window) + L", work area " + rectText(g.work) + L", dialog " +
          rectText(g.dialog));
    check(g.window.left >= g.work.left && g.window.top >= g.work.top && g.window.right <= g.work.right &&
              g.window.bottom <= g.work.bottom,
          name + L": inside the work area");
    // Beside the dialog where one side has room for the narrowest window (460 px
    // at 96 DPI), else covering no more of it than that width must; a window that
    // needs more for its tables' key columns stands against the far edge of the
    // work area, covering no more than its width must.
    const LONG room = std::max(g.work.right - g.dialog.right, g.dialog.left - g.work.left);
    const LONG narrowest = MulDiv(460, windowDpi(window), 96);
    const LONG overlap = std::max(0L, std::min(g.window.right, g.dialog.right) - std::max(g.window.left, g.dialog.left));
    const LONG least = std::max(0L, narrowest - room);
    const bool atTheFarEdge = g.work.right - g.dialog.right >= g.dialog.left - g.work.left
                                  ? g.window.right == g.work.right
                                  : g.window.left == g.work.left;
    const LONG width = g.window.right - g.window.left;
    check(overlap <= least || (atTheFarEdge && overlap <= std::max(0L, width - room)),
          name + L": beside the dialog, or covering as little of it as it can",
          L"covers " + std::to_wstring(overlap) + L" px, " + std::to_wstring(least) + L" px needed");
    return g;
}

namespace {

void detailsFollowCommands(RemoteProgram& program, const std::wstring& screenshots)
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
    expectShown(program, window, L"details before any calculate", {notCalculated});
    RECT empty{};
    GetWindowRect(window, &empty);
    check(snapshot(program) == before, L"details: opening it changes no field");
    check(openDetails(program) == window && program.windowsOfClass(detailsClass).size() == 1,
          L"details: the item again brings the same window forward");

    enterDrive(program, 3, L"100", L"10000", L"0.2", L"0.3");
    program.setText(pulseCount, L"");
    clickExpecting(program, L"details: calculate type 3", calculate, L"");
    expectShown(program, window, L"details after calculate, no pulse count", type3Registers + Lines{askForPulses});
    expectNotShown(program, window, L"details after calculate, no pulse count: no plot", L"<plot>");

    program.setText(pulseCount, L"10000");
    clickExpecting(program, L"details: 算出 10000 pulses", computeDecelPoint, L"");
    expectText(L"details: 算出 10000 pulses: the dialog's field", program.text(decelPoint), L"8485.000");
    expectShown(program, window, L"details after 算出", type3Registers + type3Plot);
    RECT filled{};
    GetWindowRect(window, &filled);
    check(filled.bottom - filled.top > empty.bottom - empty.top,
          L"details: opened before a calculation, the window grows to show one", rectText(empty) + L" -> " + rectText(filled));
    checkPlacement(program, window, L"details grown");
    expectNoLeftovers(program, window, L"details after 算出");

    // Typing in 出力パルス数 follows at once: the plot of 1000 pulses is a move too short.
    program.type(pulseCount, L"1000");
    expectShown(program, window, L"details while 出力パルス数 is typed",
                {L"▲ 移動量が短すぎます。出力パルス数1000では、初速度100 PPSからドライブ速度10000 PPSに達して"
                 L"初速度に戻れません(加速と減速に2525パルス必要です)。"});
    expectNoLeftovers(program, window, L"details while 出力パルス数 is typed");
    program.setText(pulseCount, L"10000");

    // Copy: the integers as lines of Unicode text with Windows' line ends.
    emptyClipboard();
    clickDetails(window, details::copy);
    std::wstring clipboard;
    check(clipboardText(clipboard), L"details: copy puts Unicode text on the clipboard");
    expectText(L"details: clipboard text", clipboard,
               L"R=4000000\r\nA=8000\r\nSV=50\r\nV=5000\r\nK=126\r\nAO=0\r\nD=8000\r\nL=284\r\n");
    expectText(L"details: copy says so", program.text(part(window, details::status)),
               L"整数の設定値をクリップボードにコピーしました。");

    // The other formats from the menu beside it: the second item, the C snippet.
    emptyClipboard();
    PostMessageW(part(window, details::copyAs), BM_CLICK, 0, 0);
    std::vector<HWND> menus;
    for (int tries = 0; tries < 600 && menus.empty(); ++tries) {
        menus = program.windowsOfClass(L"#32768");
        Sleep(50);
    }
    check(!menus.empty(), L"details: the copy formats' menu opens");
    if (!menus.empty()) {
        for (const WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
            PostMessageW(menus.front(), WM_KEYDOWN, key, 0);
            Sleep(100);
        }
        program.send(WM_NULL, 0, 0);
        Sleep(300);
        check(clipboardText(clipboard) && clipboard.starts_with(L"/* Veldronix") &&
                  clipboard.find(L"#define DRIVE_K 126\r\n") != std::wstring::npos,
              L"details: copy as C puts the #define lines on the clipboard", clipboard);
    }

    // Recalculate with 10(800,000): the integers of that multiplier (K = 126.263 x 5 = 631.313, L = 1420.455).
    program.select(multiplier, 3);
    clickExpecting(program, L"details: recalculate with 10(800,000)", recalculate, L"");
    expectShown(program, window, L"details after recalculate",
                {L"ドライブ種類:非対称S字加減速　倍率:10(800,000)", L"K | 631 | 631.313", L"L | 1420 | 1420.455"});
    expectText(L"details after recalculate: the copy's line belongs to the old values",
               program.text(part(window, details::status)), L"");
    emptyClipboard();
    clickDetails(window, details::copy);
    check(clipboardText(clipboard), L"details after recalculate: copy");
    expectText(L"details after recalculate: clipboard text", clipboard,
               L"R=800000\r\nA=8000\r\nSV=10\r\nV=1000\r\nK=631\r\nAO=0\r\nD=8000\r\nL=1420\r\n");

    // While the message box of a failed command is open, the window already shows that failure.
    program.setText(driveSpeed, L"");
    const HWND box = program.openModal(WM_COMMAND, MAKEWPARAM(calculate, BN_CLICKED),
                                       reinterpret_cast<LPARAM>(program.item(calculate)), boxCaption);
    check(box != nullptr, L"details: a failed calculate's message box opens");
    if (box != nullptr) {
        expectShown(program, window, L"details while the message box is open",
                    {notCalculated, L"▲ 決定:ドライブ速度が0です(空欄や数値でない文字は0と読まれます)。"});
        PostMessageW(GetDlgItem(box, IDOK) != nullptr ? GetDlgItem(box, IDOK) : box, BM_CLICK, 0, 0);
    }
    check(program.modalClosed(60000), L"details: the message box closes");

    // A failed Calculate leaves no calculation: the window says so, the fields keep their texts.
    clickExpecting(program, L"details: failed calculate", calculate, driveSpeedZero);
    expectShown(program, window, L"details after a failed calculate", {notCalculated});
    check(part(window, details::copy) == nullptr && part(window, details::save) == nullptr,
          L"details after a failed calculate: nothing to copy or save");
    expectNoLeftovers(program, window, L"details after a failed calculate");
    program.setText(driveSpeed, L"10000");
    program.select(multiplier, 1);
    clickExpecting(program, L"details: calculate again", calculate, L"");
    clickExpecting(program, L"details: 算出 again", computeDecelPoint, L"");
    expectShown(program, window, L"details after calculate and 算出 again", type3Registers + type3Plot);

    // Save: the plot as SVG and as PNG, through the common Save As dialog, into a folder of its own.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"veldronix-e2e-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    struct Save {
        const wchar_t* name;
        std::string_view start; // the file's first bytes
    } const saves[] = {
        {L"速度プロファイル.svg", "<?xml"},
        {L"速度プロファイル.png", std::string_view("\x89PNG\r\n\x1a\n", 8)},
    };
    for (const Save& save : saves) {
        const std::wstring path = folder + L"\\" + save.name;
        savePlot(program, window, path);
        expectText(std::wstring(L"details: save says where, ") + save.name,
                   program.text(part(window, details::status)), path + L" に保存しました。");
        const std::string file = readFile(path);
        check(file.rfind(save.start, 0) == 0 && file.size() > 1000,
              std::wstring(L"details: the saved file is whole, ") + save.name, std::to_wstring(file.size()) + L" bytes");
        if (save.start.size() == 8 && file.size() > 24) {
            // IHDR: the width and height, big-endian: the 960 x 640 document at twice its px.
            const auto number = [&](std::size_t at) {
                return (static_cast<unsigned char>(file[at]) << 24) | (static_cast<unsigned char>(file[at + 1]) << 16) |
                       (static_cast<unsigned char>(file[at + 2]) << 8) | static_cast<unsigned char>(file[at + 3]);
            };
            check(number(16) == 1920 && number(20) == 1280, L"details: the PNG is 1920 x 1280",
                  std::to_wstring(number(16)) + L" x " + std::to_wstring(number(20)));
            CopyFileW(path.c_str(), (screenshots + L"\\win32-details-saved.png").c_str(), FALSE);
        }
        DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(folder.c_str());
    check(program.otherDialogs().empty(), L"details: no window left over from the save");

    // Closing it changes nothing in the dialog (each way of closing: detailsClosings).
    const auto beforeClose = snapshot(program);
    closeDetails(window, program);
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
        {L"details: Esc in a table", details::table, WM_KEYDOWN, VK_ESCAPE},
    };
    for (const Case& c : cases) {
        const HWND window = openDetails(program);
        check(window != nullptr, std::wstring(c.name) + L": opens");
        if (window == nullptr) {
            continue;
        }
        PostMessageW(c.part == 0 ? window : part(window, c.part), c.message, c.wParam, 0);
        check(detailsWindow(program, false) == nullptr, std::wstring(c.name) + L": closes the window");
        check(program.waitForExit(0) == -1, std::wstring(c.name) + L": the program goes on");
    }
}

// Marks that cannot be missed: red text and ▲ before each finding, red cells.
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
    // The marks are the layout's (tested in report/); the window draws them red.
    expectShown(program, window, L"details findings: texts",
                {L"A | ▲ 0 | 0.012", L"▲ 初速度 | 0.100 PPS | なし(確認事項を参照) | なし",
                 L"▲ A=0(求めた値 0.012):加速度が0ではドライブ速度に達しません。"});
    Sleep(300);
    // The page's parts in order: the first finding's line, the real drive's table (the second).
    HWND finding = nullptr;
    std::vector<HWND> tables;
    for (HWND child = GetWindow(page(window), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        const std::wstring text = id == details::line ? program.text(child) : std::wstring();
        if (finding == nullptr && text.starts_with(L"▲")) {
            finding = child;
        } else if (id == details::table) {
            tables.push_back(child);
        }
    }
    check(finding != nullptr && showsRed(finding), L"details findings: a finding with its mark is red");
    check(tables.size() >= 2 && showsRed(tables[1]), L"details findings: a quantity without a real value is red");
    check(!showsRed(part(window, details::heading)), L"details findings: other texts are not red");
    closeDetails(window, program);
}

// The window for each drive type, a move too short and an enormous pulse count,
// placed on the screen it runs on, and as the screenshots show it.
void detailsScreenshots(RemoteProgram& program, const std::wstring& screenshots)
{
    const HWND window = openDetails(program);
    if (window == nullptr) {
        check(false, L"details screenshots: the window opens");
        return;
    }
    const std::wstring screen = std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"x" +
                                std::to_wstring(GetSystemMetrics(SM_CYSCREEN));
    struct Case {
        const wchar_t* file;
        int type;
        const wchar_t* pulses;
        Lines expected;
    } const cases[] = {
        {L"type0", 0, L"10000", {L"ドライブ種類:対称台形加減速　倍率:2(4,000,000)", L"<plot>"}},
        // A figure of 301 digits widens nothing: its table scrolls sideways, the lines wrap it.
        {L"1e300", 0, L"1e300", {L"<plot>"}},
        {L"type1", 1, L"10000", {L"ドライブ種類:対称S字加減速　倍率:2(4,000,000)", L"<plot>"}},
        {L"type2", 2, L"10000", {L"ドライブ種類:非対称台形加減速　倍率:2(4,000,000)", L"<plot>"}},
        {L"type3", 3, L"10000", type3Registers + type3Plot},
        {L"short-move", 3, L"1000", {L"[速度プロファイル]", L"▲ 移動量が短すぎます。出力パルス数1000では、初速度100 PPSから"
                                    L"ドライブ速度10000 PPSに達して初速度に戻れません(加速と減速に2525パルス必要です)。"}},
    };
    RECT first{};
    for (const Case& c : cases) {
        const std::wstring name = L"details " + std::wstring(c.file) + L" at " + screen;
        enterDrive(program, c.type, L"100", L"10000", L"0.2", L"0.3");
        program.setText(pulseCount, c.pulses);
        clickExpecting(program, name + L": calculate", calculate, L"");
        expectShown(program, window, name + L": texts", c.expected);
        const Geometry g = checkPlacement(program, window, name);
        if (c.type == 0 && c.pulses == std::wstring(L"10000")) {
            first = g.window;
        } else if (c.type == 0) {
            check(g.window.right - g.window.left == first.right - first.left,
                  name + L": no wider than with a short figure", rectText(first) + L" / " + rectText(g.window));
        }
        check(captureWindow(window, screenshots + L"\\win32-details-" + c.file + L"-" + screen + L".bmp"),
              L"screenshot " + name);
    }
    closeDetails(window, program);
}

void scrollToSection(const RemoteProgram& program, HWND window, const std::wstring& heading);

// The user resizes the window: the content follows the width, scrolls in the height.
void detailsResizing(RemoteProgram& program, const std::wstring& screenshots)
{
    enterDrive(program, 3, L"100", L"10000", L"0.2", L"0.3");
    program.setText(pulseCount, L"10000");
    clickExpecting(program, L"details resizing: calculate", calculate, L"");
    const HWND window = openDetails(program);
    if (window == nullptr) {
        check(false, L"details resizing: the window opens");
        return;
    }
    check((GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME) != 0, L"details resizing: the frame can be dragged");
    struct Case {
        const wchar_t* name;
        int width;
        int height;
    } const cases[] = {{L"small", 300, 200}, {L"narrow and tall", 480, 900}, {L"wide", 1100, 600}};
    for (const Case& c : cases) {
        const std::wstring name = std::wstring(L"details resized ") + c.name;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr);
        SetWindowPos(window, nullptr, 0, 0, c.width, c.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Sleep(300);
        RECT frame{};
        GetWindowRect(window, &frame);
        check(frame.right - frame.left >= std::min(c.width, 460) && frame.bottom - frame.top >= std::min(c.height, 320),
              name + L": no smaller than it can be read", rectText(frame));
        RECT pageArea{};
        GetClientRect(page(window), &pageArea);
        // Each part that sticks out or covers another named by its identifier, its text and its place;
        // the buttons, flowed onto rows, all of one height.
        const auto named = [&](HWND child, const RECT& r) {
            return L"part " + std::to_wstring(GetDlgCtrlID(child)) + L" \"" + program.text(child) + L"\" at " +
                   rectText(r);
        };
        std::vector<std::pair<HWND, RECT>> parts;
        std::wstring outside;
        std::wstring covering;
        std::wstring buttonHeights;
        LONG buttonHeight = -1;
        for (HWND child = GetWindow(page(window), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT r{};
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, page(window), reinterpret_cast<POINT*>(&r), 2);
            if (r.left < 0 || r.right > pageArea.right) {
                outside += L"; " + named(child, r);
            }
            for (const auto& [other, o] : parts) {
                RECT both{};
                if (IntersectRect(&both, &r, &o)) {
                    covering += L"; " + named(child, r) + L" over " + named(other, o);
                }
            }
            parts.emplace_back(child, r);
            wchar_t windowClass[32] = {};
            GetClassNameW(child, windowClass, 32);
            if (std::wstring_view(windowClass) == L"Button") {
                if (buttonHeight < 0) {
                    buttonHeight = r.bottom - r.top;
                    buttonHeights = named(child, r);
                } else if (r.bottom - r.top != buttonHeight) {
                    buttonHeights += L"; " + named(child, r);
                }
            }
        }
        check(outside.empty(), name + L": every part within the page's width",
              L"page " + std::to_wstring(pageArea.right) + L" px wide" + outside);
        check(covering.empty(), name + L": no part over another", covering);
        // The forms' labels wrapped where the width is short, the tables scrolling sideways: every text whole.
        checkTextsWhole(program, window, name, windowDpi(window));
        if (c.width < 460) {
            scrollToSection(program, window, L"移動の設計");
            check(captureWindow(window, screenshots + L"\\win32-details-resized-" + std::to_wstring(c.width) + L".bmp"),
                  L"screenshot " + name);
            SendMessageTimeoutW(page(window), WM_VSCROLL, SB_TOP, 0, SMTO_NORMAL, 30000, nullptr);
        }
        check(buttonHeight > 0 && buttonHeights.find(L';') == std::wstring::npos,
              name + L": the buttons of one height", buttonHeights);
        // Scrolled to the end, the page's last part shows whole.
        SendMessageTimeoutW(page(window), WM_VSCROLL, SB_BOTTOM, 0, SMTO_NORMAL, 30000, nullptr);
        Sleep(200);
        const HWND first = GetWindow(page(window), GW_CHILD);
        RECT last{};
        GetWindowRect(first != nullptr ? GetWindow(first, GW_HWNDLAST) : nullptr, &last);
        MapWindowPoints(nullptr, page(window), reinterpret_cast<POINT*>(&last), 2);
        check(last.top >= 0 && last.bottom <= pageArea.bottom, name + L": scrolled to the end, the last part shows",
              L"page " + std::to_wstring(pageArea.bottom) + L" px, last part at " + rectText(last));
        SendMessageTimeoutW(page(window), WM_VSCROLL, SB_TOP, 0, SMTO_NORMAL, 30000, nullptr);
        expectShown(program, window, name + L": the same texts", type3Registers + type3Plot);
    }
    closeDetails(window, program);
}

// The table under a section's heading; none when the window shows no such section.
HWND sectionTable(HWND window, const std::wstring& heading, const RemoteProgram& program)
{
    bool under = false;
    for (HWND child = GetWindow(page(window), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id == details::sectionHeading) {
            under = program.text(child) == heading;
        } else if (id == details::table && under) {
            return child;
        }
    }
    return nullptr;
}

// Clicks a row of a list view where the user would, in its middle; twice for a double click.
void clickRow(const RemoteProgram& program, HWND list, int row, bool twice)
{
    const RECT rect = program.rowRect(list, row);
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    if (twice) {
        PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageW(list, WM_LBUTTONUP, 0, at);
    }
    // Posted, the clicks wait behind any message sent: the row's selection is awaited.
    for (int tries = 0; tries < 200; ++tries) {
        DWORD_PTR selected = 0;
        SendMessageTimeoutW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED, SMTO_NORMAL, 30000,
                            &selected);
        if (static_cast<int>(selected) == row || !IsWindow(list)) {
            break;
        }
        Sleep(25);
    }
}

// The multipliers side by side: the row in use and the recommended one marked in
// their colours; choosing a row three ways selects its multiplier and recalculates.
void detailsComparison(RemoteProgram& program, const std::wstring& screenshots)
{
    // 100 -> 10000 PPS in 0.2 s: 決定 takes 2(4,000,000), selector index 1; each larger
    // multiplier M gives R = 8,000,000 / M.
    enterDrive(program, 0, L"100", L"10000", L"0.2", L"");
    program.setText(pulseCount, L"");
    clickExpecting(program, L"comparison: calculate", calculate, L"");
    const HWND window = openDetails(program);
    const HWND table = window != nullptr ? sectionTable(window, L"倍率の比較", program) : nullptr;
    check(table != nullptr, L"comparison: the section's table is shown",
          L"no 倍率の比較 section in the window: report::detailsLayout gave none");
    if (table == nullptr) {
        if (window != nullptr) {
            closeDetails(window, program);
        }
        return;
    }
    const auto rows = program.table(table);
    check(rows.size() == 9 && rows[1].size() > 2 && rows[1][0].find(L"使用中") == 0 && rows[1][1] == L"2(4,000,000)" &&
              rows[8][1] == L"500(16,000)",
          L"comparison: a row for 2(4,000,000), in use, and each larger multiplier", joined(shownDetails(program, window)));
    check(showsColour(table, RGB(0xdb, 0xea, 0xfe)) || showsColour(table, RGB(0xdc, 0xfc, 0xe7)),
          L"comparison: the row in use or the recommended one in its colour");
    struct Case {
        const wchar_t* name;
        int row;    // the table's row: the multipliers 2, 5, 10, 20, ...
        int how;    // 0: double click, 1: the button, 2: Enter
        int index;  // the selector index chosen
        const wchar_t* r;
    } const cases[] = {
        {L"comparison: a double click chooses 10(800,000)", 2, 0, 3, L"800000 "},
        {L"comparison: the button chooses 20(400,000)", 3, 1, 4, L"400000 "},
        {L"comparison: Enter chooses 5(1,600,000)", 1, 2, 2, L"1600000 "},
    };
    // The choose button is greyed until a row is selected, as in the Qt window and the page.
    const bool greyedBefore = !IsWindowEnabled(part(window, details::chooseRow));
    clickRow(program, table, 0, false);
    check(greyedBefore && IsWindowEnabled(part(window, details::chooseRow)),
          L"comparison: the choose button is greyed until a row is selected, then enabled");
    for (const Case& c : cases) {
        const HWND list = sectionTable(window, L"倍率の比較", program); // made again after each command
        clickRow(program, list, c.row, c.how == 0);
        if (c.how == 1) {
            clickDetails(window, details::chooseRow);
        } else if (c.how == 2) {
            PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
        }
        // A click or key posted waits behind the messages sent: its effect is awaited.
        for (int tries = 0; tries < 200 && program.selectedIndex(multiplier) != c.index; ++tries) {
            Sleep(25);
        }
        Sleep(200);
        check(program.selectedIndex(multiplier) == c.index, std::wstring(c.name) + L": 倍率",
              std::to_wstring(program.selectedIndex(multiplier)));
        expectText(c.name, program.text(outR), c.r);
        check(program.otherDialogs().empty(), std::wstring(c.name) + L": no message box");
    }
    // Scrolled until the table stands near the page's top, for the screenshot.
    const HWND list = sectionTable(window, L"倍率の比較", program);
    RECT shown{};
    RECT top{};
    GetWindowRect(page(window), &top);
    GetWindowRect(list, &shown);
    for (int line = 0; line < 200 && shown.top > top.top + 40; ++line) {
        SendMessageTimeoutW(page(window), WM_VSCROLL, SB_LINEDOWN, 0, SMTO_NORMAL, 30000, nullptr);
        GetWindowRect(list, &shown);
    }
    Sleep(300);
    check(captureWindow(window, screenshots + L"\\win32-details-comparison.bmp"), L"screenshot of the comparison");
    closeDetails(window, program);
}

// What the details say of odd inputs and failed commands: the input findings
// under 確認事項 and the failure's sentence under the heading, as the layout has them.
void detailsReadings(RemoteProgram& program, const std::wstring& screenshots)
{
    const HWND window = openDetails(program);
    if (window == nullptr) {
        check(false, L"details readings: the window opens");
        return;
    }
    const std::wstring cut = L"0.2" + std::wstring(80, L'0') + L"9";
    struct Case {
        const wchar_t* name;
        std::wstring initial, drive, accel;
        std::wstring message; // of 決定
        Lines expected;
        const wchar_t* screenshot;
    } const cases[] = {
        {L"1,000", L"1", L"1,000", L"0.2", L"",
         {L"[確認事項]", L"▲ ドライブ速度「1,000」は1と読まれました。数値の後の文字は無視されます。"},
         L"win32-details-findings-comma"},
        {L"-0.2", L"100", L"10000", L"-0.2", L"",
         {L"[確認事項]", L"▲ ドライブ速度に達する時間「-0.2」は-0.2と読まれました。0より小さい値です。"},
         L"win32-details-findings-negative"},
        {L"cut", L"100", L"10000", cut, L"",
         {L"[確認事項]", L"▲ ドライブ速度に達する時間は78バイトを超えるため、先頭の「" + cut.substr(0, 78) +
                              L"」だけが0.2と読まれました。"},
         L"win32-details-findings-cut"},
        // Every multiplier's speed step times 2,000,000 is the most it takes: 4,000,000 PPS at 2.
        {L"4000001 PPS", L"100", L"4000001", L"0.2", noSetting,
         {L"▲ 決定:どの倍率でも、4,000,000 PPSを超えるドライブ速度は設定できません。"}, nullptr},
    };
    for (const Case& c : cases) {
        const std::wstring name = std::wstring(L"details readings ") + c.name;
        enterDrive(program, 0, c.initial, c.drive, c.accel, L"");
        program.setText(pulseCount, L"");
        clickExpecting(program, name + L": calculate", calculate, c.message);
        expectShown(program, window, name, c.expected);
        if (c.screenshot != nullptr) {
            check(captureWindow(window, screenshots + L"\\" + c.screenshot + L".bmp"), L"screenshot " + name);
        }
    }
    closeDetails(window, program);
}

// The tooltip the program shows while the mouse rests on a control; empty when none comes.
std::wstring hoverTip(const RemoteProgram& program, HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    SetCursorPos(rect.left + 2, rect.top + 2);
    Sleep(100);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    std::wstring text;
    for (int tries = 0; tries < 60 && text.empty(); ++tries) {
        Sleep(50);
        for (HWND tip : program.windowsOfClass(L"tooltips_class32")) {
            text = program.text(tip);
        }
    }
    SetCursorPos(0, 0);
    Sleep(300);
    return text;
}

// A result field shows its whole text in a tooltip where the field is too small
// for it, and says why where its value no longer belongs to the calculation.
void resultTooltips(RemoteProgram& program)
{
    enterDrive(program, 0, L"100", L"10000", L"0.2", L"");
    clickExpecting(program, L"tooltips: calculate type 0", calculate, L"");
    expectText(L"tooltips: the type-0 summary, too long for its field", hoverTip(program, program.item(summary)),
               summary0);
    expectText(L"tooltips: a value that fits has none", hoverTip(program, program.item(outR)), L"");
    // 123,456,789 pulses of the worked type-3 drive: 123456789 - 1515 = 123455274.
    enterDrive(program, 3, L"100", L"10000", L"0.2", L"0.3");
    clickExpecting(program, L"tooltips: calculate type 3", calculate, L"");
    program.setText(pulseCount, L"123456789");
    clickExpecting(program, L"tooltips: 算出 123,456,789 pulses", computeDecelPoint, L"");
    expectText(L"tooltips: マニュアル減速点 of 123,456,789 pulses", hoverTip(program, program.item(decelPoint)),
               L"123455274.000");
    program.setText(driveSpeed, L"");
    clickExpecting(program, L"tooltips: a failed 決定", calculate, driveSpeedZero);
    expectText(L"tooltips: a stale value says why", hoverTip(program, program.item(outR)),
               L"決定が失敗したため、表示中の設定値は前回の計算のもので、現在の入力には対応していません。");
    program.setText(pulseCount, L"");
}

} // namespace

HWND openDetails(const RemoteProgram& program)
{
    program.send(WM_SYSCOMMAND, idmDetails, 0);
    return detailsWindow(program);
}

namespace {

// Enter in a field, as a user presses it there; waits until `field` shows `shown`.
void pressEnterIn(const RemoteProgram& program, int focus, int field, const std::wstring& shown)
{
    program.send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(program.item(focus)), TRUE);
    PostMessageW(program.item(focus), WM_KEYDOWN, VK_RETURN, 0);
    for (int tries = 0; tries < 200 && program.text(field) != shown; ++tries) {
        Sleep(25);
    }
}

// The window's place after each kind of update, the dialog where it opened and
// where it leaves the window only the left side: the worked example, 出力パルス数
// cleared, a negative acceleration time confirmed with Enter, a failed 決定,
// calculated again, and the window closed and opened again.
void placementAfterUpdates(RemoteProgram& program)
{
    const std::wstring screen = std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"x" +
                                std::to_wstring(GetSystemMetrics(SM_CYSCREEN));
    RECT opened{};
    GetWindowRect(program.dialog(), &opened);
    for (const bool nearRight : {false, true}) {
        if (nearRight) {
            const int x = GetSystemMetrics(SM_CXSCREEN) - (opened.right - opened.left) - 100;
            SetWindowPos(program.dialog(), nullptr, x, opened.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        const std::wstring at = L"placement at " + screen + (nearRight ? L", dialog near the right edge" : L"");
        enterDrive(program, 3, L"100", L"10000", L"0.2", L"0.3");
        program.setText(pulseCount, L"10000");
        clickExpecting(program, at + L": calculate", calculate, L"");
        clickExpecting(program, at + L": 算出", computeDecelPoint, L"");
        HWND window = openDetails(program);
        if (window == nullptr) {
            check(false, at + L": the details window opens");
            return;
        }
        checkPlacement(program, window, at + L" after the worked example");
        program.setText(pulseCount, L"");
        program.send(WM_NULL, 0, 0);
        checkPlacement(program, window, at + L" after 出力パルス数 cleared");
        // 10002 PPS: V shows 5001.000 once Enter has pressed 決定.
        program.setText(driveSpeed, L"10002");
        program.setText(accelTime, L"-0.2");
        pressEnterIn(program, accelTime, outV, L"5001.000 ");
        expectText(at + L": Enter in the acceleration time presses 決定", program.text(outV), L"5001.000 ");
        checkPlacement(program, window, at + L" after accel -0.2 and Enter");
        program.setText(driveSpeed, L"");
        clickExpecting(program, at + L": a failed calculate", calculate, driveSpeedZero);
        checkPlacement(program, window, at + L" after a failed calculate");
        enterDrive(program, 3, L"100", L"10000", L"0.2", L"0.3");
        program.setText(pulseCount, L"10000");
        clickExpecting(program, at + L": calculate again", calculate, L"");
        checkPlacement(program, window, at + L" after calculating again");
        closeDetails(window, program);
        window = openDetails(program);
        checkPlacement(program, window, at + L" opened again");
        closeDetails(window, program);
    }
    SetWindowPos(program.dialog(), nullptr, opened.left, opened.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The first child of the page with that identifier and, where given, that text.
HWND pagePart(const RemoteProgram& program, HWND window, int identifier, const std::wstring& text = {})
{
    for (HWND child = GetWindow(page(window), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == identifier && (text.empty() || program.text(child) == text)) {
            return child;
        }
    }
    return nullptr;
}

// Scrolled until the section's heading stands near the page's top, or the page's end.
void scrollToSection(const RemoteProgram& program, HWND window, const std::wstring& heading)
{
    RECT top{};
    RECT shown{};
    GetWindowRect(page(window), &top);
    for (int line = 0; line < 400; ++line) {
        const HWND part = pagePart(program, window, details::sectionHeading, heading);
        if (part == nullptr || (GetWindowRect(part, &shown), shown.top <= top.top + 40)) {
            break;
        }
        SendMessageTimeoutW(page(window), WM_VSCROLL, SB_LINEDOWN, 0, SMTO_NORMAL, 30000, nullptr);
    }
    Sleep(300);
}

// The nth part with that identifier under the section's heading, none past the section.
HWND sectionPart(const RemoteProgram& program, HWND window, const std::wstring& heading, int identifier, int n)
{
    bool under = false;
    for (HWND child = GetWindow(page(window), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id == details::sectionHeading) {
            under = program.text(child) == heading;
        } else if (under && id == identifier && n-- == 0) {
            return child;
        }
    }
    return nullptr;
}

// The section 移動の設計 of each question from the worked type-3 drive, then after
// 設定に反映: the dialog holds the design's fields, no message box, and the details
// show that drive with the section still there.
void detailsMoveDesign(RemoteProgram& program, const std::wstring& screenshots)
{
    const std::wstring screen = std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"x" +
                                std::to_wstring(GetSystemMetrics(SM_CYSCREEN));
    const std::wstring heading = L"移動の設計";
    struct Case {
        const wchar_t* file;
        int question;
    } const cases[] = {{L"fastest", 0}, {L"on-time", 1}};
    for (const Case& c : cases) {
        const std::wstring name = L"design " + std::wstring(c.file) + L" at " + screen;
        enterDrive(program, 3, L"100", L"10000", L"0.2", L"0.3");
        program.setText(pulseCount, L"10000");
        clickExpecting(program, name + L": calculate", calculate, L"");
        const HWND window = openDetails(program);
        if (window == nullptr) {
            check(false, name + L": the details open");
            return;
        }
        // The section's own first list: the axis's forms above it have lists of their own.
        const HWND question = sectionPart(program, window, heading, details::formChoice, 0);
        check(question != nullptr, name + L": the question's list", joined(shownDetails(program, window)));
        if (question == nullptr) {
            closeDetails(window, program);
            return;
        }
        SendMessageTimeoutW(question, CB_SETCURSEL, static_cast<WPARAM>(c.question), 0, SMTO_NORMAL, 30000, nullptr);
        SendMessageTimeoutW(page(window), WM_COMMAND, MAKEWPARAM(details::formChoice, CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(question), SMTO_NORMAL, 30000, nullptr);
        expectShown(program, window, name + L": the section and its buttons",
                    {L"[" + heading + L"]", L"(設定に反映(&A))"});
        const HWND asked = sectionPart(program, window, heading, details::formChoice, 0);
        check(asked != nullptr && program.text(asked) == (c.question == 0 ? L"最短時間" : L"時間指定"),
              name + L": the question chosen", asked != nullptr ? program.text(asked) : L"");
        scrollToSection(program, window, heading);
        check(captureWindow(window, screenshots + L"\\win32-design-" + c.file + L"-" + screen + L".bmp"),
              L"screenshot " + name);
        const HWND apply = pagePart(program, window, details::command, L"設定に反映(&A)");
        SendMessageTimeoutW(apply, BM_CLICK, 0, 0, SMTO_NORMAL, 60000, nullptr);
        Sleep(300);
        check(program.otherDialogs().empty(), name + L": applied without a message box");
        check(program.text(pulseCount) == L"10000" && !program.text(outV).empty(),
              name + L": the dialog holds the design and its values", program.text(driveSpeed));
        expectShown(program, window, name + L": the details of the applied drive",
                    {L"<plot>", L"[" + heading + L"]"});
        scrollToSection(program, window, heading);
        check(captureWindow(window, screenshots + L"\\win32-design-" + c.file + L"-applied-" + screen + L".bmp"),
              L"screenshot " + name + L" applied");
        closeDetails(window, program);
    }
}

// The axes worked from the keyboard: a button pressed with the space bar and Enter in
// the name field each make the section again, the button and the field among its
// parts, while the control is still handling its key; the program lives on, the
// list names the axes and the real drive reads in the axis's units. Screenshots of
// the axis list, the form 単位で入力 and the real drive in mm/s and rpm.
void detailsAxes(RemoteProgram& program, const std::wstring& screenshots)
{
    const std::wstring screen = std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"x" +
                                std::to_wstring(GetSystemMetrics(SM_CYSCREEN));
    const std::wstring name = L"axes at " + screen;
    const std::wstring axes = L"軸";
    enterDrive(program, 3, L"100", L"10000", L"0.2", L"0.3");
    program.setText(pulseCount, L"10000");
    clickExpecting(program, name + L": calculate", calculate, L"");
    const HWND window = openDetails(program);
    if (window == nullptr) {
        check(false, name + L": the window opens");
        return;
    }
    constexpr int formField = 2600; // name, pulses per revolution, gear, travel per revolution
    const auto field = [&](int n) { return sectionPart(program, window, axes, formField, n); };
    const auto setField = [&](int n, const wchar_t* text) {
        SendMessageTimeoutW(field(n), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 30000, nullptr);
    };
    const auto button = [&](const wchar_t* label) { return pagePart(program, window, details::command, label); };
    // A key posted waits behind what the program is doing: a send after it returns once it is handled.
    const auto settle = [&] {
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr);
        Sleep(300);
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr);
    };
    const auto pressSpace = [&](HWND target) {
        PostMessageW(target, WM_KEYDOWN, VK_SPACE, 0x00390001);
        PostMessageW(target, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001));
        settle();
    };
    check(field(3) != nullptr && button(L"機構を適用(&M)") != nullptr, name + L": the axis form's fields and buttons",
          joined(shownDetails(program, window)));
    if (field(3) == nullptr || button(L"機構を適用(&M)") == nullptr) {
        closeDetails(window, program);
        return;
    }
    setField(1, L"3200");
    setField(3, L"5");
    pressSpace(button(L"機構を適用(&M)"));
    setField(0, L"Y");
    // 追加 clicked: the button takes the focus, and the one made in its place keeps it.
    PostMessageW(button(L"追加(&N)"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
    PostMessageW(button(L"追加(&N)"), WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
    settle();
    const bool alive = program.waitForExit(0) == -1 && IsWindow(window);
    check(alive, name + L": 機構を適用 by the space bar and a click on 追加 leave the program running");
    if (!alive) {
        return;
    }
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(program.threadId(), &gui);
    expectText(name + L": the focus on 追加 made again", program.text(gui.hwndFocus), L"追加(&N)");
    setField(0, L"W");
    // Clicked first, as the user does, for the focus, which Enter's command follows.
    PostMessageW(field(0), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(field(0), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    PostMessageW(field(0), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    settle();
    check(program.waitForExit(0) == -1 && IsWindow(window), name + L": Enter in the name field leaves the program running");
    const HWND list = sectionPart(program, window, axes, details::formChoice, 0);
    std::wstring items;
    DWORD_PTR count = 0;
    SendMessageTimeoutW(list, CB_GETCOUNT, 0, 0, SMTO_NORMAL, 30000, &count);
    for (int i = 0; i < static_cast<int>(count) && i < 20; ++i) {
        wchar_t item[128] = {};
        SendMessageTimeoutW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item), SMTO_NORMAL,
                            30000, nullptr);
        items += (i > 0 ? L"/" : L"") + std::wstring(item);
    }
    DWORD_PTR chosen = 0;
    SendMessageTimeoutW(list, CB_GETCURSEL, 0, 0, SMTO_NORMAL, 30000, &chosen);
    const std::wstring first = items.substr(0, items.find(L'/'));
    expectText(name + L": the axis added and renamed by Enter, the chosen one", items + L" #" + std::to_wstring(chosen),
               first + L"/W #1");
    check(program.text(field(0)) == L"W" && program.otherDialogs().empty(), name + L": the name kept, no message box",
          program.text(field(0)));

    // The added axis has no mechanics: back to the first, whose drive reads in mm/s.
    SendMessageTimeoutW(list, CB_SETCURSEL, 0, 0, SMTO_NORMAL, 30000, nullptr);
    SendMessageTimeoutW(page(window), WM_COMMAND, MAKEWPARAM(details::formChoice, CBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(list), SMTO_NORMAL, 30000, nullptr);
    SendMessageTimeoutW(button(L"切り替え(&W)"), BM_CLICK, 0, 0, SMTO_NORMAL, 60000, nullptr);
    settle();
    const Lines shown = shownDetails(program, window);
    const bool inUnits = std::any_of(shown.begin(), shown.end(),
                                     [](const std::wstring& line) { return line.find(L"mm/s") != std::wstring::npos; });
    check(inUnits && program.otherDialogs().empty(), name + L": the first axis's drive in mm/s", joined(shown));
    struct Shot {
        const wchar_t* heading;
        const wchar_t* file;
    } const shots[] = {{L"軸", L"axes"},
                       {L"単位で入力", L"units-form"},
                       {L"丸めた設定値による実際のドライブ", L"real-drive-units"},
                       {L"倍率の比較", L"comparison-units"},
                       {L"移動の設計", L"design-units"}};
    for (const Shot& shot : shots) {
        SendMessageTimeoutW(page(window), WM_VSCROLL, SB_TOP, 0, SMTO_NORMAL, 30000, nullptr);
        scrollToSection(program, window, shot.heading);
        check(captureWindow(window, screenshots + L"\\win32-details-" + shot.file + L"-" + screen + L".bmp"),
              L"screenshot " + name + L" " + shot.file);
    }
    // Every form's labels, the lines and the tables' cells whole as the window opened
    // and 640 px wide, where the labels wrap and the tables scroll sideways.
    checkTextsWhole(program, window, name, windowDpi(window));
    SetWindowPos(window, nullptr, 0, 0, 640, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    settle();
    checkTextsWhole(program, window, name + L", 640 px wide", windowDpi(window));
    for (const Shot& shot : shots) {
        SendMessageTimeoutW(page(window), WM_VSCROLL, SB_TOP, 0, SMTO_NORMAL, 30000, nullptr);
        scrollToSection(program, window, shot.heading);
        check(captureWindow(window, screenshots + L"\\win32-details-" + shot.file + L"-640-" + screen + L".bmp"),
              L"screenshot " + name + L" " + shot.file + L" 640 px wide");
    }
    closeDetails(window, program);
}

} // namespace

bool giveFirstAxisMechanics(const RemoteProgram& program, HWND window)
{
    constexpr int formField = 2600; // name, pulses per revolution, gear, travel per revolution
    // Each edit makes the section again: every part is looked up after the edit before it.
    for (const auto& [n, text] : {std::pair{1, L"3200"}, std::pair{3, L"5"}}) {
        const HWND field = sectionPart(program, window, L"軸", formField, n);
        if (field == nullptr) {
            return false;
        }
        SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 30000, nullptr);
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr);
    }
    const HWND apply = pagePart(program, window, details::command, L"機構を適用(&M)");
    if (apply == nullptr) {
        return false;
    }
    PostMessageW(apply, WM_KEYDOWN, VK_SPACE, 0x00390001);
    PostMessageW(apply, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001));
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr);
    Sleep(300);
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr);
    return sectionPart(program, window, L"単位で入力", formField, 0) != nullptr; // the units form's fields
}

void checkTextsWhole(const RemoteProgram& program, HWND window, const std::wstring& name, int dpi)
{
    // The details' fonts at that DPI: the dialog's ＭＳ Ｐゴシック of 9 points, and its bold for the headings.
    HFONT fonts[2] = {};
    for (const bool bold : {false, true}) {
        LOGFONTW face{};
        face.lfHeight = -MulDiv(9, dpi, 72);
        face.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        face.lfCharSet = SHIFTJIS_CHARSET;
        wcscpy(face.lfFaceName, L"ＭＳ Ｐゴシック");
        fonts[bold ? 1 : 0] = CreateFontIndirectW(&face);
    }
    const HDC screen = GetDC(nullptr);
    std::wstring cut;
    std::wstring cells;
    int statics = 0;
    int tables = 0;
    for (HWND child = GetWindow(page(window), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        RECT client{};
        GetClientRect(child, &client);
        if (!IsWindowVisible(child)) {
            continue;
        }
        if (className(child) == L"Static") {
            // Wrapped as the static wraps it, the text must end inside its rectangle.
            const std::wstring text = program.text(child);
            const bool bold = id == details::heading || id == details::sectionHeading;
            const HGDIOBJ before = SelectObject(screen, fonts[bold ? 1 : 0]);
            RECT needed{0, 0, std::max(1L, client.right), 0};
            DrawTextW(screen, text.empty() ? L" " : text.c_str(), text.empty() ? 1 : static_cast<int>(text.size()),
                      &needed, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
            SelectObject(screen, before);
            if (needed.right > client.right || needed.bottom > client.bottom) {
                cut += L"; part " + std::to_wstring(id) + L" \"" + text + L"\" " + std::to_wstring(client.right) + L"x" +
                       std::to_wstring(client.bottom) + L" for " + std::to_wstring(needed.right) + L"x" +
                       std::to_wstring(needed.bottom);
            }
            ++statics;
        } else if (id == details::table) {
            // Every cell of every column whole: its text and the view's margins inside the column.
            const std::vector<std::vector<std::wstring>> rows = program.table(child);
            const HGDIOBJ before = SelectObject(screen, fonts[0]);
            for (std::size_t row = 0; row < rows.size(); ++row) {
                for (std::size_t column = 0; column < rows[row].size(); ++column) {
                    DWORD_PTR width = 0;
                    SendMessageTimeoutW(child, LVM_GETCOLUMNWIDTH, column, 0, SMTO_NORMAL, 30000, &width);
                    const std::wstring& text = rows[row][column];
                    SIZE extent{};
                    GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &extent);
                    if (extent.cx + MulDiv(12, dpi, 96) > static_cast<LONG>(width)) {
                        cells += L"; \"" + text + L"\" " + std::to_wstring(extent.cx) + L" px in a column of " +
                                 std::to_wstring(width);
                    }
                }
            }
            SelectObject(screen, before);
            ++tables;
        }
    }
    ReleaseDC(nullptr, screen);
    DeleteObject(fonts[0]);
    DeleteObject(fonts[1]);
    check(statics > 0 && cut.empty(), name + L": every label and line shows its whole text",
          std::to_wstring(statics) + L" statics" + cut);
    check(tables > 0 && cells.empty(), name + L": no table's cell narrower than its text",
          std::to_wstring(tables) + L" tables" + cells);
}

void placementSuite(const std::wstring& path, const std::wstring& screenshots)
{
    RemoteProgram program;
    if (!program.start(path, mainCaption)) {
        check(false, L"placement: the main dialog appears");
        return;
    }
    placementAfterUpdates(program);
    detailsScreenshots(program, screenshots);
    detailsMoveDesign(program, screenshots);
    detailsAxes(program, screenshots);
    PostMessageW(program.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    check(program.waitForExit(60000) == 0, L"placement: the close box ends the program");
}

void detailsSuite(const std::wstring& path, const std::wstring& screenshots)
{
    RemoteProgram program;
    if (!program.start(path, mainCaption)) {
        check(false, L"details: the main dialog appears");
        return;
    }
    detailsFollowCommands(program, screenshots);
    detailsClosings(program);
    detailsFindings(program);
    detailsResizing(program, screenshots);
    detailsComparison(program, screenshots);
    detailsReadings(program, screenshots);
    resultTooltips(program);
    detailsScreenshots(program, screenshots);
    PostMessageW(program.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    check(program.waitForExit(60000) == 0, L"details: the close box ends the program");
}

} // namespace e2e
