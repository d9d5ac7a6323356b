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
    source.forEachRecord([&] {
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
    });
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
    source.sogg.forEachRecord([&] {
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
    });
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
    const store::Field customerKey = source.esercizio.field(QStringLiteral("Id_esercizio"));
    const store::Field customerVat = source.esercizio.field(QStringLiteral("Piva"));
    source.esercizio.forEachRecord(
        [&] { vatOfCustomer.insert(customerKey.asInteger(), customerVat.value()); });
    QHash<int, QVariant> modelName;
    const store::Field modelKey = source.ms.field(QStringLiteral("Id_ms"));
    const store::Field modelTitle = source.ms.field(QStringLiteral("Denominazione_ms"));
    source.ms.forEachRecord([&] { modelName.insert(modelKey.asInteger(), modelTitle.value()); });

    int contractId = store::rules::nextIdentifier(to.contracts, QStringLiteral("ID"));
    int lineId = store::rules::nextIdentifier(to.lines, QStringLiteral("ID"));
    int articleId = store::rules::nextIdentifier(to.articles, QStringLiteral("Id"));
    store::Table& v = source.misurazioni;
    // Found once: the loop runs once per verification.
    const auto fields = [](store::Table& t, std::initializer_list<const char*> names) {
        std::vector<store::Field> found;
        for (const char* name : names)
            found.push_back(t.field(QString::fromLatin1(name)));
        return found;
    };
    const std::vector<store::Field> from =
        fields(v, {"DATA_FINE", "ID_ESERCIZIO", "ID_MS", "MATRICOLA_MS", "COMUNE", "INDIRIZZO",
                   "CAP", "PROVINCIA"});
    const store::Field &end = from[0], &customerId = from[1], &model = from[2], &serial = from[3],
                       &town = from[4], &street = from[5], &postcode = from[6], &province = from[7];
    const std::vector<store::Field> contract =
        fields(to.contracts, {"ID", "ID_CLIENTE", "VAL_DAL", "DURATA", "VAL_AL", "ID_CONTRATTO"});
    const std::vector<store::Field> line =
        fields(to.lines, {"ID_ELENCO", "ID", "Id_ms", "MATRICOLA", "DESCRIZIONE", "Piva", "Comune",
                          "Indirizzo", "Cap", "PROVINCIA"});
    const std::vector<store::Field> article =
        fields(to.articles, {"Id", "Id_esercizio", "Piva", "Id_ms", "Matricola", "Assistenza_sn",
                             "Giacenza_sn", "Qta", "Comune", "Indirizzo", "Cap", "Provincia"});
    const store::ReadScope reading(v.file().get());
    v.forEachRecord([&] {
        const QDate ends = end.asDate();
        const int customer = customerId.asInteger();
        const bool knownCustomer = !customerId.isNull() && vatOfCustomer.contains(customer);

        to.contracts.append();
        contract[0].setValue(contractId);
        contract[1].setValue(customerId.value());
        contract[2].setValue(ends.isValid() ? QVariant(ends) : QVariant());
        contract[3].setValue(QStringLiteral("12 MESI"));
        contract[4].setValue(ends.isValid() ? QVariant(contractEnd(ends)) : QVariant());
        if (type.isNull())
            tell(QStringLiteral("TIPO CONTRATTO NON TROVATO"));
        else
            contract[5].setValue(type);
        to.contracts.post();

        to.lines.append();
        line[0].setValue(contractId);
        line[1].setValue(lineId++);
        line[2].setValue(model.value());
        line[3].setValue(serial.value());
        line[4].setValue(modelName.value(model.asInteger()));
        if (knownCustomer) {
            line[5].setValue(vatOfCustomer.value(customer));
            line[6].setValue(town.value());
            line[7].setValue(street.value());
            line[8].setValue(postcode.value());
            line[9].setValue(province.value());
        }
        to.lines.post();
        ++contractId;

        to.articles.append();
        article[0].setValue(articleId++);
        if (knownCustomer) {
            article[1].setValue(customer);
            article[2].setValue(vatOfCustomer.value(customer));
        }
        article[3].setValue(model.value());
        article[4].setValue(serial.value());
        article[5].setValue(true);
        article[6].setValue(false);
        article[7].setValue(1);
        article[8].setValue(town.value());
        article[9].setValue(street.value());
        article[10].setValue(postcode.value());
        article[11].setValue(province.value());
        to.articles.post();
    });
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
