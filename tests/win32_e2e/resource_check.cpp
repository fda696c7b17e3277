// Reads the resources of the built Veldronix.exe and checks them: both dialog
// templates control by control against res/dialog_layout.def, with the window
// class and styles each kind of control must have, strings 101 and 103, icon 128 with
// its two images, the version information, the manifest (common controls 6,
// per-monitor DPI awareness) and the language of every resource.
// Usage: veldronix_resource_check PATH\Veldronix.exe
#include "dialog_layout_table.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using e2e::layout::aboutControls;
using e2e::layout::Kind;
using e2e::layout::mainControls;
using ExpectedControl = e2e::layout::Control;

// The window class (as its predefined ordinal) and the styles each kind must carry.
struct KindStyle {
    WORD classOrdinal;
    DWORD style;
    DWORD exStyle;
};

KindStyle styleOf(Kind kind)
{
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    constexpr WORD button = 0x0080, edit = 0x0081, stat = 0x0082, combo = 0x0085;
    switch (kind) {
    case Kind::Combo: return {combo, child | CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 0};
    case Kind::EditExRight: return {edit, child | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, WS_EX_RIGHT};
    case Kind::EditRight: return {edit, child | ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0};
    case Kind::Label: return {stat, child | SS_LEFT | WS_GROUP, 0};
    case Kind::LabelNoPrefix: return {stat, child | SS_LEFT | SS_NOPREFIX | WS_GROUP, 0};
    case Kind::Result: return {stat, child | SS_RIGHT | SS_SUNKEN | WS_GROUP, 0};
    case Kind::Button: return {button, child | BS_PUSHBUTTON | WS_TABSTOP, 0};
    case Kind::Group: return {button, child | BS_GROUPBOX, 0};
    case Kind::Icon: return {stat, child | SS_ICON, 0};
    case Kind::DefaultOk: return {button, child | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 0};
    }
    return {};
}

int passed = 0;
int failed = 0;

std::string utf8(const std::wstring& wide)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring wide(const char* text)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), size);
    return out;
}

void check(bool ok, const std::string& name, const std::string& detail = "")
{
    (ok ? passed : failed) += 1;
    std::printf("%s %s%s%s\n", ok ? "PASS" : "FAIL", name.c_str(), ok || detail.empty() ? "" : ": ", ok ? "" : detail.c_str());
}

void expectText(const std::string& name, const std::wstring& actual, const std::wstring& expected)
{
    check(actual == expected, name, "expected [" + utf8(expected) + "], got [" + utf8(actual) + "]");
}

void expectNumber(const std::string& name, unsigned long actual, unsigned long expected)
{
    char detail[80];
    std::snprintf(detail, sizeof detail, "expected 0x%lX, got 0x%lX", expected, actual);
    check(actual == expected, name, detail);
}

// Reads a template's words in order, bounded by the resource's size.
class Reader {
public:
    Reader(const BYTE* data, DWORD size) : data_(data), size_(size) {}
    bool ok() const { return ok_; }
    WORD word()
    {
        WORD value = 0;
        read(&value, 2);
        return value;
    }
    DWORD dword()
    {
        DWORD value = 0;
        read(&value, 4);
        return value;
    }
    BYTE byte()
    {
        BYTE value = 0;
        read(&value, 1);
        return value;
    }
    // A string, or an ordinal written as "#n".
    std::wstring sz()
    {
        const WORD first = word();
        if (first == 0xFFFF) {
            return L"#" + std::to_wstring(word());
        }
        std::wstring text;
        for (WORD c = first; c != 0 && ok_; c = word()) {
            text += static_cast<wchar_t>(c);
        }
        return text;
    }
    void alignDword() { at_ = (at_ + 3) & ~static_cast<DWORD>(3); }

private:
    void read(void* out, DWORD count)
    {
        if (!ok_ || at_ + count > size_) {
            ok_ = false;
            return;
        }
        std::memcpy(out, data_ + at_, count);
        at_ += count;
    }
    const BYTE* data_;
    DWORD size_;
    DWORD at_ = 0;
    bool ok_ = true;
};

bool loadResource(HMODULE module, LPCWSTR type, LPCWSTR name, const BYTE*& data, DWORD& size)
{
    const HRSRC found = FindResourceExW(module, type, name, MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    if (found == nullptr) {
        return false;
    }
    data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    size = SizeofResource(module, found);
    return data != nullptr;
}

void checkControls(Reader& in, const std::string& dialog, bool extended, const ExpectedControl* expected, int count)
{
    for (int i = 0; i < count && in.ok(); ++i) {
        const ExpectedControl& want = expected[i];
        const KindStyle kind = styleOf(want.kind);
        const std::string name = dialog + " control " + std::to_string(i + 1);
        in.alignDword();
        DWORD style = 0, exStyle = 0;
        DWORD id = 0;
        if (extended) {
            in.dword(); // help identifier
            exStyle = in.dword();
            style = in.dword();
        } else {
            style = in.dword();
            exStyle = in.dword();
        }
        const short x = static_cast<short>(in.word()), y = static_cast<short>(in.word());
        const short cx = static_cast<short>(in.word()), cy = static_cast<short>(in.word());
        id = extended ? in.dword() : in.word();
        const std::wstring windowClass = in.sz();
        const std::wstring text = in.sz();
        const WORD extra = in.word();
        for (WORD skip = 0; skip < extra; ++skip) {
            in.byte();
        }
        const int expectedId = want.kind == Kind::DefaultOk ? IDOK : want.id;
        expectNumber(name + " identifier", static_cast<WORD>(id), static_cast<WORD>(expectedId));
        expectText(name + " class", windowClass, L"#" + std::to_wstring(kind.classOrdinal));
        expectNumber(name + " style", style, kind.style);
        expectNumber(name + " extended style", exStyle, kind.exStyle);
        expectText(name + " text", text, want.kind == Kind::Icon ? L"#128" : wide(want.text));
        check(x == want.x && y == want.y && cx == want.cx && cy == want.cy, name + " rectangle",
              std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(cx) + "," + std::to_string(cy));
    }
    check(in.ok(), dialog + " controls read within the resource");
}

void checkAboutTemplate(HMODULE module)
{
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (!loadResource(module, RT_DIALOG, MAKEINTRESOURCEW(100), data, size)) {
        check(false, "dialog 100 (Japanese) present");
        return;
    }
    Reader in(data, size);
    const DWORD style = in.dword();
    check((style & 0xFFFF0000) != 0xFFFF0000, "dialog 100 is a plain template");
    expectNumber("dialog 100 style", style, DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    expectNumber("dialog 100 extended style", in.dword(), 0);
    const WORD count = in.word();
    expectNumber("dialog 100 control count", count, 4);
    in.word();
    in.word();
    const WORD cx = in.word(), cy = in.word();
    check(cx == 235 && cy == 55, "dialog 100 size 235 x 55");
    expectText("dialog 100 menu", in.sz(), L"");
    expectText("dialog 100 class", in.sz(), L"");
    expectText("dialog 100 caption", in.sz(), L"Veldronixのﾊﾞｰｼﾞｮﾝ情報");
    expectNumber("dialog 100 font size", in.word(), 9);
    expectText("dialog 100 font", in.sz(), L"ＭＳ Ｐゴシック");
    checkControls(in, "dialog 100", false, aboutControls, count < 4 ? count : 4);
}

void checkMainTemplate(HMODULE module)
{
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (!loadResource(module, RT_DIALOG, MAKEINTRESOURCEW(102), data, size)) {
        check(false, "dialog 102 (Japanese) present");
        return;
    }
    Reader in(data, size);
    const WORD version = in.word(), signature = in.word();
    check(version == 1 && signature == 0xFFFF, "dialog 102 is an extended template");
    in.dword(); // help identifier
    expectNumber("dialog 102 extended style", in.dword(), WS_EX_APPWINDOW);
    expectNumber("dialog 102 style", in.dword(),
                 DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU);
    const WORD count = in.word();
    expectNumber("dialog 102 control count", count, 42);
    in.word();
    in.word();
    const WORD cx = in.word(), cy = in.word();
    check(cx == 319 && cy == 442, "dialog 102 size 319 x 442");
    expectText("dialog 102 menu", in.sz(), L"");
    expectText("dialog 102 class", in.sz(), L"");
    expectText("dialog 102 caption", in.sz(), L"パラメータ算出ツール");
    expectNumber("dialog 102 font size", in.word(), 9);
    expectNumber("dialog 102 font weight", in.word(), 0);
    expectNumber("dialog 102 font italic", in.byte(), 0);
    expectNumber("dialog 102 font character set", in.byte(), SHIFTJIS_CHARSET);
    expectText("dialog 102 font", in.sz(), L"ＭＳ Ｐゴシック");
    const int expected = static_cast<int>(sizeof mainControls / sizeof mainControls[0]);
    expectNumber("dialog 102 layout entries", expected, 42);
    checkControls(in, "dialog 102", true, mainControls, count < expected ? count : expected);
    // The first and last controls as the dialog's users know them.
    check(mainControls[0].id == 1000 && mainControls[0].x == 123 && mainControls[0].cy == 55,
          "dialog 102 starts with the drive type selector");
    check(mainControls[41].id == 1020 && std::strcmp(mainControls[41].text, "0") == 0,
          "dialog 102 ends with the deceleration point showing 0");
}

// One string of the table: strings are stored sixteen to a block, block n / 16 + 1
// holding string n at position n % 16, each as its length and its UTF-16 units.
void checkString(HMODULE module, int number, const std::wstring& expected)
{
    const std::string name = "string " + std::to_string(number);
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (!loadResource(module, RT_STRING, MAKEINTRESOURCEW(number / 16 + 1), data, size)) {
        check(false, "string block of " + std::to_string(number) + " (Japanese) present");
        return;
    }
    Reader in(data, size);
    std::wstring text;
    for (int i = 0; i <= number % 16 && in.ok(); ++i) {
        const WORD length = in.word();
        text.clear();
        for (WORD c = 0; c < length; ++c) {
            text += static_cast<wchar_t>(in.word());
        }
    }
    check(in.ok(), name + " read within its block");
    expectText(name, text, expected);
}

void checkStrings(HMODULE module)
{
    checkString(module, 101, L"Veldronix のﾊﾞｰｼﾞｮﾝ情報(&A)...");
    checkString(module, 103, L"詳細情報(&D)...");
    // The block holds 101 and 103 and nothing else: 102 is a dialog's number, not a string.
    checkString(module, 102, L"");
}

void checkIcon(HMODULE module)
{
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (!loadResource(module, RT_GROUP_ICON, MAKEINTRESOURCEW(128), data, size)) {
        check(false, "icon group 128 (Japanese) present");
        return;
    }
    Reader in(data, size);
    in.word();
    expectNumber("icon 128 type", in.word(), 1);
    const WORD count = in.word();
    expectNumber("icon 128 image count", count, 2);
    const int sizes[] = {32, 16};
    for (int i = 0; i < count && i < 2 && in.ok(); ++i) {
        const std::string name = "icon 128 image " + std::to_string(sizes[i]);
        const BYTE width = in.byte(), height = in.byte(), colours = in.byte();
        in.byte();
        in.word();
        const WORD bits = in.word();
        in.dword();
        const WORD id = in.word();
        check(width == sizes[i] && height == sizes[i] && colours == 16 && bits == 4, name + " in the group");
        const BYTE* image = nullptr;
        DWORD imageSize = 0;
        if (!loadResource(module, RT_ICON, MAKEINTRESOURCEW(id), image, imageSize) ||
            imageSize < sizeof(BITMAPINFOHEADER)) {
            check(false, name + " present");
            continue;
        }
        BITMAPINFOHEADER header{};
        std::memcpy(&header, image, sizeof header);
        check(header.biWidth == sizes[i] && header.biHeight == 2 * sizes[i] && header.biBitCount == 4,
              name + " is a 16-colour bitmap of that size");
    }
}

void checkVersion(const std::wstring& path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data())) {
        check(false, "version information present");
        return;
    }
    VS_FIXEDFILEINFO* fileInfo = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fileInfo), &length) && fileInfo != nullptr) {
        check(fileInfo->dwFileVersionMS == 0x00010000 && fileInfo->dwFileVersionLS == 0x00000001,
              "file version 1.0.0.1");
        check(fileInfo->dwProductVersionMS == 0x00010000 && fileInfo->dwProductVersionLS == 0x00000001,
              "product version 1.0.0.1");
        expectNumber("version: operating system", fileInfo->dwFileOS, VOS__WINDOWS32);
        expectNumber("version: file type", fileInfo->dwFileType, VFT_APP);
    } else {
        check(false, "fixed version information present");
    }
    WORD* translation = nullptr;
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
        length >= 4) {
        check(translation[0] == 0x0411 && translation[1] == 0x04B0, "version translation 0x0411, 0x04B0");
    } else {
        check(false, "version translation present");
    }
    const struct {
        const wchar_t* key;
        const wchar_t* text;
    } strings[] = {
        {L"CompanyName", L""},
        {L"FileDescription", L"Veldronix MFC ｱﾌﾟﾘｹｰｼｮﾝ"},
        {L"FileVersion", L"1, 0, 0, 1"},
        {L"InternalName", L"Veldronix"},
        {L"LegalCopyright", wide(aboutControls[2].text).c_str()},
        {L"LegalTrademarks", L""},
        {L"OriginalFilename", L"Veldronix.EXE"},
        {L"ProductName", L"Veldronix ｱﾌﾟﾘｹｰｼｮﾝ"},
        {L"ProductVersion", L"1, 0, 0, 1"},
    };
    const std::wstring notice = wide(aboutControls[2].text);
    for (const auto& s : strings) {
        wchar_t* value = nullptr;
        const std::wstring query = std::wstring(L"\\StringFileInfo\\041104B0\\") + s.key;
        const bool found = VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length);
        const std::wstring expected = std::wstring(s.key) == L"LegalCopyright" ? notice : s.text;
        expectText("version string " + utf8(s.key), found && value != nullptr ? std::wstring(value) : L"<missing>",
                   expected);
    }
}

// The application manifest, resource 1 of RT_MANIFEST: what it must ask of Windows, each part once.
void checkManifest(HMODULE module)
{
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (!loadResource(module, MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1), data, size)) {
        check(false, "manifest 1 (Japanese) present");
        return;
    }
    const std::string manifest(reinterpret_cast<const char*>(data), size);
    const struct {
        const char* name;
        const char* text;
    } parts[] = {
        {"is UTF-8 XML", "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"},
        {"names the program and its version", "<assemblyIdentity type=\"win32\" name=\"Veldronix\" version=\"1.0.0.1\"/>"},
        {"asks for the common controls 6",
         "<assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
         "processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>"},
        {"is per-monitor DPI aware (v2) on Windows 10 and 11",
         "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>"},
        {"is per-monitor DPI aware on Windows 8.1, aware of the system's DPI before",
         "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>"},
        {"was made for Windows 10 and 11", "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"},
        {"runs as the user who starts it", "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"},
    };
    for (const auto& part : parts) {
        const std::size_t first = manifest.find(part.text);
        check(first != std::string::npos && manifest.find(part.text, first + 1) == std::string::npos,
              std::string("manifest ") + part.name);
    }
}

struct Inventory {
    std::vector<std::string> found;
    bool allJapanese = true;
};

std::string resourceName(LPCWSTR name)
{
    return IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<ULONG_PTR>(name)) : utf8(name);
}

BOOL CALLBACK onLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR context)
{
    auto& inventory = *reinterpret_cast<Inventory*>(context);
    inventory.found.push_back(resourceName(type) + "/" + resourceName(name));
    if (language != MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)) {
        inventory.allJapanese = false;
        std::printf("     resource %s/%s has language 0x%04X\n", resourceName(type).c_str(), resourceName(name).c_str(),
                    language);
    }
    return TRUE;
}

BOOL CALLBACK onName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR context)
{
    EnumResourceLanguagesW(module, type, name, onLanguage, context);
    return TRUE;
}

BOOL CALLBACK onType(HMODULE module, LPWSTR type, LONG_PTR context)
{
    EnumResourceNamesW(module, type, onName, context);
    return TRUE;
}

void checkInventory(HMODULE module)
{
    Inventory inventory;
    EnumResourceTypesW(module, onType, reinterpret_cast<LONG_PTR>(&inventory));
    check(inventory.allJapanese, "every resource is tagged Japanese (0x0411)");
    const std::vector<std::string> expected = {"3/1", "3/2", "5/100", "5/102", "6/7", "14/128", "16/1", "24/1"};
    std::string list;
    for (const std::string& entry : inventory.found) {
        list += entry + " ";
    }
    check(inventory.found == expected,
          "the resources are the icon images, both dialogs, the strings' block, icon 128, the version and the manifest",
          list);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::printf("usage: veldronix_resource_check PATH\\Veldronix.exe\n");
        return 2;
    }
    const HMODULE module = LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        std::printf("FAIL cannot open %s\n", utf8(argv[1]).c_str());
        return 1;
    }
    checkInventory(module);
    checkAboutTemplate(module);
    checkMainTemplate(module);
    checkStrings(module);
    checkIcon(module);
    checkManifest(module);
    FreeLibrary(module);
    checkVersion(argv[1]);
    std::printf("win32-resources: %d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
