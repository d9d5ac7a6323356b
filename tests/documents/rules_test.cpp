// The document rules on the data module's objects, as every writer meets them.
#include "documents/document_rules.h"
#include "documents_support.h"
#include "store/error.h"

#include <cmath>

using namespace documents;
using namespace doctest;

namespace {

TEST(DocumentRounding, HalfCentsGoToTheEvenCentOfTheProductAsComputed) {
    const struct {
        double amount, expected;
    } cases[] = {
        {0.125, 0.12}, {0.375, 0.38}, {2.675, 2.68}, // 2.675 * 100 is exactly 267.5
        {1.005, 1.00},                               // 1.005 * 100 falls just below the half
        {27, 27},      {0.994, 0.99}, {-0.125, -0.12},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roundCent(c.amount), c.expected) << c.amount;
}

TEST(DocumentTotals, SlotsTakeRatesInOrderOfFirstOccurrence) {
    const LineFigures part{true, 22, 10, 3, 10}; // 10.00 x 3 less 10%
    auto counted = [](int rate) {
        return LineFigures{true, rate, 100, 1, 0};
    };
    auto descriptive = [](std::optional<int> rate) {
        return LineFigures{false, rate, 5, 1, 0};
    };
    const struct {
        const char* name;
        std::vector<LineFigures> lines;
        double taxable, vat;
        std::array<int, 4> rates;
        std::array<double, 4> slotTaxable, slotVat;
    } cases[] = {
        {"discounted line", {part}, 27, 5.94, {22, -1, -1, -1}, {27, 0, 0, 0}, {5.94, 0, 0, 0}},
        {"fifth rate in no slot",
         {counted(22), counted(10), counted(4), counted(0), counted(5), counted(10)},
         600,
         51,
         {22, 10, 4, 0},
         {100, 200, 100, 100},
         {22, 20, 4, 0}},
        {"all descriptive", {descriptive({}), descriptive({})}, 0, 0, {-1, -1, -1, -1}, {}, {}},
        {"descriptive with a rate takes a slot at zero",
         {descriptive(10), counted(22)},
         100,
         22,
         {10, 22, -1, -1},
         {0, 100, 0, 0},
         {0, 22, 0, 0}},
        {"counted without rate adds to the slot of rate 0",
         {counted(0), LineFigures{true, {}, 50, 1, 0}},
         150,
         0,
         {0, -1, -1, -1},
         {150, 0, 0, 0},
         {}},
    };
    for (const auto& c : cases) {
        const Totals t = computeTotals(c.lines);
        EXPECT_DOUBLE_EQ(t.taxable, c.taxable) << c.name;
        EXPECT_DOUBLE_EQ(t.vat, c.vat) << c.name;
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(t.rateSlots[i].rate, c.rates[i]) << c.name << " slot " << i + 1;
            EXPECT_DOUBLE_EQ(t.rateSlots[i].taxable, c.slotTaxable[i])
                << c.name << " slot " << i + 1;
            EXPECT_DOUBLE_EQ(t.rateSlots[i].vat, c.slotVat[i]) << c.name << " slot " << i + 1;
        }
    }
}

using DocumentRules = DocumentsYear;

TEST_F(DocumentRules, NewDocumentIsStoredAtOnceAndStaysInEditMode) {
    dm.Tabdoc.append();
    EXPECT_EQ(dm.Tabdoc.state(), store::DataSetState::Edit);
    const int id = dm.Tabdoc.field("Id").asInteger();
    EXPECT_EQ(id, 1);
    EXPECT_EQ(storedValue("doc", "Id", id, "PagataSNP").toString(), "N");
}

TEST_F(DocumentRules, NumbersRunPerTypeFromTheHighestIgnoringGaps) {
    EXPECT_EQ(addDocument(invoice), 1);
    EXPECT_EQ(addDocument(transport), 1);
    EXPECT_EQ(addDocument(invoice), 2);
    dm.Tabdoc.edit();
    dm.Tabdoc.field("Numero_doc").setAsInteger(7); // typed over by the user
    dm.Tabdoc.post();
    EXPECT_EQ(addDocument(invoice), 8);
    EXPECT_EQ(addDocument(QVariant()), 1); // without type: among those without type

    dm.Tabdoc.edit(); // a type changed gives the next number of the new type
    dm.Tabdoc.field("Id_tipodoc").setAsInteger(transport);
    EXPECT_EQ(dm.Tabdoc.field("Numero_doc").asInteger(), 2);
    dm.Tabdoc.field("Id_tipodoc").setAsInteger(invoice);
    EXPECT_EQ(dm.Tabdoc.field("Numero_doc").asInteger(), 9);
}

TEST_F(DocumentRules, CustomerDataAreCopiedOnlyFromAKnownCustomer) {
    add(dm.tabese3, {{"Ragione_sociale", "BAR SPORT"},
                     {"Piva", "01234567890"},
                     {"Indirizzo", "VIA ROMA 1"},
                     {"Cap", "00100"},
                     {"Comune", "ROMA"},
                     {"Provincia", "RM"}});
    const int customer = dm.tabese3.field("Id_esercizio").asInteger();
    const struct {
        QVariant customer;
        const char* piva;
        const char* comune;
    } cases[] = {
        {customer, "01234567890", "ROMA"},
        {customer + 100, "01234567890", "ROMA"}, // unknown: what was copied stays
    };
    dm.Tabdoc.append();
    for (const auto& c : cases) {
        dm.Tabdoc.field("Id_cliente").setValue(c.customer);
        EXPECT_EQ(dm.Tabdoc.field("Piva").asString(), c.piva);
        EXPECT_EQ(dm.Tabdoc.field("Comune").asString(), c.comune);
    }
    EXPECT_EQ(dm.Tabdoc.field("Provincia").asString(), "RM");
}

TEST_F(DocumentRules, EveryLineStoredOrDeletedStoresTheTotals) {
    addDocument(invoice);
    const int doc = dm.Tabdoc.field("Id").asInteger();
    addLine(dm, 10, 3, 10, 22);
    EXPECT_DOUBLE_EQ(dm.Tablinee_doc.field("Totale_rigaE").asFloat(), 27);
    EXPECT_DOUBLE_EQ(dm.Tablinee_doc.field("ImportoE").asFloat(), 9);
    addLine(dm, 2.675, 1, 0, 10);
    EXPECT_DOUBLE_EQ(dm.Tablinee_doc.field("Totale_rigaE").asFloat(), 2.68);
    EXPECT_EQ(dm.Tabdoc.state(), store::DataSetState::Edit);

    auto storedDoc = [&](const char* field) {
        return storedValue("doc", "Id", doc, field).toDouble();
    };
    EXPECT_DOUBLE_EQ(storedDoc("Importo_docE"), 29.68);
    EXPECT_DOUBLE_EQ(storedDoc("Iva_docE"), 5.94 + 0.27);
    EXPECT_DOUBLE_EQ(storedDoc("Totale_docE"), 29.68 + 6.21);
    EXPECT_EQ(storedDoc("Iva2_"), 10);

    dm.Tablinee_doc.deleteRecord(); // the only line at 10%: its slot goes
    EXPECT_EQ(storedDoc("Iva2_"), -1);
    EXPECT_DOUBLE_EQ(storedDoc("Totale_docE"), 32.94);
}

TEST_F(DocumentRules, CountedLineWithoutQuantityIsRefused) {
    addDocument(invoice);
    for (const QVariant& quantity : {QVariant(0), QVariant()}) {
        dm.Tablinee_doc.append();
        set(dm.Tablinee_doc, {{"Id_doc", dm.Tabdoc.field("Id").value()},
                              {"Xtotale", true},
                              {"PrezzoE", 10},
                              {"Quantita", quantity},
                              {"Iva_riga", 22}});
        try {
            dm.Tablinee_doc.post();
            ADD_FAILURE() << "stored";
        } catch (const store::Error& e) {
            EXPECT_EQ(e.message(), zeroQuantityRefusal());
        }
        dm.Tablinee_doc.cancel();
    }
    EXPECT_EQ(stored("linee_doc"), 0);
    dm.Tablinee_doc.append(); // a descriptive line needs none
    set(dm.Tablinee_doc, {{"Id_doc", dm.Tabdoc.field("Id").value()}, {"Xtotale", false}});
    dm.Tablinee_doc.post();
    EXPECT_EQ(stored("linee_doc"), 1);
}

TEST_F(DocumentRules, DefaultTypeIsOnlyTheChosenOne) {
    add(dm.Tab_tipodoc, {{"Descrizione", "PREVENTIVO"}, {"Default", true}});
    EXPECT_EQ(dm.Tab_tipodoc.field("Id").asInteger(), 3);
    ASSERT_TRUE(dm.Tab_tipodoc.locate("Id", transport));
    setDefaultType(dm.Tab_tipodoc);
    EXPECT_EQ(dm.Tab_tipodoc.field("Id").asInteger(), transport);
    EXPECT_EQ(stored("tipo_doc", "[Default]='true'"), 1);
    EXPECT_TRUE(storedValue("tipo_doc", "Id", transport, "Default").toBool());
}

} // namespace
