// Filters as the screens write them: every text selects exactly the records it should, blank
// fields follow the filter's own rules, and a text that cannot be read is refused.
#include "store/engine.h"
#include "store/error.h"
#include "store/table.h"
#include "store_test_util.h"
#include "support/fixture.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>

using store::Table;
using storetest::add;

namespace {

// Movements: two on 08/12/2026, appointments on 08/12/2026 for a movement of 07/12/2026 and
// one of 31/12/2026; flags and references deliberately left blank here and there.
void fillMovements(Table& t) {
    add(t, {{"Id", 1},
            {"Id_tipomov", 1},
            {"Data", "08/12/2026"},
            {"Ora", "09:00"},
            {"ID_TECNICO", 2},
            {"ID_ESERCIZIO", 7},
            {"Evasa_sn", true},
            {"Da_fatt_sn", true},
            {"Fatt_sn", false},
            {"Piva", "01234567890"},
            {"Imp_fatt", 12.5}});
    add(t, {{"Id", 2},
            {"Id_tipomov", 3},
            {"Data", "08/12/2026"},
            {"Ora", "10:30"},
            {"Data_app", "10/12/2026"},
            {"ID_TECNICO", 1},
            {"ID_ESERCIZIO", 7},
            {"Evasa_sn", false},
            {"Da_fatt_sn", true},
            {"Fatt_sn", false},
            {"Gia_fatt_sn", false},
            {"Imp_fatt", 100.0}});
    add(t, {{"Id", 3},
            {"Id_tipomov", 3},
            {"Data", "07/12/2026"},
            {"Data_app", "08/12/2026"},
            {"ID_TECNICO", 2},
            {"ID_ESERCIZIO", 8},
            {"Da_fatt_sn", true},
            {"Fatt_sn", false},
            {"Gia_fatt_sn", true},
            {"Piva", "01234567890"}});
    add(t, {{"Id", 4},
            {"Id_tipomov", 2},
            {"Data", "01/11/2026"},
            {"Ora", "10:30"},
            {"ID_TECNICO", 2},
            {"Evasa_sn", true},
            {"Da_fatt_sn", false},
            {"Fatt_sn", true},
            {"Piva", "09876543210"},
            {"Imp_fatt", "12,50"}});
    add(t, {{"Id", 5},
            {"Id_tipomov", 3},
            {"Data", "31/12/2026"},
            {"Ora", "16:45"},
            {"Data_app", "08/12/2026"},
            {"ID_ESERCIZIO", 7},
            {"Evasa_sn", false},
            {"Imp_fatt", 0.0}});
    add(t, {{"Id", 6},
            {"Id_tipomov", 1},
            {"Data", "09/12/2026"},
            {"Ora", "08:15"},
            {"Data_app", "09/12/2026"},
            {"ID_TECNICO", 1},
            {"ID_ESERCIZIO", 8},
            {"Evasa_sn", true},
            {"Da_fatt_sn", true},
            {"Gia_fatt_sn", false},
            {"Piva", "12345678901"},
            {"Imp_fatt", 7.25}});
}

void fillArticles(Table& t) {
    add(t, {{"Id", 1},
            {"Assistenza_sn", true},
            {"Giacenza_sn", false},
            {"Matricola", "AB123"},
            {"Id_ms", 5},
            {"Id_fornitore", 1},
            {"Id_esercizio", 7}});
    add(t, {{"Id", 2},
            {"Assistenza_sn", false},
            {"Giacenza_sn", true},
            {"Id_ms", 5},
            {"Id_fornitore", 2}});
    add(t, {{"Id", 3},
            {"Giacenza_sn", true},
            {"Matricola", "CD456"},
            {"Id_ms", 5},
            {"Id_fornitore", 1},
            {"Id_esercizio", -1}});
    add(t, {{"Id", 4},
            {"Assistenza_sn", true},
            {"Giacenza_sn", true},
            {"Id_ms", 6},
            {"Id_esercizio", 7}});
    add(t, {{"Id", 5},
            {"Assistenza_sn", false},
            {"Matricola", "EF789"},
            {"Id_ms", 6},
            {"Id_fornitore", 2},
            {"Id_esercizio", 8}});
}

void fillContracts(Table& t) {
    add(t, {{"ID", 1}, {"ID_CLIENTE", 7}, {"ID_CONTRATTO", 1}, {"VAL_AL", "08/12/2026"}});
    add(t, {{"ID", 2}, {"ID_CLIENTE", 8}, {"ID_CONTRATTO", 1}, {"VAL_AL", "15/01/2027"}});
    add(t, {{"ID", 3}, {"ID_CLIENTE", 7}, {"ID_CONTRATTO", 2}, {"VAL_AL", "30/11/2026"}});
    add(t, {{"ID", 4}, {"ID_CLIENTE", 8}, {"ID_CONTRATTO", 2}});
}

void fillCustomers(Table& t) {
    add(t, {{"Id_esercizio", 1}, {"Ragione_sociale", "BAR CENTRALE"}, {"Piva", "01234567890"}});
    add(t, {{"Id_esercizio", 2}, {"Ragione_sociale", "TABACCHI ROSSI"}, {"Piva", "09876543210"}});
    add(t, {{"Id_esercizio", 3}, {"Ragione_sociale", "EDICOLA"}});
    add(t, {{"Id_esercizio", 4}, {"Ragione_sociale", "BAR SPORT"}, {"Piva", "01234567890"}});
}

void fillVerifications(Table& t) {
    for (int id = 1; id <= 4; ++id) {
        t.append();
        t.field("ID_MISURAZIONI").setValue(id);
        t.field("ID_ESERCIZIO").setValue(1);
        t.field("ID_MS").setValue(1);
        t.field("ID_TECNICO").setValue(1);
        t.field("TRIMESTRE").setValue(id == 1 ? "1" : id == 4 ? "" : "2");
        t.post();
    }
}

void fillAuthorisations(Table& t) {
    add(t, {{"Id_Lsogg", 1}, {"Id_sogg", 1}, {"Tipo_abilitazione", "3"}});
    add(t, {{"Id_Lsogg", 2}, {"Id_sogg", 2}, {"Tipo_abilitazione", "1"}});
    add(t, {{"Id_Lsogg", 3}, {"Id_sogg", 1}, {"Tipo_abilitazione", "2"}});
}

void fillDocuments(Table& t) {
    add(t, {{"Id", 1}, {"Id_tipodoc", 1}, {"Numero_doc", 1}});
    add(t, {{"Id", 2}, {"Id_tipodoc", 2}, {"Numero_doc", 1}});
    add(t, {{"Id", 3}, {"Id_tipodoc", 1}, {"Numero_doc", 2}});
    add(t, {{"Id", 4}, {"Numero_doc", 3}});
}

/// Fills the table with its data set in one transaction, so that setting up stays fast.
void fill(Table& t) {
    store::Transaction batch(t.file());
    static const std::map<QString, void (*)(Table&)> fillers = {
        {"MOV", fillMovements},
        {"articoli", fillArticles},
        {"ele_contratti", fillContracts},
        {"esercizio", fillCustomers},
        {"misurazioni", fillVerifications},
        {"Lsoggetto_obbligato", fillAuthorisations},
        {"doc", fillDocuments}};
    fillers.at(t.tableName())(t);
    batch.commit();
}

struct FilterCase {
    const char* name;
    const char* table;
    const char* filter;
    std::vector<int> ids; ///< identifiers selected, in natural order
};

std::ostream& operator<<(std::ostream& out, const FilterCase& c) {
    return out << c.filter;
}

std::string caseName(const ::testing::TestParamInfo<FilterCase>& info) {
    return info.param.name;
}

/// The identifiers the table object shows with `filter` switched on.
std::vector<int> selected(Table& t, const QString& filter) {
    t.setFilter(filter);
    t.setFiltered(true);
    std::vector<int> out = storetest::ids(t, t.definition().key);
    EXPECT_EQ(t.recordCount(), int(out.size()));
    return out;
}

} // namespace

class FilterSelects : public ::testing::TestWithParam<FilterCase> {
protected:
    testsupport::YearFolder year;
};

TEST_P(FilterSelects, ExactlyTheMatchingRecords) {
    const FilterCase& c = GetParam();
    Table t(year.path(), c.table);
    t.open();
    fill(t);
    EXPECT_EQ(selected(t, c.filter), c.ids);
}

// The texts the agenda, the movement, article, contract, customer, verification, import and
// document screens build.
INSTANTIATE_TEST_SUITE_P(
    ScreensFilters, FilterSelects,
    ::testing::Values(
        FilterCase{"AgendaVenditeDel08_12_2026",
                   "MOV",
                   "([data]='08/12/2026') and ([id_tipomov]='3')",
                   {2}},
        FilterCase{"AgendaAppuntamentiDel08_12_2026", "MOV", "([Data_app]='08/12/2026')", {3, 5}},
        FilterCase{
            "AgendaContrattiInScadenza08_12_2026", "ele_contratti", "([VAL_AL]='08/12/2026')", {1}},
        FilterCase{"MovimentiDelGiornoOAppuntamento",
                   "MOV",
                   "[data]='08/12/2026' or [data_app]='08/12/2026'",
                   {1, 2, 3, 5}},
        FilterCase{"MovimentiDelGiornoDiUnTipo",
                   "MOV",
                   "([data]='08/12/2026' or [data_app]='08/12/2026') and ([id_tipomov]='3')",
                   {2, 3, 5}},
        FilterCase{"MovimentiInseritiDal07Al08_12_2026",
                   "MOV",
                   "([data]>='07/12/2026') and ([data]<='08/12/2026')",
                   {1, 2, 3}},
        FilterCase{"AppuntamentiDal08Al09_12_2026",
                   "MOV",
                   "([data_app]>='08/12/2026') and ([data_app]<='09/12/2026')",
                   {3, 5, 6}},
        FilterCase{"InserimentoEAppuntamentoUnitiSenzaSpazio",
                   "MOV",
                   "([data]>='01/12/2026') and ([data]<='31/12/2026') and([data_app]>='08/12/2026')"
                   " and ([data_app]<='10/12/2026')",
                   {2, 3, 5, 6}},
        FilterCase{"TecnicoEdEvasiUnitiSenzaSpazio",
                   "MOV",
                   "([id_tecnico]='2') and([evasa_sn]='true')",
                   {1, 4}},
        FilterCase{"PannelloCompletoDelleVendite",
                   "MOV",
                   "([data]>='01/12/2026') and ([data]<='31/12/2026') and([id_esercizio]='7') "
                   "and([id_tecnico]='1') and([id_tipomov]='3') and([evasa_sn]='false')",
                   {2}},
        FilterCase{"NonEvasi", "MOV", "([evasa_sn]='false')", {2, 5}},
        FilterCase{"TuttiDiUnTipo", "MOV", "[Id_tipomov]='3'", {2, 3, 5}},
        FilterCase{"MovimentiDaFatturare",
                   "MOV",
                   "([da_fatt_sn]='true') and ([fatt_sn]='false')and ([Gia_fatt_sn]<>'true')",
                   {1, 2}},
        FilterCase{"ArticoliConContratto", "articoli", "[Assistenza_sn]='true'", {1, 4}},
        FilterCase{"ArticoliSenzaContratto", "articoli", "[Assistenza_sn]='false'", {2, 5}},
        FilterCase{"ArticoliInGiacenza", "articoli", "[giacenza_sn]='true'", {2, 3, 4}},
        FilterCase{"ArticoliConMatricola", "articoli", "[matricola]<>''", {1, 3, 5}},
        FilterCase{"ArticoliSenzaMatricola", "articoli", "[matricola]=''", {2, 4}},
        FilterCase{
            "InGiacenzaDiUnModello", "articoli", "[giacenza_sn]='true' and [Id_ms]='5'", {2, 3}},
        FilterCase{"ArticoliDiUnFornitore", "articoli", "[Id_fornitore]='2'", {2, 5}},
        FilterCase{"ArticoliDiUnCliente", "articoli", "[Id_esercizio]='7'", {1, 4}},
        FilterCase{"NessunClienteScelto", "articoli", "[Id_esercizio]='-100'", {}},
        FilterCase{"MagazzinoSenzaMatricola",
                   "articoli",
                   "[Giacenza_sn]='true' and [Matricola]=''",
                   {2, 4}},
        FilterCase{"ContrattiDiUnTipo", "ele_contratti", "([ID_CONTRATTO]='1')", {1, 2}},
        FilterCase{"ContrattiInScadenzaTraDueDate",
                   "ele_contratti",
                   "([val_al]>='01/12/2026') and([val_al]<='31/01/2027')",
                   {1, 2}},
        FilterCase{"ContrattiDiUnCliente", "ele_contratti", "([ID_CLIENTE]='8')", {2, 4}},
        FilterCase{"ContrattiTipoDateEClienteSenzaSpazioPrimaDiAnd",
                   "ele_contratti",
                   "([ID_CONTRATTO]='2')and([val_al]>='01/11/2026') and([val_al]<='31/12/2026')"
                   " and([ID_CLIENTE]='7')",
                   {3}},
        FilterCase{"ClientiConLaStessaPartitaIva", "esercizio", "[Piva]='01234567890'", {1, 4}},
        FilterCase{"VerificheDelSecondoTrimestre", "misurazioni", "[TRIMESTRE]='2'", {2, 3}},
        FilterCase{"AbilitazioniDelSoggetto1", "Lsoggetto_obbligato", "[Id_sogg]='1'", {1, 3}},
        FilterCase{"DocumentiDelTipo1", "doc", "[id_tipodoc]='1'", {1, 3}}),
    caseName);

// Literals take their field's type; blank fields answer as the filter language says.
INSTANTIATE_TEST_SUITE_P(
    TypingAndBlanks, FilterSelects,
    ::testing::Values(
        FilterCase{"ImportoConVirgola12_50", "MOV", "[Imp_fatt]='12,50'", {1, 4}},
        FilterCase{"ImportoConPunto12_5", "MOV", "[Imp_fatt]>='12.5'", {1, 2, 4}},
        FilterCase{"ImportoMinoreNonPrendeIlVuoto", "MOV", "[Imp_fatt]<'12,5'", {5, 6}},
        FilterCase{"OraEsatta10_30", "MOV", "[Ora]='10:30'", {2, 4}},
        FilterCase{"OraDopoLe10", "MOV", "[Ora]>'10:00'", {2, 4, 5}},
        FilterCase{"TestoVuotoSoloIVuoti", "MOV", "[Piva]=''", {2, 5}},
        FilterCase{"TestoNonVuotoSoloIPieni", "MOV", "[Piva]<>''", {1, 3, 4, 6}},
        FilterCase{"TestoDiversoComprendeIVuoti", "MOV", "[Piva]<>'01234567890'", {2, 4, 5, 6}},
        FilterCase{"TestoMaggioreOUgualeEscludeIVuoti", "MOV", "[Piva]>='0'", {1, 3, 4, 6}},
        FilterCase{"TestoMinoreOUgualeEscludeIVuoti", "MOV", "[Piva]<='99999999999'", {1, 3, 4, 6}},
        FilterCase{"TestoMaggioreEscludeIVuoti", "MOV", "[Piva]>'01234567890'", {4, 6}},
        FilterCase{"TestoMinoreEscludeIVuoti", "MOV", "[Piva]<'09876543210'", {1, 3}},
        FilterCase{"InteroVuoto", "MOV", "[id_tecnico]=''", {5}},
        FilterCase{"InteroDiversoComprendeIVuoti", "MOV", "[id_tecnico]<>'2'", {2, 5, 6}},
        FilterCase{"InteroMinoreEscludeIVuoti", "MOV", "[id_tecnico]<'2'", {2, 6}},
        FilterCase{"DataMinoreEscludeIVuoti", "MOV", "[data_app]<'31/12/2026'", {2, 3, 5, 6}},
        FilterCase{"DataDiversaComprendeIVuoti", "MOV", "[data_app]<>'08/12/2026'", {1, 2, 4, 6}},
        FilterCase{"LogicoFalsoNonPrendeIlMaiImpostato", "MOV", "[Gia_fatt_sn]='false'", {2, 6}},
        FilterCase{"LogicoDiversoDaVeroPrendeIlMaiImpostato",
                   "MOV",
                   "[Gia_fatt_sn]<>'true'",
                   {1, 2, 4, 5, 6}},
        FilterCase{"LogicoMaiImpostato", "MOV", "[Gia_fatt_sn]=''", {1, 4, 5}},
        FilterCase{"LogicoDiversoDaFalsoPrendeIlMaiImpostato",
                   "MOV",
                   "[Gia_fatt_sn]<>'false'",
                   {1, 3, 4, 5}},
        FilterCase{"LogicoInMaiuscolo", "MOV", "[Evasa_sn]='TRUE'", {1, 4, 6}}),
    caseName);

// Text values compare case-sensitively; keywords, field names and blanks do not matter.
INSTANTIATE_TEST_SUITE_P(
    Spelling, FilterSelects,
    ::testing::Values(
        FilterCase{"MatricolaInMinuscoloNonTrovaAB123", "articoli", "[Matricola]='ab123'", {}},
        FilterCase{"MatricolaAB123", "articoli", "[Matricola]='AB123'", {1}},
        FilterCase{
            "CampiEParoleChiaveInMaiuscolo", "articoli", "[MATRICOLA]<>'' AND [id_MS]='5'", {1, 3}},
        FilterCase{
            "OrInMaiuscolo", "articoli", "[matricola]='AB123' OR [Matricola]='EF789'", {1, 5}},
        FilterCase{"AndLegaPiuForteDiOr",
                   "articoli",
                   "[Id_ms]='6' Or [Id_Ms]='5' aNd [Giacenza_sn]='true'",
                   {2, 3, 4, 5}},
        FilterCase{"ParentesiCambianoLaPrecedenza",
                   "articoli",
                   "([Id_ms]='6' or [Id_ms]='5') and [Giacenza_sn]='true'",
                   {2, 3, 4}},
        FilterCase{"SenzaSpazi", "articoli", "([Id_ms]='5')and([Giacenza_sn]='true')", {2, 3}},
        FilterCase{
            "SenzaSpaziNeParentesi", "articoli", "[Id_ms]='5'and[Giacenza_sn]='true'", {2, 3}},
        FilterCase{"SpaziOvunque",
                   "articoli",
                   "  (  [ Id_ms ]  =  '5' )   and   ( [Giacenza_sn] = 'true' )  ",
                   {2, 3}},
        FilterCase{"ParentesiDoppie", "articoli", "(([Id_ms]='5'))", {1, 2, 3}}),
    caseName);

// Texts that cannot be read: the filter is refused and the table lists every record again.
class FilterRefused : public ::testing::TestWithParam<const char*> {
protected:
    testsupport::YearFolder year;
};

TEST_P(FilterRefused, ThrowsAndLeavesTheFilterOffWithEveryRecordListed) {
    Table movements(year.path(), "MOV");
    movements.open();
    fill(movements);

    // Switched on after being set: the switch refuses.
    movements.setFilter(GetParam());
    EXPECT_THROW(movements.setFiltered(true), store::Error);
    EXPECT_FALSE(movements.filtered());
    EXPECT_EQ(storetest::ids(movements, "Id"), std::vector<int>({1, 2, 3, 4, 5, 6}));

    // Set while a good filter is on: the setting refuses and the good filter goes too.
    movements.setFilter("[Id_tipomov]='3'");
    movements.setFiltered(true);
    ASSERT_EQ(movements.recordCount(), 3);
    EXPECT_THROW(movements.setFilter(GetParam()), store::Error);
    EXPECT_FALSE(movements.filtered());
    EXPECT_EQ(movements.recordCount(), 6);
    EXPECT_EQ(storetest::ids(movements, "Id"), std::vector<int>({1, 2, 3, 4, 5, 6}));
}

INSTANTIATE_TEST_SUITE_P(
    MalformedTexts, FilterRefused,
    ::testing::Values("[data]='32/13/2026'", "[data]='2026-12-08x'", "[data]='31/11/2026'",
                      "[data]='08-12-2026x'", "[campo_inesistente]='1'", "[data]='08/12/2026",
                      "[data='08/12/2026'", "data]='08/12/2026'", "([data]='08/12/2026'",
                      "[data]='08/12/2026')", "[data]='08/12/2026' and", "[data]='08/12/2026' or ",
                      "and [data]='08/12/2026'", "[id_tipomov]='abc'", "[id_tipomov]='3,5'",
                      "[evasa_sn]='forse'", "[imp_fatt]='dodici'", "[ora]='25:99'",
                      "[data]=='08/12/2026'", "[data]!='08/12/2026'", "[data] '08/12/2026'",
                      "[data]='08/12/2026' xor "
                      "[id_tipomov]='3'",
                      "()"));

TEST(FilterText, EmptyTextSelectsEverything) {
    testsupport::YearFolder year;
    Table movements(year.path(), "MOV");
    movements.open();
    fill(movements);
    movements.setFilter("[Id_tipomov]='3'");
    movements.setFiltered(true);
    ASSERT_EQ(movements.recordCount(), 3);
    movements.setFilter("   ");
    EXPECT_TRUE(movements.filtered());
    EXPECT_EQ(movements.recordCount(), 6);
}

TEST(FilterText, SwitchedOffKeepsItsTextAndSwitchedOnAgainSelectsAsBefore) {
    testsupport::YearFolder year;
    Table movements(year.path(), "MOV");
    movements.open();
    fill(movements);
    movements.setFilter("[Data_app]='08/12/2026'");
    movements.setFiltered(true);
    ASSERT_EQ(storetest::ids(movements, "Id"), std::vector<int>({3, 5}));
    movements.setFiltered(false);
    EXPECT_EQ(movements.recordCount(), 6);
    movements.setFiltered(true);
    EXPECT_EQ(storetest::ids(movements, "Id"), std::vector<int>({3, 5}));
}

TEST(FilterText, QuoteDoubledInsideALiteralStandsForOneQuote) {
    testsupport::YearFolder year;
    Table customers(year.path(), "esercizio");
    customers.open();
    add(customers, {{"Id_esercizio", 1}, {"Ragione_sociale", "L'ANGOLO DEL CAFFE'"}});
    add(customers, {{"Id_esercizio", 2}, {"Ragione_sociale", "LANGOLO"}});
    customers.setFilter("[Ragione_sociale]='L''ANGOLO DEL CAFFE'''");
    customers.setFiltered(true);
    EXPECT_EQ(storetest::ids(customers, "Id_esercizio"), std::vector<int>({1}));
    // What the screens build from a typed name comes out the same.
    EXPECT_EQ(store::filterComparison("Ragione_sociale", "L'ANGOLO DEL CAFFE'"),
              customers.filter());
}

TEST(FilterText, LiteralLongerThanItsFieldMatchesNothing) {
    // COMUNE holds 30 characters: a longer literal must not match the stored first 30.
    testsupport::YearFolder year;
    Table towns(year.path(), "COMUNI");
    towns.open();
    towns.emptyTable();
    add(towns, {{"COMUNE", "SAN GIORGIO DI PIANO DI SOTTOBOSCO"}, {"PROVINCIAI", "BO"}});
    towns.setFilter("[COMUNE]='SAN GIORGIO DI PIANO DI SOTTOBOSCO'");
    towns.setFiltered(true);
    EXPECT_EQ(towns.recordCount(), 0);
    towns.setFilter("[COMUNE]='SAN GIORGIO DI PIANO DI SOTTOB'");
    EXPECT_EQ(towns.recordCount(), 1);
}

// ---------------------------------------------------------------------------------------------

namespace {

/// `terms` comparisons on the identifier joined by "or".
QString manyOrs(int terms) {
    QStringList parts;
    for (int id = 1; id <= terms; ++id)
        parts << store::filterComparison("Id", QString::number(id));
    return parts.join(" or ");
}

} // namespace

struct NestingCase {
    int depth;
    bool accepted;
};

TEST(FilterNesting, ThousandsOfNestedParenthesesAreRefusedInsteadOfOverflowingTheStack) {
    const store::TableDef& movements = store::catalogue::year("MOV");
    const NestingCase cases[] = {{2, true}, {20, true}, {21, false}, {3000, false}, {11000, false}};
    for (const NestingCase& c : cases) {
        SCOPED_TRACE(c.depth);
        const QString text = QString(c.depth, '(') + "[Id]='1'" + QString(c.depth, ')');
        if (c.accepted) {
            EXPECT_NO_THROW(store::parseFilter(movements, text));
            continue;
        }
        try {
            store::parseFilter(movements, text);
            ADD_FAILURE() << "accepted";
        } catch (const store::Error& e) {
            EXPECT_TRUE(e.message().startsWith("Filtro non valido (troppe parentesi annidate, "
                                               "posizione 21)"))
                << e.message().left(80).toStdString();
        }
    }
}

// Texts the parser takes but the engine cannot run: refused when set, like a text that cannot
// be read, so that nothing after them fails.
struct LargeFilter {
    const char* name;
    QString text;
};

std::ostream& operator<<(std::ostream& out, const LargeFilter& c) {
    return out << c.name;
}

class FilterRefusedByTheEngine : public ::testing::TestWithParam<LargeFilter> {
protected:
    testsupport::YearFolder year;
    Table movements{year.path(), "MOV"};
    void SetUp() override {
        movements.open();
        fill(movements);
    }
};

TEST_P(FilterRefusedByTheEngine, LeavesTheObjectAsBeforeWithTheFilterOff) {
    const QString& text = GetParam().text;
    ASSERT_NO_THROW(store::parseFilter(movements.definition(), text));
    movements.setFilter("[Id_tipomov]='3'");
    movements.setFiltered(true);
    ASSERT_EQ(movements.recordCount(), 3);
    EXPECT_THROW(movements.setFilter(text), store::Error);
    EXPECT_FALSE(movements.filtered());
    EXPECT_EQ(storetest::ids(movements, "Id"), std::vector<int>({1, 2, 3, 4, 5, 6}));

    // Switched on again later, the text is refused again; with a record pending, switching off
    // posts it and works.
    EXPECT_THROW(movements.setFiltered(true), store::Error);
    movements.append();
    movements.field("Id").setAsInteger(7);
    EXPECT_NO_THROW(movements.setFiltered(false));
    EXPECT_EQ(movements.recordCount(), 7);
    EXPECT_TRUE(movements.locate("Id", 7));
}

TEST_P(FilterRefusedByTheEngine, SetBeforeOpeningMakesTheOpenFailAndLeavesTheObjectClosed) {
    Table other(year.path(), "MOV");
    other.setFilter(GetParam().text);
    other.setFiltered(true);
    EXPECT_THROW(other.open(), store::Error);
    EXPECT_FALSE(other.active());
    other.setFiltered(false);
    other.open();
    EXPECT_EQ(other.recordCount(), 6);
}

INSTANTIATE_TEST_SUITE_P(TooLarge, FilterRefusedByTheEngine,
                         ::testing::Values(LargeFilter{"MilleUnoTerminiInOr", manyOrs(1001)},
                                           LargeFilter{"QuarantamilaTerminiInOr", manyOrs(40000)}),
                         [](const auto& info) { return std::string(info.param.name); });
