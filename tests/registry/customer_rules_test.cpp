// The customer register's rules and decisions, without its screen.
#include "registry/customer_rules.h"

#include "store/dm.h"
#include "store/query.h"
#include "support/working_year.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

class CustomerRules : public ::testing::Test {
protected:
    testsupport::WorkingYear working;
    testsupport::YearFolder& year = working.year;
    Tdm& data = working.data;

    void SetUp() override { ASSERT_TRUE(working.opened); }

    /// Posts a complete customer through Tab_ese2 (no look-up, no warnings) and answers its id.
    int customer(const QString& name, const QString& vat, const QString& comune = "ROMA",
                 const QString& provincia = "RM") {
        store::Table& t = data.Tab_ese2;
        t.append();
        t.field("Ragione_sociale").setAsString(name);
        t.field("Piva").setAsString(vat);
        t.field("Comune").setAsString(comune);
        t.field("Provincia").setAsString(provincia);
        t.field("Indirizzo").setAsString("VIA ROMA 1");
        t.field("Cap").setAsString("00118");
        t.post();
        return t.field("Id_esercizio").asInteger();
    }
    void movement(int id, int customerId, const QDate& day) {
        data.Tabmov.append();
        data.Tabmov.field("Id").setAsInteger(id);
        data.Tabmov.field("ID_ESERCIZIO").setAsInteger(customerId);
        data.Tabmov.field("Data").setAsDate(day);
        data.Tabmov.post();
    }
    void contract(int id, int customerId, const QDate& until, int type = 0) {
        data.Tabcontratti.append();
        data.Tabcontratti.field("ID").setAsInteger(id);
        data.Tabcontratti.field("ID_CLIENTE").setAsInteger(customerId);
        data.Tabcontratti.field("VAL_AL").setAsDate(until);
        if (type)
            data.Tabcontratti.field("ID_CONTRATTO").setAsInteger(type);
        data.Tabcontratti.post();
    }
    /// Starts editing the stored customer `id` on Tabesercizio.
    void editCustomer(int id) {
        data.Tabesercizio.refresh();
        ASSERT_TRUE(data.Tabesercizio.locate("Id_esercizio", id));
        data.Tabesercizio.edit();
    }
    QString current(const char* field) { return data.Tabesercizio.field(field).asString(); }
};

TEST_F(CustomerRules, IdentifierOnInsertOnEveryCustomerObject) {
    EXPECT_EQ(customer("BAR SPORT", "12345678903"), 1);
    data.Tabesercizio.append();
    EXPECT_EQ(data.Tabesercizio.field("Id_esercizio").asInteger(), 2);
    data.Tabesercizio.cancel();
    data.tabese3.append();
    EXPECT_EQ(data.tabese3.field("Id_esercizio").asInteger(), 2);
    data.tabese3.cancel();
}

TEST_F(CustomerRules, VatWarningAndMunicipalityLookUpOnChangeNeverBlock) {
    data.Tabesercizio.append();
    data.Tabesercizio.field("Piva").setAsString("12345678901");
    EXPECT_EQ(working.warningTexts(), QStringList{"Errore P. Iva"});
    EXPECT_EQ(working.warnings[0].table, &data.Tabesercizio);
    EXPECT_EQ(working.warnings[0].field, "Piva");
    EXPECT_EQ(current("Piva"), "12345678901");
    data.Tabesercizio.field("Piva").setAsString("12345678903");
    EXPECT_EQ(working.warnings.size(), 1u);

    data.Tabesercizio.field("Comune").setAsString("MILANO");
    EXPECT_EQ(current("Provincia"), "MI");
    EXPECT_EQ(current("Cap"), "20121");
    data.Tabesercizio.field("Comune").setAsString("Milano");
    EXPECT_EQ(current("Provincia"), "");
    EXPECT_EQ(current("Cap"), "");
    EXPECT_EQ(current("Comune"), "Milano");
    EXPECT_EQ(working.warningTexts().last(), "Errore Sul Comune inserito");
    EXPECT_EQ(working.warnings.back().table, nullptr) << "the box left keeps the focus";
}

// A quote in the value once ended the filter's literal early and made the store refuse it.
TEST_F(CustomerRules, QuoteInTheValueDoesNotBreakTheDuplicateVatFilter) {
    customer("BAR DELL'ANGELO", "0123'45");
    EXPECT_EQ(registry::storedCustomersWithVat(data.c_esercizio, "0123'45"), 1);
    EXPECT_EQ(data.c_esercizio.filter(), "[Piva]='0123''45'");
    EXPECT_EQ(registry::storedCustomersWithVat(data.c_esercizio, "0123'"), 0);
}

TEST_F(CustomerRules, SaveChecksRunInOrderAndStopAtTheFirstFailure) {
    customer("BAR SPORT", "12345678903");
    const QString duplicate = "Errore Partita Iva esistente. Ditta caricata";
    const QString missing = "Per confermare è necessario inserire tutti i valori nei campi";

    data.Tabesercizio.append();
    // An empty record fails the VAT check before anything else.
    registry::SaveVerdict v = registry::checkCustomerSave(data, true, {});
    EXPECT_EQ(v.message, "Errore Partita Iva");
    EXPECT_EQ(v.focusField, "Piva");
    // A stored VAT number refuses the new record even with every box empty.
    data.Tabesercizio.field("Piva").setAsString("12345678903");
    v = registry::checkCustomerSave(data, true, {});
    EXPECT_EQ(v.message, duplicate);
    EXPECT_EQ(v.focusField, "Piva");
    // A new number: the required boxes, in order.
    data.Tabesercizio.field("Piva").setAsString("01234567897");
    EXPECT_EQ(registry::checkCustomerSave(data, true, {}).message, missing);
    data.Tabesercizio.field("Ragione_sociale").setAsString("TABACCHI ROSSI");
    data.Tabesercizio.field("Comune").setAsString("ROMA");
    EXPECT_EQ(registry::checkCustomerSave(data, true, {}).message, missing) << "no Indirizzo";
    data.Tabesercizio.field("Indirizzo").setAsString("VIA APPIA 3");
    EXPECT_TRUE(registry::checkCustomerSave(data, true, {}).accepted());
    EXPECT_EQ(data.c_esercizio.filter(), "[Piva]='01234567897'") << "the filter stays set";
    EXPECT_TRUE(data.c_esercizio.filtered());
}

TEST_F(CustomerRules, AnEditKeepsItsOwnVatButCannotTakeAnothers) {
    const int bar = customer("BAR SPORT", "12345678903");
    customer("TABACCHI ROSSI", "01234567897");
    const QString duplicate = "Errore Partita Iva esistente. Ditta caricata";

    editCustomer(bar);
    data.Tabesercizio.field("Indirizzo").setAsString("VIA NUOVA 2");
    EXPECT_TRUE(registry::checkCustomerSave(data, false, "12345678903").accepted());
    data.Tabesercizio.field("Piva").setAsString("01234567897");
    EXPECT_EQ(registry::checkCustomerSave(data, false, "12345678903").message, duplicate);
    data.Tabesercizio.field("Piva").setAsString("11111111115");
    EXPECT_TRUE(registry::checkCustomerSave(data, false, "12345678903").accepted());
    data.Tabesercizio.field("Piva").setAsString("");
    EXPECT_EQ(registry::checkCustomerSave(data, false, "12345678903").message,
              "Errore Partita Iva");
    data.Tabesercizio.cancel();
}

TEST_F(CustomerRules, DeleteRefusedByMovementsFirstThenContractsWhateverTheFilters) {
    const int both = customer("BAR SPORT", "12345678903");
    const int contractOnly = customer("TABACCHI ROSSI", "01234567897");
    const int free = customer("PANIFICIO BIANCHI", "11111111115");
    movement(1, both, QDate(2026, 3, 2));
    contract(1, both, QDate(2027, 1, 1));
    contract(2, contractOnly, QDate(2027, 1, 1));
    // Shared objects filtered elsewhere (the agenda's day, a contract) must not hide anything.
    data.Tabmov.setFilter("[data]='08/12/2026'");
    data.Tabmov.setFiltered(true);
    data.Tabcontratti.setFilter("[ID]='99'");
    data.Tabcontratti.setFiltered(true);

    EXPECT_EQ(registry::customerDeleteRefusal(data, both),
              "Eliminazione impossibile. Eliminare prima i movimenti per la ditta selezionata.");
    EXPECT_EQ(registry::customerDeleteRefusal(data, contractOnly),
              "Eliminazione impossibile. Eliminare prima i Contratti per la ditta selezionata.");
    EXPECT_EQ(registry::customerDeleteRefusal(data, free), std::nullopt);
    EXPECT_EQ(data.Tabmov.filter(), "[data]='08/12/2026'");
}

TEST_F(CustomerRules, SearchAsYouTypeIsPartialAndCaseSensitiveTrovaIsExact) {
    customer("BAR SPORT", "12345678903");
    customer("BARBIERE LUIGI", "01234567897");
    customer("TABACCHI ROSSI", "11111111115");
    store::Table& t = data.Tabesercizio;
    t.refresh();
    t.first();

    EXPECT_TRUE(registry::searchCustomer(t, "Ragione_Sociale", "TAB"));
    EXPECT_EQ(current("Ragione_sociale"), "TABACCHI ROSSI");
    EXPECT_TRUE(registry::searchCustomer(t, "Ragione_Sociale", "BARB"));
    EXPECT_EQ(current("Ragione_sociale"), "BARBIERE LUIGI");
    EXPECT_FALSE(registry::searchCustomer(t, "Ragione_Sociale", "barb"));
    EXPECT_EQ(current("Ragione_sociale"), "BARBIERE LUIGI") << "a failed search stays";
    EXPECT_TRUE(registry::searchCustomer(t, "PIVA", "111"));
    EXPECT_EQ(current("Ragione_sociale"), "TABACCHI ROSSI");
    EXPECT_TRUE(registry::searchCustomer(t, "Ragione_Sociale", ""));
    EXPECT_EQ(current("Ragione_sociale"), "BAR SPORT");

    EXPECT_FALSE(registry::findCustomer(t, "Ragione_Sociale", "TABACCHI"));
    EXPECT_EQ(current("Ragione_sociale"), "BAR SPORT");
    EXPECT_TRUE(registry::findCustomer(t, "Ragione_Sociale", "BARBIERE LUIGI"));
    EXPECT_EQ(current("Ragione_sociale"), "BARBIERE LUIGI");
    EXPECT_TRUE(registry::findCustomer(t, "PIVA", "12345678903"));
    EXPECT_EQ(current("Ragione_sociale"), "BAR SPORT");
}

TEST_F(CustomerRules, TitleClickChoosesOneOfFourIndexesAndTheSearchFollowsTheOrder) {
    customer("BAR ALFA", "12345678903", "TORINO", "TO");
    customer("BAR BETA", "01234567897", "BARI", "BA");
    store::Table& t = data.Tabesercizio;
    t.refresh();

    const auto rs = registry::sortCustomersByColumn(t, "RAGIONE_SOCIALE");
    ASSERT_TRUE(rs);
    EXPECT_EQ(t.indexName(), "rs_index");
    EXPECT_EQ(rs->searchEntry, "Ragione_Sociale");
    ASSERT_TRUE(registry::searchCustomer(t, "Ragione_Sociale", "BAR"));
    EXPECT_EQ(current("Ragione_sociale"), "BAR ALFA");

    EXPECT_EQ(registry::sortCustomersByColumn(t, "comune")->searchEntry, "");
    EXPECT_EQ(t.indexName(), "comune_index");
    ASSERT_TRUE(registry::searchCustomer(t, "Ragione_Sociale", "BAR"));
    EXPECT_EQ(current("Ragione_sociale"), "BAR BETA") << "first in the order by municipality";

    EXPECT_EQ(registry::sortCustomersByColumn(t, "Piva")->searchEntry, "PIVA");
    EXPECT_EQ(t.indexName(), "piva_index");
    EXPECT_EQ(registry::sortCustomersByColumn(t, "Provincia")->indexName, "prov_index");
    EXPECT_EQ(t.indexName(), "prov_index");
    EXPECT_FALSE(registry::sortCustomersByColumn(t, "Cap"));
    EXPECT_FALSE(registry::sortCustomersByColumn(t, "Indirizzo"));
    EXPECT_EQ(t.indexName(), "prov_index");
}

TEST_F(CustomerRules, CardQueriesWithCalculatedColumns) {
    const int bar = customer("BAR SPORT", "12345678903");
    const int other = customer("TABACCHI ROSSI", "01234567897");
    data.Tabms.append();
    data.Tabms.field("Id_ms").setAsInteger(7);
    data.Tabms.field("Marchio_ms").setAsString("MARCA");
    data.Tabms.field("Denominazione_ms").setAsString("MODELLO 1");
    data.Tabms.post();
    data.Tabtecnico.append();
    data.Tabtecnico.field("Id_tecnico").setAsInteger(4);
    data.Tabtecnico.field("Cogn_nome").setAsString("VERDI MARIO");
    data.Tabtecnico.post();
    data.Tabmov.append();
    data.Tabmov.field("Id").setAsInteger(1);
    data.Tabmov.field("ID_ESERCIZIO").setAsInteger(bar);
    data.Tabmov.field("Id_tipomov").setAsInteger(2);
    data.Tabmov.field("ID_MS").setAsInteger(7);
    data.Tabmov.field("ID_TECNICO").setAsInteger(4);
    data.Tabmov.field("Data").setAsDate(QDate(2026, 5, 4));
    data.Tabmov.post();
    movement(2, bar, QDate(2026, 1, 10));
    movement(3, other, QDate(2026, 1, 11));
    contract(10, bar, QDate(2027, 6, 30));
    contract(11, bar, QDate(2026, 12, 31));
    data.Tablcontratti.append();
    data.Tablcontratti.field("ID").setAsInteger(1);
    data.Tablcontratti.field("ID_ELENCO").setAsInteger(11);
    data.Tablcontratti.field("DESCRIZIONE").setAsString("REGISTRATORE DI CASSA");
    data.Tablcontratti.field("MATRICOLA").setAsString("AB1234567");
    data.Tablcontratti.post();

    EXPECT_EQ(registry::cardMovementsSql(12),
              "select * from mov where id_esercizio='12' order by data");
    EXPECT_EQ(registry::cardContractsSql(12),
              "select * from ele_contratti where id_cliente='12' order by val_al");
    EXPECT_EQ(registry::cardContractLinesSql("3"),
              "select * from linee_contratti where id_elenco='3'");

    registry::CustomerCard card(data);
    card.open(year.path(), bar);
    ASSERT_EQ(card.movements->recordCount(), 2);
    card.movements->first();
    EXPECT_EQ(card.movements->field("Id").asInteger(), 2) << "ordered by date";
    EXPECT_EQ(card.movements->field("tipomov").asString(), "") << "no type: empty";
    EXPECT_EQ(card.movements->field("tipomisuratore").asString(), "");
    card.movements->next();
    EXPECT_EQ(card.movements->field("tipomov").asString(), "RIPARAZIONE");
    EXPECT_EQ(card.movements->field("tipomisuratore").asString(), "MARCA - MODELLO 1");
    EXPECT_EQ(card.movements->field("tecnico").asString(), "VERDI MARIO");
    ASSERT_EQ(card.contracts->recordCount(), 2);
    EXPECT_EQ(card.contracts->field("ID").asInteger(), 11) << "first by expiry";
    ASSERT_TRUE(card.contractLines->active());
    EXPECT_EQ(card.contractLines->field("DESCRIZIONE").asString(), "REGISTRATORE DI CASSA");
    EXPECT_EQ(card.contractLines->field("MATRICOLA").asString(), "AB1234567");
}

TEST_F(CustomerRules, CardOfACustomerWithoutContractsLeavesTheLinesEmpty) {
    const int lonely = customer("BAR SPORT", "12345678903");
    // A line belonging to no contract must not show up for a customer without contracts.
    data.Tablcontratti.append();
    data.Tablcontratti.field("ID").setAsInteger(1);
    data.Tablcontratti.field("DESCRIZIONE").setAsString("ORFANA");
    data.Tablcontratti.post();

    registry::CustomerCard card(data);
    card.open(year.path(), lonely);
    EXPECT_TRUE(card.movements->isEmpty());
    EXPECT_TRUE(card.contracts->isEmpty());
    EXPECT_FALSE(card.contractLines->active());
    card.close();
    EXPECT_FALSE(card.movements->active());
}

TEST_F(CustomerRules, EditFromContractFindsTheContractsCustomer) {
    customer("BAR SPORT", "12345678903");
    const int rossi = customer("TABACCHI ROSSI", "01234567897");
    data.Tabesercizio.refresh();
    EXPECT_FALSE(registry::locateContractCustomer(data)) << "no contract";
    contract(1, rossi, QDate(2027, 1, 1));
    data.Tabesercizio.first();
    EXPECT_TRUE(registry::locateContractCustomer(data));
    EXPECT_EQ(current("Ragione_sociale"), "TABACCHI ROSSI");
    contract(2, 99, QDate(2028, 1, 1));
    data.Tabcontratti.last();
    EXPECT_FALSE(registry::locateContractCustomer(data));
    EXPECT_EQ(current("Ragione_sociale"), "TABACCHI ROSSI");
}

} // namespace
