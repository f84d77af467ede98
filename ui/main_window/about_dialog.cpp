// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/about_dialog.h"

#include "ui/widgets/help_key.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/ui_text.h"
#include "version/program_version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <string>
#include <string_view>

namespace quibel {

namespace {

QString htmlList(const QStringList& items) {
    QString list;
    for (const QString& item : items)
        list += QStringLiteral("<li>%1</li>").arg(item.toHtmlEscaped());
    return QStringLiteral("<ul>%1</ul>").arg(list);
}

} // namespace

QString AboutDialog::version() {
    const std::string_view v = programVersion();
    return QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size()));
}

QStringList AboutDialog::libraries(Language language) {
    return {
        uiText(language, "ui.about.library.qt", {QString::fromLatin1(qVersion())}),
        uiText(language, "ui.about.library.freexl"),
        uiText(language, "ui.about.library.zip"),
        uiText(language, "ui.about.library.fftw"),
        uiText(language, "ui.about.library.json"),
        uiText(language, "ui.about.library.runtime"),
    };
}

QStringList AboutDialog::credits(Language language) {
    QStringList lines;
    for (const char* source : {"geonet", "cesmd", "scsn", "usgs", "peer", "others"})
        lines << uiText(language, std::string("ui.about.credit.") + source);
    return lines;
}

AboutDialog::AboutDialog(Language language, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(uiText(language, "ui.about.caption"));
    addHelpShortcut(*this, language, HelpContext::About);

    auto* name = new QLabel(QStringLiteral("<h2>QUIBEL</h2>"), this);
    name->setObjectName(QStringLiteral("AboutName"));
    auto* versionLabel = new QLabel(uiText(language, "ui.about.version", {version()}), this);
    versionLabel->setObjectName(QStringLiteral("AboutVersion"));
    auto* summary = new QLabel(uiText(language, "ui.about.summary"), this);
    summary->setObjectName(QStringLiteral("AboutSummary"));
    summary->setWordWrap(true);
    auto* licence = new QLabel(uiText(language, "ui.about.licence"), this);
    licence->setObjectName(QStringLiteral("AboutLicence"));
    licence->setWordWrap(true);
    auto* librariesTitle = new QLabel(uiText(language, "ui.about.libraries"), this);
    auto* librariesList = new QLabel(htmlList(libraries(language)), this);
    librariesList->setObjectName(QStringLiteral("AboutLibraries"));
    librariesList->setWordWrap(true);
    auto* creditsTitle = new QLabel(uiText(language, "ui.about.credits"), this);
    // The credits are long; they scroll in a box of their own.
    auto* creditsList = new QTextBrowser(this);
    creditsList->setObjectName(QStringLiteral("AboutCredits"));
    creditsList->setHtml(htmlList(credits(language)));
    creditsList->setMinimumHeight(160);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok =
        buttons->addButton(uiText(language, "ui.box.ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("AboutOk"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(versionLabel);
    layout->addWidget(summary);
    layout->addWidget(licence);
    layout->addWidget(librariesTitle);
    layout->addWidget(librariesList);
    layout->addWidget(creditsTitle);
    layout->addWidget(creditsList);
    layout->addWidget(buttons);
    setFixedWidth(480);
}

} // namespace quibel
