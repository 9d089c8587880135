#include "ui/windows/OverlayBar.h"
#include "ui/qt/Utf8Text.h"

#include "core/base/Notifier.h"
#include "core/session/Overlays.h"
#include "core/session/Simulation.h"
#include "core/texts/OverlayTexts.h"
#include "ui/qt/ChartOverlays.h"
#include "ui/qt/ChartPicture.h"
#include "ui/qt/ChartView.h"
#include "ui/windows/FamilyDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

#include <exception>

namespace titralab {

namespace {
QString spoken(QString text) {
    return text.remove('&').remove(QStringLiteral("..."));
}
} // namespace

OverlayBar::OverlayBar(Simulation& sim, Notifier& notifier, ChartView* chart, QWidget* parent)
    : QWidget(parent), m_sim(sim), m_notifier(notifier), m_chart(chart) {
    setObjectName("overlayBar");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto button = [this, row](const char* name, const QString& caption, auto handler) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setAccessibleName(spoken(caption));
        connect(b, &QPushButton::clicked, this, handler);
        row->addWidget(b);
        return b;
    };
    m_freeze =
        button("freezeButton", text(m_sim.language, texts::kFreezeCurve), [this] { freeze(); });
    m_freeze->setToolTip(QStringLiteral("Ctrl+F"));
    m_remove = new QToolButton(this);
    m_remove->setObjectName("removeCurveButton");
    m_remove->setText(text(m_sim.language, texts::kRemoveFrozen));
    m_remove->setAccessibleName(text(m_sim.language, texts::kRemoveFrozenName));
    m_remove->setPopupMode(QToolButton::InstantPopup);
    m_removeMenu = new QMenu(m_remove);
    m_removeMenu->setObjectName("removeCurveMenu");
    m_remove->setMenu(m_removeMenu);
    connect(m_removeMenu, &QMenu::aboutToShow, this, &OverlayBar::fillRemoveMenu);
    row->addWidget(m_remove);
    m_clear = button("clearFrozenButton", text(m_sim.language, texts::kClearFrozen),
                     [this] { clearOverlays(); });
    button("familyButton", text(m_sim.language, texts::kFamily), [this] { openFamily(); });
    row->addStretch();
    button("saveImageButton", text(m_sim.language, texts::kSaveImage),
           [this] { saveImage(); });
    button("copyImageButton", text(m_sim.language, texts::kCopyImage), [this] { copyImage(); });

    // Ctrl+F anywhere in the graph window.
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), parent);
    shortcut->setObjectName("freezeShortcut");
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, &OverlayBar::freeze);

    m_family = new FamilyDialog(m_sim.language, notifier, parent);
    connect(m_family, &FamilyDialog::familyChosen, this, &OverlayBar::drawFamily);
    showOverlays();
}

void OverlayBar::showOverlays() {
    ChartOverlays::of(m_chart)->show(m_sim);
    m_chart->rescale();
    const bool any = !m_sim.overlays.curves.empty();
    m_remove->setEnabled(any);
    m_clear->setEnabled(any);
}

void OverlayBar::freeze() {
    switch (FreezeCurrentCurve(m_sim)) {
    case FreezeOutcome::Full:
        m_notifier.inform(text(m_sim.language, texts::kTooManyFrozen).toStdString());
        return;
    case FreezeOutcome::NothingToFreeze:
        m_notifier.inform(text(m_sim.language, texts::kNothingToFreeze).toStdString());
        return;
    case FreezeOutcome::Frozen:
        break;
    }
    showOverlays();
    emit overlaysChanged();
}

void OverlayBar::removeOverlay(int index) {
    RemoveOverlay(m_sim, index);
    showOverlays();
    emit overlaysChanged();
}

void OverlayBar::clearOverlays() {
    ClearOverlays(m_sim);
    showOverlays();
    emit overlaysChanged();
}

void OverlayBar::fillRemoveMenu() {
    m_removeMenu->clear();
    const auto& curves = m_sim.overlays.curves;
    for (int k = 0; k < static_cast<int>(curves.size()); ++k) {
        QAction* a = m_removeMenu->addAction(
            QString::fromStdString(curves[static_cast<std::size_t>(k)].label));
        a->setObjectName(QStringLiteral("removeCurve%1").arg(k + 1));
        connect(a, &QAction::triggered, this, [this, k] { removeOverlay(k); });
    }
}

void OverlayBar::openFamily() {
    m_family->prepare(m_sim);
    m_family->open();
}

void OverlayBar::drawFamily(const FamilyQuantity& quantity, const std::vector<double>& values) {
    try {
        DrawFamily(m_sim, quantity, values, m_notifier);
    } catch (const std::exception& fault) {
        m_notifier.error(faultText(fault, m_sim.language));
    }
    emit familyDrawn();
}

void OverlayBar::saveImage() {
    QString filter;
    QString path =
        QFileDialog::getSaveFileName(this, text(m_sim.language, texts::kSaveImageTitle), QString(),
                                     text(m_sim.language, texts::kImageFilters), &filter);
    if (path.isEmpty()) return;
    // A name typed without its extension takes the chosen kind's.
    if (QFileInfo(path).suffix().isEmpty())
        path += filter.contains(QStringLiteral("svg")) ? QStringLiteral(".svg")
                                                       : QStringLiteral(".png");
    const bool svg = path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) ||
                     (filter.contains(QStringLiteral("svg")) &&
                      !path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive));
    WholeFileResult written;
    if (svg) {
        written = writeChartSvg(*m_chart, path, m_sim.language);
    } else {
        bool ok = false;
        const int width = QInputDialog::getInt(this, text(m_sim.language, texts::kImageWidthTitle),
                                               text(m_sim.language, texts::kImageWidthLabel),
                                               m_chart->viewport()->width(), 100, 10000, 100, &ok);
        if (!ok) return;
        written = writeChartPng(*m_chart, path, width, m_sim.language);
    }
    if (!written.ok())
        m_notifier.error(text(m_sim.language, texts::kImageNotWritten).toStdString() +
                         written.error);
    else if (!written.notice.empty())
        m_notifier.inform(written.notice);
}

void OverlayBar::copyImage() {
    QApplication::clipboard()->setImage(chartImage(*m_chart));
}

} // namespace titralab
