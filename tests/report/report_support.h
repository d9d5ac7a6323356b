#pragma once

// Shared by the report tests: an articles table object set up as the articles screen sets it
// up, sample articles, and ways to find a text on a page.
#include "report/page.h"
#include "store/engine.h"
#include "store/table.h"
#include "support/fixture.h"

#include <QString>
#include <QVariant>
#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>

namespace reporttest {

using Values = std::initializer_list<std::pair<const char*, QVariant>>;

inline void add(store::Table& table, Values values) {
    table.append();
    for (const auto& [name, value] : values)
        table.field(QString::fromLatin1(name)).setValue(value);
    table.post();
}

/// What one article shows on the list.
struct Article {
    int id = 0;
    int qta = 0;
    QString descrizione;
    QString matricola;
    QString barcode;
    QString model;    ///< empty: a simple article without model
    QString customer; ///< empty: in the warehouse
    bool assistenza = false;
};

/// The i-th (0-based) sample article: unique texts with accents and the euro sign, every third
/// one a simple article without model or owner.
inline Article sampleArticle(int i) {
    static const char* const kinds[] = {"Misuratore fiscale", "Stampante termica",
                                        "Cassetto portadenaro", "Rotolo carta"};
    static const char* const notes[] = {"qualità", "città", "perché", "più"};
    Article a;
    a.id = i + 1;
    a.qta = 1 + i % 5;
    a.descrizione = QStringLiteral("%1 %2 %3 €%4")
                        .arg(QString::fromUtf8(kinds[i % 4]))
                        .arg(i + 1, 3, 10, QLatin1Char('0'))
                        .arg(QString::fromUtf8(notes[(i / 4) % 4]))
                        .arg(100 + i);
    a.barcode = QStringLiteral("80%1").arg(1000000 + i);
    if (i % 3 != 2) {
        a.matricola = QStringLiteral("MT%1").arg(5000 + i);
        a.model = QStringLiteral("MODELLO %1").arg(1 + i % 4);
        a.customer = i % 2 == 0 ? QStringLiteral("BAR ITALIA %1").arg(i + 1) : QString();
        a.assistenza = i % 4 == 0;
    }
    return a;
}

/// A working year with the articles table object and its two lookup fields, `ms` (model name)
/// and `ragione_sociale` (owner's name).
class ArticlesData {
public:
    ArticlesData()
        : models_(year_.path(), QStringLiteral("ms"))
        , customers_(year_.path(), QStringLiteral("esercizio"))
        , articles_(year_.path(), QStringLiteral("articoli")) {
        articles_.addLookupField(QStringLiteral("ms"), 40, QStringLiteral("Id_ms"), &models_,
                                 QStringLiteral("Id_ms"), QStringLiteral("Denominazione_ms"));
        articles_.addLookupField(QStringLiteral("ragione_sociale"), 60,
                                 QStringLiteral("Id_esercizio"), &customers_,
                                 QStringLiteral("Id_esercizio"), QStringLiteral("Ragione_sociale"));
        models_.open();
        customers_.open();
        articles_.open();
        for (int m = 1; m <= 4; ++m)
            add(models_, {{"Id_ms", m}, {"Denominazione_ms", QStringLiteral("MODELLO %1").arg(m)}});
    }

    store::Table& articles() { return articles_; }
    store::Table& models() { return models_; }

    /// Stores articles 0..count-1 of the sample, each owner as a customer of its own.
    void addSamples(int count) {
        store::Transaction many(articles_.file());
        store::Transaction owners(customers_.file());
        for (int i = 0; i < count; ++i)
            addArticle(sampleArticle(i));
        owners.commit();
        many.commit();
    }

    void addArticle(const Article& a) {
        QVariant owner = -1;
        if (!a.customer.isEmpty()) {
            owner = 1000 + a.id;
            add(customers_, {{"Id_esercizio", owner}, {"Ragione_sociale", a.customer}});
        }
        QVariant model;
        if (!a.model.isEmpty())
            model = a.model.mid(QStringLiteral("MODELLO ").size()).toInt();
        add(articles_, {{"Id", a.id},
                        {"Qta", a.qta},
                        {"Descrizione", a.descrizione},
                        {"Matricola", a.matricola},
                        {"Barcode", a.barcode},
                        {"Id_ms", model},
                        {"Id_esercizio", owner},
                        {"Assistenza_sn", a.assistenza},
                        {"Giacenza_sn", a.customer.isEmpty()}});
    }

private:
    testsupport::YearFolder year_;
    store::Table models_;
    store::Table customers_;
    store::Table articles_;
};

/// The text whose top left corner is at (x, y) mm on the page, within a twentieth of a mm.
inline std::optional<QString> textAt(const report::Page& page, double x, double y) {
    for (const report::PlacedText& t : page.texts())
        if (std::abs(t.at.x() - x) < 0.05 && std::abs(t.at.y() - y) < 0.05)
            return t.text;
    return std::nullopt;
}

/// Every text of the page, in reading order.
inline QStringList words(const report::Page& page) {
    QStringList out;
    for (const report::PlacedText& t : page.texts())
        out << t.text;
    return out;
}

/// Every text of the document, page after page, in reading order.
inline QStringList words(const report::Document& document) {
    QStringList out;
    for (const report::Page& page : document.pages)
        out << words(page);
    return out;
}

} // namespace reporttest
