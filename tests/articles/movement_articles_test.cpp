// Spare parts booked on a movement and the machine a movement concerns, without windows.
#include "articles/movement_articles.h"
#include "articles_support.h"

#include "store/query.h"

namespace {

class MovementArticles : public arttest::Articles {
protected:
    void SetUp() override {
        Articles::SetUp();
        movement(customer("BAR SPORT"));
        articles::showWarehouse(data.Tabarticoli);
    }
    int part(const QString& description, int qta, double price = 10) {
        const int id = article({{"Descrizione", description},
                                {"Barcode", "B-" + description},
                                {"Qta", qta},
                                {"Prezzo_vend", price},
                                {"Iva", 22.0},
                                {"Giacenza_sn", true}});
        data.Tabarticoli.locate("Id", id);
        return id;
    }
    int warehouseQta(const QString& description) {
        return stored("Descrizione", description, "Qta").toInt();
    }
    store::Table& lines = data.Tablmov;
};

TEST_F(MovementArticles, QuantityBoxCountsOneUnlessItHoldsAWholeNumber) {
    const std::pair<const char*, int> cases[] = {{"1", 1}, {"12", 12}, {" 3 ", 3}, {"-2", -2},
                                                 {"", 1},  {"ab", 1},  {"2,5", 1}};
    for (const auto& [text, n] : cases)
        EXPECT_EQ(articles::quantityOf(text), n) << text;
}

TEST_F(MovementArticles, WarehouseListHoldsOnlyArticlesInStockWithoutSerialNumber) {
    part("ROTOLO", 4);
    article({{"Descrizione", "VENDUTO"}, {"Giacenza_sn", false}});
    warehouseMachine("AB1", model("OLIVETTI", "NETTUNA"));
    articles::showWarehouse(data.Tabarticoli);
    EXPECT_EQ(data.Tabarticoli.filter(), "[Giacenza_sn]='true' and [Matricola]=''");
    ASSERT_EQ(data.Tabarticoli.recordCount(), 1);
    EXPECT_EQ(data.Tabarticoli.field("Descrizione").asString(), "ROTOLO");
}

TEST_F(MovementArticles, AddingTwiceMakesOneLineAndTakesBothOffTheWarehouse) {
    const int id = part("ROTOLO", 4, 10);
    ASSERT_TRUE(articles::addToMovement(data.Tabarticoli, lines, 2).done());
    // The price changed since the line was made: the line follows it, its barcode stays.
    data.Tabarticoli.edit();
    data.Tabarticoli.field("Prezzo_vend").setAsFloat(12.5);
    data.Tabarticoli.field("Barcode").setAsString("NUOVO");
    data.Tabarticoli.post();
    data.Tabarticoli.locate("Id", id);
    ASSERT_TRUE(articles::addToMovement(data.Tabarticoli, lines, 3).done());

    ASSERT_EQ(lines.recordCount(), 1);
    EXPECT_EQ(lines.field("Qta").asInteger(), 5);
    EXPECT_EQ(lines.field("Prezzo_vend").asFloat(), 12.5);
    EXPECT_EQ(lines.field("Barcode").asString(), "B-ROTOLO");
    EXPECT_EQ(lines.field("Id_mov").asInteger(), 1);
    EXPECT_EQ(lines.field("Id").asInteger(), 1);
    EXPECT_EQ(warehouseQta("ROTOLO"), -1); // more than the warehouse held
}

TEST_F(MovementArticles, RemovingGivesBackAndDeletesALineThatReachesZero) {
    const struct {
        int removed;
        int lineLeft; ///< 0: the line is gone
        int warehouse;
    } cases[] = {{5, 0, 10}, {7, -2, 12}, {2, 3, 7}};
    for (const auto& c : cases) {
        part("ROTOLO", 10);
        ASSERT_TRUE(articles::addToMovement(data.Tabarticoli, lines, 5).done());
        ASSERT_TRUE(articles::removeFromMovement(data.Tabarticoli, lines, c.removed).done());
        EXPECT_EQ(lines.recordCount(), c.lineLeft ? 1 : 0);
        if (c.lineLeft) {
            EXPECT_EQ(lines.field("Qta").asInteger(), c.lineLeft);
        }
        EXPECT_EQ(warehouseQta("ROTOLO"), c.warehouse);
        while (!lines.isEmpty())
            lines.deleteRecord();
        data.Tabarticoli.deleteRecord();
    }
}

TEST_F(MovementArticles, NothingToAddOrAPartNoLongerInTheWarehouseChangesNothing) {
    EXPECT_EQ(articles::addToMovement(data.Tabarticoli, lines, 1).message, "nulla da aggiungere");
    EXPECT_EQ(articles::removeFromMovement(data.Tabarticoli, lines, 1).message,
              "nulla da rimuovere");
    part("ROTOLO", 3);
    ASSERT_TRUE(articles::addToMovement(data.Tabarticoli, lines, 1).done());
    data.Tabarticoli.edit();
    data.Tabarticoli.field("Descrizione").setAsString("ROTOLO 57MM");
    data.Tabarticoli.post();
    EXPECT_EQ(articles::removeFromMovement(data.Tabarticoli, lines, 1).message,
              "Articolo non trovato in magazzino");
    EXPECT_EQ(lines.field("Qta").asInteger(), 1);
    EXPECT_EQ(warehouseQta("ROTOLO 57MM"), 2);
}

class MachineChoice : public arttest::Articles {
protected:
    int modelId = 0;
    int shop = 0;
    void SetUp() override {
        Articles::SetUp();
        modelId = model("OLIVETTI", "NETTUNA 300");
        shop = customer("BAR SPORT", {{"Piva", "12345678903"},
                                      {"Indirizzo", "VIA ROMA 1"},
                                      {"Cap", "00100"},
                                      {"Comune", "ROMA"}});
        movement(shop);
    }
    /// "OK" on the warehouse page with the machine `matricola` chosen.
    articles::PickOutcome sell(const QString& matricola) {
        articles::MachineLists lists(data, shop);
        EXPECT_TRUE(lists.Qart->locate("Matricola", matricola));
        return articles::chooseWarehouseMachine(data, *lists.Qart);
    }
    QVariant owner(const QString& matricola) {
        return stored("Matricola", matricola, "Id_esercizio");
    }
    bool inStock(const QString& matricola) {
        return stored("Matricola", matricola, "Giacenza_sn").toBool();
    }
    QString mov(const char* field) { return data.Tabmov.field(field).asString(); }
};

TEST_F(MachineChoice, PickerPageFollowsTheMovementType) {
    using articles::PickFor;
    const std::pair<const char*, PickFor> cases[] = {{"INTERVENTO", PickFor::CustomerMachines},
                                                     {"RIPARAZIONE", PickFor::CustomerMachines},
                                                     {"VENDITA", PickFor::WarehouseMachines},
                                                     {"CONSULENZA", PickFor::WarehouseMachines},
                                                     {"", PickFor::WarehouseMachines}};
    for (const auto& [type, page] : cases)
        EXPECT_EQ(articles::pickForType(type), page) << type;
}

TEST_F(MachineChoice, ListsHoldTheCustomersMachinesAndTheWarehouseMachines) {
    article({{"Matricola", "OWN1"}, {"Id_ms", modelId}, {"Id_esercizio", shop}});
    warehouseMachine("A", modelId);
    article({{"Descrizione", "ROTOLO"}, {"Giacenza_sn", true}});
    articles::MachineLists lists(data, shop);
    ASSERT_EQ(lists.Query1->recordCount(), 1);
    EXPECT_EQ(lists.Query1->field("ms").asString(), "NETTUNA 300");
    ASSERT_EQ(lists.Qart->recordCount(), 1);
    EXPECT_EQ(lists.Qart->field("marchio_ms").asString(), "OLIVETTI");
    EXPECT_EQ(lists.Qart->field("denom_ms").asString(), "NETTUNA 300");
}

TEST_F(MachineChoice, SaleOfBAfterALeavesAInTheWarehouseAndBWithTheCustomer) {
    warehouseMachine("A", modelId, "MAGAZZINO 1");
    warehouseMachine("B", modelId);
    ASSERT_EQ(sell("A"), articles::PickOutcome::Chosen);
    EXPECT_EQ(owner("A").toInt(), shop);
    EXPECT_EQ(mov("INDIRIZZO"), "MAGAZZINO 1"); // the machine's own address wins
    ASSERT_EQ(sell("B"), articles::PickOutcome::Chosen);

    EXPECT_TRUE(owner("A").isNull());
    EXPECT_TRUE(inStock("A"));
    EXPECT_EQ(owner("B").toInt(), shop);
    EXPECT_FALSE(inStock("B"));
    EXPECT_EQ(mov("MATRICOLA_MS"), "B");
    EXPECT_TRUE(data.Tabmov.field("Dal_magazzino_sn").asBoolean());
    // B has no address of its own: the customer's fills it.
    EXPECT_EQ(mov("INDIRIZZO"), "VIA ROMA 1");
    EXPECT_EQ(mov("Piva"), "12345678903");
    EXPECT_EQ(mov("COMUNE"), "ROMA");
}

TEST_F(MachineChoice, InterventionSwitchedToTheCustomersOwnReturnsTheWarehouseMachine) {
    warehouseMachine("A", modelId);
    article({{"Matricola", "OWN1"},
             {"Id_ms", modelId},
             {"Id_esercizio", shop},
             {"Indirizzo", "VIA NUOVA 2"}});
    ASSERT_EQ(sell("A"), articles::PickOutcome::Chosen);
    articles::MachineLists lists(data, shop);
    ASSERT_TRUE(lists.Query1->locate("Matricola", "OWN1"));
    ASSERT_EQ(articles::chooseCustomerMachine(data, *lists.Query1), articles::PickOutcome::Chosen);

    EXPECT_TRUE(inStock("A"));
    EXPECT_TRUE(owner("A").isNull());
    EXPECT_EQ(mov("MATRICOLA_MS"), "OWN1");
    EXPECT_EQ(mov("INDIRIZZO"), "VIA NUOVA 2");
    EXPECT_FALSE(data.Tabmov.field("Dal_magazzino_sn").asBoolean());
}

TEST_F(MachineChoice, EmptyListOrCustomerMissingChangesNothing) {
    articles::MachineLists empty(data, shop);
    EXPECT_EQ(articles::chooseWarehouseMachine(data, *empty.Qart),
              articles::PickOutcome::NothingChosen);
    EXPECT_EQ(articles::chooseCustomerMachine(data, *empty.Query1),
              articles::PickOutcome::NothingChosen);
    warehouseMachine("A", modelId);
    data.Tabmov.field("ID_ESERCIZIO").setAsInteger(99);
    EXPECT_EQ(sell("A"), articles::PickOutcome::CustomerMissing);
    EXPECT_TRUE(inStock("A"));
    EXPECT_EQ(mov("MATRICOLA_MS"), "");
}

TEST_F(MachineChoice, ReturnToWarehouseFindsTheMachineWhateverTheFilterAndKeepsOrClearsItsAddress) {
    using articles::Address;
    article({{"Matricola", "A"}, {"Id_esercizio", shop}, {"Giacenza_sn", false}});
    articles::showWarehouse(data.Tabarticoli); // a filter that hides machine A
    const struct {
        const char* matricola;
        Address address;
        bool found;
        const char* street; ///< the machine's address afterwards
    } cases[] = {
        {"A", Address::Keep, true, "VIA ROMA 1"}, // the delete of a movement
        {"A", Address::Clear, true, ""},          // "Annulla" on the entry
        {"NOWHERE", Address::Clear, false, ""},
        {"", Address::Clear, false, ""},
    };
    for (const auto& c : cases) {
        data.Tabarticoli.setFiltered(false);
        ASSERT_TRUE(data.Tabarticoli.locate("Matricola", "A"));
        data.Tabarticoli.edit();
        data.Tabarticoli.field("Id_esercizio").setAsInteger(shop);
        data.Tabarticoli.field("Giacenza_sn").setAsBoolean(false);
        data.Tabarticoli.field("Indirizzo").setAsString("VIA ROMA 1");
        data.Tabarticoli.post();
        articles::showWarehouse(data.Tabarticoli);
        EXPECT_EQ(articles::returnToWarehouse(data, c.matricola, c.address), c.found)
            << c.matricola;
        if (!c.found)
            continue;
        EXPECT_TRUE(inStock("A"));
        EXPECT_TRUE(owner("A").isNull());
        EXPECT_EQ(stored("Matricola", "A", "Indirizzo").toString(), c.street);
    }
}

} // namespace
