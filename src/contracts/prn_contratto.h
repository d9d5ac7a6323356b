#pragma once

#include "report/engine.h"
#include "store/table.h"

class Tdm;

namespace contracts {

/// The printed contract: the workshop's logo, the contract's type, customer, validity and
/// machine, the contract type's five formatted texts growing with their content, and the
/// signatures. It prints whatever records the data module's settings, customer, contract
/// type, contract and contract-line objects stand on. A4 portrait.
class Tprn_contratto {
public:
    explicit Tprn_contratto(Tdm& data)
        : data_(data) {}

    report::Layout layout() const;
    report::Document document() const { return report::run(layout()); }

private:
    Tdm& data_;
};

/// The contract list: one entry per contract of `dm.Tabcontratti` in its order and filter,
/// with the first line of each contract. A4 portrait, printed even when empty.
class Tprn_elencocontratti {
public:
    explicit Tprn_elencocontratti(Tdm& data);

    report::Layout layout();
    report::Document document() { return report::run(layout()); }

private:
    Tdm& data_;
    /// Every contract line, unfiltered, to find each contract's first one.
    store::Table lines_;
};

} // namespace contracts
