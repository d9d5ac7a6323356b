#include "store/query.h"

#include "store/error.h"

#include <QRegularExpression>

namespace store {

namespace {

/// Position of a keyword outside quoted literals, as a whole word; -1 when absent.
qsizetype findKeyword(const QString& text, const QString& keyword, qsizetype from) {
    bool quoted = false;
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            continue;
        if (text.mid(i, keyword.size()).compare(keyword, Qt::CaseInsensitive) != 0)
            continue;
        const bool startOk = i == 0 || text[i - 1].isSpace() || text[i - 1] == QLatin1Char(')');
        const qsizetype end = i + keyword.size();
        const bool endOk =
            end >= text.size() || text[end].isSpace() || text[end] == QLatin1Char('(');
        if (startOk && endOk)
            return i;
    }
    return -1;
}

/// Runs of blanks, tabs and line ends outside quoted literals become one blank; a literal keeps
/// every character as written.
QString collapsedOutsideQuotes(const QString& text) {
    QString out;
    bool quoted = false;
    bool blank = false;
    for (const QChar c : text) {
        if (!quoted && c.isSpace()) {
            blank = !out.isEmpty();
            continue;
        }
        if (blank)
            out += QLatin1Char(' ');
        blank = false;
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        out += c;
    }
    return out;
}

} // namespace

Query::Query(const QString& folder, TableSet set)
    : querySet_(set) {
    setDatabaseName(folder);
}

void Query::open() {
    if (active())
        return;
    QString text = collapsedOutsideQuotes(sql());
    if (text.endsWith(QLatin1Char(';')))
        text.chop(1);
    static const QRegularExpression head(
        QStringLiteral("^select\\s+\\*\\s+from\\s+([A-Za-z0-9_]+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = head.match(text);
    if (!m.hasMatch())
        throw Error(QStringLiteral("Istruzione non supportata: %1").arg(text));
    const QString rest = text.mid(m.capturedEnd());
    const qsizetype wherePos = findKeyword(rest, QStringLiteral("where"), 0);
    const qsizetype orderPos = findKeyword(rest, QStringLiteral("order by"), 0);
    if ((wherePos < 0 && orderPos < 0 && !rest.trimmed().isEmpty()) ||
        (wherePos > 0 && !rest.left(wherePos).trimmed().isEmpty()) ||
        (wherePos < 0 && orderPos > 0 && !rest.left(orderPos).trimmed().isEmpty()))
        throw Error(QStringLiteral("Istruzione non supportata: %1").arg(text));
    QString where;
    if (wherePos >= 0)
        where = rest.mid(wherePos + 5, orderPos >= 0 ? orderPos - wherePos - 5 : -1).trimmed();
    QString order;
    if (orderPos >= 0)
        order = rest.mid(orderPos + 8).trimmed();

    // Built again on the same table (clear, add lines, open), the query keeps the lookup and
    // calculated fields its screen added; another table starts afresh.
    const TableDef& target = catalogue::get(querySet_, m.captured(1));
    if (fieldCount() == 0 || tableSet() != querySet_ || tableName() != target.name)
        setTableName(target.name, querySet_);
    const TableDef& def = definition();
    setBaseCondition(parseFilter(def, where));
    std::vector<int> fields;
    for (const QString& raw : order.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        QString name = raw.trimmed();
        if (name.endsWith(QLatin1String(" asc"), Qt::CaseInsensitive))
            name.chop(4);
        const int f = def.fieldIndex(name.trimmed());
        if (f < 0)
            throw Error(QStringLiteral("Campo %1 inesistente nella tabella %2.")
                            .arg(name.trimmed(), def.name));
        fields.push_back(f);
    }
    setExplicitOrder(std::move(fields));
    Table::open();
}

} // namespace store
