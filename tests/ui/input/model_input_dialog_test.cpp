// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_test_support.h"

#include "engine/run/run_driver.h"
#include "engine/run/run_host.h"
#include "model/model_flags.h"
#include "scripted_prompts.h"
#include "ui/input/analysis_options_dialog.h"
#include "ui/input/force_edit_dialog.h"
#include "ui/input/forces_dialog.h"
#include "ui/input/geometry_dialog.h"
#include "ui/main_window/analysis_gate.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/user_settings.h"
#include "ui/widgets/application_state.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace quibel;
using namespace quibel::test;

namespace {
void click(const QWidget& dialog, const char* name) {
    auto* b = child<QPushButton>(dialog, name);
    ASSERT_NE(b, nullptr) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

void editGeometry(TBlocStatic& model,
                  std::initializer_list<std::pair<const char*, QString>> typed) {
    GeometryDialog dialog(model, Language::English);
    ASSERT_TRUE(showActive(dialog));
    for (const auto& [name, text] : typed)
        typeInto(child<NumericEdit>(dialog, name), text);
    click(dialog, "ok_button");
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    dialog.applyTo(model);
}

// Adds one item through the list and entry dialogs and confirms both.
void addItem(TBlocStatic& model, AddedItemKind kind, const QStringList& values) {
    ForcesDialog dialog(model, kind, Language::English);
    ASSERT_TRUE(showActive(dialog));
    click(dialog, "add_button");
    auto* entry = dialog.findChild<ForceEditDialog*>();
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(activate(*entry));
    const char* names[] = {"position_x_edit", "elevation_edit", "horizontal_force_edit",
                           "vertical_force_edit"};
    for (int i = 0; i < 4; ++i)
        typeInto(child<NumericEdit>(*entry, names[i]), values[i]);
    click(*entry, "ok_button");
    click(dialog, "ok_button");
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    dialog.applyTo(model);
}
} // namespace

// The start-up block made dry and given a friction angle through the geometry dialog, run
// options and added items through their dialogs, then a sliding run under a 0.35 g sine: below
// tan(20°) = 0.364 it must not slide; with 10° (threshold 0.176 g) it must.
TEST(ModelInputDialogTest, ModelBuiltThroughTheDialogsRunsASlidingAnalysis) {
    TBlocStatic model = startupModel();
    EXPECT_FALSE(modelComplete(model));
    editGeometry(model,
                 {{"hr_edit", "0"}, {"u_edit", "0"}, {"phi_s_edit", "20"}, {"phi_d_edit", "20"}});
    EXPECT_TRUE(hasFlag(model.ModelFlags, ModelFlag::GeometryComplete));
    EXPECT_FALSE(hasFlag(model.ModelFlags, ModelFlag::ReservoirPresent));

    {
        AnalysisOptionsDialog options(model, Language::English);
        ASSERT_TRUE(showActive(options));
        typeInto(child<NumericEdit>(options, "time_step_edit"), QStringLiteral("0.001"));
        typeInto(child<NumericEdit>(options, "save_step_edit"), QStringLiteral("0.01"));
        click(options, "ok_button");
        ASSERT_EQ(options.result(), QDialog::Accepted);
        options.applyTo(model);
    }
    // A large force and a large mass below the plane (heel at elevation 10 m): the analysis
    // leaves them out, so they must not change the threshold.
    addItem(model, AddedItemKind::Forces, {"5", "2", "100000", "0"});
    addItem(model, AddedItemKind::Masses, {"5", "2", "100000", "0"});
    EXPECT_TRUE(hasFlag(model.ModelFlags, ModelFlag::HasForces));
    EXPECT_TRUE(hasFlag(model.ModelFlags, ModelFlag::HasMasses));

    // The base acceleration comes from the time-history dialog in the program.
    TimeHistoryRecord& h = model.history(HistoryKind::HorizontalAcceleration);
    h.Source = HistorySource::Generated;
    h.Terms = {};
    h.Terms[0] = {TermShape::Sine, 0.35, 0.5, 0, 0, 1.0, 1};
    h.Duration = 1.0;
    setFlag(model.ModelFlags, ModelFlag::HorizontalAccDefined, true);
    ASSERT_TRUE(modelComplete(model));

    SilentRunHost host;
    const RunOutcome below = AnalysisRun(model, host).run();
    ASSERT_EQ(below.end, RunEnd::Completed);
    ASSERT_TRUE(model.SlidingDisp.has_value());
    ASSERT_EQ(model.SlidingDisp->size(), 101); // 1 s in 0.01 s samples, and time 0
    for (int i = 1; i <= model.SlidingDisp->size(); ++i)
        EXPECT_EQ(model.SlidingDisp->get(i), 0.0) << "sample " << i;

    editGeometry(model, {{"phi_s_edit", "10"}, {"phi_d_edit", "10"}});
    const RunOutcome above = AnalysisRun(model, host).run();
    ASSERT_EQ(above.end, RunEnd::Completed);
    double largest = 0;
    for (int i = 1; i <= model.SlidingDisp->size(); ++i) {
        ASSERT_TRUE(std::isfinite(model.SlidingDisp->get(i)));
        largest = std::max(largest, std::fabs(model.SlidingDisp->get(i)));
    }
    EXPECT_GT(largest, 0.001); // at least a millimetre of sliding
}

// The main window's commands open the dialogs modally; OK writes the model and marks it
// unsaved, Cancel leaves both alone.
TEST(ModelInputDialogTest, MainWindowCommandsApplyTheirDialogOnlyOnOk) {
    struct Case {
        const char* action;
        const char* button;
        bool edited;
    } cases[] = {
        {"ActionGeometry", "cancel_button", false}, {"ActionGeometry", "ok_button", true},
        {"ActionForces", "cancel_button", false},   {"ActionForces", "ok_button", true},
        {"ActionMasses", "ok_button", true},        {"ActionOptions", "cancel_button", false},
        {"ActionOptions", "ok_button", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.action) + " " + c.button);
        QTemporaryDir dir;
        UserSettings settings(dir.filePath(QStringLiteral("settings.ini")));
        ApplicationState state;
        ScriptedPrompts prompts;
        MainWindow window(state, prompts, settings);
        window.show();
        state.Model.Forces.Items = {{1, 15, 10, 0}};
        state.Model.ModelFlags = ModelFlag::ResultsValid | ModelFlag::HasForces;
        state.ModelSaved = true;
        const TBlocStatic before = state.Model;

        bool answered = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            answered = true;
            click(*dialog, c.button);
        });
        QAction* action = window.findChild<QAction*>(QLatin1String(c.action));
        ASSERT_NE(action, nullptr);
        action->trigger();
        ASSERT_TRUE(answered);
        EXPECT_EQ(state.ModelSaved, !c.edited);
        EXPECT_EQ(hasFlag(state.Model.ModelFlags, ModelFlag::ResultsValid), !c.edited);
        if (!c.edited) {
            EXPECT_EQ(state.Model.ModelFlags, before.ModelFlags);
        }
        EXPECT_EQ(state.Model.Forces, before.Forces); // no item changed in any dialog
        if (c.edited && std::string(c.action) == "ActionGeometry") {
            EXPECT_TRUE(hasFlag(state.Model.ModelFlags, ModelFlag::GeometryComplete));
        }
        if (c.edited && std::string(c.action) == "ActionMasses") {
            EXPECT_FALSE(hasFlag(state.Model.ModelFlags, ModelFlag::HasMasses));
            EXPECT_TRUE(hasFlag(state.Model.ModelFlags, ModelFlag::HasForces));
        }
        EXPECT_TRUE(prompts.messages.empty());
    }
}
