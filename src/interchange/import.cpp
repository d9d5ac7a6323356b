#include "interchange/import.h"

#include "interchange/verification_tables.h"
#include "store/dm.h"
#include "store/engine.h"
#include "store/rules.h"
#include "store/table.h"

#include <QHash>

namespace interchange {

namespace {

/// The fields set one by one, in this order, so that the change rules run as when typed.
void setInOrder(store::Table& from, store::Table& to, std::initializer_list<const char*> fields) {
    FieldCopy(from, to, fields)();
}

void importTechnicians(store::Table& source, store::Table& target) {
    target.setFiltered(false);
    target.emptyTable();
    const store::Field cf = target.field(QStringLiteral("Cf"));
    const store::ReadScope reading(source.file().get());
    for (source.first(); !source.eof(); source.next()) {
        target.append();
        setInOrder(source, target,
                   {"Id_tecnico", "Cf", "Cognome", "Nome", "Cogn_nome", "Sesso", "Data_nascita",
                    "Comune_nascita", "Prov_nascita", "Id_nu_sigillo", "Responsabile",
                    "Titolo_studio", "Data_inizio"});
        if (!source.field(QStringLiteral("Data_fine")).isNull())
            setInOrder(source, target, {"Data_fine"});
        setInOrder(source, target, {"Id_sogg"});
        target.field(QStringLiteral("Vf_sn")).setAsBoolean(true);
        // A municipality unknown here leaves a result code, not a fiscal code: the source's
        // code is the one that stays.
        const QString sourceCf = source.field(QStringLiteral("Cf")).asString();
        if (cf.asString().size() != 16 && !sourceCf.isEmpty())
            cf.setAsString(sourceCf);
        target.post();
    }
}

void importObligedSubjects(VerificationTables& source, store::Table& subjects,
                           store::Table& authorisations) {
    authorisations.emptyTable();
    subjects.emptyTable();
    const FieldCopy subject(source.sogg, subjects,
                            {"Id_sogg_obbl", "Man", "Id_Lsogg", "Piva", "PG_denominazione",
                             "PG_comune_fiscale", "PG_prov_fiscale", "PF_cognome", "PF_nome",
                             "PF_sesso", "Pf_data_nascita", "Pf_comune_nascita", "Pf_prov_nascita",
                             "PG_PF", "Att"});
    const FieldCopy authorisation(
        source.abilitazioni, authorisations,
        {"Id_Lsogg", "Id_sogg", "Id_al_sigillo", "Tipo_abilitazione", "Tipo_provv", "Data_provv"});
    store::Table& own = source.abilitazioni;
    for (source.sogg.first(); !source.sogg.eof(); source.sogg.next()) {
        subjects.append();
        subject();
        subjects.post();
        own.setFilter(QStringLiteral("[Id_sogg]='%1'")
                          .arg(source.sogg.field(QStringLiteral("Id_sogg_obbl")).asInteger()));
        own.setFiltered(true);
        for (own.first(); !own.eof(); own.next()) {
            authorisations.append();
            authorisation();
            authorisations.post();
        }
        own.setFiltered(false);
    }
}

/// The objects of the contracts and machine park built from the verifications.
struct ParkTargets {
    store::Table& contracts;
    store::Table& lines;
    store::Table& articles;
    store::Table& contractTypes;
};

void buildContracts(VerificationTables& source, const ParkTargets& to,
                    const std::function<void(const QString&)>& tell) {
    to.contracts.emptyTable();
    to.lines.emptyTable();
    to.articles.emptyTable();
    const QVariant type =
        to.contractTypes.lookup(QStringLiteral("Nome_contratto"),
                                QStringLiteral("VERIFICA PERIODICA"), QStringLiteral("Id"));

    QHash<int, QVariant> vatOfCustomer;
    for (source.esercizio.first(); !source.esercizio.eof(); source.esercizio.next())
        vatOfCustomer.insert(source.esercizio.field(QStringLiteral("Id_esercizio")).asInteger(),
                             source.esercizio.field(QStringLiteral("Piva")).value());
    QHash<int, QVariant> modelName;
    for (source.ms.first(); !source.ms.eof(); source.ms.next())
        modelName.insert(source.ms.field(QStringLiteral("Id_ms")).asInteger(),
                         source.ms.field(QStringLiteral("Denominazione_ms")).value());

    int contractId = store::rules::nextIdentifier(to.contracts, QStringLiteral("ID"));
    int lineId = store::rules::nextIdentifier(to.lines, QStringLiteral("ID"));
    int articleId = store::rules::nextIdentifier(to.articles, QStringLiteral("Id"));
    store::Table& v = source.misurazioni;
    const store::ReadScope reading(v.file().get());
    const auto value = [&v](const char* field) {
        return v.field(QString::fromLatin1(field)).value();
    };
    const auto set = [](store::Table& t, const char* field, const QVariant& x) {
        t.field(QString::fromLatin1(field)).setValue(x);
    };
    for (v.first(); !v.eof(); v.next()) {
        const QDate end = v.field(QStringLiteral("DATA_FINE")).asDate();
        const int customer = v.field(QStringLiteral("ID_ESERCIZIO")).asInteger();
        const bool knownCustomer =
            !v.field(QStringLiteral("ID_ESERCIZIO")).isNull() && vatOfCustomer.contains(customer);

        to.contracts.append();
        set(to.contracts, "ID", contractId);
        set(to.contracts, "ID_CLIENTE", value("ID_ESERCIZIO"));
        set(to.contracts, "VAL_DAL", end.isValid() ? QVariant(end) : QVariant());
        set(to.contracts, "DURATA", QStringLiteral("12 MESI"));
        set(to.contracts, "VAL_AL", end.isValid() ? QVariant(contractEnd(end)) : QVariant());
        if (type.isNull())
            tell(QStringLiteral("TIPO CONTRATTO NON TROVATO"));
        else
            set(to.contracts, "ID_CONTRATTO", type);
        to.contracts.post();

        to.lines.append();
        set(to.lines, "ID_ELENCO", contractId);
        set(to.lines, "ID", lineId++);
        set(to.lines, "Id_ms", value("ID_MS"));
        set(to.lines, "MATRICOLA", value("MATRICOLA_MS"));
        set(to.lines, "DESCRIZIONE", modelName.value(v.field(QStringLiteral("ID_MS")).asInteger()));
        if (knownCustomer) {
            set(to.lines, "Piva", vatOfCustomer.value(customer));
            set(to.lines, "Comune", value("COMUNE"));
            set(to.lines, "Indirizzo", value("INDIRIZZO"));
            set(to.lines, "Cap", value("CAP"));
            set(to.lines, "PROVINCIA", value("PROVINCIA"));
        }
        to.lines.post();
        ++contractId;

        to.articles.append();
        set(to.articles, "Id", articleId++);
        if (knownCustomer) {
            set(to.articles, "Id_esercizio", customer);
            set(to.articles, "Piva", vatOfCustomer.value(customer));
        }
        set(to.articles, "Id_ms", value("ID_MS"));
        set(to.articles, "Matricola", value("MATRICOLA_MS"));
        set(to.articles, "Assistenza_sn", true);
        set(to.articles, "Giacenza_sn", false);
        set(to.articles, "Qta", 1);
        set(to.articles, "Comune", value("COMUNE"));
        set(to.articles, "Indirizzo", value("INDIRIZZO"));
        set(to.articles, "Cap", value("CAP"));
        set(to.articles, "Provincia", value("PROVINCIA"));
        to.articles.post();
    }
}

} // namespace

QString importDoneMessage() {
    return QStringLiteral("Eseguito. Consigliamo di chiudere e riaprire il programma.");
}

QDate contractEnd(const QDate& start) {
    // Qt moves 29 February to the last day of February of a year without it.
    return start.addYears(1);
}

void importFromVerification(Tdm& data, VerificationTables& source,
                            const std::function<void(const QString&)>& tell) {
    const QString year = data.Tabtecnico.databaseName();
    store::Table subjects(year, QStringLiteral("soggetto_obbligato"));
    store::Table authorisations(year, QStringLiteral("Lsoggetto_obbligato"));
    store::Table contracts(year, QStringLiteral("ele_contratti"));
    store::Table lines(year, QStringLiteral("LINEE_CONTRATTI"));
    store::Table articles(year, QStringLiteral("articoli"));
    store::Table contractTypes(year, QStringLiteral("tipi_contratti"));
    for (store::Table* t :
         {&subjects, &authorisations, &contracts, &lines, &articles, &contractTypes})
        t->open();
    const std::vector<store::Table*> written = {
        &data.Tabtecnico, &data.Tabms, &authorisations, &subjects, &data.Tabesercizio,
        &data.Tabcomuni,  &contracts,  &lines,          &articles};
    store::AtomicWrite scope(written);
    try {
        importTechnicians(source.tecnici, data.Tabtecnico);
        replaceRecords(source.ms, data.Tabms,
                       {"Id_ms", "Marchio_ms", "Denominazione_ms", "Logotipo_ms"});
        importObligedSubjects(source, subjects, authorisations);
        replaceRecords(
            source.esercizio, data.Tabesercizio,
            {"Id_esercizio", "Ragione_sociale", "Piva", "Comune", "Provincia", "Indirizzo", "Cap"});
        replaceRecords(source.comuni, data.Tabcomuni,
                       {"COMUNE", "PROVINCIAI", "CODICEFISC", "CAP"});
        buildContracts(source, {contracts, lines, articles, contractTypes}, tell);
        scope.commit();
    } catch (...) {
        cancelPending(written);
        throw;
    }
}

} // namespace interchange
