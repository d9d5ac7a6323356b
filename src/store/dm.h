#pragma once

#include "store/table.h"

#include <QString>
#include <vector>

/// The data module: the table objects shared by every screen, opened together on the working
/// year's folder. Subsystems attach their record rules to these objects at start-up.
class Tdm {
public:
    Tdm();
    Tdm(const Tdm&) = delete;
    Tdm& operator=(const Tdm&) = delete;

    store::Table Tabimpostazioni, tabtipo_pag, Tab_tipodoc, Tabtipodoc2, Tabcomuni, Tabesercizio,
        Tab_ese2, tabese3, TabFornitori, Tabforn2, Tabms, Tabsoggetto, TabLsogg, Tabtecnico,
        Tabtipomov, Tabmov, Tablmov, Tabarticoli, Tabmisurazioni, c_esercizio, Tabdoc, Tablinee_doc,
        Tabdoc2, tab_tipicontratti, Tabcontratti, Tablcontratti, Tabstringa_finale, Tabtrasporto,
        Tabaspetto, Tabcausale, Tabvarie_ann, Tabvettore, Tabdiciture;
    /// Probe of a year folder; not opened by dmCreate.
    store::Table Tab_mis;

    /// The shared objects in the order dmCreate opens them.
    const std::vector<store::Table*>& openOrder() const { return openOrder_; }

    /// Opens every shared object on `yearFolder`, in order. The first that fails ends the
    /// operation silently: those before it stay open, it and those after it stay closed.
    /// Answers whether all opened.
    bool dmCreate(const QString& yearFolder);
    /// Closes every shared object.
    void dmDestroy();

private:
    std::vector<store::Table*> openOrder_;
};
