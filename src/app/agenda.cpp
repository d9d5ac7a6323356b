#include "app/agenda.h"

#include "store/dm.h"
#include "store/error.h"
#include "store/filter.h"
#include "store/value.h"

#include <QLocale>

namespace app::agenda {

namespace {

QString shortDate(const QDate& day) {
    return store::value::italianDate(day);
}

/// "([field]='value')".
QString term(const QString& field, const QString& value) {
    return QLatin1Char('(') + store::filterComparison(field, value) + QLatin1Char(')');
}

} // namespace

void applyDayFilter(store::Table& table, const QString& filter, const QString& lastFilter,
                    const MessageSink& message) {
    // The grids hear of the new filter once: each intermediate state would make them list the
    // whole table.
    table.disableControls();
    try {
        table.setFiltered(false);
        table.setFilter(filter);
        table.setFiltered(true);
    } catch (const store::Error&) {
        table.enableControls();
        if (message)
            message(QStringLiteral("Filtro incorretto.") + lastFilter);
        table.setFiltered(false);
        return;
    }
    table.enableControls();
}

QDate previousYear(const QDate& date) {
    QDate d = date;
    if (d.month() == 2 && d.day() == 29)
        d = QDate(d.year(), 2, 28);
    return d.addYears(-1);
}

QDate nextYear(const QDate& date) {
    QDate d = date;
    if (d.month() == 2 && d.day() == 29)
        d = QDate(d.year(), 2, 28);
    return d.addYears(1);
}

QDate previousMonth(const QDate& date) {
    return date.addMonths(-1);
}
QDate nextMonth(const QDate& date) {
    return date.addMonths(1);
}

QString dateCaption(const QDate& date) {
    return QLocale(QLocale::Italian, QLocale::Italy)
        .toString(date, QStringLiteral("dddd d MMMM yyyy"))
        .toUpper();
}

QString movementsOfTypeFilter(const QDate& day, const QString& typeId) {
    return term(QStringLiteral("data"), shortDate(day)) + QStringLiteral(" and ") +
           term(QStringLiteral("id_tipomov"), typeId);
}

QString appointmentsFilter(const QDate& day) {
    return term(QStringLiteral("Data_app"), shortDate(day));
}

QString expiringContractsFilter(const QDate& day) {
    return term(QStringLiteral("VAL_AL"), shortDate(day));
}

void showMovementsOfKind(Tdm& data, const QDate& day, const QString& kind,
                         const QString& lastFilter, const MessageSink& message) {
    data.Tabtipomov.locate(QStringLiteral("Descrizione"), kind);
    const QString typeId = data.Tabtipomov.field(QStringLiteral("Id")).asString();
    applyDayFilter(data.Tabmov, movementsOfTypeFilter(day, typeId), lastFilter, message);
}

void showAppointments(Tdm& data, const QDate& day, const QString& lastFilter,
                      const MessageSink& message) {
    applyDayFilter(data.Tabmov, appointmentsFilter(day), lastFilter, message);
}

void showExpiringContracts(Tdm& data, const QDate& day, const QString& lastFilter,
                           const MessageSink& message) {
    applyDayFilter(data.Tabcontratti, expiringContractsFilter(day), lastFilter, message);
}

} // namespace app::agenda
