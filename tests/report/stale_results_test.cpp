// Which result fields a dialog greys, from the controller's freshness.
#include "report/stale_results.h"

#include <gtest/gtest.h>

namespace veldronix::report {
namespace {

std::vector<ControlId> controlsOf(const std::vector<StaleResult>& stale)
{
    std::vector<ControlId> controls;
    for (const StaleResult& result : stale) {
        controls.push_back(result.control);
    }
    return controls;
}

TEST(StaleResults, eachFreshnessGreysItsFieldsInTheDialogsOrder)
{
    using enum ControlId;
    const std::vector<ControlId> values = {IDC_SUMMARY, IDC_OUT_R, IDC_OUT_A, IDC_OUT_SV, IDC_OUT_V,
                                           IDC_OUT_K,   IDC_OUT_AO, IDC_OUT_D, IDC_OUT_L};
    std::vector<ControlId> both = values;
    both.push_back(IDC_DECEL_POINT);
    const struct {
        ResultFreshness freshness;
        std::vector<ControlId> expected;
    } cases[] = {
        {{false, false}, {}},
        {{true, false}, values},
        {{false, true}, {IDC_DECEL_POINT}},
        {{true, true}, both},
    };
    for (const auto& c : cases) {
        const std::vector<StaleResult> stale = staleResults(c.freshness);
        EXPECT_EQ(controlsOf(stale), c.expected);
        for (const StaleResult& result : stale) {
            EXPECT_EQ(result.note, result.control == IDC_DECEL_POINT ? staleResultTexts.decelPoint
                                                                     : staleResultTexts.values);
        }
    }
}

} // namespace
} // namespace veldronix::report
