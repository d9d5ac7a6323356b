#pragma once

// Shared by the document tests: a working year with every record rule attached, and ways to
// put documents, lines and movements to invoice into it.
#include "store/dm.h"
#include "store/table.h"
#include "support/working_year.h"

#include <QString>
#include <QVariant>
#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>

namespace doctest {

using Values = std::initializer_list<std::pair<const char*, QVariant>>;

inline void set(store::Table& table, Values values) {
    for (const auto& [name, value] : values)
        table.field(QString::fromLatin1(name)).setValue(value);
}

inline void add(store::Table& table, Values values) {
    table.append();
    set(table, values);
    table.post();
}

/// A counted line: price, quantity, discount percent, rate.
inline void addLine(Tdm& dm, double price, double quantity, double discount, QVariant rate,
                    const QString& text = QStringLiteral("RIGA")) {
    add(dm.Tablinee_doc, {{"Id_doc", dm.Tabdoc.field(QStringLiteral("Id")).value()},
                          {"Linea", text},
                          {"Xtotale", true},
                          {"UM", QStringLiteral("PZ")},
                          {"PrezzoE", price},
                          {"Quantita", quantity},
                          {"ScontoP", discount},
                          {"Iva_riga", rate}});
}

/// The template's types: 1 "FATTURA" (the default), 2 "DOCUMENTO DI TRASPORTO".
constexpr int invoice = 1;
constexpr int transport = 2;

class DocumentsYear : public ::testing::Test {
protected:
    testsupport::WorkingYear working;
    Tdm& dm = working.data;

    void SetUp() override { ASSERT_TRUE(working.opened); }

    /// A new document of that type, stored; answers its number.
    int addDocument(QVariant type) {
        dm.Tabdoc.append();
        dm.Tabdoc.field(QStringLiteral("Id_tipodoc")).setValue(type);
        dm.Tabdoc.post();
        return dm.Tabdoc.field(QStringLiteral("Numero_doc")).asInteger();
    }

    /// A movement to invoice (closed, not invoiced yet) with its identifier.
    void addMovementToInvoice(int id, Values values) {
        store::Table movements(working.year.path(), QStringLiteral("MOV"));
        movements.open();
        movements.append();
        set(movements, {{"Id", id}, {"Da_fatt_sn", true}, {"Fatt_sn", false}});
        set(movements, values);
        movements.post();
    }

    void addArticle(int movement, const QString& text, int qta, double price, double rate) {
        store::Table articles(working.year.path(), QStringLiteral("Mov_articoli"));
        articles.open();
        add(articles, {{"Id", articles.recordCount() + 1},
                       {"Id_mov", movement},
                       {"Descrizione", text},
                       {"Qta", qta},
                       {"Prezzo_vend", price},
                       {"Iva", rate}});
    }

    /// Records of a table as stored: a fresh cursor, so pending edits do not count.
    int stored(const QString& table, const QString& filter = {}) {
        store::Table probe(working.year.path(), table);
        probe.open();
        if (!filter.isEmpty()) {
            probe.setFilter(filter);
            probe.setFiltered(true);
        }
        return probe.recordCount();
    }
    QVariant storedValue(const QString& table, const QString& keyField, const QVariant& key,
                         const QString& field) {
        store::Table probe(working.year.path(), table);
        probe.open();
        return probe.lookup(keyField, key, field);
    }
};

} // namespace doctest
