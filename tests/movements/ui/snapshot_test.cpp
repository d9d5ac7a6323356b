// Renders the movement screen to PNG, to look at what users will see (docs/screens). The pictures
// go to $UI_SNAPSHOT_DIR when set, else to a temporary folder.
#include "movement_screen_support.h"

#include <QTabWidget>
#include <QTemporaryDir>

namespace {

using movtest::put;

class MovementSnapshots : public movtest::MovementScreen {
protected:
    QTemporaryDir temporary;
    void shoot(QWidget& screen, const QString& name) {
        const QString folder = qEnvironmentVariableIsSet("UI_SNAPSHOT_DIR")
                                   ? qEnvironmentVariable("UI_SNAPSHOT_DIR")
                                   : temporary.path();
        QApplication::processEvents();
        const QImage shot = screen.grab().toImage();
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(folder + "/" + name + ".png"));
    }
};

TEST_F(MovementSnapshots, InterventionsListAndEntryPageRender) {
    put(data.Tabms, {{"Marchio_ms", "RCH"}, {"Denominazione_ms", "ONDA"}, {"Logotipo_ms", "RC"}});
    const int bar = customer("BAR SPORT DI ROSSI MARIO");
    const int shop = customer("TABACCHERIA CENTRALE");
    const int rossi = technician("ROSSI");
    const int kind = this->kind("INTERVENTO");
    const QDate today = QDate::currentDate();
    const struct {
        int customer;
        const char* agreed;
        bool done, toInvoice, invoiced, appointment;
    } rows[] = {
        {bar, "PASSARE IN MATTINATA", false, false, false, true},
        {shop, "CAMBIO ROTOLO E PULIZIA", true, false, false, false},
        {bar, "VERIFICA PERIODICA", true, true, true, false},
    };
    for (const auto& r : rows)
        put(data.Tabmov, {{"Id_tipomov", kind},
                          {"ID_ESERCIZIO", r.customer},
                          {"ID_TECNICO", rossi},
                          {"ID_MS", 1},
                          {"MATRICOLA_MS", "RC1234567"},
                          {"Piva", "12345678903"},
                          {"INDIRIZZO", "VIA APPIA NUOVA 12"},
                          {"COMUNE", "ROMA"},
                          {"Data", today},
                          {"Ora", QTime(9, 30)},
                          {"Accordi", r.agreed},
                          {"Nota1", "CLIENTE CHIUDE IL LUNEDI"},
                          {"Appuntamento", r.appointment},
                          {"Data_app", r.appointment ? QVariant(today) : QVariant()},
                          {"Ora_app", r.appointment ? QVariant(QTime(15, 0)) : QVariant()},
                          {"Evasa_sn", r.done},
                          {"Da_fatt_sn", r.toInvoice},
                          {"Fatt_sn", r.invoiced}});
    for (const auto& [part, qta] :
         {std::pair{"ROTOLO CARTA TERMICA 57MM", 40}, std::pair{"TESTINA DI STAMPA", 3}})
        put(data.Tabarticoli, {{"Descrizione", part},
                               {"Barcode", "8001234567890"},
                               {"Qta", qta},
                               {"Prezzo_acq", 0.8},
                               {"Prezzo_vend", 1.5},
                               {"Iva", 22.0},
                               {"Giacenza_sn", true}});
    open(movements::MovementsMode::Interventions, [&](TMOVForm& s) {
        shoot(s, "movements-interventions");
        regtest::press(s, "Modifica /F9");
        shoot(s, "movements-entry");
        regtest::press(s, "Annulla");
        s.list().lowerTabs()->setCurrentIndex(0);
        regtest::press(s, "Inserisci/Modifica");
        regtest::press(s, "Aggiungi ");
        shoot(s, "movements-articles-page");
        regtest::press(s, "Conferma");
        shoot(s, "movements-article-lines");
        regtest::press(s, "chiudi");
    });
    EXPECT_TRUE(dialogs.entries().empty()) << dialogs.texts().join('|').toStdString();
}

} // namespace
