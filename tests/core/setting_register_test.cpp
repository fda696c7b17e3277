// The register description is the one list the texts, the controller and the
// outputs iterate, so it must agree with what the formulas give each drive type.
#include "core/setting_register.h"
#include "core/setting_texts.h"
#include "core/setting_values.h"

#include <gtest/gtest.h>

namespace veldronix {
namespace {

TEST(SettingRegisters, EachDriveTypeHasExactlyTheRegistersItUses)
{
    struct Case {
        DriveType type;
        const char* used; // the names of the fields with a value, in the dialog's order
    };
    const Case cases[] = {
        {DriveType::SymmetricTrapezoid, "R A SV V"},
        {DriveType::SymmetricSCurve, "R A SV V K AO"},
        {DriveType::AsymmetricTrapezoid, "R A SV V D"},
        {DriveType::AsymmetricSCurve, "R A SV V K AO D L"},
        {DriveType::None, "R SV V"},
    };
    for (const Case& c : cases) {
        const DriveInput input{100.0, 10000.0, 0.2, 0.3, c.type};
        const SettingValues values = computeSettingValues(input, 2.0);
        const SettingTexts texts = formatSettingTexts(values);
        std::string fromTable;
        std::string fromValues;
        for (const RegisterDescription& entry : settingRegisters) {
            if (usesRegister(c.type, entry.id)) {
                fromTable += (fromTable.empty() ? "" : " ") + std::string(entry.name);
            }
            if (values.registers[entry.id]) {
                fromValues += (fromValues.empty() ? "" : " ") + std::string(entry.name);
            }
            EXPECT_EQ(texts.registers[entry.id].empty(), !values.registers[entry.id]) << entry.name;
        }
        EXPECT_EQ(fromTable, c.used);
        EXPECT_EQ(fromValues, c.used);
    }
}

TEST(SettingRegisters, TextsFollowEachRegistersFormat)
{
    // Type 3 at x2: R = 8,000,000 / 2; K = 62,500,000 / 990,000 x 2 (990,000 = 9900 x 4 / 0.2^2).
    const SettingTexts texts = formatSettingTexts(computeSettingValues({100.0, 10000.0, 0.2, 0.3, DriveType::AsymmetricSCurve}, 2.0));
    const std::pair<SettingRegister, const char*> expected[] = {
        {SettingRegister::R, "4000000 "}, {SettingRegister::A, "8000.000 "}, {SettingRegister::SV, "50.000 "},
        {SettingRegister::V, "5000.000 "}, {SettingRegister::K, "126.263 "}, {SettingRegister::AO, "0.000"},
        {SettingRegister::D, "8000.000"},  {SettingRegister::L, "284.091"},
    };
    for (const auto& [setting, text] : expected) {
        EXPECT_EQ(texts.registers[setting], text) << describe(setting).name;
    }
    EXPECT_EQ(describe(SettingRegister::SV).maximum, 8000.0);
    EXPECT_EQ(describe(SettingRegister::K).maximum, std::nullopt);
}

} // namespace
} // namespace veldronix
