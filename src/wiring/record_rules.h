#pragma once

#include "registry/codfis.h"
#include "store/rules.h"

class Tdm;

/// The record rules of every subsystem, attached once to one data module: what must hold for
/// every writer of the shared objects (identifiers, defaults, look-ups, derived fields, warnings).
/// The program, the tests and the headless tools build one beside their `Tdm` and keep it as long
/// as the data module is used; it owns the components the rules share.
///
/// A subsystem adds its rules here through the one `attach...Rules(Tdm&, ...)` of its core
/// library. Warnings go to `warn`: the program passes ui::warningSink(), which shows them and
/// sends the focus back to the box of the field they are about.
class RecordRules {
public:
    RecordRules(Tdm& dm, store::rules::WarningSink warn);
    RecordRules(const RecordRules&) = delete;
    RecordRules& operator=(const RecordRules&) = delete;

    /// The fiscal-code component shared by every writer of the technicians.
    registry::Tcodfis codfis1;
};
