// Renders the technician edit page and the obliged-subject screen to PNG for a look.
#include "registry/codfis.h"
#include "registry/obliged_subject_rules.h"
#include "registry/soggettow.h"
#include "registry/technician_rules.h"
#include "registry/tecnicow.h"
#include "registry_support.h"

#include <QDir>

namespace {

class SubjectScreenshots : public regtest::Registers {};

TEST_F(SubjectScreenshots, RenderWhenAskedFor) {
    const QString folder = qEnvironmentVariable("MISURATORI_SCREENSHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "set MISURATORI_SCREENSHOTS to a folder to render";
    data.Tabsoggetto.append();
    data.Tabsoggetto.field("Piva").setAsString("12345678903");
    data.Tabsoggetto.field("PG_PF").setAsString("0");
    data.Tabsoggetto.field("PG_denominazione").setAsString("LABORATORIO ESEMPIO SRL");
    data.Tabsoggetto.field("PG_comune_fiscale").setAsString("ROMA");
    data.Tabsoggetto.field("PG_prov_fiscale").setAsString("RM");
    data.Tabsoggetto.post();
    data.TabLsogg.append();
    data.TabLsogg.field("Tipo_abilitazione").setAsString("3");
    data.TabLsogg.field("Id_al_sigillo").setAsString("AB1234");
    data.TabLsogg.post();
    ui::ModalHookScope hook([&](QDialog& shown) {
        if (auto* s = qobject_cast<Tsoggettoform*>(&shown))
            s->grab().save(QDir(folder).filePath("obliged-subject.png"));
        if (auto* s = qobject_cast<TtecnicoForm*>(&shown)) {
            regtest::press(*s, "Nuovo");
            s->grab().save(QDir(folder).filePath("technician-edit.png"));
            regtest::press(*s, "Annulla");
        }
        if (auto* chooser = qobject_cast<Ttipo_tecnicoForm*>(&shown))
            regtest::press(*chooser, "OK");
    });
    registry::openObligedSubject(data);
    registry::openTechnicians(data);
}

} // namespace
