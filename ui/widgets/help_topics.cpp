// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/help_topics.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>

#include <algorithm>

namespace quibel {

namespace {
// Menu topics of the two languages differ by this much.
constexpr int kMenuTopicShift = 110;

QString folder(Language language) {
    return language == Language::English ? QStringLiteral(":/help/en")
                                         : QStringLiteral(":/help/fr");
}

QUrl pageUrl(Language language, const QString& name) {
    const QString path = folder(language) + QLatin1Char('/') + name;
    if (!QFile::exists(path))
        return {};
    return QUrl(QStringLiteral("qrc") + path);
}

QUrl numberedPage(Language language, int context) {
    return pageUrl(language, QStringLiteral("%1.html").arg(context));
}

QString readPage(const QUrl& page) {
    QFile f(QLatin1Char(':') + page.path());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}
} // namespace

int menuHelpContext(const int (&topics)[2], Language language) noexcept {
    return language == Language::English ? topics[0] : topics[1];
}

QUrl helpPageUrl(Language language, int context) {
    QUrl url = numberedPage(language, context);
    if (url.isEmpty() && context >= 210 && context <= 270)
        url = numberedPage(language, context + kMenuTopicShift);
    if (url.isEmpty() && context >= 320 && context <= 380)
        url = numberedPage(language, context - kMenuTopicShift);
    if (url.isEmpty() && language != Language::English)
        url = helpPageUrl(Language::English, context);
    return url;
}

QUrl helpContentsUrl(Language language) {
    return pageUrl(language, QStringLiteral("contents.html"));
}

QUrl helpHowToUseUrl(Language language) {
    return pageUrl(language, QStringLiteral("how_to_use_help.html"));
}

std::vector<HelpPage> helpPages(Language language) {
    std::vector<HelpPage> pages;
    const QStringList names =
        QDir(folder(language)).entryList({QStringLiteral("*.html")}, QDir::Files);
    static const QRegularExpression titleRule(QStringLiteral("<title>(.*?)</title>"),
                                              QRegularExpression::DotMatchesEverythingOption);
    for (const QString& name : names) {
        bool numbered = false;
        const int context = QStringView(name).chopped(5).toInt(&numbered);
        if (!numbered)
            continue;
        HelpPage page;
        page.context = context;
        page.url = pageUrl(language, name);
        page.title = titleRule.match(readPage(page.url)).captured(1).trimmed();
        pages.push_back(page);
    }
    std::sort(pages.begin(), pages.end(),
              [](const HelpPage& a, const HelpPage& b) { return a.context < b.context; });
    return pages;
}

QString helpPagePlainText(const QUrl& page) {
    QTextDocument doc;
    doc.setHtml(readPage(page));
    return doc.toPlainText();
}

} // namespace quibel
