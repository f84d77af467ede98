// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/results_dialog.h"

#include "chart/chart_widget.h"
#include "dialog_test_support.h"
#include "result_models.h"
#include "scripted_prompts.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/user_settings.h"
#include "ui/results/results_csv_export.h"
#include "ui/widgets/application_state.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>

using namespace quibel;
using namespace quibel::test;

namespace {

using S = ResultSeries;

QString labelText(const QDialog& dlg, const char* name) {
    auto* label = child<QLabel>(dlg, name);
    return label ? label->text() : QStringLiteral("<missing>");
}

// 101 samples, 1 s of results at the default 0.01 s save step.
constexpr int kSamples = 101;

} // namespace

TEST(ResultsDialogTest, ZeroSeriesIsDrawnFromMinusOneToOneWithMargins) {
    const TBlocStatic m = resultModel(AnalysisKind::Sliding, kSamples);
    ScriptedPrompts prompts;
    ResultsDialog dlg(m, Language::English, prompts);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Results"));
    EXPECT_EQ(dlg.chart().IdOrdinate(), QStringLiteral("Block sliding displacement (m)"));
    EXPECT_DOUBLE_EQ(dlg.chart().RangeLoY(), -1.1);
    EXPECT_DOUBLE_EQ(dlg.chart().RangeHiY(), 1.1);
    EXPECT_DOUBLE_EQ(dlg.chart().RangeLoX(), 0.0);
    EXPECT_NEAR(dlg.chart().RangeHiX(), 1.0, 1e-12);
    EXPECT_EQ(labelText(dlg, "LabelMax"), QStringLiteral("1.0000E+00"));
    EXPECT_EQ(labelText(dlg, "LabelMin"), QStringLiteral("-1.0000E+00"));
}

// A constant 2 is drawn between min(0, 2.2) and max(0, 2.2), with 5 % of 2.2 on both sides.
TEST(ResultsDialogTest, ConstantSeriesIsDrawnFromZeroToTenPercentAbove) {
    const TBlocStatic m = resultModel(AnalysisKind::Sliding, kSamples,
                                      [](S s, int) { return s == S::SlidingVel ? 2.0 : 0.0; });
    ScriptedPrompts prompts;
    ResultsDialog dlg(m, Language::English, prompts);
    dlg.ListeChange(1);
    EXPECT_NEAR(dlg.chart().RangeLoY(), -0.11, 1e-12);
    EXPECT_NEAR(dlg.chart().RangeHiY(), 2.31, 1e-12);
    EXPECT_EQ(labelText(dlg, "LabelMin"), QStringLiteral("0.0000E+00"));
    EXPECT_EQ(labelText(dlg, "LabelMax"), QStringLiteral("2.2000E+00"));
}

TEST(ResultsDialogTest, ZoomedTimeRangeIsKeptUntilFullView) {
    const TBlocStatic m = resultModel(AnalysisKind::Sliding, kSamples);
    ScriptedPrompts prompts;
    ResultsDialog dlg(m, Language::English, prompts);
    EXPECT_TRUE(dlg.fullView());
    auto* zoom = child<QToolButton>(dlg, "ButtonZoom");
    ASSERT_NE(zoom, nullptr);
    zoom->click();
    EXPECT_EQ(dlg.chart().mouseAction(), MouseAction::ZoomWindow);
    EXPECT_FALSE(dlg.fullView());
    // What a zoom by the mouse leaves behind.
    dlg.chart().setRangeLoX(0.2);
    dlg.chart().setRangeHiX(0.5);
    dlg.ListeChange(2);
    EXPECT_DOUBLE_EQ(dlg.chart().RangeLoX(), 0.2);
    EXPECT_DOUBLE_EQ(dlg.chart().RangeHiX(), 0.5);
    dlg.showFullView();
    EXPECT_DOUBLE_EQ(dlg.chart().RangeLoX(), 0.0);
    EXPECT_NEAR(dlg.chart().RangeHiX(), 1.0, 1e-12);
}

TEST(ResultsDialogTest, OnlyTheResultantPositionShowsThePlaneEdges) {
    struct Case {
        AnalysisKind kind;
        int resultantItem;
    } cases[] = {{AnalysisKind::Rocking, 4}, {AnalysisKind::SlidingAndRocking, 11}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        const TBlocStatic m = resultModel(c.kind, kSamples);
        ScriptedPrompts prompts;
        ResultsDialog dlg(m, Language::English, prompts);
        for (int i = 0; i < static_cast<int>(dlg.items().size()); ++i) {
            dlg.ListeChange(i);
            const CrossHair& one = dlg.chart().crossHair(1);
            const CrossHair& two = dlg.chart().crossHair(2);
            if (i == c.resultantItem) {
                EXPECT_EQ(one.Mode, CrossHairMode::Horizontal);
                EXPECT_EQ(two.Mode, CrossHairMode::Horizontal);
                EXPECT_EQ(one.Color, QColor(Qt::blue));
                EXPECT_EQ(one.LineType, Qt::SolidLine);
                EXPECT_DOUBLE_EQ(one.PosY, 0.0);
                EXPECT_DOUBLE_EQ(two.PosY, 100.0);
            } else {
                EXPECT_EQ(one.Mode, CrossHairMode::Off) << i;
                EXPECT_EQ(two.Mode, CrossHairMode::Off) << i;
            }
        }
    }
}

// Without rotation and on a flat plane the centre of mass moves as the block slides.
TEST(ResultsDialogTest, CentreOfMassFollowsTheSlidingWhenTheBlockDoesNotRock) {
    TBlocStatic m = resultModel(AnalysisKind::SlidingAndRocking, kSamples, [](S s, int k) {
        switch (s) {
        case S::SlidingDisp:
            return 0.001 * k * k;
        case S::SlidingVel:
            return 0.002 * k;
        case S::SlidingAcc:
            return 0.002;
        default:
            return 0.0;
        }
    });
    m.Beta = 0;
    ScriptedPrompts prompts;
    ResultsDialog dlg(m, Language::English, prompts);
    for (int d = 0; d < 3; ++d) {
        dlg.ListeChange(d);
        const std::vector<double> derived = dlg.shownSeries();
        dlg.ListeChange(d + 3);
        EXPECT_EQ(derived, dlg.shownSeries()) << d;
        EXPECT_EQ(derived.size(), static_cast<std::size_t>(kSamples));
    }
}

// Rocking about the heel of the start-up block (centre 5.301 m across and 6.964 m above the
// heel, so R = hypot(5.301, 6.964) and alpha = atan(5.301 / 6.964) from the vertical) without
// sliding: the centre's horizontal velocity is -R theta' cos(alpha - theta).
TEST(ResultsDialogTest, CentreOfMassVelocitySwingsAboutTheHeel) {
    const TBlocStatic m = resultModel(AnalysisKind::SlidingAndRocking, 3, [](S s, int k) {
        if (k == 1)
            return 0.0;
        return s == S::Rotation ? 0.01 : s == S::RotationVel ? 0.2 : 0.0;
    });
    ScriptedPrompts prompts;
    ResultsDialog dlg(m, Language::English, prompts);
    dlg.ListeChange(1);
    const double R = std::hypot(5.301, 6.964), alpha = std::atan(5.301 / 6.964);
    ASSERT_EQ(dlg.shownSeries().size(), 3u);
    EXPECT_DOUBLE_EQ(dlg.shownSeries()[0], 0.0);
    EXPECT_NEAR(dlg.shownSeries()[2], -R * 0.2 * std::cos(alpha - 0.01), 1e-12);
    dlg.ListeChange(0);
    EXPECT_NEAR(dlg.shownSeries()[2], -R * (std::sin(alpha) - std::sin(alpha - 0.01)), 1e-12);
}

TEST(ResultsDialogTest, ListsCarryTheUnitsOfTheProject) {
    const TBlocStatic inch = [] {
        TBlocStatic m = resultModel(AnalysisKind::Sliding, 3);
        m.UnitSystem = UnitSystem::InLbLb;
        return m;
    }();
    ScriptedPrompts prompts;
    ResultsDialog dlg(inch, Language::English, prompts);
    ASSERT_EQ(dlg.items().size(), 13u);
    EXPECT_EQ(dlg.items()[0].label, "Block sliding displacement (in)");
    EXPECT_EQ(dlg.items()[1].label, "Block sliding velocity (in/sec)");
    EXPECT_EQ(dlg.items()[2].label, "Block sliding acceleration (in/sec²)");
    for (int i = 4; i <= 10; ++i)
        EXPECT_TRUE(dlg.items()[static_cast<std::size_t>(i)].label.ends_with("(lb·in)"))
            << dlg.items()[static_cast<std::size_t>(i)].label;

    const std::pair<AnalysisKind, std::size_t> sizes[] = {{AnalysisKind::Rocking, 14},
                                                          {AnalysisKind::SlidingAndRocking, 22}};
    for (const auto& [kind, count] : sizes)
        EXPECT_EQ(ResultsSeriesList(kind, UnitSystem::MKnTon, Language::French).size(), count);
    EXPECT_EQ(
        ResultsSeriesList(AnalysisKind::SlidingAndRocking, UnitSystem::MKnTon, Language::French)[12]
            .label,
        "Énergie sismique absolue (kN·m)");
}

// Each list text names the series plotted under it; the series are written here from the
// texts of the catalogue, so a reordered column list shows up as a mismatch.
TEST(ResultsDialogTest, EachListTextPlotsTheSeriesItNames) {
    using Src = ResultsItemSource;
    const std::vector<S> sliding = {S::SlidingDisp,    S::SlidingVel,       S::SlidingAcc,
                                    S::SlidingSF,      S::AbsInputEnergy,   S::RelInputEnergy,
                                    S::PreseismicWork, S::AbsKineticEnergy, S::RelKineticEnergy,
                                    S::FrictionEnergy, S::PotentialEnergy};
    const std::vector<S> rocking = {S::Rotation,       S::RotationVel,       S::RotationAcc,
                                    S::OverturningSF,  S::ResultantPosition, S::AbsInputEnergy,
                                    S::RelInputEnergy, S::AbsKineticEnergy,  S::RelKineticEnergy,
                                    S::PreseismicWork, S::ImpactEnergy,      S::PotentialEnergy};
    const std::vector<S> coupled = {S::SlidingDisp,      S::SlidingVel,       S::SlidingAcc,
                                    S::Rotation,         S::RotationVel,      S::RotationAcc,
                                    S::SlidingSF,        S::OverturningSF,    S::ResultantPosition,
                                    S::AbsInputEnergy,   S::AbsKineticEnergy, S::RelInputEnergy,
                                    S::RelKineticEnergy, S::PreseismicWork,   S::PotentialEnergy,
                                    S::FrictionEnergy,   S::ImpactEnergy};
    const std::pair<AnalysisKind, const std::vector<S>*> lists[] = {
        {AnalysisKind::Sliding, &sliding},
        {AnalysisKind::Rocking, &rocking},
        {AnalysisKind::SlidingAndRocking, &coupled}};
    for (const auto& [kind, expected] : lists) {
        const std::vector<ResultsListItem> items =
            ResultsSeriesList(kind, UnitSystem::MKnTon, Language::English);
        std::vector<S> series;
        for (const ResultsListItem& item : items)
            if (item.source == Src::Slot)
                series.push_back(item.slot);
        EXPECT_EQ(series, *expected) << static_cast<int>(kind);
        ASSERT_GE(items.size(), 2u);
        EXPECT_EQ(items[items.size() - 2].source, Src::AbsoluteEnergyError);
        EXPECT_EQ(items.back().source, Src::RelativeEnergyError);
    }
}

// The viewer's energy errors divide by the input energy alone: (100 + 10 - 50 - 30 - 20) /
// 100 = 10 % for the sliding run; a sample without input energy gives 0.
TEST(ResultsDialogTest, EnergyErrorsUseTheInputEnergyAsDenominator) {
    const TBlocStatic m = resultModel(AnalysisKind::Sliding, 3, [](S s, int k) {
        if (k == 1)
            return 0.0;
        switch (s) {
        case S::AbsInputEnergy:
            return 100.0;
        case S::RelInputEnergy:
            return 80.0;
        case S::PreseismicWork:
            return 10.0;
        case S::AbsKineticEnergy:
            return 50.0;
        case S::RelKineticEnergy:
            return 44.0;
        case S::FrictionEnergy:
            return 30.0;
        case S::PotentialEnergy:
            return 20.0;
        default:
            return 0.0;
        }
    });
    ScriptedPrompts prompts;
    ResultsDialog dlg(m, Language::English, prompts);
    dlg.ListeChange(11);
    EXPECT_EQ(dlg.shownSeries(), (std::vector<double>{0.0, 10.0, 10.0}));
    dlg.ListeChange(12);
    // (80 + 10 - 44 - 30 - 20) / 80 = -5 %, shown as its size.
    EXPECT_EQ(dlg.shownSeries(), (std::vector<double>{0.0, 5.0, 5.0}));
}

TEST(ResultsDialogTest, MouseReadoutShowsTimeAndValue) {
    const TBlocStatic m = resultModel(AnalysisKind::Sliding, kSamples);
    ScriptedPrompts prompts;
    ResultsDialog dlg(m, Language::French, prompts);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Résultats"));
    emit dlg.chart().mouseMovedInChart(&dlg.chart(), true, Qt::NoModifier, 1.25, -0.0025);
    EXPECT_EQ(labelText(dlg, "LabelTimePos"), QStringLiteral("   1.250"));
    EXPECT_EQ(labelText(dlg, "LabelValuePos"), QStringLiteral("-2.5000e-03"));
    EXPECT_EQ(labelText(dlg, "LabelTime"), QStringLiteral("temps ="));
}

TEST(ResultsCsvTest, SlidingFileHasTheTwoHeaderLinesAndElevenColumns) {
    const TBlocStatic m = resultModel(AnalysisKind::Sliding, 2, [](S s, int k) {
        if (k == 1)
            return 0.0;
        return s == S::SlidingDisp ? 0.0125 : s == S::FrictionEnergy ? -1234.5 : 0.0;
    });
    EXPECT_EQ(ResultsCsv(m, Language::English),
              "\"Units : Length=m / Mass=ton / Force=kN\"\r\n"
              "\"Time\";\"Sliding displacement\";\"Sliding velocity\";\"Sliding "
              "acceleration\";\"Sliding safety factor\";\"Absolute input energy\";\"Relative "
              "input energy\";\"Work done by pre-seismic forces\";\"Absolute kinetic "
              "energy\";\"Relative kinetic energy\";\"Energy dissipated by friction\"\r\n"
              "     0.00000;  0.000000E+000;  0.000000E+000;  0.000000E+000;  0.000000E+000;  "
              "0.000000E+000;  0.000000E+000;  0.000000E+000;  0.000000E+000;  0.000000E+000;  "
              "0.000000E+000\r\n"
              "     0.01000;  1.250000E-002;  0.000000E+000;  0.000000E+000;  0.000000E+000;  "
              "0.000000E+000;  0.000000E+000;  0.000000E+000;  0.000000E+000;  0.000000E+000; "
              "-1.234500E+003\r\n");
    const std::string french = ResultsCsv(m, Language::French, ',');
    EXPECT_TRUE(french.starts_with("Unités : Longueur=m / Masse=ton / Force=kN\r\n"
                                   "\"Temps\";\"Glissement\";"))
        << french;
    EXPECT_NE(french.find("\"Énergie dissipée par friction\"\r\n     0,00000;"), std::string::npos)
        << french;
}

// A rocking run fills no sliding series: its own series are written instead.
TEST(ResultsCsvTest, RockingAndSlidingRockingFilesWriteTheirOwnSeries) {
    const TBlocStatic rocking = resultModel(AnalysisKind::Rocking, 2, [](S s, int k) {
        return s == S::ResultantPosition && k == 2 ? 87.5 : 0.0;
    });
    const std::string r = ResultsCsv(rocking, Language::English);
    EXPECT_NE(r.find("\"Time\";\"Rotation\";\"Angular velocity\";\"Angular "
                     "acceleration\";\"Overturning safety factor\";\"Resultant position\";"),
              std::string::npos)
        << r;
    EXPECT_NE(r.find("\"Energy dissipated by impact\"\r\n"), std::string::npos) << r;
    EXPECT_NE(r.find("     0.01000;  0.000000E+000;  0.000000E+000;  0.000000E+000;  "
                     "0.000000E+000;  8.750000E+001;"),
              std::string::npos)
        << r;
    const std::string sr =
        ResultsCsv(resultModel(AnalysisKind::SlidingAndRocking, 2), Language::English);
    const std::string header =
        sr.substr(sr.find("\r\n") + 2, sr.find("\r\n", sr.find("\r\n") + 2) - sr.find("\r\n") - 2);
    EXPECT_EQ(std::count(header.begin(), header.end(), ';'), 16) << header;
    EXPECT_EQ(header, "\"Time\";\"Sliding displacement\";\"Sliding velocity\";\"Sliding "
                      "acceleration\";\"Rotation\";\"Angular velocity\";\"Angular "
                      "acceleration\";\"Sliding safety factor\";\"Overturning safety "
                      "factor\";\"Resultant position\";\"Absolute input energy\";\"Relative "
                      "input energy\";\"Work done by pre-seismic forces\";\"Absolute kinetic "
                      "energy\";\"Relative kinetic energy\";\"Energy dissipated by "
                      "friction\";\"Energy dissipated by impact\"");
}

TEST(ResultsDialogTest, SaveAsWritesTheCsvFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.csv"));
    const TBlocStatic m = resultModel(AnalysisKind::Sliding, 5);
    ScriptedPrompts prompts;
    prompts.saveNames.push_back(path);
    ResultsDialog dlg(m, Language::English, prompts);
    dlg.saveAs();
    ASSERT_EQ(prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(prompts.fileDialogs[0].title, QStringLiteral("Save results in a CSV file:"));
    EXPECT_EQ(prompts.fileDialogs[0].defaultSuffix, QStringLiteral("csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), ResultsCsv(m, Language::English));

    prompts.saveNames.push_back(dir.filePath(QStringLiteral("no-such-folder/r.csv")));
    dlg.saveAs();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, MessageKind::Error);
}

TEST(ResultsDialogTest, ExportGraphicWritesThePictureOfTheChosenKind) {
    QTemporaryDir dir;
    const TBlocStatic m = resultModel(AnalysisKind::Sliding, kSamples);
    ScriptedPrompts prompts;
    ResultsDialog dlg(m, Language::English, prompts);
    dlg.resize(700, 500);
    for (const char* name : {"plot.wmf", "plot.svg", "plot.png"}) {
        const QString path = dir.filePath(QLatin1String(name));
        prompts.saveNames.push_back(path);
        dlg.exportGraphic();
        EXPECT_GT(QFileInfo(path).size(), 0) << name;
    }
    QFile wmf(dir.filePath(QStringLiteral("plot.wmf")));
    ASSERT_TRUE(wmf.open(QIODevice::ReadOnly));
    // A placeable metafile starts with its key 0x9AC6CDD7.
    EXPECT_EQ(wmf.read(4), QByteArray("\xD7\xCD\xC6\x9A", 4));
    EXPECT_EQ(prompts.fileDialogs[0].title, QStringLiteral("Export plot to Windows metafile:"));
    EXPECT_TRUE(prompts.messages.empty());
}

// The Results menu of the main window opens each view over the model's results.
TEST(ResultViewsTest, MainWindowOpensTheThreeViews) {
    QTemporaryDir dir;
    UserSettings settings(dir.filePath(QStringLiteral("settings.ini")));
    ApplicationState state;
    ScriptedPrompts prompts;
    MainWindow window(state, prompts, settings);
    window.show();
    state.Model = resultModel(AnalysisKind::Sliding, 11);

    struct Case {
        void (MainWindow::*command)();
        const char* objectName;
    } cases[] = {{&MainWindow::showComputedData, "DataDialog"},
                 {&MainWindow::showResultHistories, "ResultsDialog"},
                 {&MainWindow::showAnimation, "AnimationDialog"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.objectName);
        QString opened;
        // Closes the view as the user would, once it is up.
        QTimer::singleShot(0, [&opened] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                opened = w->objectName();
                w->close();
            }
        });
        (window.*c.command)();
        EXPECT_EQ(opened, QLatin1String(c.objectName));
    }
    EXPECT_TRUE(prompts.messages.empty());
}

// Sliding of 0..1 m and velocity of 0..-3 m/s shown together: one ordinate over both, each
// series in its colour, a legend naming both; choosing a compared item shows it alone again.
TEST(ResultsDialogTest, ComparedSeriesShareThePlotWithALegend) {
    const TBlocStatic m = resultModel(AnalysisKind::Sliding, kSamples, [](S s, int k) {
        const double t = (k - 1) * 0.01;
        return s == S::SlidingDisp ? t : s == S::SlidingVel ? -3.0 * t : 0.0;
    });
    ScriptedPrompts prompts;
    ResultsDialog dlg(m, Language::English, prompts);
    EXPECT_TRUE(dlg.chart().legend().empty());
    // Items 0 and 1 are the displacement and the velocity; 0 is repeated, 99 is no item.
    dlg.setCompared({1, 0, 1, 99});
    ASSERT_EQ(dlg.compared(), std::vector<int>{1});
    // -3 .. 1 with 5 % of each series' own spread: -3 - 0.15 and 1 + 0.05.
    EXPECT_NEAR(dlg.chart().RangeLoY(), -3.15, 1e-12);
    EXPECT_NEAR(dlg.chart().RangeHiY(), 1.05, 1e-12);
    const std::vector<LegendEntry>& legend = dlg.chart().legend();
    ASSERT_EQ(legend.size(), 2u);
    EXPECT_EQ(legend[0].Text, dlg.items()[0].label.c_str());
    EXPECT_EQ(legend[1].Text, dlg.items()[1].label.c_str());
    EXPECT_NE(legend[0].Color, legend[1].Color);
    std::vector<QColor> drawn;
    for (const DisplayElement& e : dlg.chart().displayList().elements())
        if (e.Kind == DisplayElementKind::Series)
            drawn.push_back(e.Color);
    EXPECT_EQ(drawn, (std::vector<QColor>{legend[1].Color, legend[0].Color}));
    // The Max./Min. labels stay those of the chosen series.
    EXPECT_EQ(labelText(dlg, "LabelMax"), QStringLiteral("1.0000E+00"));

    dlg.setCompared({1, 2, 3, 4, 5});
    EXPECT_EQ(dlg.compared(), (std::vector<int>{1, 2, 3})); // four series at most
    dlg.ListeChange(2);
    EXPECT_EQ(dlg.compared(), (std::vector<int>{1, 3}));
    dlg.setCompared({});
    EXPECT_TRUE(dlg.chart().legend().empty());
}

TEST(ResultsDialogTest, PrintPutsThePlotOnAPage) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("plot.pdf"));
    ScriptedPrompts prompts;
    prompts.printToPdf(pdf);
    const TBlocStatic m = resultModel(AnalysisKind::Sliding, kSamples);
    ResultsDialog dlg(m, Language::English, prompts);
    dlg.printPlot();
    EXPECT_EQ(pdfPages(pdf), 1);
}
