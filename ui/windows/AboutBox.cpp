#include "ui/windows/AboutBox.h"

#include "core/session/WindowDescriptions.h"
#include "core/texts/WindowTexts.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/Utf8Text.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace titralab {

namespace {

constexpr int kClientWidth = 298; // pixels
constexpr int kClientHeight = 213;
constexpr int kIconSize = 32;

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QLayout* layout) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    layout->addWidget(label);
    return label;
}

} // namespace

AboutBox::AboutBox(Language language, const QString& programName, const QIcon& icon,
                   QWidget* parent)
    : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle(text(language, texts::kAboutCaption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    // Modal to the windows it was opened over only: the point-style chooser and the help,
    // windows of their own, stay usable beside it.
    setWindowModality(Qt::WindowModal);

    auto* panel = new QFrame(this);
    panel->setObjectName("panel");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);

    m_icon = new QLabel(panel);
    m_icon->setObjectName("ProgramIcon");
    m_icon->setFixedSize(kIconSize, kIconSize);

    auto* nameLabel = new QLabel(programName, panel);
    nameLabel->setObjectName("ProductName");
    QFont bold = nameLabel->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    nameLabel->setFont(bold);

    auto* top = new QHBoxLayout;
    top->addWidget(m_icon, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addWidget(nameLabel, 1);

    auto* column = new QVBoxLayout(panel);
    column->addLayout(top);
    addLabel(panel, "Version", text(language, texts::kAboutVersion), column);
    addLabel(panel, "Copyright", text(language, texts::kAboutMaker), column);
    addLabel(panel, "Comments", text(language, texts::kAboutDescription), column);
    addLabel(panel, "Author", text(language, texts::kAboutAuthor), column);
    column->addStretch();

    auto* ok = new QPushButton(text(language, texts::kAboutOk), this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    setSideIcon(icon);
    accessibility::apply(this, a11y::aboutBoxTexts(language));
    setFixedSize(kClientWidth, kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void AboutBox::setSideIcon(const QIcon& icon) {
    setWindowIcon(icon);
    m_icon->setPixmap(icon.pixmap(kIconSize, kIconSize));
}

} // namespace titralab
