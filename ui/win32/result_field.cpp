#include "ui/win32/result_field.h"

#include "io/wide_text.h"
#include "ui/win32/gdi_handles.h"
#include "ui/win32/text_metrics.h"

#include <commctrl.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

namespace veldronix::win32 {
namespace {

constexpr UINT_PTR figureSubclass = 0x5646; // one subclass of ours per field

HFONT fontOf(HWND field)
{
    const auto font = reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0));
    return font != nullptr ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

// A field's font and the same face at the smaller sizes the rule asks for, in
// whole pixels; the smaller ones are made for one drawing or measuring only.
class FieldFonts {
public:
    FieldFonts(HDC dc, HFONT font) : base_(font)
    {
        GetObjectW(font, sizeof face_, &face_);
        if (face_.lfHeight == 0) {
            // The font's default height: its character height, as a negative height names it.
            const Selection use(dc, font);
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc, &metrics);
            face_.lfHeight = -(metrics.tmHeight - metrics.tmInternalLeading);
        }
        size_ = std::abs(face_.lfHeight);
    }

    // The font's size in pixels (its character or its cell height, as its LOGFONT gives it).
    double size() const { return size_; }

    HFONT at(double size)
    {
        const int height = std::max(1, static_cast<int>(std::lround(size)));
        if (height == size_) {
            return base_;
        }
        auto found = made_.find(height);
        if (found == made_.end()) {
            LOGFONTW face = face_;
            face.lfHeight = face_.lfHeight < 0 ? -height : height;
            face.lfWidth = 0;
            found = made_.emplace(height, FontHandle(CreateFontIndirectW(&face))).first;
        }
        return found->second.get() != nullptr ? found->second.get() : base_;
    }

private:
    HFONT base_;
    LOGFONTW face_{};
    int size_ = 0;
    std::map<int, FontHandle> made_;
};

report::ResultFieldText fit(HWND field, HDC dc, FieldFonts& fonts)
{
    RECT client{};
    GetClientRect(field, &client);
    const auto width = [dc, &fonts](std::string_view text, double size) {
        const Selection use(dc, fonts.at(size));
        const std::wstring wide = io::toWide(text);
        SIZE extent{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
        return static_cast<double>(extent.cx);
    };
    return report::resultFieldText(io::toUtf8(wideText(field)), client.right - client.left, fonts.size(), width);
}

UINT alignmentOf(HWND field)
{
    switch (GetWindowLongW(field, GWL_STYLE) & SS_TYPEMASK) {
    case SS_RIGHT:
        return DT_RIGHT;
    case SS_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

// As the static draws itself: the background and the text colour the dialog
// gives it, the text at the top of the field; a smaller size keeps the line's baseline.
void draw(HWND field, HDC dc)
{
    RECT client{};
    GetClientRect(field, &client);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(field), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(field)));
    if (brush == nullptr) {
        brush = GetSysColorBrush(COLOR_BTNFACE);
    }
    FillRect(dc, &client, brush);
    if (!IsWindowEnabled(field)) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    FieldFonts fonts(dc, fontOf(field));
    const report::ResultFieldText shown = fit(field, dc, fonts);
    if (shown.shown.empty()) {
        return;
    }
    TEXTMETRICW full{};
    {
        const Selection use(dc, fonts.at(fonts.size()));
        GetTextMetricsW(dc, &full);
    }
    const Selection use(dc, fonts.at(fonts.size() * shown.scale));
    TEXTMETRICW scaled{};
    GetTextMetricsW(dc, &scaled);
    RECT room = client;
    room.top += full.tmAscent - scaled.tmAscent;
    SetBkMode(dc, TRANSPARENT);
    const std::wstring text = io::toWide(shown.shown);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &room,
              alignmentOf(field) | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

LRESULT CALLBACK figureProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_PAINT: {
        const PaintContext paint(field);
        draw(field, paint.dc());
        return 0;
    }
    case WM_PRINTCLIENT:
        draw(field, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT fills the whole field
    case WM_SETTEXT: {
        // The static would draw the new text at once in its own way: the text is
        // set as every window's is, and drawn by the rule at the next WM_PAINT.
        const LRESULT set = DefWindowProcW(field, message, wParam, lParam);
        InvalidateRect(field, nullptr, TRUE);
        return set;
    }
    case WM_ENABLE:
        InvalidateRect(field, nullptr, TRUE);
        return DefSubclassProc(field, message, wParam, lParam);
    case WM_NCDESTROY:
        RemoveWindowSubclass(field, figureProc, figureSubclass);
        return DefSubclassProc(field, message, wParam, lParam);
    default:
        return DefSubclassProc(field, message, wParam, lParam);
    }
}

} // namespace

void drawFiguresByRule(HWND dialog, std::span<const ControlId> fields)
{
    for (const ControlId id : fields) {
        const HWND field = GetDlgItem(dialog, toInt(id));
        if (field != nullptr && report::showsOneFigure(id)) {
            SetWindowSubclass(field, figureProc, figureSubclass, 0);
            InvalidateRect(field, nullptr, TRUE);
        }
    }
}

report::ResultFieldText fittedText(HWND field)
{
    const WindowContext context(field);
    FieldFonts fonts(context.dc(), fontOf(field));
    return fit(field, context.dc(), fonts);
}

} // namespace veldronix::win32
