#include "interchange/export.h"

#include "interchange/verification_tables.h"
#include "store/engine.h"
#include "store/rules.h"
#include "store/table.h"

namespace interchange {

namespace {

/// A cursor of its own on one of this system's tables, in the order the export copies it.
struct Source {
    Source(const QString& folder, const char* name, const char* index = nullptr,
           const char* fields = nullptr)
        : table(folder, QString::fromLatin1(name)) {
        if (index)
            table.setIndexName(QString::fromLatin1(index));
        if (fields)
            table.setIndexFieldNames(QString::fromLatin1(fields));
        table.open();
    }
    store::Table table;
};

void exportVerifications(const QString& yearFolder, store::Table& target, int quarter) {
    Source verifications(yearFolder, "misurazioni", nullptr, "DATA_FINE");
    verifications.table.setFilter(quarterFilter(quarter));
    verifications.table.setFiltered(true);
    target.emptyTable();
    int next = store::rules::nextIdentifier(target, QStringLiteral("ID_MISURAZIONI"));
    const FieldCopy copy(verifications.table, target,
                         {"ID_ESERCIZIO", "ID_MS", "ID_TECNICO", "MATRICOLA_MS", "TIPO_INTERVENTO",
                          "DATA_INI", "DATA_FINE", "ESITO", "TRIMESTRE", "COMUNE", "PROVINCIA",
                          "INDIRIZZO", "CAP"});
    const store::Field id = target.field(QStringLiteral("ID_MISURAZIONI"));
    const store::ReadScope reading(verifications.table.file().get());
    verifications.table.forEachRecord([&] {
        target.append();
        id.setAsInteger(next++);
        copy();
        target.post();
    });
}

void exportTechnicians(const QString& yearFolder, store::Table& target) {
    Source technicians(yearFolder, "tecnici", "indice1");
    store::Table& source = technicians.table;
    target.emptyTable();
    const FieldCopy copy(source, target,
                         {"Id_tecnico", "Cf", "Cognome", "Nome", "Sesso", "Data_nascita",
                          "Comune_nascita", "Data_inizio", "Data_fine", "Prov_nascita",
                          "Id_nu_sigillo", "Titolo_studio", "Responsabile", "Id_sogg"});
    const store::Field surname = source.field(QStringLiteral("Cognome"));
    const store::Field name = source.field(QStringLiteral("Nome"));
    const store::Field fullName = target.field(QStringLiteral("Cogn_nome"));
    const store::ReadScope reading(source.file().get());
    source.forEachRecord([&] {
        target.append();
        copy();
        fullName.setAsString(surname.asString() + u' ' + name.asString());
        target.post();
    });
}

/// Only the first obliged subject, and only its authorisations.
void exportObligedSubject(const QString& yearFolder, store::Table& subjects,
                          store::Table& authorisations) {
    Source subject(yearFolder, "soggetto_obbligato");
    subjects.emptyTable();
    authorisations.emptyTable();
    subject.table.first();
    if (subject.table.eof())
        return;
    subjects.append();
    FieldCopy(subject.table, subjects,
              {"Id_sogg_obbl", "Man", "Piva", "Id_Lsogg", "PG_denominazione", "PG_comune_fiscale",
               "PG_prov_fiscale", "PF_cognome", "PF_nome", "PF_sesso", "Pf_data_nascita",
               "Pf_comune_nascita", "Pf_prov_nascita", "PG_PF", "Att"})();
    subjects.post();

    Source own(yearFolder, "Lsoggetto_obbligato", "id_sogg_index");
    own.table.setFilter(QStringLiteral("[Id_sogg]='%1'")
                            .arg(subject.table.field(QStringLiteral("Id_sogg_obbl")).asInteger()));
    own.table.setFiltered(true);
    const FieldCopy copy(
        own.table, authorisations,
        {"Id_Lsogg", "Id_sogg", "Tipo_abilitazione", "Tipo_provv", "Data_provv", "Id_al_sigillo"});
    own.table.forEachRecord([&] {
        authorisations.append();
        copy();
        authorisations.post();
    });
}

void exportRecords(const QString& yearFolder, VerificationTables& target, int quarter) {
    exportVerifications(yearFolder, target.misurazioni, quarter);
    {
        Source customers(yearFolder, "esercizio", "rs_index");
        replaceRecords(
            customers.table, target.esercizio,
            {"Id_esercizio", "Ragione_sociale", "Piva", "Comune", "Provincia", "Indirizzo", "Cap"});
    }
    exportTechnicians(yearFolder, target.tecnici);
    {
        Source models(yearFolder, "ms", "indice1");
        replaceRecords(models.table, target.ms,
                       {"Id_ms", "Marchio_ms", "Denominazione_ms", "Logotipo_ms"});
    }
    {
        Source municipalities(yearFolder, "COMUNI");
        replaceRecords(municipalities.table, target.comuni,
                       {"COMUNE", "PROVINCIAI", "CODICEFISC", "CAP"});
    }
    exportObligedSubject(yearFolder, target.sogg, target.abilitazioni);
}

} // namespace

QString exportFirstQuestion() {
    return QStringLiteral("Inviare i dati dal programma di assistenza al programma di verifiche "
                          "periodiche, tutti i dati presenti nel programma di verifiche "
                          "periodiche potrebbero andare persi?");
}

QString exportSecondQuestion() {
    return QStringLiteral("Sicuri di inviare i dati dal programma di assistenza al programma di "
                          "verifiche periodiche?");
}

void exportToVerification(const QString& yearFolder, VerificationTables& target, int quarter) {
    store::AtomicWrite scope(target.all());
    try {
        exportRecords(yearFolder, target, quarter);
        scope.commit();
    } catch (...) {
        cancelPending(target.all());
        throw;
    }
}

} // namespace interchange
