// The boxes of the electronic invoice's data on the customer and obliged-subject screens: what
// is typed there is checked at "OK" and lands in the year's additional table.
#include "einvoice/additional_data.h"
#include "registry/eserciziow.h"
#include "registry/soggettow.h"
#include "registry_support.h"
#include "ui/pagestack.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

using regtest::fill;
using regtest::press;

class InvoiceBoxes : public regtest::Registers {
protected:
    einvoice::Values additional(einvoice::Owner owner, int id) {
        return einvoice::AdditionalData(year.path()).values(owner, id);
    }
};

TEST_F(InvoiceBoxes, CustomerRecipientCodeIsCheckedStoredAndShownAgain) {
    drive<TesercizioForm>([](Tdm& d) { return registry::openCustomers(d); },
                          [&](TesercizioForm& s) {
                              press(s, "Nuovo/F8");
                              fill(s.box("Ragione_sociale"), "BAR SPORT");
                              fill(s.box("Piva"), "12345678903");
                              fill(s.box("Comune"), "ROMA");
                              fill(s.box("Indirizzo"), "VIA APPIA 2");
                              fill(s.invoiceBox("Codice_dest"), "m5ux");
                              fill(s.invoiceBox("Pec"), "bar.sport@pec.it");
                              press(s, "OK");
                              EXPECT_EQ(
                                  dialogs.texts(),
                                  QStringList{"Il codice destinatario è di 7 lettere o cifre."});
                              EXPECT_EQ(QApplication::focusWidget(), s.invoiceBox("Codice_dest"));
                              EXPECT_EQ(storedCount("esercizio"), 0);
                              fill(s.invoiceBox("Codice_dest"), "m5uxcr1");
                              press(s, "OK");
                              ASSERT_TRUE(s.pages().isShowing(TesercizioForm::listPageName));
                              press(s, "Modifica/F9");
                              EXPECT_EQ(s.invoiceBox("Codice_dest")->text(), "M5UXCR1");
                              press(s, "Annulla");
                              press(s, "chiudi");
                          });
    const int id = stored("esercizio", "Piva", "12345678903", "Id_esercizio").toInt();
    const einvoice::Values v = additional(einvoice::Owner::Customer, id);
    EXPECT_EQ(v.at("Codice_dest"), "M5UXCR1");
    EXPECT_EQ(v.at("Pec"), "BAR.SPORT@PEC.IT");
    EXPECT_EQ(v.at("Codice_fiscale"), "");
}

TEST_F(InvoiceBoxes, ADeletedCustomerTakesItsDataAlongSoNoNewOneInheritsThem) {
    data.Tab_ese2.append();
    data.Tab_ese2.field("Ragione_sociale").setAsString("BAR SPORT");
    data.Tab_ese2.post();
    const int id = data.Tab_ese2.field("Id_esercizio").asInteger();
    einvoice::AdditionalData(year.path())
        .store(einvoice::Owner::Customer, id, {{"Codice_dest", "M5UXCR1"}});
    data.Tabesercizio.refresh();
    dialogs.answer(true);
    drive<TesercizioForm>([](Tdm& d) { return registry::openCustomers(d); },
                          [&](TesercizioForm& s) {
                              press(s, "elimina");
                              press(s, "Nuovo/F8");
                              EXPECT_EQ(data.Tabesercizio.field("Id_esercizio").asInteger(), id);
                              EXPECT_EQ(s.invoiceBox("Codice_dest")->text(), "");
                              press(s, "Annulla");
                              press(s, "chiudi");
                          });
    EXPECT_EQ(additional(einvoice::Owner::Customer, id).at("Codice_dest"), "");
}

TEST_F(InvoiceBoxes, WorkshopTaxRegimeSeatAndNatureAreStoredWithTheSubject) {
    drive<Tsoggettoform>([](Tdm& d) { return registry::openObligedSubject(d); },
                         [&](Tsoggettoform& s) {
                             press(s, "Modifica");
                             EXPECT_EQ(s.invoiceBox("Regime_fiscale")->placeholderText(), "RF01");
                             fill(s.editBox("Piva"), "01234567897");
                             uitest::click(s.kindButton("Persona Giuridica"));
                             fill(s.editBox("Denominazione"), "CASSE ROSSI SRL");
                             fill(s.editBox("Comune fiscale"), "TORINO");
                             fill(s.invoiceBox("Regime_fiscale"), "rf19");
                             fill(s.invoiceBox("Indirizzo"), "corso francia 10");
                             fill(s.invoiceBox("Cap"), "10138");
                             fill(s.invoiceBox("Natura"), "N8");
                             press(s, "OK");
                             EXPECT_TRUE(s.editing());
                             EXPECT_EQ(dialogs.texts(),
                                       QStringList{"La natura IVA è uno dei codici N1, N2, N3, "
                                                   "N4, N5, N6, N7."});
                             fill(s.invoiceBox("Natura"), "n4");
                             press(s, "OK");
                             EXPECT_FALSE(s.editing());
                             press(s, "chiudi");
                         });
    const int id = stored("soggetto_obbligato", "Piva", "01234567897", "Id_sogg_obbl").toInt();
    const einvoice::Values v = additional(einvoice::Owner::Workshop, id);
    EXPECT_EQ(v.at("Regime_fiscale"), "RF19");
    EXPECT_EQ(v.at("Indirizzo"), "CORSO FRANCIA 10");
    EXPECT_EQ(v.at("Cap"), "10138");
    EXPECT_EQ(v.at("Natura"), "N4");
}

} // namespace
