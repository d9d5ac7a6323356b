// The edit cycle of a table object: append, edit, post, cancel, delete, their states and
// events, data links, and the refusals of the file (key violation, required field).
#include "store/error.h"
#include "store/table.h"
#include "store_test_util.h"
#include "support/fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

using store::DataSetState;
using store::Table;
using storetest::add;
using storetest::ids;

namespace {

/// Rows of the shops' file as another connection reads them.
int storedShops(const testsupport::YearFolder& year) {
    return storetest::raw(year.file("esercizio.DB"), "SELECT count(*) FROM esercizio")
        .value(0)
        .toInt();
}

} // namespace

class Editing : public ::testing::Test {
protected:
    testsupport::YearFolder year;
    Table shops{year.path(), "esercizio"};
    void SetUp() override {
        shops.open();
        add(shops, {{"Id_esercizio", 1}, {"Ragione_sociale", "ALFA"}});
        add(shops, {{"Id_esercizio", 3}, {"Ragione_sociale", "GAMMA"}});
        add(shops, {{"Id_esercizio", 5}, {"Ragione_sociale", "EPSILON"}});
        shops.first();
    }
    int current() { return shops.field("Id_esercizio").asInteger(); }
};

TEST_F(Editing, AppendedRecordReachesTheFileOnlyAtPostAndTheCursorStandsOnIt) {
    EXPECT_EQ(shops.state(), DataSetState::Browse);
    shops.append();
    EXPECT_EQ(shops.state(), DataSetState::Insert);
    EXPECT_TRUE(shops.field("Ragione_sociale").isNull());
    shops.field("Id_esercizio").setAsInteger(2);
    shops.field("Ragione_sociale").setAsString("BETA");
    EXPECT_EQ(storedShops(year), 3);

    shops.post();
    EXPECT_EQ(shops.state(), DataSetState::Browse);
    EXPECT_EQ(storedShops(year), 4);
    EXPECT_EQ(shops.field("Ragione_sociale").asString(), "BETA");
    EXPECT_EQ(shops.recNo(), 2);
    shops.next();
    EXPECT_EQ(current(), 3);
    EXPECT_EQ(ids(shops, "Id_esercizio"), std::vector<int>({1, 2, 3, 5}));
}

TEST_F(Editing, PostedRecordIsCurrentForEveryRead) {
    shops.setIndexName("rs_index");
    shops.last();
    shops.append();
    shops.field("Id_esercizio").setAsInteger(9);
    shops.field("Ragione_sociale").setAsString("BETA");
    shops.post();
    EXPECT_EQ(shops.recNo(), 2);
    const std::vector<QVariant> row = shops.recordAt(shops.recNo() - 1);
    EXPECT_EQ(row[size_t(shops.field("Ragione_sociale").index())].toString(), "BETA");
    shops.prior();
    EXPECT_EQ(shops.field("Ragione_sociale").asString(), "ALFA");
}

TEST_F(Editing, CancelDropsThePendingRecordAndReturnsToThePreviousOne) {
    shops.next();
    shops.append();
    shops.field("Id_esercizio").setAsInteger(7);
    shops.field("Ragione_sociale").setAsString("SCARTATO");
    shops.cancel();
    EXPECT_EQ(shops.state(), DataSetState::Browse);
    EXPECT_EQ(current(), 3);
    EXPECT_EQ(shops.recordCount(), 3);
    EXPECT_EQ(storedShops(year), 3);
}

TEST_F(Editing, EditPostStoresAndEditCancelRestores) {
    shops.next();
    shops.edit();
    EXPECT_EQ(shops.state(), DataSetState::Edit);
    shops.field("Ragione_sociale").setAsString("GAMMA SNC");
    shops.post();
    EXPECT_EQ(current(), 3);
    EXPECT_EQ(storetest::raw(year.file("esercizio.DB"),
                             "SELECT Ragione_sociale FROM esercizio WHERE Id_esercizio = 3"),
              QStringList{"GAMMA SNC"});

    shops.edit();
    shops.field("Ragione_sociale").setAsString("DA BUTTARE");
    shops.cancel();
    EXPECT_EQ(shops.field("Ragione_sociale").asString(), "GAMMA SNC");
    EXPECT_EQ(storetest::raw(year.file("esercizio.DB"),
                             "SELECT Ragione_sociale FROM esercizio WHERE Id_esercizio = 3"),
              QStringList{"GAMMA SNC"});
}

TEST_F(Editing, MovingAwayPostsAModifiedRecordAndDropsAnUntouchedOne) {
    shops.edit();
    shops.field("Ragione_sociale").setAsString("ALFA SPA");
    shops.next();
    EXPECT_EQ(shops.state(), DataSetState::Browse);
    shops.append();
    shops.last();
    EXPECT_EQ(shops.recordCount(), 3);
    EXPECT_EQ(storetest::column(shops, "Ragione_sociale"),
              QStringList({"ALFA SPA", "GAMMA", "EPSILON"}));
}

TEST_F(Editing, DeleteMovesToTheNextRecord) {
    shops.next();
    shops.deleteRecord();
    EXPECT_EQ(current(), 5);
    EXPECT_EQ(shops.recordCount(), 2);
    // Deleting the last record moves to the new last one.
    shops.deleteRecord();
    EXPECT_EQ(current(), 1);
    shops.deleteRecord();
    EXPECT_TRUE(shops.isEmpty());
    EXPECT_TRUE(shops.eof());
    EXPECT_TRUE(shops.bof());
    EXPECT_EQ(storedShops(year), 0);
    EXPECT_THROW(shops.deleteRecord(), store::Error);
}

TEST_F(Editing, DeleteOfAPendingRecordOnlyDropsIt) {
    shops.append();
    shops.field("Id_esercizio").setAsInteger(8);
    shops.deleteRecord();
    EXPECT_EQ(shops.state(), DataSetState::Browse);
    EXPECT_EQ(storedShops(year), 3);
    EXPECT_EQ(current(), 1);
}

TEST_F(Editing, DeletingEveryRecordFromTheFirstEmptiesTheTable) {
    shops.first();
    while (!shops.eof())
        shops.deleteRecord();
    EXPECT_EQ(storedShops(year), 0);
}

TEST_F(Editing, FieldsCannotBeSetWhileBrowsing) {
    EXPECT_THROW(shops.field("Ragione_sociale").setAsString("X"), store::Error);
    EXPECT_EQ(shops.field("Ragione_sociale").asString(), "ALFA");
    EXPECT_THROW(shops.field("Campo_inesistente"), store::Error);
}

TEST_F(Editing, EmptyTableRemovesEveryRecordOfThatFileOnly) {
    Table towns(year.path(), "COMUNI");
    towns.open();
    const int municipalities = towns.recordCount();
    shops.emptyTable();
    EXPECT_TRUE(shops.isEmpty());
    EXPECT_EQ(storedShops(year), 0);
    EXPECT_EQ(towns.recordCount(), municipalities);
}

TEST(EditingEmpty, EditOnAnEmptyTableAppends) {
    testsupport::YearFolder year;
    Table shops(year.path(), "esercizio");
    shops.open();
    shops.edit();
    EXPECT_EQ(shops.state(), DataSetState::Insert);
    shops.field("Id_esercizio").setAsInteger(1);
    shops.post();
    EXPECT_EQ(shops.recordCount(), 1);
}

TEST(EditingEmpty, EditOnAFilterShowingNothingAppends) {
    testsupport::YearFolder year;
    Table shops(year.path(), "esercizio");
    shops.open();
    add(shops, {{"Id_esercizio", 1}, {"Comune", "ROMA"}});
    shops.setFilter("[Comune]='BARI'");
    shops.setFiltered(true);
    shops.edit();
    EXPECT_EQ(shops.state(), DataSetState::Insert);
    shops.cancel();
}

// ---------------------------------------------------------------------------------------------
// Record events

class RecordEvents : public Editing {};

TEST_F(RecordEvents, AfterInsertFillsDefaultsOnTheNewRecord) {
    int calls = 0;
    shops.on(store::Event::AfterInsert, [&](Table& t) {
        ++calls;
        EXPECT_EQ(t.state(), DataSetState::Insert);
        t.field("Id_esercizio").setAsInteger(10);
        t.field("Giorno_chiusura").setAsString("LUNEDI");
    });
    shops.append();
    EXPECT_EQ(calls, 1);
    shops.field("Ragione_sociale").setAsString("NUOVO");
    shops.post();
    EXPECT_EQ(storetest::raw(year.file("esercizio.DB"),
                             "SELECT Giorno_chiusura FROM esercizio WHERE Id_esercizio = 10"),
              QStringList{"LUNEDI"});
}

TEST_F(RecordEvents, BeforePostRefusingKeepsTheRecordPendingAndUnsaved) {
    bool refuse = true;
    int afterPosts = 0;
    shops.on(store::Event::BeforePost, [&](Table& t) {
        if (refuse && t.field("Ragione_sociale").isNull())
            throw store::Error("Inserire la ragione sociale.");
    });
    shops.on(store::Event::AfterPost, [&](Table& t) {
        ++afterPosts;
        EXPECT_EQ(t.state(), DataSetState::Browse);
    });
    shops.append();
    shops.field("Id_esercizio").setAsInteger(2);
    EXPECT_THROW(shops.post(), store::Error);
    EXPECT_EQ(shops.state(), DataSetState::Insert);
    EXPECT_EQ(shops.field("Id_esercizio").asInteger(), 2);
    EXPECT_EQ(storedShops(year), 3);
    EXPECT_EQ(afterPosts, 0);

    // Moving away posts, so the refusal stops the move too.
    EXPECT_THROW(shops.next(), store::Error);
    EXPECT_EQ(shops.state(), DataSetState::Insert);

    shops.field("Ragione_sociale").setAsString("BETA");
    shops.post();
    EXPECT_EQ(afterPosts, 1);
    EXPECT_EQ(storedShops(year), 4);
}

TEST_F(RecordEvents, BeforeDeleteRefusingKeepsTheRecord) {
    shops.on(store::Event::BeforeDelete, [](Table& t) {
        if (t.field("Id_esercizio").asInteger() == 1)
            throw store::Error("Cliente in uso.");
    });
    int afterDeletes = 0;
    shops.on(store::Event::AfterDelete, [&](Table&) { ++afterDeletes; });
    EXPECT_THROW(shops.deleteRecord(), store::Error);
    EXPECT_EQ(current(), 1);
    EXPECT_EQ(storedShops(year), 3);
    EXPECT_EQ(afterDeletes, 0);
    shops.next();
    shops.deleteRecord();
    EXPECT_EQ(afterDeletes, 1);
    EXPECT_EQ(storedShops(year), 2);
}

TEST_F(RecordEvents, AfterScrollFiresOnEveryMoveToAnotherRecordWithThatRecordCurrent) {
    std::vector<int> seen;
    shops.on(store::Event::AfterScroll,
             [&](Table& t) { seen.push_back(t.field("Id_esercizio").asInteger()); });
    shops.next();
    shops.last();
    shops.first();
    ASSERT_TRUE(shops.locate("Id_esercizio", 3));
    shops.deleteRecord();
    EXPECT_EQ(seen, std::vector<int>({3, 5, 1, 3, 5}));
}

TEST_F(RecordEvents, FieldChangeFiresWhenAValueIsStoredWithTheStoredValue) {
    const QString longName = "UNA RAGIONE SOCIALE MOLTO LUNGA CHE SUPERA DI GRAN LUNGA I "
                             "SESSANTA CARATTERI";
    QStringList changes;
    shops.onFieldChange("Ragione_sociale",
                        [&](store::Field f) { changes << f.name() + "=" + f.asString(); });
    shops.edit();
    shops.field("Ragione_sociale").setAsString(longName);
    shops.field("Comune").setAsString("ROMA"); // another field: no call
    shops.field("ragione_sociale").clear();
    EXPECT_EQ(changes, QStringList({"Ragione_sociale=" + longName.left(60), "Ragione_sociale="}));
}

TEST_F(RecordEvents, FieldChangeMayStoreIntoOtherFields) {
    // As the municipality look-up does: a change fills province and postcode.
    shops.onFieldChange("Comune", [](store::Field f) {
        f.table().field("Provincia").setAsString(f.asString() == "ROMA" ? "RM" : "");
        f.table().field("Cap").setAsString(f.asString() == "ROMA" ? "00100" : "");
    });
    shops.edit();
    shops.field("Comune").setAsString("ROMA");
    EXPECT_EQ(shops.field("Provincia").asString(), "RM");
    shops.post();
    EXPECT_EQ(storetest::raw(year.file("esercizio.DB"),
                             "SELECT Cap FROM esercizio WHERE Id_esercizio = 1"),
              QStringList{"00100"});
}

// ---------------------------------------------------------------------------------------------
// Data links

namespace {

/// A box still holding what the user typed: it writes it only when asked.
struct PendingBox : store::DataLink {
    QString field;
    QString typed;
    int updates = 0;
    std::vector<store::DataEvent> events;
    void dataEvent(Table&, store::DataEvent event, int) override { events.push_back(event); }
    void updateData(Table& t) override {
        ++updates;
        if (!typed.isNull() && t.state() != DataSetState::Browse)
            t.field(field).setAsString(typed);
        typed = QString();
    }
};

} // namespace

// Two rule sets on one object (as the movement rules and a screen both put on Tabmov) must both
// run: a second registration once replaced the first.
TEST_F(RecordEvents, SecondRuleSetOnOneFieldOrEventDoesNotReplaceTheFirst) {
    QStringList calls;
    shops.onFieldChange("Comune", [&](store::Field) { calls << "comune 1"; });
    shops.onFieldChange("Comune", [&](store::Field) { calls << "comune 2"; });
    shops.on(store::Event::BeforePost, [&](Table&) { calls << "post 1"; });
    shops.on(store::Event::BeforePost, [&](Table&) { calls << "post 2"; });
    shops.edit();
    shops.field("Comune").setAsString("ROMA");
    shops.post();
    EXPECT_EQ(calls, QStringList({"comune 1", "comune 2", "post 1", "post 2"}));
}

TEST_F(Editing, LinkWritesItsPendingEditBeforePost) {
    PendingBox box;
    box.field = "Ragione_sociale";
    shops.addLink(&box);
    shops.edit();
    box.typed = "SCRITTO NEL RIQUADRO";
    shops.post();
    EXPECT_GE(box.updates, 1);
    EXPECT_EQ(storetest::raw(year.file("esercizio.DB"),
                             "SELECT Ragione_sociale FROM esercizio WHERE Id_esercizio = 1"),
              QStringList{"SCRITTO NEL RIQUADRO"});
    shops.removeLink(&box);
}

TEST_F(Editing, LinkEditAloneMakesAMoveAwayPost) {
    // Nothing set through the table: only the box holds the new text when the user moves on.
    PendingBox box;
    box.field = "Ragione_sociale";
    shops.addLink(&box);
    shops.edit();
    box.typed = "ALFA DAL RIQUADRO";
    shops.next();
    EXPECT_EQ(storetest::raw(year.file("esercizio.DB"),
                             "SELECT Ragione_sociale FROM esercizio WHERE Id_esercizio = 1"),
              QStringList{"ALFA DAL RIQUADRO"});
    shops.removeLink(&box);
}

TEST_F(Editing, LinkIsToldOfMovesAndStates) {
    PendingBox box;
    box.field = "Ragione_sociale";
    shops.addLink(&box);
    shops.next();
    shops.edit();
    shops.field("Comune").setAsString("ROMA");
    const auto has = [&](store::DataEvent e) {
        return std::find(box.events.begin(), box.events.end(), e) != box.events.end();
    };
    EXPECT_TRUE(has(store::DataEvent::Scrolled));
    EXPECT_TRUE(has(store::DataEvent::StateChanged));
    EXPECT_TRUE(has(store::DataEvent::RecordChanged));
    shops.cancel();
    shops.removeLink(&box);
    box.events.clear();
    shops.next();
    EXPECT_TRUE(box.events.empty());
}

// ---------------------------------------------------------------------------------------------
// Refusals of the file

TEST_F(Editing, DuplicateIdentifierIsAKeyViolationAndTheRecordStaysPending) {
    shops.append();
    shops.field("Id_esercizio").setAsInteger(3);
    shops.field("Ragione_sociale").setAsString("DOPPIONE");
    try {
        shops.post();
        FAIL() << "duplicate identifier posted";
    } catch (const store::Error& e) {
        EXPECT_TRUE(e.message().contains("esercizio")) << e.message().toStdString();
    }
    EXPECT_EQ(shops.state(), DataSetState::Insert);
    EXPECT_EQ(shops.field("Ragione_sociale").asString(), "DOPPIONE");
    EXPECT_EQ(storedShops(year), 3);

    shops.field("Id_esercizio").setAsInteger(4);
    shops.post();
    EXPECT_EQ(ids(shops, "Id_esercizio"), std::vector<int>({1, 3, 4, 5}));
}

TEST_F(Editing, ChangingAnIdentifierIntoAnExistingOneIsAKeyViolation) {
    shops.edit();
    shops.field("Id_esercizio").setAsInteger(5);
    EXPECT_THROW(shops.post(), store::Error);
    EXPECT_EQ(shops.state(), DataSetState::Edit);
    shops.cancel();
    EXPECT_EQ(ids(shops, "Id_esercizio"), std::vector<int>({1, 3, 5}));
}

TEST_F(Editing, SeveralBlankIdentifiersAreAllowed) {
    add(shops, {{"Ragione_sociale", "SENZA CODICE 1"}});
    add(shops, {{"Ragione_sociale", "SENZA CODICE 2"}});
    EXPECT_EQ(storedShops(year), 5);
    // Blank identifiers come first in the natural order.
    shops.first();
    EXPECT_TRUE(shops.field("Id_esercizio").isNull());
}

TEST(Required, BlankRequiredFieldIsRefusedWithItsNameAndTheRecordStaysPending) {
    testsupport::YearFolder year;
    Table verifications(year.path(), "misurazioni");
    verifications.open();
    verifications.append();
    verifications.field("ID_MISURAZIONI").setAsInteger(1);
    verifications.field("ID_MS").setAsInteger(2);
    verifications.field("ID_TECNICO").setAsInteger(3);
    try {
        verifications.post();
        FAIL() << "blank ID_ESERCIZIO posted";
    } catch (const store::Error& e) {
        EXPECT_TRUE(e.message().contains("ID_ESERCIZIO")) << e.message().toStdString();
    }
    EXPECT_EQ(verifications.state(), DataSetState::Insert);
    EXPECT_EQ(storetest::raw(year.file("misurazioni.DB"), "SELECT count(*) FROM misurazioni"),
              QStringList{"0"});
    verifications.field("ID_ESERCIZIO").setAsInteger(4);
    verifications.post();
    EXPECT_EQ(verifications.recordCount(), 1);
}
