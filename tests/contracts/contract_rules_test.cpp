// The contract rules as every writer of the shared objects meets them, without windows.
#include "contracts/contract_rules.h"
#include "contracts_support.h"

#include "store/error.h"

namespace {

using contracts::FilterPanel;

class ContractRules : public contractstest::Contracts {
protected:
    store::Table& contracts = data.Tabcontratti;
    store::Table& lines = data.Tablcontratti;

    QStringList warnings() const { return working.warningTexts(); }
};

TEST_F(ContractRules, EndDateFollowsStartAndDuration) {
    const struct {
        QDate start;
        const char* duration;
        QDate end;
    } cases[] = {
        {{2006, 1, 31}, "12 MESI", {2007, 1, 31}},
        {{2006, 11, 15}, "3 MESI", {2007, 2, 15}},
        {{2006, 7, 10}, "6 MESI", {2007, 1, 10}},
        {{2006, 5, 15}, "24 MESI", {2008, 5, 15}},
        {{2006, 12, 3}, "2 MESI", {2007, 2, 3}},
        // A day the end month lacks gives that month's last day.
        {{2006, 1, 31}, "1 MESE", {2006, 2, 28}},
        {{2008, 2, 29}, "12 MESI", {2009, 2, 28}},
        {{2007, 12, 31}, "2 MESI", {2008, 2, 29}},
    };
    for (const auto& c : cases) {
        contracts.append();
        contracts.field("VAL_DAL").setAsDate(c.start);
        contracts.field("DURATA").setAsString(c.duration);
        EXPECT_EQ(contracts.field("VAL_AL").asDate(), c.end) << c.duration;
        contracts.cancel();
    }
    EXPECT_FALSE(contracts::contractEnd({2006, 1, 1}, "5 MESI").isValid());
    EXPECT_TRUE(warnings().isEmpty());
}

TEST_F(ContractRules, DurationBeforeStartAsksForTheStartWhichThenSetsTheEnd) {
    contracts.append();
    contracts.field("DURATA").setAsString("3 MESI");
    ASSERT_EQ(warnings(), QStringList{"Inserire prima la data di inizio"});
    EXPECT_EQ(working.warnings[0].table, &contracts);
    EXPECT_EQ(working.warnings[0].field, "VAL_DAL");
    EXPECT_TRUE(contracts.field("VAL_AL").isNull());

    contracts.field("VAL_DAL").setAsDate({2006, 11, 15});
    EXPECT_EQ(contracts.field("VAL_AL").asDate(), QDate(2007, 2, 15));
    // A start cleared again leaves the end as it was.
    contracts.field("VAL_DAL").clear();
    EXPECT_EQ(contracts.field("VAL_AL").asDate(), QDate(2007, 2, 15));
    EXPECT_EQ(warnings().size(), 1);
}

TEST_F(ContractRules, NewContractsAndLinesTakeIdentifiersAndTheDefaultVat) {
    const int first = contract(customer("BAR SPORT"), {2006, 1, 1}, "12 MESI", "AB0000001");
    contracts.append();
    EXPECT_EQ(contracts.field("ID").asInteger(), first + 1);
    EXPECT_DOUBLE_EQ(contracts.field("IVA").asFloat(), 22.0);
    lines.append();
    EXPECT_EQ(lines.field("ID").asInteger(), 2);
    lines.cancel();
    contracts.cancel();

    data.Tabimpostazioni.first();
    data.Tabimpostazioni.edit();
    data.Tabimpostazioni.field("Iva_default").clear();
    data.Tabimpostazioni.post();
    contracts.append();
    EXPECT_TRUE(contracts.field("IVA").isNull());
}

TEST_F(ContractRules, SaveChecksComeInOrderAndAMissingLineSaysTwoThings) {
    const struct {
        const char* field;
        QVariant value;
        QStringList refusal;
        const char* about;
    } steps[] = {
        {"ID_CLIENTE", 5, {"Inserire correttamente l'esercizio."}, "ID_CLIENTE"},
        {"ID_CONTRATTO", 1, {"Inserire correttamente il tipo di contratto."}, "ID_CONTRATTO"},
        {"VAL_DAL",
         QDate(2006, 1, 1),
         {"Inserire correttamente la data di inizio validità del contratto."},
         "VAL_DAL"},
        {"DURATA", "1 MESE", {"Inserire correttamente la durata del contratto."}, "DURATA"},
        {nullptr,
         {},
         {"Inserire l\"articolo oggetto del contratto(griglia in basso a sinistra). Per inserire "
          "cliccare sul bottone in basso sopra la griglia di destra.",
          "Se non compare nulla nella griglia in basso a destra, caricate l\"articolo dal menù "
          "impostazioni-> articoli e parco macchine"},
         ""},
    };
    contracts.append();
    // Each step's value is missing when its check runs; the earlier ones are filled.
    for (const auto& s : steps) {
        const auto refusal = contracts::saveRefusal(contracts, lines);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->messages, s.refusal);
        EXPECT_EQ(refusal->field, s.about);
        if (s.field)
            contracts.field(s.field).setValue(s.value);
    }
    add(lines, {{"MATRICOLA", "AB0000001"}});
    EXPECT_FALSE(contracts::saveRefusal(contracts, lines));
}

TEST_F(ContractRules, OneLinePerContractCopiedFromTheChosenMachineAndPostedAtOnce) {
    const int shop = customer("BAR SPORT");
    machine(shop, model("FORM 100"), "AB0000011", "VIA ROMA 1");
    data.Tabarticoli.setFilter(contracts::customerArticlesFilter(contracts::noCustomerYet));
    data.Tabarticoli.setFiltered(true);
    contracts.append();
    // No customer chosen: no article is shown, so there is nothing to add.
    EXPECT_EQ(contracts::addLine(contracts, lines, data.Tabarticoli), "");
    EXPECT_EQ(storedCount("LINEE_CONTRATTI"), 0);

    data.Tabarticoli.setFilter(contracts::customerArticlesFilter(QString::number(shop)));
    EXPECT_EQ(contracts::addLine(contracts, lines, data.Tabarticoli), "");
    EXPECT_EQ(storedCount("LINEE_CONTRATTI"), 1);
    EXPECT_EQ(lines.field("ID_ELENCO").asInteger(), contracts.field("ID").asInteger());
    EXPECT_EQ(lines.field("MATRICOLA").asString(), "AB0000011");
    EXPECT_EQ(lines.field("DESCRIZIONE").asString(), "FORM 100");
    EXPECT_EQ(lines.field("Indirizzo").asString(), "VIA ROMA 1");
    EXPECT_EQ(lines.field("Id_ms").asInteger(), 1);
    EXPECT_EQ(contracts::addLine(contracts, lines, data.Tabarticoli),
              "Si puo inserire un solo articolo per singolo contratto");
    EXPECT_EQ(storedCount("LINEE_CONTRATTI"), 1);
}

TEST_F(ContractRules, AnAbandonedNewContractTakesItsLineAndADeletedOneToo) {
    const int shop = customer("BAR SPORT");
    machine(shop, model("FORM 100"), "AB0000011");
    data.Tabarticoli.setFilter(contracts::customerArticlesFilter(QString::number(shop)));
    data.Tabarticoli.setFiltered(true);
    contracts.append();
    const int abandoned = contracts.field("ID").asInteger();
    contracts::addLine(contracts, lines, data.Tabarticoli);
    contracts::abandonContract(data);
    EXPECT_EQ(storedCount("LINEE_CONTRATTI"), 0);
    // The next contract receives the same identifier and starts without a line.
    contracts.append();
    EXPECT_EQ(contracts.field("ID").asInteger(), abandoned);
    EXPECT_TRUE(lines.isEmpty());
    contracts.cancel();

    // Cancelling an edit keeps the lines, which were stored on their own.
    const int kept = contract(shop, {2006, 1, 1}, "12 MESI", "AB0000011");
    const int gone = contract(shop, {2006, 2, 1}, "12 MESI", "AB0000012");
    contracts.edit();
    contracts::abandonContract(data);
    EXPECT_EQ(storedCount("LINEE_CONTRATTI"), 2);
    ASSERT_TRUE(contracts.locate("ID", gone));
    contracts::deleteContract(data);
    EXPECT_EQ(storedCount("ele_contratti"), 1);
    EXPECT_EQ(storedCount("LINEE_CONTRATTI"), 1);
    EXPECT_EQ(stored("LINEE_CONTRATTI", "ID_ELENCO", kept, "MATRICOLA").toString(), "AB0000011");
}

TEST_F(ContractRules, FilterTextsPieceByPiece) {
    customer("BAR SPORT");
    customer("TABACCHI");
    const struct {
        FilterPanel panel;
        const char* text;
    } cases[] = {
        {{"VERIFICA PERIODICA", "//", "//", ""}, "([ID_CONTRATTO]='1')"},
        {{"", "01/01/2006", "31/12/2006", ""},
         "([val_al]>='01/01/2006') and([val_al]<='31/12/2006')"},
        {{"", "01/01/2006", "31/12/2006", "BAR SPORT"},
         "([val_al]>='01/01/2006') and([val_al]<='31/12/2006') and([ID_CLIENTE]='1')"},
        {{"VERIFICA PERIODICA", "01/01/2006", "31/12/2006", ""},
         "([ID_CONTRATTO]='1')and([val_al]>='01/01/2006') and([val_al]<='31/12/2006')"},
        {{"VERIFICA PERIODICA", "//", "//", "TABACCHI"},
         "([ID_CONTRATTO]='1') and([ID_CLIENTE]='2')"},
        {{"", "//", "//", "BAR SPORT"}, "([ID_CLIENTE]='1')"},
        // Only both dates make a range; unknown names add nothing.
        {{"", "01/01/2006", "//", "BAR"}, ""},
        {{"ASSISTENZA", "  /  /    ", "", ""}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(contracts::filterText(c.panel, data.tab_tipicontratti, data.Tabesercizio), c.text)
            << c.text;
}

TEST_F(ContractRules, AnEmptyPanelShowsEveryContractAndAnImpossibleDateIsRefused) {
    contracts.setFilter("[ID_CLIENTE]='1'");
    contracts.setFiltered(true);
    auto apply = [&](const FilterPanel& panel) {
        return contracts::applyFilter(contracts, panel, data.tab_tipicontratti, data.Tabesercizio);
    };
    EXPECT_FALSE(apply({"", "  /  /    ", "//", ""}));
    EXPECT_FALSE(contracts.filtered());
    EXPECT_THROW(apply({"", "31/02/2006", "01/03/2006", ""}), store::Error);
}

TEST_F(ContractRules, PhonesOfTheContractsCustomerOrDots) {
    const int shop = customer("BAR SPORT", {{"Tel1", "06 111"},
                                            {"Tel2", "06 222"},
                                            {"Cell1", "347 1"},
                                            {"Cell2", ""},
                                            {"Fax1", "06 333"}});
    contract(shop, {2006, 1, 1}, "12 MESI", "AB0000001");
    EXPECT_EQ(contracts::customerPhones(data),
              "BAR SPORT: t1:06 111 t2:06 222 c1:347 1 c2:  f1:06 333  f2:");
    data.Tabesercizio.deleteRecord();
    EXPECT_EQ(contracts::customerPhones(data), contracts::statusDots());
}

TEST_F(ContractRules, MachineUnderContractAndUntilWhen) {
    const int shop = customer("BAR SPORT");
    contract(shop, {2006, 1, 31}, "12 MESI", "AB0000001");
    const int gone = contract(shop, {2006, 1, 31}, "1 MESE", "AB0000002");
    ASSERT_TRUE(contracts.locate("ID", gone));
    contracts.deleteRecord(); // its line stays behind
    add(lines, {{"ID_ELENCO", 99}, {"MATRICOLA", ""}, {"DESCRIZIONE", "SENZA MATRICOLA"}});
    store::Table ownLines(year.path(), "LINEE_CONTRATTI");
    store::Table ownContracts(year.path(), "ele_contratti");
    ownLines.open();
    ownContracts.open();
    const struct {
        const char* serial;
        const char* found;
        const char* until;
    } cases[] = {
        {"AB0000001", "Trovato contratto per la matricola AB0000001 descrizione: MODELLO AB0000001",
         "31/01/2007"},
        {"AB0000002", "Trovato contratto per la matricola AB0000002 descrizione: MODELLO AB0000002",
         ""},
        {"ZZ9999999", "NON ESISTE ALCUN CONTRATTO CON QUESTA MATRICOLA", ""},
        {"", "NON ESISTE ALCUN CONTRATTO CON QUESTA MATRICOLA", ""},
    };
    for (const auto& c : cases) {
        const auto found = contracts::machineContract(ownLines, ownContracts, c.serial);
        EXPECT_EQ(found.found, c.found) << c.serial;
        EXPECT_EQ(found.until, c.until) << c.serial;
    }
}

TEST_F(ContractRules, ClosingLeftPendingIsDiscardedOnlyWhenTheListSaysSo) {
    add(data.Tabmov, {{"Id", 1}, {"Rapp1", "FATTO"}}, "Id");
    for (const auto what : {contracts::PendingClosing::Keep, contracts::PendingClosing::Discard}) {
        data.Tabmov.edit();
        data.Tabmov.field("Rapp1").setAsString("CAMBIATO");
        contracts::settleClosing(data.Tabmov, what);
        EXPECT_EQ(data.Tabmov.state() == store::DataSetState::Edit,
                  what == contracts::PendingClosing::Keep);
        data.Tabmov.cancel();
    }
    EXPECT_EQ(data.Tabmov.field("Rapp1").asString(), "FATTO");
}

} // namespace
