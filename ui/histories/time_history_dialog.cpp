// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/histories/time_history_dialog.h"

#include "chart/chart_series.h"
#include "chart/chart_widget.h"
#include "model/model_flags.h"
#include "model/unit_tables.h"
#include "numeric/error.h"
#include "signals/database_folder.h"
#include "signals/earthquake_database.h"
#include "signals/effective_signal.h"
#include "signals/history_editing.h"
#include "signals/history_plot.h"
#include "signals/history_text_import.h"
#include "signals/history_value.h"
#include "signals/xls_workbook.h"
#include "ui/histories/advanced_dialog.h"
#include "ui/histories/database_dialog.h"
#include "ui/histories/file_format_dialog.h"
#include "ui/histories/generator_dialog.h"
#include "ui/histories/history_chart.h"
#include "ui/histories/spectrum_dialog.h"
#include "ui/widgets/background_work.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/mouse_mode_buttons.h"
#include "ui/widgets/numeric_edit.h"
#include "ui/widgets/ui_text.h"
#include "ui/widgets/user_prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <optional>

namespace quibel {

namespace {

constexpr int kMaxTitle = 255; // characters of a history title

std::uint16_t definedFlag(HistoryKind kind) {
    switch (kind) {
    case HistoryKind::HorizontalAcceleration:
        return ModelFlag::HorizontalAccDefined;
    case HistoryKind::VerticalAcceleration:
        return ModelFlag::VerticalAccDefined;
    case HistoryKind::HorizontalForce:
        return ModelFlag::HorizontalForceDefined;
    case HistoryKind::VerticalForce:
        return ModelFlag::VerticalForceDefined;
    }
    return 0;
}

QString qstr(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString programDatabaseFolder() {
    const QByteArray program = QFile::encodeName(QCoreApplication::applicationDirPath());
    return QFile::decodeName(FindDatabaseFolder(program.toStdString()).c_str());
}

} // namespace

TimeHistoryDialog::TimeHistoryDialog(TBlocStatic& model, HistoryKind kind, Language language,
                                     UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), mModel(model), mKind(kind), mLanguage(language), mPrompts(prompts),
      mWork(model.history(kind)), mRunDialog([](QDialog& d) { return d.exec(); }),
      mDatabaseFolder(programDatabaseFolder()) {
    setObjectName(QStringLiteral("TimeHistoryDialog"));
    const int k = historyIndex(kind);
    QString caption = uiText(language, "ui.history.caption." + std::to_string(k));
    // The French captions of the force histories name no unit.
    if (isForce() && language == Language::English)
        caption += QStringLiteral(" (%1)").arg(qstr(units::forceUnit(model.UnitSystem)));
    mCaption = caption;
    setWindowTitle(caption);

    auto button = [&](const char* name, const char* key) {
        auto* b = new QPushButton(uiText(language, key), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    auto* loadButton = button("LoadFileButton", "ui.history.load_file");
    auto* generatorButton = button("GeneratorButton", "ui.history.generator");
    auto* databaseButton = button("DatabaseButton", "ui.history.database");
    auto* advancedButton = button("AdvancedButton", "ui.history.advanced");
    auto* deleteButton = button("DeleteButton", "ui.history.delete");
    auto* fullViewButton = button("FullViewButton", "ui.history.full_view");
    mButtonSpectrum = button("ButtonSpectrum", "ui.history.spectrum");
    mButtonProperties = button("ButtonProperties", "records.ui.properties");
    mButtonProcessing = button("ButtonProcessing", "records.ui.processing");
    connect(loadButton, &QPushButton::clicked, this, &TimeHistoryDialog::loadFromFile);
    connect(generatorButton, &QPushButton::clicked, this, &TimeHistoryDialog::openGenerator);
    connect(deleteButton, &QPushButton::clicked, this, &TimeHistoryDialog::deleteHistory);
    connect(databaseButton, &QPushButton::clicked, this, &TimeHistoryDialog::openDatabase);
    connect(advancedButton, &QPushButton::clicked, this, &TimeHistoryDialog::openAdvanced);
    connect(fullViewButton, &QPushButton::clicked, this, &TimeHistoryDialog::showFullView);
    connect(mButtonSpectrum, &QPushButton::clicked, this, &TimeHistoryDialog::openSpectrum);
    connect(mButtonProperties, &QPushButton::clicked, this, &TimeHistoryDialog::openProperties);
    connect(mButtonProcessing, &QPushButton::clicked, this, &TimeHistoryDialog::openProcessing);

    mChart = makeHistoryChart(this, uiText(language, "ui.history.axis_time"), GridStyle::None,
                              Qt::DashDotLine);
    connect(mChart, &ChartWidget::mouseMovedInChart, this,
            [this](ChartWidget*, bool inChart, Qt::KeyboardModifiers, double x, double) {
                chartMouseMove(inChart, x);
            });

    mMouseButtons = makeHistoryMouseButtons(
        mChart,
        {MouseAction::None, MouseAction::Pan, MouseAction::ZoomWindow, MouseAction::ZoomDrag},
        language, this);

    auto label = [&](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    auto* labelXpos = label("LabelXpos", uiText(language, "ui.history.position"));
    auto* labelYpos = label("LabelYpos", uiText(language, "ui.history.elevation"));
    const QString lengthMask =
        QStringLiteral(",") + qstr(units::kLengthMask[unitIndex(model.UnitSystem)]);
    auto positionEdit = [&](const char* name, double value) {
        auto* e = new NumericEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setLanguage(language);
        e->setDecimals(12);
        e->setDisplayMask(lengthMask);
        e->setValue(value);
        return e;
    };
    mEditXpos = positionEdit("EditXpos", mWork.PosX);
    mEditYPos = positionEdit("EditYPos", mWork.PosY);
    auto* maxTitle = label("MaxTitle", uiText(language, "ui.history.max"));
    auto* minTitle = label("MinTitle", uiText(language, "ui.history.min"));
    auto* timeTitle = label("TimeTitle", uiText(language, "ui.history.time"));
    auto* valueTitle = label("ValueTitle", uiText(language, "ui.history.value"));
    mLabelmax = label("Labelmax", QString());
    mLabelmin = label("Labelmin", QString());
    mXcoord = label("Xcoord", QString());
    mYcoord = label("Ycoord", QString());
    for (QLabel* l : {mLabelmax, mLabelmin, mXcoord, mYcoord}) {
        l->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-00000.000 kip")));
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

    auto* titleLabel = label("TitleLabel", uiText(language, "ui.history.title"));
    mMemoTitle = new QPlainTextEdit(this);
    mMemoTitle->setObjectName(QStringLiteral("MemoTitle"));
    mMemoTitle->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mMemoTitle->setTabChangesFocus(true);
    mMemoTitle->setFixedHeight(mMemoTitle->fontMetrics().lineSpacing() * 2 + 12);
    mMemoTitle->setPlainText(QString::fromStdString(mWork.Title).left(kMaxTitle));
    mMemoTitle->installEventFilter(this);
    connect(mMemoTitle, &QPlainTextEdit::textChanged, this, &TimeHistoryDialog::titleChanged);

    // Two rows of commands: where the history comes from, then what is done with it. The
    // window is never narrower than they are, in either language.
    auto* commands = new QGridLayout;
    QPushButton* const rows[2][5] = {
        {loadButton, generatorButton, databaseButton, advancedButton, deleteButton},
        {fullViewButton, mButtonSpectrum, mButtonProperties, mButtonProcessing, nullptr}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 5; ++c)
            if (rows[r][c] != nullptr)
                commands->addWidget(rows[r][c], r, c);
    commands->setColumnStretch(5, 1);

    auto* readouts = new QGridLayout;
    readouts->addWidget(mMouseButtons, 0, 0, 2, 1, Qt::AlignVCenter);
    readouts->setColumnMinimumWidth(1, 12);
    readouts->addWidget(labelXpos, 0, 2, Qt::AlignRight);
    readouts->addWidget(mEditXpos, 0, 3);
    readouts->addWidget(labelYpos, 1, 2, Qt::AlignRight);
    readouts->addWidget(mEditYPos, 1, 3);
    readouts->addWidget(maxTitle, 0, 4, Qt::AlignRight);
    readouts->addWidget(mLabelmax, 0, 5);
    readouts->addWidget(minTitle, 1, 4, Qt::AlignRight);
    readouts->addWidget(mLabelmin, 1, 5);
    readouts->addWidget(timeTitle, 0, 6, Qt::AlignRight);
    readouts->addWidget(mXcoord, 0, 7);
    readouts->addWidget(valueTitle, 1, 6, Qt::AlignRight);
    readouts->addWidget(mYcoord, 1, 7);
    readouts->setColumnStretch(8, 1);

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(titleLabel, 0, Qt::AlignTop);
    titleRow->addWidget(mMemoTitle, 1);

    auto* ok = button("ButtonOk", "ui.history.ok");
    ok->setDefault(true);
    auto* cancel = button("ButtonCancel", "ui.history.cancel");
    auto* help = button("HelpBtn", "ui.history.help");
    connect(ok, &QPushButton::clicked, this, &TimeHistoryDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { showHelp(this, mLanguage, HelpContext::TimeHistory); });
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    bottom->addWidget(help);
    bottom->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(commands);
    layout->addLayout(readouts);
    layout->addLayout(titleRow);
    layout->addWidget(mChart, 1);
    layout->addLayout(bottom);

    if (isForce()) {
        mButtonSpectrum->hide();
        mButtonProperties->hide();
        mButtonProcessing->hide();
    } else {
        for (QWidget* w : {static_cast<QWidget*>(labelXpos), static_cast<QWidget*>(mEditXpos),
                           static_cast<QWidget*>(labelYpos), static_cast<QWidget*>(mEditYPos)})
            w->hide();
    }
    resize(sizeHint().expandedTo(QSize(640, 460)));
    PlotHistory();
}

TimeHistoryDialog::~TimeHistoryDialog() = default;

bool TimeHistoryDialog::isForce() const noexcept {
    return mKind == HistoryKind::HorizontalForce || mKind == HistoryKind::VerticalForce;
}

QString TimeHistoryDialog::unitSuffix() const {
    return isForce() ? qstr(units::forceUnit(mModel.UnitSystem)) : QStringLiteral("g");
}

QString TimeHistoryDialog::valueText(double value) const {
    return fixedNumber(value, 8, 3) + QLatin1Char(' ') + unitSuffix();
}

bool TimeHistoryDialog::eventFilter(QObject* watched, QEvent* event) {
    // The title is one line: Enter types no line break there.
    if (watched == mMemoTitle && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TimeHistoryDialog::titleChanged() {
    // Pasted text may bring line breaks and more than a title holds.
    QString text = mMemoTitle->toPlainText();
    QString cleaned = text;
    cleaned.replace(QLatin1Char('\n'), QLatin1Char(' '));
    cleaned.replace(QLatin1Char('\r'), QLatin1Char(' '));
    cleaned.replace(QChar::ParagraphSeparator, QLatin1Char(' '));
    cleaned = cleaned.left(kMaxTitle);
    if (cleaned != text) {
        const QSignalBlocker block(mMemoTitle);
        mMemoTitle->setPlainText(cleaned);
        mMemoTitle->moveCursor(QTextCursor::End);
    }
    mWork.Title = cleaned.toStdString();
}

void TimeHistoryDialog::showError(const Message& message, bool warning) {
    mPrompts.showMessage(this, warning ? MessageKind::Warning : MessageKind::Error,
                         renderMessage(mLanguage, message));
}

void TimeHistoryDialog::chartMouseMove(bool inChart, double x) {
    if (!inChart)
        return;
    mXcoord->setText(fixedNumber(x, 8, 3) + QStringLiteral(" s"));
    // The history's own value at the cursor's time, not the height of the cursor.
    mYcoord->setText(valueText(HistoryEvaluator(mWork).value(std::max(x, 0.0))));
}

void TimeHistoryDialog::PlotHistory() {
    const int k = historyIndex(mKind);
    if (isForce())
        mChart->setIdOrdinate(uiText(mLanguage, "ui.history.axis." + std::to_string(k),
                                     {qstr(units::forceUnit(mModel.UnitSystem))}));
    else
        mChart->setIdOrdinate(uiText(mLanguage, "ui.history.axis." + std::to_string(k)));

    HistoryPlot plot = PlotHistoryData(mWork);
    if (plot.Kind == HistoryPlot::Content::Empty) {
        mChart->clearGraph();
        mChart->setCaption(QString());
        mLabelmax->clear();
        mLabelmin->clear();
    } else {
        mChart->setRangeLoX(plot.TimeMin);
        mChart->setRangeHiX(plot.TimeMax);
        mChart->setRangeLoY(plot.ValueMin);
        mChart->setRangeHiY(plot.ValueMax);
        mChart->clearGraph();
        const SignalSamples& points = *plot.Points;
        if (plot.Kind == HistoryPlot::Content::Sampled) {
            mChart->setCaption(QString());
            mLabelmax->setText(valueText(mChart->RangeHiY()));
            mLabelmin->setText(valueText(mChart->RangeLoY()));
        } else {
            mChart->setCaption(uiText(mLanguage, "signals.generated_function"));
            // The ordinate range of a generated history has a margin; the labels give the
            // extremes of the signal itself.
            mLabelmax->setText(valueText(points.Values.max()));
            mLabelmin->setText(valueText(points.Values.min()));
        }
        // The chart keeps the plot's own samples, apart from the working record, which may
        // change while the plot still shows it; they are not copied once more (a long record's
        // copy would double what the open dialog holds).
        auto owned = std::make_shared<const SignalSamples>(std::move(*plot.Points));
        const auto n = static_cast<std::size_t>(owned->size());
        mChart->drawSeries(std::make_shared<const ChartSeries>(
            SeriesSamples{0.0, 1.0, {owned->Values.data(), n}, {owned->Times.data(), n}}, owned));
    }
    mButtonSpectrum->setEnabled(plot.enablesSpectrum());
    mButtonProperties->setEnabled(plot.enablesSpectrum());
    mButtonProcessing->setEnabled(plot.Kind == HistoryPlot::Content::Sampled && !isForce());
    mChart->showGraph();
}

void TimeHistoryDialog::loadFromFile() {
    FileFormatDialog format(mLanguage, this);
    if (mRunDialog(format) != QDialog::Accepted) {
        PlotHistory();
        return;
    }
    if (format.format() == HistoryFileFormat::AmplitudesOnly && !(format.timeStep() > 0.0)) {
        // Told before a file is chosen: every sample would lie at the same time.
        showError(Message("signals.time_step_not_positive"), true);
        PlotHistory();
        return;
    }
    const QString path = mPrompts.openFileName(this, {uiText(mLanguage, "ui.history.open_title"),
                                                      {uiText(mLanguage, "ui.history.filter_all")},
                                                      QString()});
    if (path.isEmpty()) {
        PlotHistory();
        return;
    }
    if (format.automatic()) {
        loadRecordFile(path, format.timeStep());
        return;
    }
    try {
        const std::string file = QDir::toNativeSeparators(path).toStdString();
        std::optional<SignalSamples> samples;
        runInBackground(this, loadingLabel(path),
                        [&samples, &file, kind = format.format(), dt = format.timeStep()] {
                            samples = ImportHistoryFile(file, kind, dt);
                        });
        StoreSamples(mWork, std::move(*samples));
        showLoadedFile(path);
    } catch (const Error& e) {
        const std::string& key = e.message().key;
        // A file that is not a table of numbers warns; a file that cannot be read is an error.
        showError(e.message(),
                  key != "signals.cannot_open_file" && key != "signals.cannot_read_file");
        return; // the working copy is unchanged and the plot stays as it is
    }
    PlotHistory();
}

void TimeHistoryDialog::openGenerator() {
    GeneratorDialog generator(mWork.Terms, mLanguage, this);
    if (mRunDialog(generator) == QDialog::Accepted)
        StoreGeneratorTerms(mWork, generator.terms());
    PlotHistory();
}

void TimeHistoryDialog::deleteHistory() {
    ClearHistory(mWork);
    PlotHistory();
}

void TimeHistoryDialog::openDatabase() {
    const std::optional<std::string_view> file = DatabaseFileName(mKind);
    if (!file) {
        mPrompts.showMessage(this, MessageKind::Information,
                             uiText(mLanguage, "ui.database.accelerations_only"));
        return;
    }
    const QString path = QDir(mDatabaseFolder).filePath(qstr(*file));
    try {
        const std::unique_ptr<XlsWorkbook> book = XlsWorkbook::open(path.toStdString());
        const DatabaseCatalogue catalogue = ReadDatabaseCatalogue(*book, mLanguage);
        if (catalogue.Nodes.empty()) {
            mPrompts.showMessage(this, MessageKind::Warning,
                                 uiText(mLanguage, "ui.database.empty"));
            PlotHistory();
            return;
        }
        if (catalogue.Truncated)
            mPrompts.showMessage(this, MessageKind::Warning,
                                 uiText(mLanguage, "ui.database.truncated",
                                        {QString::number(catalogue.Nodes.size())}));
        DatabaseDialog database(catalogue, mLanguage, this);
        const bool ok = mRunDialog(database) == QDialog::Accepted;
        const std::optional<DatabaseNode> chosen = database.selection();
        if (ok && chosen && chosen->isRecord()) {
            SignalSamples samples = ReadDatabaseRecord(*book, chosen->Sheet, chosen->Record);
            StoreSamples(mWork, std::move(samples));
            mMemoTitle->setPlainText(QString::fromStdString(chosen->Text).left(kMaxTitle));
        }
    } catch (const Error& e) {
        showError(e.message(), false);
    }
    PlotHistory();
}

void TimeHistoryDialog::openAdvanced() {
    AdvancedDialog advanced(AdvancedDialogSettings(mWork), CorrectionEditable(mWork), mLanguage,
                            this);
    if (mRunDialog(advanced) == QDialog::Accepted)
        ApplyAdvancedSettings(mWork, advanced.settings());
    PlotHistory();
}

void TimeHistoryDialog::showFullView() {
    PlotHistory();
}

void TimeHistoryDialog::openSpectrum() {
    std::optional<SignalSamples> input = EffectiveSignal(mWork);
    if (!input || isForce())
        return;
    SpectrumDialog spectrum(std::move(*input), mModel.UnitSystem, mLanguage, mPrompts, this);
    mRunDialog(spectrum);
    PlotHistory();
}

void TimeHistoryDialog::confirm() {
    titleChanged();
    TimeHistoryRecord& target = mModel.history(mKind);
    if (isForce()) {
        mEditXpos->finishEditing();
        mEditYPos->finishEditing();
        mWork.PosX = mEditXpos->value();
        mWork.PosY = mEditYPos->value();
    } else {
        mWork.PosX = target.PosX;
        mWork.PosY = target.PosY;
    }
    // The whole working copy replaces the record: source, title, samples (none when the
    // working copy has none), terms, scale factor, offset, correction, duration, position.
    target = mWork;
    setFlag(mModel.ModelFlags, definedFlag(mKind), mWork.Source != HistorySource::Undefined);
    setFlag(mModel.ModelFlags, ModelFlag::ResultsValid, false);
    accept();
}

} // namespace quibel
