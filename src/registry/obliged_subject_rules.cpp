#include "registry/obliged_subject_rules.h"

#include "store/dm.h"
#include "store/references.h"

namespace registry {

namespace {

QString text(store::Table& t, const char* field) {
    return t.field(QString::fromLatin1(field)).asString().trimmed();
}

/// A municipality found in `COMUNI` fills the province; an unknown one changes nothing.
void attachProvinceLookup(store::Table& t, const QString& municipalityField, store::Table& comuni,
                          const QString& provinceField) {
    t.onFieldChange(municipalityField, [&comuni, provinceField](store::Field f) {
        if (f.asString().isEmpty())
            return;
        if (const auto found = store::rules::lookupRecord(
                comuni, QStringLiteral("COMUNE"), f.asString(), {QStringLiteral("PROVINCIAI")}))
            f.table().field(provinceField).setValue(found->front());
    });
}

} // namespace

void attachObligedSubjectRules(Tdm& dm, store::rules::WarningSink warn) {
    store::rules::attachIdentifierAfterInsert(dm.Tabsoggetto, QStringLiteral("Id_sogg_obbl"));
    store::rules::attachIdentifierAfterInsert(dm.TabLsogg, QStringLiteral("Id_Lsogg"));
    store::Table* subject = &dm.Tabsoggetto;
    dm.TabLsogg.on(store::Event::AfterInsert, [subject](store::Table& t) {
        t.field(QStringLiteral("Id_sogg"))
            .setValue(subject->field(QStringLiteral("Id_sogg_obbl")).value());
    });
    attachProvinceLookup(dm.Tabsoggetto, QStringLiteral("PG_comune_fiscale"), dm.Tabcomuni,
                         QStringLiteral("PG_prov_fiscale"));
    attachProvinceLookup(dm.Tabsoggetto, QStringLiteral("Pf_comune_nascita"), dm.Tabcomuni,
                         QStringLiteral("Pf_prov_nascita"));
    store::rules::attachVatCheck(dm.Tabsoggetto, QStringLiteral("Piva"), std::move(warn));
}

bool obligedSubjectComplete(Tdm& dm) {
    store::Table& t = dm.Tabsoggetto;
    if (text(t, "Piva").isEmpty())
        return false;
    if (text(t, "PG_PF") == QLatin1String("0")) {
        for (const char* field : {"PG_denominazione", "PG_comune_fiscale", "PG_prov_fiscale"})
            if (text(t, field).isEmpty())
                return false;
        return true;
    }
    for (const char* field :
         {"PF_cognome", "PF_nome", "Pf_comune_nascita", "Pf_prov_nascita", "PF_sesso"})
        if (text(t, field).isEmpty())
            return false;
    return t.field(QStringLiteral("Pf_data_nascita")).asDate().isValid();
}

bool authorisationComplete(Tdm& dm) {
    return !text(dm.TabLsogg, "Id_al_sigillo").isEmpty() &&
           !text(dm.TabLsogg, "Tipo_abilitazione").isEmpty();
}

std::optional<QString> authorisationDeleteRefusal(const Tdm& dm, int authorisationId) {
    if (store::rules::anyRecordWith(dm.Tabtecnico, QStringLiteral("Id_sogg"), authorisationId))
        return QStringLiteral("Eliminazione impossibile. Eliminare prima i tecnici legati a "
                              "questa abilitazione.");
    return std::nullopt;
}

} // namespace registry
