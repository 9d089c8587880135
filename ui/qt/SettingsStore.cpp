#include "ui/qt/SettingsStore.h"

#include <QSettings>

namespace titralab {

namespace {

std::optional<int> readInteger(const QSettings& settings, const char* key) {
    const QVariant value = settings.value(key);
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    const int n = value.toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

} // namespace

system::StoredPlacement SettingsStore::readPlacement() const {
    const QSettings settings(kOrganisation, m_programName);
    return {readInteger(settings, "haut"), readInteger(settings, "gauche"),
            readInteger(settings, "largeur"), readInteger(settings, "hauteur")};
}

void SettingsStore::writeAtExit(const system::PlacementAtExit& placement) const {
    QSettings settings(kOrganisation, m_programName);
    settings.setValue("etatFenetre", static_cast<int>(placement.state));
    if (placement.bounds) {
        settings.setValue("haut", placement.bounds->top);
        settings.setValue("gauche", placement.bounds->left);
        settings.setValue("largeur", placement.bounds->width);
        settings.setValue("hauteur", placement.bounds->height);
    }
    settings.sync();
}

bool SettingsStore::readLiveCurves() const {
    const QSettings settings(kOrganisation, m_programName);
    return readInteger(settings, "courbesEnDirect").value_or(1) != 0;
}

void SettingsStore::writeLiveCurves(bool on) const {
    QSettings settings(kOrganisation, m_programName);
    settings.setValue("courbesEnDirect", on ? 1 : 0);
    settings.sync();
}

std::optional<Language> SettingsStore::readLanguage() const {
    const QSettings settings(kOrganisation, m_programName);
    return parseLanguage(settings.value("langue").toString().trimmed().toStdString());
}

void SettingsStore::writeLanguage(Language language) const {
    QSettings settings(kOrganisation, m_programName);
    settings.setValue("langue", QString::fromUtf8(languageCode(language)));
    settings.sync();
}

} // namespace titralab
