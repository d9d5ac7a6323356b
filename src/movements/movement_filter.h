#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

class Tdm;

/// What the filter panels of the movement lists turn into: filter texts on `dm.Tabmov`, built
/// piece by piece as the users know them from the filter line.
namespace movements {

/// The "Evasioni" choice of a filter panel.
enum class Fulfilment { All, Done, Open };

/// The criteria of one filter panel, as its boxes show them. Dates are the box texts; a box
/// that shows the empty mask "  /  /    " (or nothing) is empty. Identifiers are those of the
/// names chosen in the drop-downs; none when the drop-down is empty.
struct FilterCriteria {
    QString insertedFrom{}, insertedTo{};
    QString appointmentFrom{}, appointmentTo{};
    std::optional<int> customer{}, technician{}, type{};
    Fulfilment fulfilment = Fulfilment::All;
};

/// True when a date box's text holds no digit: the empty mask, in any of its forms.
bool blankDate(const QString& text);

/// The "Filtra" text: insertion range, appointment range, customer, technician, type and
/// "Evasioni", each joined to what comes before by its " and(" form. Empty for no criterion.
QString composeFilter(const FilterCriteria& criteria);

/// The filter a list opens with: movements opened or with an appointment on `today`, of kind
/// `kind` when given.
QString startingFilter(const QDate& today, std::optional<int> kind = std::nullopt);

/// "Tutti" on a kind list: every movement of that kind.
QString kindFilter(int kind);

/// The names of a filter panel's drop-downs.
struct FilterNames {
    QString customer, technician, type;
};

/// The identifiers of the names, looked up exactly in `dm`'s customers (`Ragione_sociale`),
/// technicians (`Cogn_no_sigillo`) and types (`Descrizione`) without moving them. A name that
/// matches no record gives nothing and is reported by `unknown` with the message to show; the
/// answer is then empty.
std::optional<FilterCriteria> resolveNames(Tdm& dm, FilterCriteria criteria,
                                           const FilterNames& names,
                                           const std::function<void(const QString&)>& unknown);

/// What applying a filter to `dm.Tabmov` shows on the filter line.
struct AppliedFilter {
    QString line;                   ///< the filter in force; empty when none
    std::optional<QString> refusal; ///< "Filtro incorretto." + the last filter, when refused
};

/// Puts `filter` in force on `dm.Tabmov` (an empty one switches the filter off) and, when
/// `toLast`, moves to the last movement. A filter the store refuses leaves the movements
/// unfiltered (on the last one when `toLast`) and is answered with the refusal, which quotes
/// the program's last filter text.
AppliedFilter applyMovementFilter(Tdm& dm, const QString& filter, bool toLast);

} // namespace movements
