#include "store/dm.h"

#include "store/error.h"
#include "store/upgrade.h"

namespace {

constexpr const char* money = "#,###,##0.00";

void bind(store::Table& t, const char* table, const char* index = nullptr) {
    t.setTableName(QString::fromLatin1(table));
    if (index)
        t.setIndexName(QString::fromLatin1(index));
}

void showMoney(store::Table& t, std::initializer_list<const char*> fields) {
    for (const char* f : fields)
        t.field(QString::fromLatin1(f)).setDisplayFormat(QString::fromLatin1(money));
}

} // namespace

Tdm::Tdm() {
    bind(Tabimpostazioni, "impostazioni");
    bind(tabtipo_pag, "tipi_pagamento");
    bind(Tab_tipodoc, "tipo_doc");
    bind(Tabtipodoc2, "tipo_doc");
    bind(Tabcomuni, "COMUNI");
    bind(Tabesercizio, "esercizio", "rs_index");
    bind(Tab_ese2, "esercizio", "rs_index");
    bind(tabese3, "esercizio", "rs_index");
    bind(TabFornitori, "fornitori", "rs_index");
    bind(Tabforn2, "fornitori");
    bind(Tabms, "ms", "indice1");
    bind(Tabsoggetto, "soggetto_obbligato");
    bind(TabLsogg, "Lsoggetto_obbligato", "id_sogg_index");
    bind(Tabtecnico, "tecnici", "indice1");
    bind(Tabtipomov, "tipo_mov");
    bind(Tabmov, "MOV", "data_ora_index");
    bind(Tablmov, "Mov_articoli", "mov_index");
    bind(Tabarticoli, "articoli");
    Tabarticoli.setIndexFieldNames(QStringLiteral("Descrizione"));
    bind(Tabmisurazioni, "misurazioni");
    Tabmisurazioni.setIndexFieldNames(QStringLiteral("DATA_FINE"));
    bind(c_esercizio, "esercizio", "rs_index");
    bind(Tabdoc, "doc");
    Tabdoc.setIndexFieldNames(QStringLiteral("Id_tipodoc;Numero_doc"));
    bind(Tablinee_doc, "linee_doc", "doc_index");
    bind(Tabdoc2, "doc");
    Tabdoc2.setIndexFieldNames(QStringLiteral("Id_tipodoc;Numero_doc"));
    bind(tab_tipicontratti, "tipi_contratti");
    bind(Tabcontratti, "ele_contratti");
    Tabcontratti.setIndexFieldNames(QStringLiteral("VAL_AL"));
    bind(Tablcontratti, "LINEE_CONTRATTI", "id_elenco_index");
    bind(Tabstringa_finale, "stringa_finale", "descr_index");
    bind(Tabtrasporto, "trasporto_mezzo", "descr_index");
    bind(Tabaspetto, "aspetto_esteriore", "descr_index");
    bind(Tabcausale, "causale_trasporto", "descr_index");
    bind(Tabvarie_ann, "varie_annotazioni", "descr_index");
    bind(Tabvettore, "vettore", "descr_index");
    bind(Tabdiciture, "diciture_tipiche", "descr_index");
    bind(Tab_mis, "misurazioni");

    TabLsogg.setMasterSource(&Tabsoggetto, QStringLiteral("Id_sogg_obbl"),
                             QStringLiteral("Id_sogg"));
    Tablmov.setMasterSource(&Tabmov, QStringLiteral("Id"), QStringLiteral("Id_mov"));
    Tablcontratti.setMasterSource(&Tabcontratti, QStringLiteral("ID"), QStringLiteral("ID_ELENCO"));
    Tablinee_doc.setMasterSource(&Tabdoc, QStringLiteral("Id"), QStringLiteral("Id_doc"));

    Tabtecnico.addLookupField(QStringLiteral("al_sigillo"), 30, QStringLiteral("Id_sogg"),
                              &TabLsogg, QStringLiteral("Id_Lsogg"),
                              QStringLiteral("Id_al_sigillo"));
    Tabarticoli.addLookupField(QStringLiteral("ragione_sociale"), 120,
                               QStringLiteral("Id_esercizio"), &Tab_ese2,
                               QStringLiteral("Id_esercizio"), QStringLiteral("Ragione_sociale"));
    Tabarticoli.addLookupField(QStringLiteral("ms"), 80, QStringLiteral("Id_ms"), &Tabms,
                               QStringLiteral("Id_ms"), QStringLiteral("Denominazione_ms"));
    Tabarticoli.addLookupField(QStringLiteral("rs_forn"), 100, QStringLiteral("Id_fornitore"),
                               &Tabforn2, QStringLiteral("Id_fornitore"),
                               QStringLiteral("Ragione_sociale"));
    Tabmov.addLookupField(QStringLiteral("ragionesociale"), 120, QStringLiteral("ID_ESERCIZIO"),
                          &Tabesercizio, QStringLiteral("Id_esercizio"),
                          QStringLiteral("Ragione_sociale"));
    Tabmov.addLookupField(QStringLiteral("tipo_mov"), 120, QStringLiteral("Id_tipomov"),
                          &Tabtipomov, QStringLiteral("Id"), QStringLiteral("Descrizione"));
    Tabmov.addCalculatedField(QStringLiteral("marchio_ms"), store::FieldType::Text, 50);
    Tabmov.addCalculatedField(QStringLiteral("denom_ms"), store::FieldType::Text, 80);
    Tabmov.addCalculatedField(QStringLiteral("logotipo_ms"), store::FieldType::Text, 2);
    Tabmov.addCalculatedField(QStringLiteral("cogn_no_idnumsig"), store::FieldType::Text, 120);
    Tabmov.addCalculatedField(QStringLiteral("id_al_num"), store::FieldType::Text, 8);
    Tabcontratti.addLookupField(QStringLiteral("rag_sociale"), 60, QStringLiteral("ID_CLIENTE"),
                                &Tabesercizio, QStringLiteral("Id_esercizio"),
                                QStringLiteral("Ragione_sociale"));
    Tabcontratti.addLookupField(QStringLiteral("tipo_contratto"), 30,
                                QStringLiteral("ID_CONTRATTO"), &tab_tipicontratti,
                                QStringLiteral("Id"), QStringLiteral("Nome_contratto"));
    Tabdoc.addLookupField(QStringLiteral("r_ditta"), 150, QStringLiteral("Id_cliente"), &tabese3,
                          QStringLiteral("Id_esercizio"), QStringLiteral("Ragione_sociale"));
    Tabdoc.addLookupField(QStringLiteral("descr_tipodoc"), 25, QStringLiteral("Id_tipodoc"),
                          &Tabtipodoc2, QStringLiteral("Id"), QStringLiteral("Descrizione"));

    showMoney(Tabarticoli, {"Prezzo_acq", "Prezzo_vend", "Prezzo_ass"});
    showMoney(Tabmov, {"Imp_fatt"});
    showMoney(Tabcontratti, {"IMPORTO"});
    showMoney(Tabdoc, {"Importo_docE", "Iva_docE", "Totale_docE", "Spese_accE", "AccontoE", "Iva1",
                       "Iva2", "Iva3", "Iva4"});
    showMoney(Tablinee_doc, {"PrezzoE", "ImportoE"});

    openOrder_ = {
        &Tabimpostazioni, &tabtipo_pag,       &Tab_tipodoc,  &Tabtipodoc2,       &Tabcomuni,
        &Tabesercizio,    &Tab_ese2,          &tabese3,      &TabFornitori,      &Tabforn2,
        &Tabms,           &Tabsoggetto,       &TabLsogg,     &Tabtecnico,        &Tabtipomov,
        &Tabmov,          &Tablmov,           &Tabarticoli,  &Tabmisurazioni,    &c_esercizio,
        &Tabdoc,          &Tablinee_doc,      &Tabdoc2,      &tab_tipicontratti, &Tabcontratti,
        &Tablcontratti,   &Tabstringa_finale, &Tabtrasporto, &Tabaspetto,        &Tabcausale,
        &Tabvarie_ann,    &Tabvettore,        &Tabdiciture};
}

bool Tdm::dmCreate(const QString& yearFolder) {
    // A year made by an older copy gets the tables and indexes added since; a read-only one
    // simply goes without them (the year choice has said it cannot be written).
    store::addMissingTables(yearFolder);
    store::addMissingIndexes(yearFolder);
    openFailure_.clear();
    for (store::Table* table : openOrder_) {
        try {
            table->setDatabaseName(yearFolder);
            table->open();
        } catch (const store::Error& failure) {
            openFailure_ = failure.message();
            return false;
        }
    }
    return true;
}

void Tdm::dmDestroy() {
    for (auto it = openOrder_.rbegin(); it != openOrder_.rend(); ++it)
        (*it)->close();
    Tab_mis.close();
}
