#pragma once

#include "report/engine.h"

class Tdm;

namespace report {

/// The work sheet of the current movement of `dm.Tabmov`: its header (kind, dates, customer,
/// technician and machine, contacts, notes) and footer (report, invoice texts, signatures) on
/// every page, its article lines (`dm.Tablmov`, which follows the movement) between them.
class Tprn_fl {
public:
    explicit Tprn_fl(Tdm& data);

    Layout layout() const;
    Document document() const { return run(layout()); }

private:
    Tdm& data_;
};

} // namespace report
