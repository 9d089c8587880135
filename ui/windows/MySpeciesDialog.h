// "Mes espèces": the teacher's own acid-base systems. Add, edit, duplicate and delete them, each
// field checked with its message; every change is written whole to the user file of the
// settings folder; export to a file and import from one, names already present asked about.
#pragma once

#include "core/base/Language.h"
#include "core/chemistry/SoluteDatabase.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;

namespace titralab {

class MySpeciesDialog : public QDialog {
    Q_OBJECT
  public:
    MySpeciesDialog(Language language, char separator, std::string userFile,
                    QWidget* parent = nullptr);

    const std::vector<SoluteEntry>& entries() const { return m_entries; }
    // The message under the fields (a refusal or what was done).
    QString message() const;
    // Checks the fields and keeps them as the chosen entry (or a new one), then writes the file.
    bool saveEntry();
    void newEntry();
    void duplicateEntry();
    void deleteEntry();
    bool exportTo(const QString& path);
    // Adds the entries of a file; `replace` is asked which names already present to replace
    // (true: those of the file win). Without it, a message box asks.
    bool importFrom(const QString& path);
    void setReplaceQuestion(std::function<bool(const QStringList& names)> ask) {
        m_askReplace = std::move(ask);
    }

  private:
    void showEntry(int index);
    bool write();
    void say(const QString& message, bool problem);

    Language m_language;
    char m_separator;
    std::string m_userFile;
    std::vector<SoluteEntry> m_entries;
    int m_current{-1}; // the entry the fields show; -1 for a new one
    QListWidget* m_list{nullptr};
    std::array<QLineEdit*, 8> m_fields{};
    QLabel* m_message{nullptr};
    std::function<bool(const QStringList&)> m_askReplace;
};

} // namespace titralab
