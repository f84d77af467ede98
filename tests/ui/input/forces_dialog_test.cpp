// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_test_support.h"

#include "model/model_flags.h"
#include "model/unit_change.h"
#include "ui/input/force_edit_dialog.h"
#include "ui/input/forces_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace quibel;
using namespace quibel::test;

namespace {
QListWidget* list(const ForcesDialog& dialog) {
    return child<QListWidget>(dialog, "item_list");
}

QPushButton* button(const QWidget& dialog, const char* name) {
    return child<QPushButton>(dialog, name);
}

void click(const QWidget& dialog, const char* name) {
    QPushButton* b = button(dialog, name);
    ASSERT_NE(b, nullptr) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

// The entry dialog the list dialog has just opened, active.
ForceEditDialog* openedEntry(const ForcesDialog& dialog) {
    auto* entry = dialog.findChild<ForceEditDialog*>();
    if (entry && !activate(*entry))
        return nullptr;
    return entry;
}

// Types the four values into the entry dialog, moving from field to field with Enter.
void enterValues(ForceEditDialog& entry, const QStringList& values) {
    auto* first = child<NumericEdit>(entry, "position_x_edit");
    first->setFocus(Qt::TabFocusReason);
    for (const QString& v : values) {
        auto* edit = qobject_cast<NumericEdit*>(QApplication::focusWidget());
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, v);
        QTest::keyClick(edit, Qt::Key_Return);
    }
}

void clickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, r.center());
}

TBlocStatic withForces() {
    TBlocStatic m = startupModel();
    m.Forces.Items = {{2, 15, 100, -50}, {4, 16, 0, 20}, {6, 17, -30, 0}};
    m.ModelFlags = ModelFlag::HasForces | ModelFlag::ResultsValid | ModelFlag::GeometryComplete;
    return m;
}
} // namespace

TEST(ForcesDialogTest, ListLinesArePaddedWithTheRegionalSeparator) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale french(QLocale::French, QLocale::France);
    EXPECT_EQ(ForcesDialog::lineOf(AddedForce{1.5, 12, 100, -50}, english),
              "(x:   1.500, el:  12.000) (H:   100.0, V:   -50.0)");
    EXPECT_EQ(ForcesDialog::lineOf(AddedForce{1.5, 12, 100, -50}, french),
              "(x:   1,500, el:  12,000) (H:   100,0, V:   -50,0)");
    // A value wider than eight characters is printed whole and pushes the rest along.
    EXPECT_EQ(ForcesDialog::lineOf(AddedForce{123456.25, 0, 1234567.75, 0}, english),
              "(x:123456.250, el:   0.000) (H:1234567.8, V:     0.0)");
    EXPECT_EQ(ForcesDialog::lineOf(AddedMass{3, 20, 12.5, 0.25}, english),
              "(x:   3.000, el:  20.000) (M:    12.5, I:   0.250)");
}

TEST(ForcesDialogTest, OpensWithTheListOfItsMode) {
    TBlocStatic model = withForces();
    model.Masses.Items = {{1, 2, 3, 4}};
    ForcesDialog forces(model, AddedItemKind::Forces, Language::English);
    EXPECT_EQ(forces.windowTitle(), "Force data");
    EXPECT_EQ(child<QLabel>(forces, "list_title_label")->text(), "List of force(s)");
    ASSERT_EQ(list(forces)->count(), 3);
    EXPECT_EQ(list(forces)->item(1)->text(), "(x:   4.000, el:  16.000) (H:     0.0, V:    20.0)");
    EXPECT_FALSE(button(forces, "edit_button")->isEnabled());
    EXPECT_FALSE(button(forces, "remove_button")->isEnabled());

    ForcesDialog masses(model, AddedItemKind::Masses, Language::French);
    EXPECT_EQ(masses.windowTitle(), "Masse(s) ajoutée(s)");
    EXPECT_EQ(button(masses, "add_button")->text(), "Ajouter une masse");
    ASSERT_EQ(list(masses)->count(), 1);
}

TEST(ForcesDialogTest, SelectionDecidesEditAndRemove) {
    ForcesDialog dialog(withForces(), AddedItemKind::Forces, Language::English);
    ASSERT_TRUE(showActive(dialog));
    clickRow(list(dialog), 0);
    EXPECT_TRUE(button(dialog, "edit_button")->isEnabled());
    EXPECT_TRUE(button(dialog, "remove_button")->isEnabled());
    clickRow(list(dialog), 2, Qt::ControlModifier);
    EXPECT_FALSE(button(dialog, "edit_button")->isEnabled());
    EXPECT_TRUE(button(dialog, "remove_button")->isEnabled());
    // A double-click with several items selected edits nothing.
    list(dialog)->selectAll();
    emit list(dialog)->itemDoubleClicked(list(dialog)->item(1));
    EXPECT_EQ(dialog.findChild<ForceEditDialog*>(), nullptr);
}

TEST(ForcesDialogTest, AddedForceGoesToTheModelOnlyOnOk) {
    TBlocStatic model = startupModel();
    setFlag(model.ModelFlags, ModelFlag::ResultsValid, true);
    ForcesDialog dialog(model, AddedItemKind::Forces, Language::English);
    ASSERT_TRUE(showActive(dialog));
    click(dialog, "add_button");
    ForceEditDialog* entry = openedEntry(dialog);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->windowTitle(), "Force data");
    EXPECT_EQ(child<QGroupBox>(*entry, "item_data_group")->title(), "Force data:");
    EXPECT_EQ(child<QLabel>(*entry, "horizontal_force_unit_label")->text(), "kN");
    EXPECT_EQ(child<QLabel>(*entry, "elevation_unit_label")->text(), "m");
    enterValues(*entry, {"5", "25", "-1500", "250.5"});
    EXPECT_EQ(QApplication::focusWidget(), button(*entry, "ok_button")); // Enter is Tab here
    EXPECT_EQ(child<NumericEdit>(*entry, "horizontal_force_edit")->text(), "-1,500");
    click(*entry, "ok_button");
    ASSERT_EQ(list(dialog)->count(), 1);
    EXPECT_EQ(list(dialog)->item(0)->text(), "(x:   5.000, el:  25.000) (H: -1500.0, V:   250.5)");
    EXPECT_TRUE(model.Forces.Items.empty()); // nothing written before OK

    click(dialog, "ok_button");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.applyTo(model);
    ASSERT_EQ(model.Forces.Items.size(), 1u);
    EXPECT_EQ(model.Forces.Items[0], (AddedForce{5, 25, -1500, 250.5}));
    EXPECT_TRUE(hasFlag(model.ModelFlags, ModelFlag::HasForces));
    EXPECT_FALSE(hasFlag(model.ModelFlags, ModelFlag::ResultsValid));
}

TEST(ForcesDialogTest, EntryWithoutMagnitudeIsRefused) {
    struct Case {
        AddedItemKind kind;
        Language language;
        QStringList values;
        bool accepted;
        QString message;
    } cases[] = {
        {AddedItemKind::Forces, Language::English, {"5", "25", "0", "0"}, false, "No force!"},
        {AddedItemKind::Forces, Language::French, {"5", "25", "0", "0"}, false, "Force nulle!"},
        {AddedItemKind::Masses, Language::English, {"5", "25", "0", "0"}, false, "No mass!"},
        {AddedItemKind::Masses, Language::French, {"1", "1", "0", "0"}, false, "Masse nulle!"},
        {AddedItemKind::Masses, Language::English, {"5", "25", "0", "12"}, true, ""},
        {AddedItemKind::Masses, Language::English, {"-5", "-25", "-3", "0"}, true, ""},
        {AddedItemKind::Forces, Language::English, {"0", "0", "0", "-0.5"}, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values.join(u' ').toStdString());
        ForcesDialog dialog(startupModel(), c.kind, c.language);
        NoticeLog notices;
        dialog.setNoticeHandler(notices.handler());
        ASSERT_TRUE(showActive(dialog));
        click(dialog, "add_button");
        ForceEditDialog* entry = openedEntry(dialog);
        ASSERT_NE(entry, nullptr);
        enterValues(*entry, c.values);
        click(*entry, "ok_button");
        if (c.accepted) {
            EXPECT_TRUE(notices.shown.empty());
            EXPECT_EQ(list(dialog)->count(), 1);
        } else {
            ASSERT_EQ(notices.shown.size(), 1u);
            EXPECT_EQ(notices.shown[0].first, MessageKind::Warning);
            EXPECT_EQ(notices.shown[0].second, c.message);
            EXPECT_TRUE(entry->isVisible()); // stays open with its values
            EXPECT_EQ(child<NumericEdit>(*entry, "position_x_edit")->value(),
                      c.values[0].toDouble());
            click(*entry, "cancel_button");
            EXPECT_EQ(list(dialog)->count(), 0);
        }
    }
}

TEST(ForcesDialogTest, RemovingEveryItemClearsTheFlag) {
    TBlocStatic model = withForces();
    ForcesDialog dialog(model, AddedItemKind::Forces, Language::English);
    ASSERT_TRUE(showActive(dialog));
    list(dialog)->setFocus();
    QTest::keyClick(list(dialog), Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(list(dialog)->selectedItems().size(), 3);
    click(dialog, "remove_button");
    EXPECT_EQ(list(dialog)->count(), 0);
    EXPECT_FALSE(button(dialog, "remove_button")->isEnabled());
    click(dialog, "ok_button");
    dialog.applyTo(model);
    EXPECT_TRUE(model.Forces.Items.empty());
    EXPECT_FALSE(hasFlag(model.ModelFlags, ModelFlag::HasForces));
    EXPECT_FALSE(hasFlag(model.ModelFlags, ModelFlag::ResultsValid));
    EXPECT_TRUE(hasFlag(model.ModelFlags, ModelFlag::GeometryComplete));
}

TEST(ForcesDialogTest, RemovingSomeMassesKeepsTheOthersWhole) {
    TBlocStatic model = startupModel();
    model.Masses.Items = {{1, 11, 10, 100}, {2, 12, 20, 200}, {3, 13, 30, 300}};
    model.ModelFlags = ModelFlag::HasMasses;
    ForcesDialog dialog(model, AddedItemKind::Masses, Language::English);
    ASSERT_TRUE(showActive(dialog));
    clickRow(list(dialog), 1);
    click(dialog, "remove_button");
    ASSERT_EQ(list(dialog)->count(), 2);
    click(dialog, "ok_button");
    dialog.applyTo(model);
    ASSERT_EQ(model.Masses.Items.size(), 2u);
    EXPECT_EQ(model.Masses.Items[0], (AddedMass{1, 11, 10, 100}));
    EXPECT_EQ(model.Masses.Items[1], (AddedMass{3, 13, 30, 300}));
    EXPECT_TRUE(hasFlag(model.ModelFlags, ModelFlag::HasMasses));
}

TEST(ForcesDialogTest, EditThenCancelLeavesTheModelAlone) {
    TBlocStatic model = withForces();
    const TForcesArray original = model.Forces;
    const std::uint16_t flags = model.ModelFlags;
    ForcesDialog dialog(model, AddedItemKind::Forces, Language::English);
    ASSERT_TRUE(showActive(dialog));
    clickRow(list(dialog), 2);
    const QRect r = list(dialog)->visualItemRect(list(dialog)->item(2));
    QTest::mouseDClick(list(dialog)->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    ForceEditDialog* entry = openedEntry(dialog);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->values(), (ForceEditDialog::Values{6, 17, -30, 0}));
    enterValues(*entry, {"7", "18", "-40", "1"});
    click(*entry, "ok_button");
    EXPECT_EQ(dialog.forces().Items[2], (AddedForce{7, 18, -40, 1}));
    EXPECT_EQ(list(dialog)->item(2)->text(), "(x:   7.000, el:  18.000) (H:   -40.0, V:     1.0)");
    EXPECT_TRUE(list(dialog)->selectedItems().isEmpty());

    click(dialog, "cancel_button");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(model.Forces, original);
    EXPECT_EQ(model.ModelFlags, flags);
}

TEST(ForcesDialogTest, MassEntryShowsMassAndInertiaUnits) {
    struct Case {
        UnitSystem units;
        Language language;
        QString massCaption, inertiaCaption, massUnit, inertiaUnit;
    } cases[] = {
        {UnitSystem::FtKipKip, Language::English, "Mass =", "Mass inertia =", "kip", "kip·ft²"},
        {UnitSystem::MmNKg, Language::French, "Masse =", "Inertie massique =", "kg", "kg·mm²"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.massUnit.toStdString());
        TBlocStatic model = startupModel();
        changeUnitSystem(model, c.units);
        ForcesDialog dialog(model, AddedItemKind::Masses, c.language);
        ASSERT_TRUE(showActive(dialog));
        click(dialog, "add_button");
        ForceEditDialog* entry = openedEntry(dialog);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(child<QLabel>(*entry, "horizontal_force_unit_label")->text(), c.massUnit);
        EXPECT_EQ(child<QLabel>(*entry, "vertical_force_unit_label")->text(), c.inertiaUnit);
        EXPECT_EQ(child<QLabel>(*entry, "horizontal_force_caption_label")->text(), c.massCaption);
        EXPECT_EQ(child<QLabel>(*entry, "vertical_force_caption_label")->text(), c.inertiaCaption);
        for (const char* name : {"position_x_edit", "elevation_edit", "horizontal_force_edit",
                                 "vertical_force_edit"}) {
            auto* edit = child<NumericEdit>(*entry, name);
            EXPECT_TRUE(edit->calculatorEnabled()) << name;
            EXPECT_FALSE(edit->hasRange()) << name;
            EXPECT_EQ(edit->decimals(), 10) << name;
        }
        click(*entry, "cancel_button");
    }
}
