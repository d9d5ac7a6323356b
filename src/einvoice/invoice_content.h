#pragma once

#include <QDate>
#include <QString>
#include <vector>

class Tdm;

namespace einvoice {

/// A refusal to make an invoice, thrown while the content is gathered or written.
struct Refused {
    QString message;
};

/// One side of the invoice: the workshop or the customer, as the format asks for it.
struct Party {
    QString vat;        ///< Italian VAT number, 11 digits; empty when none
    QString fiscalCode; ///< empty when none
    QString name;       ///< business name; empty for a natural person
    QString firstName, lastName;
    QString address, postcode, municipality, province;
};

struct InvoiceLine {
    int position = 0; ///< 1-based, among all the lines of the document, for messages
    bool counted = false;
    QString text, unit;
    double quantity = 0, price = 0, discount = 0, total = 0;
    int rate = 0;
    QString nature; ///< for a line without VAT
};

struct RateSummary {
    int rate = 0;
    double taxable = 0, tax = 0;
    QString nature;
};

/// Everything the XML says, gathered and checked; the XML writer only writes it.
struct InvoiceContent {
    Party workshop, customer;
    QString taxRegime;
    QString recipientCode; ///< "0000000" when the customer has none
    QString pec;           ///< only when there is no recipient code
    QString number;
    QDate date;
    double total = 0;
    std::vector<InvoiceLine> lines;
    std::vector<RateSummary> summaries;
    QString paymentText; ///< the document's payment terms as typed
    QString paymentMode; ///< the format's code for them; empty when not recognised
};

/// Gathers and checks the content of document `documentId` (see makeInvoice). Throws
/// Refused with the first problem found, store::Error when a table fails.
InvoiceContent gatherInvoice(Tdm& data, int documentId);

/// The format's code of a payment by the words of its terms ("BONIFICO 30 GG" → "MP05");
/// empty when no word is recognised.
QString paymentModeOf(const QString& terms);

} // namespace einvoice
