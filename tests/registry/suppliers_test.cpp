// The suppliers register as the user meets it: look-up, VAT warning, order, refusals.
#include "registry/fornitoriw.h"
#include "registry/registers_rules.h"
#include "registry_support.h"

#include "ui/dialogs.h"
#include "ui/pagestack.h"

namespace {

using regtest::box;
using regtest::fill;
using regtest::press;

class Suppliers : public regtest::Registers {
protected:
    void supplier(const QString& name, const QString& vat = "12345678903") {
        data.TabFornitori.append();
        data.TabFornitori.field("Ragione_sociale").setAsString(name);
        data.TabFornitori.field("Piva").setAsString(vat);
        data.TabFornitori.post();
    }
    int open(const std::function<void(TfornitoriForm&)>& body) {
        return drive<TfornitoriForm>(registry::openSuppliers, body);
    }
    QVariant storedOf(const QString& name, const QString& field) {
        return stored("fornitori", "Ragione_sociale", name, field);
    }
};

TEST_F(Suppliers, ListAndEditPageShowTheirFieldsInOrder) {
    open([](TfornitoriForm& s) {
        EXPECT_EQ(s.windowTitle(), "Elenco fornitori:");
        EXPECT_EQ(regtest::titles(*s.grid()), (QStringList{"Ragione_sociale", "Piva", "Comune",
                                                           "Provincia", "Indirizzo", "Cap"}));
        for (const char* caption : {"Nuovo", "Modifica", "Chiudi"})
            EXPECT_TRUE(s.button(caption)->isVisible()) << caption;
        const QStringList labels{"Ragione sociale del fornitore",
                                 "Piva",
                                 "Comune",
                                 "Provincia",
                                 "Indirizzo",
                                 "Cap",
                                 "Tel1",
                                 "Tel2",
                                 "Cell1",
                                 "Cell2",
                                 "Cognome nome",
                                 "Email1",
                                 "Email2",
                                 "Fax1",
                                 "Fax2",
                                 "Commenti"};
        for (const QString& label : labels)
            EXPECT_NE(s.fieldBox(label), nullptr) << label.toStdString();
        EXPECT_TRUE(box(s, "Provincia")->isReadOnly());
        EXPECT_TRUE(box(s, "Cap")->isReadOnly());
        EXPECT_FALSE(box(s, "Comune")->isReadOnly());
    });
}

TEST_F(Suppliers, MunicipalityFillsProvinceAndPostcodeOrClearsThem) {
    open([&](TfornitoriForm& s) {
        press(s, "Nuovo");
        EXPECT_EQ(QApplication::focusWidget(), box(s, "Ragione sociale del fornitore"));
        fill(box(s, "Ragione sociale del fornitore"), "ricambi spa");
        fill(box(s, "Comune"), "abano terme");
        EXPECT_EQ(box(s, "Provincia")->text(), "PD");
        EXPECT_EQ(box(s, "Cap")->text(), "35031");
        EXPECT_TRUE(dialogs.texts().isEmpty());

        fill(box(s, "Comune"), "abano termale");
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning),
                  QStringList{"Errore Sul Comune inserito"});
        EXPECT_EQ(box(s, "Provincia")->text(), "");
        EXPECT_EQ(box(s, "Cap")->text(), "");

        fill(box(s, "Comune"), "abano terme");
        press(s, "Ok");
        EXPECT_TRUE(s.pages().isShowing(TfornitoriForm::listPageName));
    });
    EXPECT_EQ(storedOf("RICAMBI SPA", "Comune").toString(), "ABANO TERME");
    EXPECT_EQ(storedOf("RICAMBI SPA", "Provincia").toString(), "PD");
    EXPECT_EQ(storedOf("RICAMBI SPA", "Cap").toString(), "35031");
    EXPECT_EQ(storedOf("RICAMBI SPA", "Id_fornitore").toInt(), 1);
}

TEST_F(Suppliers, LowerCaseMunicipalityWrittenByCodeFindsNothing) {
    // The rule holds for every writer, not only for the screen's capital letters.
    data.TabFornitori.append();
    data.TabFornitori.field("Comune").setAsString("ROMA");
    EXPECT_EQ(data.TabFornitori.field("Provincia").asString(), "RM");
    data.TabFornitori.field("Comune").setAsString("Roma");
    EXPECT_TRUE(data.TabFornitori.field("Provincia").isNull());
    EXPECT_TRUE(data.TabFornitori.field("Cap").isNull());
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning), QStringList{"Errore Sul Comune inserito"});
    data.TabFornitori.cancel();
}

TEST_F(Suppliers, ClearedVatNumberWarnsTakesTheFocusBackAndStillSaves) {
    supplier("RICAMBI SPA");
    open([&](TfornitoriForm& s) {
        press(s, "Modifica");
        fill(box(s, "Piva"), "");
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning), QStringList{"Errore P. Iva"});
        EXPECT_EQ(QApplication::focusWidget(), box(s, "Piva"));
        press(s, "Ok");
        EXPECT_TRUE(s.pages().isShowing(TfornitoriForm::listPageName));
    });
    EXPECT_TRUE(storedOf("RICAMBI SPA", "Piva").isNull());
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning), QStringList{"Errore P. Iva"});
}

TEST_F(Suppliers, WrongVatNumberIsKeptAndValidOneGivesNoWarning) {
    open([&](TfornitoriForm& s) {
        press(s, "Nuovo");
        fill(box(s, "Ragione sociale del fornitore"), "alfa");
        fill(box(s, "Piva"), "12345678901");
        fill(box(s, "Piva"), "12345678903");
        press(s, "Ok");
        press(s, "Nuovo");
        fill(box(s, "Ragione sociale del fornitore"), "beta");
        press(s, "Ok");
    });
    EXPECT_EQ(dialogs.texts(), QStringList{"Errore P. Iva"});
    EXPECT_EQ(storedOf("ALFA", "Piva").toString(), "12345678903");
    EXPECT_TRUE(storedOf("BETA", "Piva").isNull()) << "a never-touched box gives no warning";
}

TEST_F(Suppliers, ListStaysInNameOrderAndANewSupplierTakesItsPlace) {
    supplier("ZETA FORNITURE");
    supplier("ALFA RICAMBI");
    open([&](TfornitoriForm& s) {
        EXPECT_EQ(regtest::column(*s.grid(), 0), (QStringList{"ALFA RICAMBI", "ZETA FORNITURE"}));
        press(s, "Nuovo");
        fill(box(s, "Ragione sociale del fornitore"), "medio srl");
        press(s, "Ok");
        EXPECT_EQ(regtest::column(*s.grid(), 0),
                  (QStringList{"ALFA RICAMBI", "MEDIO SRL", "ZETA FORNITURE"}));
        EXPECT_EQ(s.grid()->currentIndex().row(), 1);
    });
}

TEST_F(Suppliers, CapitalsEverywhereButInTheEmailBoxes) {
    open([&](TfornitoriForm& s) {
        press(s, "Nuovo");
        fill(box(s, "Ragione sociale del fornitore"), "gamma");
        fill(box(s, "Commenti"), "paga a 30 giorni");
        fill(box(s, "Email1"), "Info@Gamma.it");
        fill(box(s, "Email2"), "amministrazione@gamma.it");
        press(s, "Ok");
    });
    EXPECT_EQ(storedOf("GAMMA", "Commenti").toString(), "PAGA A 30 GIORNI");
    EXPECT_EQ(storedOf("GAMMA", "Email1").toString(), "Info@Gamma.it");
    EXPECT_EQ(storedOf("GAMMA", "Email2").toString(), "amministrazione@gamma.it");
}

TEST_F(Suppliers, CancelDropsANewSupplier) {
    open([&](TfornitoriForm& s) {
        press(s, "Nuovo");
        fill(box(s, "Ragione sociale del fornitore"), "delta");
        press(s, "Annulla");
        EXPECT_TRUE(s.pages().isShowing(TfornitoriForm::listPageName));
    });
    EXPECT_EQ(storedCount("fornitori"), 0);
}

TEST_F(Suppliers, CloseBoxRefusedWithItsOwnWordingOnBothPages) {
    bool closed = false;
    open([&](TfornitoriForm& s) {
        EXPECT_FALSE(regtest::closeBox(s));
        press(s, "Nuovo");
        EXPECT_FALSE(s.button("Chiudi")->isVisible());
        EXPECT_FALSE(regtest::closeBox(s));
        press(s, "Annulla");
        press(s, "Chiudi");
        closed = !s.isVisible();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Message),
              (QStringList{"Per chiudere usare il tasto chiudi.",
                           "Per chiudere usare il tasto chiudi."}));
}

} // namespace
