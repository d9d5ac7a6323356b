// The import from the verification program: registers replaced with their identifiers and
// their rules, one contract, line and article per verification, and nothing changed on failure.
#include "interchange/import.h"
#include "interchange_support.h"
#include "store/error.h"
#include "store/read_only.h"
#include "support/working_year.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

using ictest::add;
using ictest::rows;

namespace {

class Import : public ::testing::Test {
protected:
    testsupport::WorkingYear working;
    Tdm& data = working.data;
    ictest::VerificationProgram vp;
    QStringList told;

    void SetUp() override {
        ASSERT_TRUE(working.opened);
        auto& s = vp.tables;
        add(s.tecnici, {{"Id_tecnico", 3},
                        {"Cf", "RSSMRA70A01H501S"},
                        {"Cognome", "ROSSI"},
                        {"Nome", "MARIO"},
                        {"Cogn_nome", "X"},
                        {"Sesso", "M"},
                        {"Data_nascita", "01/01/1970"},
                        {"Comune_nascita", "ROMA"},
                        {"Prov_nascita", "RM"},
                        {"Id_nu_sigillo", "0001"},
                        {"Id_sogg", 10}});
        add(s.tecnici, {{"Id_tecnico", 8},
                        {"Cf", "BNCLCU80A41Z999X"},
                        {"Cognome", "BIANCHI"},
                        {"Nome", "LUCIA"},
                        {"Sesso", "F"},
                        {"Data_nascita", "01/01/1980"},
                        {"Comune_nascita", "PAESE IGNOTO"},
                        {"Prov_nascita", "XX"},
                        {"Data_fine", "31/12/2006"}});
        add(s.ms, {{"Id_ms", 5}, {"Marchio_ms", "ALFATEC"}, {"Denominazione_ms", "CASSA 200"}});
        add(s.sogg, {{"Id_sogg_obbl", 1}, {"Man", "CASSE ROSSI"}});
        add(s.abilitazioni, {{"Id_Lsogg", 10}, {"Id_sogg", 1}, {"Id_al_sigillo", "S10"}});
        add(s.abilitazioni, {{"Id_Lsogg", 11}, {"Id_sogg", 2}, {"Id_al_sigillo", "ORFANA"}});
        add(s.esercizio, {{"Id_esercizio", 4},
                          {"Ragione_sociale", "BAR SPORT"},
                          {"Piva", "12345678903"},
                          {"Comune", "ROMA"},
                          {"Provincia", "RM"},
                          {"Cap", "00100"}});
        add(s.esercizio, {{"Id_esercizio", 6},
                          {"Ragione_sociale", "EDICOLA"},
                          {"Piva", "123"},
                          {"Comune", "BORGO NUOVO"},
                          {"Provincia", "BN"},
                          {"Cap", "82100"}});
        add(s.comuni, {{"COMUNE", "BORGO NUOVO"},
                       {"PROVINCIAI", "BN"},
                       {"CODICEFISC", "B000"},
                       {"CAP", "82100"}});
        const struct {
            int id, customer, model;
            const char *serial, *end;
        } verifications[] = {{1, 4, 5, "AB1234567", "15/03/2006"},
                             {2, 4, 5, "AB1234567", "29/02/2008"},
                             {3, 99, 77, "ZZ0000001", ""}};
        for (const auto& v : verifications)
            add(s.misurazioni, {{"ID_MISURAZIONI", v.id},
                                {"ID_ESERCIZIO", v.customer},
                                {"ID_MS", v.model},
                                {"MATRICOLA_MS", v.serial},
                                {"DATA_FINE", v.end},
                                {"COMUNE", "ROMA"},
                                {"PROVINCIA", "RM"},
                                {"INDIRIZZO", "VIA APPIA 1"},
                                {"CAP", "00118"}});
        add(data.Tabarticoli, {{"Id", 1}, {"Descrizione", "ROTOLO CARTA"}, {"Giacenza_sn", true}});
    }
    void import() {
        interchange::importFromVerification(data, vp.tables,
                                            [this](const QString& text) { told << text; });
    }
    /// Every record of every table the import writes.
    QStringList written() {
        QStringList all;
        for (const char* name :
             {"tecnici", "ms", "soggetto_obbligato", "Lsoggetto_obbligato", "esercizio", "COMUNI",
              "ele_contratti", "LINEE_CONTRATTI", "articoli"})
            all << ictest::contents(store::Table(working.year.path(), name)) << "--";
        return all;
    }
    QStringList stored(const char* table, const QStringList& fields) {
        return rows(store::Table(working.year.path(), table), fields);
    }
};

} // namespace

TEST_F(Import, EachVerificationGivesAContractALineAndAnArticle) {
    import();
    EXPECT_EQ(stored("ele_contratti",
                     {"ID", "ID_CLIENTE", "VAL_DAL", "VAL_AL", "DURATA", "ID_CONTRATTO"}),
              (QStringList{"1|4|15/03/2006|15/03/2007|12 MESI|1",
                           "2|4|29/02/2008|28/02/2009|12 MESI|1", "3|99|||12 MESI|1"}));
    EXPECT_EQ(stored("LINEE_CONTRATTI", {"ID", "ID_ELENCO", "Id_ms", "MATRICOLA", "DESCRIZIONE",
                                         "Piva", "Comune", "Indirizzo", "Cap", "PROVINCIA"}),
              (QStringList{"1|1|5|AB1234567|CASSA 200|12345678903|ROMA|VIA APPIA 1|00118|RM",
                           "2|2|5|AB1234567|CASSA 200|12345678903|ROMA|VIA APPIA 1|00118|RM",
                           "3|3|77|ZZ0000001||||||"}));
    // The article for sale is gone; the machine park is the verifications' meters.
    EXPECT_EQ(stored("articoli", {"Id", "Id_esercizio", "Piva", "Id_ms", "Matricola",
                                  "Assistenza_sn", "Giacenza_sn", "Qta", "Comune", "Provincia"}),
              (QStringList{"1|4|12345678903|5|AB1234567|True|False|1|ROMA|RM",
                           "2|4|12345678903|5|AB1234567|True|False|1|ROMA|RM",
                           "3|||77|ZZ0000001|True|False|1|ROMA|RM"}));
    EXPECT_TRUE(told.isEmpty());
}

TEST_F(Import, RegistersKeepTheirIdentifiersAndTheirRulesRun) {
    import();
    EXPECT_EQ(stored("tecnici", {"Id_tecnico", "Cf", "Cogn_nome", "Prov_nascita", "Data_fine",
                                 "Id_sogg", "Vf_sn"}),
              (QStringList{"3|RSSMRA70A01H501S|ROSSI MARIO|RM||10|True",
                           "8|BNCLCU80A41Z999X|BIANCHI LUCIA|XX|31/12/2006||True"}));
    EXPECT_EQ(stored("Lsoggetto_obbligato", {"Id_Lsogg", "Id_sogg"}), QStringList{"10|1"});
    // The look-up ran on the municipalities there were before: the source's province and
    // postcode, set afterwards, are the ones kept.
    EXPECT_EQ(stored("esercizio", {"Id_esercizio", "Ragione_sociale", "Provincia", "Cap"}),
              (QStringList{"4|BAR SPORT|RM|00100", "6|EDICOLA|BN|82100"}));
    // The first technician's code is set before any computation, which the rule of the fiscal
    // code takes for an error, as when typed; the customers' VAT and municipality rules warn.
    EXPECT_EQ(working.warningTexts(), (QStringList{"Errore codice Fiscale", "Errore P. Iva",
                                                   "Errore Sul Comune inserito"}));
    EXPECT_EQ(stored("COMUNI", {"COMUNE"}), QStringList{"BORGO NUOVO"});
}

TEST_F(Import, WithoutTheContractTypeEachVerificationIsToldAndHasNone) {
    store::Table types(working.year.path(), "tipi_contratti");
    types.open();
    types.emptyTable();
    import();
    EXPECT_EQ(told, QStringList(3, "TIPO CONTRATTO NON TROVATO"));
    EXPECT_EQ(stored("ele_contratti", {"ID_CONTRATTO"}), QStringList(3, ""));
}

TEST_F(Import, ImportingTwiceGivesWhatImportingOnceGives) {
    import();
    const QStringList once = written();
    import();
    EXPECT_EQ(written(), once);
}

namespace {

struct Failure {
    const char* name;
    /// Makes the import fail; what it returns undoes that when destroyed.
    std::function<std::shared_ptr<void>(Tdm&, const QString& yearFolder)> arrange;
};

std::ostream& operator<<(std::ostream& out, const Failure& f) {
    return out << f.name;
}

class ImportFails : public Import, public ::testing::WithParamInterface<Failure> {};

} // namespace

TEST_P(ImportFails, LeavesEveryTableAsItWas) {
    const QStringList before = written();
    const auto undo = GetParam().arrange(data, working.year.path());
    EXPECT_THROW(import(), store::Error);
    EXPECT_EQ(written(), before);
    // The shared objects are usable again.
    EXPECT_EQ(data.Tabesercizio.state(), store::DataSetState::Browse);
    EXPECT_EQ(data.Tabtecnico.recordCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, ImportFails,
    ::testing::Values(Failure{"UnwritableTable",
                              [](Tdm&, const QString& year) {
                                  return std::make_shared<storetest::ReadOnly>(year +
                                                                               "/articoli.DB");
                              }},
                      Failure{"RecordRefusedHalfWay",
                              [](Tdm& data, const QString&) {
                                  data.Tabcomuni.on(store::Event::BeforePost, [](store::Table&) {
                                      throw store::Error("Comune rifiutato");
                                  });
                                  return std::shared_ptr<void>();
                              }}),
    [](const auto& info) { return std::string(info.param.name); });
