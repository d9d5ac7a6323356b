// The wording lists, the document types and the payment terms as the user keeps them.
#include "documents/tipodocw.h"
#include "documents/wordingw.h"
#include "documents_support.h"
#include "registry/registry_support.h"
#include "ui/grid.h"

#include <QTemporaryDir>

using namespace doctest;
using regtest::press;

namespace {

class Lists : public regtest::Registers {
protected:
    template <class Screen>
    void onScreen(const std::function<int(Tdm&)>& open, const std::function<void(Screen&)>& body) {
        drive<Screen>(open, body);
    }
    void shoot(QWidget& screen, const QString& name) {
        if (!qEnvironmentVariableIsSet("UI_SNAPSHOT_DIR"))
            return;
        QApplication::processEvents();
        EXPECT_TRUE(screen.grab().toImage().save(qEnvironmentVariable("UI_SNAPSHOT_DIR") + "/" +
                                                 name + ".png"));
    }
};

// One shape, eight lists: each its own title, empty-box message and close refusal.
TEST_F(Lists, EachWordingListKeepsItsOwnWordsOnTheOneShape) {
    const struct {
        WordingList list;
        const char* table;
        const char* title;
        const char *newCaption, *okCaption;
        const char* empty;
        const char* refusal; ///< empty: closes any way
        const char* typed;
        const char* stored;
    } cases[] = {
        {WordingList::FinalText, "stringa_finale", "stringa_finaleform", "nuovo", "ok",
         "inserire la descrizione", "per uscire usare il tasto chiudi", "conai", "CONAI"},
        {WordingList::TransportMeans, "trasporto_mezzo", "trasporto_amezzoForm", "nuovo", "ok",
         "inserire la descrizione", "per uscire usare il tasto chiudi", "mittente", "MITTENTE"},
        {WordingList::OuterAspect, "aspetto_esteriore", "Aspetto esteriore dei beni:", "nuovo",
         "ok", "inserire la descrizione", "usare il tasto chiudi per uscire dalla finestra", "a",
         "A"},
        {WordingList::TransportReason, "causale_trasporto", "Causale trasporto:", "nuovo", "ok",
         "inserire una descrizione", "", "Vendita", "Vendita"},
        {WordingList::Notes, "varie_annotazioni", "Varie e annotazioni:", "nuovo", "OK",
         "inserire una descrizione", " usare il tasto chiudi per uscire", "x", "X"},
        {WordingList::Carrier, "vettore", "vettoreform", "Nuovo", "OK", "inserire la descrizione",
         "per uscire usare il tasto chiudi", "bartolini", "BARTOLINI"},
        {WordingList::LineWordings, "diciture_tipiche", "diciture tipiche nei documenti:", "nuovo",
         "OK", "inserire la descrizione", "per uscire usare i tasti seleziona o chiudi", "canone",
         "CANONE"},
        {WordingList::MovementWordings, "diciture_tipiche", "diciture_tip2form", "nuovo", "ok",
         "inserire una descrizione", "per uscire usare i tasti chiudi o seleziona", "Canone",
         "Canone"},
    };
    for (const auto& c : cases) {
        dialogs.clear();
        const int before = storedCount(c.table);
        onScreen<TwordingForm>([&](Tdm& d) { return documents::openWordingList(d, c.list); },
                               [&](TwordingForm& s) {
                                   EXPECT_EQ(s.windowTitle(), c.title);
                                   press(s, c.newCaption);
                                   press(s, c.okCaption);
                                   QStringList said{c.empty};
                                   EXPECT_EQ(regtest::closeBox(s), !*c.refusal) << c.title;
                                   if (*c.refusal)
                                       said << c.refusal;
                                   EXPECT_EQ(dialogs.texts(), said) << c.title;
                                   if (!s.isVisible())
                                       return;
                                   regtest::fill(s.box("Descrizione"), c.typed);
                                   press(s, c.okCaption);
                                   if (c.list == WordingList::Carrier)
                                       shoot(s, "wording-list");
                                   press(s, "chiudi");
                               });
        if (*c.refusal) {
            EXPECT_EQ(stored(c.table, "Id", before + 1, "Descrizione").toString(), c.stored)
                << c.title;
        }
    }
}

TEST_F(Lists, PickedWordingGoesIntoTheAskedTextOfTheMovementOnly) {
    add(data.Tabdiciture, {{"Descrizione", "CANONE ANNUO"}});
    add(data.Tabmov, {{"Id", 9}, {"Da_fatt1", "UNO"}, {"Da_fatt3", "TRE"}});
    data.Tabmov.edit();
    const int answer = drive<TwordingForm>([](Tdm& d) { return documents::pickWording(d, 3); },
                                           [](TwordingForm& s) { press(s, "seleziona"); });
    EXPECT_EQ(answer, QDialog::Accepted);
    EXPECT_EQ(data.Tabmov.field("Da_fatt1").asString(), "UNO");
    EXPECT_EQ(data.Tabmov.field("Da_fatt3").asString(), "CANONE ANNUO");
}

TEST_F(Lists, DocumentTypeInUseCannotBeDeleted) {
    data.Tabdoc.append();
    data.Tabdoc.field("Id_tipodoc").setAsInteger(invoice);
    data.Tabdoc.post();
    drive<Ttipodocform>(documents::openDocumentTypes, [&](Ttipodocform& s) {
        const auto& model = s.grid()->tableModel();
        EXPECT_EQ(model.data(model.index(0, 0), Qt::ForegroundRole).value<QColor>(),
                  QColor(Qt::red));
        shoot(s, "document-types");
        press(s, "elimina"); // FATTURA, used by the document
        dialogs.answer(true);
        data.Tab_tipodoc.last();
        press(s, "elimina");
        EXPECT_EQ(dialogs.texts(),
                  (QStringList{"IMPOSSIBILE Eliminare. Documento in uso.", "?", "Eliminato."}));
        EXPECT_FALSE(regtest::closeBox(s));
        press(s, "chiudi");
    });
    EXPECT_EQ(storedCount("tipo_doc"), 1);
}

TEST_F(Lists, PaymentTermsNeedADescription) {
    drive<Ttipo_pagForm>(documents::openPaymentTerms, [&](Ttipo_pagForm& s) {
        press(s, "Nuovo");
        press(s, "OK");
        EXPECT_FALSE(regtest::closeBox(s));
        regtest::fill(s.box("Descrizione"), "rimessa diretta");
        shoot(s, "payment-terms");
        press(s, "OK");
        EXPECT_FALSE(regtest::closeBox(s));
        EXPECT_EQ(dialogs.texts(),
                  (QStringList{"Inserire la descrizione",
                               "Terminare la fase di inserimento, prima di chiudere",
                               "usare il tasto chiudi per uscire dalla finestra"}));
        press(s, "Chiudi");
    });
    EXPECT_EQ(stored("tipi_pagamento", "Id", 1, "Descrizione").toString(), "RIMESSA DIRETTA");
}

} // namespace
