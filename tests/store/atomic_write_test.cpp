// Writes to several tables as one operation: all of them kept on commit, none when the
// operation ends early, whichever table fails and in whichever folder the tables lie.
#include "store/catalogue.h"
#include "store/engine.h"
#include "store/error.h"
#include "store/table.h"
#include "store_test_util.h"
#include "support/fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

using store::AtomicWrite;
using store::Table;
using storetest::add;
using storetest::raw;

namespace {

/// A year folder and, elsewhere, the verification program's registers: customers and models of
/// the year, technicians of the registers, two records each.
class ThreeTables : public ::testing::Test {
protected:
    testsupport::YearFolder year;
    testsupport::TempFolder registers;
    Table customers{year.path(), "esercizio"};
    Table models{year.path(), "ms"};
    Table technicians;

    void SetUp() override {
        store::createTableFile(
            registers.path(),
            store::catalogue::get(store::TableSet::VerificationRegister, "tecnici"));
        technicians.setDatabaseName(registers.path());
        technicians.setTableName("tecnici", store::TableSet::VerificationRegister);
        for (Table* t : {&customers, &models, &technicians})
            t->open();
        add(customers, {{"Id_esercizio", 1}, {"Ragione_sociale", "BAR CENTRALE"}});
        add(customers, {{"Id_esercizio", 2}, {"Ragione_sociale", "EDICOLA"}});
        add(models, {{"Id_ms", 1}, {"Marchio_ms", "ALFATEC"}});
        add(models, {{"Id_ms", 2}, {"Marchio_ms", "BETAFISC"}});
        add(technicians, {{"Id_tecnico", 1}, {"Cognome", "ROSSI"}});
        add(technicians, {{"Id_tecnico", 2}, {"Cognome", "BIANCHI"}});
    }

    /// The three files' contents as another program reads them.
    QStringList stored() {
        return raw(year.file("esercizio.DB"),
                   "SELECT group_concat(Id_esercizio || ' ' || Ragione_sociale, ', ') FROM "
                   "(SELECT * FROM esercizio ORDER BY Id_esercizio)") +
               raw(year.file("ms.DB"), "SELECT group_concat(Id_ms || ' ' || Marchio_ms, ', ') "
                                       "FROM (SELECT * FROM ms ORDER BY Id_ms)") +
               raw(registers.file("tecnici.DB"),
                   "SELECT group_concat(Id_tecnico || ' ' || Cognome, ', ') FROM "
                   "(SELECT * FROM tecnici ORDER BY Id_tecnico)");
    }

    /// Replaces the customers, renames one model and deletes the other, adds two technicians.
    void replaceEverything() {
        customers.emptyTable();
        add(customers, {{"Id_esercizio", 10}, {"Ragione_sociale", "TABACCHI ROSSI"}});
        ASSERT_TRUE(models.locate("Id_ms", 1));
        models.edit();
        models.field("Marchio_ms").setAsString("GAMMACASSE");
        models.post();
        ASSERT_TRUE(models.locate("Id_ms", 2));
        models.deleteRecord();
        add(technicians, {{"Id_tecnico", 3}, {"Cognome", "VERDI"}});
        add(technicians, {{"Id_tecnico", 4}, {"Cognome", "NERI"}});
    }
};

const QStringList before = {"1 BAR CENTRALE, 2 EDICOLA", "1 ALFATEC, 2 BETAFISC",
                            "1 ROSSI, 2 BIANCHI"};
const QStringList after = {"10 TABACCHI ROSSI", "1 GAMMACASSE",
                           "1 ROSSI, 2 BIANCHI, 3 VERDI, 4 NERI"};

struct ThirdWriteFailure {
    const char* name;
    std::function<void(Table&)> arrange; ///< makes the technicians' second post fail
};

std::ostream& operator<<(std::ostream& out, const ThirdWriteFailure& c) {
    return out << c.name;
}

class ThirdTableFails : public ThreeTables,
                        public ::testing::WithParamInterface<ThirdWriteFailure> {};

} // namespace

TEST_P(ThirdTableFails, LeavesAllThreeTablesAsTheyWere) {
    GetParam().arrange(technicians);
    Table otherCustomers(year.path(), "esercizio"); // not named, but on a file that is
    otherCustomers.open();
    EXPECT_THROW(
        {
            AtomicWrite scope({&customers, &models, &technicians});
            add(otherCustomers, {{"Id_esercizio", 11}, {"Ragione_sociale", "NON RESTA"}});
            replaceEverything();
            scope.commit();
        },
        store::Error);
    EXPECT_EQ(stored(), before);

    // The objects show what the files hold and go on working on their own.
    EXPECT_EQ(storetest::ids(customers, "Id_esercizio"), std::vector<int>({1, 2}));
    EXPECT_EQ(storetest::column(models, "Marchio_ms"), QStringList({"ALFATEC", "BETAFISC"}));
    add(customers, {{"Id_esercizio", 3}, {"Ragione_sociale", "DOPO"}});
    EXPECT_EQ(raw(year.file("esercizio.DB"), "SELECT count(*) FROM esercizio"), QStringList{"3"});
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ThirdTableFails,
    ::testing::Values(ThirdWriteFailure{"RefusedByARule",
                                        [](Table& t) {
                                            t.on(store::Event::BeforePost, [](Table& table) {
                                                if (table.field("Id_tecnico").asInteger() == 4)
                                                    throw store::Error("Tecnico rifiutato");
                                            });
                                        }},
                      ThirdWriteFailure{"KeyViolation",
                                        [](Table& t) {
                                            // The fourth technician takes an identifier in use.
                                            t.on(store::Event::BeforePost, [](Table& table) {
                                                if (table.field("Id_tecnico").asInteger() == 4)
                                                    table.field("Id_tecnico").setAsInteger(1);
                                            });
                                        }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ThreeTables, CommittedScopeLeavesEveryWriteAndIsSeenByOthersOnlyThen) {
    {
        AtomicWrite scope({&customers, &models, &technicians});
        replaceEverything();
        // Inside, every object on these files sees the writes; another program does not yet.
        Table again(year.path(), "esercizio");
        again.open();
        EXPECT_EQ(storetest::ids(again, "Id_esercizio"), std::vector<int>({10}));
        EXPECT_EQ(stored(), before);
        scope.commit();
    }
    EXPECT_EQ(stored(), after);
    add(technicians, {{"Id_tecnico", 5}, {"Cognome", "DOPO"}});
    EXPECT_EQ(raw(registers.file("tecnici.DB"), "SELECT count(*) FROM tecnici"), QStringList{"5"});
}

TEST_F(ThreeTables, ATableAnotherProgramHoldsLockedIsRefusedAtTheStartNamingIt) {
    storetest::ShortLockWait shortWait;
    storetest::FileLock other(registers.file("tecnici.DB"));
    try {
        AtomicWrite scope({&customers, &models, &technicians});
        FAIL() << "started on a locked table";
    } catch (const store::Error& e) {
        EXPECT_EQ(e.message(),
                  "La tabella tecnici è bloccata da un altro programma. Riprovare più tardi.");
    }
    add(customers, {{"Id_esercizio", 3}, {"Ragione_sociale", "DOPO"}});
    EXPECT_EQ(raw(year.file("esercizio.DB"), "SELECT count(*) FROM esercizio"), QStringList{"3"});
}

TEST(AtomicWriteSize, ElevenFilesAreJoinedAndTwelveRefusedWhenTheScopeIsMade) {
    testsupport::YearFolder year;
    const QStringList names = {"esercizio", "fornitori", "ms",       "tecnici",
                               "tipo_mov",  "MOV",       "articoli", "misurazioni",
                               "doc",       "linee_doc", "tipo_doc", "vettore"};
    std::vector<std::unique_ptr<Table>> tables;
    for (const QString& name : names)
        tables.push_back(std::make_unique<Table>(year.path(), name));
    std::vector<Table*> eleven;
    for (int i = 0; i < 11; ++i)
        eleven.push_back(tables[size_t(i)].get());
    Table secondDocuments(year.path(), "doc"); // the same file as one of the eleven
    eleven.push_back(&secondDocuments);
    {
        AtomicWrite scope(eleven);
        tables[10]->open();
        add(*tables[10], {{"Id", 9}, {"Descrizione", "FATTURA"}});
        scope.commit();
    }
    EXPECT_EQ(raw(year.file("tipo_doc.DB"), "SELECT count(*) FROM tipo_doc WHERE Id = 9"),
              QStringList{"1"});

    std::vector<Table*> twelve = eleven;
    twelve.push_back(tables[11].get());
    try {
        AtomicWrite scope(twelve);
        FAIL() << "twelve files joined";
    } catch (const store::Error& e) {
        EXPECT_EQ(e.message(), "Un'operazione che aggiorna più tabelle insieme può comprenderne al "
                               "massimo 11; qui ne comprende 12.");
    }
    AtomicWrite again(eleven); // nothing of the refused one is left behind
}
