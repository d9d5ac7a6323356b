#pragma once

#include "store/dm.h"
#include "support/working_year.h"

#include <QVariantMap>
#include <gtest/gtest.h>

namespace arttest {

/// Appends to `t`, sets the fields and posts; answers the record's `idField`.
inline int addRecord(store::Table& t, const QVariantMap& fields, const char* idField) {
    t.append();
    for (auto it = fields.begin(); it != fields.end(); ++it)
        t.field(it.key()).setValue(it.value());
    t.post();
    return t.field(QString::fromLatin1(idField)).asInteger();
}

/// A working year with every record rule attached, and the records the articles work with.
class Articles : public ::testing::Test {
protected:
    testsupport::WorkingYear working;
    Tdm& data = working.data;

    void SetUp() override { ASSERT_TRUE(working.opened); }

    static int add(store::Table& t, const QVariantMap& fields, const char* idField) {
        return addRecord(t, fields, idField);
    }
    int customer(const QString& name, const QVariantMap& more = {}) {
        QVariantMap fields = more;
        fields["Ragione_sociale"] = name;
        return add(data.Tabesercizio, fields, "Id_esercizio");
    }
    int model(const QString& brand, const QString& name) {
        return add(data.Tabms, {{"Marchio_ms", brand}, {"Denominazione_ms", name}}, "Id_ms");
    }
    int article(const QVariantMap& fields) { return add(data.Tabarticoli, fields, "Id"); }
    /// A warehouse machine with serial number and an old address.
    int warehouseMachine(const QString& matricola, int modelId, const QString& street = {}) {
        return article({{"Matricola", matricola},
                        {"Id_ms", modelId},
                        {"Giacenza_sn", true},
                        {"Indirizzo", street}});
    }
    /// A movement posted directly, then left in edit as the movement screen leaves it.
    void movement(int customerId, int id = 1) {
        data.Tabmov.append();
        data.Tabmov.field("Id").setAsInteger(id);
        data.Tabmov.field("ID_ESERCIZIO").setValue(customerId ? QVariant(customerId) : QVariant());
        data.Tabmov.field("Data").setAsDate(QDate(2026, 3, 12));
        data.Tabmov.field("Dal_magazzino_sn").setAsBoolean(false);
        data.Tabmov.post();
        data.Tabmov.edit();
    }
    /// A field of the stored article with that serial number or description.
    QVariant stored(const char* keyField, const QString& key, const char* field) {
        store::Table probe(working.year.path(), "articoli");
        probe.open();
        return probe.lookup(QString::fromLatin1(keyField), key, QString::fromLatin1(field));
    }
};

} // namespace arttest
