#pragma once

#include "store/dm.h"
#include "support/working_year.h"

#include <QVariant>
#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>

namespace movtest {

using Values = std::initializer_list<std::pair<const char*, QVariant>>;

/// Appends a record with those values to a table object and posts it.
inline void put(store::Table& t, Values values) {
    t.append();
    for (const auto& [field, value] : values)
        t.field(QString::fromLatin1(field)).setValue(value);
    t.post();
}

/// A working year with every record rule attached, as the program has it.
class Year : public ::testing::Test {
protected:
    testsupport::WorkingYear working;
    Tdm& data = working.data;

    void SetUp() override { ASSERT_TRUE(working.opened); }

    /// A field of the stored record whose key equals `key`, read on a cursor of its own.
    QVariant stored(const char* table, const char* keyField, const QVariant& key,
                    const char* field) {
        store::Table probe(working.year.path(), QString::fromLatin1(table));
        probe.open();
        return probe.lookup(QString::fromLatin1(keyField), key, QString::fromLatin1(field));
    }
    int count(const char* table) {
        store::Table probe(working.year.path(), QString::fromLatin1(table));
        probe.open();
        return probe.recordCount();
    }
};

} // namespace movtest
