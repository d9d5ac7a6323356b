#pragma once

class TMainForm;
class Tdm;

namespace app {

/// The one place where the screens of every subsystem are attached to the main window's
/// commands. Their record rules are attached apart, by RecordRules (wiring/record_rules.h).
void wireScreens(TMainForm& mainForm, Tdm& data);

} // namespace app
