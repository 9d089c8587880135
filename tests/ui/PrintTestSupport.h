// Helpers of the printing tests: a computed study, temporary PDF files and what a PDF holds.
#pragma once

#include "core/base/Notifier.h"
#include "core/panel/DatabaseBrowser.h"
#include "core/session/Refresh.h"
#include "core/session/Simulation.h"

#include <QFile>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>

namespace titralab::printing {

// Acetic acid (database entry 17) titrated by soda, computed as the show command does.
inline Simulation titrationOfAceticAcid() {
    Simulation sim;
    sim.panel.side = BuretteSide::AcidSide;
    sim.panel.study = Study::TitrationVsVolume;
    sim.browser.current(BuretteSide::AcidSide) = 17;
    LoadEntry(sim.browser, 17, sim.panel, sim.state);
    RecordingNotifier quiet;
    RefreshSimulation(sim, quiet);
    return sim;
}

// What the tests check of a PDF file: its header, page count and first page size (points).
struct PdfFacts {
    bool exists{false};
    QByteArray header;
    qint64 size{0};
    int pages{-1};
    QSizeF mediaBox;
};

inline PdfFacts readPdf(const QString& path) {
    PdfFacts facts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return facts;
    const QByteArray data = file.readAll();
    facts.exists = true;
    facts.size = data.size();
    facts.header = data.left(5);
    // The page tree and the page dictionaries are written uncompressed.
    const QString text = QString::fromLatin1(data);
    const auto count = QRegularExpression(R"(/Type /Pages\s[^>]*?/Count (\d+))").match(text);
    if (count.hasMatch()) facts.pages = count.captured(1).toInt();
    const auto box = QRegularExpression(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])").match(text);
    if (box.hasMatch())
        facts.mediaBox = QSizeF(box.captured(1).toDouble(), box.captured(2).toDouble());
    return facts;
}

} // namespace titralab::printing
