// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/help_window.h"

#include "ui/widgets/help_topics.h"
#include "ui/widgets/ui_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quibel {

namespace {
// Lower case without accents, so that "energie" finds "énergie".
QString folded(const QString& s) {
    const QString decomposed = s.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            out.append(c.toLower());
    return out;
}
} // namespace

void showHelp(QWidget* from, Language language, int context) {
    HelpWindow::forWindow(from, language)->showTopic(context);
}

HelpWindow* HelpWindow::forWindow(QWidget* from, Language language) {
    QWidget* owner = from ? from->window() : nullptr;
    HelpWindow* window = nullptr;
    if (owner)
        window = owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new HelpWindow(owner);
    window->setLanguage(language);
    return window;
}

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);

    mContents = new QPushButton(this);
    mContents->setObjectName(QStringLiteral("HelpContentsButton"));
    mSearch = new QPushButton(this);
    mSearch->setObjectName(QStringLiteral("HelpSearchButton"));
    mHowTo = new QPushButton(this);
    mHowTo->setObjectName(QStringLiteral("HelpHowToButton"));
    mBack = new QPushButton(this);
    mBack->setObjectName(QStringLiteral("HelpBackButton"));
    mForward = new QPushButton(this);
    mForward->setObjectName(QStringLiteral("HelpForwardButton"));
    mClose = new QPushButton(this);
    mClose->setObjectName(QStringLiteral("HelpCloseButton"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {mContents, mSearch, mHowTo, mBack, mForward})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(mClose);

    mSearchPanel = new QWidget(this);
    mSearchPanel->setObjectName(QStringLiteral("HelpSearchPanel"));
    auto* searchLabel = new QLabel(mSearchPanel);
    searchLabel->setObjectName(QStringLiteral("HelpSearchLabel"));
    mSearchEdit = new QLineEdit(mSearchPanel);
    mSearchEdit->setObjectName(QStringLiteral("HelpSearchEdit"));
    mSearchResults = new QListWidget(mSearchPanel);
    mSearchResults->setObjectName(QStringLiteral("HelpSearchResults"));
    auto* searchLayout = new QVBoxLayout(mSearchPanel);
    searchLayout->setContentsMargins(0, 0, 0, 0);
    searchLayout->addWidget(searchLabel);
    searchLayout->addWidget(mSearchEdit);
    searchLayout->addWidget(mSearchResults, 1);
    mSearchPanel->hide();

    mBrowser = new QTextBrowser(this);
    mBrowser->setObjectName(QStringLiteral("HelpBrowser"));
    mBrowser->setOpenExternalLinks(true);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(mSearchPanel);
    splitter->addWidget(mBrowser);
    splitter->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    connect(mContents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(mSearch, &QPushButton::clicked, this, &HelpWindow::showSearch);
    connect(mHowTo, &QPushButton::clicked, this, &HelpWindow::showHowToUse);
    connect(mBack, &QPushButton::clicked, mBrowser, &QTextBrowser::backward);
    connect(mForward, &QPushButton::clicked, mBrowser, &QTextBrowser::forward);
    connect(mClose, &QPushButton::clicked, this, &QWidget::close);
    connect(mBrowser, &QTextBrowser::backwardAvailable, mBack, &QWidget::setEnabled);
    connect(mBrowser, &QTextBrowser::forwardAvailable, mForward, &QWidget::setEnabled);
    connect(mSearchEdit, &QLineEdit::textChanged, this, &HelpWindow::runSearch);
    connect(mSearchResults, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toUrl()); });
    connect(mSearchResults, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toUrl()); });
    mBack->setEnabled(false);
    mForward->setEnabled(false);
    resize(720, 560);
}

void HelpWindow::setLanguage(Language language) {
    mLanguage = language;
    setWindowTitle(uiText(language, "ui.help.caption"));
    mContents->setText(uiText(language, "ui.help.contents"));
    mSearch->setText(uiText(language, "ui.help.search"));
    mHowTo->setText(uiText(language, "ui.help.how_to_use"));
    mBack->setText(uiText(language, "ui.help.back"));
    mForward->setText(uiText(language, "ui.help.forward"));
    mClose->setText(uiText(language, "ui.help.close"));
    findChild<QLabel*>(QStringLiteral("HelpSearchLabel"))
        ->setText(uiText(language, "ui.help.search_label"));
}

void HelpWindow::showTopic(int context) {
    const QUrl url = helpPageUrl(mLanguage, context);
    if (url.isEmpty()) {
        showContents();
        mBrowser->append(
            QStringLiteral("<p><i>%1</i></p>")
                .arg(uiText(mLanguage, "ui.help.missing_topic", {QString::number(context)})
                         .toHtmlEscaped()));
        return;
    }
    showPage(url);
}

void HelpWindow::showContents() {
    showPage(helpContentsUrl(mLanguage));
}

void HelpWindow::showHowToUse() {
    showPage(helpHowToUseUrl(mLanguage));
}

void HelpWindow::showSearch() {
    mSearchPanel->show();
    if (mBrowser->source().isEmpty())
        showContents();
    runSearch();
    bringToFront();
    mSearchEdit->setFocus();
}

void HelpWindow::showPage(const QUrl& url) {
    if (url.isEmpty())
        return;
    mBrowser->setSource(url);
    bringToFront();
}

void HelpWindow::bringToFront() {
    show();
    raise();
    activateWindow();
}

QUrl HelpWindow::currentPage() const {
    return mBrowser->source();
}

void HelpWindow::buildIndex() {
    if (mIndexBuilt && mIndexLanguage == mLanguage)
        return;
    mIndex.clear();
    for (const HelpPage& page : helpPages(mLanguage))
        mIndex.push_back({page.url, page.title, folded(helpPagePlainText(page.url))});
    mIndexLanguage = mLanguage;
    mIndexBuilt = true;
}

QStringList HelpWindow::search(const QString& word) {
    buildIndex();
    QStringList titles;
    const QString w = folded(word.trimmed());
    for (const IndexedPage& page : mIndex)
        if (w.isEmpty() || page.foldedText.contains(w))
            titles.append(page.title);
    return titles;
}

void HelpWindow::runSearch() {
    buildIndex();
    mSearchResults->clear();
    const QString w = folded(mSearchEdit->text().trimmed());
    for (const IndexedPage& page : mIndex) {
        if (!w.isEmpty() && !page.foldedText.contains(w))
            continue;
        auto* item = new QListWidgetItem(page.title, mSearchResults);
        item->setData(Qt::UserRole, page.url);
    }
    if (mSearchResults->count() == 0) {
        auto* item = new QListWidgetItem(uiText(mLanguage, "ui.help.no_match"), mSearchResults);
        item->setFlags(Qt::NoItemFlags);
    }
}

} // namespace quibel
