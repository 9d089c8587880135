// Modal message boxes for the program's messages.
#pragma once

#include "core/base/Notifier.h"

class QString;
class QWidget;

namespace titralab {

// Shows each message in a modal box with an OK button, titled with what it is (an error or a
// message) and the window whose work it reports.
class QtNotifier : public Notifier {
  public:
    explicit QtNotifier(QWidget* parent = nullptr) : m_parent(parent) {}
    void inform(const std::string& text) override;
    void error(const std::string& text) override;

  private:
    QWidget* m_parent;
};

// "Erreur — Courbes": the title of a box for `owner`'s work; the application's name stands for
// a window without a title.
QString messageBoxTitle(const QWidget* owner, bool error);

// The program's line breaks (carriage returns, alone or before a line feed) as line feeds.
std::string displayLineBreaks(const std::string& text);

} // namespace titralab
