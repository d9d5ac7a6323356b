#include "store/catalogue.h"

#include "store/error.h"

#include <initializer_list>
#include <utility>

namespace store {

namespace {

using Fields = std::vector<FieldDef>;

FieldDef integer(const QString& name) {
    return {name, FieldType::Integer};
}
FieldDef text(const QString& name, int size) {
    return {name, FieldType::Text, size};
}
FieldDef number(const QString& name) {
    return {name, FieldType::Number};
}
FieldDef date(const QString& name) {
    return {name, FieldType::Date};
}
FieldDef time(const QString& name) {
    return {name, FieldType::Time};
}
FieldDef boolean(const QString& name) {
    return {name, FieldType::Boolean};
}
FieldDef blob(const QString& name) {
    return {name, FieldType::Blob};
}
FieldDef graphic(const QString& name) {
    return {name, FieldType::Graphic};
}

FieldDef required(FieldDef field) {
    field.required = true;
    return field;
}

/// Several fields of one type and size, e.g. `Tel1`, `Tel2`.
Fields same(const FieldDef& like, std::initializer_list<const char*> names) {
    Fields out;
    for (const char* name : names) {
        FieldDef field = like;
        field.name = QString::fromLatin1(name);
        out.push_back(field);
    }
    return out;
}

/// The numbered run prefix1 … prefixN (+ suffix), e.g. `Iva1_` … `Iva4_`.
Fields series(const FieldDef& like, int count, const QString& suffix = {}) {
    Fields out;
    for (int i = 1; i <= count; ++i) {
        FieldDef field = like;
        field.name = like.name + QString::number(i) + suffix;
        out.push_back(field);
    }
    return out;
}

/// One entry of a field list: a single field or a group, so a table reads as one flat list.
struct Entry {
    Fields fields;
    Entry(FieldDef field)
        : fields{std::move(field)} {}
    Entry(Fields group)
        : fields(std::move(group)) {}
};

Fields flat(std::initializer_list<Entry> entries) {
    Fields out;
    for (const Entry& entry : entries) {
        out.insert(out.end(), entry.fields.begin(), entry.fields.end());
    }
    return out;
}

IndexDef named(const QString& name, const QStringList& fields) {
    return {name, fields};
}
/// An index that exists only so that an order by these fields is served.
IndexDef order(const QStringList& fields) {
    return {QString(), fields};
}

// Shared shapes: shops and suppliers carry the same address and contact block.
Fields addressBlock() {
    return flat({
        text("Ragione_sociale", 60),
        text("Piva", 11),
        text("Comune", 40),
        text("Provincia", 2),
        text("Indirizzo", 35),
        text("Cap", 5),
        same(text("", 50), {"Tel1", "Tel2"}),
        same(text("", 50), {"Cell1", "Cell2"}),
        text("Cognome_nome", 80),
        same(text("", 80), {"Email1", "Email2"}),
        same(text("", 50), {"Fax1", "Fax2"}),
        text("Commenti", 80),
    });
}

TableDef wordingList(const QString& name, int size) {
    return {name,
            "Id",
            {integer("Id"), text("Descrizione", size)},
            {named("descr_index", {"Descrizione"})}};
}

std::vector<TableDef> yearTables() {
    std::vector<TableDef> t;

    t.push_back({"esercizio",
                 "Id_esercizio",
                 flat({
                     integer("Id_esercizio"),
                     addressBlock(),
                     text("Giorno_chiusura", 20),
                     same(text("", 120), {"Dati_xfatt1", "Dati_xfatt2"}),
                     text("Altra_dest", 120),
                 }),
                 {named("rs_index", {"Ragione_sociale"}), named("piva_index", {"Piva"}),
                  named("comune_index", {"Comune"}), named("prov_index", {"Provincia"})}});

    t.push_back({"fornitori",
                 "Id_fornitore",
                 flat({integer("Id_fornitore"), addressBlock()}),
                 {named("rs_index", {"Ragione_sociale"})}});

    t.push_back({"ms",
                 "Id_ms",
                 {integer("Id_ms"), text("Marchio_ms", 40), text("Denominazione_ms", 40),
                  text("Logotipo_ms", 2)},
                 // indice1 also serves the order Marchio_ms;Denominazione_ms.
                 {named("indice1", {"Marchio_ms", "Denominazione_ms"})}});

    t.push_back({"COMUNI",
                 {},
                 {text("COMUNE", 30), text("PROVINCIAI", 2), text("CODICEFISC", 4), text("CAP", 5)},
                 {named("comune_index", {"COMUNE"})}});

    t.push_back({"tecnici",
                 "Id_tecnico",
                 {
                     integer("Id_tecnico"),
                     text("Cf", 16),
                     text("Cognome", 26),
                     text("Nome", 25),
                     text("Sesso", 1),
                     text("Comune_nascita", 40),
                     text("Prov_nascita", 2),
                     text("Id_nu_sigillo", 4),
                     text("Responsabile", 1),
                     text("Titolo_studio", 1),
                     text("Cogn_nome", 52),
                     text("Cogn_no_sigillo", 85),
                     date("Data_inizio"),
                     date("Data_fine"),
                     date("Data_nascita"),
                     integer("Id_sogg"),
                     boolean("Vf_sn"),
                 },
                 {named("indice1", {"Cogn_nome"})}});

    t.push_back({"soggetto_obbligato",
                 "Id_sogg_obbl",
                 {
                     integer("Id_sogg_obbl"),
                     text("Man", 30),
                     text("Piva", 11),
                     integer("Id_Lsogg"),
                     text("PG_denominazione", 60),
                     text("PG_comune_fiscale", 40),
                     text("PG_prov_fiscale", 2),
                     text("PF_cognome", 26),
                     text("PF_nome", 25),
                     text("PF_sesso", 1),
                     date("Pf_data_nascita"),
                     text("Pf_comune_nascita", 40),
                     text("Pf_prov_nascita", 2),
                     text("PG_PF", 1),
                     text("Att", 30),
                 },
                 {}});

    t.push_back({"Lsoggetto_obbligato",
                 "Id_Lsogg",
                 {
                     integer("Id_Lsogg"),
                     integer("Id_sogg"),
                     text("Tipo_abilitazione", 1),
                     text("Id_al_sigillo", 30),
                     text("Tipo_provv", 20),
                     date("Data_provv"),
                 },
                 {named("id_sogg_index", {"Id_sogg"})}});

    t.push_back({"tipo_mov",
                 "Id",
                 {integer("Id"), text("Descrizione", 70), boolean("Readonly"), boolean("Vf")},
                 {}});

    t.push_back({"tipi_contratti",
                 "Id",
                 {integer("Id"), text("Nome_contratto", 30), blob("Descr_contratto"),
                  blob("Prest_incluse"), blob("Prest_escluse"), blob("Clausole"), blob("Obblighi")},
                 {}});

    t.push_back({"articoli",
                 "Id",
                 {
                     integer("Id"),
                     integer("Id_esercizio"),
                     integer("Id_ms"),
                     integer("Id_mov"),
                     text("Matricola", 30),
                     text("Descrizione", 80),
                     text("Barcode", 25),
                     integer("Qta"),
                     number("Prezzo_acq"),
                     number("Prezzo_vend"),
                     number("Iva"),
                     boolean("Assistenza_sn"),
                     date("Scad_ass"),
                     boolean("VF"),
                     number("Prezzo_ass"),
                     boolean("Giacenza_sn"),
                     number("Giac_ini"),
                     text("Piva", 11),
                     text("Indirizzo", 35),
                     text("Cap", 5),
                     text("Comune", 40),
                     text("Provincia", 2),
                     integer("N_azzeramenti"),
                     integer("Id_fornitore"),
                 },
                 {order({"Descrizione"})}});

    // The day's movements by date and time, the day's appointments by their date.
    const std::vector<IndexDef> movementIndexes{named("data_ora_index", {"Data", "Ora"}),
                                                named("data_app_index", {"Data_app"})};
    t.push_back({"MOV", "Id",
                 flat({
                     integer("Id"),
                     integer("Id_tipomov"),
                     integer("ID_MISURAZIONI"),
                     integer("ID_ESERCIZIO"),
                     integer("ID_MS"),
                     integer("ID_TECNICO"),
                     text("MATRICOLA_MS", 9),
                     text("TIPO_INTERVENTO", 1),
                     date("DATA_INI"),
                     date("DATA_FINE"),
                     text("ESITO", 1),
                     boolean("SCARICO_SN"),
                     text("TRIMESTRE", 1),
                     text("Piva", 11),
                     text("COMUNE", 40),
                     text("PROVINCIA", 2),
                     text("INDIRIZZO", 35),
                     text("CAP", 5),
                     date("Data"),
                     time("Ora"),
                     series(text("Nota", 80), 4),
                     text("Rec_urgente", 50),
                     text("Accordi", 80),
                     boolean("Appuntamento"),
                     date("Data_app"),
                     time("Ora_app"),
                     boolean("Evasa_sn"),
                     series(text("Rapp", 80), 4),
                     boolean("Dal_magazzino_sn"),
                     boolean("Da_fatt_sn"),
                     boolean("Fatt_sn"),
                     text("Parlato_con", 30),
                     text("Segnalazione", 70),
                     boolean("Rinnovo_sn"),
                     series(text("Da_fatt", 50), 4),
                     number("Imp_fatt"),
                     number("Iva_fatt"),
                     boolean("Gia_fatt_sn"),
                     boolean("Rip_art_fatt"),
                 }),
                 movementIndexes});

    t.push_back({"Mov_articoli",
                 "Id",
                 {
                     integer("Id"),
                     integer("Id_esercizio"),
                     integer("Id_ms"),
                     integer("Id_mov"),
                     text("Matricola", 30),
                     text("Descrizione", 80),
                     text("Barcode", 25),
                     integer("Qta"),
                     number("Prezzo_acq"),
                     number("Prezzo_vend"),
                     number("Iva"),
                     boolean("Assistenza_sn"),
                     date("Scad_ass"),
                     boolean("VF"),
                     number("Prezzo_ass"),
                     boolean("Giacenza_sn"),
                     number("Giac_ini"),
                 },
                 {named("mov_index", {"Id_mov"})}});

    t.push_back({"misurazioni",
                 "ID_MISURAZIONI",
                 {
                     required(integer("ID_MISURAZIONI")),
                     integer("Id_mov"),
                     required(integer("ID_ESERCIZIO")),
                     required(integer("ID_MS")),
                     required(integer("ID_TECNICO")),
                     text("MATRICOLA_MS", 9),
                     text("TIPO_INTERVENTO", 1),
                     date("DATA_INI"),
                     date("DATA_FINE"),
                     text("ESITO", 1),
                     boolean("SCARICO_SN"),
                     text("TRIMESTRE", 1),
                     text("COMUNE", 40),
                     text("PROVINCIA", 2),
                     text("INDIRIZZO", 35),
                     text("CAP", 5),
                     text("PIVA", 11),
                 },
                 {order({"DATA_FINE"}), named("idmov_index", {"Id_mov"})}});

    t.push_back({"ele_contratti",
                 "ID",
                 {
                     integer("ID"),
                     integer("ID_CLIENTE"),
                     integer("ID_CONTRATTO"),
                     date("VAL_DAL"),
                     date("VAL_AL"),
                     text("DURATA", 30),
                     number("IMPORTO"),
                     text("STATO_PAG", 30),
                     text("NOTE", 150),
                     number("IVA"),
                     boolean("Rinnovo_tacito"),
                     text("Stato_fatt", 30),
                 },
                 {order({"VAL_AL"})}});

    t.push_back({"LINEE_CONTRATTI",
                 "ID",
                 {
                     integer("ID"),
                     integer("ID_ELENCO"),
                     integer("Id_ms"),
                     text("CODICE", 35),
                     text("DESCRIZIONE", 150),
                     text("MATRICOLA", 9),
                     text("Comune", 40),
                     text("Piva", 11),
                     text("Cap", 5),
                     text("Indirizzo", 35),
                     text("PROVINCIA", 2),
                 },
                 {named("id_elenco_index", {"ID_ELENCO"})}});

    t.push_back({"doc",
                 "Id",
                 flat({
                     integer("Id"),
                     integer("Id_cliente"),
                     integer("Id_tipodoc"),
                     integer("Numero_doc"),
                     date("Data_doc"),
                     text("Piva", 16),
                     text("Tipopagamento", 45),
                     text("Altra_dest", 60),
                     number("Importo_docE"),
                     number("Iva_docE"),
                     number("Totale_docE"),
                     text("PagataSNP", 1),
                     text("Dicitura_spese_acc", 35),
                     number("Spese_accE"),
                     number("AccontoE"),
                     date("Data_acconto"),
                     date("Data_saldo"),
                     text("Provincia", 2),
                     text("Indirizzo", 35),
                     text("Comune", 40),
                     text("Cap", 5),
                     series(number("Iva"), 4),
                     series(number("Iva"), 4, "_"),
                     series(number("Imp"), 4),
                     text("Stringa_finale", 120),
                     text("Trasporto_amezzo", 120),
                     text("Aspetto_esteriore_beni", 120),
                     text("Causale_trasporto", 120),
                     text("Varie_annotazioni", 120),
                     text("Vettore", 120),
                     date("Data_trasporto"),
                     time("Ora_trasporto"),
                     date("Data_partenza"),
                     time("Ora_partenza"),
                     text("Peso", 10),
                     text("N_colli", 10),
                     integer("Id_mov"),
                 }),
                 {order({"Id_tipodoc", "Numero_doc"})}});

    t.push_back({"linee_doc",
                 "Id",
                 {
                     integer("Id"),
                     integer("Id_doc"),
                     integer("Id_articolo"),
                     text("Linea", 50),
                     text("UM", 2),
                     number("Quantita"),
                     number("PrezzoE"),
                     number("Prezzo_ivatoE"),
                     number("ScontoP"),
                     number("ImportoE"),
                     number("Timporto_rigaE"),
                     integer("Iva_riga"),
                     number("Totale_rigaE"),
                     text("ScaricaSN", 1),
                     text("ScaricaSN_conf", 1),
                     boolean("Flag_sel_altri_doc"),
                     number("Tot_iva"),
                     text("Tipo_calcolo", 16),
                     boolean("Xtotale"),
                     integer("Interlinea"),
                 },
                 {named("doc_index", {"Id_doc"})}});

    t.push_back(
        {"tipo_doc",
         "Id",
         flat({
             integer("Id"),
             text("Descrizione", 25),
             text("Tipomov", 1),
             same(boolean(""), {"F_sconto", "F_totale_imp_riga", "F_a10_1", "F_a10_2",
                                "F_cod_articolo", "F_imp_unitario", "F_prezzo", "F_totale_riga",
                                "P_tot_imposta", "P_tot_imponibile", "P_tot_documento",
                                "Fascia_bassa", "Stampa_pag", "Stampa_prezziivati"}),
             boolean("Default"),
         }),
         {order({"Descrizione"})}});

    Fields instalments;
    for (int i = 1; i <= 12; ++i) {
        const QString n = QString::number(i);
        instalments.push_back(number("Rata" + n));
        instalments.push_back(date("Data" + n));
        instalments.push_back(number("Ng" + n));
    }
    t.push_back({"tipi_pagamento",
                 "Id",
                 flat({integer("Id"), text("Descrizione", 100), integer("N_rate"), instalments}),
                 {}});

    t.push_back(wordingList("stringa_finale", 120));
    t.push_back(wordingList("trasporto_mezzo", 120));
    t.push_back(wordingList("aspetto_esteriore", 120));
    t.push_back(wordingList("causale_trasporto", 120));
    t.push_back(wordingList("varie_annotazioni", 120));
    t.push_back(wordingList("vettore", 120));
    t.push_back(wordingList("diciture_tipiche", 50));

    t.push_back({"impostazioni",
                 {},
                 {number("Iva_default"), number("Costo_ass"), graphic("Logo_ca"),
                  graphic("Logo_fatt"), blob("Dicitura_ca")},
                 {}});

    // What the electronic invoice needs and the older tables lack, one record per customer
    // ("C"), obliged subject ("S") or document line ("L"): added beside them, never into them,
    // because the verification program and older copies read those layouts.
    t.push_back({"fatt_elettronica",
                 "Id",
                 {
                     integer("Id"),
                     text("Tipo", 1),
                     integer("Id_rif"),
                     text("Codice_dest", 7),
                     text("Pec", 80),
                     text("Codice_fiscale", 16),
                     text("Regime_fiscale", 4),
                     text("Natura", 4),
                     text("Indirizzo", 60),
                     text("Cap", 5),
                     text("Comune", 60),
                     text("Provincia", 2),
                     integer("Progressivo"),
                 },
                 {named("rif_index", {"Tipo", "Id_rif"})}});

    return t;
}

// The agency file's records as read: every field, dates included, is the text cut from the line.
std::vector<TableDef> stagingTables() {
    std::vector<TableDef> t;

    t.push_back({"riga1",
                 "Id",
                 {
                     integer("Id"),
                     text("Piva", 11),
                     text("Tipo_abilitazione", 1),
                     text("Id_al_sigillo", 30),
                     text("Denominazione", 60),
                     text("Comune_df", 40),
                     text("Prov_df", 2),
                     text("Cognome", 26),
                     text("Nome", 25),
                     text("Sesso", 1),
                     text("Data_nasc", 8),
                     text("Comune_nasc", 40),
                     text("Prov_nasc", 2),
                     text("Anno_rif", 4),
                     text("Tri_rif", 1),
                 },
                 {}});

    t.push_back({"riga2",
                 "Id",
                 {
                     integer("Id"),
                     text("Cf", 16),
                     text("Cognome", 26),
                     text("Nome", 25),
                     text("Sesso", 1),
                     text("Data_nasc", 8),
                     text("Comune_nasc", 40),
                     text("Prov_nasc", 2),
                     text("Id_al_sigillo", 30),
                     text("Id_num_sigillo", 4),
                     text("Responsabile", 1),
                     text("Titolo_studio", 1),
                     text("Data_ini", 8),
                     text("Data_fine", 8),
                 },
                 {}});

    t.push_back({"riga3",
                 "Id",
                 {
                     integer("Id"),
                     text("Cf", 16),
                     text("Id_al_sigillo", 30),
                     text("Id_num_sigillo", 4),
                     text("Data_inizio", 8),
                     text("Data_fine", 8),
                     text("Esito", 1),
                     text("Piva", 11),
                     text("Ragione_sociale", 60),
                     text("Comune", 40),
                     text("Provincia", 2),
                     text("Indirizzo", 35),
                     text("Cap", 5),
                     text("Tipo_intervento", 1),
                     text("Marchio_ms", 40),
                     text("Denominazione_ms", 40),
                     text("Logotipo", 2),
                     text("Matricola", 9),
                     text("Trimestre", 1),
                 },
                 {}});

    return t;
}

// The verification program's tables hold only the columns that the export and import exchange.
std::vector<TableDef> verificationYearTables() {
    return {{"misurazioni",
             "ID_MISURAZIONI",
             {
                 integer("ID_MISURAZIONI"),
                 integer("ID_ESERCIZIO"),
                 integer("ID_MS"),
                 integer("ID_TECNICO"),
                 text("MATRICOLA_MS", 9),
                 text("TIPO_INTERVENTO", 1),
                 date("DATA_INI"),
                 date("DATA_FINE"),
                 text("ESITO", 1),
                 boolean("SCARICO_SN"),
                 text("TRIMESTRE", 1),
                 text("COMUNE", 40),
                 text("PROVINCIA", 2),
                 text("INDIRIZZO", 35),
                 text("CAP", 5),
             },
             {}}};
}

std::vector<TableDef> verificationRegisterTables() {
    std::vector<TableDef> t;

    t.push_back({"esercizio",
                 "Id_esercizio",
                 {integer("Id_esercizio"), text("Ragione_sociale", 60), text("Piva", 11),
                  text("Comune", 40), text("Provincia", 2), text("Indirizzo", 35), text("Cap", 5)},
                 {}});

    t.push_back({"tecnici",
                 "Id_tecnico",
                 {
                     integer("Id_tecnico"),
                     text("Cf", 16),
                     text("Cognome", 26),
                     text("Nome", 25),
                     text("Cogn_nome", 52),
                     text("Sesso", 1),
                     date("Data_nascita"),
                     text("Comune_nascita", 40),
                     text("Prov_nascita", 2),
                     text("Id_nu_sigillo", 4),
                     text("Responsabile", 1),
                     text("Titolo_studio", 1),
                     date("Data_inizio"),
                     date("Data_fine"),
                     integer("Id_sogg"),
                 },
                 {}});

    t.push_back({"ms",
                 "Id_ms",
                 {integer("Id_ms"), text("Marchio_ms", 40), text("Denominazione_ms", 40),
                  text("Logotipo_ms", 2)},
                 {}});

    t.push_back({"Comuni",
                 {},
                 {text("COMUNE", 30), text("PROVINCIAI", 2), text("CODICEFISC", 4), text("CAP", 5)},
                 {}});

    t.push_back({"soggetto_obbligato",
                 "Id_sogg_obbl",
                 {
                     integer("Id_sogg_obbl"),
                     text("Man", 30),
                     text("Piva", 11),
                     integer("Id_Lsogg"),
                     text("PG_denominazione", 60),
                     text("PG_comune_fiscale", 40),
                     text("PG_prov_fiscale", 2),
                     text("PF_cognome", 26),
                     text("PF_nome", 25),
                     text("PF_sesso", 1),
                     date("Pf_data_nascita"),
                     text("Pf_comune_nascita", 40),
                     text("Pf_prov_nascita", 2),
                     text("PG_PF", 1),
                     text("Att", 30),
                 },
                 {}});

    t.push_back({"Lsoggetto_obbligato",
                 "Id_Lsogg",
                 {integer("Id_Lsogg"), integer("Id_sogg"), text("Tipo_abilitazione", 1),
                  text("Id_al_sigillo", 30), text("Tipo_provv", 20), date("Data_provv")},
                 {}});

    return t;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

int TableDef::fieldIndex(const QString& fieldName) const {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (sameName(fields[i].name, fieldName)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const FieldDef* TableDef::field(const QString& fieldName) const {
    const int i = fieldIndex(fieldName);
    return i < 0 ? nullptr : &fields[static_cast<std::size_t>(i)];
}

const IndexDef* TableDef::index(const QString& indexName) const {
    if (indexName.isEmpty()) {
        return nullptr;
    }
    for (const IndexDef& candidate : indexes) {
        if (sameName(candidate.name, indexName)) {
            return &candidate;
        }
    }
    return nullptr;
}

QString TableDef::sqlIndexName(const IndexDef& index) const {
    if (!index.name.isEmpty()) {
        return index.name;
    }
    return "ord_" + index.fields.join('_');
}

namespace catalogue {

const std::vector<TableDef>& tables(TableSet set) {
    switch (set) {
    case TableSet::Staging: {
        static const std::vector<TableDef> staging = stagingTables();
        return staging;
    }
    case TableSet::VerificationYear: {
        static const std::vector<TableDef> verificationYear = verificationYearTables();
        return verificationYear;
    }
    case TableSet::VerificationRegister: {
        static const std::vector<TableDef> verificationRegister = verificationRegisterTables();
        return verificationRegister;
    }
    case TableSet::Year:
        break;
    }
    static const std::vector<TableDef> year = yearTables();
    return year;
}

const TableDef* find(TableSet set, const QString& name) {
    for (const TableDef& table : tables(set)) {
        if (sameName(table.name, name)) {
            return &table;
        }
    }
    return nullptr;
}

const TableDef& get(TableSet set, const QString& name) {
    if (const TableDef* table = find(set, name)) {
        return *table;
    }
    throw Error(QStringLiteral("Tabella sconosciuta: %1").arg(name));
}

const TableDef& year(const QString& name) {
    return get(TableSet::Year, name);
}

} // namespace catalogue
} // namespace store
