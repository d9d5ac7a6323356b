#include "store/catalogue.h"
#include "store/error.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace store;

namespace {

QStringList names(const std::vector<TableDef>& tables) {
    QStringList out;
    for (const TableDef& t : tables) {
        out << t.name;
    }
    return out;
}

QStringList fieldNames(const TableDef& table) {
    QStringList out;
    for (const FieldDef& f : table.fields) {
        out << f.name;
    }
    return out;
}

/// True when some index of the table has exactly these leading fields, so the order is served.
bool ordersBy(const TableDef& table, const QStringList& fields) {
    for (const IndexDef& index : table.indexes) {
        if (index.fields.mid(0, fields.size()) == fields) {
            return true;
        }
    }
    return false;
}

const TableSet allSets[] = {TableSet::Year, TableSet::Staging, TableSet::VerificationYear,
                            TableSet::VerificationRegister};

} // namespace

TEST(Catalogue, YearFolderHoldsExactlyTheWorkingTablesInOrder) {
    const QStringList expected = {
        "esercizio",
        "fornitori",
        "ms",
        "COMUNI",
        "tecnici",
        "soggetto_obbligato",
        "Lsoggetto_obbligato",
        "tipo_mov",
        "tipi_contratti",
        "articoli",
        "MOV",
        "Mov_articoli",
        "misurazioni",
        "ele_contratti",
        "LINEE_CONTRATTI",
        "doc",
        "linee_doc",
        "tipo_doc",
        "tipi_pagamento",
        "stringa_finale",
        "trasporto_mezzo",
        "aspetto_esteriore",
        "causale_trasporto",
        "varie_annotazioni",
        "vettore",
        "diciture_tipiche",
        "impostazioni",
        "fatt_elettronica",
    };
    EXPECT_EQ(names(catalogue::tables(TableSet::Year)), expected);
    EXPECT_EQ(names(catalogue::tables(TableSet::Staging)),
              QStringList({"riga1", "riga2", "riga3"}));
    EXPECT_EQ(names(catalogue::tables(TableSet::VerificationYear)), QStringList{"misurazioni"});
    EXPECT_EQ(names(catalogue::tables(TableSet::VerificationRegister)),
              QStringList({"esercizio", "tecnici", "ms", "Comuni", "soggetto_obbligato",
                           "Lsoggetto_obbligato"}));
}

// Faults a transcription slip would leave behind in any table: a key that is not an Integer
// field, two fields SQLite would take for one, a Text without size, an index on a missing field.
TEST(Catalogue, EveryTableIsWellFormed) {
    for (TableSet set : allSets) {
        QSet<QString> tableNames;
        for (const TableDef& t : catalogue::tables(set)) {
            SCOPED_TRACE(t.name.toStdString());
            EXPECT_FALSE(tableNames.contains(t.name.toLower()));
            tableNames.insert(t.name.toLower());

            if (!t.key.isEmpty()) {
                ASSERT_NE(t.field(t.key), nullptr);
                EXPECT_EQ(t.field(t.key)->type, FieldType::Integer);
            }
            QSet<QString> seen;
            for (const FieldDef& f : t.fields) {
                SCOPED_TRACE(f.name.toStdString());
                EXPECT_FALSE(f.name.isEmpty());
                EXPECT_FALSE(seen.contains(f.name.toLower()));
                seen.insert(f.name.toLower());
                if (f.type == FieldType::Text) {
                    EXPECT_GT(f.size, 0);
                } else {
                    EXPECT_EQ(f.size, 0);
                }
            }
            QSet<QString> indexNames;
            for (const IndexDef& index : t.indexes) {
                EXPECT_FALSE(index.fields.isEmpty());
                for (const QString& f : index.fields) {
                    EXPECT_NE(t.field(f), nullptr) << f.toStdString();
                }
                const QString sqlName = t.sqlIndexName(index).toLower();
                EXPECT_FALSE(indexNames.contains(sqlName)) << sqlName.toStdString();
                indexNames.insert(sqlName);
            }
        }
    }
}

TEST(Catalogue, KeysAndUnkeyedTables) {
    EXPECT_EQ(catalogue::year("esercizio").key, "Id_esercizio");
    EXPECT_EQ(catalogue::year("misurazioni").key, "ID_MISURAZIONI");
    EXPECT_EQ(catalogue::year("ele_contratti").key, "ID");
    EXPECT_EQ(catalogue::year("Lsoggetto_obbligato").key, "Id_Lsogg");
    EXPECT_TRUE(catalogue::year("COMUNI").key.isEmpty());
    EXPECT_TRUE(catalogue::year("impostazioni").key.isEmpty());
    EXPECT_TRUE(catalogue::get(TableSet::VerificationRegister, "Comuni").key.isEmpty());
    for (const TableDef& t : catalogue::tables(TableSet::Staging)) {
        EXPECT_EQ(t.key, "Id");
        // Dates of the agency file are kept as the text cut from the line.
        for (const FieldDef& f : t.fields) {
            if (f.name != "Id") {
                EXPECT_EQ(f.type, FieldType::Text) << f.name.toStdString();
            }
        }
    }
}

TEST(Catalogue, MovHasEveryStoredFieldAndNoLookupOrCalculatedOnes) {
    const QStringList expected = {
        "Id",
        "Id_tipomov",
        "ID_MISURAZIONI",
        "ID_ESERCIZIO",
        "ID_MS",
        "ID_TECNICO",
        "MATRICOLA_MS",
        "TIPO_INTERVENTO",
        "DATA_INI",
        "DATA_FINE",
        "ESITO",
        "SCARICO_SN",
        "TRIMESTRE",
        "Piva",
        "COMUNE",
        "PROVINCIA",
        "INDIRIZZO",
        "CAP",
        "Data",
        "Ora",
        "Nota1",
        "Nota2",
        "Nota3",
        "Nota4",
        "Rec_urgente",
        "Accordi",
        "Appuntamento",
        "Data_app",
        "Ora_app",
        "Evasa_sn",
        "Rapp1",
        "Rapp2",
        "Rapp3",
        "Rapp4",
        "Dal_magazzino_sn",
        "Da_fatt_sn",
        "Fatt_sn",
        "Parlato_con",
        "Segnalazione",
        "Rinnovo_sn",
        "Da_fatt1",
        "Da_fatt2",
        "Da_fatt3",
        "Da_fatt4",
        "Imp_fatt",
        "Iva_fatt",
        "Gia_fatt_sn",
        "Rip_art_fatt",
    };
    const TableDef& mov = catalogue::year("MOV");
    EXPECT_EQ(fieldNames(mov), expected);
    EXPECT_EQ(mov.field("Ora")->type, FieldType::Time);
    EXPECT_EQ(mov.field("Data_app")->type, FieldType::Date);
    EXPECT_EQ(mov.field("Imp_fatt")->type, FieldType::Number);
    EXPECT_EQ(mov.field("Rip_art_fatt")->type, FieldType::Boolean);
    for (const char* notStored : {"ragionesociale", "tipo_mov", "marchio_ms", "denom_ms",
                                  "logotipo_ms", "cogn_no_idnumsig", "id_al_num"}) {
        EXPECT_EQ(mov.field(notStored), nullptr) << notStored;
    }
    EXPECT_EQ(catalogue::year("articoli").field("rs_forn"), nullptr);
    EXPECT_EQ(catalogue::year("tecnici").field("al_sigillo"), nullptr);
}

TEST(Catalogue, TextSizes) {
    struct Case {
        const char* table;
        const char* field;
        int size;
    };
    const Case cases[] = {
        {"COMUNI", "COMUNE", 30},
        {"esercizio", "Giorno_chiusura", 20},
        {"esercizio", "Dati_xfatt2", 120},
        {"fornitori", "Fax2", 50},
        {"Lsoggetto_obbligato", "Tipo_provv", 20},
        {"tecnici", "Cogn_no_sigillo", 85},
        {"MOV", "MATRICOLA_MS", 9},
        {"MOV", "Da_fatt4", 50},
        {"doc", "Piva", 16},
        {"doc", "Trasporto_amezzo", 120},
        {"ele_contratti", "NOTE", 150},
        {"linee_doc", "Tipo_calcolo", 16},
        {"stringa_finale", "Descrizione", 120},
        {"vettore", "Descrizione", 120},
        {"diciture_tipiche", "Descrizione", 50},
    };
    for (const Case& c : cases) {
        const FieldDef* f = catalogue::year(c.table).field(c.field);
        ASSERT_NE(f, nullptr) << c.table << "." << c.field;
        EXPECT_EQ(f->type, FieldType::Text) << c.table << "." << c.field;
        EXPECT_EQ(f->size, c.size) << c.table << "." << c.field;
    }
}

TEST(Catalogue, GroupedRowsAreExpanded) {
    const TableDef& pag = catalogue::year("tipi_pagamento");
    ASSERT_EQ(pag.fields.size(), 1u + 1u + 1u + 36u);
    EXPECT_EQ(pag.fieldIndex("Rata1"), 3);
    EXPECT_EQ(pag.fieldIndex("Data1"), 4);
    EXPECT_EQ(pag.fieldIndex("Ng1"), 5);
    EXPECT_EQ(pag.fields.back().name, "Ng12");
    for (int i = 1; i <= 12; ++i) {
        const QString n = QString::number(i);
        EXPECT_EQ(pag.field("Rata" + n)->type, FieldType::Number);
        EXPECT_EQ(pag.field("Data" + n)->type, FieldType::Date);
        EXPECT_EQ(pag.field("Ng" + n)->type, FieldType::Number);
    }

    const TableDef& doc = catalogue::year("doc");
    for (const char* f : {"Iva1", "Iva4", "Iva1_", "Iva4_", "Imp1", "Imp4"}) {
        ASSERT_NE(doc.field(f), nullptr) << f;
        EXPECT_EQ(doc.field(f)->type, FieldType::Number) << f;
    }
    EXPECT_EQ(doc.field("Iva5"), nullptr);

    const TableDef& tipoDoc = catalogue::year("tipo_doc");
    int booleans = 0;
    for (const FieldDef& f : tipoDoc.fields) {
        booleans += f.type == FieldType::Boolean ? 1 : 0;
    }
    EXPECT_EQ(booleans, 15); // fourteen print flags and Default
    EXPECT_NE(tipoDoc.field("Stampa_prezziivati"), nullptr);
}

TEST(Catalogue, OnlyTheFourMeasurementLinksAreRequired) {
    for (TableSet set : allSets) {
        for (const TableDef& t : catalogue::tables(set)) {
            for (const FieldDef& f : t.fields) {
                if (f.required) {
                    EXPECT_TRUE(set == TableSet::Year && t.name == "misurazioni")
                        << t.name.toStdString() << "." << f.name.toStdString();
                }
            }
        }
    }
    const TableDef& mis = catalogue::year("misurazioni");
    for (const char* f : {"ID_MISURAZIONI", "ID_ESERCIZIO", "ID_MS", "ID_TECNICO"}) {
        EXPECT_TRUE(mis.field(f)->required) << f;
    }
    EXPECT_FALSE(mis.field("Id_mov")->required);
}

TEST(Catalogue, NamedIndexesAndRequestedOrders) {
    struct Named {
        const char* table;
        const char* index;
        QStringList fields;
    };
    const Named named[] = {
        {"ms", "indice1", {"Marchio_ms", "Denominazione_ms"}},
        {"tecnici", "indice1", {"Cogn_nome"}},
        {"MOV", "data_ora_index", {"Data", "Ora"}},
        {"esercizio", "rs_index", {"Ragione_sociale"}},
        {"esercizio", "prov_index", {"Provincia"}},
        {"fornitori", "rs_index", {"Ragione_sociale"}},
        {"Lsoggetto_obbligato", "id_sogg_index", {"Id_sogg"}},
        {"Mov_articoli", "mov_index", {"Id_mov"}},
        {"misurazioni", "idmov_index", {"Id_mov"}},
        {"LINEE_CONTRATTI", "id_elenco_index", {"ID_ELENCO"}},
        {"linee_doc", "doc_index", {"Id_doc"}},
        {"diciture_tipiche", "descr_index", {"Descrizione"}},
    };
    for (const Named& n : named) {
        const IndexDef* index = catalogue::year(n.table).index(n.index);
        ASSERT_NE(index, nullptr) << n.table << "." << n.index;
        EXPECT_EQ(index->fields, n.fields) << n.table << "." << n.index;
    }
    for (const TableDef& t : catalogue::tables(TableSet::Year)) {
        if (t.field("Descrizione") && t.fields.size() == 2) {
            EXPECT_NE(t.index("descr_index"), nullptr) << t.name.toStdString();
        }
    }

    struct Order {
        const char* table;
        QStringList fields;
    };
    const Order orders[] = {
        {"esercizio", {"Ragione_sociale"}}, {"ms", {"Marchio_ms", "Denominazione_ms"}},
        {"articoli", {"Descrizione"}},      {"misurazioni", {"DATA_FINE"}},
        {"ele_contratti", {"VAL_AL"}},      {"doc", {"Id_tipodoc", "Numero_doc"}},
        {"tipo_doc", {"Descrizione"}},
    };
    for (const Order& o : orders) {
        EXPECT_TRUE(ordersBy(catalogue::year(o.table), o.fields))
            << o.table << " by " << o.fields.join(';').toStdString();
    }
}

TEST(Catalogue, SqlIndexNames) {
    const TableDef& doc = catalogue::year("doc");
    ASSERT_EQ(doc.indexes.size(), 1u);
    EXPECT_TRUE(doc.indexes[0].name.isEmpty());
    EXPECT_EQ(doc.sqlIndexName(doc.indexes[0]), "ord_Id_tipodoc_Numero_doc");

    const TableDef& mov = catalogue::year("MOV");
    EXPECT_EQ(mov.sqlIndexName(*mov.index("data_ora_index")), "data_ora_index");
    // An unnamed index cannot be asked for by name, not even by the empty one.
    EXPECT_EQ(doc.index(""), nullptr);
}

TEST(Catalogue, LookupsIgnoreLetterCaseAndUnknownNamesFail) {
    EXPECT_EQ(catalogue::find(TableSet::Year, "mov"), &catalogue::year("MOV"));
    EXPECT_EQ(catalogue::find(TableSet::Year, "Mov_Articoli")->name, "Mov_articoli");
    EXPECT_EQ(catalogue::find(TableSet::Year, "comuni")->name, "COMUNI");
    EXPECT_EQ(catalogue::find(TableSet::VerificationRegister, "COMUNI")->name, "Comuni");
    EXPECT_EQ(catalogue::find(TableSet::Staging, "RIGA2")->name, "riga2");
    EXPECT_EQ(catalogue::find(TableSet::Year, "riga1"), nullptr);
    EXPECT_EQ(catalogue::find(TableSet::Staging, "MOV"), nullptr);

    // Same name, different family: the verification program's narrower table.
    EXPECT_NE(&catalogue::get(TableSet::VerificationYear, "misurazioni"),
              &catalogue::year("misurazioni"));

    const TableDef& mov = catalogue::year("MOV");
    EXPECT_EQ(mov.fieldIndex("id_tecnico"), mov.fieldIndex("ID_TECNICO"));
    EXPECT_EQ(mov.field("DATA")->name, "Data");
    EXPECT_EQ(mov.fieldIndex("nessuno"), -1);
    EXPECT_EQ(mov.field("nessuno"), nullptr);
    EXPECT_EQ(catalogue::year("ms").index("INDICE1")->name, "indice1");
    EXPECT_EQ(catalogue::year("ms").index("rs_index"), nullptr);

    EXPECT_THROW(catalogue::year("movimenti"), Error);
    try {
        catalogue::get(TableSet::VerificationRegister, "MOV");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains("MOV"));
    }
}

TEST(Catalogue, VerificationProgramTablesHoldOnlyTheExchangedFields) {
    struct Case {
        TableSet set;
        const char* table;
        QStringList fields;
    };
    const Case cases[] = {
        {TableSet::VerificationYear,
         "misurazioni",
         {"ID_MISURAZIONI", "ID_ESERCIZIO", "ID_MS", "ID_TECNICO", "MATRICOLA_MS",
          "TIPO_INTERVENTO", "DATA_INI", "DATA_FINE", "ESITO", "SCARICO_SN", "TRIMESTRE", "COMUNE",
          "PROVINCIA", "INDIRIZZO", "CAP"}},
        {TableSet::VerificationRegister,
         "esercizio",
         {"Id_esercizio", "Ragione_sociale", "Piva", "Comune", "Provincia", "Indirizzo", "Cap"}},
        {TableSet::VerificationRegister,
         "tecnici",
         {"Id_tecnico", "Cf", "Cognome", "Nome", "Cogn_nome", "Sesso", "Data_nascita",
          "Comune_nascita", "Prov_nascita", "Id_nu_sigillo", "Responsabile", "Titolo_studio",
          "Data_inizio", "Data_fine", "Id_sogg"}},
        {TableSet::VerificationRegister,
         "ms",
         {"Id_ms", "Marchio_ms", "Denominazione_ms", "Logotipo_ms"}},
        {TableSet::VerificationRegister, "Comuni", {"COMUNE", "PROVINCIAI", "CODICEFISC", "CAP"}},
        {TableSet::VerificationRegister,
         "soggetto_obbligato",
         {"Id_sogg_obbl", "Man", "Piva", "Id_Lsogg", "PG_denominazione", "PG_comune_fiscale",
          "PG_prov_fiscale", "PF_cognome", "PF_nome", "PF_sesso", "Pf_data_nascita",
          "Pf_comune_nascita", "Pf_prov_nascita", "PG_PF", "Att"}},
        {TableSet::VerificationRegister,
         "Lsoggetto_obbligato",
         {"Id_Lsogg", "Id_sogg", "Tipo_abilitazione", "Id_al_sigillo", "Tipo_provv", "Data_provv"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        const TableDef& vp = catalogue::get(c.set, c.table);
        EXPECT_EQ(fieldNames(vp), c.fields);
        // Export and import copy field to field: a differing type or size would cut or fail.
        const TableDef& own = catalogue::year(c.table);
        for (const FieldDef& f : vp.fields) {
            const FieldDef* ours = own.field(f.name);
            ASSERT_NE(ours, nullptr) << f.name.toStdString();
            EXPECT_EQ(ours->type, f.type) << f.name.toStdString();
            EXPECT_EQ(ours->size, f.size) << f.name.toStdString();
        }
    }
    EXPECT_EQ(catalogue::get(TableSet::VerificationRegister, "tecnici").key, "Id_tecnico");
    EXPECT_EQ(catalogue::get(TableSet::VerificationRegister, "soggetto_obbligato").key,
              "Id_sogg_obbl");
}
