#include "remote_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace e2e {
namespace {

// Generous: under Wine on a busy machine a window may answer slowly.
constexpr UINT sendTimeoutMs = 30000;

std::wstring className(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

struct Search {
    DWORD processId;
    std::wstring windowClass;
    std::vector<HWND> found;
    bool hiddenToo = false;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && (search.hiddenToo || IsWindowVisible(window)) &&
        className(window) == search.windowClass) {
        search.found.push_back(window);
    }
    return TRUE;
}

// Visible top-level windows of a process of one class.
std::vector<HWND> processWindows(DWORD processId, const std::wstring& windowClass)
{
    Search search{processId, windowClass, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Visible top-level dialogs of a process.
std::vector<HWND> processDialogs(DWORD processId)
{
    return processWindows(processId, L"#32770");
}

struct SendRequest {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

DWORD WINAPI sendRequest(void* context)
{
    const std::unique_ptr<SendRequest> request(static_cast<SendRequest*>(context));
    SendMessageW(request->window, request->message, request->wParam, request->lParam);
    return 0;
}

// A blocking SendMessage on its own thread, so that the driver can deal with
// the modal windows that the message opens while it is being handled.
HANDLE sendOnThread(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto request = std::make_unique<SendRequest>(SendRequest{window, message, wParam, lParam});
    HANDLE thread = CreateThread(nullptr, 0, sendRequest, request.get(), 0, nullptr);
    if (thread != nullptr) {
        request.release();
    }
    return thread;
}

MessageBoxSeen readMessageBox(HWND box, HWND dialog)
{
    MessageBoxSeen seen;
    wchar_t buffer[1024] = {};
    GetWindowTextW(box, buffer, 1024);
    seen.caption = buffer;
    seen.ownedByDialog = GetWindow(box, GW_OWNER) == dialog;
    int buttons = 0;
    bool ok = false;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        const std::wstring kind = className(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (kind == L"Button") {
            ++buttons;
            ok = ok || GetDlgCtrlID(child) == IDOK;
        } else if (kind == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
            seen.hasIcon = SendMessageW(child, STM_GETICON, 0, 0) != 0;
        } else if (kind == L"Static") {
            buffer[0] = 0;
            SendMessageTimeoutW(child, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL,
                                sendTimeoutMs, nullptr);
            if (buffer[0] != 0) {
                seen.text = buffer;
            }
        }
    }
    seen.onlyOk = buttons == 1 && ok;
    return seen;
}

} // namespace

RemoteProgram::~RemoteProgram()
{
    if (process_.hProcess != nullptr) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    if (sender_ != nullptr) {
        WaitForSingleObject(sender_, 5000);
        CloseHandle(sender_);
    }
}

bool RemoteProgram::start(const std::wstring& path, const std::wstring& caption)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
        process_ = {};
        return false;
    }
    for (int tries = 0; tries < 3000; ++tries) {
        for (HWND window : processDialogs(process_.dwProcessId)) {
            wchar_t title[256] = {};
            GetWindowTextW(window, title, 256);
            if (caption == title) {
                dialog_ = window;
                return true;
            }
        }
        Sleep(50);
    }
    return false;
}

std::wstring RemoteProgram::text(HWND window) const
{
    DWORD_PTR length = 0;
    if (window == nullptr ||
        !SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, sendTimeoutMs, &length)) {
        return L"<no window>";
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                        sendTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

void RemoteProgram::setText(int identifier, const std::wstring& text) const
{
    SendMessageTimeoutW(item(identifier), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                        sendTimeoutMs, nullptr);
}

void RemoteProgram::type(int identifier, const std::wstring& text) const
{
    HWND target = item(identifier);
    if (className(target) == L"ComboBox") {
        target = FindWindowExW(target, nullptr, L"Edit", nullptr);
    }
    // Select everything first, so that typing replaces the text as it does for a user.
    SendMessageTimeoutW(target, EM_SETSEL, 0, -1, SMTO_NORMAL, sendTimeoutMs, nullptr);
    for (const wchar_t character : text) {
        SendMessageTimeoutW(target, WM_CHAR, character, 1, SMTO_NORMAL, sendTimeoutMs, nullptr);
    }
}

void RemoteProgram::select(int identifier, int index) const
{
    const HWND box = item(identifier);
    SendMessageTimeoutW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_NORMAL, sendTimeoutMs, nullptr);
    SendMessageTimeoutW(dialog_, WM_COMMAND, MAKEWPARAM(identifier, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box),
                        SMTO_NORMAL, sendTimeoutMs, nullptr);
}

int RemoteProgram::selectedIndex(int identifier) const
{
    DWORD_PTR index = 0;
    SendMessageTimeoutW(item(identifier), CB_GETCURSEL, 0, 0, SMTO_NORMAL, sendTimeoutMs, &index);
    return static_cast<int>(static_cast<LRESULT>(index));
}

std::vector<std::wstring> RemoteProgram::items(int identifier) const
{
    const HWND box = item(identifier);
    DWORD_PTR count = 0;
    SendMessageTimeoutW(box, CB_GETCOUNT, 0, 0, SMTO_NORMAL, sendTimeoutMs, &count);
    std::vector<std::wstring> items;
    for (int i = 0; i < static_cast<int>(count) && i < 100; ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(box, CB_GETLBTEXTLEN, i, 0, SMTO_NORMAL, sendTimeoutMs, &length);
        std::wstring text(length + 1, L'\0');
        SendMessageTimeoutW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, sendTimeoutMs,
                            nullptr);
        text.resize(length);
        items.push_back(text);
    }
    return items;
}

std::vector<MessageBoxSeen> RemoteProgram::click(int identifier, bool& finished) const
{
    std::vector<MessageBoxSeen> boxes;
    const HANDLE sender = sendOnThread(item(identifier), BM_CLICK, 0, 0);
    finished = false;
    if (sender == nullptr) {
        return boxes;
    }
    std::vector<HWND> closed;
    for (int tries = 0; tries < 6000 && !finished; ++tries) {
        finished = WaitForSingleObject(sender, 20) == WAIT_OBJECT_0;
        for (HWND box : otherDialogs()) {
            bool known = false;
            for (HWND old : closed) {
                known = known || old == box;
            }
            if (known) {
                continue;
            }
            boxes.push_back(readMessageBox(box, dialog_));
            if (!boxCapture_.empty()) {
                Sleep(200); // let it paint
                captureWindow(box, boxCapture_);
                boxCapture_.clear();
            }
            closed.push_back(box);
            PostMessageW(GetDlgItem(box, IDOK) != nullptr ? GetDlgItem(box, IDOK) : box, BM_CLICK, 0, 0);
        }
    }
    CloseHandle(sender);
    return boxes;
}

HWND RemoteProgram::openModal(UINT message, WPARAM wParam, LPARAM lParam, const std::wstring& caption, DWORD waitMs)
{
    if (sender_ != nullptr) {
        return nullptr;
    }
    sender_ = sendOnThread(dialog_, message, wParam, lParam);
    for (DWORD waited = 0; waited < waitMs && sender_ != nullptr; waited += 25) {
        for (HWND window : otherDialogs()) {
            wchar_t title[256] = {};
            GetWindowTextW(window, title, 256);
            if (caption == title) {
                return window;
            }
        }
        Sleep(25);
    }
    return nullptr;
}

bool RemoteProgram::modalClosed(DWORD timeoutMs)
{
    if (sender_ == nullptr) {
        return true;
    }
    if (WaitForSingleObject(sender_, timeoutMs) != WAIT_OBJECT_0) {
        return false;
    }
    CloseHandle(sender_);
    sender_ = nullptr;
    return true;
}

std::vector<HWND> RemoteProgram::otherDialogs() const
{
    std::vector<HWND> others;
    for (HWND window : processDialogs(process_.dwProcessId)) {
        if (window != dialog_) {
            others.push_back(window);
        }
    }
    return others;
}

std::vector<HWND> RemoteProgram::windowsOfClass(const std::wstring& windowClass) const
{
    return processWindows(process_.dwProcessId, windowClass);
}

bool RemoteProgram::send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageTimeoutW(dialog_, message, wParam, lParam, SMTO_NORMAL, 3 * sendTimeoutMs, nullptr) != 0;
}

namespace {

// Memory lent in another process for one message's structure and text, given back at the end.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, std::size_t bytes)
        : process_(process), address_(VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE))
    {
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    ~RemoteMemory()
    {
        if (address_ != nullptr) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
    }
    char* get() const { return static_cast<char*>(address_); }
    bool write(std::size_t offset, const void* data, std::size_t bytes) const
    {
        return WriteProcessMemory(process_, get() + offset, data, bytes, nullptr) != FALSE;
    }
    bool read(std::size_t offset, void* data, std::size_t bytes) const
    {
        return ReadProcessMemory(process_, get() + offset, data, bytes, nullptr) != FALSE;
    }

private:
    HANDLE process_;
    void* address_;
};

constexpr std::size_t cellChars = 1024;

} // namespace

std::vector<std::vector<std::wstring>> RemoteProgram::table(HWND list) const
{
    std::vector<std::vector<std::wstring>> rows;
    const RemoteMemory memory(process_.hProcess, sizeof(LVITEMW) + sizeof(LVCOLUMNW) + cellChars * sizeof(wchar_t));
    if (memory.get() == nullptr) {
        return rows;
    }
    wchar_t* const remoteText = reinterpret_cast<wchar_t*>(memory.get() + sizeof(LVITEMW) + sizeof(LVCOLUMNW));
    const auto readText = [&]() {
        std::wstring text(cellChars, L'\0');
        memory.read(sizeof(LVITEMW) + sizeof(LVCOLUMNW), text.data(), cellChars * sizeof(wchar_t));
        text.resize(text.find(L'\0'));
        return text;
    };
    DWORD_PTR header = 0;
    SendMessageTimeoutW(list, LVM_GETHEADER, 0, 0, SMTO_NORMAL, sendTimeoutMs, &header);
    DWORD_PTR columns = 0;
    SendMessageTimeoutW(reinterpret_cast<HWND>(header), HDM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, sendTimeoutMs, &columns);
    std::vector<std::wstring> headings;
    for (int c = 0; c < static_cast<int>(columns) && c < 64; ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = remoteText;
        column.cchTextMax = static_cast<int>(cellChars);
        const wchar_t nothing = L'\0';
        memory.write(sizeof(LVITEMW) + sizeof(LVCOLUMNW), &nothing, sizeof nothing);
        memory.write(sizeof(LVITEMW), &column, sizeof column);
        SendMessageTimeoutW(list, LVM_GETCOLUMNW, c, reinterpret_cast<LPARAM>(memory.get() + sizeof(LVITEMW)),
                            SMTO_NORMAL, sendTimeoutMs, nullptr);
        headings.push_back(readText());
    }
    rows.push_back(headings);
    DWORD_PTR count = 0;
    SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, sendTimeoutMs, &count);
    for (int r = 0; r < static_cast<int>(count) && r < 1000; ++r) {
        std::vector<std::wstring> cells;
        for (int c = 0; c < static_cast<int>(headings.size()); ++c) {
            LVITEMW item{};
            item.iSubItem = c;
            item.pszText = remoteText;
            item.cchTextMax = static_cast<int>(cellChars);
            memory.write(0, &item, sizeof item);
            DWORD_PTR length = 0;
            SendMessageTimeoutW(list, LVM_GETITEMTEXTW, r, reinterpret_cast<LPARAM>(memory.get()), SMTO_NORMAL,
                                sendTimeoutMs, &length);
            cells.push_back(length == 0 ? std::wstring() : readText());
        }
        rows.push_back(cells);
    }
    return rows;
}

RECT RemoteProgram::rowRect(HWND list, int row) const
{
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    const RemoteMemory memory(process_.hProcess, sizeof rect);
    if (memory.get() == nullptr || !memory.write(0, &rect, sizeof rect)) {
        return RECT{};
    }
    DWORD_PTR found = 0;
    SendMessageTimeoutW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(memory.get()), SMTO_NORMAL,
                        sendTimeoutMs, &found);
    if (found == 0 || !memory.read(0, &rect, sizeof rect)) {
        return RECT{};
    }
    return rect;
}

std::wstring RemoteProgram::toolTip(HWND control) const
{
    constexpr std::size_t tipChars = 1024;
    const RemoteMemory memory(process_.hProcess, sizeof(TTTOOLINFOW) + tipChars * sizeof(wchar_t));
    if (memory.get() == nullptr) {
        return L"<no memory>";
    }
    Search search{process_.dwProcessId, TOOLTIPS_CLASSW, {}, true};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    for (HWND tips : search.found) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = dialog_;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = reinterpret_cast<wchar_t*>(memory.get() + sizeof tool);
        // A tooltip without the tool writes nothing: the mark stays.
        const wchar_t unwritten[] = L"\x1";
        memory.write(sizeof tool, unwritten, sizeof unwritten);
        memory.write(0, &tool, sizeof tool);
        SendMessageTimeoutW(tips, TTM_GETTEXTW, tipChars, reinterpret_cast<LPARAM>(memory.get()), SMTO_NORMAL,
                            sendTimeoutMs, nullptr);
        std::wstring text(tipChars, L'\0');
        memory.read(sizeof tool, text.data(), tipChars * sizeof(wchar_t));
        text.resize(std::min(text.find(L'\0'), tipChars));
        if (text != unwritten) {
            return text;
        }
    }
    return L"<no tooltip>";
}

long RemoteProgram::waitForExit(DWORD timeoutMs) const
{
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
}

bool captureWindow(HWND window, const std::wstring& path)
{
    // What the screen shows of it: a window taller than the screen is cut at its edge.
    RECT whole{};
    const RECT screenRect{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                          GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                          GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    RECT rect{};
    if (!GetWindowRect(window, &whole) || !IntersectRect(&rect, &whole, &screenRect)) {
        return false;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&info, sizeof info, 1, out) == 1 &&
                         fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
    return fclose(out) == 0 && written;
}

StandInDialog::StandInDialog(HINSTANCE instance)
    : window_(CreateWindowExW(0, L"Static", L"owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                              nullptr, instance, nullptr))
{
    LOGFONTW face{};
    face.lfHeight = -12;
    face.lfCharSet = SHIFTJIS_CHARSET;
    wcscpy(face.lfFaceName, L"MS PGothic");
    font_ = CreateFontIndirectW(&face);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

StandInDialog::~StandInDialog()
{
    DestroyWindow(window_);
    DeleteObject(font_);
}

void pumpMessages()
{
    MSG message;
    for (int round = 0; round < 20; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

int windowDpi(HWND window)
{
    using DpiForWindow = UINT(WINAPI*)(HWND);
    const auto function = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = function != nullptr ? function(window) : 0;
    return dpi != 0 ? static_cast<int>(dpi) : 96;
}

bool showsRed(HWND window)
{
    RECT rect{};
    if (!GetWindowRect(window, &rect)) {
        return false;
    }
    const HDC screen = GetDC(nullptr);
    bool red = false;
    for (int y = rect.top; y < rect.bottom && !red; ++y) {
        for (int x = rect.left; x < rect.right && !red; ++x) {
            const COLORREF pixel = GetPixel(screen, x, y);
            red = GetRValue(pixel) >= 140 && GetGValue(pixel) <= 90 && GetBValue(pixel) <= 90;
        }
    }
    ReleaseDC(nullptr, screen);
    return red;
}

COLORREF darkestPixel(HWND window)
{
    RECT rect{};
    if (!GetClientRect(window, &rect)) {
        return RGB(255, 255, 255);
    }
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    const HDC screen = GetDC(nullptr);
    COLORREF darkest = RGB(255, 255, 255);
    const auto sum = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF pixel = GetPixel(screen, x, y);
            if (pixel != CLR_INVALID && sum(pixel) < sum(darkest)) {
                darkest = pixel;
            }
        }
    }
    ReleaseDC(nullptr, screen);
    return darkest;
}

bool showsColour(HWND window, COLORREF colour)
{
    RECT rect{};
    if (!GetWindowRect(window, &rect)) {
        return false;
    }
    const HDC screen = GetDC(nullptr);
    bool found = false;
    for (int y = rect.top; y < rect.bottom && !found; ++y) {
        for (int x = rect.left; x < rect.right && !found; ++x) {
            found = GetPixel(screen, x, y) == colour;
        }
    }
    ReleaseDC(nullptr, screen);
    return found;
}

bool clipboardText(std::wstring& text)
{
    text.clear();
    bool found = false;
    for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt) {
        Sleep(50);
    }
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data)); chars != nullptr) {
            text = chars;
            found = true;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return found;
}

void emptyClipboard()
{
    for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt) {
        Sleep(50);
    }
    EmptyClipboard();
    CloseClipboard();
}

} // namespace e2e
