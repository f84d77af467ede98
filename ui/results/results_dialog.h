// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"
#include "texts/text_catalogue.h"
#include "ui/results/results_plot_range.h"
#include "ui/results/results_series_list.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;

namespace quibel {

class MouseModeButtons;
class ChartWidget;
class ChartSeries;
class UserPrompts;

/// The results viewer: one result series of the last analysis at a time against time, chosen
/// from the list of the analysis kind, with its extremes, the value under the mouse, zoom and
/// pan, a copy of the plot, an export of the plot as a picture, the CSV export of the results
/// and the spreadsheet of all series. It only reads the model.
///
/// The time axis shows the whole run while the full-view flag is set: when the window opens
/// and after "Full view". Any of the four mouse-mode buttons clears the flag, so that the
/// time range the user zoomed to is kept when another series is chosen.
class ResultsDialog final : public QDialog {
    Q_OBJECT
public:
    /// model and prompts must outlive the window.
    ResultsDialog(const TBlocStatic& model, Language language, UserPrompts& prompts,
                  QWidget* parent = nullptr);
    ResultsDialog(const TBlocStatic&& model, Language language, UserPrompts& prompts,
                  QWidget* parent = nullptr) = delete;
    ~ResultsDialog() override;

    /// How the window shows its spreadsheet (modally, by default); tests give their own.
    void setModalRunner(std::function<void(QDialog&)> runner) { mRunModal = std::move(runner); }

    /// Shows item index of the list ("Liste").
    void ListeChange(int index);
    /// Shows the whole run again.
    void showFullView();
    /// Opens the spreadsheet of the results.
    void openSpreadsheet();
    /// The CSV export of the results ("Save as...").
    void saveAs();
    /// The picture of the plot: a Windows metafile, or SVG, PNG or PDF after the name's
    /// extension.
    void exportGraphic();
    /// Copies the plot to the clipboard.
    void copyToClipboard();
    /// Prints the plot, as large as the page allows.
    void printPlot();
    /// Items drawn with the chosen one, each in its colour and named in a legend: up to
    /// kMaxCompared - 1 others, in the order given (the chosen item, repeats and items out of
    /// the list are left out). An empty list shows the chosen item alone.
    void setCompared(std::vector<int> items);
    const std::vector<int>& compared() const noexcept { return mCompared; }
    static constexpr int kMaxCompared = 4;
    void showHelpPage();

    const std::vector<ResultsListItem>& items() const noexcept { return mItems; }
    /// The values of the series shown (a copy).
    std::vector<double> shownSeries() const;
    const ResultsOrdinate& ordinate() const noexcept { return mOrdinate; }
    bool fullView() const noexcept { return mFullView; }
    ChartWidget& chart() const noexcept { return *mChart; }

private:
    void drawSeries();
    void chartMouseMove(bool inChart, double x, double y);
    void showSaveError(const QString& path, const QString& reason);

    const TBlocStatic& mModel;
    Language mLanguage;
    UserPrompts& mPrompts;
    std::function<void(QDialog&)> mRunModal;
    std::vector<ResultsListItem> mItems;
    int mIndex = 0;
    /// The series shown, read where the run stored it when it is one of the run's series.
    std::shared_ptr<const ChartSeries> mShown;
    std::vector<int> mCompared;
    std::vector<QAction*> mCompareActions;
    ResultsOrdinate mOrdinate;
    bool mFullView = true;
    double mInterval = 0.01; ///< s between two samples

    QComboBox* mListe = nullptr;
    ChartWidget* mChart = nullptr;
    MouseModeButtons* mMouseButtons = nullptr;
    QLabel* mLabelMax = nullptr;
    QLabel* mLabelMin = nullptr;
    QLabel* mLabelTimePos = nullptr;
    QLabel* mLabelValuePos = nullptr;
};

} // namespace quibel
