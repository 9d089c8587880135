#include "ui/windows/GranTab.h"

#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"
#include "core/session/Simulation.h"
#include "core/texts/MeasurementTexts.h"
#include "core/texts/ReadingTexts.h"
#include "ui/qt/DiagramPainter.h"
#include "ui/qt/Utf8Text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace titralab {

namespace {

// How near an end the mouse must be pressed to take it, in pixels.
constexpr double kGrip = 8;

char separatorOf(const Simulation& sim) {
    return sim.exportSettings.decimalComma ? ',' : '.';
}

} // namespace

GranCanvas::GranCanvas(QWidget* parent) : DiagramCanvas(parent) {
    setMinimumSize(200, 120);
    setMouseTracking(true);
}

double GranCanvas::valueAt(double x) const {
    const QRectF plot = diagramPlotArea(QRectF(rect()), view(), ',', font());
    return view().xMin + (x - plot.left()) / plot.width() * (view().xMax - view().xMin);
}

double GranCanvas::pixelAt(double value) const {
    const QRectF plot = diagramPlotArea(QRectF(rect()), view(), ',', font());
    return plot.left() + (value - view().xMin) / (view().xMax - view().xMin) * plot.width();
}

void GranCanvas::mousePressEvent(QMouseEvent* event) {
    m_dragged = -1;
    if (!m_range || !view().problem.empty()) return DiagramCanvas::mousePressEvent(event);
    const double x = event->position().x();
    const double start = std::abs(x - pixelAt(m_range->first));
    const double end = std::abs(x - pixelAt(m_range->second));
    if (std::min(start, end) <= kGrip) m_dragged = start <= end ? 0 : 1;
}

void GranCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragged < 0 && m_range) {
        // The pointer says where an end can be taken.
        const double x = event->position().x();
        const bool near = std::abs(x - pixelAt(m_range->first)) <= kGrip ||
                          std::abs(x - pixelAt(m_range->second)) <= kGrip;
        setCursor(near ? Qt::SizeHorCursor : Qt::ArrowCursor);
        return;
    }
    if (m_dragged < 0) return;
    const double value = std::clamp(valueAt(event->position().x()), view().xMin, view().xMax);
    (m_dragged == 0 ? m_range->first : m_range->second) = value;
    update();
}

void GranCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (m_dragged < 0) return DiagramCanvas::mouseReleaseEvent(event);
    m_dragged = -1;
    emit rangeDragged(m_range->first, m_range->second);
}

GranTab::GranTab(Simulation& sim, QWidget* parent) : QWidget(parent), m_sim(sim) {
    setObjectName("granTab");
    buildSide(GranSide::Before);
    buildSide(GranSide::After);
    m_status = new QLabel(this);
    m_status->setObjectName("granStatus");
    m_status->setWordWrap(true);

    auto* plots = new QHBoxLayout;
    for (Side& side : m_sides) {
        auto* column = new QVBoxLayout;
        column->addWidget(side.canvas, 1);
        column->addWidget(side.label);
        auto* fields = new QHBoxLayout;
        for (QWidget* w : std::initializer_list<QWidget*>{side.from, side.to, side.until, side.unit,
                                                          side.automatic})
            fields->addWidget(w);
        fields->addStretch();
        column->addLayout(fields);
        plots->addLayout(column, 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(plots, 1);
    layout->addWidget(m_status);
    refresh();
}

void GranTab::buildSide(GranSide which) {
    Side& side = m_sides[which == GranSide::Before ? 0 : 1];
    const char* name = which == GranSide::Before ? "granBefore" : "granAfter";
    side.canvas = new GranCanvas(this);
    side.canvas->setObjectName(QString(name) + "Plot");
    side.label = new QLabel(this);
    side.from = new QLineEdit(this);
    side.from->setObjectName(QString(name) + "From");
    side.to = new QLabel(this);
    side.until = new QLineEdit(this);
    side.until->setObjectName(QString(name) + "To");
    for (QLineEdit* field : {side.from, side.until}) {
        field->setMaximumWidth(70);
        connect(field, &QLineEdit::editingFinished, this, [this, which] { typedRange(which); });
    }
    side.unit = new QLabel(this);
    side.automatic = new QPushButton(this);
    side.automatic->setObjectName(QString(name) + "Automatic");
    side.automatic->setAutoDefault(false);
    side.label->setBuddy(side.from);
    side.to->setBuddy(side.until);
    connect(side.automatic, &QPushButton::clicked, this,
            [this, which] { setRange(which, std::nullopt); });
    connect(side.canvas, &GranCanvas::rangeDragged, this, [this, which](double from, double to) {
        setRange(which, std::pair{from, to});
    });
}

QList<QWidget*> GranTab::tabStops() const {
    QList<QWidget*> stops;
    for (const Side& side : m_sides) stops << side.from << side.until << side.automatic;
    return stops;
}

void GranTab::typedRange(GranSide which) {
    const Side& side = side_(which);
    const BoundedNumber from = ParseBoundedNumber(side.from->text().toStdString(), 0, 1e6);
    const BoundedNumber to = ParseBoundedNumber(side.until->text().toStdString(), 0, 1e6);
    const std::optional<std::pair<double, double>> now = granRange(m_sim, which);
    // Leaving a field unchanged changes nothing.
    if (from.ok && to.ok && now && from.value == now->first && to.value == now->second) return;
    if (!from.ok || !to.ok || !(from.value < to.value)) {
        m_status->setText(text(m_sim.language, texts::kGranRangeRefused));
        return;
    }
    setRange(which, std::pair{from.value, to.value});
}

void GranTab::setRange(GranSide which, std::optional<std::pair<double, double>> range) {
    setGranRange(m_sim, which, range);
    refresh();
    emit rangesChanged();
}

void GranTab::refresh() {
    const Language language = m_sim.language;
    const char separator = separatorOf(m_sim);
    const QString unit =
        text(language, m_sim.state.volumesInMillilitres ? texts::kParticularUnit
                                                        : texts::kParticularUnitLitres);
    for (const GranSide which : {GranSide::Before, GranSide::After}) {
        Side& side = m_sides[which == GranSide::Before ? 0 : 1];
        const bool before = which == GranSide::Before;
        side.label->setText(
            text(language, before ? texts::kGranFromBefore : texts::kGranFromAfter));
        side.to->setText(text(language, before ? texts::kGranToBefore : texts::kGranToAfter));
        side.unit->setText(unit);
        side.automatic->setText(text(language, texts::kGranAutomatic));
        side.from->setAccessibleName(
            text(language, before ? texts::kGranStartBeforeName : texts::kGranStartAfterName));
        side.until->setAccessibleName(
            text(language, before ? texts::kGranEndBeforeName : texts::kGranEndAfterName));
        side.automatic->setAccessibleName(text(language, before ? texts::kGranAutomaticBeforeName
                                                                : texts::kGranAutomaticAfterName));
        const std::optional<std::pair<double, double>> range = granRange(m_sim, which);
        side.canvas->setRange(range);
        side.canvas->show(granDiagram(m_sim, which), separator);
        side.from->setText(range ? utf8(formatGeneral(range->first, 4, separator)) : QString());
        side.until->setText(range ? utf8(formatGeneral(range->second, 4, separator)) : QString());
        for (QWidget* w : std::initializer_list<QWidget*>{side.from, side.until})
            w->setEnabled(range.has_value());
        side.automatic->setEnabled(
            (before ? m_sim.pasted.granBefore : m_sim.pasted.granAfter).has_value());
    }
    m_status->setText(text(language, texts::kGranHint));
}

} // namespace titralab
