#include "ui/main_window/about_dialog.h"

#include "ui/widgets/ui_text.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quibel {

QString AboutDialog::version() {
    return QStringLiteral(QUIBEL_VERSION);
}

QStringList AboutDialog::libraries() {
    return {
        QStringLiteral("Qt %1 (LGPL-3.0) — widgets, printing, SVG")
            .arg(QString::fromLatin1(qVersion())),
        QStringLiteral("C++ standard library (GCC libstdc++)"),
    };
}

AboutDialog::AboutDialog(Language language, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(uiText(language, "ui.about.caption"));

    auto* name = new QLabel(QStringLiteral("<h2>QUIBEL</h2>"), this);
    name->setObjectName(QStringLiteral("AboutName"));
    auto* versionLabel = new QLabel(uiText(language, "ui.about.version", {version()}), this);
    versionLabel->setObjectName(QStringLiteral("AboutVersion"));
    auto* summary = new QLabel(uiText(language, "ui.about.summary"), this);
    summary->setObjectName(QStringLiteral("AboutSummary"));
    summary->setWordWrap(true);
    auto* licence =
        new QLabel(uiText(language, "ui.about.licence", {QStringLiteral(QUIBEL_LICENCE)}), this);
    licence->setObjectName(QStringLiteral("AboutLicence"));
    licence->setWordWrap(true);
    auto* librariesTitle = new QLabel(uiText(language, "ui.about.libraries"), this);
    QString list;
    for (const QString& l : libraries())
        list += QStringLiteral("<li>%1</li>").arg(l.toHtmlEscaped());
    auto* librariesList = new QLabel(QStringLiteral("<ul>%1</ul>").arg(list), this);
    librariesList->setObjectName(QStringLiteral("AboutLibraries"));

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
    layout->addWidget(buttons);
    setFixedWidth(420);
}

} // namespace quibel
