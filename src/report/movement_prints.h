#pragma once

class QWidget;
class Tdm;

/// The movement screen's three print buttons: each opens its layout in the print preview,
/// from which the user prints or saves a PDF. The lists take `dm.Tabmov` as it stands (filter
/// and order in force) and the last filter text of the movement lists as their title.
namespace report {

/// "stampa elenco": every movement under the filter in force.
void printMovementList(Tdm& data, QWidget* parent = nullptr);
/// "stampa appuntamenti": the movements with an appointment, with the report of done ones.
void printAppointments(Tdm& data, QWidget* parent = nullptr);
/// "stampa foglio di lavoro": the work sheet of the movement `dm.Tabmov` stands on.
void printWorkSheet(Tdm& data, QWidget* parent = nullptr);

} // namespace report
