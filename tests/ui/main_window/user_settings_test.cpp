// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/user_settings.h"

#include "ui/main_window/recent_files.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quibel;

TEST(RecentFilesTest, KeepsTenPathsMostRecentFirstEachOnce) {
    RecentFiles list;
    for (int i = 1; i <= 12; ++i)
        list.add(QStringLiteral("/p/%1.qbl").arg(i));
    ASSERT_EQ(list.entries().size(), 10);
    EXPECT_EQ(list.entries().first(), QStringLiteral("/p/12.qbl"));
    EXPECT_EQ(list.entries().last(), QStringLiteral("/p/3.qbl"));

    list.add(QStringLiteral("/p/7.qbl")); // moves to the top, not repeated
    EXPECT_EQ(list.entries().size(), 10);
    EXPECT_EQ(list.entries().first(), QStringLiteral("/p/7.qbl"));
    EXPECT_EQ(list.entries().count(QStringLiteral("/p/7.qbl")), 1);

    list.remove(QStringLiteral("/p/12.qbl"));
    list.remove(QStringLiteral("/p/not-there.qbl"));
    EXPECT_EQ(list.entries().size(), 9);
    EXPECT_FALSE(list.entries().contains(QStringLiteral("/p/12.qbl")));

    const RecentFiles stored(
        {QStringLiteral("/a"), QString(), QStringLiteral("/b"), QStringLiteral("/a")});
    EXPECT_EQ(stored.entries(), (QStringList{QStringLiteral("/a"), QStringLiteral("/b")}));
}

TEST(UserSettingsTest, LanguageIsEnglishUnlessTheSettingSaysFalse) {
    struct Case {
        const char* stored; // nullptr: no value at all
        bool english;
    } cases[] = {{nullptr, true}, {"true", true}, {"false", false},
                 {"0", false},    {"1", true},    {"garbage", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(missing)");
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("s.ini"));
        if (c.stored) {
            QFile f(ini);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("[General]\nversion=") + c.stored + "\n");
        }
        EXPECT_EQ(UserSettings(ini).readEnglishLanguage(), c.english);
    }
}

TEST(UserSettingsTest, WritesTheLanguageAndTheRecentListInItsGroup) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("s.ini"));
    {
        UserSettings s(ini);
        s.writeEnglishLanguage(false);
        s.writeRecentFiles({QStringLiteral("/x/one.qbl"), QStringLiteral("/x/two.qbl")});
        s.writeRecentFiles({QStringLiteral("/x/three.qbl")}); // replaces the earlier list
        s.sync();
    }
    UserSettings s(ini);
    EXPECT_FALSE(s.readEnglishLanguage());
    EXPECT_EQ(s.readRecentFiles(), QStringList{QStringLiteral("/x/three.qbl")});
    QSettings raw(ini, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("MRU/File1")).toString(), QStringLiteral("/x/three.qbl"));
    EXPECT_FALSE(raw.contains(QStringLiteral("MRU/File2")));
}
