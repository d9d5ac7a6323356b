// Renders the articles screens to PNG to look at them; docs/screens has the pictures. They go
// to $UI_SNAPSHOT_DIR when set, else to a temporary folder.
#include "articles/articoliw.h"
#include "articles/movarticoliw.h"
#include "articles/sel_artesew.h"
#include "report/render.h"
#include "screen_support.h"

#include <QTemporaryDir>

namespace {

using regtest::press;

class Snapshots : public arttest::Screens {
protected:
    QTemporaryDir temporary;
    QString folder;
    int shop = 0;

    void SetUp() override {
        Screens::SetUp();
        folder = qEnvironmentVariableIsSet("UI_SNAPSHOT_DIR")
                     ? qEnvironmentVariable("UI_SNAPSHOT_DIR")
                     : temporary.path();
        const int nettuna = add(
            data.Tabms, {{"Marchio_ms", "OLIVETTI"}, {"Denominazione_ms", "NETTUNA 300"}}, "Id_ms");
        const int form =
            add(data.Tabms, {{"Marchio_ms", "RCH"}, {"Denominazione_ms", "FORM 200"}}, "Id_ms");
        add(data.TabFornitori, {{"Ragione_sociale", "RICAMBI ITALIA SRL"}}, "Id_fornitore");
        shop = add(data.Tabesercizio,
                   {{"Ragione_sociale", "BAR SPORT DI ROSSI MARIO"},
                    {"Piva", "12345678903"},
                    {"Indirizzo", "VIA APPIA NUOVA 12"},
                    {"Cap", "00183"},
                    {"Comune", "ROMA"}},
                   "Id_esercizio");
        const struct {
            const char *matricola, *description, *barcode;
            int model, qta;
            bool owned;
        } rows[] = {
            {"AB1234567", "", "", nettuna, 1, true},
            {"CD7654321", "", "", form, 1, false},
            {"EF1111111", "", "", nettuna, 1, false},
            {"", "ROTOLO TERMICO 57MM", "8001234567890", 0, 40, false},
            {"", "BATTERIA TAMPONE 3V", "8009876543210", 0, 12, false},
        };
        for (const auto& r : rows)
            add(data.Tabarticoli,
                {{"Matricola", r.matricola},
                 {"Descrizione", r.description},
                 {"Barcode", r.barcode},
                 {"Id_ms", r.model ? QVariant(r.model) : QVariant()},
                 {"Qta", r.qta},
                 {"Giacenza_sn", !r.owned},
                 {"Prezzo_vend", 2.5},
                 {"Iva", 22.0},
                 {"Id_esercizio", r.owned ? QVariant(shop) : QVariant(-1)}},
                "Id");
        add(data.Tabmov, {{"Id", 1}, {"ID_ESERCIZIO", shop}}, "Id");
        dialogs.clear();
    }
    void shoot(QWidget& screen, const QString& name) {
        QApplication::processEvents();
        const QImage shot = screen.grab().toImage();
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(folder + "/" + name + ".png"));
    }
};

TEST_F(Snapshots, ArticlesScreens) {
    data.Tabarticoli.first();
    run([&] { return articles::openArticles(data); },
        {[&](QDialog& s) {
             shoot(s, "articles-list");
             press(s, "Modifica Articolo"); // the first by description: a machine
             shoot(s, "articles-edit-serial");
             press(s, "Annulla");
             // The printed list with a filter in force, as a PDF beside the pictures.
             static_cast<TarticoliForm&>(s).setPreview([&](const report::Document& d) {
                 EXPECT_TRUE(report::writePdf(d, folder + "/articles-print.pdf"));
             });
             arttest::choose(s, "in giacenza");
             press(s, "Stampa");
             press(s, "Nuovo Articolo");
             press(s, "Chiudi");
         },
         [&](QDialog& chooser) {
             shoot(chooser, "article-kind");
             press(chooser, "Annulla");
         }});
    data.Tabmov.edit();
    run(
        [&] {
            articles::pickMachine(data, articles::PickFor::WarehouseMachines, shop);
            return 0;
        },
        {[&](QDialog& s) {
            shoot(s, "machine-picker-warehouse");
            press(s, "Annulla");
        }});
    data.Tabmov.cancel();
    articles::MovementArticlesPage page(data);
    page.resize(900, 560);
    uitest::showActive(page);
    press(page, "Aggiungi ");
    shoot(page, "movement-articles");
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join("|").toStdString();
}

} // namespace
