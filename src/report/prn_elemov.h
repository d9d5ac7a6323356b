#pragma once

#include "report/engine.h"

class Tdm;

namespace report {

/// The movement list: every movement of `dm.Tabmov` under the filter in force, in its order,
/// one framed band each, under a title carrying the movement screen's last filter text.
class Tprn_elemov {
public:
    Tprn_elemov(Tdm& data, QString filterTitle);

    Layout layout() const;
    Document document() const { return run(layout()); }

private:
    Tdm& data_;
    QString filterTitle_;
};

} // namespace report
