#pragma once

#include "report/engine.h"

#include <QDateTime>
#include <functional>

namespace report {

/// The articles list: a title with the date and time of printing and the filter in force,
/// two heading rows, then two rows per article of the articles table object in its order and
/// filter. The object carries the lookup fields `ms` (model name) and `ragione_sociale`
/// (owner's name). A4 portrait, printed even when there is no article.
class Tprn_articoli {
public:
    using Clock = std::function<QDateTime()>;

    /// The clock gives the date and time printed in the title (tests fix it).
    explicit Tprn_articoli(
        store::Table& Tabarticoli, Clock clock = [] { return QDateTime::currentDateTime(); });

    Layout layout() const;
    Document document() const { return run(layout()); }

private:
    store::Table& Tabarticoli_;
    Clock clock_;
};

} // namespace report
