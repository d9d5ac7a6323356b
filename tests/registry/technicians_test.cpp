// The technicians register as the user meets it: the fiscal code follows the personal data,
// the save refuses an incomplete enabled technician, verifications protect a technician.
#include "registry/codfis.h"
#include "registry/technician_rules.h"
#include "registry/tecnicow.h"
#include "registry_support.h"

#include "ui/dialogs.h"
#include "ui/gridmodel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>

namespace {

using regtest::box;
using regtest::fill;
using regtest::press;

const QString kRefusal = "Per confermare è necessario inserire tutti i valori nei campi";

class Technicians : public regtest::Registers {
protected:
    void SetUp() override {
        Registers::SetUp();
        municipality("ROMA", "RM", "H501");
    }
    void municipality(const QString& name, const QString& province, const QString& code) {
        data.Tabcomuni.append();
        data.Tabcomuni.field("COMUNE").setAsString(name);
        data.Tabcomuni.field("PROVINCIAI").setAsString(province);
        data.Tabcomuni.field("CODICEFISC").setAsString(code);
        data.Tabcomuni.post();
    }
    /// A posted technician, not enabled, with complete personal data; answers its identifier.
    int technician(const QString& surname, bool enabled = false, QDate end = {}) {
        store::Table& t = data.Tabtecnico;
        t.append();
        t.field("Vf_sn").setAsBoolean(enabled);
        t.field("Cognome").setAsString(surname);
        t.field("Nome").setAsString("MARIO");
        t.field("Sesso").setAsString("M");
        t.field("Data_nascita").setAsDate(QDate(1983, 3, 5));
        t.field("Comune_nascita").setAsString("ROMA");
        if (end.isValid())
            t.field("Data_fine").setAsDate(end);
        t.post();
        return t.field("Id_tecnico").asInteger();
    }
    /// Opens the screen; the kind chooser, when it comes, is confirmed as it stands.
    void open(const std::function<void(TtecnicoForm&)>& body) {
        ui::ModalHookScope hook([&](QDialog& shown) {
            if (auto* chooser = qobject_cast<Ttipo_tecnicoForm*>(&shown)) {
                press(*chooser, "OK");
                return;
            }
            auto* screen = qobject_cast<TtecnicoForm*>(&shown);
            ASSERT_NE(screen, nullptr);
            body(*screen);
        });
        registry::openTechnicians(data);
    }
    QString field(const char* name) { return data.Tabtecnico.field(name).asString(); }
    QWidget* verificationBox(TtecnicoForm& s, const QString& label) {
        auto* form = static_cast<QFormLayout*>(s.verificationPanel()->layout());
        for (int row = 0; row < form->rowCount(); ++row) {
            auto* caption =
                qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)->widget());
            if (caption && caption->text() == label)
                return form->itemAt(row, QFormLayout::FieldRole)->widget();
        }
        return nullptr;
    }
};

TEST_F(Technicians, TypingTheSurnameFirstGivesTheMissingNameCode) {
    open([&](TtecnicoForm& s) {
        press(s, "Nuovo");
        ASSERT_TRUE(s.editing());
        EXPECT_TRUE(s.verificationPanel()->isVisible()) << "a new technician is enabled";
        fill(box(s, "Cognome"), "rossi");
        EXPECT_EQ(field("Cognome"), "ROSSI");
        EXPECT_EQ(field("Cf"), "5");
        EXPECT_EQ(field("Cogn_nome"), "ROSSI ");
        press(s, "Annulla");
    });
    EXPECT_EQ(storedCount("tecnici"), 0);
}

TEST_F(Technicians, CompletingThePersonalDataGivesTheSixteenCharacters) {
    open([&](TtecnicoForm& s) {
        press(s, "Nuovo");
        fill(box(s, "Cognome"), "ROSSI");
        fill(box(s, "Nome"), "MARIO");
        auto* sex = qobject_cast<QComboBox*>(s.fieldBox("Sesso"));
        ASSERT_NE(sex, nullptr);
        sex->setFocus();
        QTest::keyClick(sex, Qt::Key_Down);
        EXPECT_EQ(field("Sesso"), "M");
        fill(s.fieldBox("Data nascita"), "05/03/1983");
        EXPECT_EQ(field("Cf"), "8") << "no municipality yet: no code from a stale one";
        fill(box(s, "Comune nascita"), "ROMA");
        EXPECT_EQ(field("Prov_nascita"), "RM");
        EXPECT_EQ(field("Cf"),
                  registry::Tcodfis::CalcolaCodice("ROSSI", "MARIO", "H501", QDate(1983, 3, 5),
                                                   registry::TSesso::M));
        EXPECT_TRUE(field("Cf").startsWith("RSSMRA83C05H501"));
        EXPECT_EQ(field("Cf").size(), 16);
        EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
        press(s, "Annulla");
    });
}

TEST_F(Technicians, UnlockedCodeTypedBeforeAnyComputationWarnsAndKeepsItsBox) {
    open([&](TtecnicoForm& s) {
        press(s, "Nuovo");
        ui::DbEdit* code = box(s, "Codice Fiscale");
        EXPECT_TRUE(code->isReadOnly());
        press(s, "Sblocca");
        EXPECT_FALSE(code->isReadOnly());
        fill(code, "rssmra83c05h501");
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning), QStringList{"Errore codice Fiscale"});
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), code) << "the focus comes back";
        EXPECT_EQ(field("Cf"), "RSSMRA83C05H501");
        press(s, "Annulla");
    });
}

TEST_F(Technicians, EnabledTechnicianWithoutSealOrStartDateIsRefused) {
    open([&](TtecnicoForm& s) {
        press(s, "Nuovo");
        fill(box(s, "Cognome"), "ROSSI");
        fill(box(s, "Nome"), "MARIO");
        auto* sex = qobject_cast<QComboBox*>(s.fieldBox("Sesso"));
        sex->setFocus();
        QTest::keyClick(sex, Qt::Key_Down);
        fill(s.fieldBox("Data nascita"), "05/03/1983");
        fill(box(s, "Comune nascita"), "ROMA");
        fill(verificationBox(s, "Id numerico del sigillo"), "12");
        press(s, "OK");
        EXPECT_TRUE(s.editing());
        EXPECT_EQ(dialogs.texts(), QStringList{kRefusal});
        // Not enabled, the same technician needs no seal and no dates.
        press(s, "cambia tipo tecnico");
        EXPECT_FALSE(s.verificationPanel()->isVisible());
        press(s, "OK");
        EXPECT_FALSE(s.editing());
        press(s, "chiudi");
    });
    EXPECT_EQ(storedCount("tecnici"), 1);
}

TEST_F(Technicians, UnknownMunicipalityNeverLeavesAStaleCode) {
    technician("ROSSI");
    store::Table& t = data.Tabtecnico;
    EXPECT_EQ(t.field("Cf").asString().size(), 16);
    t.edit();
    t.field("Comune_nascita").setAsString("Roma");
    EXPECT_EQ(t.field("Prov_nascita").asString(), "RM") << "an unknown name keeps the province";
    EXPECT_EQ(t.field("Cf").asString(), "8");
    EXPECT_FALSE(registry::technicianComplete(data)) << "a result code is no fiscal code";
    t.field("Id_nu_sigillo").setAsString("77");
    EXPECT_EQ(t.field("Cogn_no_sigillo").asString(), "ROSSI MARIO 77");
    t.cancel();
}

TEST_F(Technicians, VerificationsAreCheckedBeforeMovements) {
    const int id = technician("ROSSI");
    data.Tabmov.append();
    data.Tabmov.field("ID_TECNICO").setAsInteger(id);
    data.Tabmov.post();
    EXPECT_EQ(registry::technicianDeleteRefusal(data, id),
              "Eliminazione impossibile. Eliminare prima i movimenti fatti da questo tecnico.");
    data.Tabmisurazioni.append();
    data.Tabmisurazioni.field("ID_MISURAZIONI").setAsInteger(1);
    data.Tabmisurazioni.field("ID_ESERCIZIO").setAsInteger(1);
    data.Tabmisurazioni.field("ID_MS").setAsInteger(1);
    data.Tabmisurazioni.field("ID_TECNICO").setAsInteger(id);
    data.Tabmisurazioni.post();
    open([&](TtecnicoForm& s) {
        dialogs.answer(true);
        press(s, "Elimina");
        EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning),
                  QStringList{"Eliminazione impossibile. Eliminare prima le verificazioni fatte "
                              "da questo tecnico."});
        press(s, "chiudi");
    });
    EXPECT_EQ(storedCount("tecnici"), 1);
}

TEST_F(Technicians, RowsAreBlueWhenEnabledAndGreyOnceTheCollaborationEnded) {
    technician("AAA", true, QDate::currentDate().addDays(-1));
    technician("BBB", false, QDate::currentDate());
    open([&](TtecnicoForm& s) {
        const auto& model = s.grid()->tableModel();
        ASSERT_EQ(model.rowCount(), 2);
        EXPECT_EQ(model.data(model.index(0, 0), Qt::ForegroundRole).value<QColor>(),
                  QColor(0, 0, 255));
        EXPECT_EQ(model.data(model.index(0, 0), Qt::BackgroundRole).value<QColor>(),
                  QColor(128, 128, 128));
        EXPECT_FALSE(model.data(model.index(1, 0), Qt::BackgroundRole).value<QColor>().isValid());
        EXPECT_EQ(regtest::titles(*s.grid()).mid(0, 4),
                  (QStringList{"Cognome e nome", "Codice Fiscale", "Id alfanumerico del sigillo",
                               "Id numerico del sigillo"}));
        press(s, "chiudi");
    });
}

} // namespace
