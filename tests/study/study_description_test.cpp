// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/error.h"
#include "study/study_description.h"
#include "study/study_plan.h"
#include "study/threshold_units.h"

#include <gtest/gtest.h>

#include <string>

namespace quibel::study {
namespace {

constexpr const char* kStudy = R"(project = "dam.qbl"

[intensity]
measure = "sa"
period = 0.3
levels = [0.1, 0.2, 0.3, 0.4, 0.5]

[[records]]
name = "elc"
file = "records/elc.AT2"

[[records]]
workbook = "/data/Earthquakes - horizontal.xls"
sheet = "Dam sites"
record = "Pacoima"
component = "vertical"

[parameters]
PhiS = 40
PhiD = { distribution = "normal", mean = 35, sd = 2, lower = 30 }
Hr = { distribution = "uniform", min = 20, max = 28 }

[sampling]
count = 20
seed = 7

[[limits]]
response = "residual_sliding"
above = "5 cm"

[[limits]]
name = "tilt"
response = "peak_rotation"
above = "0.01 rad"

[[limits]]
response = "min_sliding_sf"
below = 1
)";

TEST(StudyDescriptionTest, ReadsEveryPartOfAStudy) {
    const StudyDescription s = ReadStudyDescription(kStudy, "/studies/a");
    EXPECT_EQ(s.project, "/studies/a/dam.qbl");
    ASSERT_EQ(s.records.size(), 2u);
    EXPECT_EQ(s.records[0].name, "elc");
    EXPECT_EQ(s.records[0].file, "/studies/a/records/elc.AT2");
    EXPECT_EQ(s.records[0].component, RecordComponent::Horizontal);
    EXPECT_EQ(s.records[1].name, "r2");
    EXPECT_EQ(s.records[1].workbook, "/data/Earthquakes - horizontal.xls");
    EXPECT_EQ(s.records[1].component, RecordComponent::Vertical);
    EXPECT_EQ(s.intensity.kind, IntensityKind::Sa);
    EXPECT_DOUBLE_EQ(s.intensity.period, 0.3);
    EXPECT_DOUBLE_EQ(s.intensity.damping, 0.05);
    EXPECT_EQ(s.intensity.levels.size(), 5u);
    ASSERT_EQ(s.parameters.size(), 3u);
    EXPECT_EQ(s.parameters[0].kind, StudyParameter::Kind::Fixed);
    EXPECT_EQ(s.parameters[1].distribution, Distribution::Normal);
    EXPECT_EQ(s.parameters[1].lower, 30.0);
    EXPECT_FALSE(s.parameters[1].upper);
    EXPECT_EQ(s.samples, 20);
    EXPECT_EQ(s.seed, 7u);
    ASSERT_EQ(s.limits.size(), 3u);
    EXPECT_DOUBLE_EQ(s.limits[0].threshold, 0.05);
    EXPECT_EQ(s.limits[0].name, "residual_sliding");
    EXPECT_EQ(s.limits[1].name, "tilt");
    EXPECT_FALSE(s.limits[2].above);
    EXPECT_DOUBLE_EQ(s.limits[2].threshold, 1.0);
}

TEST(StudyDescriptionTest, TwoRecordsFiveLevelsTwentySetsMakeTwoHundredCases) {
    const StudyPlan plan = PlanStudy(ReadStudyDescription(kStudy, "/studies/a"));
    ASSERT_EQ(plan.sets.size(), 20u);
    ASSERT_EQ(plan.cases.size(), 200u);
    EXPECT_EQ(plan.cases.front().name, "elc-L1-S01");
    EXPECT_EQ(plan.cases[21].name, "elc-L2-S02");
    EXPECT_EQ(plan.cases.back().name, "r2-L5-S20");
    for (const auto& set : plan.sets) {
        EXPECT_EQ(set[0], 40.0);
        EXPECT_GE(set[1], 30.0);
        EXPECT_GE(set[2], 20.0);
        EXPECT_LE(set[2], 28.0);
    }
}

// Each bad study is refused with its problem and the line it is on.
TEST(StudyDescriptionTest, RefusesBadStudiesNamingTheLine) {
    const std::string head = "project = \"dam.qbl\"\n[intensity]\nmeasure = \"pga\"\n";
    const std::string levels = "levels = [0.1, 0.2]\n";
    const std::string record = "[[records]]\nfile = \"a.AT2\"\n";
    const std::string limit = "[[limits]]\nresponse = \"residual_sliding\"\nabove = \"5 cm\"\n";
    struct Case {
        std::string text, key, line;
    };
    const Case cases[] = {
        {head + levels + record + limit + "colour = 3\n", "study.unknown_key", "10"},
        {"colour = 3\n" + head + levels + record + limit, "study.unknown_key", "1"},
        {head + levels + "[[records]]\nfile = \"a.AT2\"\nformt = \"at2\"\n" + limit,
         "study.unknown_key", "7"},
        {head + levels + limit, "study.empty_suite", "1"},
        {"project = \"dam.qbl\"\nrecords = []\n[intensity]\nmeasure = \"pga\"\n" + levels + limit,
         "study.empty_suite", "2"},
        {head + "levels = [0.1,\n -0.2]\n" + record + limit, "study.level_not_positive", "5"},
        {head + "levels = []\n" + record + limit, "study.empty_list", "4"},
        {head + levels + record + "[[limits]]\nresponse = \"residual_sliding\"\nabove = 0.05\n",
         "study.limit_unit", "9"},
        {head + levels + record + "[[limits]]\nresponse = \"peak_rotation\"\nabove = \"1 m\"\n",
         "study.bad_unit", "9"},
        {head + levels + record + "[[limits]]\nresponse = \"min_sliding_sf\"\nbelow = \"1 m\"\n",
         "study.factor_unit", "9"},
        {head + levels + record + "[[limits]]\nresponse = \"speed\"\nabove = 1\n",
         "study.bad_response", "8"},
        {head + levels + record, "study.no_limits", "1"},
        {head + levels + record + limit +
             "[parameters]\nPhiD = { distribution = \"normal\", "
             "mean = 30, sd = 2 }\n",
         "study.needs_sampling", "1"},
        {head + levels + record + limit +
             "[parameters]\nPhiD = { distribution = \"normal\", "
             "mean = 30, sd = 0 }\n[sampling]\ncount = 2\n",
         "study.bad_distribution_values", "11"},
        {head + levels + "[[records]]\nfile = \"a\"\nworkbook = \"b\"\n" + limit,
         "study.record_source", "5"},
        {"project = \"dam.qbl\n", "study.syntax", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ReadStudyDescription(c.text, "/s");
            ADD_FAILURE() << "accepted";
        } catch (const Error& e) {
            EXPECT_EQ(e.message().key, c.key);
            ASSERT_FALSE(e.message().args.empty());
            EXPECT_EQ(e.message().args[0], c.line);
        }
    }
}

TEST(ThresholdUnitsTest, ConvertsEachUnitToMetresOrRadians) {
    struct Case {
        ResponseKind response;
        const char* text;
        double value;
    };
    const Case cases[] = {
        {ResponseKind::ResidualSliding, "0.05 m", 0.05},
        {ResponseKind::ResidualSliding, "50mm", 0.05},
        {ResponseKind::PeakSliding, "2 in", 0.0508},
        {ResponseKind::PeakSliding, "1 ft", 0.3048},
        {ResponseKind::PeakRotation, "10 mrad", 0.01},
        {ResponseKind::PeakRotation, "180 deg", 3.14159265358979323846},
        {ResponseKind::MinOverturningSF, "1.5", 1.5},
    };
    for (const Case& c : cases) {
        std::optional<Message> problem;
        const std::optional<double> v = ParseThreshold(c.response, c.text, problem);
        ASSERT_TRUE(v) << c.text;
        EXPECT_NEAR(*v, c.value, 1e-15) << c.text;
    }
}

} // namespace
} // namespace quibel::study
