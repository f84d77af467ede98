// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_test_support.h"

#include "ui/input/mass_inertia_dialog.h"

#include <QLabel>
#include <QPushButton>

#include <string>

using namespace quibel;
using namespace quibel::test;

namespace {
NumericEdit* field(const QWidget& dialog, const char* name) {
    return child<NumericEdit>(dialog, name);
}

QString label(const QWidget& dialog, const char* name) {
    return child<QLabel>(dialog, name)->text();
}

void enterOutline(MassInertiaDialog& dialog, const char* a, const char* b, const char* c,
                  const char* d, const char* e) {
    typeInto(field(dialog, "a_edit"), QString::fromLatin1(a));
    typeInto(field(dialog, "b_edit"), QString::fromLatin1(b));
    typeInto(field(dialog, "c_edit"), QString::fromLatin1(c));
    typeInto(field(dialog, "d_edit"), QString::fromLatin1(d));
    typeInto(field(dialog, "e_edit"), QString::fromLatin1(e));
}

bool okEnabled(const MassInertiaDialog& dialog) {
    return child<QPushButton>(dialog, "ok_button")->isEnabled();
}
} // namespace

TEST(MassInertiaDialogTest, DensityStartsAtConcreteInEveryUnitSystem) {
    // 2400 kg/m³ = 2.4 t/m³ = 2.4e-6 kg/mm³; 150 lb/ft³ = 150/1728 lb/in³ = 0.15 kip/ft³.
    struct Case {
        UnitSystem units;
        double density;
        QString unit;
    } cases[] = {{UnitSystem::MmNKg, 2.4e-6, "kg/mm³"},
                 {UnitSystem::MKnTon, 2.4, "ton/m³"},
                 {UnitSystem::InLbLb, 150.0 / 1728, "lb/in³"},
                 {UnitSystem::FtKipKip, 0.15, "kip/ft³"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit.toStdString());
        MassInertiaDialog dialog(1, c.units, Language::English);
        EXPECT_DOUBLE_EQ(field(dialog, "density_edit")->value(), c.density);
        EXPECT_EQ(label(dialog, "density_unit_label"), c.unit);
        for (const char* name : {"a_edit", "b_edit", "c_edit", "d_edit", "e_edit"})
            EXPECT_EQ(field(dialog, name)->value(), 0.0);
        EXPECT_FALSE(okEnabled(dialog));
    }
}

TEST(MassInertiaDialogTest, ResultsShowInTheirFormats) {
    MassInertiaDialog dialog(1, UnitSystem::MKnTon, Language::English);
    NoticeLog notices;
    dialog.setNoticeHandler(notices.handler());
    ASSERT_TRUE(showActive(dialog));
    EXPECT_EQ(label(dialog, "thickness_label"), "(Block thickness =      1.000 m)");
    // Rectangle 20 x 16 at 2.4 t/m³: M = 768 t, centre (8, 10), Im = 768 x 656 / 12.
    enterOutline(dialog, "20", "16", "20", "16", "0");
    QTest::mouseClick(child<QPushButton>(dialog, "compute_button"), Qt::LeftButton);
    EXPECT_TRUE(okEnabled(dialog));
    EXPECT_EQ(label(dialog, "mass_result_label"), "768 ton");
    EXPECT_EQ(label(dialog, "xc_result_label"), "8 m");
    EXPECT_EQ(label(dialog, "yc_result_label"), "10 m");
    EXPECT_EQ(label(dialog, "im_result_label"), "41984 ton·m²");
    const RotationalProperties r = dialog.computedProperties();
    EXPECT_EQ(r.A, 20);
    EXPECT_EQ(r.B, 16);
    EXPECT_EQ(r.Beta, 0.0);

    // A 1 m cube: the "#.###" masks drop the leading zero.
    enterOutline(dialog, "1", "1", "1", "1", "0");
    QTest::mouseClick(child<QPushButton>(dialog, "compute_button"), Qt::LeftButton);
    EXPECT_EQ(label(dialog, "xc_result_label"), ".5 m");
    EXPECT_EQ(label(dialog, "im_result_label"), ".4 ton·m²"); // 2.4 x 2 / 12
    EXPECT_TRUE(notices.shown.empty());
}

TEST(MassInertiaDialogTest, ZeroValueOrMeaninglessOutlineKeepsOkDisabled) {
    struct Case {
        Language language;
        const char *a, *b, *c, *d, *e;
        MessageKind kind;
        QString message;
    } cases[] = {
        {Language::English, "0", "16", "4", "5", "0", MessageKind::Information,
         "Zero value detected"},
        {Language::French, "20", "0", "4", "5", "0", MessageKind::Information,
         "Valeur nulle détectée"},
        {Language::English, "20", "16", "4", "17", "0", MessageKind::Warning,
         "The crest width d is larger than the base width b: the block outline has no meaning."},
        {Language::English, "20", "16", "21", "5", "0.5", MessageKind::Warning,
         "The vertical part c of the downstream face goes below the toe (c > a + e)."},
        {Language::English, "20", "16", "23", "5", "4", MessageKind::Warning,
         "The downstream face crosses the base of the block: reduce c or e."},
        {Language::English, "20", "16", "20", "0", "3", MessageKind::Warning,
         "The block outline encloses no area."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        MassInertiaDialog dialog(1, UnitSystem::MKnTon, c.language);
        NoticeLog notices;
        dialog.setNoticeHandler(notices.handler());
        ASSERT_TRUE(showActive(dialog));
        // First a sound outline, then the faulty one: Ok goes off again.
        enterOutline(dialog, "20", "16", "4", "5", "0");
        QTest::mouseClick(child<QPushButton>(dialog, "compute_button"), Qt::LeftButton);
        ASSERT_TRUE(okEnabled(dialog));
        enterOutline(dialog, c.a, c.b, c.c, c.d, c.e);
        QTest::mouseClick(child<QPushButton>(dialog, "compute_button"), Qt::LeftButton);
        EXPECT_FALSE(okEnabled(dialog));
        ASSERT_EQ(notices.shown.size(), 1u);
        EXPECT_EQ(notices.shown[0].first, c.kind);
        EXPECT_EQ(notices.shown[0].second, c.message);
        EXPECT_TRUE(label(dialog, "mass_result_label").isEmpty());
    }
}

TEST(MassInertiaDialogTest, ZeroDensityIsDetected) {
    MassInertiaDialog dialog(1, UnitSystem::FtKipKip, Language::English);
    NoticeLog notices;
    dialog.setNoticeHandler(notices.handler());
    ASSERT_TRUE(showActive(dialog));
    typeInto(field(dialog, "density_edit"), QStringLiteral("0"));
    enterOutline(dialog, "60", "50", "10", "15", "0");
    QTest::mouseClick(child<QPushButton>(dialog, "compute_button"), Qt::LeftButton);
    ASSERT_EQ(notices.shown.size(), 1u);
    EXPECT_EQ(notices.shown[0].second, "Zero value detected");
    EXPECT_FALSE(okEnabled(dialog));
}

// The user guide's example block: a = 20, b = 16, c = d = 2, e = 0 m of concrete. By hand:
// the 20 x 2 crest rectangle (40 m², centroid (1, 10)) and the 14 x 18 downstream triangle
// (126 m², centroid (2 + 14/3, 6)) make 166 m², so M = 2.4 x 166 = 398.4 t,
// xc = (40 + 126 x 20/3) / 166 = 5.3012 m, yc = (400 + 756) / 166 = 6.9639 m; the polar
// moments 40 x (2² + 20²) / 12 + 126 x (14² + 18²) / 18 plus the parallel-axis terms
// 40 x 27.7183 + 126 x 2.7937 give 6447.39 m⁴, Im = 2.4 x 6447.39 = 15473.7 t·m².
TEST(MassInertiaDialogTest, UserGuideBlockGivesTheStartUpProperties) {
    MassInertiaDialog dialog(1, UnitSystem::MKnTon, Language::English);
    ASSERT_TRUE(showActive(dialog));
    enterOutline(dialog, "20", "16", "2", "2", "0");
    QTest::mouseClick(child<QPushButton>(dialog, "compute_button"), Qt::LeftButton);
    EXPECT_EQ(label(dialog, "mass_result_label"), "398.4 ton");
    EXPECT_EQ(label(dialog, "xc_result_label"), "5.301 m");
    EXPECT_EQ(label(dialog, "yc_result_label"), "6.964 m");
    EXPECT_EQ(label(dialog, "im_result_label"), "15473.7 ton·m²");
    const RotationalProperties r = dialog.computedProperties();
    EXPECT_NEAR(r.M, 398.4, 1e-9);
    EXPECT_NEAR(r.Xc, 880.0 / 166.0, 1e-12);
    EXPECT_NEAR(r.Yc, 1156.0 / 166.0, 1e-12);
    EXPECT_NEAR(r.Im, 15473.73, 0.01);
}
