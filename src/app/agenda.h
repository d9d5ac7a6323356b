#pragma once

#include <QDate>
#include <QString>
#include <functional>

class Tdm;
namespace store {
class Table;
}

/// The daily agenda of the main window: calendar moves and the day's filters on the shared
/// movement and contract objects. No widgets: the main window calls these.
namespace app::agenda {

QDate previousYear(const QDate& date);  ///< "<<"; 29 February becomes the 28th first
QDate nextYear(const QDate& date);      ///< ">>"
QDate previousMonth(const QDate& date); ///< "<"; a day past the month's end becomes its last
QDate nextMonth(const QDate& date);     ///< ">"

/// The date caption: the Italian long date in capitals ("MARTEDÌ 8 DICEMBRE 2026").
QString dateCaption(const QDate& date);

/// ([data]='08/12/2026') and ([id_tipomov]='3')
QString movementsOfTypeFilter(const QDate& day, const QString& typeId);
/// ([Data_app]='08/12/2026')
QString appointmentsFilter(const QDate& day);
/// ([VAL_AL]='08/12/2026')
QString expiringContractsFilter(const QDate& day);

using MessageSink = std::function<void(const QString&)>;

/// Replaces the filter of a shared object. A filter the store refuses shows "Filtro
/// incorretto." followed by the last filter text and leaves the object unfiltered.
void applyDayFilter(store::Table& table, const QString& filter, const QString& lastFilter,
                    const MessageSink& message);

/// "Mostra interventi" / "Mostra riparazioni": the movements of that kind dated that day.
/// The kind is found in the movement types by exact description; when it is missing the
/// current type is used. A filter the store refuses shows "Filtro incorretto." followed by
/// the last filter text and leaves the movements unfiltered.
void showMovementsOfKind(Tdm& data, const QDate& day, const QString& kind,
                         const QString& lastFilter, const MessageSink& message);
/// "Mostra appuntamenti": every movement whose appointment falls on that day.
void showAppointments(Tdm& data, const QDate& day, const QString& lastFilter,
                      const MessageSink& message);
/// "Mostra contratti": the contracts whose validity ends that day.
void showExpiringContracts(Tdm& data, const QDate& day, const QString& lastFilter,
                           const MessageSink& message);

} // namespace app::agenda
