// Every window, walked in each language: no text a user reads or hears is in the other one.
#include "GraphFixture.h"
#include "MainWindowFixture.h"
#include "VisibleTexts.h"

#include "core/session/Refresh.h"
#include "core/system/Folders.h"
#include "ui/qt/QtTranslations.h"
#include "ui/windows/AboutBox.h"
#include "ui/windows/CopyDialog.h"
#include "ui/windows/FamilyDialog.h"
#include "ui/windows/FitDialog.h"
#include "ui/windows/HelpViewer.h"
#include "ui/windows/MixtureWindow.h"
#include "ui/windows/PointStyleDialog.h"
#include "ui/windows/PrintDialog.h"
#include "ui/windows/SheetReaderWindow.h"

#include <QDir>
#include <QFile>

using namespace titralab;
using namespace titralab::testing;

namespace {

struct LanguageRun {
    Language language;
    bool (*isForeign)(const QString&);
    QSet<QString> allowed; // names written in the other language on purpose
};

const LanguageRun kRuns[] = {
    // "English" and "Français" name each language in itself in the language menu; "Velmor" is
    // a name, "Valeurs" the name of the copies' folder on disk.
    {Language::French, isEnglishWord, {"English"}},
    {Language::English, isFrenchWord, {"Français", "Velmor", "Valeurs"}},
};

// The texts of a window, prefixed with its label, so that a failure says where it is.
void walk(const char* label, const QWidget* window, QList<VisibleText>& out) {
    for (VisibleText t : visibleTexts(window)) {
        t.where = QString::fromUtf8(label) + " > " + t.where;
        out.append(t);
    }
}

// A graph window on `study`, with the readings a teacher turns on.
std::unique_ptr<GraphWindow> graphOn(Simulation& sim, RecordingNotifier& messages) {
    RecordingNotifier quiet;
    RefreshSimulation(sim, quiet);
    auto window = std::make_unique<GraphWindow>(sim, messages);
    window->prepare();
    window->resize(1000, 700);
    window->show();
    QApplication::processEvents();
    return window;
}

Simulation simulationOf(Language language, Study study, BuretteSide side, int entry1) {
    Simulation sim = simulationFor(study, entry1, side);
    setLanguage(sim, language);
    return sim;
}

TEST(LanguageLeak, EveryWindowSpeaksOnlyTheLanguageOfTheRun) {
    for (const LanguageRun& run : kRuns) {
        const QtTranslations translations(run.language);
        QList<VisibleText> texts;

        // The main window on every study of both sides: each relabels the panel.
        {
            TemporarySettings settings;
            MainWindowFixture main(builtPaths(), run.language);
            for (int side : {0, 1}) {
                main.click("sideChoice", side);
                for (int study = 0; study < 5; ++study) {
                    main.click("studyChoice", study);
                    MainWindowFixture::settle();
                    walk("main window", main.window.get(), texts);
                }
            }
        }

        // The graph window on each study, both sides, with its readings and overlays bar.
        RecordingNotifier messages;
        for (BuretteSide side : {BuretteSide::AcidSide, BuretteSide::BaseSide}) {
            for (Study study : {Study::TitrationVsVolume, Study::SpeciesVsPH, Study::Dilution,
                                Study::TwoMonoTitration, Study::TwoPolyMixture}) {
                Simulation sim = simulationOf(run.language, study, side, 30);
                sim.reading.options.equivalences = true;
                sim.reading.options.derivative = true;
                sim.reading.options.indicator = 0;
                const auto graph = graphOn(sim, messages);
                walk("graph window", graph.get(), texts);
            }
        }

        // The dialogs and the other windows, on a titration of phosphoric acid.
        Simulation sim =
            simulationOf(run.language, Study::TitrationVsVolume, BuretteSide::AcidSide, 30);
        const auto graph = graphOn(sim, messages);
        PrintDialog print(sim, messages, graph.get());
        CopyDialog copy(sim, messages, "/nonexistent");
        PointStyleDialog chooser(sim);
        FitDialog fit(sim);
        FamilyDialog family(run.language, messages);
        family.prepare(sim);
        AboutBox about(run.language, "titralab", QIcon());
        const system::Paths paths = builtPaths();
        SheetReaderWindow reader(run.language,
                                 QString::fromStdString(system::textsFolder(paths, run.language)));
        Simulation mixtureSim =
            simulationOf(run.language, Study::TwoPolyMixture, BuretteSide::AcidSide, 30);
        RecordingNotifier quiet;
        RefreshSimulation(mixtureSim, quiet);
        MixtureWindow mixture(mixtureSim);
        mixture.prepare();
        const struct {
            const char* label;
            QWidget* window;
        } dialogs[] = {{"print dialog", &print},    {"copy dialog", &copy},
                       {"point chooser", &chooser}, {"fit dialog", &fit},
                       {"family dialog", &family},  {"about box", &about},
                       {"text reader", &reader},    {"mixture window", &mixture}};
        for (const auto& d : dialogs) walk(d.label, d.window, texts);

        // The help: the viewer and every page of the language.
        HelpViewer help(QString::fromStdString(paths.helpFolder), run.language);
        walk("help viewer", &help, texts);
        const QDir pages(QString::fromStdString(system::helpFolder(paths, run.language)));
        for (const QString& page : pages.entryList({"*.html"})) {
            QFile file(pages.filePath(page));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
            texts.append({"help page " + page, plainText(QString::fromUtf8(file.readAll()))});
        }

        ASSERT_GT(texts.size(), 500) << languageCode(run.language) << ": the walk found little";
        const QStringList foreign = foreignTexts(texts, run.isForeign, run.allowed);
        EXPECT_TRUE(foreign.isEmpty()) << languageCode(run.language) << " run, " << foreign.size()
                                       << " texts in the other language:\n"
                                       << foreign.join('\n').toStdString();
    }
}

} // namespace
