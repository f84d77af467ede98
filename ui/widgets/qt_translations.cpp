// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace quibel {

namespace {
// The translator is a child of the application, found again by its name: it lives as long
// as the application and needs no variable of its own.
const QString kTranslatorName = QStringLiteral("QtOwnTexts");
} // namespace

bool useQtTranslations(Language language) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    if (auto* old = app->findChild<QTranslator*>(kTranslatorName, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    if (language == Language::English)
        return true;
    auto* translator = new QTranslator(app);
    translator->setObjectName(kTranslatorName);
    if (!translator->load(QStringLiteral("qt_fr"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace quibel
