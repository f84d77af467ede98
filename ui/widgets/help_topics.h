// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <QString>
#include <QUrl>

#include <vector>

namespace quibel {

/// Help context numbers of the windows and menus. Every Help button, F1 and the Help menu open
/// the page of one of them in the help window.
namespace HelpContext {
inline constexpr int MainWindow = 10;
inline constexpr int EarthquakeDatabase = 20;
inline constexpr int FunctionGenerator = 30;
inline constexpr int AdvancedHistorySettings = 40;
/// The menus of the main window: English topic, then French topic.
inline constexpr int FileMenu[2] = {210, 320};
inline constexpr int EditMenu[2] = {220, 330};
inline constexpr int ParametersMenu[2] = {230, 340};
inline constexpr int AnalysisMenu[2] = {240, 350};
inline constexpr int ResultsMenu[2] = {250, 360};
inline constexpr int OptionsMenu[2] = {260, 370};
inline constexpr int HelpMenu[2] = {270, 380};
/// The four items of the time-history drop-down, in HistoryKind order.
inline constexpr int HistoryItem[4] = {280, 290, 300, 310};
inline constexpr int FileFormat = 390;
inline constexpr int ForceList = 490;
inline constexpr int Geometry = 500;
inline constexpr int AnalysisOptions = 510;
inline constexpr int ResponseSpectra = 520;
inline constexpr int TimeHistory = 530;
inline constexpr int Animation = 540;
inline constexpr int ForceData = 550;
inline constexpr int RotationalProperties = 560;
inline constexpr int Results = 570;
inline constexpr int MassList = 600;
inline constexpr int ComputedData = 640;
inline constexpr int MassData = 670;
inline constexpr int About = 700;
} // namespace HelpContext

/// The topic of a menu in language (English topics 210..270, French topics 320..380).
int menuHelpContext(const int (&topics)[2], Language language) noexcept;

/// One page of the help.
struct HelpPage final {
    int context = 0;
    QUrl url;
    QString title;
};

/// The page of context in language. A menu topic of the other language (210 for 320 and so
/// on) gives the same page in language; a number with no page in language falls back to
/// English. Empty when no page exists at all.
QUrl helpPageUrl(Language language, int context);
/// The contents page and the page on using the help window.
QUrl helpContentsUrl(Language language);
QUrl helpHowToUseUrl(Language language);
/// Every numbered page of language, in context order, with its title.
std::vector<HelpPage> helpPages(Language language);
/// The page's text without markup, for the search.
QString helpPagePlainText(const QUrl& page);

} // namespace quibel
