// Modal message boxes for the program's messages.
#pragma once

#include "core/panel/Notifier.h"

class QWidget;

namespace titralab {

// Shows each message in a modal box with an OK button, titled with the application's name.
class QtNotifier : public Notifier {
  public:
    explicit QtNotifier(QWidget* parent = nullptr) : m_parent(parent) {}
    void inform(const std::string& text) override;
    void error(const std::string& text) override;

  private:
    QWidget* m_parent;
};

// The program's line breaks (carriage returns, alone or before a line feed) as line feeds.
std::string displayLineBreaks(const std::string& text);

} // namespace titralab
