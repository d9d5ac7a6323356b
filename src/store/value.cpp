#include "store/value.h"

#include "store/error.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace store::value {

namespace {

// The characters Windows Latin-1 places in 0x80-0x9F; the rest of 0x00-0xFF is plain Latin-1.
constexpr char16_t cp1252Extras[] = {u'€', u'‚', u'ƒ', u'„', u'…', u'†', u'‡', u'ˆ', u'‰',
                                     u'Š', u'‹', u'Œ', u'Ž', u'‘', u'’', u'“', u'”', u'•',
                                     u'–', u'—', u'˜', u'™', u'š', u'›', u'œ', u'ž', u'Ÿ'};

bool inCp1252(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return true;
    for (char16_t extra : cp1252Extras)
        if (extra == u)
            return true;
    return false;
}

QString typeName(FieldType type) {
    switch (type) {
    case FieldType::Integer:
        return QStringLiteral("numero intero");
    case FieldType::Text:
        return QStringLiteral("testo");
    case FieldType::Number:
        return QStringLiteral("numero");
    case FieldType::Date:
        return QStringLiteral("data (gg/mm/aaaa)");
    case FieldType::Time:
        return QStringLiteral("ora (hh:mm)");
    case FieldType::Boolean:
        return QStringLiteral("valore vero/falso");
    case FieldType::Blob:
    case FieldType::Graphic:
        return QStringLiteral("dato binario");
    }
    return {};
}

[[noreturn]] void badValue(const FieldDef& field, const QString& text) {
    throw Error(QStringLiteral("'%1' non è un valore valido per il campo %2 (%3).")
                    .arg(text, field.name, typeName(field.type)));
}

QDate parseDate(const QString& text) {
    QDate d = QDate::fromString(text, QStringLiteral("d/M/yyyy"));
    // Qt::ISODate would take "2026-12-08x" (it reads the first ten characters): the whole text
    // must be the date.
    if (!d.isValid())
        d = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    return d;
}

QTime parseTime(const QString& text) {
    for (const char* format : {"H:mm:ss", "H:mm", "H.mm.ss", "H.mm"}) {
        const QTime t = QTime::fromString(text, QString::fromLatin1(format));
        if (t.isValid())
            return t;
    }
    return {};
}

} // namespace

QString toCp1252Repertoire(const QString& text) {
    // Most texts need nothing replaced: they are kept, shared, without a copy.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return inCp1252(c); }))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A character beyond the basic plane is a surrogate pair: one character, one '?'.
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        out += inCp1252(c) ? c : QLatin1Char('?');
    }
    return out;
}

QVariant parse(const FieldDef& field, const QString& raw) {
    const QString text = field.type == FieldType::Text ? raw : raw.trimmed();
    if (text.isEmpty())
        return {};
    switch (field.type) {
    case FieldType::Integer: {
        bool ok = false;
        const int v = text.toInt(&ok);
        if (!ok)
            badValue(field, text);
        return v;
    }
    case FieldType::Number: {
        bool ok = false;
        QString t = text;
        // "1.234,50" and "1234.50" both read as numbers: with a comma present, dots group.
        if (t.contains(QLatin1Char(',')))
            t = t.remove(QLatin1Char('.')).replace(QLatin1Char(','), QLatin1Char('.'));
        const double v = t.toDouble(&ok);
        if (!ok || !std::isfinite(v))
            badValue(field, text);
        return v;
    }
    case FieldType::Date: {
        const QDate d = parseDate(text);
        if (!d.isValid())
            badValue(field, text);
        return d;
    }
    case FieldType::Time: {
        const QTime t = parseTime(text);
        if (!t.isValid())
            badValue(field, text);
        return t;
    }
    case FieldType::Boolean: {
        const QString l = text.toLower();
        if (l == QLatin1String("true"))
            return true;
        if (l == QLatin1String("false"))
            return false;
        badValue(field, text);
    }
    case FieldType::Text:
        return normalise(field, text);
    case FieldType::Blob:
    case FieldType::Graphic:
        return text.toUtf8();
    }
    return {};
}

QVariant normalise(const FieldDef& field, const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return {};
    const int type = v.typeId();
    switch (field.type) {
    case FieldType::Integer:
        if (type == QMetaType::Int)
            return v;
        if (type == QMetaType::QString)
            return parse(field, v.toString());
        if (type == QMetaType::Double) {
            const double d = v.toDouble();
            if (!std::isfinite(d) || d > 2147483647.0 || d < -2147483648.0)
                badValue(field, v.toString());
            return static_cast<int>(std::llround(d));
        }
        if (type == QMetaType::LongLong || type == QMetaType::UInt || type == QMetaType::Bool ||
            type == QMetaType::Long || type == QMetaType::ULongLong) {
            const qlonglong l = v.toLongLong();
            if (l > 2147483647LL || l < -2147483648LL)
                badValue(field, v.toString());
            return static_cast<int>(l);
        }
        badValue(field, v.toString());
    case FieldType::Text: {
        QString s = type == QMetaType::QDate ? italianDate(v.toDate()) : v.toString();
        // Replaced first, so that the cut counts characters, not UTF-16 units.
        s = toCp1252Repertoire(s);
        if (field.size > 0)
            s.truncate(field.size);
        if (s.isEmpty())
            return {};
        return s;
    }
    case FieldType::Number: {
        if (type == QMetaType::QString)
            return parse(field, v.toString());
        if (!v.canConvert<double>())
            badValue(field, v.toString());
        const double d = v.toDouble();
        return std::isnan(d) ? QVariant() : QVariant(d); // the file keeps no NaN
    }
    case FieldType::Date:
        if (type == QMetaType::QDate || type == QMetaType::QDateTime) {
            // Only the years of four digits the file can keep.
            const QDate d = type == QMetaType::QDate ? v.toDate() : v.toDateTime().date();
            static const QDate first(1, 1, 1), last(9999, 12, 31);
            return d.isValid() && d >= first && d <= last ? QVariant(d) : QVariant();
        }
        if (type == QMetaType::QString)
            return parse(field, v.toString());
        badValue(field, v.toString());
    case FieldType::Time:
        // To the second, as the file keeps it.
        if (type == QMetaType::QTime || type == QMetaType::QDateTime) {
            const QTime t = type == QMetaType::QTime ? v.toTime() : v.toDateTime().time();
            return t.isValid() ? QVariant(QTime(t.hour(), t.minute(), t.second())) : QVariant();
        }
        if (type == QMetaType::QString)
            return parse(field, v.toString());
        badValue(field, v.toString());
    case FieldType::Boolean:
        if (type == QMetaType::Bool)
            return v;
        if (type == QMetaType::QString)
            return parse(field, v.toString());
        if (type == QMetaType::Int || type == QMetaType::LongLong)
            return v.toLongLong() != 0;
        badValue(field, v.toString());
    case FieldType::Blob:
    case FieldType::Graphic: {
        const QByteArray bytes =
            type == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
        if (bytes.isEmpty())
            return {};
        return bytes;
    }
    }
    return {};
}

QString toText(FieldType type, const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return {};
    switch (type) {
    case FieldType::Integer:
        return QString::number(v.toInt());
    case FieldType::Text:
        return v.toString();
    case FieldType::Number: {
        QString s = QString::number(v.toDouble(), 'g', 15);
        return s.replace(QLatin1Char('.'), QLatin1Char(','));
    }
    case FieldType::Date:
        return italianDate(v.toDate());
    case FieldType::Time:
        return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Blob:
    case FieldType::Graphic:
        return QString::fromUtf8(v.toByteArray());
    }
    return {};
}

QString formatNumber(double number, const QString& pattern) {
    const int dot = pattern.indexOf(QLatin1Char('.'));
    const int decimals = dot < 0 ? 0 : int(pattern.size() - dot - 1);
    const bool grouped = pattern.contains(QLatin1Char(','));
    QLocale it(QLocale::Italian, QLocale::Italy);
    if (!grouped)
        it.setNumberOptions(QLocale::OmitGroupSeparator);
    return it.toString(number, 'f', decimals);
}

QString italianDate(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

} // namespace store::value
