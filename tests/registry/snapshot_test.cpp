// Renders every register screen to PNG, to look at what users will see.
// The pictures go to $UI_SNAPSHOT_DIR when set, else to a temporary folder.
#include "registry/comuniw.h"
#include "registry/fornitoriw.h"
#include "registry/misuratoriw.h"
#include "registry/registers_rules.h"
#include "registry/tipicontrattiw.h"
#include "registry/tipomovw.h"
#include "registry_support.h"

#include "ui/pagestack.h"

#include <QTemporaryDir>

namespace {

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
        shoot(s, "misuratori_list");
        regtest::press(s, "Modifica");
        shoot(s, "misuratori_edit");
        regtest::press(s, "Annulla");
    });
    drive<TcomuniForm>(registry::openMunicipalities,
                       [&](TcomuniForm& s) { shoot(s, "comuni_list"); });

    supplier("ZETA RICAMBI SRL", "12345678903", "ABANO TERME", "VIA ROMA 1");
    supplier("ALFA CASSE SPA", "00000000000", "ROMA", "VIA NAZIONALE 20");
    supplier("MEDIO FORNITURE", "12345678903", "MILANO", "CORSO BUENOS AIRES 3");
    drive<TfornitoriForm>(registry::openSuppliers, [&](TfornitoriForm& s) {
        shoot(s, "fornitori_list");
        regtest::press(s, "Modifica");
        shoot(s, "fornitori_edit");
        regtest::press(s, "Annulla");
    });

    data.Tabtipomov.append();
    data.Tabtipomov.field("Id").setAsInteger(4);
    data.Tabtipomov.field("Descrizione").setAsString("CONSULENZA");
    data.Tabtipomov.post();
    drive<TtipomovForm>(registry::openMovementTypes, [&](TtipomovForm& s) { shoot(s, "tipomov"); });

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
        shoot(s, "tipicontratti_view");
        regtest::press(s, "Modifica");
        shoot(s, "tipicontratti_edit");
        regtest::press(s, "Annulla");
    });
    EXPECT_TRUE(dialogs.entries().empty()) << dialogs.texts().join('|').toStdString();
}

} // namespace
