// The per-user settings store, under "Velmor" and the program name: the main window's placement,
// the live curves, the interface language.
#pragma once

#include "core/system/Placement.h"
#include "core/base/Language.h"

#include <QString>

#include <optional>

namespace titralab {

class SettingsStore {
  public:
    static constexpr const char* kOrganisation = "Velmor";

    explicit SettingsStore(QString programName) : m_programName(std::move(programName)) {}

    // The four bounds as stored; a value that is absent or not an integer is empty.
    system::StoredPlacement readPlacement() const;
    // "etatFenetre" always; "haut", "gauche", "largeur", "hauteur" when bounds are given.
    void writeAtExit(const system::PlacementAtExit& placement) const;
    // "courbesEnDirect": the graph window beside the main window; on when absent or unreadable.
    bool readLiveCurves() const;
    void writeLiveCurves(bool on) const;
    // "langue": "fr" or "en", the language chosen in "Options > Langue"; nothing when absent or
    // unreadable (the desktop's locale then decides).
    std::optional<Language> readLanguage() const;
    void writeLanguage(Language language) const;

  private:
    QString m_programName;
};

} // namespace titralab
