#include "ui/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace titralab {

Language chooseLanguage(std::string_view override, std::optional<Language> stored,
                        std::string_view localeName) {
    if (const std::optional<Language> forced = parseLanguage(override)) return *forced;
    if (stored) return *stored;
    return languageOfLocale(localeName);
}

QtTranslations::QtTranslations(Language language) {
    auto install = [this](const QString& name, const QString& folder) {
        auto texts = std::make_unique<QTranslator>();
        if (!texts->load(name, folder) || !QCoreApplication::installTranslator(texts.get())) {
            m_complete = false;
            return;
        }
        m_installed.push_back(std::move(texts));
    };
    if (language == Language::English)
        // Built from ui/translations/titralab_en.ts into the program's resources.
        install(QStringLiteral("titralab_en"), QStringLiteral(":/translations"));
    else
        // qtbase_fr holds the dialogs of Qt's widgets and its print support.
        install(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QtTranslations::~QtTranslations() {
    for (const auto& texts : m_installed) QCoreApplication::removeTranslator(texts.get());
}

} // namespace titralab
