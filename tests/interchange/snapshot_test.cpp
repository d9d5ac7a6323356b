// Renders the interchange screens to PNG, to look at what users will see; the pictures in
// docs/screens come from here. They go to $UI_SNAPSHOT_DIR when set, else to a temporary folder.
#include "interchange/exportw.h"
#include "interchange/importverifw.h"
#include "interchange/importw.h"
#include "screen_support.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

using ictest::add;
using ictest::press;

class Snapshots : public ictest::ScreenFixture {
protected:
    QTemporaryDir temporary;
    QString folder = qEnvironmentVariableIsSet("UI_SNAPSHOT_DIR")
                         ? qEnvironmentVariable("UI_SNAPSHOT_DIR")
                         : temporary.path();

    void shoot(QWidget& screen, const QString& name) {
        QApplication::processEvents();
        const QImage shot = screen.grab().toImage();
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(folder + "/" + name + ".png"));
    }
    void SetUp() override {
        ScreenFixture::SetUp();
        const char* towns[] = {"ROMA", "MILANO", "TORINO"};
        store::Table own(working.year.path(), "misurazioni");
        own.open();
        for (int i = 1; i <= 3; ++i) {
            const QString serial = QStringLiteral("AB%1").arg(1234560 + i);
            add(own, {{"ID_MISURAZIONI", i},
                      {"ID_ESERCIZIO", i},
                      {"ID_MS", 1},
                      {"ID_TECNICO", 1},
                      {"TRIMESTRE", "2"},
                      {"MATRICOLA_MS", serial},
                      {"TIPO_INTERVENTO", "P"},
                      {"DATA_INI", QDate(2006, 4, 3 * i)},
                      {"DATA_FINE", QDate(2006, 4, 3 * i)},
                      {"ESITO", "P"},
                      {"COMUNE", towns[i - 1]},
                      {"PIVA", "12345678903"}});
            add(vp.tables.misurazioni, {{"ID_MISURAZIONI", i},
                                        {"ID_ESERCIZIO", i},
                                        {"ID_MS", 1},
                                        {"ID_TECNICO", 1},
                                        {"MATRICOLA_MS", serial},
                                        {"DATA_FINE", QDate(2006, 1, 10 * i)},
                                        {"TRIMESTRE", "1"},
                                        {"COMUNE", towns[i - 1]}});
            add(vp.tables.esercizio, {{"Id_esercizio", i},
                                      {"Ragione_sociale", QStringLiteral("BAR SPORT %1").arg(i)},
                                      {"Piva", "12345678903"},
                                      {"Comune", towns[i - 1]}});
        }
        add(vp.tables.ms,
            {{"Id_ms", 1}, {"Marchio_ms", "ALFATEC"}, {"Denominazione_ms", "CASSA 200"}});
    }
};

TEST_F(Snapshots, AgencyFile) {
    testsupport::TempFolder root;
    const QString savedRoot = store::program().dataRoot;
    store::program().dataRoot = root.path() + "/";
    QDir().mkpath(root.path() + "/importdb");
    for (const char* name : {"riga1", "riga2", "riga3"})
        store::createTableFile(root.path() + "/importdb",
                               store::catalogue::get(store::TableSet::Staging, name));
    QFile file(root.file("trimestre.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ictest::twoQuarterFile());
    file.close();
    drive<TimportForm>(
        [&](Tdm& d) {
            return interchange::openAgencyFile(d, [&](QWidget*) { return file.fileName(); });
        },
        [&](TimportForm& s) {
            press(s, "Seleziona il file");
            press(s, "Visualizza");
            shoot(s, "agency-file");
        });
    store::program().dataRoot = savedRoot;
}

TEST_F(Snapshots, ExportToVerification) {
    drive<Texport_inverifForm>(interchange::openExportToVerification, [&](Texport_inverifForm& s) {
        ictest::typeInto(s.folderBox(), vp.folder());
        uitest::click(s.quarterButton(2));
        press(s, "verifica presenza di dati");
        ictest::pressTab(s, "software assistenza");
        shoot(s, "export-to-verification");
    });
}

TEST_F(Snapshots, ImportFromVerification) {
    drive<Timporta_da_verifForm>(interchange::openImportFromVerification,
                                 [&](Timporta_da_verifForm& s) {
                                     ictest::typeInto(s.folderBox(), vp.folder());
                                     s.yearBox()->setValue(2006);
                                     press(s, "verifica presenza di dati");
                                     shoot(s, "import-from-verification");
                                 });
}

} // namespace
