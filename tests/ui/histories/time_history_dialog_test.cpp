// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/histories/time_history_dialog.h"

#include "chart/chart_series.h"
#include "chart/chart_widget.h"
#include "dialog_test_support.h"
#include "model/model_flags.h"
#include "scripted_prompts.h"
#include "ui/histories/advanced_dialog.h"
#include "ui/histories/database_dialog.h"
#include "ui/histories/file_format_dialog.h"
#include "ui/histories/generator_dialog.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/user_settings.h"
#include "ui/widgets/application_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace quibel;
using quibel::test::child;
using quibel::test::ScriptedPrompts;

namespace {

const QString kTestBook = QStringLiteral(QUIBEL_TEST_DATA_DIR "/earthquakes-test.xls");
const QString kDamagedBook = QStringLiteral(QUIBEL_TEST_DATA_DIR "/earthquakes-damaged.xls");

TimeHistoryRecord sampledRecord(std::vector<double> values, double dt) {
    TimeHistoryRecord r;
    const int n = static_cast<int>(values.size());
    r.Times.emplace(n);
    r.Values.emplace(n);
    for (int i = 1; i <= n; ++i) {
        r.Times->set(i, (i - 1) * dt);
        r.Values->set(i, values[static_cast<std::size_t>(i - 1)]);
    }
    r.Source = HistorySource::Sampled;
    r.Duration = (n - 1) * dt;
    return r;
}

GeneratorTerm sine(double amplitude, double period, double start, double end) {
    GeneratorTerm t;
    t.Shape = TermShape::Sine;
    t.Amplitude = amplitude;
    t.Period = period;
    t.StartTime = start;
    t.EndTime = end;
    t.Active = 1;
    return t;
}

// A dialog on model with a scripted user: sub-dialogs are handed to `script`, which plays the
// user and returns the dialog's result.
struct Fixture {
    TBlocStatic model = startupModel();
    ScriptedPrompts prompts;
    std::function<int(QDialog&)> script = [](QDialog&) { return int(QDialog::Rejected); };
    int subDialogs = 0;

    std::unique_ptr<TimeHistoryDialog> open(HistoryKind kind,
                                            Language language = Language::English) {
        auto dlg = std::make_unique<TimeHistoryDialog>(model, kind, language, prompts);
        dlg->setDialogRunner([this](QDialog& d) {
            ++subDialogs;
            return script(d);
        });
        return dlg;
    }
};

// The user of the file-format dialog: chooses the format, types the step, presses OK.
std::function<int(QDialog&)> chooseFormat(HistoryFileFormat format, double timeStep = 0.0) {
    return [=](QDialog& d) {
        auto* f = qobject_cast<FileFormatDialog*>(&d);
        if (f == nullptr)
            return int(QDialog::Rejected);
        if (format == HistoryFileFormat::AmplitudesOnly) {
            child<QRadioButton>(d, "AmplitudesButton")->click();
            child<NumericEdit>(d, "EditTimeStep")->setValue(timeStep);
        }
        child<QPushButton>(d, "ButtonOk")->click();
        return d.result();
    };
}

QString labelText(const QWidget& dlg, const char* name) {
    return child<QLabel>(dlg, name)->text();
}

std::size_t drawnPoints(const TimeHistoryDialog& dlg) {
    std::size_t n = 0;
    for (const DisplayElement& e : dlg.chart().displayList().elements())
        n += e.Kind == DisplayElementKind::Series ? e.Series->size() : 1;
    return n;
}

} // namespace

TEST(TimeHistoryDialogTest, TextImportEdgeCases) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct Case {
        const char* name;
        const char* content;
        HistoryFileFormat format;
        double dt;
        std::vector<double> times; // empty: "Invalid data file!"
        std::vector<double> values;
    } cases[] = {
        {"pairs", "0 0.1\n0.01 0.3", HistoryFileFormat::TimeAndAmplitude, 0, {0, 0.01}, {0.1, 0.3}},
        {"pairs, line end",
         "0 0.1\n0.01 0.3\n",
         HistoryFileFormat::TimeAndAmplitude,
         0,
         {0, 0.01},
         {0.1, 0.3}},
        {"amplitudes",
         "0.1 0.2 0.3",
         HistoryFileFormat::AmplitudesOnly,
         0.02,
         {0, 0.02, 0.04},
         {0.1, 0.2, 0.3}},
        {"five numbers",
         "0 1\n0.5 2\n1.0",
         HistoryFileFormat::TimeAndAmplitude,
         0,
         {0, 0.5},
         {1, 2}},
        {"exponents",
         "0 1.5E-3 2e-2 -4.0e+1",
         HistoryFileFormat::TimeAndAmplitude,
         0,
         {0, 0.02},
         {0.0015, -40}},
        {"header words",
         "time accel\n0 0.1\n0.01 0.3\n",
         HistoryFileFormat::TimeAndAmplitude,
         0,
         {},
         {}},
        {"decimal commas", "0 0,1\n0,01 0,3\n", HistoryFileFormat::TimeAndAmplitude, 0, {}, {}},
        {"single number as pairs", "0.25", HistoryFileFormat::TimeAndAmplitude, 0, {}, {}},
        {"single number as amplitudes",
         "0.25",
         HistoryFileFormat::AmplitudesOnly,
         0.01,
         {0},
         {0.25}},
        {"empty file", "  \n", HistoryFileFormat::AmplitudesOnly, 0.01, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".txt"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.content);
        file.close();

        Fixture f;
        f.model.history(HistoryKind::HorizontalAcceleration) = sampledRecord({0.5, 0.7, 0.9}, 0.1);
        f.script = chooseFormat(c.format, c.dt);
        f.prompts.openNames.push_back(path);
        auto dlg = f.open(HistoryKind::HorizontalAcceleration);
        const QString caption = dlg->windowTitle();
        dlg->loadFromFile();
        const TimeHistoryRecord& r = dlg->workingCopy();
        // The caption names the file once its samples are the history's, and only then.
        EXPECT_EQ(dlg->windowTitle(),
                  c.times.empty() ? caption
                                  : caption + QStringLiteral(" - ") + QFileInfo(path).fileName());
        if (c.times.empty()) {
            ASSERT_EQ(f.prompts.messages.size(), 1u);
            EXPECT_EQ(f.prompts.messages[0].kind, MessageKind::Warning);
            EXPECT_EQ(f.prompts.messages[0].text, QStringLiteral("Invalid data file!"));
            // The previous history stays, and so does its plot.
            EXPECT_EQ(r, f.model.history(HistoryKind::HorizontalAcceleration));
            EXPECT_EQ(drawnPoints(*dlg), 3u);
            continue;
        }
        EXPECT_TRUE(f.prompts.messages.empty());
        ASSERT_EQ(r.Source, HistorySource::Sampled);
        const int n = static_cast<int>(c.times.size());
        ASSERT_EQ(r.Times->size(), n);
        ASSERT_EQ(r.Values->size(), n);
        for (int i = 1; i <= n; ++i) {
            EXPECT_DOUBLE_EQ(r.Times->get(i), c.times[static_cast<std::size_t>(i - 1)]);
            EXPECT_DOUBLE_EQ(r.Values->get(i), c.values[static_cast<std::size_t>(i - 1)]);
        }
        EXPECT_DOUBLE_EQ(r.Duration, c.times.back());
        EXPECT_EQ(drawnPoints(*dlg), static_cast<std::size_t>(n));
    }
}

TEST(TimeHistoryDialogTest, AmplitudesOnlyWithoutATimeStepAsksForOneBeforeAnyFile) {
    Fixture f;
    f.script = chooseFormat(HistoryFileFormat::AmplitudesOnly, 0.0);
    auto dlg = f.open(HistoryKind::HorizontalAcceleration);
    dlg->loadFromFile();
    EXPECT_TRUE(f.prompts.fileDialogs.empty());
    ASSERT_EQ(f.prompts.messages.size(), 1u);
    EXPECT_EQ(f.prompts.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(dlg->workingCopy().Source, HistorySource::Undefined);
}

TEST(TimeHistoryDialogTest, CancelledFileChoiceChangesNothing) {
    Fixture f;
    f.script = chooseFormat(HistoryFileFormat::TimeAndAmplitude);
    auto dlg = f.open(HistoryKind::HorizontalAcceleration);
    dlg->loadFromFile(); // no file name scripted: the open dialog is cancelled
    EXPECT_EQ(f.prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(dlg->workingCopy(), f.model.history(HistoryKind::HorizontalAcceleration));
}

TEST(TimeHistoryDialogTest, DeleteThenOkClearsTheFlagAndKeepsSamplesAndTerms) {
    Fixture f;
    TimeHistoryRecord& stored = f.model.history(HistoryKind::VerticalAcceleration);
    stored = sampledRecord({0.1, 0.3}, 0.01);
    stored.Terms[1] = sine(1, 1, 0, 1);
    stored.Title = "El Centro";
    setFlag(f.model.ModelFlags, ModelFlag::VerticalAccDefined, true);
    setFlag(f.model.ModelFlags, ModelFlag::ResultsValid, true);
    const TimeHistoryRecord before = stored;

    auto dlg = f.open(HistoryKind::VerticalAcceleration);
    EXPECT_TRUE(child<QPushButton>(*dlg, "ButtonSpectrum")->isEnabled());
    dlg->deleteHistory();
    EXPECT_FALSE(child<QPushButton>(*dlg, "ButtonSpectrum")->isEnabled());
    EXPECT_EQ(drawnPoints(*dlg), 0u);
    dlg->confirm();

    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(hasFlag(f.model.ModelFlags, ModelFlag::VerticalAccDefined));
    EXPECT_FALSE(hasFlag(f.model.ModelFlags, ModelFlag::ResultsValid));
    EXPECT_EQ(stored.Source, HistorySource::Undefined);
    EXPECT_EQ(stored.Times, before.Times);
    EXPECT_EQ(stored.Values, before.Values);
    EXPECT_EQ(stored.Terms, before.Terms);
    EXPECT_EQ(stored.Title, "El Centro");
}

TEST(TimeHistoryDialogTest, OkStoresTheCopyAndSetsTheFlagOfItsKind) {
    const struct {
        HistoryKind kind;
        std::uint16_t flag;
    } cases[] = {{HistoryKind::HorizontalAcceleration, ModelFlag::HorizontalAccDefined},
                 {HistoryKind::VerticalAcceleration, ModelFlag::VerticalAccDefined},
                 {HistoryKind::HorizontalForce, ModelFlag::HorizontalForceDefined},
                 {HistoryKind::VerticalForce, ModelFlag::VerticalForceDefined}};
    for (const auto& c : cases) {
        SCOPED_TRACE(historyIndex(c.kind));
        Fixture f;
        f.model.history(c.kind) = sampledRecord({1, 2, 3}, 0.01);
        setFlag(f.model.ModelFlags, ModelFlag::ResultsValid, true);
        auto dlg = f.open(c.kind);
        child<QPlainTextEdit>(*dlg, "MemoTitle")->setPlainText(QStringLiteral("Pulse"));
        if (c.kind == HistoryKind::HorizontalForce || c.kind == HistoryKind::VerticalForce) {
            child<NumericEdit>(*dlg, "EditXpos")->setValue(4.5);
            child<NumericEdit>(*dlg, "EditYPos")->setValue(12.25);
        }
        dlg->confirm();
        const TimeHistoryRecord& r = f.model.history(c.kind);
        EXPECT_EQ(f.model.ModelFlags &
                      (ModelFlag::HorizontalAccDefined | ModelFlag::VerticalAccDefined |
                       ModelFlag::HorizontalForceDefined | ModelFlag::VerticalForceDefined |
                       ModelFlag::ResultsValid),
                  c.flag);
        EXPECT_EQ(r.Title, "Pulse");
        EXPECT_EQ(r.Values->get(3), 3.0);
        if (c.kind == HistoryKind::HorizontalForce || c.kind == HistoryKind::VerticalForce) {
            EXPECT_EQ(r.PosX, 4.5);
            EXPECT_EQ(r.PosY, 12.25);
        }
    }
}

// The chart shows the scaled samples at their stored times, kept apart from the working copy.
TEST(TimeHistoryDialogTest, ChartDrawsTheScaledSamplesApartFromTheWorkingCopy) {
    Fixture f;
    TimeHistoryRecord& r = f.model.history(HistoryKind::HorizontalAcceleration);
    r = sampledRecord({1, 2, -3}, 0.01);
    r.Scale = 2.0;
    auto dlg = f.open(HistoryKind::HorizontalAcceleration);
    const ChartSeries* series = nullptr;
    for (const DisplayElement& e : dlg->chart().displayList().elements())
        if (e.Kind == DisplayElementKind::Series)
            series = e.Series.get();
    ASSERT_NE(series, nullptr);
    const SeriesSamples& s = series->samples();
    ASSERT_EQ(s.values.size(), 3u);
    const double times[] = {0.0, 0.01, 0.02};
    const double values[] = {2.0, 4.0, -6.0};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(s.abscissa(i), times[i]);
        EXPECT_DOUBLE_EQ(s.values[i], values[i]);
    }
    EXPECT_NE(s.values.data(), dlg->workingCopy().Values->data());
    EXPECT_NE(s.times.data(), dlg->workingCopy().Times->data());
}

TEST(TimeHistoryDialogTest, CancelStoresNothing) {
    Fixture f;
    f.model.history(HistoryKind::HorizontalAcceleration) = sampledRecord({1, 2}, 0.01);
    const TBlocStatic before = f.model;
    auto dlg = f.open(HistoryKind::HorizontalAcceleration);
    dlg->deleteHistory();
    child<QPlainTextEdit>(*dlg, "MemoTitle")->setPlainText(QStringLiteral("changed"));
    child<QPushButton>(*dlg, "ButtonCancel")->click();
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_EQ(f.model.history(HistoryKind::HorizontalAcceleration),
              before.history(HistoryKind::HorizontalAcceleration));
    EXPECT_EQ(f.model.ModelFlags, before.ModelFlags);
}

TEST(TimeHistoryDialogTest, TitleIsOneLineOfAtMost255Characters) {
    Fixture f;
    auto dlg = f.open(HistoryKind::HorizontalAcceleration);
    auto* memo = child<QPlainTextEdit>(*dlg, "MemoTitle");
    memo->setPlainText(QString(300, QLatin1Char('x')));
    EXPECT_EQ(memo->toPlainText().size(), 255);
    memo->setPlainText(QStringLiteral("first\nsecond"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("first second"));
    dlg->confirm();
    EXPECT_EQ(f.model.history(HistoryKind::HorizontalAcceleration).Title, "first second");
}

TEST(TimeHistoryDialogTest, GeneratorWithNoActiveTermGivesGeneratedAndAnEmptyChart) {
    Fixture f;
    f.model.history(HistoryKind::HorizontalAcceleration) = sampledRecord({0.1, 0.3}, 0.01);
    f.script = [](QDialog& d) {
        EXPECT_NE(qobject_cast<GeneratorDialog*>(&d), nullptr);
        child<QPushButton>(d, "ButtonOk")->click();
        return d.result();
    };
    auto dlg = f.open(HistoryKind::HorizontalAcceleration);
    dlg->openGenerator();
    EXPECT_EQ(dlg->workingCopy().Source, HistorySource::Generated);
    EXPECT_EQ(drawnPoints(*dlg), 0u);
    EXPECT_TRUE(dlg->chart().Caption().isEmpty());
    EXPECT_FALSE(child<QPushButton>(*dlg, "ButtonSpectrum")->isEnabled());
    dlg->confirm();
    EXPECT_EQ(f.model.history(HistoryKind::HorizontalAcceleration).Source,
              HistorySource::Generated);
    EXPECT_TRUE(hasFlag(f.model.ModelFlags, ModelFlag::HorizontalAccDefined));
    // The samples stay in the record, behind the generated representation.
    EXPECT_EQ(f.model.history(HistoryKind::HorizontalAcceleration).Values->size(), 2);
}

TEST(TimeHistoryDialogTest, CancelledGeneratorKeepsTheHistoryButRedraws) {
    Fixture f;
    f.model.history(HistoryKind::HorizontalAcceleration) = sampledRecord({0.1, 0.3}, 0.01);
    f.script = [](QDialog&) { return int(QDialog::Rejected); };
    auto dlg = f.open(HistoryKind::HorizontalAcceleration);
    dlg->openGenerator();
    EXPECT_EQ(f.subDialogs, 1);
    EXPECT_EQ(dlg->workingCopy().Source, HistorySource::Sampled);
    EXPECT_EQ(drawnPoints(*dlg), 2u);
}

TEST(TimeHistoryDialogTest, GeneratedFunctionCaptionGoesAwayAfterLoadingAFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pairs.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("0 0.1\n0.01 0.3\n");
    file.close();

    Fixture f;
    TimeHistoryRecord& r = f.model.history(HistoryKind::HorizontalAcceleration);
    r.Terms[0] = sine(1, 1, 0, 2);
    r.Source = HistorySource::Generated;
    r.Scale = 0.5;
    auto dlg = f.open(HistoryKind::HorizontalAcceleration);
    EXPECT_EQ(dlg->chart().Caption(), QStringLiteral("Generated Function"));
    EXPECT_EQ(drawnPoints(*dlg), 2001u);
    // Ordinate range 1.1 x (Scale x extremes + Offset); the labels give the extremes.
    EXPECT_NEAR(dlg->chart().RangeHiY(), 0.55, 1e-12);
    EXPECT_NEAR(dlg->chart().RangeLoY(), -0.55, 1e-12);
    EXPECT_EQ(labelText(*dlg, "Labelmax"), QStringLiteral("   0.500 g"));
    EXPECT_TRUE(child<QPushButton>(*dlg, "ButtonSpectrum")->isEnabled());

    f.script = chooseFormat(HistoryFileFormat::TimeAndAmplitude);
    f.prompts.openNames.push_back(path);
    dlg->loadFromFile();
    EXPECT_TRUE(dlg->chart().Caption().isEmpty());
    EXPECT_EQ(drawnPoints(*dlg), 2u);
    // A sampled history is drawn with the scale factor: 0.5 x (0.1 .. 0.3).
    EXPECT_EQ(labelText(*dlg, "Labelmax"), QStringLiteral("   0.150 g"));
    EXPECT_EQ(labelText(*dlg, "Labelmin"), QStringLiteral("   0.050 g"));
}

TEST(TimeHistoryDialogTest, CaptionsAndUnitsFollowTheKind) {
    const struct {
        HistoryKind kind;
        Language language;
        const char* caption;
        const char* ordinate;
        bool positions;
    } cases[] = {
        {HistoryKind::HorizontalAcceleration, Language::English, "Horizontal base acceleration (g)",
         "Horizontal acceleration (g)", false},
        {HistoryKind::VerticalAcceleration, Language::French,
         "Accélération verticale à la base du bloc", "Accélération verticale (g)", false},
        {HistoryKind::HorizontalForce, Language::English, "Horizontal force (kN)",
         "Horizontal force (kN)", true},
        {HistoryKind::VerticalForce, Language::French, "Historique de force verticale",
         "Force verticale (kN)", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        Fixture f;
        f.model.history(c.kind) = sampledRecord({-2, 5}, 0.01);
        auto dlg = f.open(c.kind, c.language);
        EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(dlg->chart().IdOrdinate(), QString::fromUtf8(c.ordinate));
        EXPECT_EQ(child<QWidget>(*dlg, "EditXpos")->isVisibleTo(dlg.get()), c.positions);
        EXPECT_EQ(child<QWidget>(*dlg, "LabelYpos")->isVisibleTo(dlg.get()), c.positions);
        EXPECT_EQ(child<QWidget>(*dlg, "ButtonSpectrum")->isVisibleTo(dlg.get()), !c.positions);
        const QString unit = c.positions ? QStringLiteral("kN") : QStringLiteral("g");
        EXPECT_EQ(labelText(*dlg, "Labelmax"), QStringLiteral("   5.000 ") + unit);
        EXPECT_EQ(labelText(*dlg, "Labelmin"), QStringLiteral("  -2.000 ") + unit);
        // "value =" reads the history at the cursor's time, whatever the cursor's height:
        // halfway between -2 and 5, then after the record has ended.
        emit dlg->chart().mouseMovedInChart(&dlg->chart(), true, Qt::NoModifier, 0.005, -0.5);
        EXPECT_EQ(labelText(*dlg, "Xcoord"), QStringLiteral("   0.005 s"));
        EXPECT_EQ(labelText(*dlg, "Ycoord"), QStringLiteral("   1.500 ") + unit);
        emit dlg->chart().mouseMovedInChart(&dlg->chart(), true, Qt::NoModifier, 1.25, -0.5);
        EXPECT_EQ(labelText(*dlg, "Xcoord"), QStringLiteral("   1.250 s"));
        EXPECT_EQ(labelText(*dlg, "Ycoord"), QStringLiteral("   0.000 ") + unit);
    }
}

TEST(TimeHistoryDialogTest, ForceUnitFollowsTheUnitSystem) {
    Fixture f;
    f.model.UnitSystem = UnitSystem::FtKipKip;
    f.model.history(HistoryKind::HorizontalForce) = sampledRecord({1, 2}, 0.01);
    auto dlg = f.open(HistoryKind::HorizontalForce);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Horizontal force (kip)"));
    EXPECT_EQ(labelText(*dlg, "Labelmax"), QStringLiteral("   2.000 kip"));
    EXPECT_EQ(child<NumericEdit>(*dlg, "EditXpos")->displayMask(), QStringLiteral(",0.### ft"));
}

TEST(TimeHistoryDialogTest, AdvancedSettingsFollowTheirRules) {
    // Sampled: scale, offset and correction come back on OK, and the plot is redrawn with them.
    {
        Fixture f;
        f.model.history(HistoryKind::HorizontalAcceleration) = sampledRecord({1, 2, 3}, 0.01);
        f.script = [](QDialog& d) {
            EXPECT_TRUE(child<QGroupBox>(d, "RadioCorrection")->isEnabled());
            child<NumericEdit>(d, "EditScale")->setValue(2.0);
            child<NumericEdit>(d, "EditOffset")->setValue(0.05);
            child<QRadioButton>(d, "RadioCorrection1")->click();
            child<QPushButton>(d, "ButtonOk")->click();
            return d.result();
        };
        auto dlg = f.open(HistoryKind::HorizontalAcceleration);
        dlg->openAdvanced();
        const TimeHistoryRecord& r = dlg->workingCopy();
        EXPECT_EQ(r.Scale, 2.0);
        EXPECT_EQ(r.Offset, 0.05);
        EXPECT_EQ(r.Correction, OffsetCorrection::ZeroMean);
        // Zero mean: 2 x (1, 2, 3) - 2 x 2 runs from -2 to 2.
        EXPECT_EQ(labelText(*dlg, "Labelmax"), QStringLiteral("   2.000 g"));
        EXPECT_EQ(labelText(*dlg, "Labelmin"), QStringLiteral("  -2.000 g"));
    }
    // Generated: the correction group is disabled on its first item and OK keeps the
    // correction; Cancel keeps everything.
    {
        Fixture f;
        TimeHistoryRecord& stored = f.model.history(HistoryKind::HorizontalAcceleration);
        stored.Terms[0] = sine(1, 1, 0, 1);
        stored.Source = HistorySource::Generated;
        stored.Correction = OffsetCorrection::ZeroFirstValue;
        f.script = [](QDialog& d) {
            EXPECT_FALSE(child<QGroupBox>(d, "RadioCorrection")->isEnabled());
            EXPECT_TRUE(child<QRadioButton>(d, "RadioCorrection0")->isChecked());
            child<NumericEdit>(d, "EditScale")->setValue(3.0);
            child<QPushButton>(d, "ButtonOk")->click();
            return d.result();
        };
        auto dlg = f.open(HistoryKind::HorizontalAcceleration);
        dlg->openAdvanced();
        EXPECT_EQ(dlg->workingCopy().Scale, 3.0);
        EXPECT_EQ(dlg->workingCopy().Correction, OffsetCorrection::ZeroFirstValue);
        EXPECT_NEAR(dlg->chart().RangeHiY(), 3.3, 1e-12);

        f.script = [](QDialog& d) {
            child<NumericEdit>(d, "EditScale")->setValue(7.0);
            child<QPushButton>(d, "ButtonCancel")->click();
            return d.result();
        };
        dlg->openAdvanced();
        EXPECT_EQ(dlg->workingCopy().Scale, 3.0);
    }
}

namespace {

// A folder holding the test workbook under the names the program looks for.
struct DatabaseFolder {
    QTemporaryDir dir;
    explicit DatabaseFolder(const QString& book = kTestBook) {
        QFile::copy(book, dir.filePath(QStringLiteral("Earthquakes - horizontal.xls")));
        QFile::copy(book, dir.filePath(QStringLiteral("Earthquakes - vertical.xls")));
    }
    QString path() const { return dir.path(); }
};

QTreeWidgetItem* findNode(QTreeWidget& tree, const QString& text) {
    const QList<QTreeWidgetItem*> found =
        tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.constFirst();
}

// The user of the database dialog: selects the node of that text (none: selects nothing) and
// presses OK.
std::function<int(QDialog&)> pickNode(const QString& text) {
    return [=](QDialog& d) {
        auto* database = qobject_cast<DatabaseDialog*>(&d);
        if (database == nullptr)
            return int(QDialog::Rejected);
        if (!text.isEmpty()) {
            QTreeWidgetItem* item = findNode(database->tree(), text);
            EXPECT_NE(item, nullptr) << text.toStdString();
            database->tree().setCurrentItem(item);
        }
        child<QPushButton>(d, "ButtonOk")->click();
        return d.result();
    };
}

} // namespace

TEST(TimeHistoryDialogTest, DatabaseTreeListsWorksheetsAndTheirRecords) {
    DatabaseFolder folder;
    for (Language language : {Language::English, Language::French}) {
        Fixture f;
        std::vector<QString> top;
        std::vector<int> children;
        f.script = [&](QDialog& d) {
            QTreeWidget& tree = qobject_cast<DatabaseDialog*>(&d)->tree();
            for (int i = 0; i < tree.topLevelItemCount(); ++i) {
                top.push_back(tree.topLevelItem(i)->text(0));
                children.push_back(tree.topLevelItem(i)->childCount());
            }
            return int(QDialog::Rejected);
        };
        auto dlg = f.open(HistoryKind::HorizontalAcceleration, language);
        dlg->setDatabaseFolder(folder.path());
        dlg->openDatabase();
        ASSERT_EQ(top.size(), 3u);
        if (language == Language::English)
            EXPECT_EQ(top, (std::vector<QString>{QStringLiteral("Short records"),
                                                 QStringLiteral("Empty sheet"),
                                                 QStringLiteral("Many records")}));
        else
            EXPECT_EQ(top, (std::vector<QString>{QStringLiteral("Enregistrements courts"),
                                                 QStringLiteral("Feuille vide"),
                                                 QStringLiteral("Nombreux enregistrements")}));
        EXPECT_EQ(children, (std::vector<int>{2, 0, 52}));
        EXPECT_EQ(dlg->workingCopy().Source, HistorySource::Undefined);
    }
}

TEST(TimeHistoryDialogTest, DatabaseLoadsTheChosenRecord) {
    DatabaseFolder folder;
    // Record k of the third worksheet holds k / 1000: record 25 lies in column Z, 26 in AA and
    // 51 in AZ.
    for (int k : {25, 26, 51}) {
        SCOPED_TRACE(k);
        Fixture f;
        f.script = pickNode(QStringLiteral("Record %1").arg(k));
        auto dlg = f.open(HistoryKind::VerticalAcceleration);
        dlg->setDatabaseFolder(folder.path());
        dlg->openDatabase();
        const TimeHistoryRecord& r = dlg->workingCopy();
        ASSERT_EQ(r.Source, HistorySource::Sampled);
        ASSERT_EQ(r.Values->size(), 1);
        EXPECT_DOUBLE_EQ(r.Values->get(1), k / 1000.0);
        EXPECT_EQ(child<QPlainTextEdit>(*dlg, "MemoTitle")->toPlainText(),
                  QStringLiteral("Record %1").arg(k));
    }
    // n = 1000 and dt = 0.01 give a duration of 9.99 s.
    Fixture f;
    f.script = pickNode(QStringLiteral("Thousand samples"));
    auto dlg = f.open(HistoryKind::HorizontalAcceleration);
    dlg->setDatabaseFolder(folder.path());
    dlg->openDatabase();
    const TimeHistoryRecord& r = dlg->workingCopy();
    ASSERT_EQ(r.Source, HistorySource::Sampled);
    EXPECT_DOUBLE_EQ(r.Duration, 9.99);
    EXPECT_DOUBLE_EQ(r.Times->get(1000), 9.99);
    EXPECT_EQ(drawnPoints(*dlg), 1000u);
    dlg->confirm();
    EXPECT_EQ(f.model.history(HistoryKind::HorizontalAcceleration).Title, "Thousand samples");
    EXPECT_TRUE(hasFlag(f.model.ModelFlags, ModelFlag::HorizontalAccDefined));
}

TEST(TimeHistoryDialogTest, DatabaseWorksheetNodeOrNoSelectionLoadsNothing) {
    DatabaseFolder folder;
    Fixture f;
    f.model.history(HistoryKind::HorizontalAcceleration) = sampledRecord({0.1, 0.2}, 0.01);
    f.model.history(HistoryKind::HorizontalAcceleration).Title = "kept";
    auto dlg = f.open(HistoryKind::HorizontalAcceleration);
    dlg->setDatabaseFolder(folder.path());
    for (const QString& node : {QStringLiteral("Many records"), QString()}) {
        SCOPED_TRACE(node.toStdString());
        f.script = pickNode(node);
        dlg->openDatabase();
        EXPECT_EQ(dlg->workingCopy(), f.model.history(HistoryKind::HorizontalAcceleration));
        EXPECT_EQ(child<QPlainTextEdit>(*dlg, "MemoTitle")->toPlainText(), QStringLiteral("kept"));
    }
    // A record chosen in an earlier opening is not remembered by the next one.
    f.script = pickNode(QStringLiteral("Three samples"));
    dlg->openDatabase();
    ASSERT_EQ(dlg->workingCopy().Values->size(), 3);
    f.script = pickNode(QString());
    dlg->openDatabase();
    EXPECT_EQ(dlg->workingCopy().Values->size(), 3);
    EXPECT_EQ(f.subDialogs, 4);
}

TEST(TimeHistoryDialogTest, DatabaseProblemsAreReported) {
    // Force histories have no database.
    {
        Fixture f;
        auto dlg = f.open(HistoryKind::HorizontalForce);
        dlg->openDatabase();
        ASSERT_EQ(f.prompts.messages.size(), 1u);
        EXPECT_EQ(f.prompts.messages[0].kind, MessageKind::Information);
        EXPECT_EQ(f.prompts.messages[0].text,
                  QStringLiteral("Database is reserved for accelerations"));
        EXPECT_EQ(f.subDialogs, 0);
        auto fr = f.open(HistoryKind::VerticalForce, Language::French);
        fr->openDatabase();
        EXPECT_EQ(f.prompts.messages.back().text,
                  QString::fromUtf8("Base de données réservée aux accélérations"));
    }
    // A folder without the workbooks, and a damaged record: an error box, nothing loaded.
    {
        QTemporaryDir empty;
        Fixture f;
        auto dlg = f.open(HistoryKind::HorizontalAcceleration);
        dlg->setDatabaseFolder(empty.path());
        dlg->openDatabase();
        ASSERT_EQ(f.prompts.messages.size(), 1u);
        EXPECT_EQ(f.prompts.messages[0].kind, MessageKind::Error);
        EXPECT_TRUE(f.prompts.messages[0].text.contains(QStringLiteral("was not found")));
        EXPECT_EQ(f.subDialogs, 0);
    }
    {
        DatabaseFolder folder(kDamagedBook);
        Fixture f;
        f.script = pickNode(QStringLiteral("Sample is text"));
        auto dlg = f.open(HistoryKind::HorizontalAcceleration);
        dlg->setDatabaseFolder(folder.path());
        dlg->openDatabase();
        ASSERT_EQ(f.prompts.messages.size(), 1u);
        EXPECT_EQ(f.prompts.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(f.prompts.messages[0].text,
                  QStringLiteral("Worksheet \"Damaged\", cell F6 cannot be read as a number."));
        EXPECT_EQ(dlg->workingCopy().Source, HistorySource::Undefined);
    }
}

TEST(TimeHistoryDialogTest, MainWindowCommandsOpenTheDialogOfTheirHistory) {
    QTemporaryDir dir;
    UserSettings settings(dir.filePath(QStringLiteral("settings.ini")));
    ApplicationState state;
    ScriptedPrompts prompts;
    MainWindow window(state, prompts, settings);
    window.show();

    // Plays the user at the time-history dialog once it is up: types a title, then presses
    // the button named `press`.
    QString shownCaption;
    auto answerDialog = [&](const char* press) {
        QTimer::singleShot(0, [&shownCaption, press] {
            auto* dlg = qobject_cast<TimeHistoryDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            shownCaption = dlg->windowTitle();
            child<QPlainTextEdit>(*dlg, "MemoTitle")->setPlainText(QStringLiteral("From the menu"));
            child<QPushButton>(*dlg, press)->click();
        });
    };

    answerDialog("ButtonCancel");
    window.editTimeHistory(HistoryKind::VerticalForce);
    EXPECT_EQ(shownCaption, QStringLiteral("Vertical force (kN)"));
    EXPECT_TRUE(state.Model.history(HistoryKind::VerticalForce).Title.empty());
    EXPECT_TRUE(state.ModelSaved);
    EXPECT_EQ(window.defaultHistory(), HistoryKind::VerticalForce);

    answerDialog("ButtonOk");
    window.editTimeHistory(HistoryKind::HorizontalAcceleration);
    EXPECT_EQ(shownCaption, QStringLiteral("Horizontal base acceleration (g)"));
    EXPECT_EQ(state.Model.history(HistoryKind::HorizontalAcceleration).Title, "From the menu");
    EXPECT_FALSE(state.ModelSaved);
}

// A record title longer than the tree is wide is shown whole: its column is as wide as the
// text (the tree scrolls sideways to it) and its tool tip holds the title.
TEST(TimeHistoryDialogTest, DatabaseTreeShowsWholeRecordTitles) {
    const std::string title =
        "A record title far longer than the tree of the database window is wide, 1988-11-25";
    DatabaseCatalogue catalogue;
    catalogue.Nodes = {{"Sheet", 0, 0}, {title, 1, 1}};
    DatabaseDialog dialog(catalogue, Language::English);
    ASSERT_TRUE(quibel::test::showActive(dialog));
    QTreeWidget& tree = dialog.tree();
    tree.expandAll();
    QApplication::processEvents();
    QTreeWidgetItem* record = tree.topLevelItem(0)->child(0);
    const QString text = QString::fromStdString(title);
    EXPECT_EQ(record->toolTip(0), text);
    EXPECT_GE(tree.columnWidth(0), tree.fontMetrics().horizontalAdvance(text));
    EXPECT_GT(tree.horizontalScrollBar()->maximum(), 0);
}
