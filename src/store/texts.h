#pragma once

#include <QString>
#include <QStringList>

/// Texts that several rules and screens show, written once.
namespace store::texts {

/// A save refused for missing values.
inline QString missingValues() {
    return QStringLiteral("Per confermare è necessario inserire tutti i valori nei campi");
}

/// The value list of a person's sex: each entry shown as it stands, its letter stored.
inline const QStringList& sexes() {
    static const QStringList entries{QStringLiteral("M=Maschio"), QStringLiteral("F=Femmina")};
    return entries;
}

} // namespace store::texts
