#include "ui/windows/ExercisePanel.h"

#include "core/base/Notifier.h"
#include "core/session/StudyFile.h"
#include "core/texts/ExerciseTexts.h"
#include "ui/qt/Utf8Text.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace titralab {

namespace {

// The unit an answer is given in, from its name: concentrations in mol/L, equivalence volumes in
// mL, pKa and pH without one.
std::string unitOf(const std::string& name) {
    if (name.rfind("VE", 0) == 0) return "mL";
    if (name.rfind("pK", 0) == 0 || name.rfind("pH", 0) == 0) return "";
    const auto dot = name.rfind('.');
    const std::string last = dot == std::string::npos ? name : name.substr(dot + 1);
    if (last.rfind("pK", 0) == 0) return "";
    if (!last.empty() && (last[0] == 'C' || last[0] == 'c')) return "mol/L";
    return "";
}

} // namespace

ExercisePanel::ExercisePanel(Language language, Notifier& notifier, QWidget* parent)
    : QDockWidget(text(language, texts::kExercisePanelTitle), parent), m_language(language),
      m_notifier(notifier) {
    setObjectName("exercisePanel");
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    m_title = new QLabel(body);
    m_title->setObjectName("exerciseTitle");
    m_title->setWordWrap(true);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    layout->addWidget(m_title);
    m_text = new QPlainTextEdit(body);
    m_text->setObjectName("exerciseText");
    m_text->setReadOnly(true);
    m_text->setTabChangesFocus(true);
    m_text->setAccessibleName(text(language, texts::kExercisePanelTitle));
    layout->addWidget(m_text, 1);
    m_questions = new QWidget(body);
    (new QFormLayout(m_questions))->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    layout->addWidget(m_questions);
    auto* nameRow = new QFormLayout;
    nameRow->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto* nameLabel = new QLabel(text(language, texts::kExerciseStudentName), body);
    m_name = new QLineEdit(body);
    m_name->setObjectName("studentNameField");
    m_name->setAccessibleName(nameLabel->text().remove('&').remove(':').trimmed());
    m_name->setMaxLength(static_cast<int>(kMaxExerciseName));
    nameLabel->setBuddy(m_name);
    nameRow->addRow(nameLabel, m_name);
    layout->addLayout(nameRow);
    m_save = new QPushButton(text(language, texts::kExerciseSaveAnswers), body);
    m_save->setObjectName("saveAnswersButton");
    m_save->setAccessibleName(m_save->text().remove('&'));
    connect(m_save, &QPushButton::clicked, this, [this] { saveAnswers(); });
    layout->addWidget(m_save);
    body->setMinimumWidth(260);
    setWidget(body);
}

void ExercisePanel::showExercise(const ExerciseSection& section, const std::string& path) {
    m_path = path;
    m_title->setText(utf8(section.title));
    m_text->setPlainText(utf8(section.text));
    m_name->setText(utf8(section.student));
    auto* form = static_cast<QFormLayout*>(m_questions->layout());
    while (form->rowCount() > 0) form->removeRow(0);
    m_answers.clear();
    for (const auto& [name, points] : section.questions) {
        const std::string unit = unitOf(name);
        auto* field = new QLineEdit(m_questions);
        field->setObjectName(utf8("answerField_" + name));
        field->setAccessibleName(utf8(unit.empty() ? name : name + " (" + unit + ")"));
        for (const auto& [answered, given] : section.answers)
            if (answered == name) field->setText(utf8(given));
        const std::string colon = m_language == Language::French ? " :" : ":";
        form->addRow(utf8((unit.empty() ? name : name + " (" + unit + ")") + colon), field);
        m_answers.emplace_back(name, field);
    }
    show();
}

bool ExercisePanel::saveAnswers() {
    // The file as it is on disk takes the answers (the tool's way): what the window changed in
    // the study is not mixed in.
    const StudyOpening opening = openStudyFile(m_path, m_language);
    if (!opening.record) {
        m_notifier.error(opening.error);
        return false;
    }
    StudyRecord record = *opening.record;
    std::vector<std::pair<std::string, std::string>> answers;
    for (const auto& [name, field] : m_answers) // a blank field is no answer yet
        if (!field->text().trimmed().isEmpty())
            answers.emplace_back(name, field->text().trimmed().toStdString());
    const std::string refusal =
        recordAnswers(record, m_name->text().trimmed().toStdString(), answers, m_language);
    if (!refusal.empty()) {
        m_notifier.error(refusal);
        return false;
    }
    const std::string failure = saveStudyFile(m_path, record, m_language);
    if (!failure.empty()) {
        m_notifier.error(failure);
        return false;
    }
    if (m_savedSection) m_savedSection(record.sections[kExerciseSection]);
    m_notifier.inform(texts::kExerciseAnswersSaved.in(m_language) + m_path);
    return true;
}

} // namespace titralab
