#pragma once

#include "controller/command_failure.h"
#include "controller/control_id.h"

#include <string_view>
#include <vector>

namespace veldronix::report {

// The notes a dialog shows on a result field (as its tooltip or accessible
// description) that no longer belongs to the calculation the controller holds.
struct StaleResultTexts {
    std::string_view values;     // the summary and the value fields after a failed 決定
    std::string_view decelPoint; // マニュアル減速点 not computed from the values shown
};

inline constexpr StaleResultTexts staleResultTexts{
    .values = "決定が失敗したため、この表示は前回の計算の結果です。今の入力から求めた値ではありません。",
    .decelPoint = "このマニュアル減速点は、表示中の設定値から算出したものではありません。算出ボタンを押すと求め直します。",
};

// A result field that no longer belongs to the calculation held, with its note.
struct StaleResult {
    ControlId control = ControlId::IDC_STATIC;
    std::string_view note;

    friend bool operator==(const StaleResult&, const StaleResult&) = default;
};

// The result fields to grey, in the dialog's order (the summary, the value
// fields in register order, マニュアル減速点); none when all results are current.
std::vector<StaleResult> staleResults(const ResultFreshness& freshness);

} // namespace veldronix::report
