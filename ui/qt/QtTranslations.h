// The language of a run, and Qt's translations for it: the program's own English texts
// (ui/translations, built into the program) or Qt's French dialogs (Debian:
// qt6-translations-l10n).
#pragma once

#include "core/base/Language.h"

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class QTranslator;

namespace titralab {

// The language of a run, strongest first: an override ("fr" or "en", from the TITRALAB_LANG
// variable), the choice stored from "Options > Langue", the desktop's locale name (French for
// fr and fr_*, English otherwise). An override that is neither "fr" nor "en" is ignored.
Language chooseLanguage(std::string_view override, std::optional<Language> stored,
                        std::string_view localeName);

// The translations of one language, installed in the application for the object's lifetime.
// French: Qt's French texts (file choice, printer set-up, preview, standard buttons), the
// program's own texts being French already. English: the program's English texts, Qt's own
// being English already.
class QtTranslations {
  public:
    explicit QtTranslations(Language language);
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // False when a translation was not found (Qt's French not installed): those texts stay
    // in Qt's English.
    bool complete() const { return m_complete; }

  private:
    std::vector<std::unique_ptr<QTranslator>> m_installed;
    bool m_complete{true};
};

} // namespace titralab
