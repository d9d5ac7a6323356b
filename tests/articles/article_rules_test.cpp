// The rules of the articles table and of the articles screen's decisions, without windows.
#include "articles/article_rules.h"
#include "articles_support.h"

namespace {

using articles::ArticleFilterChoice;

class ArticleRules : public arttest::Articles {};

TEST_F(ArticleRules, AppendedArticleGetsDefaultsAndItsIdentifierOnlyWhenPosted) {
    const struct {
        QVariant defaultVat;
        QVariant expectedVat;
    } cases[] = {{QVariant(), QVariant()}, {22.0, 22.0}};
    for (const auto& c : cases) {
        store::Table& settings = data.Tabimpostazioni;
        settings.isEmpty() ? settings.append() : settings.edit();
        settings.field("Iva_default").setValue(c.defaultVat);
        settings.post();

        store::Table& t = data.Tabarticoli;
        t.append();
        for (const char* flag : {"Assistenza_sn", "Giacenza_sn", "VF"})
            EXPECT_EQ(t.field(flag).value(), QVariant(false)) << flag;
        EXPECT_EQ(t.field("Id_esercizio").asInteger(), -1);
        if (c.expectedVat.isNull()) {
            EXPECT_TRUE(t.field("Iva").isNull());
        } else {
            EXPECT_EQ(t.field("Iva").asFloat(), c.expectedVat.toDouble());
        }
        EXPECT_TRUE(t.field("Id").isNull());
        t.field("Descrizione").setAsString("ROTOLO");
        t.post();
        EXPECT_EQ(t.field("Id").asInteger(), t.recordCount());
    }
}

TEST_F(ArticleRules, FilterIsBuiltFromNothingInItsOrder) {
    const int modelId = model("OLIVETTI", "NETTUNA 300");
    const int supplierId =
        add(data.TabFornitori, {{"Ragione_sociale", "RICAMBI SRL"}}, "Id_fornitore");
    const int customerId = customer("BAR SPORT");
    const QString m = QStringLiteral("[Id_ms]='%1'").arg(modelId);
    const QString s = QStringLiteral("[Id_fornitore]='%1'").arg(supplierId);
    const QString c = QStringLiteral("[Id_esercizio]='%1'").arg(customerId);
    const struct {
        ArticleFilterChoice choice;
        QString expected;
    } cases[] = {
        {{"Tutti", "", "", ""}, ""},
        {{"con contratto", "", "", ""}, "[Assistenza_sn]='true'"},
        {{"senza contratto", "", "", ""}, "[Assistenza_sn]='false'"},
        {{"in giacenza", "NETTUNA 300", "", ""}, "[giacenza_sn]='true' and " + m},
        {{"Tutti", "NETTUNA 300", "", ""}, m},
        {{"con matricola", "", "RICAMBI SRL", "BAR SPORT"},
         "[matricola]<>'' and " + s + " and " + c},
        {{"senza matricola", "NETTUNA 300", "RICAMBI SRL", "BAR SPORT"},
         "[matricola]='' and " + m + " and " + s + " and " + c},
        // A name nobody has matches nothing.
        {{"Tutti", "", "", "NESSUNO"}, "[Id_esercizio]='0'"},
    };
    for (const auto& k : cases) {
        EXPECT_EQ(articles::applyArticlesFilter(data, k.choice), k.expected);
        EXPECT_EQ(data.Tabarticoli.filtered(), !k.expected.isEmpty());
        EXPECT_EQ(data.Tabarticoli.filter(), k.expected);
    }
}

TEST_F(ArticleRules, SaveRefusesTheFirstMissingValueOfThePartsShown) {
    const int modelId = model("OLIVETTI", "NETTUNA 300");
    const int owner = customer("BAR SPORT");
    const struct {
        articles::ShownParts parts;
        QVariantMap fields;
        const char* message;
        QVariant giacenza; ///< after an accepted check
        int qta;
    } cases[] = {
        {{true, false}, {{"Matricola", "AB1"}}, "Inserire il tipo di misuratore", {}, 0},
        {{true, false}, {{"Id_ms", modelId}}, "Inserire la matricola del misuratore", {}, 0},
        {{false, true}, {{"Qta", 3}}, "Inserire la descrizione del prodotto.", {}, 0},
        {{false, true}, {{"Descrizione", "ROTOLO"}}, "Inserire la quantita del prodotto.", {}, 0},
        {{true, false}, {{"Id_ms", modelId}, {"Matricola", "AB1"}}, "", true, 1},
        {{true, false},
         {{"Id_ms", modelId}, {"Matricola", "AB1"}, {"Id_esercizio", owner}},
         "",
         false,
         1},
        {{false, true}, {{"Descrizione", "ROTOLO"}, {"Qta", 4}}, "", true, 4},
    };
    for (const auto& c : cases) {
        articles::appendArticle(data);
        store::Table& t = data.Tabarticoli;
        for (auto it = c.fields.begin(); it != c.fields.end(); ++it)
            t.field(it.key()).setValue(it.value());
        const articles::ArticleVerdict verdict = articles::prepareArticleSave(data, c.parts);
        EXPECT_EQ(verdict.message, QString::fromLatin1(c.message));
        if (verdict.accepted()) {
            EXPECT_EQ(t.field("Giacenza_sn").asBoolean(), c.giacenza.toBool()) << c.message;
            EXPECT_EQ(t.field("Qta").asInteger(), c.qta);
        }
        t.cancel();
    }
}

TEST_F(ArticleRules, DeleteIsRefusedByContractsThenMovementsThenMovementLines) {
    const QString contract = "IMPOSSIBILE Eliminare articolo usato in un contratto.";
    const QString movement = "IMPOSSIBILE Eliminare articolo usato in almeno un movimento.";
    const QString line = "IMPOSSIBILE Eliminare articolo usato nelle righe di almeno un movimento.";
    add(data.Tablcontratti, {{"ID", 1}, {"MATRICOLA", "C1"}}, "ID");
    add(data.Tabmov, {{"Id", 1}, {"MATRICOLA_MS", "C1"}}, "Id");
    add(data.Tabmov, {{"Id", 2}, {"MATRICOLA_MS", "M1"}}, "Id");
    add(data.Tabmov, {{"Id", 3}}, "Id"); // a movement without machine
    store::Table lines(working.year.path(), "Mov_articoli");
    lines.open();
    add(lines, {{"Id", 1}, {"Matricola", "M1"}}, "Id");
    add(lines, {{"Id", 2}, {"Matricola", "L1"}}, "Id");
    const struct {
        const char* matricola;
        std::optional<QString> refusal;
    } cases[] = {
        {"C1", contract},       {"M1", movement},   {"L1", line},
        {"FREE", std::nullopt}, {"", std::nullopt}, // simple articles are never held back
    };
    for (const auto& c : cases)
        EXPECT_EQ(articles::articleDeleteRefusal(working.year.path(), c.matricola), c.refusal)
            << c.matricola;
}

TEST_F(ArticleRules, OwnerAddressComesFromTheCustomerAndPulisciEmptiesIt) {
    const int owner = customer("BAR SPORT", {{"Piva", "12345678903"},
                                             {"Indirizzo", "VIA ROMA 1"},
                                             {"Cap", "00100"},
                                             {"Comune", "ROMA"}});
    store::Table& t = data.Tabarticoli;
    t.append();
    t.field("Id_esercizio").setAsInteger(owner);
    articles::copyOwnerAddress(t, data.Tabesercizio);
    EXPECT_EQ(t.field("Indirizzo").asString(), "VIA ROMA 1");
    EXPECT_EQ(t.field("Piva").asString(), "12345678903");
    EXPECT_EQ(t.field("Provincia").asString(), data.Tabesercizio.field("Provincia").asString());
    articles::clearOwner(t);
    for (const char* field : {"Id_esercizio", "Piva", "Indirizzo", "Cap", "Comune", "Provincia"})
        EXPECT_TRUE(t.field(field).isNull()) << field;
    t.cancel();
}

TEST_F(ArticleRules, SearchBeginsWithAndTrovaEqualsOnTheChosenField) {
    article({{"Descrizione", "ROTOLO CARTA"}, {"Barcode", "800"}});
    article({{"Descrizione", "ROTOLO"}, {"Barcode", "801"}});
    article({{"Descrizione", "BATTERIA"}, {"Matricola", "AB12"}});
    const struct {
        const char* entry;
        const char* text;
        bool exact;
        bool moved;
        const char* description;
    } cases[] = {
        {"descrizione", "ROT", false, true, "ROTOLO"},
        {"descrizione", "ROTOLO C", false, true, "ROTOLO CARTA"},
        {"descrizione", "ROT", true, false, "BATTERIA"},
        {"barcode", "800", true, true, "ROTOLO CARTA"},
        {"Matricola", "AB", false, true, "BATTERIA"},
        {"descrizione", "rot", false, false, "BATTERIA"}, // case-sensitive
        {"", "ROTOLO", false, false, "BATTERIA"},         // no field chosen
    };
    for (const auto& c : cases) {
        data.Tabarticoli.first();
        EXPECT_EQ(articles::searchArticle(data.Tabarticoli, c.entry, c.text, c.exact), c.moved)
            << c.text;
        EXPECT_EQ(data.Tabarticoli.field("Descrizione").asString(), c.description) << c.text;
    }
}

} // namespace
