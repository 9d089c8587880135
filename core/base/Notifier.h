// Where the program's modal messages go: a real box in the windows, a list in tests and tools.
#pragma once

#include <string>
#include <vector>

namespace titralab {

class Notifier {
  public:
    virtual ~Notifier() = default;
    // A modal message with an OK button; returns when the user has closed it.
    virtual void inform(const std::string& text) = 0;
    // A fault that ended a command (a file that cannot be written, a solver fault).
    virtual void error(const std::string& text) = 0;
};

// Keeps every message, in order.
class RecordingNotifier : public Notifier {
  public:
    void inform(const std::string& text) override { messages.push_back(text); }
    void error(const std::string& text) override { errors.push_back(text); }
    std::vector<std::string> messages;
    std::vector<std::string> errors;
};

} // namespace titralab
