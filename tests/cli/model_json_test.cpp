// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/model_json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace quibel;

namespace {

// The JSON of model, failing the test where one of the expected pieces is missing.
void expectPieces(const TBlocStatic& model, std::initializer_list<const char*> pieces) {
    const std::string json = cli::modelToJson(model, {1, 0, 3, 1});
    for (const char* piece : pieces)
        EXPECT_NE(json.find(piece), std::string::npos) << piece << "\nin " << json;
}

} // namespace

TEST(ModelJsonTest, NumbersAreTheShortestTextThatReadsBack) {
    TBlocStatic m = startupModel();
    TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
    h.Source = HistorySource::Sampled;
    h.Times = TVector(4);
    h.Times->set(1, 0.0001);
    h.Times->set(2, 20);
    h.Times->set(3, 0.1 + 0.2);
    h.Times->set(4, -1e100);
    h.Values.reset();
    h.Scale = std::nan("");
    h.Offset = -std::numeric_limits<double>::infinity();
    expectPieces(m, {
                        "\"Times\":[1e-04,20,0.30000000000000004,-1e+100],\"Values\":null,",
                        "\"Scale\":\"NaN\",\"Offset\":\"-Infinity\",",
                        "\"Options\":{\"Gravity\":9.807,\"TimeStep\":1e-04,\"SaveStep\":0.01,"
                        "\"NewmarkBeta\":0,",
                    });
}

TEST(ModelJsonTest, KeysFollowTheRecordAndTextsAreEscaped) {
    TBlocStatic m = startupModel();
    m.history(HistoryKind::VerticalAcceleration).Title = "say \"hi\"\n\tto Montréal\\";
    m.Masses.Items = {{1.5, 2, 3, 0}};
    m.Forces.Items.clear();
    const std::string json = cli::modelToJson(m, {1, 0, 1, 1});
    EXPECT_EQ(json.rfind("{\"FileVersion\":[1,0,1,1],\"AnalysisKind\":0,\"ModelFlags\":", 0), 0u)
        << json;
    EXPECT_NE(json.find(",\"UnitSystem\":1,\"H\":20,\"Hd\":30,"), std::string::npos) << json;
    EXPECT_NE(json.find(",\"Im\":15473.2,\"T\":1,\"Options\":{"), std::string::npos) << json;
    EXPECT_NE(json.find(",\"DebugFile\":0,\"VerticalAcceleration\":0},\"Histories\":[{"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"Title\":\"say \\\"hi\\\"\\n\\tto Montréal\\\\\""), std::string::npos)
        << json;
    EXPECT_NE(json.find("\"Masses\":[{\"X\":1.5,\"Y\":2,\"Mass\":3,\"Inertia\":0}],\"Forces\":[]}"),
              std::string::npos)
        << json;
}
