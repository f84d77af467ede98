// SPDX-License-Identifier: GPL-3.0-or-later
// Every window of the program, in both languages: its texts are whole at the default font and
// at 1.25 times it, and F1 in it opens its own help page.
#include "window_walk.h"

#include "dialog_test_support.h"
#include "ui/main_window/progress_dialog.h"
#include "ui/widgets/help_key.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

using namespace quibel;
using namespace quibel::test;

namespace {

const char* languageName(Language l) {
    return l == Language::English ? "English" : "French";
}

// The progress window shows its texts once the run has ended.
void settle(QWidget& window) {
    if (auto* progress = qobject_cast<ProgressDialog*>(&window)) {
        ASSERT_TRUE(QTest::qWaitFor([progress] { return progress->analysisFinished(); }, 30000));
    }
    QApplication::processEvents();
}

} // namespace

TEST(WindowWalkTest, EveryTextIsWholeInBothLanguagesAtBothFontSizes) {
    for (const double scale : {1.0, 1.25}) {
        const ScopedFontScale font(scale);
        for (const Language language : {Language::English, Language::French}) {
            for (const WalkWindow& w : everyWindow()) {
                SCOPED_TRACE(w.name + ", " + languageName(language) + ", font x" +
                             std::to_string(scale));
                WalkFixture fixture;
                std::unique_ptr<QWidget> made;
                QWidget& window = showWalkWindow(w, fixture, language, made);
                ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
                settle(window);
                std::string cut;
                for (const std::string& c : cutTexts(window))
                    cut += "\n  " + c;
                EXPECT_TRUE(cut.empty()) << "cut texts:" << cut;
            }
        }
    }
}

TEST(WindowWalkTest, F1InEveryDialogOpensItsHelpPage) {
    HelpKeyFilter filter;
    qApp->installEventFilter(&filter);
    for (const Language language : {Language::English, Language::French}) {
        for (const WalkWindow& w : everyWindow()) {
            if (w.helpContext == 0)
                continue;
            SCOPED_TRACE(w.name + ", " + languageName(language));
            WalkFixture fixture;
            std::unique_ptr<QWidget> made;
            QWidget& window = showWalkWindow(w, fixture, language, made);
            ASSERT_TRUE(activate(window));
            settle(window);
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
            QTest::keyClick(target, Qt::Key_F1);
            auto* help = window.findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
            ASSERT_NE(help, nullptr) << "F1 opened no help window";
            EXPECT_EQ(help->currentPage(), helpPageUrl(language, w.helpContext));
        }
    }
    qApp->removeEventFilter(&filter);
}
