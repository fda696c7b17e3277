// A section's form on the details page: each choice a drop-down list and each
// field an edit between its label and its unit, a finding under it. The edits
// and lists of the layout before are kept, their texts set only where the form
// holds another, so that the caret and the focus stay where the user has them.
#include "ui/win32/details_page.h"

#include "io/wide_text.h"
#include "ui/win32/text_metrics.h"

#include <algorithm>

namespace veldronix::win32 {
namespace {

constexpr int partGap = 6; // between a form's rows, and between a label and its field, at 96 DPI
constexpr const wchar_t* fieldSample = L"0000000000000"; // the width a field is made for

std::string windowText(HWND control)
{
    const int length = GetWindowTextLengthW(control);
    std::wstring text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, L'\0');
    const int copied = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    return io::toUtf8(std::wstring_view(text.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0));
}

std::string joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items) {
        text += item + '\n';
    }
    return text;
}

} // namespace

int DetailsPage::unitWidth(std::string_view unit) const
{
    return static_cast<int>(measured(page_, font_, unit, 1000).cx) + dpi_.px(2);
}

DetailsPage::Part DetailsPage::keptOrNew(KeptControls& kept, const std::string& form, DetailsId id,
                                         const std::string& key, const wchar_t* windowClass, DWORD style)
{
    const auto found = kept.find(std::make_tuple(form, id, key));
    if (found != kept.end()) {
        Part part = std::move(found->second);
        kept.erase(found);
        return part;
    }
    Part part;
    part.window = addControl(windowClass, id, style, {});
    part.id = id;
    part.form = form;
    part.key = key;
    return part;
}

void DetailsPage::addForm(const report::DetailsForm& form, KeptControls& kept)
{
    // The labels' column as wide as the widest label, the fields' as a long number.
    int labelWidth = 1;
    for (const report::FormChoice& choice : form.choices) {
        labelWidth = std::max(labelWidth, static_cast<int>(measured(page_, font_, choice.label, 1000).cx));
    }
    for (const report::FormField& field : form.fields) {
        labelWidth = std::max(labelWidth, static_cast<int>(measured(page_, font_, field.label, 1000).cx));
    }
    labelWidth += dpi_.px(2); // what the static's own drawing may take beyond the measure
    const int gap = dpi_.px(partGap);
    const int fieldWidth = static_cast<int>(measured(page_, font_, io::toUtf8(fieldSample), 1000).cx) + dpi_.px(8);
    const int fieldX = 2 * gap; // from the labels' column's right edge
    const int choiceWidth = fieldWidth + systemMetric(SM_CXVSCROLL, dpi_);
    int besideLabels = fieldX + (form.choices.empty() ? fieldWidth : choiceWidth);
    for (const report::FormField& field : form.fields) {
        if (!field.unit.empty()) {
            besideLabels = std::max(besideLabels, fieldX + fieldWidth + gap + unitWidth(field.unit));
        }
    }
    const auto formPart = [&](Part& part, int x, bool afterLabels) {
        part.x = x;
        part.labelColumn = labelWidth;
        part.besideLabels = besideLabels;
        part.afterLabels = afterLabels;
    };
    const auto addLabel = [&](std::string_view text, int x, bool beside) {
        addStatic(DetailsId::FormLabel, text, false, false, gap);
        Part& label = parts_.back();
        formPart(label, x, beside);
        label.beside = beside;
        // A unit as wide as its text; a label as its column, where its text wraps.
        label.fixedWidth = beside ? unitWidth(text) : labelWidth;
    };
    for (const report::FormChoice& choice : form.choices) {
        addLabel(choice.label, 0, false);
        Part list = keptOrNew(kept, form.name, DetailsId::FormChoice, choice.key, L"ComboBox",
                              WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
        const std::string items = joined(choice.items);
        if (list.text != items) {
            SendMessageW(list.window, CB_RESETCONTENT, 0, 0);
            for (const std::string& item : choice.items) {
                SendMessageW(list.window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(io::toWide(item).c_str()));
            }
            list.text = items;
        }
        if (SendMessageW(list.window, CB_GETCURSEL, 0, 0) != choice.selected) {
            SendMessageW(list.window, CB_SETCURSEL, static_cast<WPARAM>(choice.selected), 0);
        }
        formPart(list, fieldX, true);
        list.beside = true;
        list.fixedWidth = choiceWidth;
        parts_.push_back(std::move(list));
    }
    for (const report::FormField& field : form.fields) {
        addLabel(field.label, 0, false);
        Part edit = keptOrNew(kept, form.name, DetailsId::FormField, field.key, L"Edit",
                              WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_RIGHT);
        if (windowText(edit.window) != field.text) {
            settingText_ = true; // the page's own text is no edit of the user's
            SetWindowTextW(edit.window, io::toWide(field.text).c_str());
            settingText_ = false;
        }
        EnableWindow(edit.window, field.used);
        edit.enterCommand = field.enterCommand;
        formPart(edit, fieldX, true);
        edit.beside = true;
        edit.fixedWidth = fieldWidth;
        parts_.push_back(std::move(edit));
        if (!field.unit.empty()) {
            addLabel(field.unit, fieldX + fieldWidth + gap, true);
        }
        if (!field.finding.empty()) {
            addStatic(DetailsId::Line, field.finding, false, field.findingWarning, dpi_.px(2));
        }
    }
}

std::string DetailsPage::Form::fieldText(std::string_view key)
{
    for (const Part& part : page_.parts_) {
        if (part.id == DetailsId::FormField && part.form == form_ && part.key == key) {
            return windowText(part.window);
        }
    }
    return {};
}

int DetailsPage::Form::selectedIndex(std::string_view key)
{
    for (const Part& part : page_.parts_) {
        if (part.id == DetailsId::FormChoice && part.form == form_ && part.key == key) {
            return static_cast<int>(SendMessageW(part.window, CB_GETCURSEL, 0, 0));
        }
    }
    return -1;
}

} // namespace veldronix::win32
