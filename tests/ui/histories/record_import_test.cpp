// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_widget.h"
#include "dialog_test_support.h"
#include "scripted_prompts.h"
#include "signals/records/record_file.h"
#include "ui/histories/file_format_dialog.h"
#include "ui/histories/record_processing_dialog.h"
#include "ui/histories/record_properties_dialog.h"
#include "ui/histories/record_recognition_dialog.h"
#include "ui/histories/time_history_dialog.h"
#include "ui/widgets/numeric_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using namespace quibel;
using quibel::test::child;
using quibel::test::ScriptedPrompts;

namespace {

constexpr double kPi = 3.14159265358979323846;

// A model whose horizontal acceleration is n samples of f(t) at step dt.
TBlocStatic modelWith(int n, double dt, double (*f)(double)) {
    TBlocStatic model = startupModel();
    TimeHistoryRecord& r = model.history(HistoryKind::HorizontalAcceleration);
    r.Times.emplace(n);
    r.Values.emplace(n);
    for (int i = 1; i <= n; ++i) {
        r.Times->set(i, (i - 1) * dt);
        r.Values->set(i, f((i - 1) * dt));
    }
    r.Source = HistorySource::Sampled;
    r.Duration = (n - 1) * dt;
    r.Title = "pulse";
    return model;
}

const std::string kRecords = QUIBEL_TEST_DATA_DIR "/records";

// What the recognition dialog showed when the scripted user met it.
struct Shown {
    QString format, station, count, step, units, pga;
    int components = 0;
};

// Plays the user: automatic format, then in the recognition dialog the component chosen and OK.
struct User {
    int component = 0;
    double step = 0.0; // typed in the file-format dialog
    Shown shown;

    int operator()(QDialog& d) {
        if (qobject_cast<FileFormatDialog*>(&d)) {
            child<QRadioButton>(d, "AutomaticButton")->click();
            if (step > 0.0)
                child<NumericEdit>(d, "EditTimeStep")->setValue(step);
            child<QPushButton>(d, "ButtonOk")->click();
            return d.result();
        }
        if (!qobject_cast<RecordRecognitionDialog*>(&d))
            return int(QDialog::Rejected);
        auto* box = child<QComboBox>(d, "ComponentBox");
        shown.components = box->count();
        box->setCurrentIndex(component);
        const auto text = [&](const char* name) { return child<QLabel>(d, name)->text(); };
        shown = {text("FormatValue"), text("StationValue"), text("CountValue"), text("StepValue"),
                 text("UnitsValue"),  text("PgaValue"),     shown.components};
        child<QPushButton>(d, "ButtonOk")->click();
        return d.result();
    }
};

} // namespace

TEST(RecordImportTest, TheAutomaticImportShowsWhatItRecognisedAndStoresTheChosenComponent) {
    const struct {
        const char* file;
        int component;
        const char* format;
        int components;
        const char* count; // the header's sample count
        const char* step;
        const char* pga; // by hand from the file: the largest |value| in g
    } cases[] = {
        // "NPTS=  7999, DT=   .0050 SEC", units G, largest value .3585328 g.
        {"/at2/RSN763_LOMAP_GIL067.AT2", 0, "at2", 1, "7999", "0.005 s", "0.3585 g"},
        // Three columns U, N, E at 100 Hz; E's largest 1.836 gal = 0.00187 g.
        {"/cwb/1-KAU.dat", 2, "cwb", 3, nullptr, "0.01 s", "0.0019 g"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TBlocStatic model = startupModel();
        ScriptedPrompts prompts;
        const std::string path = kRecords + c.file;
        prompts.openNames.push_back(QString::fromStdString(path));
        TimeHistoryDialog dlg(model, HistoryKind::HorizontalAcceleration, Language::English,
                              prompts);
        User user{c.component, 0.0, {}};
        dlg.setDialogRunner([&](QDialog& d) { return user(d); });
        dlg.loadFromFile();

        const RecordData core = ReadRecordFile(path);
        const RecordComponent& chosen = core.Components[static_cast<std::size_t>(c.component)];
        EXPECT_EQ(user.shown.format, c.format);
        EXPECT_EQ(user.shown.components, c.components);
        EXPECT_EQ(user.shown.count,
                  c.count ? QString(c.count) : QString::number(chosen.Values.size()));
        EXPECT_EQ(user.shown.step, c.step);
        EXPECT_EQ(user.shown.units, QString::fromStdString(chosen.Units));
        EXPECT_EQ(user.shown.pga, c.pga);
        EXPECT_EQ(user.shown.station, QString::fromStdString(core.Station));

        const TimeHistoryRecord& work = dlg.workingCopy();
        ASSERT_TRUE(work.Values);
        ASSERT_EQ(work.Values->size(), static_cast<int>(chosen.Values.size()));
        for (int k : {1, 500, work.Values->size()}) {
            EXPECT_EQ(work.Values->get(k), chosen.Values[static_cast<std::size_t>(k - 1)]);
            EXPECT_DOUBLE_EQ(work.Times->get(k), (k - 1) * chosen.Dt);
        }
        EXPECT_EQ(work.Title, RecordTitle(core, static_cast<std::size_t>(c.component)));
    }
}

TEST(RecordImportTest, AFileNoReaderRecognisesIsReadAsPairsOrAmplitudesWithItsStep) {
    const struct {
        const char* file;
        double step;
        const char* format;
        const char* shownStep;
    } cases[] = {
        {"/batch/pulse-pairs.txt", 0.0, "pairs", "0.01 s"},
        {"/batch/pulse-amplitudes.txt", 0.02, "amplitudes", "0.02 s"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TBlocStatic model = startupModel();
        ScriptedPrompts prompts;
        prompts.openNames.push_back(QStringLiteral(QUIBEL_TEST_DATA_DIR) + c.file);
        TimeHistoryDialog dlg(model, HistoryKind::HorizontalAcceleration, Language::French,
                              prompts);
        User user{0, c.step, {}};
        dlg.setDialogRunner([&](QDialog& d) { return user(d); });
        dlg.loadFromFile();
        EXPECT_EQ(user.shown.format, c.format);
        EXPECT_EQ(user.shown.step, c.shownStep);
        ASSERT_TRUE(dlg.workingCopy().Values);
        EXPECT_GT(dlg.workingCopy().Values->size(), 1);
    }
}

TEST(RecordImportTest, ThePropertiesPanelShowsTheCoreMeasuresOfTheHistoryAsRun) {
    // Four cycles of a sine of 0.2 g and 0.5 s, scaled by 2 in the history: the panel measures
    // what the analysis uses, 0.4 g.
    constexpr double dt = 0.005;
    TBlocStatic model =
        modelWith(401, dt, [](double t) { return 0.2 * std::sin(2 * kPi * t / 0.5); });
    TimeHistoryRecord& r = model.history(HistoryKind::HorizontalAcceleration);
    r.Scale = 2.0;
    std::vector<double> asRun;
    for (int i = 1; i <= r.Values->size(); ++i)
        asRun.push_back(2 * r.Values->get(i));
    ScriptedPrompts prompts;
    TimeHistoryDialog dlg(model, HistoryKind::HorizontalAcceleration, Language::French, prompts);

    std::optional<IntensityMeasures> shown;
    QString pgaText, ariasText;
    dlg.setDialogRunner([&](QDialog& d) {
        auto* p = qobject_cast<RecordPropertiesDialog*>(&d);
        if (p) {
            shown = p->measures();
            pgaText = child<QLabel>(d, "PgaValue")->text();
            ariasText = child<QLabel>(d, "AriasValue")->text();
            EXPECT_GT(p->husidChart().displayList().elements().size(), 400u);
            EXPECT_GT(p->fourierChart().displayList().elements().size(), 10u);
        }
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(child<QPushButton>(dlg, "ButtonProperties")->isEnabled());
    child<QPushButton>(dlg, "ButtonProperties")->click();
    ASSERT_TRUE(shown);

    const IntensityMeasures core = ComputeIntensityMeasures(asRun, dt);
    EXPECT_EQ(shown->Pga, core.Pga);
    EXPECT_EQ(shown->Arias, core.Arias);
    EXPECT_EQ(shown->D5_95, core.D5_95);
    EXPECT_EQ(shown->Tm, core.Tm);
    EXPECT_EQ(shown->Tp, core.Tp);
    // By hand: Ia = pi / (2 g) * (A g)^2 * nT / 2 with A = 0.4 g, nT = 2 s.
    const double g = 9.80665, a = 0.4 * g;
    EXPECT_NEAR(shown->Arias, kPi / (2 * g) * a * a * 2.0 / 2, 1e-3 * shown->Arias);
    EXPECT_EQ(pgaText, "0.4 g");
    EXPECT_TRUE(ariasText.endsWith(" m/sec"));
}

TEST(RecordImportTest, ForceHistoriesHaveNoRecordProperties) {
    TBlocStatic model = startupModel();
    ScriptedPrompts prompts;
    TimeHistoryDialog dlg(model, HistoryKind::HorizontalForce, Language::English, prompts);
    EXPECT_TRUE(child<QPushButton>(dlg, "ButtonProperties")->isHidden());
}

TEST(RecordImportTest, ProcessingIsAppliedToTheSamplesAndRecordedInTheTitle) {
    // A sine on a planted straight line: removing the degree-1 trend leaves what the core's
    // own processing leaves, and the title says so.
    constexpr double dt = 0.01;
    TBlocStatic model =
        modelWith(301, dt, [](double t) { return 0.05 + 0.02 * t + 0.1 * std::sin(2 * kPi * t); });
    ScriptedPrompts prompts;
    TimeHistoryDialog dlg(model, HistoryKind::HorizontalAcceleration, Language::English, prompts);
    bool previewed = false;
    dlg.setDialogRunner([&](QDialog& d) {
        auto* p = qobject_cast<RecordProcessingDialog*>(&d);
        if (!p)
            return int(QDialog::Rejected);
        child<QCheckBox>(d, "DetrendCheck")->setChecked(true);
        child<QSpinBox>(d, "DegreeSpin")->setValue(1);
        child<QCheckBox>(d, "ScalePgaCheck")->setChecked(true);
        child<NumericEdit>(d, "EditPga")->setValue(0.3);
        previewed = p->preview() && p->chart(0).displayList().elements().size() > 500;
        child<QPushButton>(d, "ButtonOk")->click();
        return d.result();
    });
    ASSERT_TRUE(child<QPushButton>(dlg, "ButtonProcessing")->isEnabled());
    child<QPushButton>(dlg, "ButtonProcessing")->click();
    EXPECT_TRUE(previewed);

    RecordComponent expected;
    expected.Dt = dt;
    const TimeHistoryRecord& original = model.history(HistoryKind::HorizontalAcceleration);
    expected.Values.assign(original.Values->data(), original.Values->data() + 301);
    RecordProcessing processing;
    processing.DetrendDegree = 1;
    processing.TargetPga = 0.3;
    ApplyProcessing(expected, processing);

    const TimeHistoryRecord& work = dlg.workingCopy();
    ASSERT_EQ(work.Values->size(), 301);
    double peak = 0.0;
    for (int k = 1; k <= 301; ++k) {
        EXPECT_EQ(work.Values->get(k), expected.Values[static_cast<std::size_t>(k - 1)]);
        peak = std::max(peak, std::abs(work.Values->get(k)));
    }
    EXPECT_NEAR(peak, 0.3, 1e-12);
    EXPECT_EQ(work.Title, "pulse [processed: " + ProcessingSummary(processing) + "]");
    // The model keeps its record until the dialog's OK.
    EXPECT_EQ(original.Values->get(1), 0.05);
}

TEST(RecordImportTest, RefusedProcessingKeepsTheDialogOpenWithTheReason) {
    RecordComponent record;
    record.Dt = 0.01;
    record.Values.assign(101, 0.1);
    RecordProcessingDialog dlg(record, Language::French);
    child<QCheckBox>(dlg, "FilterCheck")->setChecked(true);
    child<NumericEdit>(dlg, "EditHighHz")->setValue(80.0); // above the 50 Hz Nyquist frequency
    child<QPushButton>(dlg, "ButtonOk")->click();
    EXPECT_NE(dlg.result(), int(QDialog::Accepted));
    EXPECT_FALSE(child<QLabel>(dlg, "ProblemLabel")->text().isEmpty());
    EXPECT_EQ(dlg.processed().Values, record.Values);
}
