#include "report/stale_results.h"

#include "core/setting_register.h"

namespace veldronix::report {

std::vector<StaleResult> staleResults(const ResultFreshness& freshness)
{
    std::vector<StaleResult> stale;
    if (freshness.valuesStale) {
        stale.push_back({ControlId::IDC_SUMMARY, staleResultTexts.values});
        for (const RegisterDescription& setting : settingRegisters) {
            stale.push_back({valueField(setting.id), staleResultTexts.values});
        }
    }
    if (freshness.decelPointStale) {
        stale.push_back({ControlId::IDC_DECEL_POINT, staleResultTexts.decelPoint});
    }
    return stale;
}

} // namespace veldronix::report
