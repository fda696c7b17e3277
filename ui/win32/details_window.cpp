#include "ui/win32/details_window.h"

#include "io/file_replace.h"
#include "io/wide_text.h"
#include "report/details_texts.h"
#include "ui/win32/clipboard.h"
#include "ui/win32/plot_painter.h"

#include <commdlg.h>

#include <algorithm>
#include <utility>

namespace veldronix::win32 {
namespace {

namespace texts = report::detailsTexts;

constexpr const wchar_t* windowClassName = L"VeldronixDetails";

// The most rows each table can have: every register, every quantity of the
// real drive, a finding per register, the three phases and the totals.
constexpr int registerRows = 8;
constexpr int quantityRows = 6;
constexpr int findingRows = 8;
constexpr int phaseRows = 4;

// Texts that must not be missed: a finding and a quantity without a real value.
constexpr COLORREF warningInk = RGB(0xb9, 0x1c, 0x1c);

int toInt(DetailsId id)
{
    return static_cast<int>(id);
}

DetailsId operator+(DetailsId id, int row)
{
    return static_cast<DetailsId>(toInt(id) + row);
}

// Whether an identifier lies in the rows of a table's column starting at `first`.
bool inColumn(int identifier, DetailsId first, int rows)
{
    return identifier >= toInt(first) && identifier < toInt(first) + rows;
}

SIZE textSize(HDC dc, std::string_view text)
{
    const std::wstring wide = io::toWide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

// The height of a text wrapped to width, as a static control wraps it.
int wrappedHeight(HDC dc, std::string_view text, int width)
{
    const std::wstring wide = io::toWide(text);
    RECT bounds{0, 0, width, 0};
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &bounds, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return bounds.bottom;
}

FontHandle derivedFont(HFONT base, bool bold, bool vertical)
{
    LOGFONTW font{};
    if (base == nullptr || GetObjectW(base, sizeof font, &font) == 0) {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    if (bold) {
        font.lfWeight = FW_BOLD;
    }
    if (vertical) {
        font.lfEscapement = 900; // tenths of a degree, counter-clockwise
        font.lfOrientation = 900;
    }
    return FontHandle(CreateFontIndirectW(&font));
}

} // namespace

DetailsWindow::DetailsWindow(HINSTANCE instance) : instance_(instance)
{
    for (std::size_t phase = 0; phase < phaseBrushes_.size(); ++phase) {
        phaseBrushes_[phase] = BrushHandle(CreateSolidBrush(phaseFill(static_cast<report::PlotPhase>(phase))));
    }
}

DetailsWindow::~DetailsWindow()
{
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

bool DetailsWindow::registerClass() const
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance_, windowClassName, &windowClass)) {
        return true;
    }
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &DetailsWindow::windowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = windowClassName;
    return RegisterClassExW(&windowClass) != 0;
}

bool DetailsWindow::open(HWND owner, report::Details details)
{
    details_ = std::move(details);
    if (window_ == nullptr) {
        if (!registerClass()) {
            return false;
        }
        font_ = reinterpret_cast<HFONT>(SendMessageW(owner, WM_GETFONT, 0, 0));
        if (font_ == nullptr) {
            font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        }
        boldFont_ = derivedFont(font_, true, false);
        verticalFont_ = derivedFont(font_, false, true);
        // Owned by the main dialog: above it, minimised and destroyed with it, no task-bar button of its own.
        const std::wstring caption = io::toWide(texts::windowCaption);
        CreateWindowExW(WS_EX_DLGMODALFRAME, windowClassName, caption.c_str(),
                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100,
                        owner, nullptr, instance_, this);
        if (window_ == nullptr) {
            return false;
        }
        if (dialogKeys_.get() == nullptr) {
            dialogKeys_ = HookHandle(SetWindowsHookExW(WH_MSGFILTER, &DetailsWindow::messageFilter, nullptr,
                                                       GetCurrentThreadId()));
        }
        showDetails();
        // Beside the main dialog, as far as the screen allows.
        RECT ownerRect{};
        RECT ownRect{};
        GetWindowRect(owner, &ownerRect);
        GetWindowRect(window_, &ownRect);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& work = monitor.rcWork;
        const LONG width = ownRect.right - ownRect.left;
        const LONG height = ownRect.bottom - ownRect.top;
        LONG x = ownerRect.right + 8;
        if (x + width > work.right) {
            x = std::max(work.left, work.right - width);
        }
        const LONG y = std::max(work.top, std::min(ownerRect.top, work.bottom - height));
        SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(window_, SW_SHOW);
    } else {
        showDetails();
    }
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    return true;
}

void DetailsWindow::update(report::Details details)
{
    if (window_ == nullptr) {
        return;
    }
    details_ = std::move(details);
    showDetails();
}

LRESULT CALLBACK DetailsWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<DetailsWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<DetailsWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        self->lastFocus_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->handleMessage(message, wParam, lParam);
    } catch (...) {
        // Out of memory while showing: the window goes, the main dialog and its values stay.
        DestroyWindow(window);
        return 0;
    }
}

// The main dialog's modal loop (and those of the About box and the message
// boxes) offers every message to the thread's message filter first. The
// details window's own messages go through the dialog manager's keyboard
// handling here, so that Tab, Esc and Enter on a button work in it as in a dialog.
LRESULT CALLBACK DetailsWindow::messageFilter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX && lParam != 0) {
        MSG& message = *reinterpret_cast<MSG*>(lParam);
        const HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        wchar_t name[32] = {};
        if (root != nullptr && GetClassNameW(root, name, 32) > 0 && std::wstring_view(name) == windowClassName) {
            auto* self = reinterpret_cast<DetailsWindow*>(GetWindowLongPtrW(root, GWLP_USERDATA));
            if (self != nullptr && self->handleDialogKeys(message)) {
                return TRUE;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool DetailsWindow::handleDialogKeys(MSG& message)
{
    // IsDialogMessage offers the message to the filter again: that second offer is left alone.
    if (filtering_ || window_ == nullptr) {
        return false;
    }
    filtering_ = true;
    const bool handled = IsDialogMessageW(window_, &message) != FALSE;
    filtering_ = false;
    return handled;
}

LRESULT DetailsWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        onCreate();
        return 0;
    case WM_COMMAND:
        onCommand(LOWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        onActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_CTLCOLORSTATIC:
        return onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

HWND DetailsWindow::addChild(const wchar_t* windowClass, DetailsId id, int row, DWORD style)
{
    const HWND child = CreateWindowExW(0, windowClass, L"", WS_CHILD | style, 0, 0, 0, 0, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(toInt(id + row))), instance_,
                                       nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return child;
}

void DetailsWindow::onCreate()
{
    constexpr DWORD left = SS_LEFT | SS_NOPREFIX;
    constexpr DWORD right = SS_RIGHT | SS_NOPREFIX;
    const auto bold = [this](HWND child) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    };
    // In the order of the tab stops: copy, save, close.
    bold(addChild(L"Static", DetailsId::Heading, 0, left));
    bold(addChild(L"Static", DetailsId::RegistersHeading, 0, left));
    addChild(L"Static", DetailsId::RegisterNameColumn, 0, left);
    addChild(L"Static", DetailsId::RegisterIntegerColumn, 0, right);
    addChild(L"Static", DetailsId::RegisterValueColumn, 0, right);
    for (int row = 0; row < registerRows; ++row) {
        bold(addChild(L"Static", DetailsId::RegisterName, row, left));
        addChild(L"Static", DetailsId::RegisterInteger, row, right);
        addChild(L"Static", DetailsId::RegisterValue, row, right);
    }
    addChild(L"Button", DetailsId::Copy, 0, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP);

    bold(addChild(L"Static", DetailsId::RealDriveHeading, 0, left));
    addChild(L"Static", DetailsId::QuantityColumn, 0, left);
    addChild(L"Static", DetailsId::RequestedColumn, 0, right);
    addChild(L"Static", DetailsId::RealColumn, 0, right);
    addChild(L"Static", DetailsId::DeviationColumn, 0, right);
    for (int row = 0; row < quantityRows; ++row) {
        bold(addChild(L"Static", DetailsId::QuantityMark, row, left));
        addChild(L"Static", DetailsId::QuantityLabel, row, left);
        addChild(L"Static", DetailsId::QuantityRequested, row, right);
        addChild(L"Static", DetailsId::QuantityReal, row, right);
        addChild(L"Static", DetailsId::QuantityDeviation, row, right);
    }
    bold(addChild(L"Static", DetailsId::FindingsHeading, 0, left));
    addChild(L"Static", DetailsId::FindingsNote, 0, left);
    for (int row = 0; row < findingRows; ++row) {
        bold(addChild(L"Static", DetailsId::FindingMark, row, left));
        addChild(L"Static", DetailsId::Finding, row, left);
    }

    bold(addChild(L"Static", DetailsId::PlotHeading, 0, left));
    addChild(L"Static", DetailsId::PlotTitle, 0, left);
    addChild(L"Static", DetailsId::Plot, 0, SS_OWNERDRAW);
    addChild(L"Static", DetailsId::PhaseColumn, 0, left);
    addChild(L"Static", DetailsId::PhaseTimeColumn, 0, right);
    addChild(L"Static", DetailsId::PhasePulsesColumn, 0, right);
    addChild(L"Static", DetailsId::PhaseDetailColumn, 0, left);
    for (int row = 0; row < phaseRows; ++row) {
        addChild(L"Static", DetailsId::PhaseSwatch, row, SS_LEFT);
        bold(addChild(L"Static", DetailsId::PhaseName, row, left));
        addChild(L"Static", DetailsId::PhaseTime, row, right);
        addChild(L"Static", DetailsId::PhasePulses, row, right);
        addChild(L"Static", DetailsId::PhaseDetail, row, left);
    }
    addChild(L"Static", DetailsId::PlotNote, 0, left);
    addChild(L"Button", DetailsId::Save, 0, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP);
    addChild(L"Static", DetailsId::Status, 0, left);
    addChild(L"Button", DetailsId::Close, 0, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP | WS_VISIBLE);

    // The fixed texts: the columns' captions and the buttons.
    setPart(DetailsId::RegisterNameColumn, 0, texts::columnRegister);
    setPart(DetailsId::RegisterIntegerColumn, 0, texts::columnInteger);
    setPart(DetailsId::RegisterValueColumn, 0, texts::columnSettingValue);
    setPart(DetailsId::Copy, 0, texts::copyButton);
    setPart(DetailsId::QuantityColumn, 0, texts::columnQuantity);
    setPart(DetailsId::RequestedColumn, 0, texts::columnRequested);
    setPart(DetailsId::RealColumn, 0, texts::columnReal);
    setPart(DetailsId::DeviationColumn, 0, texts::columnDeviation);
    setPart(DetailsId::PhaseColumn, 0, texts::columnPhase);
    setPart(DetailsId::PhaseTimeColumn, 0, texts::columnTime);
    setPart(DetailsId::PhasePulsesColumn, 0, texts::columnPulses);
    setPart(DetailsId::PhaseDetailColumn, 0, texts::columnDetail);
    setPart(DetailsId::Save, 0, texts::saveButton);
    setPart(DetailsId::Close, 0, texts::closeButton);
}

HWND DetailsWindow::part(DetailsId id, int row) const
{
    return GetDlgItem(window_, toInt(id + row));
}

void DetailsWindow::setPart(DetailsId id, int row, std::string_view text, bool visible) const
{
    const HWND child = part(id, row);
    SetWindowTextW(child, io::toWide(visible ? text : std::string_view()).c_str());
    ShowWindow(child, visible ? SW_SHOWNA : SW_HIDE);
}

void DetailsWindow::showDetails()
{
    const report::Details& d = details_;
    const bool calculated = d.calculated;
    const auto showAll = [this](std::initializer_list<DetailsId> ids, bool visible) {
        for (const DetailsId id : ids) {
            ShowWindow(part(id), visible ? SW_SHOWNA : SW_HIDE);
        }
    };
    setPart(DetailsId::Heading, 0, d.heading);

    setPart(DetailsId::RegistersHeading, 0, d.registersHeading, calculated);
    showAll({DetailsId::RegisterNameColumn, DetailsId::RegisterIntegerColumn, DetailsId::RegisterValueColumn},
            calculated);
    for (int row = 0; row < registerRows; ++row) {
        const bool used = calculated && row < static_cast<int>(d.registers.size());
        const report::DetailsRegister empty;
        const report::DetailsRegister& r = used ? d.registers[static_cast<std::size_t>(row)] : empty;
        setPart(DetailsId::RegisterName, row, r.name, used);
        setPart(DetailsId::RegisterInteger, row, r.integer, used);
        setPart(DetailsId::RegisterValue, row, r.settingValue, used);
    }
    showAll({DetailsId::Copy}, calculated);
    EnableWindow(part(DetailsId::Copy), calculated && !d.clipboardText.empty());

    setPart(DetailsId::RealDriveHeading, 0, d.realDriveHeading, calculated);
    showAll({DetailsId::QuantityColumn, DetailsId::RequestedColumn, DetailsId::RealColumn, DetailsId::DeviationColumn},
            calculated);
    for (int row = 0; row < quantityRows; ++row) {
        const bool used = calculated && row < static_cast<int>(d.realDrive.size());
        const report::DetailsQuantity empty;
        const report::DetailsQuantity& q = used ? d.realDrive[static_cast<std::size_t>(row)] : empty;
        setPart(DetailsId::QuantityMark, row, texts::findingMark, used && q.marked);
        setPart(DetailsId::QuantityLabel, row, q.label, used);
        setPart(DetailsId::QuantityRequested, row, q.requested, used);
        setPart(DetailsId::QuantityReal, row, q.real, used);
        setPart(DetailsId::QuantityDeviation, row, q.deviation, used);
    }
    setPart(DetailsId::FindingsHeading, 0, d.findingsHeading, calculated);
    setPart(DetailsId::FindingsNote, 0, d.findingsNote, calculated && !d.findingsNote.empty());
    for (int row = 0; row < findingRows; ++row) {
        const bool used = calculated && row < static_cast<int>(d.findings.size());
        setPart(DetailsId::FindingMark, row, texts::findingMark, used);
        setPart(DetailsId::Finding, row, used ? std::string_view(d.findings[static_cast<std::size_t>(row)].text) : "",
                used);
    }

    const bool plotted = d.plotState == report::DetailsPlotState::Plotted && d.plot.has_value();
    setPart(DetailsId::PlotHeading, 0, d.plotHeading, calculated);
    setPart(DetailsId::PlotTitle, 0, plotted ? std::string_view(d.plot->title) : "", plotted);
    showAll({DetailsId::Plot, DetailsId::PhaseColumn, DetailsId::PhaseTimeColumn, DetailsId::PhasePulsesColumn,
             DetailsId::PhaseDetailColumn},
            plotted);
    InvalidateRect(part(DetailsId::Plot), nullptr, FALSE);
    for (int row = 0; row < phaseRows; ++row) {
        const bool used = plotted && row < static_cast<int>(d.plot->rows.size());
        const report::FigureRow empty;
        const report::FigureRow& f = used ? d.plot->rows[static_cast<std::size_t>(row)] : empty;
        ShowWindow(part(DetailsId::PhaseSwatch, row), used && f.phase ? SW_SHOWNA : SW_HIDE);
        InvalidateRect(part(DetailsId::PhaseSwatch, row), nullptr, TRUE);
        setPart(DetailsId::PhaseName, row, f.name, used);
        setPart(DetailsId::PhaseTime, row, f.time, used);
        setPart(DetailsId::PhasePulses, row, f.pulses, used);
        setPart(DetailsId::PhaseDetail, row, f.detail, used);
    }
    setPart(DetailsId::PlotNote, 0, d.plotNote, calculated && !d.plotNote.empty());
    showAll({DetailsId::Save}, plotted);
    EnableWindow(part(DetailsId::Save), plotted);
    // What became of a copy or a save belongs to the state it was made of.
    currentStatus_.clear();
    setPart(DetailsId::Status, 0, "", false);
    layOut();
}

void DetailsWindow::layOut()
{
    const WindowContext context(window_);
    const HDC dc = context.dc();
    const Selection useFont(dc, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int line = metrics.tmHeight;
    const int charWidth = metrics.tmAveCharWidth;
    const int rowHeight = line + 4;
    const int margin = 12;
    const int columnGap = 2 * charWidth;
    const int sectionGap = line;
    const int buttonHeight = line + 12;
    const auto width = [dc](std::string_view text) { return static_cast<int>(textSize(dc, text).cx); };
    const auto boldWidth = [this, dc](std::string_view text) {
        const Selection useBold(dc, boldFont_.get());
        return static_cast<int>(textSize(dc, text).cx) + 2;
    };
    const auto buttonWidth = [&](std::string_view text) {
        return std::max(width(text) + 4 * charWidth, 12 * charWidth);
    };
    const auto place = [this](DetailsId id, int row, int x, int y, int w, int h) {
        SetWindowPos(part(id, row), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const report::Details& d = details_;
    // The window never grows past the screen; long lines wrap instead.
    const int widest = GetSystemMetrics(SM_CXSCREEN) - 4 * margin;
    int contentWidth = std::min(widest, 70 * charWidth);

    const int headingY = margin;
    int y = headingY + rowHeight + sectionGap / 2;
    if (d.calculated) {
        // Part 1, the registers: name, integer to write, setting value; the copy button under them.
        int nameWidth = width(texts::columnRegister);
        int integerWidth = width(texts::columnInteger);
        int valueWidth = width(texts::columnSettingValue);
        for (const report::DetailsRegister& r : d.registers) {
            nameWidth = std::max(nameWidth, boldWidth(r.name));
            integerWidth = std::max(integerWidth, width(r.integer));
            valueWidth = std::max(valueWidth, width(r.settingValue));
        }
        const int copyWidth = buttonWidth(texts::copyButton);
        const int registersWidth = std::max({nameWidth + integerWidth + valueWidth + 2 * columnGap,
                                             boldWidth(d.registersHeading), copyWidth});
        const int top = y;
        place(DetailsId::RegistersHeading, 0, margin, y, registersWidth, rowHeight);
        y += rowHeight;
        const auto registerRow = [&](DetailsId name, DetailsId integer, DetailsId value, int row) {
            place(name, row, margin, y, nameWidth, rowHeight);
            place(integer, row, margin + nameWidth + columnGap, y, integerWidth, rowHeight);
            place(value, row, margin + nameWidth + integerWidth + 2 * columnGap, y, valueWidth, rowHeight);
            y += rowHeight;
        };
        registerRow(DetailsId::RegisterNameColumn, DetailsId::RegisterIntegerColumn, DetailsId::RegisterValueColumn,
                    0);
        for (int row = 0; row < static_cast<int>(d.registers.size()) && row < registerRows; ++row) {
            registerRow(DetailsId::RegisterName, DetailsId::RegisterInteger, DetailsId::RegisterValue, row);
        }
        y += 6;
        place(DetailsId::Copy, 0, margin, y, copyWidth, buttonHeight);
        const int registersBottom = y + buttonHeight;

        // Part 2, the real drive beside the requested one, right of the registers.
        const int markWidth = boldWidth(texts::findingMark);
        int labelWidth = width(texts::columnQuantity);
        int requestedWidth = width(texts::columnRequested);
        int realWidth = width(texts::columnReal);
        int deviationWidth = width(texts::columnDeviation);
        for (const report::DetailsQuantity& q : d.realDrive) {
            labelWidth = std::max(labelWidth, width(q.label));
            requestedWidth = std::max(requestedWidth, width(q.requested));
            realWidth = std::max(realWidth, width(q.real));
            deviationWidth = std::max(deviationWidth, width(q.deviation));
        }
        const int realX = margin + registersWidth + 3 * columnGap;
        y = top;
        place(DetailsId::RealDriveHeading, 0, realX, y, boldWidth(d.realDriveHeading), rowHeight);
        y += rowHeight;
        const auto quantityRow = [&](DetailsId label, DetailsId requested, DetailsId real, DetailsId deviation,
                                     int row) {
            int x = realX + markWidth + 4;
            place(label, row, x, y, labelWidth, rowHeight);
            x += labelWidth + columnGap;
            place(requested, row, x, y, requestedWidth, rowHeight);
            x += requestedWidth + columnGap;
            place(real, row, x, y, realWidth, rowHeight);
            x += realWidth + columnGap;
            place(deviation, row, x, y, deviationWidth, rowHeight);
            y += rowHeight;
            return x + deviationWidth;
        };
        int realRight = quantityRow(DetailsId::QuantityColumn, DetailsId::RequestedColumn, DetailsId::RealColumn,
                                    DetailsId::DeviationColumn, 0);
        for (int row = 0; row < static_cast<int>(d.realDrive.size()) && row < quantityRows; ++row) {
            place(DetailsId::QuantityMark, row, realX, y, markWidth, rowHeight);
            realRight = quantityRow(DetailsId::QuantityLabel, DetailsId::QuantityRequested, DetailsId::QuantityReal,
                                    DetailsId::QuantityDeviation, row);
        }
        realRight = std::max(realRight, realX + boldWidth(d.realDriveHeading));
        contentWidth = std::min(widest, std::max(contentWidth, realRight - margin));
        y = std::max(registersBottom, y) + sectionGap;

        // The findings under both, each with its mark, wrapped to the content's width.
        place(DetailsId::FindingsHeading, 0, margin, y, contentWidth, rowHeight);
        y += rowHeight;
        if (!d.findingsNote.empty()) {
            const int h = std::max(rowHeight, wrappedHeight(dc, d.findingsNote, contentWidth));
            place(DetailsId::FindingsNote, 0, margin, y, contentWidth, h);
            y += h;
        }
        for (int row = 0; row < static_cast<int>(d.findings.size()) && row < findingRows; ++row) {
            const int textX = markWidth + 4;
            const std::string& text = d.findings[static_cast<std::size_t>(row)].text;
            const int h = std::max(rowHeight, wrappedHeight(dc, text, contentWidth - textX));
            place(DetailsId::FindingMark, row, margin, y, markWidth, rowHeight);
            place(DetailsId::Finding, row, margin + textX, y, contentWidth - textX, h);
            y += h;
        }
        y += sectionGap;

        // Part 3, the plot over the content's width, its table of phases under it, then its note.
        place(DetailsId::PlotHeading, 0, margin, y, contentWidth, rowHeight);
        y += rowHeight;
    }
    const bool plotted = d.plotState == report::DetailsPlotState::Plotted && d.plot.has_value();
    if (plotted) {
        const int titleHeight = std::max(rowHeight, wrappedHeight(dc, d.plot->title, contentWidth));
        place(DetailsId::PlotTitle, 0, margin, y, contentWidth, titleHeight);
        y += titleHeight + 2;
        const int plotHeight = std::max(14 * line, contentWidth * 9 / 20);
        place(DetailsId::Plot, 0, margin, y, contentWidth, plotHeight);
        y += plotHeight + 6;
        const int swatch = line - 2;
        int nameWidth = width(texts::columnPhase);
        int timeWidth = width(texts::columnTime);
        int pulsesWidth = width(texts::columnPulses);
        for (const report::FigureRow& f : d.plot->rows) {
            nameWidth = std::max(nameWidth, boldWidth(f.name));
            timeWidth = std::max(timeWidth, width(f.time));
            pulsesWidth = std::max(pulsesWidth, width(f.pulses));
        }
        const auto phaseRow = [&](DetailsId name, DetailsId time, DetailsId pulses, DetailsId detail, int row) {
            int x = margin + swatch + 6;
            place(name, row, x, y, nameWidth, rowHeight);
            x += nameWidth + columnGap;
            place(time, row, x, y, timeWidth, rowHeight);
            x += timeWidth + columnGap;
            place(pulses, row, x, y, pulsesWidth, rowHeight);
            x += pulsesWidth + columnGap;
            place(detail, row, x, y, std::max(line, margin + contentWidth - x), rowHeight);
            y += rowHeight;
        };
        phaseRow(DetailsId::PhaseColumn, DetailsId::PhaseTimeColumn, DetailsId::PhasePulsesColumn,
                 DetailsId::PhaseDetailColumn, 0);
        for (int row = 0; row < static_cast<int>(d.plot->rows.size()) && row < phaseRows; ++row) {
            place(DetailsId::PhaseSwatch, row, margin, y + (rowHeight - swatch) / 2, swatch, swatch);
            phaseRow(DetailsId::PhaseName, DetailsId::PhaseTime, DetailsId::PhasePulses, DetailsId::PhaseDetail, row);
        }
        y += 4;
    }
    if (d.calculated && !d.plotNote.empty()) {
        const int h = std::max(rowHeight, wrappedHeight(dc, d.plotNote, contentWidth));
        place(DetailsId::PlotNote, 0, margin, y, contentWidth, h);
        y += h;
    }

    // The buttons' row: save and what became of the last copy or save, close at the right.
    y += sectionGap / 2;
    const int saveWidth = plotted ? buttonWidth(texts::saveButton) : 0;
    const int closeWidth = buttonWidth(texts::closeButton);
    place(DetailsId::Save, 0, margin, y, saveWidth, buttonHeight);
    const int statusX = margin + (plotted ? saveWidth + columnGap : 0);
    const int statusWidth = std::max(line, contentWidth - closeWidth - columnGap - (statusX - margin));
    const int statusHeight = std::max(rowHeight, wrappedHeight(dc, currentStatus_, statusWidth));
    place(DetailsId::Status, 0, statusX, y + std::max(0, (buttonHeight - statusHeight) / 2), statusWidth,
          statusHeight);
    place(DetailsId::Close, 0, margin + contentWidth - closeWidth, y, closeWidth, buttonHeight);
    y += std::max(buttonHeight, statusHeight);
    place(DetailsId::Heading, 0, margin, headingY, contentWidth, rowHeight);

    // The window fits its content; it keeps its place on the screen.
    RECT frame{0, 0, contentWidth + 2 * margin, y + margin};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE)));
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

void DetailsWindow::onCommand(int identifier)
{
    switch (identifier) {
    case IDCANCEL: // Esc, through the dialog keys
        DestroyWindow(window_);
        return;
    case static_cast<int>(DetailsId::Copy):
        copyRegisters();
        return;
    case static_cast<int>(DetailsId::Save):
        savePlot();
        return;
    default:
        return; // Enter where no button has the focus does nothing
    }
}

void DetailsWindow::onActivate(bool active)
{
    // As a dialog does: the focus comes back to where it was when the window is active again.
    if (!active) {
        const HWND focus = GetFocus();
        lastFocus_ = focus != nullptr && IsChild(window_, focus) ? focus : nullptr;
        return;
    }
    HWND target = lastFocus_;
    if (target == nullptr || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
        target = GetNextDlgTabItem(window_, nullptr, FALSE);
    }
    if (target != nullptr) {
        SetFocus(target);
    }
}

LRESULT DetailsWindow::onControlColour(HDC dc, HWND control)
{
    const int identifier = GetDlgCtrlID(control);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (inColumn(identifier, DetailsId::PhaseSwatch, phaseRows)) {
        const std::size_t row = static_cast<std::size_t>(identifier - toInt(DetailsId::PhaseSwatch));
        if (details_.plot && row < details_.plot->rows.size() && details_.plot->rows[row].phase) {
            return reinterpret_cast<LRESULT>(phaseBrushes_[static_cast<std::size_t>(*details_.plot->rows[row].phase)].get());
        }
    } else if (inColumn(identifier, DetailsId::PhaseName, phaseRows) ||
               inColumn(identifier, DetailsId::PhaseDetail, phaseRows)) {
        const bool name = inColumn(identifier, DetailsId::PhaseName, phaseRows);
        const std::size_t row =
            static_cast<std::size_t>(identifier - toInt(name ? DetailsId::PhaseName : DetailsId::PhaseDetail));
        if (details_.plot && row < details_.plot->rows.size()) {
            const auto& phase = details_.plot->rows[row].phase;
            if (name && phase) {
                SetTextColor(dc, phaseInk(*phase));
            } else if (!name && !phase) {
                SetTextColor(dc, decelMarkColour());
            }
        }
    } else if (inColumn(identifier, DetailsId::Finding, findingRows) ||
               inColumn(identifier, DetailsId::FindingMark, findingRows) ||
               inColumn(identifier, DetailsId::QuantityMark, quantityRows)) {
        SetTextColor(dc, warningInk);
    } else if (inColumn(identifier, DetailsId::RegisterInteger, registerRows)) {
        // An integer that cannot be written as it stands, as its finding says.
        const std::size_t row = static_cast<std::size_t>(identifier - toInt(DetailsId::RegisterInteger));
        if (row < details_.registers.size() && details_.registers[row].hasFinding) {
            SetTextColor(dc, warningInk);
        }
    } else {
        // A marked quantity is red across its row.
        for (const DetailsId column : {DetailsId::QuantityLabel, DetailsId::QuantityRequested, DetailsId::QuantityReal,
                                       DetailsId::QuantityDeviation}) {
            if (inColumn(identifier, column, quantityRows)) {
                const std::size_t row = static_cast<std::size_t>(identifier - toInt(column));
                if (row < details_.realDrive.size() && details_.realDrive[row].marked) {
                    SetTextColor(dc, warningInk);
                }
            }
        }
    }
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void DetailsWindow::onDrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.CtlID != static_cast<UINT>(toInt(DetailsId::Plot)) || !details_.plot) {
        return;
    }
    // Drawn off the screen first, so that a new state does not flicker.
    const RECT& area = item.rcItem;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const MemoryContext memory(item.hDC);
    const BitmapHandle bitmap(CreateCompatibleBitmap(item.hDC, width, height));
    if (memory.dc() == nullptr || bitmap.get() == nullptr) {
        return;
    }
    const Selection useBitmap(memory.dc(), bitmap.get());
    const RECT local{0, 0, width, height};
    paintPlot(memory.dc(), local, *details_.plot, {font_, boldFont_.get(), verticalFont_.get()});
    BitBlt(item.hDC, area.left, area.top, width, height, memory.dc(), 0, 0, SRCCOPY);
}

void DetailsWindow::copyRegisters()
{
    // A failed copy clears the line rather than claim a copy.
    setStatus(putOnClipboard(window_, details_.clipboardText) ? texts::copied : std::string_view());
}

void DetailsWindow::savePlot()
{
    // The plot the user sees now, whatever the main dialog does while the file is chosen.
    const report::Details shown = details_;
    if (!shown.plot) {
        return;
    }
    std::wstring file(32768, L'\0');
    const std::wstring filter = io::toWide(texts::saveFilterSvg) + L'\0' + L"*.svg" + L'\0';
    const std::wstring title = io::toWide(texts::saveTitle);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = L"svg";
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog) || window_ == nullptr) {
        return; // cancelled, or the window went while the file was chosen
    }
    file.resize(file.find(L'\0'));
    const std::string path = io::toUtf8(file);
    // A name that UTF-8 cannot carry (a lone surrogate) would name another file: nothing is written.
    if (io::toWide(path) != file) {
        setStatus(report::detailsSaveNote(path, io::FileWriteError::CannotCreate));
        return;
    }
    setStatus(report::saveDetailsPlotSvg(shown, path));
}

void DetailsWindow::setStatus(std::string_view text)
{
    currentStatus_ = std::string(text);
    setPart(DetailsId::Status, 0, text, !text.empty());
    layOut(); // a long line (a deep folder's name) wraps and takes more room
}

} // namespace veldronix::win32
