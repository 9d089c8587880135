// The student's side of an exercise: when the opened study holds an exercise, a panel shows its
// title, its text, a field per question (with its unit) and the student's name, and writes the
// answers into the study's file.
#pragma once

#include "core/base/Language.h"
#include "core/session/Exercise.h"

#include <QDockWidget>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace titralab {

class Notifier;

class ExercisePanel : public QDockWidget {
    Q_OBJECT
  public:
    ExercisePanel(Language language, Notifier& notifier, QWidget* parent);

    // Shows the exercise of the study file at `path`, with the answers it already holds.
    void showExercise(const ExerciseSection& section, const std::string& path);
    // Records the name and answers typed into the file, written whole. True once written.
    bool saveAnswers();
    // Told the exercise section written, so that the study on screen keeps the answers when it
    // is saved again.
    void setSavedSection(std::function<void(const std::string&)> told) {
        m_savedSection = std::move(told);
    }

  private:
    Language m_language;
    Notifier& m_notifier;
    std::string m_path;
    QLabel* m_title{nullptr};
    QPlainTextEdit* m_text{nullptr};
    QWidget* m_questions{nullptr};
    QLineEdit* m_name{nullptr};
    QPushButton* m_save{nullptr};
    std::vector<std::pair<std::string, QLineEdit*>> m_answers;
    std::function<void(const std::string&)> m_savedSection;
};

} // namespace titralab
