#pragma once

#include "report/engine.h"

class Tdm;

namespace report {

/// The appointment list: the movements of `dm.Tabmov` under the filter in force that have an
/// appointment, each followed by the technician's report when the movement is done.
class Tprn_appuntamenti {
public:
    Tprn_appuntamenti(Tdm& data, QString filterTitle);

    Layout layout() const;
    Document document() const { return run(layout()); }

private:
    Tdm& data_;
    QString filterTitle_;
};

} // namespace report
