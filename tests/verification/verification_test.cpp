// SPDX-License-Identifier: GPL-3.0-or-later
// The core checks of the verification manual (docs/verification.md): every problem is run in
// this process and compared with its independent solution, within the tolerance the manual
// states. scripts/verify.sh makes the same comparisons on quibel-cli's output, with the full
// period lists and records; these runs are shortened where the manual's are long.
#include "in_process_runs.h"
#include "verification_cases.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace quibel::verification;

namespace quibel::verification {
// Names the problem in gtest's messages.
void PrintTo(const VerificationCase& c, std::ostream* os) {
    *os << c.id;
}
} // namespace quibel::verification

namespace {

class VerificationTest : public ::testing::TestWithParam<VerificationCase> {};

TEST_P(VerificationTest, AgreesWithIndependentSolution) {
    const VerificationCase& c = GetParam();
    const RunResults results = RunInProcess(c.runs(Scope::Tests));
    const CaseReport report = c.evaluate(results, Scope::Tests);
    ASSERT_FALSE(report.checks.empty());
    for (const Check& k : report.checks)
        EXPECT_LE(k.difference, k.tolerance) << k.name;
}

std::string CaseName(const ::testing::TestParamInfo<VerificationCase>& info) {
    std::string name = info.param.id;
    for (char& ch : name)
        if (ch == '-')
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Manual, VerificationTest, ::testing::ValuesIn(AllCases()), CaseName);

} // namespace
