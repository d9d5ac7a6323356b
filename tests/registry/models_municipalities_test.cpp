// The meter models and municipalities registers as the user meets them.
#include "registry/comuniw.h"
#include "registry/misuratoriw.h"
#include "registry/registers_rules.h"
#include "registry_support.h"

#include "ui/pagestack.h"

namespace {

using regtest::box;
using regtest::fill;
using regtest::press;

const QString missingValues = "Per confermare è necessario inserire tutti i valori nei campi";

class MeterModels : public regtest::Registers {
protected:
    void model(const QString& brand, const QString& name, const QString& logotype) {
        data.Tabms.append();
        data.Tabms.field("Marchio_ms").setAsString(brand);
        data.Tabms.field("Denominazione_ms").setAsString(name);
        data.Tabms.field("Logotipo_ms").setAsString(logotype);
        data.Tabms.post();
    }
    int open(const std::function<void(TmisuratoriForm&)>& body) {
        return drive<TmisuratoriForm>(registry::openMeterModels, body);
    }
};

TEST_F(MeterModels, ListShowsCaptionTitlesAndButtons) {
    model("OLIVETTI", "NETTUNA 200", "OL");
    open([](TmisuratoriForm& s) {
        EXPECT_EQ(s.windowTitle(), "Elenco misuratori");
        EXPECT_TRUE(s.pages().isShowing(TmisuratoriForm::listPageName));
        EXPECT_EQ(
            regtest::titles(*s.grid()),
            (QStringList{"Marchio misuratore", "Denominazione misuratore", "Logotipo misuratore"}));
        EXPECT_EQ(regtest::column(*s.grid(), 1), QStringList{"NETTUNA 200"});
        for (const char* caption : {"Nuovo", "Modifica", "chiudi"})
            EXPECT_TRUE(s.button(caption)->isVisible()) << caption;
        EXPECT_FALSE(s.button("OK")->isVisible());
    });
}

TEST_F(MeterModels, EmptyLogotypeIsRefusedAndNothingIsPosted) {
    open([&](TmisuratoriForm& s) {
        press(s, "Nuovo");
        ASSERT_TRUE(s.pages().isShowing(TmisuratoriForm::editPageName));
        EXPECT_EQ(QApplication::focusWidget(), box(s, "Marchio misuratore"));
        fill(box(s, "Marchio misuratore"), "olivetti");
        fill(box(s, "Denominazione misuratore"), "nettuna");
        press(s, "OK");
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning), QStringList{missingValues});
        EXPECT_TRUE(s.pages().isShowing(TmisuratoriForm::editPageName));
        EXPECT_EQ(data.Tabms.state(), store::DataSetState::Insert);
        EXPECT_EQ(storedCount("ms"), 0);

        press(s, "Annulla");
        EXPECT_TRUE(s.pages().isShowing(TmisuratoriForm::listPageName));
        EXPECT_EQ(data.Tabms.state(), store::DataSetState::Browse);
    });
    EXPECT_EQ(storedCount("ms"), 0);
}

TEST_F(MeterModels, CompleteModelIsStoredInCapitalsWithTheNextIdentifier) {
    model("RCH", "ONDA", "RC");
    open([&](TmisuratoriForm& s) {
        press(s, "Nuovo");
        fill(box(s, "Marchio misuratore"), "olivetti");
        fill(box(s, "Denominazione misuratore"), "nettuna 200");
        fill(box(s, "Logotipo misuratore"), "ol");
        press(s, "OK");
        EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
        EXPECT_TRUE(s.pages().isShowing(TmisuratoriForm::listPageName));
    });
    EXPECT_EQ(storedCount("ms"), 2);
    EXPECT_EQ(stored("ms", "Id_ms", 2, "Marchio_ms").toString(), "OLIVETTI");
    EXPECT_EQ(stored("ms", "Id_ms", 2, "Denominazione_ms").toString(), "NETTUNA 200");
    EXPECT_EQ(stored("ms", "Id_ms", 2, "Logotipo_ms").toString(), "OL");
}

TEST_F(MeterModels, ModifyChangesTheSelectedModelAndCancelKeepsIt) {
    model("RCH", "ONDA", "RC");
    open([&](TmisuratoriForm& s) {
        press(s, "Modifica");
        EXPECT_EQ(data.Tabms.state(), store::DataSetState::Edit);
        fill(box(s, "Denominazione misuratore"), "onda due");
        press(s, "Annulla");
        EXPECT_EQ(stored("ms", "Id_ms", 1, "Denominazione_ms").toString(), "ONDA");
        EXPECT_EQ(box(s, "Denominazione misuratore")->text(), "ONDA");
        press(s, "Modifica");
        fill(box(s, "Denominazione misuratore"), "onda due");
        press(s, "OK");
    });
    EXPECT_EQ(stored("ms", "Id_ms", 1, "Denominazione_ms").toString(), "ONDA DUE");
}

TEST_F(MeterModels, CloseBoxIsRefusedOnBothPagesAndChiudiCloses) {
    bool closedByButton = false;
    open([&](TmisuratoriForm& s) {
        EXPECT_FALSE(regtest::closeBox(s));
        press(s, "Nuovo");
        EXPECT_FALSE(regtest::closeBox(s));
        press(s, "Annulla");
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Message),
                  (QStringList{"Per uscire dalla finestra usare i tasti opportuni",
                               "Terminare la fase di inserimento con i tasti di conferma"}));
        press(s, "chiudi");
        closedByButton = !s.isVisible();
    });
    EXPECT_TRUE(closedByButton);
}

class Municipalities : public regtest::Registers {
protected:
    int open(const std::function<void(TcomuniForm&)>& body) {
        return drive<TcomuniForm>(registry::openMunicipalities, body);
    }
};

TEST_F(Municipalities, ListInNaturalOrderWithFieldNamesAsTitles) {
    open([](TcomuniForm& s) {
        EXPECT_EQ(s.windowTitle(), "comuniForm");
        EXPECT_EQ(regtest::titles(*s.grid()),
                  (QStringList{"COMUNE", "PROVINCIAI", "CODICEFISC", "CAP"}));
        const QStringList names = regtest::column(*s.grid(), 0);
        ASSERT_GT(names.size(), 7000);
        EXPECT_EQ(names.first(), "ABANO TERME");
        for (const char* caption : {"Nuovo", "Modifica", "Chiudi"})
            EXPECT_TRUE(s.button(caption)->isVisible()) << caption;
    });
}

TEST_F(Municipalities, NewMunicipalityIsStoredWithoutChecks) {
    const int before = storedCount("COMUNI");
    open([&](TcomuniForm& s) {
        press(s, "Nuovo");
        EXPECT_EQ(QApplication::focusWidget(), box(s, "COMUNE"));
        fill(box(s, "COMUNE"), "borgo nuovo");
        fill(box(s, "PROVINCIAI"), "zz");
        press(s, "Ok");
        EXPECT_TRUE(s.pages().isShowing(TcomuniForm::listPageName));
    });
    EXPECT_EQ(storedCount("COMUNI"), before + 1);
    EXPECT_EQ(stored("COMUNI", "COMUNE", "BORGO NUOVO", "PROVINCIAI").toString(), "ZZ");
    EXPECT_TRUE(stored("COMUNI", "COMUNE", "BORGO NUOVO", "CAP").isNull());
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(Municipalities, CloseBoxClosesAtOnceAndDropsAHalfTypedRecord) {
    const int before = storedCount("COMUNI");
    bool closed = false;
    open([&](TcomuniForm& s) {
        press(s, "Nuovo");
        fill(box(s, "COMUNE"), "a meta");
        closed = regtest::closeBox(s);
    });
    EXPECT_TRUE(closed);
    EXPECT_TRUE(dialogs.texts().isEmpty());
    EXPECT_EQ(data.Tabcomuni.state(), store::DataSetState::Browse);
    // The next user of the shared object must not post it either.
    data.Tabcomuni.first();
    EXPECT_EQ(storedCount("COMUNI"), before);
}

TEST_F(Municipalities, EscapeClosesAndDropsAHalfTypedRecordToo) {
    const int before = storedCount("COMUNI");
    bool closed = false;
    open([&](TcomuniForm& s) {
        press(s, "Nuovo");
        fill(box(s, "COMUNE"), "a meta");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QApplication::processEvents();
        closed = !s.isVisible();
    });
    EXPECT_TRUE(closed);
    data.Tabcomuni.first();
    EXPECT_EQ(storedCount("COMUNI"), before);
}

} // namespace
