// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/results_dialog.h"

#include "chart/chart_export.h"
#include "chart/chart_series.h"
#include "chart/chart_widget.h"
#include "engine/run/run_length.h"
#include "ui/results/export_progress_window.h"
#include "ui/results/results_csv_export.h"
#include "ui/results/spreadsheet_dialog.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/mouse_mode_buttons.h"
#include "ui/widgets/regional_decimal.h"
#include "ui/widgets/ui_text.h"
#include "ui/widgets/user_prompts.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quibel {

namespace {

QLabel* namedLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

// The chosen series first, then those compared with it.
const QColor kSeriesColours[ResultsDialog::kMaxCompared] = {Qt::black, Qt::blue, Qt::red,
                                                            QColor(0, 128, 0)};

std::shared_ptr<const ChartSeries> itemSeries(const TBlocStatic& model, const ResultsListItem& item,
                                              double interval) {
    const std::span<const double> stored = ResultsItemStored(model, item);
    if (!stored.empty())
        return std::make_shared<const ChartSeries>(SeriesSamples{0.0, interval, stored});
    return ChartSeries::owning(ResultsItemValues(model, item), 0.0, interval);
}

} // namespace

ResultsDialog::ResultsDialog(const TBlocStatic& model, Language language, UserPrompts& prompts,
                             QWidget* parent)
    : QDialog(parent), mModel(model), mLanguage(language), mPrompts(prompts),
      mRunModal([](QDialog& d) { d.exec(); }),
      mItems(ResultsSeriesList(model.AnalysisKind, model.UnitSystem, language)),
      mInterval(SampleInterval(model.Options)) {
    setObjectName(QStringLiteral("ResultsDialog"));
    setWindowTitle(uiText(language, "ui.results.caption"));
    setMinimumSize(595, 399);
    resize(760, 520);
    auto t = [language](const char* key) { return uiText(language, key); };

    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("MainMenu"));
    QMenu* file = menuBar->addMenu(t("ui.results.menu.file"));
    QAction* saveAs = file->addAction(t("ui.results.save_as"), this, &ResultsDialog::saveAs);
    saveAs->setObjectName(QStringLiteral("ActionSaveAs"));
    saveAs->setShortcut(QKeySequence(Qt::Key_F2));
    QAction* exportGraphic =
        file->addAction(t("ui.results.export_graphic"), this, &ResultsDialog::exportGraphic);
    exportGraphic->setObjectName(QStringLiteral("ActionExportGraphic"));
    exportGraphic->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    QAction* close = file->addAction(t("ui.results.close"), this, &QDialog::accept);
    close->setObjectName(QStringLiteral("ActionClose"));
    close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    QAction* print = file->addAction(t("large.print"), this, &ResultsDialog::printPlot);
    print->setObjectName(QStringLiteral("ActionPrint"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    print->setShortcutContext(Qt::WindowShortcut);
    QMenu* edit = menuBar->addMenu(t("ui.results.menu.edit"));
    QAction* copy = edit->addAction(t("ui.results.copy"), this, &ResultsDialog::copyToClipboard);
    copy->setObjectName(QStringLiteral("ActionCopy"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    QMenu* compare = menuBar->addMenu(t("large.compare_menu"));
    compare->setObjectName(QStringLiteral("CompareMenu"));
    for (std::size_t i = 0; i < mItems.size(); ++i) {
        QAction* a = compare->addAction(QString::fromStdString(mItems[i].label));
        a->setObjectName(QStringLiteral("ActionCompare%1").arg(i));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, i](bool on) {
            std::vector<int> items = mCompared;
            if (on)
                items.push_back(static_cast<int>(i));
            else
                std::erase(items, static_cast<int>(i));
            setCompared(items);
        });
        mCompareActions.push_back(a);
    }
    compare->addSeparator();
    QAction* clear =
        compare->addAction(t("large.compare_clear"), this, [this] { setCompared({}); });
    clear->setObjectName(QStringLiteral("ActionCompareClear"));
    QMenu* help = menuBar->addMenu(t("ui.results.menu.help"));
    QAction* helpItem = help->addAction(t("ui.results.help"), this, &ResultsDialog::showHelpPage);
    helpItem->setObjectName(QStringLiteral("ActionHelp"));
    helpItem->setShortcut(QKeySequence(Qt::Key_F1));
    for (QAction* a : {saveAs, exportGraphic, close, copy, helpItem})
        a->setShortcutContext(Qt::WindowShortcut);

    mChart = new ChartWidget(this);
    mChart->setObjectName(QStringLiteral("Chart"));
    mChart->setIdAbscissa(t("ui.results.axis_time"));
    mChart->setGridStyle(GridStyle::DotLines);
    mChart->setGridColor(QColor(192, 192, 192));
    mChart->setCursor(Qt::CrossCursor);
    mChart->setCaption(QString::fromStdString(model.FileName).left(65));

    auto* top = new QHBoxLayout;
    top->addWidget(namedLabel(this, "LabelSelect", t("ui.results.select")));
    mListe = new QComboBox(this);
    mListe->setObjectName(QStringLiteral("Liste"));
    for (const ResultsListItem& item : mItems)
        mListe->addItem(QString::fromStdString(item.label));
    top->addWidget(mListe, 1);
    auto* full = new QPushButton(t("ui.results.full_view"), this);
    full->setObjectName(QStringLiteral("ButtonFull"));
    top->addWidget(full);
    auto* values = new QPushButton(t("ui.results.spreadsheet"), this);
    values->setObjectName(QStringLiteral("ButtonValues"));
    top->addWidget(values);
    mMouseButtons = new MouseModeButtons(
        mChart,
        {{{MouseAction::None, QStringLiteral("ButtonNone"), t("ui.results.mouse.none")},
          {MouseAction::ZoomDrag, QStringLiteral("ButtonDrag"), t("ui.results.mouse.drag")},
          {MouseAction::Pan, QStringLiteral("ButtonPan"), t("ui.results.mouse.pan")},
          {MouseAction::ZoomWindow, QStringLiteral("ButtonZoom"), t("ui.results.mouse.zoom")}}},
        this);
    top->addWidget(mMouseButtons);

    auto* bottom = new QHBoxLayout;
    auto value = [this](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(QLatin1String(name));
        label->setMinimumWidth(90);
        return label;
    };
    mLabelMax = value("LabelMax");
    mLabelMin = value("LabelMin");
    mLabelTimePos = value("LabelTimePos");
    mLabelValuePos = value("LabelValuePos");
    bottom->addWidget(namedLabel(this, "MaxTitle", t("ui.results.max")));
    bottom->addWidget(mLabelMax);
    bottom->addWidget(namedLabel(this, "MinTitle", t("ui.results.min")));
    bottom->addWidget(mLabelMin);
    bottom->addStretch(1);
    bottom->addWidget(namedLabel(this, "LabelTime", t("ui.results.time")));
    bottom->addWidget(mLabelTimePos);
    bottom->addWidget(namedLabel(this, "LabelValue", t("ui.results.value")));
    bottom->addWidget(mLabelValuePos);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(top);
    layout->addWidget(mChart, 1);
    layout->addLayout(bottom);

    connect(mListe, &QComboBox::currentIndexChanged, this, &ResultsDialog::ListeChange);
    connect(full, &QPushButton::clicked, this, &ResultsDialog::showFullView);
    connect(values, &QPushButton::clicked, this, &ResultsDialog::openSpreadsheet);
    for (int i = 0; i < 4; ++i)
        connect(mMouseButtons->button(i), &QToolButton::clicked, this,
                [this] { mFullView = false; });
    connect(mChart, &ChartWidget::mouseMovedInChart, this,
            [this](ChartWidget*, bool inChart, Qt::KeyboardModifiers, double x, double y) {
                chartMouseMove(inChart, x, y);
            });

    mFullView = true;
    ListeChange(0);
}

ResultsDialog::~ResultsDialog() = default;

void ResultsDialog::ListeChange(int index) {
    if (index < 0 || index >= static_cast<int>(mItems.size()))
        return;
    mIndex = index;
    if (mListe->currentIndex() != index)
        mListe->setCurrentIndex(index);
    mShown = itemSeries(mModel, mItems[static_cast<std::size_t>(index)], mInterval);
    mChart->setIdOrdinate(mListe->itemText(index));
    setCompared(mCompared); // leaves out the item now chosen
}

std::vector<double> ResultsDialog::shownSeries() const {
    if (!mShown)
        return {};
    const std::span<const double> v = mShown->samples().values;
    return {v.begin(), v.end()};
}

void ResultsDialog::setCompared(std::vector<int> items) {
    mCompared.clear();
    for (int i : items) {
        const bool known = i >= 0 && i < static_cast<int>(mItems.size()) && i != mIndex &&
                           std::find(mCompared.begin(), mCompared.end(), i) == mCompared.end();
        if (known && static_cast<int>(mCompared.size()) < kMaxCompared - 1)
            mCompared.push_back(i);
    }
    for (std::size_t i = 0; i < mCompareActions.size(); ++i)
        mCompareActions[i]->setChecked(
            std::find(mCompared.begin(), mCompared.end(), static_cast<int>(i)) != mCompared.end());
    drawSeries();
}

void ResultsDialog::showFullView() {
    mFullView = true;
    drawSeries();
}

void ResultsDialog::drawSeries() {
    const int n = static_cast<int>(mShown->size());
    if (mFullView) {
        // A run of one sample still gets a time axis of one sample interval.
        mChart->setRangeLoX(0.0);
        mChart->setRangeHiX(n > 1 ? (n - 1) * mInterval : mInterval);
    }
    mOrdinate = ResultsOrdinateRange(mShown->samples().values);
    std::vector<std::shared_ptr<const ChartSeries>> compared;
    std::vector<LegendEntry> legend;
    double low = mOrdinate.low;
    double high = mOrdinate.high;
    for (int i : mCompared) {
        compared.push_back(itemSeries(mModel, mItems[static_cast<std::size_t>(i)], mInterval));
        const ResultsOrdinate range = ResultsOrdinateRange(compared.back()->samples().values);
        low = std::min(low, range.low);
        high = std::max(high, range.high);
    }
    if (!compared.empty()) {
        legend.push_back({mListe->itemText(mIndex), kSeriesColours[0]});
        for (std::size_t k = 0; k < compared.size(); ++k)
            legend.push_back({mListe->itemText(mCompared[k]), kSeriesColours[k + 1]});
    }
    mChart->setLegend(std::move(legend));
    mChart->setRangeY(low, high);
    mChart->clearGraph();
    for (std::size_t k = 0; k < compared.size(); ++k) {
        mChart->setDataColor(kSeriesColours[k + 1]);
        mChart->drawSeries(compared[k]);
    }
    mChart->setDataColor(kSeriesColours[0]);
    for (int number : {1, 2}) {
        CrossHair c = mChart->crossHair(number);
        c.Mode = CrossHairMode::Off;
        mChart->setCrossHair(number, c);
    }
    mChart->drawSeries(mShown);
    if (isResultantPosition(mItems[static_cast<std::size_t>(mIndex)])) {
        // The two edges of the analysis plane, at 0 and 100 % of its length.
        const double edges[] = {0.0, 100.0};
        for (int number : {1, 2}) {
            CrossHair c = mChart->crossHair(number);
            c.Mode = CrossHairMode::Horizontal;
            c.Color = Qt::blue;
            c.LineType = Qt::SolidLine;
            c.FollowsMouse = false;
            mChart->setCrossHair(number, c);
            mChart->setCrossHairPos(number, 0.0, edges[number - 1]);
        }
    }
    mChart->showGraph();
    const char sep = regionalDecimalSeparator();
    mLabelMax->setText(QString::fromStdString(exponentLabel(mOrdinate.maximum, sep)));
    mLabelMin->setText(QString::fromStdString(exponentLabel(mOrdinate.minimum, sep)));
}

void ResultsDialog::chartMouseMove(bool inChart, double x, double y) {
    if (!inChart)
        return;
    mLabelTimePos->setText(fixedNumber(x, 8, 3));
    mLabelValuePos->setText(
        QString::fromStdString(exponentLabel(y, regionalDecimalSeparator(), true)));
}

void ResultsDialog::openSpreadsheet() {
    SpreadsheetDialog sheet(mModel, mLanguage, mPrompts, this);
    mRunModal(sheet);
}

void ResultsDialog::saveAs() {
    const QString path = mPrompts.saveFileName(this, {uiText(mLanguage, "ui.results.csv_title"),
                                                      {uiText(mLanguage, "ui.results.csv_filter")},
                                                      QStringLiteral("csv")});
    if (path.isEmpty())
        return;
    QString reason;
    if (!exportTextRows(this, mLanguage, path,
                        ResultsCsvRows(mModel, mLanguage, regionalDecimalSeparator()), &reason))
        showSaveError(path, reason);
}

void ResultsDialog::exportGraphic() {
    const QString path = mPrompts.saveFileName(
        this,
        {uiText(mLanguage, "ui.results.graphic_title"),
         {uiText(mLanguage, "ui.results.filter.wmf"), uiText(mLanguage, "ui.results.filter.svg"),
          uiText(mLanguage, "ui.results.filter.png"), uiText(mLanguage, "ui.results.filter.pdf")},
         QStringLiteral("wmf")});
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    bool written = false;
    if (suffix == QLatin1String("svg"))
        written = saveChartAsSvg(*mChart, path);
    else if (suffix == QLatin1String("png"))
        written = saveChartAsPng(*mChart, path);
    else if (suffix == QLatin1String("pdf"))
        written = saveChartAsPdf(*mChart, path);
    else
        written = saveChartAsMetafile(*mChart, path);
    if (!written)
        showSaveError(path, {});
}

void ResultsDialog::copyToClipboard() {
    mChart->copyToClipboard();
}

void ResultsDialog::printPlot() {
    QPrinter printer;
    if (mPrompts.printDialog(this, printer))
        printChart(*mChart, printer);
}

void ResultsDialog::showHelpPage() {
    showHelp(this, mLanguage, HelpContext::Results);
}

void ResultsDialog::showSaveError(const QString& path, const QString& reason) {
    QString message = uiText(mLanguage, "ui.results.unable_to_write", {path});
    if (!reason.isEmpty())
        message += QStringLiteral("\n") + reason;
    mPrompts.showMessage(this, MessageKind::Error, message);
}

} // namespace quibel
