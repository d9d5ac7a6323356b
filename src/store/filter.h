#pragma once

#include "store/catalogue.h"

#include <QVariant>
#include <vector>

namespace store {

enum class CompareOp { Eq, Ne, Ge, Le, Gt, Lt, StartsWith };

/// A parsed selection over one table's fields, independent of the engine that runs it.
/// Blank semantics: `= blank` holds on blank fields only, `<> blank` on non-blank ones,
/// `<> x` also on blank ones; other comparisons with a non-blank value never hold on blanks.
struct Condition {
    enum class Kind { All, None, And, Or, Compare };
    Kind kind = Kind::All;
    std::vector<Condition> terms; ///< And, Or
    int field = -1;               ///< Compare: position in the table definition
    CompareOp op = CompareOp::Eq;
    QVariant value; ///< Compare: normalised to the field's type; null means blank

    static Condition compare(int field, CompareOp op, QVariant value);
    /// Conjunction that drops the trivially true side.
    static Condition both(Condition a, Condition b);
    bool isAll() const { return kind == Kind::All; }
};

/// Parses a filter text such as "([data]='08/12/2026') and ([id_tipomov]='3')". Field names
/// (bracketed, or bare as in query conditions) and keywords ignore letter case; literals are
/// typed by their field. Throws store::Error on a syntax error, an unknown field or a literal
/// that does not fit its field. An empty text selects everything.
Condition parseFilter(const TableDef& table, const QString& text);

/// One comparison of a filter text, "[field]='value'", with the quotes in the value doubled so
/// that a name such as BAR DELL'ANGELO cannot end the literal early.
QString filterComparison(const QString& field, const QString& value,
                         const QString& op = QStringLiteral("="));

} // namespace store
