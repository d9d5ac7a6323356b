#pragma once

#include "report/engine.h"
#include "store/table.h"

class Tdm;

namespace documents {

/// The printed list of the movements to invoice: per movement its running number, the
/// customer, the texts to invoice with amount and rate, the machine when it is to be carried
/// into the document, and one row per article. It reads objects of its own on the year folder
/// of `dm`, and looks names up in `dm`'s customers, movement types and models without moving
/// them.
class Tprn_elenco_mov_dafatt {
public:
    explicit Tprn_elenco_mov_dafatt(Tdm& dm);

    report::Layout layout();
    report::Document document() { return report::run(layout()); }

private:
    Tdm& dm_;
    store::Table movements_;
    store::Table articles_;
};

} // namespace documents
