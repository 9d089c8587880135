#include "ui/windows/MySpeciesDialog.h"

#include "ui/qt/Utf8Text.h"

#include "core/system/UserSolutes.h"
#include "core/texts/UserSoluteTexts.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

namespace titralab {

namespace {

// Without the mnemonic: what a screen reader says.
QString spoken(QString caption) {
    caption.remove('&');
    if (caption.endsWith(':')) caption.chop(1);
    return caption.trimmed();
}

// The order of the fields, as UserSoluteField numbers them.
constexpr std::array<UserSoluteField, 8> kFieldOrder{
    UserSoluteField::NameFr,   UserSoluteField::NameEn,      UserSoluteField::Synonyms,
    UserSoluteField::Formula,  UserSoluteField::Charge,      UserSoluteField::PKa,
    UserSoluteField::Enthalpy, UserSoluteField::Conductivity};

} // namespace

MySpeciesDialog::MySpeciesDialog(Language language, char separator, std::string userFile,
                                 QWidget* parent)
    : QDialog(parent), m_language(language), m_separator(separator),
      m_userFile(std::move(userFile)) {
    setObjectName("MySpeciesDialog");
    setWindowTitle(text(m_language, texts::kMySpeciesTitle));
    m_list = new QListWidget(this);
    m_list->setObjectName("mySpeciesList");
    m_list->setAccessibleName(text(m_language, texts::kMySpeciesTitle));
    const Text labels[] = {texts::kMySpeciesNameFr,   texts::kMySpeciesNameEn,
                           texts::kMySpeciesSynonyms, texts::kMySpeciesFormula,
                           texts::kMySpeciesCharge,   texts::kMySpeciesPKa,
                           texts::kMySpeciesEnthalpy, texts::kMySpeciesConductivity};
    const char* names[] = {"nameFrField", "nameEnField", "synonymsField", "formulaField",
                           "chargeField", "pKaField",    "enthalpyField", "conductivityField"};
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setObjectName(names[i]);
        m_fields[i]->setMaxLength(400);
        form->addRow(text(m_language, labels[i]), m_fields[i]);
        m_fields[i]->setAccessibleName(spoken(text(m_language, labels[i])));
    }
    m_message = new QLabel(this);
    m_message->setObjectName("mySpeciesMessage");
    m_message->setWordWrap(true);
    auto button = [this](const Text& caption, const char* name, auto handler) {
        auto* b = new QPushButton(text(m_language, caption), this);
        b->setObjectName(name);
        b->setAccessibleName(spoken(b->text()));
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(texts::kMySpeciesNew, "newButton", [this] { newEntry(); }));
    QPushButton* save = button(texts::kMySpeciesSave, "saveButton", [this] { saveEntry(); });
    save->setDefault(true); // Return in a field saves the entry
    buttons->addWidget(save);
    buttons->addWidget(
        button(texts::kMySpeciesDuplicate, "duplicateButton", [this] { duplicateEntry(); }));
    buttons->addWidget(button(texts::kMySpeciesDelete, "deleteButton", [this] { deleteEntry(); }));
    buttons->addStretch();
    const QString filter = text(m_language, texts::kMySpeciesFiles);
    buttons->addWidget(button(texts::kMySpeciesExport, "exportButton", [this, filter] {
        const QString path = QFileDialog::getSaveFileName(
            this, text(m_language, texts::kMySpeciesTitle), "mes-especes.tsv", filter);
        if (!path.isEmpty()) exportTo(path);
    }));
    buttons->addWidget(button(texts::kMySpeciesImport, "importButton", [this, filter] {
        const QString path = QFileDialog::getOpenFileName(
            this, text(m_language, texts::kMySpeciesTitle), QString(), filter);
        if (!path.isEmpty()) importFrom(path);
    }));
    buttons->addWidget(button(texts::kDatabaseClose, "closeButton", [this] { accept(); }));

    auto* right = new QVBoxLayout;
    right->addLayout(form);
    right->addWidget(m_message);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(m_list, 2);
    top->addLayout(right, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    connect(m_list, &QListWidget::currentRowChanged, this, &MySpeciesDialog::showEntry);
    resize(900, 420);

    // A damaged file is refused whole and kept aside under another name, so that writing the
    // entries made now never loses it.
    const UserSolutesRead read = loadUserSolutes(m_userFile, m_language);
    if (read.error.empty()) {
        m_entries = read.entries;
    } else {
        QString message = utf8(read.error);
        const std::string kept = m_userFile + ".damaged";
        std::error_code failed;
        std::filesystem::copy_file(m_userFile, kept,
                                   std::filesystem::copy_options::overwrite_existing, failed);
        if (!failed) message += text(m_language, texts::kMySpeciesKeptDamaged).arg(utf8(kept));
        say(message, true);
    }
    for (const SoluteEntry& e : m_entries)
        m_list->addItem(utf8(m_language == Language::English ? e.nameEn : e.nameFr));
    if (!m_entries.empty()) m_list->setCurrentRow(0);
}

QString MySpeciesDialog::message() const {
    return m_message->text();
}

void MySpeciesDialog::say(const QString& message, bool problem) {
    m_message->setText(message);
    m_message->setStyleSheet(problem ? "color: #b00000" : "");
}

void MySpeciesDialog::showEntry(int index) {
    m_current = index >= 0 && index < static_cast<int>(m_entries.size()) ? index : -1;
    const UserSoluteFields f =
        m_current >= 0 ? userSoluteFields(m_entries[static_cast<std::size_t>(index)], m_separator)
                       : UserSoluteFields{};
    const std::string* values[] = {&f.nameFr, &f.nameEn, &f.synonyms, &f.formula,
                                   &f.charge, &f.pKa,    &f.enthalpy, &f.conductivity};
    for (std::size_t i = 0; i < m_fields.size(); ++i) m_fields[i]->setText(utf8(*values[i]));
}

bool MySpeciesDialog::write() {
    const WholeFileResult written = saveUserSolutes(m_userFile, m_entries, m_language);
    if (!written.ok()) {
        say(utf8(written.error), true);
        return false;
    }
    m_list->blockSignals(true);
    m_list->clear();
    for (const SoluteEntry& e : m_entries)
        m_list->addItem(utf8(m_language == Language::English ? e.nameEn : e.nameFr));
    m_list->setCurrentRow(m_current);
    m_list->blockSignals(false);
    return true;
}

bool MySpeciesDialog::saveEntry() {
    auto typed = [this](std::size_t i) { return m_fields[i]->text().trimmed().toStdString(); };
    const UserSoluteFields fields{typed(0), typed(1), typed(2), typed(3),
                                  typed(4), typed(5), typed(6), typed(7)};
    const UserSoluteMade made = makeUserSolute(fields);
    if (made.problem) {
        for (std::size_t i = 0; i < kFieldOrder.size(); ++i)
            if (kFieldOrder[i] == made.problem->field) m_fields[i]->setFocus();
        say(text(m_language, made.problem->message), true);
        return false;
    }
    // Another entry of the same name: refused, as the file would refuse it.
    std::vector<SoluteEntry> others = m_entries;
    if (m_current >= 0) others.erase(others.begin() + m_current);
    if (!mergeUserSolutes(others, {made.entry}, false).duplicates.empty()) {
        m_fields[0]->setFocus();
        say(text(m_language, texts::kMySpeciesNameTaken), true);
        return false;
    }
    const std::vector<SoluteEntry> before = m_entries;
    if (m_current >= 0) {
        m_entries[static_cast<std::size_t>(m_current)] = made.entry;
    } else {
        m_entries.push_back(made.entry);
        m_current = static_cast<int>(m_entries.size()) - 1;
    }
    if (!write()) {
        m_entries = before;
        return false;
    }
    say(text(m_language, texts::kMySpeciesSaved).arg(utf8(m_userFile)), false);
    return true;
}

void MySpeciesDialog::newEntry() {
    m_list->clearSelection();
    m_list->setCurrentRow(-1);
    showEntry(-1);
    m_fields[0]->setFocus();
    say({}, false);
}

void MySpeciesDialog::duplicateEntry() {
    if (m_current < 0) return;
    SoluteEntry copy = m_entries[static_cast<std::size_t>(m_current)];
    copy.nameFr += texts::kMySpeciesCopy.fr;
    copy.nameEn += texts::kMySpeciesCopy.en;
    m_entries.push_back(copy);
    m_current = static_cast<int>(m_entries.size()) - 1;
    if (write()) showEntry(m_current);
}

void MySpeciesDialog::deleteEntry() {
    if (m_current < 0) return;
    m_entries.erase(m_entries.begin() + m_current);
    m_current = std::min(m_current, static_cast<int>(m_entries.size()) - 1);
    if (write()) showEntry(m_current);
}

bool MySpeciesDialog::exportTo(const QString& path) {
    const WholeFileResult written = saveUserSolutes(path.toStdString(), m_entries, m_language);
    say(written.ok() ? text(m_language, texts::kMySpeciesSaved).arg(path) : utf8(written.error),
        !written.ok());
    return written.ok();
}

bool MySpeciesDialog::importFrom(const QString& path) {
    const UserSolutesRead read = loadUserSolutes(path.toStdString(), m_language);
    if (!read.error.empty()) {
        say(utf8(read.error), true);
        return false;
    }
    UserSolutesMerge merge = mergeUserSolutes(m_entries, read.entries, false);
    if (!merge.duplicates.empty()) {
        QStringList names;
        for (const std::string& n : merge.duplicates) names << utf8(n);
        const bool replace =
            m_askReplace
                ? m_askReplace(names)
                : QMessageBox::question(
                      this, text(m_language, texts::kMySpeciesTitle),
                      text(m_language, texts::kMySpeciesDuplicates).arg(names.join(", "))) ==
                      QMessageBox::Yes;
        if (replace) merge = mergeUserSolutes(m_entries, read.entries, true);
    }
    const std::vector<SoluteEntry> before = m_entries;
    m_entries = merge.entries;
    if (!write()) {
        m_entries = before;
        return false;
    }
    say(text(m_language, texts::kMySpeciesImported).arg(read.entries.size()), false);
    return true;
}

} // namespace titralab
