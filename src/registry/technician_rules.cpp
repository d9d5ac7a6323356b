#include "registry/technician_rules.h"

#include "registry/codfis.h"
#include "store/dm.h"
#include "store/error.h"
#include "store/references.h"

#include <QStringList>

namespace registry {

namespace {

QString text(store::Table& t, const char* field) {
    return t.field(QString::fromLatin1(field)).asString();
}

/// Province and cadastral code of the municipality of `COMUNI` named exactly `name`.
std::optional<std::vector<QVariant>> findMunicipality(store::Table& comuni, const QString& name) {
    if (name.isEmpty())
        return std::nullopt;
    return store::rules::lookupRecord(comuni, QStringLiteral("COMUNE"), name,
                                      {QStringLiteral("PROVINCIAI"), QStringLiteral("CODICEFISC")});
}

/// Keeps the derived names, the province and the fiscal code in step with the personal data.
void refreshPersonalData(store::Table& t, store::Table& comuni, Tcodfis& codfis) {
    const QString surname = text(t, "Cognome");
    const QString name = text(t, "Nome");
    t.field(QStringLiteral("Cogn_nome")).setAsString(surname + u' ' + name);
    t.field(QStringLiteral("Cogn_no_sigillo"))
        .setAsString(surname + u' ' + name + u' ' + text(t, "Id_nu_sigillo"));
    const QString municipality = text(t, "Comune_nascita");
    const auto known = findMunicipality(comuni, municipality);
    if (known)
        t.field(QStringLiteral("Prov_nascita")).setValue((*known)[0]);
    try {
        codfis.setCodfis(QString());
        codfis.nome = name;
        codfis.cognome = surname;
        codfis.sesso = text(t, "Sesso") == QLatin1String("M") ? TSesso::M : TSesso::F;
        codfis.Data_Nascita = t.field(QStringLiteral("Data_nascita")).asDate();
        // An unknown municipality must not leave the previous one's code behind: the empty
        // code makes the computation answer "8" instead of a wrong sixteen characters.
        codfis.Codice_comune = known ? (*known)[1].toString() : QString();
        codfis.Calcola();
        t.field(QStringLiteral("Cf")).setAsString(codfis.Valido() ? codfis.codfis() : QString());
    } catch (const store::Error&) {
        // The fiscal code keeps its previous value.
    }
}

} // namespace

void attachTechnicianRules(Tdm& dm, Tcodfis& codfis, store::rules::WarningSink warn) {
    store::Table& t = dm.Tabtecnico;
    store::rules::attachIdentifierAfterInsert(t, QStringLiteral("Id_tecnico"));
    store::Table* comuni = &dm.Tabcomuni;
    Tcodfis* component = &codfis;
    for (const char* field :
         {"Cognome", "Nome", "Sesso", "Comune_nascita", "Id_nu_sigillo", "Data_nascita"})
        t.onFieldChange(QString::fromLatin1(field), [comuni, component](store::Field f) {
            refreshPersonalData(f.table(), *comuni, *component);
        });
    t.onFieldChange(QStringLiteral("Cf"), [component, warn = std::move(warn)](store::Field f) {
        if (component->Valido() || !warn)
            return;
        warn({f.asString().isEmpty() ? QString() : QStringLiteral("Errore codice Fiscale"),
              &f.table(), QStringLiteral("Cf")});
    });
}

bool technicianComplete(Tdm& dm) {
    store::Table& t = dm.Tabtecnico;
    for (const char* field : {"Cognome", "Nome", "Comune_nascita", "Prov_nascita", "Sesso"})
        if (text(t, field).trimmed().isEmpty())
            return false;
    // A result code of a failed computation ("5", "7", ...) is not a fiscal code.
    if (text(t, "Cf").trimmed().size() != 16)
        return false;
    if (!t.field(QStringLiteral("Vf_sn")).asBoolean())
        return true;
    for (const char* field : {"al_sigillo", "Id_nu_sigillo", "Responsabile", "Titolo_studio"})
        if (text(t, field).trimmed().isEmpty())
            return false;
    return t.field(QStringLiteral("Data_inizio")).asDate().isValid() &&
           t.field(QStringLiteral("Data_nascita")).asDate().isValid();
}

std::optional<QString> technicianDeleteRefusal(const Tdm& dm, int technicianId) {
    if (store::rules::anyRecordWith(dm.Tabmisurazioni, QStringLiteral("ID_TECNICO"), technicianId))
        return QStringLiteral("Eliminazione impossibile. Eliminare prima le verificazioni fatte "
                              "da questo tecnico.");
    if (store::rules::anyRecordWith(dm.Tabmov, QStringLiteral("ID_TECNICO"), technicianId))
        return QStringLiteral("Eliminazione impossibile. Eliminare prima i movimenti fatti da "
                              "questo tecnico.");
    return std::nullopt;
}

} // namespace registry
