// Shared record rules: next identifier, VAT-number check, empty table and the record-event
// patterns built on them.
#include "store/error.h"
#include "store/rules.h"
#include "store/table.h"
#include "support/fixture.h"

#include <gtest/gtest.h>

using store::Table;
namespace rules = store::rules;

namespace {

void addCustomer(Table& t, const QVariant& id, const QString& name) {
    t.append();
    t.field("Id_esercizio").setValue(id);
    t.field("Ragione_sociale").setAsString(name);
    t.post();
}

/// The warnings of the rules: their texts and the fields they send the user back to.
struct Messages {
    QStringList shown;
    QStringList about; ///< "table.field" of each warning about a field
    rules::WarningSink sink() {
        return [this](const rules::Warning& w) {
            shown << w.text;
            if (w.table)
                about << w.table->tableName() + u'.' + w.field;
        };
    }
};

} // namespace

class NextIdentifier : public ::testing::Test {
protected:
    testsupport::YearFolder year;
    Table customers{year.path(), "esercizio"};
    void SetUp() override { customers.open(); }
};

TEST_F(NextIdentifier, EmptyTableGivesOne) {
    EXPECT_EQ(rules::nextIdentifier(customers, "Id_esercizio"), 1);
}

TEST_F(NextIdentifier, LastIdentifier41Gives42EvenWhenInsertedOutOfOrder) {
    addCustomer(customers, 41, "ULTIMA");
    addCustomer(customers, 7, "PRIMA");
    EXPECT_EQ(rules::nextIdentifier(customers, "Id_esercizio"), 42);
}

TEST_F(NextIdentifier, BlankLastIdentifierGivesOne) {
    addCustomer(customers, QVariant(), "SENZA CODICE");
    EXPECT_EQ(rules::nextIdentifier(customers, "Id_esercizio"), 1);
}

TEST_F(NextIdentifier, NegativeLastIdentifierGivesOne) {
    addCustomer(customers, -5, "NEGATIVA");
    EXPECT_EQ(rules::nextIdentifier(customers, "Id_esercizio"), 1);
}

TEST_F(NextIdentifier, DeletingTheLastRecordGivesItsIdentifierAgain) {
    addCustomer(customers, 41, "A");
    addCustomer(customers, 42, "B");
    ASSERT_EQ(rules::nextIdentifier(customers, "Id_esercizio"), 43);
    ASSERT_TRUE(customers.locate("Id_esercizio", 42));
    customers.deleteRecord();
    EXPECT_EQ(rules::nextIdentifier(customers, "Id_esercizio"), 42);
}

TEST_F(NextIdentifier, PendingRecordDoesNotCountAndCallerCursorStays) {
    addCustomer(customers, 1, "ALFA");
    addCustomer(customers, 2, "BETA");
    customers.setIndexName("rs_index");
    customers.setFilter("[Ragione_sociale]='ALFA'");
    customers.setFiltered(true);
    customers.first();
    customers.append();
    customers.field("Id_esercizio").setAsInteger(3);
    EXPECT_EQ(rules::nextIdentifier(customers, "Id_esercizio"), 3);
    customers.cancel();
    EXPECT_EQ(customers.field("Ragione_sociale").asString(), "ALFA");
    EXPECT_EQ(customers.recordCount(), 1);
    EXPECT_TRUE(customers.filtered());
}

TEST_F(NextIdentifier, FilterRestrictsTheRecordsThatCount) {
    addCustomer(customers, 10, "ALFA");
    addCustomer(customers, 20, "BETA");
    EXPECT_EQ(rules::nextIdentifier(customers, "Id_esercizio", "[Ragione_sociale]='ALFA'"), 11);
}

TEST_F(NextIdentifier, MissingTableFileIsReportedToTheCaller) {
    Table elsewhere(year.path() + "/mancante", "esercizio");
    EXPECT_THROW(rules::nextIdentifier(elsewhere, "Id_esercizio"), store::Error);
}

TEST(VatCheck, CheckDigitCases) {
    struct Case {
        const char* text;
        bool valid;
    } const cases[] = {
        {"12345678903", true},   {"12345678901", false}, {"00000000000", true},
        {"1234567890", false},   {"1234567890A", false}, {"", false},
        {"12345678903 ", false}, // the last character is compared, blank included
        {"10000000009", true},   // odd position counts once
        {"02000000006", true},   // even position doubled: 2*2 = 4
        {"09000000001", true},   // even position doubled: 2*9 = 18 -> 1+8
        {"09000000008", false},  {"A2345678903", false}, {"           ", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rules::checkVat(QString::fromUtf8(c.text)), c.valid) << c.text;
}

TEST(EmptyTable, RemovesEveryRecordAndOtherObjectsSeeIt) {
    testsupport::YearFolder year;
    Table comuni(year.path(), "COMUNI");
    comuni.open();
    ASSERT_GT(comuni.recordCount(), 7800);
    rules::emptyTable(comuni);
    comuni.first();
    EXPECT_TRUE(comuni.isEmpty());
    Table other(year.path(), "comuni");
    other.open();
    EXPECT_EQ(other.recordCount(), 0);
}

TEST(IdentifierOnInsert, FillsOnlyAnEmptyIdentifier) {
    testsupport::YearFolder year;
    Table suppliers(year.path(), "fornitori");
    rules::attachIdentifierAfterInsert(suppliers, "Id_fornitore");
    suppliers.open();
    suppliers.append();
    EXPECT_EQ(suppliers.field("Id_fornitore").asInteger(), 1);
    suppliers.post();
    suppliers.append();
    EXPECT_EQ(suppliers.field("Id_fornitore").asInteger(), 2);
    suppliers.field("Id_fornitore").setAsInteger(50);
    suppliers.post();
    suppliers.append();
    EXPECT_EQ(suppliers.field("Id_fornitore").asInteger(), 51);
    suppliers.cancel();
}

TEST(IdentifierOnInsert, BeforePostVariantFillsAtPostOnly) {
    testsupport::YearFolder year;
    Table types(year.path(), "tipo_mov");
    rules::attachIdentifierBeforePost(types, "Id");
    types.open();
    types.append();
    EXPECT_TRUE(types.field("Id").isNull());
    types.field("Descrizione").setAsString("COLLAUDO");
    types.post();
    EXPECT_EQ(types.field("Id").asInteger(), 4); // the template holds three kinds
    types.edit();
    types.field("Descrizione").setAsString("COLLAUDO ANNUALE");
    types.post();
    EXPECT_EQ(types.field("Id").asInteger(), 4);
}

// Another object on the same file stands for a second copy of the program that posts first.
TEST(IdentifierOnInsert, AnAllocatedIdentifierTakenMeanwhileIsRenumberedATypedOneRefused) {
    struct Case {
        const char* name;
        bool typed;
    };
    for (const Case& c : {Case{"allocated", false}, Case{"typed", true}}) {
        SCOPED_TRACE(c.name);
        testsupport::YearFolder year;
        Table mine(year.path(), "fornitori"), other(year.path(), "fornitori");
        rules::attachIdentifierAfterInsert(mine, "Id_fornitore");
        mine.open();
        other.open();
        mine.append();
        const int taken = c.typed ? 7 : 1;
        if (c.typed)
            mine.field("Id_fornitore").setAsInteger(taken);
        mine.field("Ragione_sociale").setAsString("MIO");
        other.append();
        other.field("Id_fornitore").setAsInteger(taken);
        other.post();
        if (c.typed) {
            EXPECT_THROW(mine.post(), store::KeyViolation);
            EXPECT_EQ(mine.state(), store::DataSetState::Insert);
            continue;
        }
        mine.post();
        EXPECT_EQ(mine.field("Id_fornitore").asInteger(), 2);
        EXPECT_EQ(mine.field("Ragione_sociale").asString(), "MIO");
        EXPECT_EQ(mine.recordCount(), 2);
    }
}

class SupplierRules : public ::testing::Test {
protected:
    testsupport::YearFolder year;
    Table comuni{year.path(), "COMUNI"};
    Table suppliers{year.path(), "fornitori"};
    Messages messages;
    void SetUp() override {
        comuni.open();
        rules::attachIdentifierAfterInsert(suppliers, "Id_fornitore");
        rules::attachVatCheck(suppliers, "Piva", messages.sink());
        rules::attachMunicipalityLookup(suppliers, "Comune", comuni, "Provincia", "Cap",
                                        messages.sink());
        suppliers.open();
    }
};

TEST_F(SupplierRules, KnownMunicipalityFillsProvinceAndPostcode) {
    suppliers.append();
    suppliers.field("Comune").setAsString("ROMA");
    EXPECT_EQ(suppliers.field("Provincia").asString(), "RM");
    EXPECT_EQ(suppliers.field("Cap").asString(), "00118");
    EXPECT_EQ(comuni.field("COMUNE").asString(), "ROMA"); // the look-up moves COMUNI
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(SupplierRules, LowerCaseMunicipalityClearsAndWarns) {
    suppliers.append();
    suppliers.field("Comune").setAsString("ROMA");
    suppliers.field("Comune").setAsString("roma");
    EXPECT_TRUE(suppliers.field("Provincia").isNull());
    EXPECT_TRUE(suppliers.field("Cap").isNull());
    EXPECT_EQ(messages.shown, QStringList{"Errore Sul Comune inserito"});
    EXPECT_TRUE(messages.about.isEmpty()) << "the user goes on to the next box";
}

TEST_F(SupplierRules, AccentedMunicipalityIsFound) {
    suppliers.append();
    suppliers.field("Comune").setAsString("FORLÌ");
    EXPECT_EQ(suppliers.field("Provincia").asString(), "FC");
}

TEST_F(SupplierRules, NameLongerThanTheMunicipalityRegisterNeverMatches) {
    suppliers.append();
    // Stored in COMUNI cut to 30 characters; the supplier's field keeps 40, so it cannot match.
    suppliers.field("Comune").setAsString("CASTELVECCHIO DI ROCCA BARBENA X");
    EXPECT_EQ(messages.shown, QStringList{"Errore Sul Comune inserito"});
}

TEST_F(SupplierRules, WrongVatWarnsFocusesAndStillSaves) {
    suppliers.append();
    suppliers.field("Ragione_sociale").setAsString("FORNITORE SRL");
    suppliers.field("Piva").setAsString("12345678901");
    EXPECT_EQ(messages.shown, QStringList{"Errore P. Iva"});
    EXPECT_EQ(messages.about, QStringList{"fornitori.Piva"}) << "the user is sent back there";
    suppliers.post();
    Table check(year.path(), "fornitori");
    check.open();
    EXPECT_EQ(check.field("Piva").asString(), "12345678901");
}

TEST_F(SupplierRules, ClearedVatWarnsAndGoodVatDoesNot) {
    suppliers.append();
    suppliers.field("Piva").setAsString("12345678903");
    EXPECT_TRUE(messages.shown.isEmpty());
    suppliers.field("Piva").clear();
    EXPECT_EQ(messages.shown, QStringList{"Errore P. Iva"});
    suppliers.post();
    EXPECT_EQ(suppliers.recordCount(), 1);
}

TEST(MunicipalitiesWrittenThrough, PostIsReadableByAnotherObjectAtOnce) {
    testsupport::YearFolder year;
    Table comuni(year.path(), "COMUNI");
    rules::attachFlushAfterPost(comuni);
    comuni.open();
    comuni.append();
    comuni.field("COMUNE").setAsString("NUOVO COMUNE");
    comuni.field("PROVINCIAI").setAsString("RM");
    comuni.post();
    Table reader(year.path(), "COMUNI");
    reader.open();
    EXPECT_TRUE(reader.locate("COMUNE", "NUOVO COMUNE"));
}
