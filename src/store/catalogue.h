#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace store {

enum class FieldType { Integer, Text, Number, Date, Time, Boolean, Blob, Graphic };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; ///< maximum characters of a Text field; 0 for the other types
    bool required = false;
};

/// A secondary index. A named one is asked for by name; an unnamed one exists so that an
/// order by its field list is served by an index (its file name is derived from the fields).
struct IndexDef {
    QString name;
    QStringList fields;
};

struct TableDef {
    QString name; ///< catalogue spelling: the SQLite table name and the file name without ".DB"
    QString key;  ///< identifier field (unique, next-identifier rule); empty when none
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;

    /// Position of a field, found without regard to letter case; -1 when absent.
    int fieldIndex(const QString& fieldName) const;
    const FieldDef* field(const QString& fieldName) const;
    /// A named index, found without regard to letter case; nullptr when absent.
    const IndexDef* index(const QString& indexName) const;
    /// SQL name of an index (named ones keep their name, unnamed ones get one from the fields).
    QString sqlIndexName(const IndexDef& index) const;
};

/// Which family of folders a table belongs to. Names repeat across families (the verification
/// program keeps its own, narrower `esercizio`, `ms`, ...), so a table is found within one.
enum class TableSet {
    Year,                 ///< the working year's folder and the empty template `vuoto`
    Staging,              ///< data root + "importdb": staging tables of the agency file
    VerificationYear,     ///< the verification program's year folder
    VerificationRegister, ///< the verification program's "dati" folder
};

namespace catalogue {

const std::vector<TableDef>& tables(TableSet set);
/// The table of that family, found without regard to letter case; nullptr when unknown.
const TableDef* find(TableSet set, const QString& name);
/// As find, but an unknown name throws store::Error.
const TableDef& get(TableSet set, const QString& name);
/// Shorthand for get(TableSet::Year, name).
const TableDef& year(const QString& name);

} // namespace catalogue
} // namespace store
