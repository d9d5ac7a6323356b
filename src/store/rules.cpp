#include "store/rules.h"

#include "store/engine.h"
#include "store/error.h"

namespace store::rules {

int nextIdentifier(const Table& table, const QString& identifierField, const QString& filter) {
    const TableDef& def = table.definition();
    const int field = def.fieldIndex(identifierField);
    if (field < 0)
        throw Error(QStringLiteral("Campo %1 inesistente nella tabella %2.")
                        .arg(identifierField, def.name));
    const std::shared_ptr<TableFile> file =
        table.file() ? table.file() : openTableFile(table.databaseName(), def);
    const Condition where = parseFilter(def, filter);
    std::vector<int> naturalOrder;
    if (!def.key.isEmpty())
        naturalOrder.push_back(def.fieldIndex(def.key));
    // Read once more on a failed read before giving up, as a transient lock may cause it.
    for (int attempt = 0;; ++attempt) {
        try {
            const std::optional<QVariant> last = file->lastValue(where, naturalOrder, field);
            if (!last)
                return 1;
            const QVariant v = *last;
            if (v.isNull())
                return 1;
            const int id = v.toInt();
            return id > -1 ? id + 1 : 1;
        } catch (const Error&) {
            if (attempt >= 1)
                throw;
        }
    }
}

bool checkVat(const QString& text) {
    if (text.trimmed().size() < 11)
        return false;
    int sum = 0;
    for (int position = 1; position <= 10; ++position) {
        const QChar c = text[position - 1];
        if (!c.isDigit() || c.unicode() > '9')
            return false;
        const int d = c.unicode() - '0';
        if (position % 2 == 0) {
            const int a = 2 * d;
            sum += a / 10 + a % 10;
        } else {
            sum += d;
        }
    }
    const QString check = QString::number(10 - sum % 10);
    return check.back() == text.back();
}

void emptyTable(const Table& table) {
    const std::shared_ptr<TableFile> file = openTableFile(table.databaseName(), table.definition());
    Transaction transaction(file);
    file->removeAll();
    transaction.commit();
}

void fillIdentifier(Table& table, const QString& identifierField) {
    const Field id = table.field(identifierField);
    if (!id.asString().isEmpty())
        return;
    id.setAsInteger(nextIdentifier(table, identifierField));
    table.setAllocatedIdentifier(identifierField, [&table, identifierField] {
        return nextIdentifier(table, identifierField);
    });
}

void attachIdentifierAfterInsert(Table& table, const QString& identifierField) {
    table.on(Event::AfterInsert,
             [identifierField](Table& t) { fillIdentifier(t, identifierField); });
}

void attachIdentifierBeforePost(Table& table, const QString& identifierField) {
    table.on(Event::BeforePost, [identifierField](Table& t) {
        if (t.state() == DataSetState::Insert)
            fillIdentifier(t, identifierField);
    });
}

void attachVatCheck(Table& table, const QString& vatField, WarningSink warn) {
    table.onFieldChange(vatField, [warn = std::move(warn), vatField](Field f) {
        if (!checkVat(f.asString()) && warn)
            warn({QStringLiteral("Errore P. Iva"), &f.table(), vatField});
    });
}

void attachMunicipalityLookup(Table& table, const QString& municipalityField, Table& comuni,
                              const QString& provinceField, const QString& postcodeField,
                              WarningSink warn) {
    table.onFieldChange(municipalityField, [&comuni, provinceField, postcodeField,
                                            warn = std::move(warn)](Field f) {
        Table& t = f.table();
        if (comuni.active() && comuni.locate(QStringLiteral("COMUNE"), f.asString())) {
            t.field(provinceField).setValue(comuni.field(QStringLiteral("PROVINCIAI")).value());
            t.field(postcodeField).setValue(comuni.field(QStringLiteral("CAP")).value());
            return;
        }
        t.field(provinceField).clear();
        t.field(postcodeField).clear();
        if (warn)
            warn(QStringLiteral("Errore Sul Comune inserito"));
    });
}

void attachFlushAfterPost(Table& table) {
    table.on(Event::AfterPost, [](Table& t) { t.flush(); });
}

} // namespace store::rules
