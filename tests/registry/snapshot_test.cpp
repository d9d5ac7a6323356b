// Renders every register screen to PNG, to look at what users will see; the README's pictures
// in docs/screens come from here. The pictures go to $UI_SNAPSHOT_DIR when set, else to a
// temporary folder.
#include "registry/comuniw.h"
#include "registry/eserciziow.h"
#include "registry/fornitoriw.h"
#include "registry/misuratoriw.h"
#include "registry/soggettow.h"
#include "registry/tecnicow.h"
#include "registry/tipicontrattiw.h"
#include "registry/tipomovw.h"
#include "registry_support.h"

#include <QTemporaryDir>

namespace {

using regtest::press;

class Snapshots : public regtest::Registers {
protected:
    QTemporaryDir temporary;
    QString folder;

    void SetUp() override {
        Registers::SetUp();
        folder = qEnvironmentVariableIsSet("UI_SNAPSHOT_DIR")
                     ? qEnvironmentVariable("UI_SNAPSHOT_DIR")
                     : temporary.path();
    }
    void shoot(QWidget& screen, const QString& name) {
        QApplication::processEvents();
        const QImage shot = screen.grab().toImage();
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(folder + "/" + name + ".png"));
    }
    void supplier(const QString& name, const QString& vat, const QString& town,
                  const QString& street) {
        data.TabFornitori.append();
        data.TabFornitori.field("Ragione_sociale").setAsString(name);
        data.TabFornitori.field("Piva").setAsString(vat);
        data.TabFornitori.field("Comune").setAsString(town);
        data.TabFornitori.field("Indirizzo").setAsString(street);
        data.TabFornitori.field("Tel1").setAsString("049 123456");
        data.TabFornitori.field("Email1").setAsString("ordini@fornitore.it");
        data.TabFornitori.post();
    }
    void customers() {
        const struct {
            const char *name, *vat, *town, *street, *phone, *contact;
        } shops[] = {
            {"BAR SPORT DI ROSSI MARIO", "12345678903", "ROMA", "VIA APPIA NUOVA 12", "06 5551234",
             "ROSSI MARIO"},
            {"TABACCHERIA CENTRALE", "01234567897", "MILANO", "CORSO BUENOS AIRES 40", "02 4443322",
             "BIANCHI LUCIA"},
            {"PANIFICIO VERDI & FIGLI SNC", "11111111115", "TORINO", "VIA GARIBALDI 7",
             "011 778899", "VERDI GIUSEPPE"},
            {"FARMACIA SAN MARCO", "09876543217", "BARI", "PIAZZA MERCANTILE 3", "080 5210000",
             "DE SANTIS ANNA"},
        };
        for (const auto& s : shops) {
            data.Tabesercizio.append();
            data.Tabesercizio.field("Ragione_sociale").setAsString(s.name);
            data.Tabesercizio.field("Piva").setAsString(s.vat);
            data.Tabesercizio.field("Comune").setAsString(s.town);
            data.Tabesercizio.field("Indirizzo").setAsString(s.street);
            data.Tabesercizio.field("Tel1").setAsString(s.phone);
            data.Tabesercizio.field("Cell1").setAsString("347 1234567");
            data.Tabesercizio.field("Email1").setAsString("INFO@ESEMPIO.IT");
            data.Tabesercizio.field("Giorno_chiusura").setAsString("LUNEDI");
            data.Tabesercizio.field("Cognome_nome").setAsString(s.contact);
            data.Tabesercizio.post();
        }
        data.Tabmov.append();
        data.Tabmov.field("Id").setAsInteger(1);
        data.Tabmov.field("ID_ESERCIZIO").setAsInteger(1);
        data.Tabmov.field("Id_tipomov").setAsInteger(1);
        data.Tabmov.field("Data").setAsDate(QDate(2026, 3, 12));
        data.Tabmov.field("MATRICOLA_MS").setAsString("AB1234567");
        data.Tabmov.post();
    }
    void obligedSubjectAndTechnician() {
        data.Tabsoggetto.append();
        data.Tabsoggetto.field("Piva").setAsString("12345678903");
        data.Tabsoggetto.field("PG_PF").setAsString("0");
        data.Tabsoggetto.field("PG_denominazione").setAsString("LABORATORIO ESEMPIO SRL");
        data.Tabsoggetto.field("PG_comune_fiscale").setAsString("ROMA");
        data.Tabsoggetto.post();
        data.TabLsogg.append();
        data.TabLsogg.field("Tipo_abilitazione").setAsString("3");
        data.TabLsogg.field("Id_al_sigillo").setAsString("AB1234");
        data.TabLsogg.post();
        data.Tabtecnico.append();
        data.Tabtecnico.field("Vf_sn").setAsBoolean(true);
        data.Tabtecnico.field("Cognome").setAsString("ROSSI");
        data.Tabtecnico.field("Nome").setAsString("MARIO");
        data.Tabtecnico.field("Sesso").setAsString("M");
        data.Tabtecnico.field("Data_nascita").setAsDate(QDate(1983, 3, 5));
        data.Tabtecnico.field("Comune_nascita").setAsString("ROMA");
        data.Tabtecnico.field("Id_nu_sigillo").setAsString("12");
        data.Tabtecnico.field("Responsabile").setAsString("1");
        data.Tabtecnico.field("Titolo_studio").setAsString("3");
        data.Tabtecnico.field("Data_inizio").setAsDate(QDate(2020, 1, 7));
        data.Tabtecnico.field("Id_sogg").setAsInteger(1);
        data.Tabtecnico.post();
    }
};

TEST_F(Snapshots, EveryRegisterScreenRenders) {
    for (auto [brand, name, logo] :
         {std::tuple{"OLIVETTI", "NETTUNA 200", "OL"}, std::tuple{"RCH", "ONDA", "RC"},
          std::tuple{"CUSTOM", "KUBE F", "CU"}}) {
        data.Tabms.append();
        data.Tabms.field("Marchio_ms").setAsString(brand);
        data.Tabms.field("Denominazione_ms").setAsString(name);
        data.Tabms.field("Logotipo_ms").setAsString(logo);
        data.Tabms.post();
    }
    drive<TmisuratoriForm>(registry::openMeterModels, [&](TmisuratoriForm& s) {
        shoot(s, "meter-models-list");
        press(s, "Modifica");
        shoot(s, "meter-models-edit");
        press(s, "Annulla");
    });
    drive<TcomuniForm>(registry::openMunicipalities, [&](TcomuniForm& s) {
        shoot(s, "municipalities-list");
        press(s, "Modifica");
        shoot(s, "municipalities-edit");
        press(s, "Annulla");
    });

    supplier("ZETA RICAMBI SRL", "12345678903", "ABANO TERME", "VIA ROMA 1");
    supplier("ALFA CASSE SPA", "00000000000", "ROMA", "VIA NAZIONALE 20");
    supplier("MEDIO FORNITURE", "12345678903", "MILANO", "CORSO BUENOS AIRES 3");
    drive<TfornitoriForm>(registry::openSuppliers, [&](TfornitoriForm& s) {
        shoot(s, "suppliers-list");
        press(s, "Modifica");
        shoot(s, "suppliers-edit");
        press(s, "Annulla");
    });

    data.Tabtipomov.append();
    data.Tabtipomov.field("Descrizione").setAsString("CONSULENZA");
    data.Tabtipomov.post();
    drive<TtipomovForm>(registry::openMovementTypes,
                        [&](TtipomovForm& s) { shoot(s, "movement-types"); });

    data.tab_tipicontratti.first();
    data.tab_tipicontratti.edit();
    data.tab_tipicontratti.field("Prest_incluse")
        .setAsString("<p><b>Verificazione periodica</b> biennale del misuratore.</p>"
                     "<ul><li>Sostituzione del rotolo giornale</li>"
                     "<li>Aggiornamento del <i>firmware</i></li></ul>");
    data.tab_tipicontratti.field("Prest_escluse")
        .setAsString("<p>Parti di ricambio e <u>interventi per uso improprio</u>.</p>");
    data.tab_tipicontratti.field("Clausole")
        .setAsString("<p>Il contratto si rinnova <b>tacitamente</b> di anno in anno.</p>");
    data.tab_tipicontratti.field("Obblighi")
        .setAsString("<p style=\"color:#a00000;\">Il cliente segnala i guasti entro 24 ore.</p>");
    data.tab_tipicontratti.post();
    drive<TtipicontrattiForm>(registry::openContractTypes, [&](TtipicontrattiForm& s) {
        shoot(s, "contract-types-view");
        press(s, "Modifica");
        shoot(s, "contract-types-edit");
        press(s, "Annulla");
    });

    customers();
    drive<TesercizioForm>([](Tdm& d) { return registry::openCustomers(d); },
                          [&](TesercizioForm& s) {
                              shoot(s, "customers-list");
                              press(s, "Modifica/F9");
                              shoot(s, "customers-edit");
                              press(s, "Annulla");
                              data.Tabesercizio.first();
                              press(s, "Scheda");
                              shoot(s, "customers-card");
                              press(s, "Indietro");
                          });
    EXPECT_TRUE(dialogs.entries().empty()) << dialogs.texts().join('|').toStdString();
}

TEST_F(Snapshots, ObligedSubjectAndTechniciansRender) {
    obligedSubjectAndTechnician();
    ui::ModalHookScope hook([&](QDialog& shown) {
        if (auto* s = qobject_cast<Tsoggettoform*>(&shown)) {
            shoot(*s, "obliged-subject");
            press(*s, "Modifica abilitazione");
            press(*s, "Modifica");
            shoot(*s, "obliged-subject-edit");
            press(*s, "Annulla");
        } else if (auto* form = qobject_cast<Tlsogg_form*>(&shown)) {
            shoot(*form, "authorisation");
            press(*form, "Annulla");
        } else if (auto* s = qobject_cast<TtecnicoForm*>(&shown)) {
            shoot(*s, "technicians-list");
            press(*s, "Modifica");
            shoot(*s, "technicians-edit");
            press(*s, "Annulla");
            press(*s, "Nuovo");
        } else if (auto* chooser = qobject_cast<Ttipo_tecnicoForm*>(&shown)) {
            shoot(*chooser, "technician-kind");
            press(*chooser, "Annulla");
        }
    });
    registry::openObligedSubject(data);
    registry::openTechnicians(data);
    EXPECT_TRUE(dialogs.entries().empty()) << dialogs.texts().join('|').toStdString();
}

} // namespace
