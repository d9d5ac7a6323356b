// The data module: opening order, silent stop at a missing table, lookups and links.
#include "store/dm.h"
#include "support/fixture.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

void post(store::Table& t, std::initializer_list<std::pair<const char*, QVariant>> values) {
    t.append();
    for (const auto& [field, value] : values)
        t.field(QString::fromLatin1(field)).setValue(value);
    t.post();
}

} // namespace

TEST(DataModule, OpensTheThirtyThreeSharedObjectsInOrder) {
    testsupport::YearFolder year;
    Tdm data;
    ASSERT_EQ(data.openOrder().size(), 33u);
    EXPECT_EQ(data.openOrder().front(), &data.Tabimpostazioni);
    EXPECT_EQ(data.openOrder()[15], &data.Tabmov);
    EXPECT_EQ(data.openOrder().back(), &data.Tabdiciture);
    EXPECT_TRUE(data.dmCreate(year.path()));
    for (store::Table* t : data.openOrder())
        EXPECT_TRUE(t->active()) << t->tableName().toStdString();
    EXPECT_FALSE(data.Tab_mis.active());
    data.dmDestroy();
    for (store::Table* t : data.openOrder())
        EXPECT_FALSE(t->active());
}

TEST(DataModule, MissingTableLeavesItAndTheFollowingClosedSilently) {
    testsupport::YearFolder year;
    ASSERT_TRUE(QFile::remove(year.file("ms.DB"))); // Tabms, eleventh in the order
    Tdm data;
    EXPECT_FALSE(data.dmCreate(year.path()));
    const auto& order = data.openOrder();
    for (size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(order[i]->active(), i < 10) << order[i]->tableName().toStdString();
}

TEST(DataModule, LookupFieldsFollowTheirSources) {
    testsupport::YearFolder year;
    Tdm data;
    ASSERT_TRUE(data.dmCreate(year.path()));
    post(data.Tabesercizio, {{"Id_esercizio", 7}, {"Ragione_sociale", "BAR CENTRALE"}});
    post(data.Tabmov, {{"Id", 1}, {"ID_ESERCIZIO", 7}, {"Id_tipomov", 2}});
    EXPECT_EQ(data.Tabmov.field("ragionesociale").asString(), "BAR CENTRALE");
    EXPECT_EQ(data.Tabmov.field("tipo_mov").asString(), "RIPARAZIONE");
    post(data.Tabcontratti, {{"ID", 1}, {"ID_CLIENTE", 7}, {"ID_CONTRATTO", 1}});
    EXPECT_EQ(data.Tabcontratti.field("rag_sociale").asString(), "BAR CENTRALE");
    EXPECT_EQ(data.Tabcontratti.field("tipo_contratto").asString(), "VERIFICA PERIODICA");
    post(data.Tabcontratti, {{"ID", 2}, {"ID_CLIENTE", 99}});
    EXPECT_TRUE(data.Tabcontratti.field("rag_sociale").isNull());
}

TEST(DataModule, AuthorisationsFollowTheirObligedSubjectAndFeedTechnicians) {
    testsupport::YearFolder year;
    Tdm data;
    ASSERT_TRUE(data.dmCreate(year.path()));
    post(data.Tabsoggetto, {{"Id_sogg_obbl", 1}, {"PG_denominazione", "LAB UNO"}});
    post(data.TabLsogg, {{"Id_Lsogg", 10}, {"Id_al_sigillo", "SIGILLO-A"}});
    EXPECT_EQ(data.TabLsogg.field("Id_sogg").asInteger(), 1); // filled from the master
    post(data.Tabsoggetto, {{"Id_sogg_obbl", 2}, {"PG_denominazione", "LAB DUE"}});
    EXPECT_EQ(data.TabLsogg.recordCount(), 0);
    data.Tabsoggetto.first();
    EXPECT_EQ(data.TabLsogg.recordCount(), 1);
    post(data.Tabtecnico, {{"Id_tecnico", 1}, {"Cognome", "ROSSI"}, {"Id_sogg", 10}});
    EXPECT_EQ(data.Tabtecnico.field("al_sigillo").asString(), "SIGILLO-A");
}

TEST(DataModule, MoneyFieldsShowInItalianForm) {
    testsupport::YearFolder year;
    Tdm data;
    ASSERT_TRUE(data.dmCreate(year.path()));
    post(data.Tabarticoli, {{"Id", 1}, {"Descrizione", "REGISTRATORE"}, {"Prezzo_vend", 1234.5}});
    EXPECT_EQ(data.Tabarticoli.field("Prezzo_vend").displayText(), "1.234,50");
}
