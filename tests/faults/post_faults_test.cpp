// Posting a record on a desk where the store fails under the user: a year folder that cannot be
// written, a table another process holds locked, a full disk. Each post is refused with the
// store's sentence, the typed record stays on the screen, nothing stored changes, and the same
// post goes through once the fault is gone.
#include "desk_fixture.h"
#include "movement_screen_support.h"
#include "movements/movement_entry_page.h"
#include "movements/movw.h"
#include "registry/fornitoriw.h"
#include "store/read_only.h"
#include "store_test_util.h"
#include "ui/dbchoice.h"
#include "ui/pagestack.h"

#include <sqlite3.h>

namespace {

using regtest::box;
using regtest::fill;
using regtest::press;

enum class Fault { ReadOnlyFolder, LockedTable, FullDisk };

struct PostCase {
    const char* name;
    Fault fault;
    bool movement; ///< the movement screen, else the suppliers register
    QString refusal;
};

class PostUnderFault : public faults::Desk, public ::testing::WithParamInterface<PostCase> {
protected:
    std::optional<storetest::ReadOnly> readOnly;
    std::optional<faults::OtherProcessLock> lock;

    QString table() const { return GetParam().movement ? "MOV" : "fornitori"; }
    QString keyField() const { return GetParam().movement ? "Id" : "Ragione_sociale"; }

    /// Sets the fault up; the read-only folder before the year opens, as media would be.
    void inject() {
        switch (GetParam().fault) {
        case Fault::ReadOnlyFolder:
            readOnly.emplace(yearFolder());
            if (!readOnly->applied())
                GTEST_SKIP() << "this file system cannot make a folder read-only";
            break;
        case Fault::LockedTable:
            lock.emplace(tableFile(table()));
            ASSERT_TRUE(lock->held());
            break;
        case Fault::FullDisk:
            ASSERT_TRUE(disk->fill());
            break;
        }
    }
    void lift() {
        readOnly.reset();
        lock.reset();
        if (disk)
            disk->empty();
    }
    /// What the year screen said while the year opened.
    QStringList openingMessages() const {
        if (GetParam().fault != Fault::ReadOnlyFolder)
            return {};
        return {"La cartella " + QDir::toNativeSeparators(yearFolder()) +
                " non è scrivibile (disco protetto o in sola lettura): i dati si possono "
                "consultare, ma ogni modifica sarà rifiutata."};
    }

    void SetUp() override {
        if (GetParam().fault == Fault::FullDisk) {
            disk.emplace(root.path());
            if (!disk->mounted())
                GTEST_SKIP() << "a small disk of its own needs the right to mount a tmpfs";
        }
        makeYear();
    }

    /// Enters a supplier, is refused, sees the typed name kept, posts again without the fault.
    void postSupplier(const QStringList& before) {
        use<TfornitoriForm>("Tabelle", "Fornitori", [&](TfornitoriForm& s) {
            press(s, "Nuovo");
            fill(box(s, "Ragione sociale del fornitore"), "ricambi spa");
            press(s, "Ok");
            EXPECT_EQ(dialogs.texts(), QStringList{GetParam().refusal});
            EXPECT_TRUE(s.pages().isShowing(TfornitoriForm::editPageName));
            EXPECT_EQ(box(s, "Ragione sociale del fornitore")->text(), "RICAMBI SPA");
            EXPECT_EQ(stored(table(), keyField()), before);
            lift();
            press(s, "Ok");
            EXPECT_TRUE(s.pages().isShowing(TfornitoriForm::listPageName));
            press(s, "Chiudi");
        });
        EXPECT_EQ(stored(table(), keyField()), before + QStringList{"RICAMBI SPA"});
    }

    /// Enters a movement for the customer, is refused, posts it again without the fault.
    void postMovement(const QStringList& before) {
        use<TMOVForm>("Movimenti", "Elenco Movimentazione", [&](TMOVForm& s) {
            press(s, "Nuovo Mov /F8");
            movtest::choose(s.entryPage().customerChoice(), "BAR");
            press(s, "OK");
            EXPECT_EQ(dialogs.texts(), QStringList{GetParam().refusal});
            EXPECT_TRUE(s.tabs().isShowing(TMOVForm::entryTabName));
            EXPECT_EQ(s.entryPage().customerChoice()->currentText(), "BAR SPORT");
            EXPECT_EQ(stored(table(), keyField()), before);
            lift();
            press(s, "OK");
            EXPECT_FALSE(s.tabs().isShowing(TMOVForm::entryTabName));
            press(s, "chiudi");
        });
        EXPECT_EQ(stored(table(), keyField()), before + QStringList{"2"});
        EXPECT_EQ(stored("MOV", "ID_ESERCIZIO"), (QStringList{"1", "1"}));
    }
};

TEST_P(PostUnderFault, IsRefusedKeepsTheTypedRecordAndGoesThroughOnceTheFaultIsGone) {
    const QStringList before = stored(table(), keyField());
    inject();
    if (IsSkipped())
        return;
    ASSERT_TRUE(startUp());
    EXPECT_EQ(dialogs.texts(), openingMessages()) << "said once, when the year opens";
    dialogs.clear();
    if (GetParam().movement)
        postMovement(before);
    else
        postSupplier(before);
    EXPECT_EQ(storetest::raw(tableFile(table()), "PRAGMA integrity_check"), QStringList{"ok"});
}

QString locked(const char* table) {
    return QStringLiteral("La tabella %1 è bloccata da un altro programma. Riprovare più tardi.")
        .arg(table);
}
QString unwritableFolder(const char* table) {
    return QStringLiteral("Impossibile accedere ai file della tabella %1: controllare che la "
                          "cartella dell'archivio esista e sia scrivibile.")
        .arg(table);
}
QString fullDisk(const char* table) {
    return QStringLiteral("Il disco è pieno e la modifica alla tabella %1 non è stata "
                          "registrata: liberare spazio sul disco e riprovare.")
        .arg(table);
}

INSTANTIATE_TEST_SUITE_P(
    Desks, PostUnderFault,
    ::testing::Values(
        PostCase{"FornitoreCartellaInSolaLettura", Fault::ReadOnlyFolder, false,
                 unwritableFolder("fornitori")},
        PostCase{"MovimentoCartellaInSolaLettura", Fault::ReadOnlyFolder, true,
                 unwritableFolder("MOV")},
        PostCase{"FornitoreTabellaBloccata", Fault::LockedTable, false, locked("fornitori")},
        PostCase{"MovimentoTabellaBloccata", Fault::LockedTable, true, locked("MOV")},
        PostCase{"FornitoreDiscoPieno", Fault::FullDisk, false, fullDisk("fornitori")},
        PostCase{"MovimentoDiscoPieno", Fault::FullDisk, true, fullDisk("MOV")}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

class ListUnderLock : public faults::Desk {};

TEST_F(ListUnderLock, MovementCommandsMeetingAnExclusiveLockSayItAndTheScreenGoesOn) {
    // A backup tool copying the file, or another copy committing, stops readers too.
    makeYear();
    ASSERT_TRUE(startUp());
    use<TMOVForm>("Movimenti", "Elenco Movimentazione", [&](TMOVForm& s) {
        {
            faults::OtherProcessLock lock(tableFile("MOV"), faults::OtherProcessLock::Exclusive);
            ASSERT_TRUE(lock.held());
            for (const char* command : {"Tutti", "Nuovo Mov /F8"})
                press(s, command);
        }
        EXPECT_EQ(dialogs.texts(), QStringList(2, locked("MOV")));
        EXPECT_FALSE(s.tabs().isShowing(TMOVForm::entryTabName));
        press(s, "Tutti");
        EXPECT_EQ(dialogs.texts().size(), 2) << "the list reads again";
        press(s, "chiudi");
    });
}

} // namespace

namespace {

class EntryUnderLock : public faults::Desk {};

TEST_F(EntryUnderLock, RegisterFindersMeetingALockedRegisterSayItAndKeepTheEntry) {
    makeYear();
    ASSERT_TRUE(startUp());
    const struct {
        const char* button;
        const char* table;
    } finders[] = {{"cerca/nuovo", "esercizio"}, {"cerca", "tecnici"}};
    use<TMOVForm>("Movimenti", "Elenco Movimentazione", [&](TMOVForm& s) {
        press(s, "Nuovo Mov /F8");
        movtest::choose(s.entryPage().customerChoice(), "BAR");
        for (const auto& finder : finders) {
            dialogs.clear();
            faults::OtherProcessLock lock(tableFile(finder.table),
                                          faults::OtherProcessLock::Exclusive);
            ASSERT_TRUE(lock.held());
            press(s, finder.button);
            EXPECT_EQ(dialogs.texts(), QStringList{locked(finder.table)});
            EXPECT_TRUE(s.tabs().isShowing(TMOVForm::entryTabName));
        }
        press(s, "OK");
        press(s, "chiudi");
    });
    EXPECT_EQ(stored("MOV", "Id"), (QStringList{"1", "2"}));
}

} // namespace
