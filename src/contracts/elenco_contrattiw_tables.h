#pragma once

// Shared by the two files of the contracts screen only.
#include "contracts/elenco_contrattiw.h"
#include "store/table.h"

struct TELENCO_CONTRATTIFORM::OwnTables {
    explicit OwnTables(const QString& folder)
        : types(folder, QStringLiteral("tipi_contratti"))
        , customers(folder, QStringLiteral("esercizio")) {
        customers.setIndexName(QStringLiteral("rs_index"));
        types.open();
        customers.open();
    }
    store::Table types;     ///< the list of the type look-up and of the type filter
    store::Table customers; ///< the list of the customer look-up and of the customer filter
};

namespace contracts::detail {
std::function<void(Tdm&)>& visitScheduler();
std::function<void(Tdm&)>& articlesScreen();
} // namespace contracts::detail
