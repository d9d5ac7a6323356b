#pragma once

#include "store/catalogue.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>

/// Conversions between field values and their texts. A blank value is a null QVariant; a
/// non-blank one holds int (Integer), QString (Text), double (Number), QDate, QTime, bool or
/// QByteArray (Blob, Graphic).
namespace store::value {

/// Keeps only characters of the Windows Latin-1 repertoire; any other becomes '?'.
QString toCp1252Repertoire(const QString& text);

/// The value as it is stored in a field of that definition: texts cut to the field's size and
/// limited to the Latin-1 repertoire, an empty text or byte array made blank. Throws
/// store::Error when the value cannot be converted to the field's type.
QVariant normalise(const FieldDef& field, const QVariant& value);

/// Parses a text typed for a field: Italian short date dd/mm/yyyy, hh:mm[:ss], whole number,
/// decimal with '.' or ',', true/false (any case). An empty text is blank. Throws store::Error
/// naming the field when the text does not fit.
QVariant parse(const FieldDef& field, const QString& text);

/// The text of a value as rules and filters read it: "" when blank, dates dd/mm/yyyy, times
/// hh:mm:ss, booleans "True"/"False", numbers with ',' as decimal separator.
QString toText(FieldType type, const QVariant& value);

/// Formats a number with a pattern such as "#,###,##0.00" in Italian form (1.234,50).
QString formatNumber(double number, const QString& pattern);

QString italianDate(const QDate& date);

} // namespace store::value
