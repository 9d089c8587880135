// Qt's own texts in French: the file choice, the printer set-up, the preview and the standard
// buttons, from the translations Qt installs (Debian: qt6-translations-l10n).
#pragma once

class QTranslator;

namespace titralab {

// Loads Qt's French translations and installs them in the application, which owns them.
// Returns the installed translator, or nullptr when the translations are not installed: Qt's
// dialogs then stay in English.
QTranslator* installFrenchQtTexts();

} // namespace titralab
