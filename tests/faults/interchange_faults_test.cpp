// Export to and import from the verification program when the disk fills up while they write:
// the closing message says it was not done and that nothing changed, and every table, of both
// programs, holds what it held before.
#include "desk_fixture.h"
#include "interchange/exportw.h"
#include "interchange/import.h"
#include "interchange/importverifw.h"
#include "interchange/interchange_support.h"
#include "interchange/screen_support.h"
#include "interchange/verification_tables.h"
#include "store/catalogue.h"
#include "ui/pagestack.h"

namespace {

using ictest::pressTab;
using ictest::typeInto;
using regtest::press;

class InterchangeOnFullDisk : public faults::Desk {
protected:
    QString verificationFolder() const { return root.path() + "/verifiche"; }
    interchange::VerificationTables theirs;

    void SetUp() override {
        // Both programs on one small disk, with room for their tables and not for the work.
        disk.emplace(root.path(), "size=3m");
        if (!disk->mounted())
            GTEST_SKIP() << "a small disk of its own needs the right to mount a tmpfs";
        makeYear();
        ictest::createVerificationProgram(verificationFolder(), "2008");
        theirs.open(verificationFolder(), "2008");
    }

    /// Appends `count` records numbered from 1, each with the values `values(n)` gives.
    static void
    fill(store::Table& table, int count,
         const std::function<std::vector<std::pair<const char*, QVariant>>(int)>& values) {
        store::Transaction batch(table.file());
        for (int n = 1; n <= count; ++n) {
            table.append();
            for (const auto& [name, value] : values(n))
                table.field(QString::fromLatin1(name)).setValue(value);
            table.post();
        }
        batch.commit();
    }
    /// Room for a part of what the export or the import writes: most of it is the
    /// municipalities.
    qint64 aQuarterOfTheMunicipalities() const { return QFileInfo(tableFile("COMUNI")).size() / 4; }
    QStringList everyTable() {
        return faults::snapshot(yearFolder()) +
               faults::snapshot(interchange::verificationYearFolder(verificationFolder(), "2008")) +
               faults::snapshot(interchange::verificationRegisterFolder(verificationFolder()));
    }
};

TEST_F(InterchangeOnFullDisk, ExportSaysNothingChangedAndLeavesEveryTableAsItWas) {
    {
        store::Table ours(yearFolder(), "misurazioni");
        ours.open();
        fill(ours, 300, [](int n) {
            return std::vector<std::pair<const char*, QVariant>>{
                {"ID_MISURAZIONI", n}, {"ID_ESERCIZIO", 1},
                {"ID_MS", 1},          {"ID_TECNICO", 1},
                {"TRIMESTRE", "2"},    {"MATRICOLA_MS", QStringLiteral("AB%1").arg(n)}};
        });
    }
    fill(theirs.misurazioni, 1, [](int) {
        return std::vector<std::pair<const char*, QVariant>>{{"ID_MISURAZIONI", 5},
                                                             {"MATRICOLA_MS", "VECCHIA"}};
    });
    fill(theirs.esercizio, 1, [](int) {
        return std::vector<std::pair<const char*, QVariant>>{{"Id_esercizio", 9},
                                                             {"Ragione_sociale", "VECCHIO"}};
    });
    ASSERT_TRUE(startUp());
    const QStringList before = everyTable();
    // Room for the first tables the export writes, not for all of them.
    ASSERT_TRUE(disk->fill(aQuarterOfTheMunicipalities()));
    use<Texport_inverifForm>("Agenzia Entrate",
                             "Scarica dati sul software di verificazione periodica della kesasoft",
                             [&](Texport_inverifForm& s) {
                                 typeInto(s.folderBox(), verificationFolder());
                                 uitest::click(s.quarterButton(2));
                                 press(s, "verifica presenza di dati");
                                 dialogs.answer(true);
                                 dialogs.answer(true);
                                 pressTab(s, "software assistenza");
                                 press(s, "invia");
                                 EXPECT_TRUE(s.isVisible());
                                 s.reject();
                             });
    const QStringList warnings = dialogs.texts(ui::DialogKind::Warning);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].startsWith("Invio non eseguito: Il disco è pieno e la modifica alla "
                                       "tabella "))
        << warnings[0].toStdString();
    EXPECT_TRUE(warnings[0].endsWith(" non è stata registrata: liberare spazio sul disco e "
                                     "riprovare.\nNessuna tabella del programma di verifiche "
                                     "periodiche è stata modificata."));
    EXPECT_TRUE(dialogs.texts(ui::DialogKind::Information).isEmpty()) << "no success said";
    disk->empty();
    EXPECT_EQ(everyTable(), before);
}

TEST_F(InterchangeOnFullDisk, ImportSaysNothingChangedAndLeavesEveryTableAsItWas) {
    fill(theirs.esercizio, 1, [](int) {
        return std::vector<std::pair<const char*, QVariant>>{{"Id_esercizio", 4},
                                                             {"Ragione_sociale", "BAR NUOVO"},
                                                             {"Piva", "12345678903"},
                                                             {"Comune", "ROMA"}};
    });
    fill(theirs.misurazioni, 300, [](int n) {
        return std::vector<std::pair<const char*, QVariant>>{
            {"ID_MISURAZIONI", n},
            {"ID_ESERCIZIO", 4},
            {"MATRICOLA_MS", QStringLiteral("AB%1").arg(n, 7, 10, QLatin1Char('0'))},
            {"DATA_FINE", QDate(2008, 3, 15)}};
    });
    {
        store::Table contracts(yearFolder(), "ele_contratti");
        contracts.open();
        fill(contracts, 2, [](int n) {
            return std::vector<std::pair<const char*, QVariant>>{{"ID", n}, {"ID_CLIENTE", 1}};
        });
    }
    ASSERT_TRUE(startUp());
    const QStringList before = everyTable();
    const int customersShown = data.Tabesercizio.recordCount();
    ASSERT_TRUE(disk->fill(aQuarterOfTheMunicipalities()));
    use<Timporta_da_verifForm>(
        "Utilità", "importa da programma verificazioni", [&](Timporta_da_verifForm& s) {
            typeInto(s.folderBox(), verificationFolder());
            uitest::click(s.yearBox());
            QTest::keyClick(s.yearBox(), Qt::Key_A, Qt::ControlModifier);
            uitest::typeText(s.yearBox(), "2008");
            QTest::keyClick(s.yearBox(), Qt::Key_Tab);
            press(s, "verifica presenza di dati");
            ASSERT_TRUE(s.pages().isShowing(Timporta_da_verifForm::importPageName));
            press(s, "Inserisci");
            EXPECT_TRUE(s.isVisible());
            s.reject();
        });
    const QStringList warnings = dialogs.texts(ui::DialogKind::Warning);
    ASSERT_EQ(warnings.size(), 1) << dialogs.texts().join("|").toStdString();
    EXPECT_TRUE(warnings[0].startsWith("Importazione non eseguita: Il disco è pieno e la modifica "
                                       "alla tabella "))
        << warnings[0].toStdString();
    EXPECT_TRUE(warnings[0].endsWith("\nGli archivi di questo programma sono rimasti come erano."));
    EXPECT_FALSE(dialogs.texts().contains(interchange::importDoneMessage()));
    disk->empty();
    EXPECT_EQ(everyTable(), before);
    EXPECT_EQ(data.Tabesercizio.recordCount(), customersShown) << "the screens show it too";
}

} // namespace
