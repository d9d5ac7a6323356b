// The export screen as the user meets it: the quarter, the check of the tables, the two
// questions of "invia", the message of success or of failure.
#include "interchange/exportw.h"
#include "screen_support.h"
#include "store/read_only.h"
#include "ui/grid.h"

#include <QDate>
#include <QSpinBox>

namespace {

using ictest::press;

class ExportScreen : public ictest::ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        store::Table own(working.year.path(), "misurazioni");
        own.open();
        for (const char* quarter : {"1", "2"})
            ictest::add(own, {{"ID_MISURAZIONI", quarter[0] - '0'},
                              {"ID_ESERCIZIO", 1},
                              {"ID_MS", 1},
                              {"ID_TECNICO", 1},
                              {"TRIMESTRE", quarter},
                              {"MATRICOLA_MS", "AB1"}});
        ictest::add(vp.tables.misurazioni, {{"ID_MISURAZIONI", 5}, {"MATRICOLA_MS", "VECCHIA"}});
    }
    int open(const std::function<void(Texport_inverifForm&)>& body) {
        return drive<Texport_inverifForm>(interchange::openExportToVerification, body);
    }
    /// Types the verification program's folder, chooses quarter 2 and checks the tables.
    void checkQuarterTwo(Texport_inverifForm& s) {
        ictest::typeInto(s.folderBox(), vp.folder());
        uitest::click(s.quarterButton(2));
        press(s, "verifica presenza di dati");
    }
    QStringList theirSerials() { return ictest::rows(vp.tables.misurazioni, {"MATRICOLA_MS"}); }
};

TEST_F(ExportScreen, WithoutAQuarterOrWithoutTablesThePanelStaysHidden) {
    open([&](Texport_inverifForm& s) {
        EXPECT_EQ(s.yearBox()->value(), 2006);
        EXPECT_TRUE(s.yearBox()->isReadOnly());
        EXPECT_EQ(s.yearBox()->maximum(), QDate::currentDate().year() + 1);
        press(s, "verifica presenza di dati");
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning),
                  QStringList{"Selezionare il trimestre da inviare."});
        uitest::click(s.quarterButton(2));
        press(s, "verifica presenza di dati"); // the initial folder does not exist here
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning).size(), 2);
        EXPECT_FALSE(s.panel()->isVisible());
    });
}

TEST_F(ExportScreen, InviaSendsOnlyAfterTwoYesAnswers) {
    const struct {
        std::vector<bool> answers;
        QStringList serials;
    } cases[] = {{{false}, {"VECCHIA"}}, {{true, false}, {"VECCHIA"}}, {{true, true}, {"AB1"}}};
    for (const auto& c : cases) {
        dialogs.clear();
        for (bool yes : c.answers)
            dialogs.answer(yes);
        const int result = open([&](Texport_inverifForm& s) {
            checkQuarterTwo(s);
            ASSERT_TRUE(s.panel()->isVisible());
            ictest::pressTab(s, "software assistenza");
            EXPECT_EQ(s.findChildren<ui::DataGrid*>()[1]->tableModel().rowCount(), 1);
            press(s, "invia");
        });
        EXPECT_EQ(theirSerials(), c.serials);
        const bool sent = c.serials == QStringList{"AB1"};
        EXPECT_EQ(result, sent ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Information),
                  sent ? QStringList{"Invio svolto con successo."} : QStringList());
    }
    // The shared verifications show every quarter again.
    EXPECT_EQ(data.Tabmisurazioni.recordCount(), 2);
}

TEST_F(ExportScreen, AFailedSendSaysThatNothingChanged) {
    open([&](Texport_inverifForm& s) {
        checkQuarterTwo(s);
        storetest::ReadOnly locked(vp.registerFile("tecnici"));
        dialogs.answer(true);
        dialogs.answer(true);
        ictest::pressTab(s, "software assistenza");
        press(s, "invia");
        const QStringList warnings = dialogs.texts(ui::DialogKind::Warning);
        ASSERT_EQ(warnings.size(), 1);
        EXPECT_TRUE(warnings[0].startsWith("Invio non eseguito: ")) << warnings[0].toStdString();
        EXPECT_TRUE(warnings[0].endsWith("\nNessuna tabella del programma di verifiche periodiche "
                                         "è stata modificata."));
        EXPECT_TRUE(s.isVisible());
    });
    EXPECT_EQ(theirSerials(), QStringList{"VECCHIA"});
}

} // namespace
