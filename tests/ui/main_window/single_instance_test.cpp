// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/single_instance.h"

#include "scripted_prompts.h"
#include "ui/main_window/desktop_application.h"
#include "ui/widgets/application_state.h"
#include "ui/widgets/user_prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace quibel;
using namespace quibel::test;

TEST(SingleInstanceTest, SecondCopyIsRefusedWhileTheFirstRuns) {
    QTemporaryDir dir;
    const QString lock = dir.filePath(QStringLiteral("quibel.lock"));
    {
        SingleInstance first(lock);
        ASSERT_TRUE(first.acquire());
        EXPECT_TRUE(first.acquire());
        SingleInstance second(lock);
        EXPECT_FALSE(second.acquire());
    }
    // The first copy has ended normally.
    SingleInstance next(lock);
    EXPECT_TRUE(next.acquire());
}

// A copy that crashed leaves its lock file behind; the next start takes it over.
TEST(SingleInstanceTest, LockOfACopyThatCrashedDoesNotBlockTheNextStart) {
    QTemporaryDir dir;
    const QString lock = dir.filePath(QStringLiteral("quibel.lock"));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child takes the lock and dies without releasing it.
        auto* crashed = new SingleInstance(lock);
        _exit(crashed->acquire() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(QFileInfo::exists(lock));
    SingleInstance next(lock);
    EXPECT_TRUE(next.acquire());
}

TEST(SingleInstanceTest, SecondCopyShowsTheMessageInTheUsersLanguageAndEnds) {
    struct Case {
        bool english;
        const char* text;
    } cases[] = {{true, "QUIBEL is already started"},
                 {false, "QUIBEL est déjà en cours d'exécution"}};
    QTemporaryDir dir;
    const QString lock = dir.filePath(QStringLiteral("quibel.lock"));
    SingleInstance running(lock);
    ASSERT_TRUE(running.acquire());
    for (const Case& c : cases) {
        ApplicationState state;
        state.EnglishLanguage = c.english;
        ScriptedPrompts prompts;
        SingleInstance second(lock);
        EXPECT_FALSE(passSingleInstanceGate(second, state, prompts));
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].kind, MessageKind::Information);
        EXPECT_EQ(prompts.messages[0].text, QString::fromUtf8(c.text));
    }
    ApplicationState state;
    ScriptedPrompts prompts;
    SingleInstance alone(dir.filePath(QStringLiteral("other.lock")));
    EXPECT_TRUE(passSingleInstanceGate(alone, state, prompts));
    EXPECT_TRUE(prompts.messages.empty());
}

// The real box: an information icon, the text and one OK button in the user's language.
TEST(SingleInstanceTest, MessageBoxHasTheTextAndOneOkButton) {
    ApplicationState state;
    state.EnglishLanguage = false;
    QtUserPrompts prompts(state);
    QString seenText;
    int buttons = -1;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenText = box->text();
        buttons = static_cast<int>(box->buttons().size());
        icon = box->icon();
        box->buttons().first()->click();
    });
    prompts.showMessage(nullptr, MessageKind::Information,
                        QStringLiteral("QUIBEL est déjà en cours d'exécution"));
    EXPECT_EQ(seenText, QStringLiteral("QUIBEL est déjà en cours d'exécution"));
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(icon, QMessageBox::Information);
}
