// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/help_window.h"

#include "model/model_flags.h"
#include "model/project_record.h"
#include "reporting/computed_data_report.h"
#include "ui/widgets/help_topics.h"

#include <QFile>
#include <QRegularExpression>
#include <QWidget>

#include <gtest/gtest.h>

using namespace quibel;

namespace {
// Every context number a window, a menu or a drop-down item opens.
const int kSharedTopics[] = {10,  20,  30,  40,  280, 290, 300, 310, 390, 490, 500,
                             510, 520, 530, 540, 550, 560, 570, 600, 640, 670};
const int kEnglishMenus[] = {210, 220, 230, 240, 250, 260, 270};
const int kFrenchMenus[] = {320, 330, 340, 350, 360, 370, 380};

QString pageOf(Language l, int context) {
    return helpPageUrl(l, context).toString();
}
QString folderOf(Language l) {
    return l == Language::English ? "/en/" : "/fr/";
}
} // namespace

TEST(HelpTopicsTest, EveryContextNumberHasAPageInBothLanguages) {
    for (Language l : {Language::English, Language::French}) {
        for (int n : kSharedTopics) {
            SCOPED_TRACE(n);
            EXPECT_TRUE(pageOf(l, n).endsWith(folderOf(l) + QString::number(n) + ".html"))
                << pageOf(l, n).toStdString();
        }
        for (const HelpPage& p : helpPages(l)) {
            SCOPED_TRACE(p.context);
            EXPECT_FALSE(p.title.isEmpty());
            EXPECT_FALSE(helpPagePlainText(p.url).trimmed().isEmpty());
        }
        EXPECT_FALSE(helpContentsUrl(l).isEmpty());
        EXPECT_FALSE(helpHowToUseUrl(l).isEmpty());
    }
    for (int n : kEnglishMenus)
        EXPECT_TRUE(pageOf(Language::English, n).endsWith("/en/" + QString::number(n) + ".html"));
    for (int n : kFrenchMenus)
        EXPECT_TRUE(pageOf(Language::French, n).endsWith("/fr/" + QString::number(n) + ".html"));
}

// A menu topic of the other language opens the same menu's page in this language.
TEST(HelpTopicsTest, MenuTopicOfTheOtherLanguageGivesThisLanguagesPage) {
    EXPECT_TRUE(pageOf(Language::French, 210).endsWith("/fr/320.html"));
    EXPECT_TRUE(pageOf(Language::English, 380).endsWith("/en/270.html"));
    EXPECT_TRUE(helpPageUrl(Language::English, 12345).isEmpty());
    const int file[2] = {210, 320};
    EXPECT_EQ(menuHelpContext(file, Language::English), 210);
    EXPECT_EQ(menuHelpContext(file, Language::French), 320);
}

// Every link of every page leads to a page that exists.
TEST(HelpTopicsTest, LinksBetweenPagesAreNotBroken) {
    const QRegularExpression href(QStringLiteral("href=\"([^\"#]+)"));
    for (Language l : {Language::English, Language::French}) {
        std::vector<QUrl> pages{helpContentsUrl(l), helpHowToUseUrl(l)};
        for (const HelpPage& p : helpPages(l))
            pages.push_back(p.url);
        for (const QUrl& page : pages) {
            QFile f(QLatin1Char(':') + page.path());
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << page.toString().toStdString();
            const QString html = QString::fromUtf8(f.readAll());
            auto it = href.globalMatch(html);
            while (it.hasNext()) {
                const QString target = it.next().captured(1);
                if (target.startsWith(QLatin1String("http")))
                    continue;
                const QUrl resolved = page.resolved(QUrl(target));
                EXPECT_TRUE(QFile::exists(QLatin1Char(':') + resolved.path()))
                    << page.toString().toStdString() << " -> " << target.toStdString();
            }
        }
    }
}

TEST(HelpWindowTest, ShowsTopicsAndSearchesEveryPage) {
    QWidget owner;
    HelpWindow* help = HelpWindow::forWindow(&owner, Language::French);
    help->showTopic(500);
    EXPECT_TRUE(help->currentPage().toString().endsWith("/fr/500.html"));
    EXPECT_EQ(HelpWindow::forWindow(&owner, Language::French), help); // one per window

    // Accents and case do not matter.
    const QStringList found = help->search(QStringLiteral("GEOMETRIE"));
    EXPECT_FALSE(found.isEmpty());
    EXPECT_TRUE(help->search(QStringLiteral("zzqqxx")).isEmpty());

    help->showTopic(12345); // no such topic: the contents, with a note
    EXPECT_TRUE(help->currentPage().toString().endsWith("/fr/contents.html"));
}

// The computed-data page says what the report of each language holds: the French report
// lists the added masses and the values with them, under headings marked "(avec les masses
// ajoutées)"; the English report holds the block alone, and its page says so.
TEST(HelpTopicsTest, ComputedDataPageSaysWhatEachLanguagesReportHolds) {
    TBlocStatic m = startupModel();
    m.AnalysisKind = AnalysisKind::Rocking;
    setFlag(m.ModelFlags, ModelFlag::HasMasses, true);
    m.Masses.Items.push_back({8, 14, 2, 10});
    auto joined = [&m](Language l) {
        std::string s;
        for (const std::string& line : ComputedDataReport(m, l))
            s += line + "\n";
        return QString::fromStdString(s);
    };
    const QString marker = QStringLiteral("(avec les masses ajoutées)");
    ASSERT_TRUE(joined(Language::French).contains(marker));
    ASSERT_FALSE(joined(Language::English).contains(QStringLiteral("14.000")));
    const QString english = helpPagePlainText(helpPageUrl(Language::English, 640));
    const QString french = helpPagePlainText(helpPageUrl(Language::French, 640));
    EXPECT_TRUE(english.contains(marker));
    EXPECT_TRUE(english.contains(QStringLiteral("nor any value with the added masses")));
    EXPECT_TRUE(french.contains(QStringLiteral("« avec les masses ajoutées »")));
    EXPECT_TRUE(french.contains(
        QStringLiteral("ni les listes des forces et des masses ajoutées, ni les valeurs avec")));
}
