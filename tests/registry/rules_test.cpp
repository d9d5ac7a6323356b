// Record rules and checks of the simple registers, without windows.
#include "registry/registers_rules.h"
#include "registry_support.h"
#include "store/references.h"

namespace {

class RegisterRules : public regtest::Registers {};

TEST_F(RegisterRules, ModelsAndContractTypesTakeTheirIdentifierOnInsert) {
    data.Tabms.append();
    EXPECT_EQ(data.Tabms.field("Id_ms").asInteger(), 1);
    data.Tabms.field("Marchio_ms").setAsString("RCH");
    data.Tabms.post();
    data.Tabms.append();
    EXPECT_EQ(data.Tabms.field("Id_ms").asInteger(), 2);
    data.Tabms.cancel();

    data.tab_tipicontratti.append();
    EXPECT_EQ(data.tab_tipicontratti.field("Id").asInteger(), 2) << "the template holds type 1";
    data.tab_tipicontratti.cancel();
}

TEST_F(RegisterRules, MovementTypeIdentifierComesJustBeforeThePost) {
    data.Tabtipomov.append();
    EXPECT_TRUE(data.Tabtipomov.field("Id").isNull());
    data.Tabtipomov.field("Descrizione").setAsString("CONSULENZA");
    data.Tabtipomov.post();
    EXPECT_EQ(data.Tabtipomov.field("Id").asInteger(), 4);
}

TEST_F(RegisterRules, SupplierRulesHoldForCodeToo) {
    data.TabFornitori.append();
    EXPECT_EQ(data.TabFornitori.field("Id_fornitore").asInteger(), 1);
    data.TabFornitori.field("Piva").setAsString("12345678903");
    data.TabFornitori.field("Comune").setAsString("ROMA");
    EXPECT_TRUE(working.warnings.empty());
    EXPECT_EQ(data.TabFornitori.field("Provincia").asString(), "RM");
    EXPECT_EQ(data.TabFornitori.field("Cap").asString(), "00118");
    data.TabFornitori.field("Piva").setAsString("1234567890");
    data.TabFornitori.post();
    EXPECT_EQ(working.warningTexts(), QStringList{"Errore P. Iva"});
    EXPECT_EQ(working.warnings[0].table, &data.TabFornitori);
    EXPECT_EQ(working.warnings[0].field, "Piva");
    EXPECT_EQ(stored("fornitori", "Id_fornitore", 1, "Piva").toString(), "1234567890");
}

TEST_F(RegisterRules, MissingModelValuesAreRefused) {
    const QString refusal = "Per confermare è necessario inserire tutti i valori nei campi";
    EXPECT_EQ(registry::meterModelRefusal("RCH", "ONDA", "RC"), "");
    EXPECT_EQ(registry::meterModelRefusal("", "ONDA", "RC"), refusal);
    EXPECT_EQ(registry::meterModelRefusal("RCH", "", "RC"), refusal);
    EXPECT_EQ(registry::meterModelRefusal("RCH", "ONDA", ""), refusal);
    EXPECT_EQ(registry::contractTypeRefusal("ASSISTENZA"), "");
    EXPECT_EQ(registry::contractTypeRefusal(""),
              "Inserire correttamente il nome del contratto. (Es. Assistenza)");
}

TEST_F(RegisterRules, ContractTypeInUseSearchesUnfilteredAndStaysOnTheContractFound) {
    for (int id : {1, 2}) {
        data.Tabcontratti.append();
        data.Tabcontratti.field("ID").setAsInteger(id);
        data.Tabcontratti.field("ID_CONTRATTO").setAsInteger(id == 1 ? 5 : 6);
        data.Tabcontratti.post();
    }
    data.Tabcontratti.setFilter("[ID_CONTRATTO]='6'");
    data.Tabcontratti.setFiltered(true);
    data.Tabcontratti.first();
    EXPECT_TRUE(registry::contractTypeInUse(data.Tabcontratti, 5));
    EXPECT_FALSE(data.Tabcontratti.filtered());
    EXPECT_EQ(data.Tabcontratti.field("ID").asInteger(), 1);
    EXPECT_FALSE(registry::contractTypeInUse(data.Tabcontratti, 7));
    EXPECT_EQ(data.Tabcontratti.field("ID").asInteger(), 1);
}

TEST_F(RegisterRules, ReferenceCheckCountsStoredRecordsOnly) {
    data.Tabcontratti.append();
    data.Tabcontratti.field("ID").setAsInteger(1);
    data.Tabcontratti.field("ID_CONTRATTO").setAsInteger(9);
    EXPECT_FALSE(store::rules::anyRecordWith(data.Tabcontratti, "ID_CONTRATTO", 9));
    data.Tabcontratti.post();
    EXPECT_TRUE(store::rules::anyRecordWith(data.Tabcontratti, "ID_CONTRATTO", 9));
    EXPECT_TRUE(store::rules::anyRecordWith(year.path(), "ele_contratti", "ID_CONTRATTO", 9));
    EXPECT_FALSE(store::rules::anyRecordWith(year.path(), "ele_contratti", "ID_CLIENTE", 9));
}

} // namespace
