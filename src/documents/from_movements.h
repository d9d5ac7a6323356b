#pragma once

#include <QDate>
#include <QString>

class Tdm;

namespace store {
class Table;
}

namespace documents {

/// The movements to invoice: marked so in the closing screen and not invoiced yet.
QString toInvoiceFilter();

/// Appends a document on `dm.Tabdoc` (stored at once by the record rules) with the default
/// type, if one is marked, and so its number. It stays in edit mode; answers its identifier.
int newDocument(Tdm& dm);

/// Makes, in one all-or-nothing step, a document of the default type dated `today` for the
/// current movement of `movement` (a `MOV` object) with its lines: the three descriptive lines
/// of the machine when `Rip_art_fatt`, a descriptive line for each of `Da_fatt1`..3 that is
/// filled, a counted line for `Da_fatt4` at `Imp_fatt` and `Iva_fatt`, and a counted line of
/// quantity 1 for each article of `articles` (the movement's `Mov_articoli` detail). The
/// document stays current on `dm.Tabdoc`, in edit mode, its totals complete. Answers its
/// identifier. The movement is not changed.
int generateDocument(Tdm& dm, store::Table& movement, store::Table& articles,
                     const QDate& today = QDate::currentDate());

/// Confirms a generated document: stores `dm.Tabdoc` and marks the current movement of
/// `movement` as invoiced, both or neither.
void confirmGenerated(Tdm& dm, store::Table& movement);

/// Stores the pending changes of `dm.Tabdoc`, if any.
void storeDocument(Tdm& dm);

/// Drops the pending changes of `dm.Tabdoc`'s current document and deletes it with its lines,
/// all or nothing: what cancelling a document just made does.
void discardDocument(Tdm& dm);

/// Deletes `dm.Tabdoc`'s current document with its lines; when it was made from a movement,
/// that movement (sought unfiltered in `dm.Tabmov`) is put back among those to invoice. All
/// or nothing; a movement no longer there does not stop the deletion.
void deleteDocument(Tdm& dm);

/// Text of a line: what fits the line's description field.
QString lineText(const QString& text);

} // namespace documents
