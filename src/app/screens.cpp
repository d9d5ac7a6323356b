#include "app/screens.h"

#include "app/mainw.h"

namespace app {

void wireScreens(TMainForm& /*mainForm*/, Tdm& /*data*/, ProgramState& /*state*/) {
    // The register, movement, contract and document screens attach here as they are built.
}

} // namespace app
