// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <QUrl>
#include <QWidget>

#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;

namespace quibel {

/// Opens the help window of from's window at the page of context, in language. This is what
/// every Help button and F1 call.
void showHelp(QWidget* from, Language language, int context);

/// The help window: the pages of docs/help (compiled into the program) in a browser, with
/// the contents, a word search over every page and the page on using help. One window per
/// top-level window that opened it, so that help stays usable from a modal dialog; it closes
/// with that window.
class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    /// The help window of from's window, made when there is none yet, with its texts in
    /// language. Never null.
    static HelpWindow* forWindow(QWidget* from, Language language);

    void showTopic(int context);
    void showContents();
    /// Shows the search field and the list of pages that contain its word.
    void showSearch();
    void showHowToUse();

    /// The page shown.
    QUrl currentPage() const;
    /// Titles of the pages that contain word (case and accents ignored), in context order.
    QStringList search(const QString& word);

private:
    explicit HelpWindow(QWidget* owner);
    void setLanguage(Language language);
    void showPage(const QUrl& url);
    void runSearch();
    void bringToFront();

    struct IndexedPage {
        QUrl url;
        QString title;
        QString foldedText;
    };
    void buildIndex();

    Language mLanguage = Language::English;
    QTextBrowser* mBrowser = nullptr;
    QWidget* mSearchPanel = nullptr;
    QLineEdit* mSearchEdit = nullptr;
    QListWidget* mSearchResults = nullptr;
    QPushButton* mContents = nullptr;
    QPushButton* mSearch = nullptr;
    QPushButton* mHowTo = nullptr;
    QPushButton* mBack = nullptr;
    QPushButton* mForward = nullptr;
    QPushButton* mClose = nullptr;
    std::vector<IndexedPage> mIndex;
    Language mIndexLanguage = Language::English;
    bool mIndexBuilt = false;
};

} // namespace quibel
