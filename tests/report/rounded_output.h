// What the rounded-report suites share: a case of pulsecalc --rounded and the
// parameterised test that runs it with and without the option
// (rounded_report_test.cpp), instantiated for plain text and for JSON.
#pragma once

#include "support/program_run.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace veldronix::testing_support {

struct RoundedCase {
    const char* name;
    std::vector<std::string> arguments; // without --rounded
    std::string added;                  // plain: the section after the output; JSON: the member "rounded"
};

inline void PrintTo(const RoundedCase& c, std::ostream* os)
{
    *os << c.name;
}

class RoundedOutput : public testing::TestWithParam<RoundedCase> {};

std::string roundedCaseName(const testing::TestParamInfo<RoundedCase>& info);

} // namespace veldronix::testing_support
