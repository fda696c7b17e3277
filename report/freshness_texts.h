#pragma once

#include <string_view>

namespace veldronix::report {

// Why a result field is drawn grey: the tooltip of a field that no longer
// belongs to the calculation the controller holds (ResultFreshness).
struct FreshnessTexts {
    std::string_view valuesStale;     // the summary and the value fields after a failed 決定
    std::string_view decelPointStale; // マニュアル減速点 not computed by 算出 from the values shown
};

inline constexpr FreshnessTexts japaneseFreshnessTexts{
    .valuesStale = "決定が失敗したため、この値は前回の計算のもので、今の入力情報には対応していません。",
    .decelPointStale =
        "このマニュアル減速点は、表示中の設定値から算出したものではありません。出力パルス数を入力し、算出ボタンを押してください。",
};

// The tooltip of a stale result field: マニュアル減速点's or a value field's.
constexpr std::string_view staleFieldNote(bool decelPoint, const FreshnessTexts& texts = japaneseFreshnessTexts)
{
    return decelPoint ? texts.decelPointStale : texts.valuesStale;
}

} // namespace veldronix::report
