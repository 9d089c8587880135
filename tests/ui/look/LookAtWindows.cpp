// titralab_ui_look: shows one of the graph-side windows on a simulation built from the command
// line, so that each can be looked at (and captured) in every study and side.
//
//   titralab_ui_look [--window graph|mixture|copy|chooser|print|about|main|family|fit|diagram
//                             |database|marks]
//                    [--key KEY.titralab-cle --files FILE,FILE...] (the marks of an exercise)
//                    [--diagram 0|1|2] (concentrations, logarithmic, buffer capacity)
//                    [--name TYPED] [--search TEXT --row N]
//                    [--side acid|base] [--study 0..4]
//                    [--entry1 N] [--entry2 N] [--tick 4,5,8,...] [--untick 2,3,...]
//                    [--points N] [--paste] [--paste-ml] [--point-style 0..7]
//                    [--freeze CONCENTRATION] [--free-family beaker1.c=0.05;0.1;0.2]
//                    [--freeze CONCENTRATION] [--activities davies] [--temperature CELSIUS]
//                    [--freeze-activities 1]
//                    [--zoom x1,y1,x2,y2] [--size WxH] [--lang fr|en]
//                    [--equivalences 1] [--derivative 1] [--indicator N] [--particular VOLUME]
//                    [--buffer-capacity 1] [--import MEASUREMENT-FILE] [--tangents 1]
//                    [--validity 1] [--predominance 1] [--conductimetric 1] [--gran 1]
//                    [--monte-carlo 1] [--measured-derivative 1]
#include "core/base/Notifier.h"
#include "core/session/Exercise.h"
#include "core/session/FreeFit.h"
#include "core/session/Measurements.h"
#include "core/session/Overlays.h"
#include "core/session/PastedPoints.h"
#include "core/session/Refresh.h"
#include "core/session/Simulation.h"
#include "ui/qt/ChartView.h"
#include "ui/qt/Icons.h"
#include "ui/qt/QtTranslations.h"
#include "ui/windows/AboutBox.h"
#include "ui/windows/CopyDialog.h"
#include "ui/windows/DiagramWindow.h"
#include "ui/windows/FamilyDialog.h"
#include "ui/windows/FitDialog.h"
#include "ui/windows/GraphWindow.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/MarksDialog.h"
#include "ui/windows/MixtureWindow.h"
#include "ui/windows/PointStyleDialog.h"
#include "ui/windows/PrintDialog.h"
#include "ui/windows/SoluteDatabaseWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

using namespace titralab;

namespace {

// Prints the messages instead of opening boxes, so that nothing waits for a click.
class PrintingNotifier : public Notifier {
  public:
    void inform(const std::string& text) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    void error(const std::string& text) override {
        std::fprintf(stderr, "error: %s\n", text.c_str());
    }
};

std::vector<int> numbers(const QString& list) {
    std::vector<int> out;
    for (const QString& n : list.split(',', Qt::SkipEmptyParts)) out.push_back(n.toInt());
    return out;
}

// Measured points near the simulated pH curve: every eighth point, a little off, with a
// header line as a spreadsheet gives it, in litres as the copy command writes them (or in
// millilitres, as measurements are written).
std::string pastedNear(const Simulation& sim, double unitsPerLitre) {
    std::string text = "Volume\tpH\r\n";
    const Series& ph = sim.results.curves[1];
    for (std::size_t i = 0; i < ph.size(); i += 8) {
        const double v = ph[i].x / sim.state.volumeFactor * unitsPerLitre;
        const double pH = ph[i].y + ((i / 8) % 2 ? 0.15 : -0.15);
        text += std::to_string(v) + "\t" + std::to_string(pH) + "\r\n";
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::map<QString, QString> options;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--paste" || args[i] == "--paste-ml") {
            options[args[i].mid(2)] = "1";
        } else if (args[i].startsWith("--") && i + 1 < args.size()) {
            options[args[i].mid(2)] = args[i + 1];
            ++i;
        }
    }
    auto option = [&](const char* name, const char* fallback) {
        auto it = options.find(name);
        return it == options.end() ? QString(fallback) : it->second;
    };

    const BuretteSide side =
        option("side", "acid") == "base" ? BuretteSide::BaseSide : BuretteSide::AcidSide;
    const Study study = static_cast<Study>(option("study", "0").toInt());
    const int entry1 = option("entry1", side == BuretteSide::AcidSide ? "17" : "2").toInt();
    const int entry2 = option("entry2", side == BuretteSide::AcidSide ? "17" : "2").toInt();

    // The context as the main window leaves it after the side, study and entries are chosen.
    Simulation sim;
    const Language language =
        parseLanguage(option("lang", "fr").toStdString()).value_or(Language::French);
    setLanguage(sim, language);
    const QtTranslations translations(language);
    chooseStudyAndEntries(sim, side, study, entry1, entry2);
    sim.panel.pointCount = option("points", "100").toStdString();
    for (int box : numbers(option("tick", ""))) sim.graph.checked[box - 1] = true;
    for (int box : numbers(option("untick", ""))) sim.graph.checked[box - 1] = false;
    sim.pasted.pointStyle = pointStyleAt(option("point-style", "1").toInt());
    sim.reading.options.equivalences = option("equivalences", "0") == "1";
    sim.reading.options.derivative = option("derivative", "0") == "1";
    sim.reading.options.indicator = option("indicator", "-1").toInt();
    sim.exportSettings.diagrams.bufferCapacity = option("buffer-capacity", "0") == "1";
    sim.exportSettings.diagrams.validityBand = option("validity", "0") == "1";
    sim.exportSettings.diagrams.predominanceBand = option("predominance", "0") == "1";
    if (option("activities", "none") == "davies") sim.conditions.activities = ActivityModel::Davies;
    sim.conditions.temperature = option("temperature", "25").toDouble();

    PrintingNotifier notifier;
    RefreshSimulation(sim, notifier);
    if (options.count("paste") || options.count("paste-ml")) {
        PastePairs(sim, true, pastedNear(sim, options.count("paste-ml") ? 1000 : 1));
        RefreshSimulation(sim, notifier);
    }
    // A measurement file, its columns and units as the import dialog proposes them.
    if (options.count("import")) {
        QFile file(options["import"]);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        const sheets::MeasurementRead read =
            sheets::readMeasurements(std::string_view(bytes.constData(), bytes.size()));
        const sheets::ColumnChoice choice = sheets::proposeColumns(read.table);
        importIntoSimulation(sim, sheets::importMeasurements(read.table, choice, sheets::Unit::None,
                                                             sheets::Unit::None));
        RefreshSimulation(sim, notifier);
    }
    // A frozen curve, then the acid's concentration typed: the two curves side by side.
    if (options.count("freeze")) {
        FreezeCurrentCurve(sim);
        sim.panel.at(Field::Concentration1) = option("freeze", "0.05").toStdString();
        RefreshSimulation(sim, notifier);
    }

    // The free study (--study 5): a family of one of its rows' values, as the family dialog
    // draws it.
    if (options.count("free-family")) {
        const QStringList spec = options["free-family"].split('=');
        const std::optional<FreeRowValue> row = freeRowValueFromName(spec.value(0).toStdString());
        if (row) {
            const FreeValueList values =
                parseFreeFamilyValues(sim, *row, spec.value(1).toStdString());
            FamilyQuantity quantity;
            quantity.freeRow = row;
            DrawFamily(sim, quantity, values.values, notifier);
        }
    }
    // A frozen curve, then the activities switched: the pH with and without them.
    if (option("freeze-activities", "0") == "1") {
        FreezeCurrentCurve(sim);
        sim.conditions.activities =
            sim.conditions.ideal() ? ActivityModel::Davies : ActivityModel::None;
        RefreshSimulation(sim, notifier);
    }

    const QIcon icon = icons::side(side);
    const QStringList size = option("size", "1280x1024").split('x');
    const QString window = option("window", "graph");
    GraphWindow graph(sim, notifier);
    graph.setSideIcon(icon);
    PointStyleDialog chooser(sim);
    chooser.setSideIcon(icon);
    graph.setPointStyleChooser(&chooser);
    MixtureWindow mixture(sim);
    CopyDialog copy(sim, notifier, QDir::tempPath().toStdString() + "/titralab-look");
    copy.setSideIcon(icon);
    copy.setGraphWindow(&graph);

    std::unique_ptr<PrintDialog> print;
    std::unique_ptr<AboutBox> about;
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<FamilyDialog> family;
    std::unique_ptr<FitDialog> fit;
    std::unique_ptr<DiagramWindow> diagram;
    std::unique_ptr<SoluteDatabaseWindow> database;
    std::unique_ptr<MarksDialog> marks;
    if (window == "marks") {
        QFile keyFile(option("key", ""));
        keyFile.open(QIODevice::ReadOnly);
        const QByteArray keyText = keyFile.readAll();
        const ExerciseKeyReading key =
            readExerciseKey(std::string_view(keyText.constData(), keyText.size()), language);
        if (!key.key) {
            std::fprintf(stderr, "key: %s\n", key.problem.c_str());
            return 1;
        }
        std::vector<std::string> files;
        for (const QString& f : option("files", "").split(',', Qt::SkipEmptyParts))
            files.push_back(f.toStdString());
        marks = std::make_unique<MarksDialog>(*key.key, markExercise(*key.key, files, language),
                                              language, notifier);
        marks->move(40, 40);
        marks->show();
    } else if (window == "family") {
        family = std::make_unique<FamilyDialog>(language, notifier);
        family->prepare(sim);
        family->move(40, 40);
        family->show();
    } else if (window == "fit") {
        fit = std::make_unique<FitDialog>(sim);
        if (study == Study::FreeSolutions) fit->prepare();
        fit->move(40, 40);
        fit->show();
    } else if (window == "print") {
        print = std::make_unique<PrintDialog>(sim, notifier);
        print->move(40, 40);
        print->show();
    } else if (window == "about") {
        about = std::make_unique<AboutBox>(language, QStringLiteral("titralab"), icon);
        about->move(40, 40);
        about->show();
    } else if (window == "main") {
        // The main window after the side and study were chosen, a name typed in its name field.
        main = std::make_unique<MainWindow>(
            sim, system::computePaths(
                     (QCoreApplication::applicationDirPath() + "/titralab").toStdString(),
                     "/nonexistent"));
        main->move(0, 0);
        main->show();
        auto choose = [&](const QString& item) {
            if (auto* b = main->findChild<QRadioButton*>(item)) b->setChecked(true);
        };
        choose(side == BuretteSide::BaseSide ? "sideChoice_1" : "sideChoice_0");
        choose("studyChoice_" + QString::number(static_cast<int>(study)));
        const QString typed = option("name", "");
        QTimer::singleShot(800, [&main, typed] {
            auto* name = main->findChild<QLineEdit*>("entryNameField");
            if (!name) return;
            main->activateWindow();
            name->setFocus();
            if (typed.isEmpty()) return;
            name->clear();
            for (const QChar c : typed) {
                const int code = c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A')
                                              : static_cast<int>(c.unicode());
                QKeyEvent key(QEvent::KeyPress, code, Qt::NoModifier, QString(c));
                QCoreApplication::sendEvent(name, &key);
            }
        });
    } else if (window == "diagram") {
        diagram = std::make_unique<DiagramWindow>(sim);
        diagram->setKind(static_cast<DiagramKind>(option("diagram", "1").toInt()));
        diagram->setGeometry(0, 0, size.value(0).toInt(), size.value(1).toInt() - 30);
        diagram->show();
    } else if (window == "database") {
        // The solute database filtered by --search, the card of the match on row --row.
        const system::Paths paths = system::computePaths(
            (QCoreApplication::applicationDirPath() + "/titralab").toStdString(), "/nonexistent");
        database = std::make_unique<SoluteDatabaseWindow>(
            language, language == Language::English ? '.' : ',', paths.dataFolder,
            "/nonexistent/user-solutes.tsv");
        database->move(40, 40);
        database->show();
        if (auto* search = database->findChild<QLineEdit*>("soluteSearch"))
            search->setText(option("search", ""));
        if (auto* table = database->findChild<QTableWidget*>())
            table->selectRow(option("row", "0").toInt());
    } else if (window == "mixture") {
        mixture.prepare();
        mixture.move(40, 40);
        mixture.show();
    } else if (window == "copy") {
        copy.prepare();
        copy.move(40, 40);
        copy.show();
    } else if (window == "chooser") {
        chooser.move(40, 40);
        chooser.showChooser();
    } else {
        graph.prepare();
        graph.setGeometry(0, 0, size.value(0).toInt(), size.value(1).toInt() - 30);
        graph.show();
        const QStringList zoom = option("zoom", "").split(',', Qt::SkipEmptyParts);
        if (zoom.size() == 4)
            QTimer::singleShot(500, [&graph, zoom] {
                graph.chart()->zoomTo(QPoint(zoom[0].toInt(), zoom[1].toInt()),
                                      QPoint(zoom[2].toInt(), zoom[3].toInt()));
            });
        if (option("tangents", "0") == "1")
            if (auto* box = graph.findChild<QCheckBox*>("tangentsBox")) box->click();
        if (option("measured-derivative", "0") == "1")
            if (auto* box = graph.findChild<QCheckBox*>("measuredDerivativeBox")) box->click();
        if (option("conductimetric", "0") == "1")
            if (auto* box = graph.findChild<QCheckBox*>("conductimetricBox")) box->click();
        if (option("gran", "0") == "1") graph.tabs()->setCurrentIndex(1);
        if (option("monte-carlo", "0") == "1")
            QTimer::singleShot(800, [&graph] {
                if (auto* button = graph.findChild<QPushButton*>("monteCarloButton"))
                    button->click();
            });
        // The readout as a mouse at the middle of the chart shows it.
        QTimer::singleShot(700, [&] { graph.showReadoutAt(graph.chart()->rect().center()); });
        const QString particular = option("particular", "");
        if (!particular.isEmpty())
            QTimer::singleShot(600, [&graph, particular] {
                if (auto* field = graph.findChild<QLineEdit*>("ParticularPoint")) {
                    field->setText(particular);
                    emit field->returnPressed();
                }
            });
    }
    return app.exec();
}
