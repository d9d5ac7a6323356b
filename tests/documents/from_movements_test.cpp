// Documents made from the movements to invoice, kept and undone all or nothing.
#include "documents/from_movements.h"
#include "documents_support.h"
#include "store/error.h"

using namespace documents;
using namespace doctest;

namespace {

class FromMovements : public DocumentsYear {
protected:
    store::Table movements{working.year.path(), QStringLiteral("MOV")};
    store::Table articles{working.year.path(), QStringLiteral("Mov_articoli")};

    void SetUp() override {
        DocumentsYear::SetUp();
        articles.setIndexName("mov_index");
        articles.setMasterSource(&movements, "Id", "Id_mov");
    }
    void openMovements() {
        movements.open();
        movements.setFilter(toInvoiceFilter());
        movements.setFiltered(true);
        articles.open();
    }
    /// The stored lines of the current document: text, counted, quantity, price, rate.
    std::vector<std::tuple<QString, bool, double, double, int>> lines() {
        store::Table probe(working.year.path(), "linee_doc");
        probe.open();
        std::vector<std::tuple<QString, bool, double, double, int>> out;
        for (probe.first(); !probe.eof(); probe.next())
            out.emplace_back(probe.field("Linea").asString(), probe.field("Xtotale").asBoolean(),
                             probe.field("Quantita").asFloat(), probe.field("PrezzoE").asFloat(),
                             probe.field("Iva_riga").asInteger());
        return out;
    }
    double storedDoc(const char* field) {
        return storedValue("doc", "Id", dm.Tabdoc.field("Id").value(), field).toDouble();
    }
};

TEST_F(FromMovements, AmountToInvoiceAloneGivesOneCountedLine) {
    addMovementToInvoice(5, {{"Da_fatt4", "ASSISTENZA ANNUALE"},
                             {"Imp_fatt", 50},
                             {"Iva_fatt", 22},
                             {"ID_ESERCIZIO", 3}});
    openMovements();
    const int id = generateDocument(dm, movements, articles, QDate(2026, 3, 2));
    using L = std::tuple<QString, bool, double, double, int>;
    EXPECT_EQ(lines(), (std::vector<L>{{"ASSISTENZA ANNUALE", true, 1, 50, 22}}));
    EXPECT_DOUBLE_EQ(storedDoc("Importo_docE"), 50);
    EXPECT_DOUBLE_EQ(storedDoc("Iva_docE"), 11);
    EXPECT_DOUBLE_EQ(storedDoc("Totale_docE"), 61);
    EXPECT_EQ(storedValue("doc", "Id", id, "Id_tipodoc").toInt(), invoice);
    EXPECT_EQ(storedValue("doc", "Id", id, "Numero_doc").toInt(), 1);
    EXPECT_EQ(storedValue("doc", "Id", id, "Id_mov").toInt(), 5);
    EXPECT_EQ(storedValue("doc", "Id", id, "Id_cliente").toInt(), 3);
    EXPECT_EQ(storedValue("doc", "Id", id, "Data_doc").toDate(), QDate(2026, 3, 2));
    EXPECT_EQ(dm.Tabdoc.state(), store::DataSetState::Edit);
}

TEST_F(FromMovements, MachineTextsAndArticlesBecomeLinesInOrder) {
    add(dm.Tabms, {{"Denominazione_ms", "CASSA 2000"}});
    addMovementToInvoice(8, {{"Rip_art_fatt", true},
                             {"Id_tipomov", 1},
                             {"ID_MS", 1},
                             {"MATRICOLA_MS", "AB1234567"},
                             {"Da_fatt1", "PRIMA"},
                             {"Da_fatt3", "TERZA"}});
    addArticle(8, "ROTOLO CARTA", 3, 1.5, 22);
    addArticle(8, "BATTERIA TAMPONE", 3, 12, 21.6);
    openMovements();
    generateDocument(dm, movements, articles);
    const QString kind = storedValue("tipo_mov", "Id", 1, "Descrizione").toString();
    using L = std::tuple<QString, bool, double, double, int>;
    EXPECT_EQ(lines(), (std::vector<L>{{"Tipo movimento:" + kind, false, 0, 0, 0},
                                       {"Misuratore: CASSA 2000", false, 0, 0, 0},
                                       {"Matricola: AB1234567", false, 0, 0, 0},
                                       {"PRIMA", false, 0, 0, 0},
                                       {"TERZA", false, 0, 0, 0},
                                       {"ROTOLO CARTA", true, 1, 1.5, 22},
                                       {"BATTERIA TAMPONE", true, 1, 12, 22}}));
    EXPECT_DOUBLE_EQ(storedDoc("Importo_docE"), 13.5);
}

TEST_F(FromMovements, ConfirmingMarksTheMovementInvoiced) {
    addMovementToInvoice(5, {{"Da_fatt4", "X"}, {"Imp_fatt", 50}, {"Iva_fatt", 22}});
    openMovements();
    generateDocument(dm, movements, articles);
    confirmGenerated(dm, movements);
    EXPECT_EQ(dm.Tabdoc.state(), store::DataSetState::Browse);
    EXPECT_EQ(stored("MOV", toInvoiceFilter()), 0);
    EXPECT_EQ(stored("doc"), 1);
}

TEST_F(FromMovements, DiscardingLeavesNoDocumentNorLine) {
    addMovementToInvoice(5, {{"Da_fatt1", "A"}, {"Da_fatt4", "X"}, {"Imp_fatt", 50}});
    openMovements();
    generateDocument(dm, movements, articles);
    discardDocument(dm);
    EXPECT_EQ(stored("doc"), 0);
    EXPECT_EQ(stored("linee_doc"), 0);
    EXPECT_EQ(stored("MOV", toInvoiceFilter()), 1);
}

TEST_F(FromMovements, DeletingAGeneratedDocumentPutsItsMovementBackToInvoice) {
    addMovementToInvoice(5, {{"Da_fatt1", "A"}, {"Da_fatt4", "X"}, {"Imp_fatt", 50}});
    openMovements();
    generateDocument(dm, movements, articles);
    confirmGenerated(dm, movements);
    addDocument(invoice); // another one, made by hand, stays
    ASSERT_TRUE(dm.Tabdoc.locate("Id_mov", 5));
    deleteDocument(dm);
    EXPECT_EQ(stored("MOV", toInvoiceFilter()), 1);
    EXPECT_EQ(stored("doc"), 1);
    EXPECT_EQ(stored("linee_doc"), 0);
}

// A failure on any line leaves the tables as they were and the shared objects browsing.
TEST_F(FromMovements, AFailureHalfwayLeavesNothingBehind) {
    addMovementToInvoice(5, {{"Da_fatt1", "A"}, {"Da_fatt4", "X"}, {"Imp_fatt", 50}});
    openMovements();
    dm.Tablinee_doc.on(store::Event::BeforePost, [](store::Table& t) {
        if (t.field("Xtotale").asBoolean())
            throw store::Error("disco pieno");
    });
    EXPECT_THROW(generateDocument(dm, movements, articles), store::Error);
    EXPECT_EQ(stored("doc"), 0);
    EXPECT_EQ(stored("linee_doc"), 0);
    EXPECT_EQ(dm.Tabdoc.state(), store::DataSetState::Browse);
    EXPECT_TRUE(dm.Tabdoc.isEmpty());
}

} // namespace
