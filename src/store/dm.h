#pragma once

#include "store/table.h"

#include <QString>
#include <vector>

/// The data module: the table objects shared by every screen, opened together on the working
/// year's folder. Subsystems attach their record rules to these objects once (RecordRules).
///
/// A filter set on a shared object stays in force for every later user until its owner changes
/// it. Who sets the filter (or the order, or moves the cursor on purpose) of each object:
/// - `Tabmov`: the agenda's day lists and the movement screen's lists; the last one to filter
///   wins, and each sets its own before showing the movements.
/// - `Tabcontratti`: the agenda's expiring contracts and the contracts screen; deleting a
///   contract type switches the filter off and leaves the cursor on a contract of that type.
/// - `c_esercizio`: only the customer save check, filtered on the VAT number being saved.
/// - `Tabesercizio`: the customer screen sets its order; the edit from a contract moves it to the
///   contract's customer.
/// - `Tabcomuni`: the municipality look-up of customers and suppliers moves it to the
///   municipality found.
/// - `Tabarticoli`: the articles screen's filter panel; `Tabdoc2`: the document numbering, on
///   the document's type.
/// Every other rule that looks something up reads without moving or filtering a shared object:
/// store::rules::anyRecordWith, store::rules::lookupRecord or a table object of its own.
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
    /// The store's message for the table that stopped the last dmCreate (a damaged or locked
    /// file, say), for the caller to show; empty when every table opened.
    const QString& openFailure() const { return openFailure_; }
    /// Closes every shared object.
    void dmDestroy();

private:
    std::vector<store::Table*> openOrder_;
    QString openFailure_;
};
