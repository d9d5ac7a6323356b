#pragma once

#include <QByteArray>
#include <QString>

class Tdm;

namespace einvoice {

/// An electronic invoice made from a document: its XML and the file name the format gives it,
/// or the refusal that says what is missing and where to enter it (then nothing else is set).
struct Invoice {
    QString refusal;
    QByteArray xml;
    QString fileName;
};

/// The five-character progressive of an invoice file: the year's last two digits and the
/// count within the year in three base-36 digits ("26001"), so that no year repeats another
/// year's names. Empty when the count is beyond what three digits hold.
QString progressiveText(int year, int count);

/// Makes the FatturaPA 1.2 XML for a private recipient (FPR12) of document `documentId`:
/// the header as `data.Tabdoc` holds it when it stands on that document (what the screen
/// shows, pending changes included), otherwise as stored; its lines in their order; the
/// amounts, rate slots and totals exactly as the document's rules stored them. `progressive`
/// is the progressive of transmission and of the file name. Reads through table objects of
/// its own on the year folder of `data.Tabdoc`; no shared cursor moves, nothing is written.
/// Store failures are thrown as store::Error.
Invoice makeInvoice(Tdm& data, int documentId, const QString& progressive);

/// What writeInvoice did: the file written, or the refusal (and then no file).
struct Written {
    QString refusal;
    QString path;
};

/// Makes the invoice of `documentId` and writes it into `folder` under the workshop's next
/// progressive of `year` whose file is not there yet, whole or not at all; then records that
/// progressive as used.
Written writeInvoice(Tdm& data, int documentId, const QString& folder, int year);

} // namespace einvoice
