#include "movements/movement_filter.h"

#include "store/dm.h"
#include "store/error.h"
#include "store/program.h"
#include "store/references.h"
#include "store/value.h"

namespace movements {

namespace {

QString quoted(const QString& text) {
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

/// "(<field>>='from') and (<field><='to')" for a filled pair, joined by " and(" when needed.
void addRange(QString& f, const char* field, const QString& from, const QString& to) {
    if (blankDate(from) || blankDate(to))
        return;
    const QString name = QLatin1Char('[') + QLatin1String(field) + QLatin1Char(']');
    const QString tail =
        QStringLiteral(") and (") + name + QStringLiteral("<=") + quoted(to) + QLatin1Char(')');
    if (f.isEmpty())
        f = QLatin1Char('(') + name + QStringLiteral(">=") + quoted(from) + tail;
    else
        f += QStringLiteral(" and(") + name + QStringLiteral(">=") + quoted(from) + tail;
}

/// "(<field>='n')" or " and(<field>='n')".
void addEqual(QString& f, const char* field, const QString& value) {
    f += (f.isEmpty() ? QStringLiteral("(") : QStringLiteral(" and(")) + QLatin1Char('[') +
         QLatin1String(field) + QStringLiteral("]=") + quoted(value) + QLatin1Char(')');
}

std::optional<int> idOf(store::Table& source, const char* nameField, const QString& name,
                        const char* idField) {
    const auto found = store::rules::lookupRecord(source, QString::fromLatin1(nameField), name,
                                                  {QString::fromLatin1(idField)});
    if (!found || (*found)[0].isNull())
        return std::nullopt;
    return (*found)[0].toInt();
}

} // namespace

bool blankDate(const QString& text) {
    for (const QChar c : text)
        if (c.isDigit())
            return false;
    return true;
}

QString composeFilter(const FilterCriteria& c) {
    QString f;
    addRange(f, "data", c.insertedFrom, c.insertedTo);
    addRange(f, "data_app", c.appointmentFrom, c.appointmentTo);
    if (c.customer)
        addEqual(f, "id_esercizio", QString::number(*c.customer));
    if (c.technician)
        addEqual(f, "id_tecnico", QString::number(*c.technician));
    if (c.type)
        addEqual(f, "id_tipomov", QString::number(*c.type));
    if (c.fulfilment != Fulfilment::All)
        addEqual(f, "evasa_sn",
                 c.fulfilment == Fulfilment::Done ? QStringLiteral("true")
                                                  : QStringLiteral("false"));
    return f;
}

QString startingFilter(const QDate& today, std::optional<int> kind) {
    const QString day = quoted(store::value::italianDate(today));
    const QString either =
        QStringLiteral("[data]=") + day + QStringLiteral(" or [data_app]=") + day;
    if (!kind)
        return either;
    return QLatin1Char('(') + either + QStringLiteral(") and ([id_tipomov]=") +
           quoted(QString::number(*kind)) + QLatin1Char(')');
}

QString kindFilter(int kind) {
    return QStringLiteral("[Id_tipomov]=") + quoted(QString::number(kind));
}

std::optional<FilterCriteria> resolveNames(Tdm& dm, FilterCriteria criteria,
                                           const FilterNames& names,
                                           const std::function<void(const QString&)>& unknown) {
    const struct {
        const QString& name;
        store::Table& source;
        const char* nameField;
        const char* idField;
        std::optional<int> FilterCriteria::*target;
        const char* refusal;
    } lists[] = {
        {names.customer, dm.Tabesercizio, "Ragione_sociale", "Id_esercizio",
         &FilterCriteria::customer, "Esercizio non trovato: "},
        {names.technician, dm.Tabtecnico, "Cogn_no_sigillo", "Id_tecnico",
         &FilterCriteria::technician, "Tecnico non trovato: "},
        {names.type, dm.Tabtipomov, "Descrizione", "Id", &FilterCriteria::type,
         "Tipo movimento non trovato: "},
    };
    for (const auto& list : lists) {
        if (list.name.isEmpty())
            continue;
        const std::optional<int> id = idOf(list.source, list.nameField, list.name, list.idField);
        if (!id) {
            if (unknown)
                unknown(QString::fromUtf8(list.refusal) + list.name);
            return std::nullopt;
        }
        criteria.*list.target = id;
    }
    return criteria;
}

AppliedFilter applyMovementFilter(Tdm& dm, const QString& filter, bool toLast) {
    store::Table& mov = dm.Tabmov;
    // The grids hear of the new filter once, not of each step.
    mov.disableControls();
    AppliedFilter result;
    try {
        mov.setFiltered(false);
        if (!filter.isEmpty()) {
            mov.setFilter(filter);
            mov.setFiltered(true);
            result.line = filter;
        }
    } catch (const store::Error&) {
        mov.setFiltered(false);
        result.line.clear();
        result.refusal = QStringLiteral("Filtro incorretto.") + store::program().lastFilter;
    }
    try {
        if (toLast)
            mov.last();
    } catch (...) {
        mov.enableControls();
        throw;
    }
    mov.enableControls();
    return result;
}

} // namespace movements
