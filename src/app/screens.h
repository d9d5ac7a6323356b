#pragma once

class TMainForm;
class Tdm;

namespace app {

/// The one place where the screens of every subsystem are attached to the main window's
/// commands and their record rules to the data module.
void wireScreens(TMainForm& mainForm, Tdm& data);

} // namespace app
