// The solute database window (search, sorting, the sources in its language, "Utiliser") and the
// "Mes espèces" editor (each field checked, the file written, an import asking about names
// already present).
#include "ui/windows/MySpeciesDialog.h"
#include "ui/windows/SoluteDatabaseWindow.h"

#include "core/system/UserSolutes.h"
#include "core/texts/UserSoluteTexts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace titralab {
namespace {

const std::string kData = TITRALAB_SOURCE_DATA;

TEST(SoluteDatabaseWindow, SearchSortAndUse) {
    QTemporaryDir settings;
    SoluteDatabaseWindow window(Language::French, ',', kData,
                                settings.filePath("mes-especes.tsv").toStdString());
    auto* table = window.findChild<QTableWidget*>("soluteTable");
    ASSERT_NE(table, nullptr);
    window.findChild<QLineEdit*>("soluteSearch")->setText("phosph");
    ASSERT_GT(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 0)->text(), "acide phosphorique");
    EXPECT_EQ(table->item(0, 2)->text(), "2,148  7,198  12,375");
    // The sources behind the keys, described in the window's language.
    EXPECT_TRUE(table->item(0, 3)->toolTip().startsWith(
        "MINTEQ4 : Base de données thermodynamique MINTEQA2"))
        << table->item(0, 3)->toolTip().toStdString();
    // Sorted on the pKa column, the first pKa values go up.
    table->sortItems(2, Qt::AscendingOrder);
    for (int row = 1; row < table->rowCount(); ++row)
        EXPECT_LE(window.entryOfRow(row - 1)->system.pKa[0], window.entryOfRow(row)->system.pKa[0]);
    table->selectRow(table->rowCount() - 1);
    QSignalSpy chosen(&window, &SoluteDatabaseWindow::soluteChosen);
    window.findChild<QPushButton*>("useInBurette")->click();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).value<SoluteSide>(), SoluteSide::Burette);
    EXPECT_EQ(chosen.at(0).at(1).value<SoluteEntry>().nameFr,
              window.entryOfRow(table->rowCount() - 1)->nameFr);
}

TEST(MySpeciesDialog, FieldsCheckedFileWrittenImportAsks) {
    QTemporaryDir settings;
    const std::string file = settings.filePath("mes-especes.tsv").toStdString();
    MySpeciesDialog editor(Language::English, '.', file);
    auto type = [&](const char* field, const char* value) {
        editor.findChild<QLineEdit*>(field)->setText(value);
    };
    type("nameFrField", "acide glycolique");
    type("nameEnField", "glycolic acid");
    type("formulaField", "HOCH2COOH");
    type("chargeField", "0");
    type("pKaField", "3.83 2");
    EXPECT_FALSE(editor.saveEntry());
    EXPECT_EQ(editor.message(), texts::kUserPKaNotAscending.en);
    type("pKaField", "3.83");
    ASSERT_TRUE(editor.saveEntry()) << editor.message().toStdString();
    const UserSolutesRead saved = loadUserSolutes(file, Language::English);
    ASSERT_EQ(saved.error, "");
    ASSERT_EQ(saved.entries.size(), 1u);
    EXPECT_EQ(saved.entries[0].system.pKa, std::vector<double>{3.83});

    const std::string theirs = settings.filePath("theirs.tsv").toStdString();
    std::ofstream(theirs)
        << "acide glycolique\tglycolic acid\t-\tC2H4O3\t0\t3.9\tUSER\t-\t-\t-\t-\n"
           "acide X\tX acid\t-\tHX\t0\t5\tUSER\t-\t-\t-\t-\n";
    QStringList asked;
    editor.setReplaceQuestion([&](const QStringList& names) {
        asked = names;
        return false;
    });
    ASSERT_TRUE(editor.importFrom(QString::fromStdString(theirs)));
    EXPECT_EQ(asked, QStringList{"acide glycolique"});
    ASSERT_EQ(editor.entries().size(), 2u);
    EXPECT_EQ(editor.entries()[0].system.pKa, std::vector<double>{3.83});
    EXPECT_EQ(loadUserSolutes(file, Language::English).entries.size(), 2u);
}

} // namespace
} // namespace titralab

namespace titralab {
namespace {

// A damaged user file is refused at its line and kept aside before the editor writes anything.
TEST(MySpeciesDialog, DamagedFileKeptAsideBeforeWriting) {
    QTemporaryDir settings;
    const std::string file = settings.filePath("mes-especes.tsv").toStdString();
    const std::string damaged = "acide\tacid\t-\tHA\t0\t4 3\tUSER\t-\t-\t-\t-\n";
    std::ofstream(file) << damaged;
    MySpeciesDialog editor(Language::English, '.', file);
    EXPECT_TRUE(editor.message().contains("line 1:")) << editor.message().toStdString();
    EXPECT_TRUE(editor.entries().empty());
    editor.findChild<QLineEdit*>("nameFrField")->setText("acide Y");
    editor.findChild<QLineEdit*>("nameEnField")->setText("Y acid");
    editor.findChild<QLineEdit*>("formulaField")->setText("HY");
    editor.findChild<QLineEdit*>("chargeField")->setText("0");
    editor.findChild<QLineEdit*>("pKaField")->setText("4");
    ASSERT_TRUE(editor.saveEntry());
    std::ifstream kept(file + ".damaged");
    const std::string keptText((std::istreambuf_iterator<char>(kept)), {});
    EXPECT_EQ(keptText, damaged);
    EXPECT_EQ(loadUserSolutes(file, Language::English).entries.size(), 1u);
}

} // namespace
} // namespace titralab
