// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_walk.h"

#include "model/model_flags.h"
#include "result_models.h"
#include "scripted_analysis_step.h"
#include "ui/histories/advanced_dialog.h"
#include "ui/histories/database_dialog.h"
#include "ui/histories/file_format_dialog.h"
#include "ui/histories/generator_dialog.h"
#include "ui/histories/record_processing_dialog.h"
#include "ui/histories/record_properties_dialog.h"
#include "ui/histories/record_recognition_dialog.h"
#include "ui/histories/spectrum_dialog.h"
#include "ui/histories/time_history_dialog.h"
#include "ui/input/analysis_options_dialog.h"
#include "ui/input/force_edit_dialog.h"
#include "ui/input/forces_dialog.h"
#include "ui/input/geometry_dialog.h"
#include "ui/input/mass_inertia_dialog.h"
#include "ui/main_window/about_dialog.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/progress_dialog.h"
#include "ui/results/animation_dialog.h"
#include "ui/results/data_dialog.h"
#include "ui/results/results_dialog.h"
#include "ui/results/spreadsheet_dialog.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>

#include <cmath>

namespace quibel::test {

WalkFixture::WalkFixture()
    : settings(std::make_unique<UserSettings>(dir.filePath(QStringLiteral("settings.ini")))),
      model(scriptedRunModel()) {
    state.Model = model;
}

WalkFixture::~WalkFixture() = default;

ScopedFontScale::ScopedFontScale(double factor) : mSaved(QApplication::font()) {
    QFont font = mSaved;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else
        font.setPixelSize(static_cast<int>(std::lround(font.pixelSize() * factor)));
    QApplication::setFont(font);
}

ScopedFontScale::~ScopedFontScale() {
    QApplication::setFont(mSaved);
}

namespace {

// A text as drawn: the mnemonic marks removed ("&&" is one "&").
QString shown(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

int widestLine(const QFontMetrics& fm, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

struct Need {
    QString text;
    int needs = 0;
    int has = 0;
};

std::optional<Need> labelNeed(const QLabel& label) {
    if (label.text().isEmpty() || label.wordWrap())
        return std::nullopt;
    QString text = label.text();
    int needs = 0;
    if (label.textFormat() == Qt::RichText ||
        (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        // Laid out as the label lays it out, subscripts and all.
        QTextDocument doc;
        doc.setDefaultFont(label.font());
        doc.setDocumentMargin(0);
        doc.setHtml(text);
        text = doc.toPlainText();
        needs = static_cast<int>(std::ceil(doc.idealWidth()));
    } else {
        if (label.buddy() != nullptr)
            text = shown(text);
        needs = widestLine(label.fontMetrics(), text);
    }
    const int indent = label.indent() > 0 ? label.indent() : 0;
    return Need{text, needs, label.contentsRect().width() - 2 * label.margin() - indent};
}

std::optional<Need> buttonNeed(const QAbstractButton& button) {
    if (button.text().isEmpty())
        return std::nullopt;
    const QString text = shown(button.text());
    const int textWidth = widestLine(button.fontMetrics(), text);
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    int indicator = 0;
    if (qobject_cast<const QCheckBox*>(&button)) {
        element = QStyle::SE_CheckBoxContents;
    } else if (qobject_cast<const QRadioButton*>(&button)) {
        element = QStyle::SE_RadioButtonContents;
    } else if (!button.icon().isNull()) {
        indicator = button.iconSize().width() + 4;
    }
    const QRect room = button.style()->subElementRect(element, &option, &button);
    return Need{text, textWidth + indicator, room.width()};
}

void addTabNeeds(const QTabBar& bar, std::vector<std::pair<QString, Need>>& out) {
    const int frame = bar.style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, &bar);
    for (int i = 0; i < bar.count(); ++i) {
        const QString text = shown(bar.tabText(i));
        const QRect tab = bar.tabRect(i);
        const int has = std::min(tab.width(), bar.width() - tab.left());
        out.emplace_back(QStringLiteral("tab %1").arg(i),
                         Need{text, bar.fontMetrics().horizontalAdvance(text) + frame, has});
    }
}

// A field shows its value whole: the text and the two-pixel margins inside the frame.
std::optional<Need> editNeed(const QLineEdit& edit) {
    if (edit.text().isEmpty() || edit.echoMode() != QLineEdit::Normal)
        return std::nullopt;
    const int frame = edit.hasFrame()
                          ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &edit)
                          : 0;
    const QMargins m = edit.textMargins();
    return Need{edit.text(), edit.fontMetrics().horizontalAdvance(edit.text()) + 4,
                edit.width() - 2 * frame - m.left() - m.right()};
}

std::optional<Need> groupNeed(const QGroupBox& group) {
    if (group.title().isEmpty())
        return std::nullopt;
    const QString text = shown(group.title());
    return Need{text, group.fontMetrics().horizontalAdvance(text), group.contentsRect().width()};
}

QString describe(const QWidget& w, const QString& part, const Need& need) {
    return QStringLiteral("%1 (%2%3): \"%4\" needs %5 px, has %6")
        .arg(w.objectName(), QLatin1String(w.metaObject()->className()),
             part.isEmpty() ? QString() : QStringLiteral(", ") + part, need.text)
        .arg(need.needs)
        .arg(need.has);
}

} // namespace

std::vector<std::string> cutTexts(const QWidget& window) {
    std::vector<std::string> cut;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (w->window() != &window || !w->isVisibleTo(&window))
            continue;
        std::vector<std::pair<QString, Need>> needs;
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            if (auto n = labelNeed(*label))
                needs.emplace_back(QString(), *n);
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            const auto* tool = qobject_cast<const QToolButton*>(w);
            if (tool == nullptr) {
                if (auto n = buttonNeed(*button))
                    needs.emplace_back(QString(), *n);
            } else if (tool->toolButtonStyle() != Qt::ToolButtonIconOnly &&
                       !tool->text().isEmpty()) {
                needs.emplace_back(
                    QString(), Need{shown(tool->text()), tool->sizeHint().width(), tool->width()});
            }
        } else if (const auto* bar = qobject_cast<const QTabBar*>(w)) {
            addTabNeeds(*bar, needs);
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(w)) {
            if (auto n = editNeed(*edit))
                needs.emplace_back(QString(), *n);
        } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
            if (auto n = groupNeed(*group))
                needs.emplace_back(QString(), *n);
        }
        if (needs.empty())
            continue;
        for (const auto& [part, need] : needs)
            if (need.needs > need.has)
                cut.push_back(describe(*w, part, need).toStdString());
        // The window itself must hold the widget whole.
        const QRect inWindow(w->mapTo(&window, QPoint(0, 0)), w->size());
        if (inWindow.right() > window.width() || inWindow.bottom() > window.height())
            cut.push_back(
                describe(*w, QStringLiteral("past the window's edge"),
                         Need{needs.front().second.text, inWindow.right(), window.width()})
                    .toStdString());
    }
    return cut;
}

namespace {

using Make = std::function<std::unique_ptr<QWidget>(WalkFixture&, Language)>;

WalkWindow window(std::string name, Make make, int help) {
    return {std::move(name), std::move(make), help, {}};
}

// A 2 Hz sine of 0.2 g sampled every 0.01 s for 4 s.
std::vector<double> sine() {
    std::vector<double> values(401);
    for (std::size_t k = 0; k < values.size(); ++k)
        values[k] = 0.2 * std::sin(2.0 * 3.141592653589793 * 2.0 * 0.01 * static_cast<double>(k));
    return values;
}

SignalSamples sineSamples() {
    const std::vector<double> values = sine();
    SignalSamples s{TVector(static_cast<int>(values.size())),
                    TVector(static_cast<int>(values.size()))};
    for (int k = 1; k <= s.Times.size(); ++k) {
        s.Times.set(k, 0.01 * (k - 1));
        s.Values.set(k, values[static_cast<std::size_t>(k - 1)]);
    }
    return s;
}

RecordData twoComponentRecord() {
    RecordData data;
    data.Format = "PEER NGA";
    data.Station = "Station of the test";
    data.Event = "Event of the test, 2001-01-01";
    data.Components = {{"360 Deg", "g", 0.01, sine()}, {"UP", "g", 0.01, sine()}};
    return data;
}

DatabaseCatalogue smallCatalogue() {
    DatabaseCatalogue c;
    c.Nodes = {{"Eastern North America", 0, 0},
               {"A record whose title is as long as the workbook allows, 1988-11-25", 1, 1},
               {"Another record, 1985-12-23", 1, 2}};
    return c;
}

std::vector<WalkWindow> resultWindows() {
    std::vector<WalkWindow> out;
    const struct {
        const char* name;
        AnalysisKind kind;
    } kinds[] = {{"sliding", AnalysisKind::Sliding},
                 {"rocking", AnalysisKind::Rocking},
                 {"sliding and rocking", AnalysisKind::SlidingAndRocking}};
    for (const auto& k : kinds) {
        const AnalysisKind kind = k.kind;
        const std::string suffix = std::string(" (") + k.name + ")";
        out.push_back(window(
            "computed data" + suffix,
            [kind](WalkFixture& f, Language l) {
                return std::make_unique<DataDialog>(resultModel(kind, 11), l, f.prompts);
            },
            HelpContext::ComputedData));
        out.push_back(window(
            "results" + suffix,
            [kind](WalkFixture& f, Language l) {
                f.model = resultModel(kind, 11); // the window views the results it shows
                return std::make_unique<ResultsDialog>(f.model, l, f.prompts);
            },
            HelpContext::Results));
        out.push_back(window(
            "spreadsheet" + suffix,
            [kind](WalkFixture& f, Language l) {
                f.model = resultModel(kind, 11); // the window views the results it shows
                return std::make_unique<SpreadsheetDialog>(f.model, l, f.prompts);
            },
            HelpContext::Results));
        WalkWindow find = window(
            "spreadsheet's find box" + suffix,
            [kind](WalkFixture& f, Language l) {
                f.model = resultModel(kind, 11); // the window views the results it shows
                return std::make_unique<SpreadsheetDialog>(f.model, l, f.prompts);
            },
            HelpContext::Results);
        find.open = [](QWidget& sheet) -> QWidget* {
            static_cast<SpreadsheetDialog&>(sheet).findText();
            return sheet.findChild<QDialog*>(QStringLiteral("FindBox"));
        };
        out.push_back(std::move(find));
        out.push_back(window(
            "animation" + suffix,
            [kind](WalkFixture&, Language l) {
                return std::make_unique<AnimationDialog>(resultModel(kind, 11), l);
            },
            HelpContext::Animation));
    }
    return out;
}

std::vector<WalkWindow> historyWindows() {
    std::vector<WalkWindow> out;
    const struct {
        const char* name;
        HistoryKind kind;
    } kinds[] = {{"horizontal acceleration", HistoryKind::HorizontalAcceleration},
                 {"vertical acceleration", HistoryKind::VerticalAcceleration},
                 {"horizontal force", HistoryKind::HorizontalForce},
                 {"vertical force", HistoryKind::VerticalForce}};
    for (const auto& k : kinds) {
        const HistoryKind kind = k.kind;
        out.push_back(window(
            std::string("time history, ") + k.name,
            [kind](WalkFixture& f, Language l) {
                return std::make_unique<TimeHistoryDialog>(f.model, kind, l, f.prompts);
            },
            HelpContext::TimeHistory));
    }
    out.push_back(window(
        "function generator",
        [](WalkFixture&, Language l) {
            return std::make_unique<GeneratorDialog>(std::array<GeneratorTerm, 4>{}, l);
        },
        HelpContext::FunctionGenerator));
    out.push_back(window(
        "earthquake database",
        [](WalkFixture&, Language l) {
            return std::make_unique<DatabaseDialog>(smallCatalogue(), l);
        },
        HelpContext::EarthquakeDatabase));
    out.push_back(window(
        "file format",
        [](WalkFixture&, Language l) { return std::make_unique<FileFormatDialog>(l); },
        HelpContext::FileFormat));
    out.push_back(window(
        "advanced settings",
        [](WalkFixture&, Language l) {
            return std::make_unique<AdvancedDialog>(AmplitudeSettings{}, true, l);
        },
        HelpContext::AdvancedHistorySettings));
    out.push_back(window(
        "response spectra",
        [](WalkFixture& f, Language l) {
            return std::make_unique<SpectrumDialog>(sineSamples(), UnitSystem::MKnTon, l,
                                                    f.prompts);
        },
        HelpContext::ResponseSpectra));
    out.push_back(window(
        "record recognition",
        [](WalkFixture&, Language l) {
            return std::make_unique<RecordRecognitionDialog>(twoComponentRecord(), l);
        },
        HelpContext::FileFormat));
    out.push_back(window(
        "record processing",
        [](WalkFixture&, Language l) {
            return std::make_unique<RecordProcessingDialog>(twoComponentRecord().Components[0], l);
        },
        HelpContext::FileFormat));
    out.push_back(window(
        "record properties",
        [](WalkFixture&, Language l) {
            return std::make_unique<RecordPropertiesDialog>(sine(), 0.01, l);
        },
        HelpContext::FileFormat));
    return out;
}

std::vector<WalkWindow> inputWindows() {
    return {
        window(
            "geometry",
            [](WalkFixture& f, Language l) { return std::make_unique<GeometryDialog>(f.model, l); },
            HelpContext::Geometry),
        window(
            "rotational properties",
            [](WalkFixture&, Language l) {
                return std::make_unique<MassInertiaDialog>(1.0, UnitSystem::MKnTon, l);
            },
            HelpContext::RotationalProperties),
        window(
            "added forces",
            [](WalkFixture& f, Language l) {
                return std::make_unique<ForcesDialog>(f.model, AddedItemKind::Forces, l);
            },
            HelpContext::ForceList),
        window(
            "added masses",
            [](WalkFixture& f, Language l) {
                return std::make_unique<ForcesDialog>(f.model, AddedItemKind::Masses, l);
            },
            HelpContext::MassList),
        window(
            "force data",
            [](WalkFixture&, Language l) {
                return std::make_unique<ForceEditDialog>(AddedItemKind::Forces, UnitSystem::MKnTon,
                                                         l);
            },
            HelpContext::ForceData),
        window(
            "mass data",
            [](WalkFixture&, Language l) {
                return std::make_unique<ForceEditDialog>(AddedItemKind::Masses, UnitSystem::MKnTon,
                                                         l);
            },
            HelpContext::MassData),
        window(
            "analysis options",
            [](WalkFixture& f, Language l) {
                return std::make_unique<AnalysisOptionsDialog>(f.model, l);
            },
            HelpContext::AnalysisOptions),
    };
}

std::vector<WalkWindow> programWindows() {
    return {
        window(
            "main window",
            [](WalkFixture& f, Language l) {
                f.settings->writeEnglishLanguage(l == Language::English);
                return std::make_unique<MainWindow>(f.state, f.prompts, *f.settings);
            },
            0),
        window(
            "progress",
            [](WalkFixture& f, Language l) {
                f.state.EnglishLanguage = l == Language::English;
                auto dialog =
                    std::make_unique<ProgressDialog>(f.state, f.prompts, nullptr, [](AnalysisKind) {
                        return std::make_unique<ScriptedAnalysisStep>();
                    });
                return dialog;
            },
            menuHelpContext(HelpContext::AnalysisMenu, Language::English)),
        window(
            "about", [](WalkFixture&, Language l) { return std::make_unique<AboutDialog>(l); },
            HelpContext::About),
        window(
            "help",
            [](WalkFixture&, Language l) {
                std::unique_ptr<QWidget> help(HelpWindow::forWindow(nullptr, l));
                help->setAttribute(Qt::WA_DeleteOnClose, false);
                return help;
            },
            0),
    };
}

} // namespace

QWidget& showWalkWindow(const WalkWindow& w, WalkFixture& fixture, Language language,
                        std::unique_ptr<QWidget>& made) {
    made = w.make(fixture, language);
    made->show();
    if (!w.open)
        return *made;
    QWidget* opened = w.open(*made);
    return opened != nullptr ? *opened : *made;
}

std::vector<WalkWindow> everyWindow() {
    std::vector<WalkWindow> all = programWindows();
    for (auto part : {inputWindows(), historyWindows(), resultWindows()})
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace quibel::test
