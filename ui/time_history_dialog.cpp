#include "ui/time_history_dialog.h"

#include "chart/trchart.h"
#include "model/model_flags.h"
#include "model/unit_tables.h"
#include "numeric/error.h"
#include "signals/database_folder.h"
#include "signals/earthquake_database.h"
#include "signals/effective_signal.h"
#include "signals/history_editing.h"
#include "signals/history_plot.h"
#include "signals/history_text_import.h"
#include "signals/xls_workbook.h"
#include "ui/advanced_dialog.h"
#include "ui/database_dialog.h"
#include "ui/file_format_dialog.h"
#include "ui/generator_dialog.h"
#include "ui/help_topics.h"
#include "ui/help_window.h"
#include "ui/mouse_mode_buttons.h"
#include "ui/numeric_edit.h"
#include "ui/spectrum_dialog.h"
#include "ui/ui_text.h"
#include "ui/user_prompts.h"

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

TTimeHistoryDlg::TTimeHistoryDlg(TBlocStatic& model, HistoryKind kind, Language language,
                                 UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), mModel(model), mKind(kind), mLanguage(language), mPrompts(prompts),
      mWork(model.history(kind)), mRunDialog([](QDialog& d) { return d.exec(); }),
      mDatabaseFolder(programDatabaseFolder()) {
    setObjectName(QStringLiteral("TimeHistoryDlg"));
    const int k = historyIndex(kind);
    QString caption = uiText(language, "ui.history.caption." + std::to_string(k));
    // The French captions of the force histories name no unit.
    if (isForce() && language == Language::English)
        caption += QStringLiteral(" (%1)").arg(qstr(units::forceUnit(model.UnitSystem)));
    setWindowTitle(caption);
    setMinimumSize(640, 400);
    resize(632, 423);

    auto button = [&](const char* name, const char* key) {
        auto* b = new QPushButton(uiText(language, key), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    auto* button1 = button("Button1", "ui.history.load_file");
    auto* button2 = button("Button2", "ui.history.generator");
    auto* button4 = button("Button4", "ui.history.database");
    auto* button5 = button("Button5", "ui.history.advanced");
    auto* button3 = button("Button3", "ui.history.delete");
    auto* button6 = button("Button6", "ui.history.full_view");
    mButtonSpectrum = button("ButtonSpectrum", "ui.history.spectrum");
    connect(button1, &QPushButton::clicked, this, &TTimeHistoryDlg::Button1Click);
    connect(button2, &QPushButton::clicked, this, &TTimeHistoryDlg::Button2Click);
    connect(button3, &QPushButton::clicked, this, &TTimeHistoryDlg::Button3Click);
    connect(button4, &QPushButton::clicked, this, &TTimeHistoryDlg::Button4Click);
    connect(button5, &QPushButton::clicked, this, &TTimeHistoryDlg::Button5Click);
    connect(button6, &QPushButton::clicked, this, &TTimeHistoryDlg::Button6Click);
    connect(mButtonSpectrum, &QPushButton::clicked, this, &TTimeHistoryDlg::ButtonSpectrumClick);

    mChart = new TRChart(this);
    mChart->setObjectName(QStringLiteral("RChart"));
    mChart->setMinRangeX(1e-10);
    mChart->setMinRangeY(1e-10);
    mChart->setIdAbscissa(uiText(language, "ui.history.axis_time"));
    mChart->setGridStyle(TGridStyle::gsNone);
    TCrossHair cross;
    cross.Mode = TCrossHairMode::chBoth;
    cross.LineType = Qt::DashDotLine;
    cross.FollowsMouse = true;
    mChart->setCrossHair(1, cross);
    connect(mChart, &TRChart::OnMouseMoveInChart, this,
            [this](TRChart*, bool inChart, Qt::KeyboardModifiers, double x, double y) {
                chartMouseMove(inChart, x, y);
            });

    mMouseButtons =
        new MouseModeButtons(mChart,
                             {{{TMouseAction::maNone, QStringLiteral("SpeedButtonNone"),
                                uiText(language, "ui.history.mouse.none")},
                               {TMouseAction::maPan, QStringLiteral("SpeedButtonPan"),
                                uiText(language, "ui.history.mouse.pan")},
                               {TMouseAction::maZoomWindPos, QStringLiteral("SpeedButtonZoom"),
                                uiText(language, "ui.history.mouse.zoom_window")},
                               {TMouseAction::maZoomDrag, QStringLiteral("SpeedButtonDrag"),
                                uiText(language, "ui.history.mouse.zoom_drag")}}},
                             this);

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
    auto* label16 = label("Label16", uiText(language, "ui.history.max"));
    auto* label17 = label("Label17", uiText(language, "ui.history.min"));
    auto* label14 = label("Label14", uiText(language, "ui.history.time"));
    auto* label15 = label("Label15", uiText(language, "ui.history.value"));
    mLabelmax = label("Labelmax", QString());
    mLabelmin = label("Labelmin", QString());
    mXcoord = label("Xcoord", QString());
    mYcoord = label("Ycoord", QString());
    for (QLabel* l : {mLabelmax, mLabelmin, mXcoord, mYcoord}) {
        l->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-00000.000 kip")));
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

    auto* label1 = label("Label1", uiText(language, "ui.history.title"));
    mMemoTitle = new QPlainTextEdit(this);
    mMemoTitle->setObjectName(QStringLiteral("MemoTitle"));
    mMemoTitle->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mMemoTitle->setTabChangesFocus(true);
    mMemoTitle->setFixedHeight(mMemoTitle->fontMetrics().lineSpacing() * 2 + 12);
    mMemoTitle->setPlainText(QString::fromStdString(mWork.Title).left(kMaxTitle));
    mMemoTitle->installEventFilter(this);
    connect(mMemoTitle, &QPlainTextEdit::textChanged, this, &TTimeHistoryDlg::titleChanged);

    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {button1, button2, button4, button5, button3, button6, mButtonSpectrum})
        commands->addWidget(b);
    commands->addStretch();

    auto* readouts = new QGridLayout;
    readouts->addWidget(mMouseButtons, 0, 0, 2, 1, Qt::AlignVCenter);
    readouts->setColumnMinimumWidth(1, 12);
    readouts->addWidget(labelXpos, 0, 2, Qt::AlignRight);
    readouts->addWidget(mEditXpos, 0, 3);
    readouts->addWidget(labelYpos, 1, 2, Qt::AlignRight);
    readouts->addWidget(mEditYPos, 1, 3);
    readouts->addWidget(label16, 0, 4, Qt::AlignRight);
    readouts->addWidget(mLabelmax, 0, 5);
    readouts->addWidget(label17, 1, 4, Qt::AlignRight);
    readouts->addWidget(mLabelmin, 1, 5);
    readouts->addWidget(label14, 0, 6, Qt::AlignRight);
    readouts->addWidget(mXcoord, 0, 7);
    readouts->addWidget(label15, 1, 6, Qt::AlignRight);
    readouts->addWidget(mYcoord, 1, 7);
    readouts->setColumnStretch(8, 1);

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(label1, 0, Qt::AlignTop);
    titleRow->addWidget(mMemoTitle, 1);

    auto* ok = button("ButtonOk", "ui.history.ok");
    ok->setDefault(true);
    auto* cancel = button("ButtonCancel", "ui.history.cancel");
    auto* help = button("HelpBtn", "ui.history.help");
    connect(ok, &QPushButton::clicked, this, &TTimeHistoryDlg::ButtonOkClick);
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
    } else {
        for (QWidget* w : {static_cast<QWidget*>(labelXpos), static_cast<QWidget*>(mEditXpos),
                           static_cast<QWidget*>(labelYpos), static_cast<QWidget*>(mEditYPos)})
            w->hide();
    }
    PlotHistory();
}

TTimeHistoryDlg::~TTimeHistoryDlg() = default;

bool TTimeHistoryDlg::isForce() const noexcept {
    return mKind == HistoryKind::HorizontalForce || mKind == HistoryKind::VerticalForce;
}

QString TTimeHistoryDlg::unitSuffix() const {
    return isForce() ? qstr(units::forceUnit(mModel.UnitSystem)) : QStringLiteral("g");
}

QString TTimeHistoryDlg::valueText(double value) const {
    return fixedNumber(value, 8, 3) + QLatin1Char(' ') + unitSuffix();
}

bool TTimeHistoryDlg::eventFilter(QObject* watched, QEvent* event) {
    // The title is one line: Enter types no line break there.
    if (watched == mMemoTitle && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TTimeHistoryDlg::titleChanged() {
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

void TTimeHistoryDlg::showError(const Message& message, bool warning) {
    mPrompts.showMessage(this, warning ? MessageKind::Warning : MessageKind::Error,
                         renderMessage(mLanguage, message));
}

void TTimeHistoryDlg::chartMouseMove(bool inChart, double x, double y) {
    if (!inChart)
        return;
    mXcoord->setText(fixedNumber(x, 8, 3) + QStringLiteral(" s"));
    mYcoord->setText(valueText(y));
}

void TTimeHistoryDlg::PlotHistory() {
    const int k = historyIndex(mKind);
    if (isForce())
        mChart->setIdOrdinate(uiText(mLanguage, "ui.history.axis." + std::to_string(k),
                                     {qstr(units::forceUnit(mModel.UnitSystem))}));
    else
        mChart->setIdOrdinate(uiText(mLanguage, "ui.history.axis." + std::to_string(k)));

    const HistoryPlot plot = PlotHistoryData(mWork);
    if (plot.Kind == HistoryPlot::Content::Empty) {
        mChart->ClearGraph();
        mChart->setCaption(QString());
        mLabelmax->clear();
        mLabelmin->clear();
    } else {
        mChart->setRangeLoX(plot.TimeMin);
        mChart->setRangeHiX(plot.TimeMax);
        mChart->setRangeLoY(plot.ValueMin);
        mChart->setRangeHiY(plot.ValueMax);
        mChart->ClearGraph();
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
        mChart->MoveTo(points.Times.get(1), points.Values.get(1));
        for (int i = 2; i <= points.size(); ++i)
            mChart->DrawTo(points.Times.get(i), points.Values.get(i));
    }
    mButtonSpectrum->setEnabled(plot.enablesSpectrum());
    mChart->ShowGraph();
}

void TTimeHistoryDlg::Button1Click() {
    TFileFormatDlg format(mLanguage, this);
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
    try {
        StoreSamples(mWork, ImportHistoryFile(QDir::toNativeSeparators(path).toStdString(),
                                              format.format(), format.timeStep()));
    } catch (const Error& e) {
        const std::string& key = e.message().key;
        // A file that is not a table of numbers warns; a file that cannot be read is an error.
        showError(e.message(),
                  key != "signals.cannot_open_file" && key != "signals.cannot_read_file");
        return; // the working copy is unchanged and the plot stays as it is
    }
    PlotHistory();
}

void TTimeHistoryDlg::Button2Click() {
    TGeneratorDlg generator(mWork.Terms, mLanguage, this);
    if (mRunDialog(generator) == QDialog::Accepted)
        StoreGeneratorTerms(mWork, generator.terms());
    PlotHistory();
}

void TTimeHistoryDlg::Button3Click() {
    ClearHistory(mWork);
    PlotHistory();
}

void TTimeHistoryDlg::Button4Click() {
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
        TDatabaseDlg database(catalogue, mLanguage, this);
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

void TTimeHistoryDlg::Button5Click() {
    TAdvancedDlg advanced(AdvancedDialogSettings(mWork), CorrectionEditable(mWork), mLanguage,
                          this);
    if (mRunDialog(advanced) == QDialog::Accepted)
        ApplyAdvancedSettings(mWork, advanced.settings());
    PlotHistory();
}

void TTimeHistoryDlg::Button6Click() {
    PlotHistory();
}

void TTimeHistoryDlg::ButtonSpectrumClick() {
    std::optional<SignalSamples> input = EffectiveSignal(mWork);
    if (!input || isForce())
        return;
    TSpectrumDlg spectrum(std::move(*input), mModel.UnitSystem, mLanguage, mPrompts, this);
    mRunDialog(spectrum);
    PlotHistory();
}

void TTimeHistoryDlg::ButtonOkClick() {
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
