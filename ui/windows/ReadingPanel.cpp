#include "ui/windows/ReadingPanel.h"
#include "ui/qt/Utf8Text.h"

#include "core/session/StudyConditions.h"
#include "core/session/StudyEdits.h"
#include "core/chemistry/Indicators.h"
#include "core/session/ChartReading.h"
#include "core/session/DiagramColumns.h"
#include "core/session/DiagramView.h"
#include "core/session/Measurements.h"
#include "core/texts/DiagramTexts.h"

#include "core/curves/ChartReading.h"
#include "core/session/Simulation.h"
#include "core/session/WindowDescriptions.h"
#include "core/texts/MeasurementTexts.h"
#include "core/texts/ReadingTexts.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/ChartReadingLayer.h"
#include "ui/qt/ChartView.h"
#include "ui/windows/MonteCarloDialog.h"
#include <algorithm>
#include <iterator>

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMenu>
#include <QPen>
#include <QPushButton>
#include <QScatterSeries>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QXYSeries>

#include <cmath>
#include <functional>

namespace titralab {

namespace {

QColor colorOf(const IndicatorColor& c) {
    return QColor(c.r, c.g, c.b);
}

// "phénolphtaléine (8,2 – 10,0)", or "(aucun)" for -1.
QString indicatorCaption(Language language, int k) {
    if (k < 0 || k >= static_cast<int>(colourIndicators().size()))
        return text(language, texts::kNoIndicator);
    const ColourIndicator& i = colourIndicators()[k];
    return text(language, i.name) + QStringLiteral(" (%1 – %2)")
                                        .arg(QString::number(i.low, 'f', 1).replace('.', ','),
                                             QString::number(i.high, 'f', 1).replace('.', ','));
}

// The colours of a system's successive forms beside the pH axis, from acid to base.
QColor domainColour(std::size_t form) {
    static const QColor colours[] = {QColor(230, 80, 60), QColor(240, 170, 40),
                                     QColor(90, 170, 80), QColor(60, 130, 210),
                                     QColor(130, 80, 190), QColor(90, 90, 90),
                                     QColor(190, 120, 160)};
    return colours[form % std::size(colours)];
}

// The colour of each textbook formula in the validity strip.
QColor formulaColour(PHFormula formula) {
    switch (formula) {
    case PHFormula::StrongAcid:
        return QColor(220, 60, 60);
    case PHFormula::WeakAcid:
        return QColor(240, 150, 40);
    case PHFormula::Buffer:
        return QColor(60, 160, 60);
    case PHFormula::Amphoteric:
        return QColor(150, 90, 200);
    case PHFormula::WeakBase:
        return QColor(40, 150, 210);
    case PHFormula::StrongBase:
        return QColor(40, 60, 190);
    case PHFormula::Water:
        break;
    }
    return QColor(140, 140, 140);
}

} // namespace

ReadingPanel::ReadingPanel(Simulation& sim, ChartView* chart, QWidget* parent)
    : QWidget(parent), m_sim(sim), m_chart(chart), m_layer(new ChartReadingLayer(chart)) {
    setObjectName("ReadingPanel");
    m_equivalences = new QCheckBox(text(m_sim.language, texts::kEquivalencesBox), this);
    m_equivalences->setObjectName("EquivalencesBox");
    m_derivative = new QCheckBox(text(m_sim.language, texts::kDerivativeBox), this);
    m_derivative->setObjectName("DerivativeBox");
    m_legend = new QCheckBox(text(m_sim.language, texts::kLegendBox), this);
    m_legend->setObjectName("LegendBox");
    m_bufferCapacity = new QCheckBox(text(m_sim.language, texts::kBufferCapacityBox), this);
    m_bufferCapacity->setObjectName("bufferCapacityBox");
    m_tangents = new QCheckBox(text(m_sim.language, texts::kTangentsBox), this);
    m_tangents->setObjectName("tangentsBox");
    m_measuredDerivative = new QCheckBox(text(m_sim.language, texts::kMeasuredDerivativeBox), this);
    m_measuredDerivative->setObjectName("measuredDerivativeBox");
    m_conductimetric = new QCheckBox(text(m_sim.language, texts::kConductimetricBox), this);
    m_conductimetric->setObjectName("conductimetricBox");
    m_monteCarlo = new QPushButton(text(m_sim.language, texts::kMonteCarloButton), this);
    m_monteCarlo->setObjectName("monteCarloButton");
    m_monteCarlo->setAutoDefault(false);
    m_smoothing = new QSpinBox(this);
    m_smoothing->setObjectName("smoothingWindow");
    m_smoothing->setRange(1, kMaxSmoothing);
    m_smoothing->setSingleStep(2);
    m_smoothing->setSpecialValueText(text(m_sim.language, texts::kSmoothingNone));
    m_smoothingLabel = new QLabel(text(m_sim.language, texts::kSmoothing), this);
    m_smoothingLabel->setBuddy(m_smoothing);
    m_validity = new QCheckBox(text(m_sim.language, texts::kValidityBox), this);
    m_validity->setObjectName("validityBox");
    m_predominance = new QCheckBox(text(m_sim.language, texts::kPredominanceBox), this);
    m_predominance->setObjectName("predominanceBox");
    // A button with a menu: the choice is spoken by its own name, which a combo box on Linux
    // replaces by its current item.
    m_indicator = new QPushButton(this);
    m_indicator->setObjectName("IndicatorChoice");
    m_indicator->setAutoDefault(false);
    auto* menu = new QMenu(m_indicator);
    auto* group = new QActionGroup(menu);
    const int count = static_cast<int>(colourIndicators().size());
    for (int k = -1; k < count; ++k) {
        QAction* a = menu->addAction(indicatorCaption(m_sim.language, k));
        a->setCheckable(true);
        a->setData(k);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, k] {
            setStudyInput(m_sim, m_sim.reading.options.indicator, k);
            emit regenerationWanted();
        });
    }
    m_indicator->setMenu(menu);
    auto* indicatorLabel = new QLabel(text(m_sim.language, texts::kIndicatorLabel), this);
    indicatorLabel->setBuddy(m_indicator);
    // A list, one row per point: a screen reader walks it row by row, and Tab reaches it.
    m_results = new QListWidget(this);
    m_results->setObjectName("ReadingResults");
    m_results->setFocusPolicy(Qt::StrongFocus);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->setFrameShape(QFrame::NoFrame);
    m_results->setMinimumWidth(330);
    m_results->setWordWrap(true); // a long verdict goes on to the next line, never cut
    // As tall as its rows, from three to seven; more scroll.
    m_results->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    const int row = m_results->fontMetrics().height() + 2;
    m_results->setMinimumHeight(3 * row);
    m_results->setMaximumHeight(7 * row);
    m_results->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_particular = new QLineEdit(this);
    m_particular->setObjectName("ParticularPoint");
    m_particular->setMaxLength(32);
    m_particular->setFixedWidth(70);
    auto* particularLabel = new QLabel(text(m_sim.language, texts::kParticularLabel), this);
    particularLabel->setBuddy(m_particular);
    m_particularUnit = new QLabel(text(m_sim.language, texts::kParticularUnit), this);
    m_particularResult = new QLabel(this);
    m_particularResult->setObjectName("ParticularResult");
    m_particularResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_particularResult->setFocusPolicy(Qt::NoFocus);
    m_particularResult->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_particularResult->setWordWrap(true);
    m_whyThisPH = new QLabel(this);
    m_whyThisPH->setObjectName("whyThisPHPanel");
    m_whyThisPH->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_whyThisPH->setFocusPolicy(Qt::NoFocus);
    m_whyThisPH->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_whyThisPH->setWordWrap(true);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(m_equivalences);
    boxes->addWidget(m_derivative);
    boxes->addWidget(m_legend);
    boxes->addWidget(m_bufferCapacity);
    boxes->addWidget(m_validity);
    boxes->addWidget(m_predominance);
    boxes->addSpacing(8);
    boxes->addWidget(indicatorLabel);
    boxes->addWidget(m_indicator);
    boxes->addStretch();
    m_onCurve = new QLabel(this);
    m_onCurve->setObjectName("onCurvePanel");
    m_onCurve->setFrameShape(QFrame::Panel);
    m_onCurve->setFrameShadow(QFrame::Sunken);
    m_onCurve->setMinimumWidth(260);
    boxes->addWidget(m_onCurve);
    auto* particular = new QHBoxLayout;
    particular->addWidget(particularLabel);
    particular->addWidget(m_particular);
    particular->addWidget(m_particularUnit);
    particular->addStretch();
    auto* right = new QVBoxLayout;
    right->addLayout(particular);
    right->addWidget(m_particularResult, 1);
    auto* below = new QHBoxLayout;
    below->addWidget(m_results, 1);
    below->addLayout(right, 1);
    below->addWidget(m_whyThisPH, 1);
    // The lab's methods on measured points, in a row shown only with measurements.
    m_measuredRow = new QWidget(this);
    m_measuredRow->setObjectName("measuredMethodsRow");
    auto* measured = new QHBoxLayout(m_measuredRow);
    measured->setContentsMargins(0, 0, 0, 0);
    measured->addWidget(m_measuredDerivative);
    measured->addWidget(m_tangents);
    measured->addWidget(m_conductimetric);
    measured->addSpacing(8);
    measured->addWidget(m_smoothingLabel);
    measured->addWidget(m_smoothing);
    measured->addWidget(m_monteCarlo);
    measured->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(boxes);
    layout->addWidget(m_measuredRow);
    layout->addLayout(below);

    m_equivalences->setAccessibleName(text(m_sim.language, texts::kEquivalencesName));
    m_derivative->setAccessibleName(text(m_sim.language, texts::kDerivativeName));
    m_legend->setAccessibleName(text(m_sim.language, texts::kLegendName));
    m_bufferCapacity->setAccessibleName(text(m_sim.language, texts::kBufferCapacityName));
    m_tangents->setAccessibleName(text(m_sim.language, texts::kTangentsName));
    m_conductimetric->setAccessibleName(text(m_sim.language, texts::kConductimetricName));
    m_measuredDerivative->setAccessibleName(text(m_sim.language, texts::kMeasuredDerivativeName));
    m_monteCarlo->setAccessibleName(text(m_sim.language, texts::kMonteCarloButtonName));
    m_smoothing->setAccessibleName(text(m_sim.language, texts::kSmoothingName));
    m_validity->setAccessibleName(text(m_sim.language, texts::kValidityName));
    m_validity->setToolTip(text(m_sim.language, texts::kValidityName));
    m_predominance->setAccessibleName(text(m_sim.language, texts::kPredominanceName));
    m_predominance->setToolTip(text(m_sim.language, texts::kPredominanceName));
    m_indicator->setAccessibleName(text(m_sim.language, texts::kIndicatorName));
    m_particular->setAccessibleName(text(m_sim.language, texts::kParticularName));
    m_results->setAccessibleName(text(m_sim.language, texts::kResultsName));

    connect(m_equivalences, &QCheckBox::clicked, this, [this](bool ticked) {
        setStudyInput(m_sim, m_sim.reading.options.equivalences, ticked);
        emit regenerationWanted();
    });
    connect(m_derivative, &QCheckBox::clicked, this, [this](bool ticked) {
        setStudyInput(m_sim, m_sim.reading.options.derivative, ticked);
        emit regenerationWanted();
    });
    connect(m_bufferCapacity, &QCheckBox::clicked, this, [this](bool ticked) {
        setStudyInput(m_sim, m_sim.exportSettings.diagrams.bufferCapacity, ticked);
        emit regenerationWanted();
    });
    connect(m_legend, &QCheckBox::clicked, this, [this](bool ticked) {
        setStudyInput(m_sim, m_sim.reading.options.legend, ticked);
        applySimulation();
    });
    connect(m_tangents, &QCheckBox::clicked, this, [this] { applySimulation(); });
    connect(m_conductimetric, &QCheckBox::clicked, this, [this] { applySimulation(); });
    connect(m_measuredDerivative, &QCheckBox::clicked, this, [this] { applySimulation(); });
    connect(m_monteCarlo, &QPushButton::clicked, this, &ReadingPanel::openMonteCarlo);
    connect(m_smoothing, &QSpinBox::valueChanged, this, [this](int window) {
        const int smoothing = window < 3 ? 0 : window;
        if (smoothing == m_sim.pasted.smoothing) return;
        m_sim.pasted.smoothing = smoothing;
        emit regenerationWanted();
    });
    connect(m_predominance, &QCheckBox::clicked, this, [this](bool ticked) {
        setStudyInput(m_sim, m_sim.exportSettings.diagrams.predominanceBand, ticked);
        applySimulation();
    });
    connect(m_validity, &QCheckBox::clicked, this, [this](bool ticked) {
        setStudyInput(m_sim, m_sim.exportSettings.diagrams.validityBand, ticked);
        applySimulation();
    });
    connect(m_particular, &QLineEdit::returnPressed, this, &ReadingPanel::showParticularPoint);
    connect(m_particular, &QLineEdit::editingFinished, this, &ReadingPanel::showParticularPoint);
    connect(m_layer, &ChartReadingLayer::legendToggleRequested, this, &ReadingPanel::toggleLegend);
}

void ReadingPanel::toggleLegend() {
    setStudyInput(m_sim, m_sim.reading.options.legend, !m_sim.reading.options.legend);
    applySimulation();
}

void ReadingPanel::applySimulation() {
    const ReadingOptions& o = m_sim.reading.options;
    const ChemicalState& s = m_sim.state;
    const bool titration = titrationOf(s.study).has_value() || s.study == Study::FreeSolutions;
    {
        const QSignalBlocker a(m_equivalences), b(m_derivative), c(m_legend), d(m_indicator),
            e(m_bufferCapacity), f(m_validity), g(m_predominance);
        m_predominance->setChecked(m_sim.exportSettings.diagrams.predominanceBand);
        m_validity->setChecked(m_sim.exportSettings.diagrams.validityBand);
        m_bufferCapacity->setChecked(m_sim.exportSettings.diagrams.bufferCapacity);
        m_equivalences->setChecked(o.equivalences);
        m_derivative->setChecked(o.derivative);
        m_legend->setChecked(o.legend);
        m_indicator->setText(indicatorCaption(m_sim.language, o.indicator));
        for (QAction* a : m_indicator->menu()->actions())
            a->setChecked(a->data().toInt() == o.indicator);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{m_equivalences, m_derivative, m_indicator,
                                                      m_particular, m_validity, m_predominance})
        w->setEnabled(titration);
    m_tangents->setEnabled(titration && !m_sim.pasted.lines.empty());
    m_monteCarlo->setEnabled(titration && !m_sim.pasted.lines.empty());
    m_smoothing->setEnabled(titration && !m_sim.pasted.lines.empty());
    m_measuredDerivative->setEnabled(titration && !m_sim.pasted.lines.empty());
    m_measuredRow->setVisible(titration &&
                              (!m_sim.pasted.lines.empty() || !m_sim.pasted.conductivity.empty()));
    {
        const QSignalBlocker guard(m_smoothing);
        m_smoothing->setValue(std::max(1, m_sim.pasted.smoothing));
    }
    m_conductimetric->setEnabled(!drawnMeasuredConductivities(m_sim).empty());
    showConstructions();
    const bool buffer = takesBufferCapacity(s.study);
    m_bufferCapacity->setEnabled(buffer);
    m_particularUnit->setText(text(m_sim.language, s.volumesInMillilitres
                                                       ? texts::kParticularUnit
                                                       : texts::kParticularUnitLitres));

    ChartReadingView view;
    if (titration && o.derivative) {
        for (const CurvePoint& p : m_sim.reading.derivative) view.derivative.append({p.x, p.y});
        view.derivativeTitle =
            text(m_sim.language,
                 s.volumesInMillilitres ? texts::kDerivativeAxis : texts::kDerivativeAxisLitres);
    }
    // β takes the right-hand axis when dpH/dV does not, its maxima marked.
    bool bufferDrawn = false;
    if (buffer && m_sim.exportSettings.diagrams.bufferCapacity && view.derivative.isEmpty()) {
        const BufferCurve curve = studyBufferCurve(m_sim);
        for (const auto& [x, beta] : curve.points) view.derivative.append({x, beta});
        view.derivativeTitle = text(m_sim.language, texts::kBufferCapacityColumn);
        for (const auto& maximum : curve.maxima)
            view.markers.append(
                {maximum.first, text(m_sim.language, texts::kBufferMaximumMark), true});
        bufferDrawn = !view.derivative.isEmpty();
    }
    if (titration && o.equivalences)
        for (const EquivalenceReading& p : m_sim.reading.points) {
            view.markers.append({p.half.volume * s.volumeFactor,
                                 utf8(pointLabel(PointKind::Half, p.number, m_sim.language)),
                                 true});
            view.markers.append({p.equivalence.volume * s.volumeFactor,
                                 utf8(pointLabel(PointKind::Equivalence, p.number, m_sim.language)),
                                 false});
        }
    const ColourIndicator* indicator =
        titration && o.indicator >= 0 && o.indicator < static_cast<int>(colourIndicators().size())
            ? &colourIndicators()[o.indicator]
            : nullptr;
    if (indicator)
        view.band = ChartReadingView::Band{indicator->low, indicator->high,
                                           colorOf(indicator->acid), colorOf(indicator->basic),
                                           text(m_sim.language, indicator->name)};

    // The legend names each drawn curve by its box's caption.
    const GraphOptions& g = m_sim.graph;
    const bool twoMono = s.study == Study::TwoMonoTitration;
    for (int k = 1; k <= ChartView::kSeriesCount; ++k) {
        if (m_sim.results.curves[k].empty()) continue;
        QString name;
        switch (k) {
        case 1: {
            name = text(m_sim.language, texts::kLegendPH);
            // The pH a meter reads with activities, or at another temperature, says so.
            const std::string said = conditionsTitle(m_sim.conditions, m_sim.language);
            if (!said.empty() && m_sim.results.conditionsRefusal.empty())
                name += QStringLiteral(" (") + utf8(said) + QStringLiteral(")");
            break;
        }
        case 2:
        case 3:
            name = utf8(g.captions[k - 2]);
            break;
        case 4:
        case 5:
            name = utf8(g.captions[twoMono ? k : k - 2]);
            break;
        case 6:
            name = text(m_sim.language, texts::kLegendHydronium);
            break;
        case 7:
            name = text(m_sim.language, texts::kLegendPasted);
            break;
        case 8:
            name = text(m_sim.language, texts::kLegendConductivity);
            break;
        }
        if (s.study == Study::Dilution && k > 1) continue; // reference lines
        if (name.isEmpty()) continue;
        QXYSeries* series = m_chart->series(k);
        const QColor color =
            k == ChartView::kMarkerSeries ? series->color() : series->pen().color();
        view.legend.append({color, name, Qt::SolidLine, false});
    }
    if (const QScatterSeries* measured = m_chart->measuredConductivities();
        measured && measured->count() > 0)
        view.legend.append(
            {measured->color(), text(m_sim.language, texts::kMeasuredConductivities)});
    if (!view.derivative.isEmpty())
        view.legend.append({QColor(120, 0, 160),
                            text(m_sim.language, bufferDrawn ? texts::kBufferCapacityBox
                                                             : texts::kLegendDerivative),
                            Qt::DashLine, false});
    if (!m_tangentLines.isEmpty() && m_tangentLines.first()->isVisible())
        view.legend.append({m_tangentLines.first()->pen().color(),
                            text(m_sim.language, texts::kTangentsBox), Qt::DashLine, false});
    if (m_measuredDerivativeLine && m_measuredDerivativeLine->isVisible())
        view.legend.append({m_measuredDerivativeLine->pen().color(),
                            text(m_sim.language, texts::kMeasuredDerivativeBox), Qt::DotLine,
                            false});
    if (!m_conductimetricLines.isEmpty() && m_conductimetricLines.first()->isVisible())
        view.legend.append({m_conductimetricLines.first()->pen().color(),
                            text(m_sim.language, texts::kConductimetricBox), Qt::SolidLine, false});
    if (view.band)
        view.legend.append(
            {view.band->acid, view.band->name, Qt::SolidLine, true, view.band->basic});
    // The beaker's predominance domains beside the pH axis, a column a system.
    if (titration && m_sim.exportSettings.diagrams.predominanceBand) {
        const std::vector<DiagramStrip> strips = predominanceOf(m_sim);
        for (std::size_t k = 0; k < strips.size(); ++k)
            for (std::size_t d = 0; d < strips[k].domains.size(); ++d) {
                const DiagramDomain& domain = strips[k].domains[d];
                const QColor colour = domainColour(d);
                view.domains.append({static_cast<int>(k), domain.low, domain.high, colour});
                view.legend.append({colour, utf8(domain.name), Qt::SolidLine, true, colour});
            }
    }
    // Where each textbook formula holds: a strip at the foot of the pH axis, a colour a formula.
    if (titration && m_sim.exportSettings.diagrams.validityBand) {
        std::vector<PHFormula> named;
        for (const FormulaStretch& f : formulaValidityAlong(m_sim)) {
            const QColor colour = formulaColour(f.formula);
            view.stretches.append({f.low, f.high, colour});
            if (std::find(named.begin(), named.end(), f.formula) != named.end()) continue;
            named.push_back(f.formula);
            view.legend.append({colour, utf8(texts::formulaName(f.formula).in(m_sim.language)),
                                Qt::SolidLine, true, colour});
        }
    }
    view.legendShown = o.legend;
    m_layer->show(view);

    showResults();
    if (!m_particular->text().isEmpty()) showParticularPoint();
}

namespace {

// Draws `segments` with the chart's lines of `lines`, adding lines as needed and hiding those
// left over; `pen(k)` is the k-th line's pen.
void drawSegments(ChartView* chart, QList<QLineSeries*>& lines, const char* name,
                  const std::vector<DrawnSegment>& segments, const std::function<QPen(int)>& pen) {
    while (lines.size() < static_cast<qsizetype>(segments.size())) {
        auto* line = new QLineSeries(chart->chart());
        line->setObjectName(name);
        line->setPen(pen(static_cast<int>(lines.size())));
        chart->chart()->addSeries(line);
        line->attachAxis(chart->bottomAxis());
        line->attachAxis(chart->leftAxis());
        lines.append(line);
    }
    for (qsizetype k = 0; k < lines.size(); ++k) {
        QLineSeries* line = lines[k];
        const bool used = k < static_cast<qsizetype>(segments.size());
        if (used) {
            const DrawnSegment& d = segments[static_cast<std::size_t>(k)];
            line->replace({QPointF(d[0].x, d[0].y), QPointF(d[1].x, d[1].y)});
        }
        line->setVisible(used);
    }
}

} // namespace

void ReadingPanel::showConstructions() {
    std::vector<DrawnSegment> tangents, conductimetric;
    if (m_tangents->isEnabled() && m_tangents->isChecked())
        tangents = drawnTangentConstruction(m_sim);
    if (m_conductimetric->isEnabled() && m_conductimetric->isChecked())
        conductimetric = drawnConductimetricLines(m_sim);
    // Every third tangent line is the middle one, solid; the tangents are dashed.
    drawSegments(m_chart, m_tangentLines, "tangentLine", tangents, [](int k) {
        return QPen(QColor(0, 110, 60), 1.5, k % 3 == 2 ? Qt::SolidLine : Qt::DashLine);
    });
    drawSegments(m_chart, m_conductimetricLines, "conductimetricLine", conductimetric,
                 [](int) { return QPen(QColor(220, 90, 0), 2); });
    // The measured points' derivative, one line made on first use.
    const bool derivative = m_measuredDerivative->isEnabled() && m_measuredDerivative->isChecked();
    if (derivative && !m_measuredDerivativeLine) {
        m_measuredDerivativeLine = new QLineSeries(m_chart->chart());
        m_measuredDerivativeLine->setObjectName("measuredDerivativeLine");
        m_measuredDerivativeLine->setPen(QPen(QColor(150, 60, 0), 1.5, Qt::DotLine));
        m_chart->chart()->addSeries(m_measuredDerivativeLine);
        m_measuredDerivativeLine->attachAxis(m_chart->bottomAxis());
        m_measuredDerivativeLine->attachAxis(m_chart->leftAxis());
    }
    if (m_measuredDerivativeLine) {
        QList<QPointF> points;
        if (derivative)
            for (const CurvePoint& p : drawnMeasuredDerivative(m_sim)) points.append({p.x, p.y});
        m_measuredDerivativeLine->replace(points);
        m_measuredDerivativeLine->setVisible(derivative);
    }
}

void ReadingPanel::openMonteCarlo() {
    MonteCarloDialog dialog(m_sim, this);
    dialog.run();
    dialog.exec();
}

void ReadingPanel::showResults() {
    std::vector<std::string> shown = resultLines(m_sim);
    std::vector<std::string> spoken = a11y::spokenReadings(m_sim);
    // The equivalences read off measured points follow the simulated ones, spoken as shown.
    spoken.resize(shown.size());
    for (const std::string& line : measuredEquivalenceLines(m_sim)) {
        shown.push_back(line);
        spoken.push_back(line);
    }
    QStringList before;
    for (int k = 0; k < m_results->count(); ++k) before.append(m_results->item(k)->text());
    QStringList after;
    for (const std::string& line : shown) after.append(utf8(line));
    m_indicator->setAccessibleName(utf8(a11y::indicatorChoiceName(m_sim)));
    if (after == before) return;
    m_results->clear();
    for (std::size_t k = 0; k < shown.size(); ++k) {
        auto* row = new QListWidgetItem(after[static_cast<int>(k)], m_results);
        if (k < spoken.size() && !spoken[k].empty())
            row->setData(Qt::AccessibleTextRole, utf8(spoken[k]));
    }
    if (m_results->count() > 0) m_results->setCurrentRow(0);
    // New readings are told politely, without moving the focus.
    QStringList said;
    for (const std::string& line : spoken) said.append(utf8(line));
    accessibility::announce(m_results, text(m_sim.language, texts::kResultsName),
                            said.isEmpty() ? text(m_sim.language, texts::kNoResults)
                                           : said.join(QStringLiteral(" ; ")));
}

void ReadingPanel::showParticularPoint() {
    const std::optional<double> volume = readParticularVolume(m_particular->text().toStdString());
    m_whyThisPH->clear();
    if (!titrationOf(m_sim.state.study) && m_sim.state.study != Study::FreeSolutions) {
        m_particularResult->setText(text(m_sim.language, texts::kParticularNoTitration));
        return;
    }
    std::optional<ExactPoint> p;
    if (volume) p = exactPointAt(m_sim, *volume);
    if (!p) {
        m_particularResult->setText(text(m_sim.language, texts::kParticularOutside));
        return;
    }
    QStringList lines;
    for (const std::string& line : particularPointLines(m_sim, *p)) lines.append(utf8(line));
    m_particularResult->setText(lines.join(QStringLiteral(" ; ")));
    explainAt(*volume);
}

void ReadingPanel::explainAt(double volume) {
    m_whyThisPH->clear();
    const std::optional<PHExplanation> why = explainStudyPoint(m_sim, volume);
    if (!why) return;
    // The heading, then the lines run on as the particular point's values do, so that the
    // panel stays as short as the results beside it.
    QStringList whyLines;
    for (const std::string& line : whyThisPHLines(m_sim, *why)) whyLines.append(utf8(line));
    m_whyThisPH->setText(text(m_sim.language, texts::kWhyThisPH) + '\n' +
                         whyLines.join(QStringLiteral(" ; ")));
}

QString ReadingPanel::onCurveAt(const QPoint& position) const {
    if ((!titrationOf(m_sim.state.study) && m_sim.state.study != Study::FreeSolutions) ||
        m_sim.results.curves[1].empty())
        return {};
    const double x = m_layer->volumeAt(position);
    double largest = 0;
    for (const CurvePoint& p : m_sim.results.curves[1]) largest = std::max(largest, p.x);
    if (!(x >= 0) || x > largest) return {};
    const std::optional<ExactPoint> p = exactPointAt(m_sim, x);
    return p ? utf8(onCurveText(m_sim, *p)) : QString();
}

QList<QWidget*> ReadingPanel::tabStops() const {
    return {m_equivalences, m_derivative, m_legend,    m_bufferCapacity, m_validity,
            m_predominance, m_indicator,  m_tangents,  m_conductimetric, m_smoothing,
            m_monteCarlo,   m_results,    m_particular};
}

QString ReadingPanel::resultsText() const {
    QStringList lines;
    for (int k = 0; k < m_results->count(); ++k) lines.append(m_results->item(k)->text());
    return lines.join('\n');
}

QString ReadingPanel::whyThisPHText() const {
    return m_whyThisPH->text();
}

QString ReadingPanel::particularText() const {
    return m_particularResult->text();
}

} // namespace titralab
