// Pictures of the contracts screen and of the closing screen, to look at what users will see;
// docs/screens has them. They go to $UI_SNAPSHOT_DIR when set, else to a temporary folder.
#include "contracts/elenco_contrattiw.h"
#include "contracts/segnaevasaw.h"
#include "contracts_support.h"

#include <QTabWidget>
#include <QTemporaryDir>

namespace {

using regtest::press;

class ContractSnapshots : public contractstest::Contracts {
protected:
    QTemporaryDir temporary;

    void shoot(QWidget& screen, const QString& name) {
        QApplication::processEvents();
        const QString folder = qEnvironmentVariableIsSet("UI_SNAPSHOT_DIR")
                                   ? qEnvironmentVariable("UI_SNAPSHOT_DIR")
                                   : temporary.path();
        const QImage shot = screen.grab().toImage();
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(folder + "/" + name + ".png"));
    }
    void sample() {
        const int form = model("FORM 100");
        const char* shops[] = {"BAR SPORT DI ROSSI MARIO", "TABACCHERIA CENTRALE",
                               "PANIFICIO VERDI & FIGLI SNC"};
        for (int i = 0; i < 3; ++i) {
            const int id = customer(shops[i]);
            const QString serial = QString("AB00000%1").arg(11 + i);
            machine(id, form, serial, "VIA GARIBALDI 7");
            contract(id, QDate(2026, 1 + 3 * i, 15), i == 1 ? "6 MESI" : "12 MESI", serial);
        }
    }
};

TEST_F(ContractSnapshots, ContractsListAndEditPage) {
    sample();
    drive<TELENCO_CONTRATTIFORM>(contracts::openContracts, [&](TELENCO_CONTRATTIFORM& s) {
        shoot(s, "contracts-list");
        press(s, "Modifica");
        shoot(s, "contracts-edit");
        press(s, "Annulla");
    });
}

TEST_F(ContractSnapshots, ClosingScreenTabs) {
    sample();
    add(data.Tabmov,
        {{"Id", 1},
         {"ID_ESERCIZIO", 1},
         {"Id_tipomov", 1},
         {"MATRICOLA_MS", "AB0000011"},
         {"Nota1", "CAMBIO ROTOLO"},
         {"Accordi", "MATTINA"},
         {"Rapp1", "SOSTITUITA TESTINA"}},
        "Id");
    drive<TsegnaevasaForm>(contracts::openClosing, [&](TsegnaevasaForm& s) {
        shoot(s, "closing-report");
        s.tabs()->setCurrentIndex(1);
        shoot(s, "closing-invoice");
        s.tabs()->setCurrentIndex(2);
        shoot(s, "closing-renewal");
        press(s, "Annulla");
    });
}

} // namespace
