// Renders the customer screen's pages to PNG, to look at what users will see.
// The pictures go to $UI_SNAPSHOT_DIR when set, else to a temporary folder.
#include "registry/customer_rules.h"
#include "registry/eserciziow.h"
#include "registry_support.h"

#include "ui/pagestack.h"

#include <QTemporaryDir>

namespace {

TEST(CustomerSnapshots, ListEditAndCardPagesRender) {
    testsupport::YearFolder year;
    uitest::Dialogs dialogs;
    Tdm data;
    ASSERT_TRUE(data.dmCreate(year.path()));
    registry::attachCustomerRules(data, {});
    QTemporaryDir temporary;
    const QString folder = qEnvironmentVariableIsSet("UI_SNAPSHOT_DIR")
                               ? qEnvironmentVariable("UI_SNAPSHOT_DIR")
                               : temporary.path();
    const struct {
        const char *name, *vat, *town, *street, *phone, *contact;
    } shops[] = {
        {"BAR SPORT DI ROSSI MARIO", "12345678903", "ROMA", "VIA APPIA NUOVA 12", "06 5551234",
         "ROSSI MARIO"},
        {"TABACCHERIA CENTRALE", "01234567897", "MILANO", "CORSO BUENOS AIRES 40", "02 4443322",
         "BIANCHI LUCIA"},
        {"PANIFICIO VERDI & FIGLI SNC", "11111111115", "TORINO", "VIA GARIBALDI 7", "011 778899",
         "VERDI GIUSEPPE"},
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

    auto shoot = [&](QWidget& screen, const QString& name) {
        QApplication::processEvents();
        const QImage shot = screen.grab().toImage();
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(folder + "/" + name + ".png"));
    };
    ui::ModalHookScope hook([&](QDialog& shown) {
        auto& s = static_cast<TesercizioForm&>(shown);
        shoot(s, "customers-list");
        regtest::press(s, "Modifica/F9");
        shoot(s, "customers-edit");
        regtest::press(s, "Annulla");
        data.Tabesercizio.first();
        regtest::press(s, "Scheda");
        shoot(s, "customers-card");
        regtest::press(s, "Indietro");
        regtest::press(s, "chiudi");
    });
    registry::openCustomers(data);
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
}

} // namespace
