// The obliged-subject screen: the person-kind locks, the silent save, the authorisations.
#include "registry/obliged_subject_rules.h"
#include "registry/soggettow.h"
#include "registry_support.h"

#include "ui/dialogs.h"

#include "ui/dbchoice.h"

#include <QRadioButton>

namespace {

using regtest::fill;
using regtest::press;

const QString kRefusal = "Per confermare è necessario inserire tutti i valori nei campi";

class ObligedSubject : public regtest::Registers {
protected:
    /// Opens the screen; `dialog`, when given, drives the authorisation dialog.
    void open(const std::function<void(Tsoggettoform&)>& body,
              const std::function<void(Tlsogg_form&)>& dialog = {}) {
        ui::ModalHookScope hook([&](QDialog& shown) {
            if (auto* form = qobject_cast<Tlsogg_form*>(&shown)) {
                ASSERT_TRUE(dialog);
                dialog(*form);
                return;
            }
            auto* screen = qobject_cast<Tsoggettoform*>(&shown);
            ASSERT_NE(screen, nullptr);
            body(*screen);
        });
        registry::openObligedSubject(data);
    }
    static bool locked(QWidget* box) {
        if (auto* edit = qobject_cast<ui::DbEdit*>(box))
            return edit->isReadOnly();
        return qobject_cast<ui::DbComboBox*>(box)->isReadOnly();
    }
};

TEST_F(ObligedSubject, PersonaFisicaLocksTheLegalPersonBoxes) {
    open([&](Tsoggettoform& s) {
        press(s, "Nuova abilitazione");
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Information),
                  QStringList{"Inserire prima i dati generali sul soggetto obbligato tramite il "
                              "bottone modifica in alto."});
        press(s, "Modifica");
        ASSERT_TRUE(s.editing());
        for (const char* caption : {"Denominazione", "Comune fiscale", "Cognome", "Nome"})
            EXPECT_TRUE(locked(s.editBox(caption))) << caption << " locked before the choice";
        uitest::click(s.kindButton("Persona Fisica"));
        EXPECT_EQ(data.Tabsoggetto.field("PG_PF").asString(), "1");
        for (const char* caption :
             {"Denominazione", "Comune fiscale", "Prov. fiscale", "Prov. nascita"})
            EXPECT_TRUE(locked(s.editBox(caption))) << caption;
        for (const char* caption : {"Cognome", "Nome", "Comune nascita", "Data nascita", "sesso"})
            EXPECT_FALSE(locked(s.editBox(caption))) << caption;
        EXPECT_EQ(s.editBox("Denominazione")->palette().color(QPalette::Base),
                  QColor(192, 192, 192));
        uitest::click(s.kindButton("Persona Giuridica"));
        EXPECT_FALSE(locked(s.editBox("Denominazione")));
        EXPECT_TRUE(locked(s.editBox("Cognome")));
        press(s, "Annulla");
    });
}

TEST_F(ObligedSubject, IncompleteSubjectStaysWithoutAWord) {
    open([&](Tsoggettoform& s) {
        press(s, "Modifica");
        fill(s.editBox("Piva"), "12345678903");
        uitest::click(s.kindButton("Persona Giuridica"));
        fill(s.editBox("Denominazione"), "LABORATORIO");
        fill(s.editBox("Comune fiscale"), "NESSUNO");
        press(s, "OK");
        EXPECT_TRUE(s.editing()) << "no province for an unknown municipality";
        EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
        press(s, "Annulla");
    });
    EXPECT_EQ(storedCount("soggetto_obbligato"), 0);
}

TEST_F(ObligedSubject, AuthorisationWithoutSealIsRefusedAndOneWithItIsListed) {
    data.Tabsoggetto.append();
    data.Tabsoggetto.field("Piva").setAsString("12345678903");
    data.Tabsoggetto.post();
    bool refused = false;
    open(
        [&](Tsoggettoform& s) {
            press(s, "Nuova abilitazione");
            EXPECT_TRUE(refused);
            EXPECT_EQ(s.authorisations()->tableModel().rowCount(), 1);
            EXPECT_EQ(regtest::column(*s.authorisations(), 1), QStringList{"AB12"});
            press(s, "chiudi");
        },
        [&](Tlsogg_form& form) {
            auto* kind = form.findChild<ui::DbComboBox*>();
            kind->setFocus();
            QTest::keyClick(kind, Qt::Key_Down);
            press(form, "Ok");
            refused = form.isVisible() && dialogs.texts() == QStringList{kRefusal};
            fill(form.findChild<ui::DbEdit*>(), "ab12");
            press(form, "Ok");
        });
    EXPECT_EQ(storedCount("Lsoggetto_obbligato"), 1);
    EXPECT_EQ(stored("Lsoggetto_obbligato", "Id_al_sigillo", "AB12", "Id_sogg"),
              data.Tabsoggetto.field("Id_sogg_obbl").value());
}

TEST_F(ObligedSubject, AuthorisationOfATechnicianCannotBeDeleted) {
    data.Tabsoggetto.append();
    data.Tabsoggetto.post();
    data.TabLsogg.append();
    data.TabLsogg.field("Tipo_abilitazione").setAsString("3");
    data.TabLsogg.field("Id_al_sigillo").setAsString("X1");
    data.TabLsogg.post();
    const int id = data.TabLsogg.field("Id_Lsogg").asInteger();
    data.Tabtecnico.append();
    data.Tabtecnico.field("Id_sogg").setAsInteger(id);
    data.Tabtecnico.post();
    open([&](Tsoggettoform& s) {
        dialogs.answer(true);
        press(s, "Elimina");
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning),
                  QStringList{"Eliminazione impossibile. Eliminare prima i tecnici legati a "
                              "questa abilitazione."});
        press(s, "chiudi");
    });
    EXPECT_EQ(storedCount("Lsoggetto_obbligato"), 1);
}

} // namespace
