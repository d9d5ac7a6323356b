#include "store/program.h"

namespace store {

ProgramState& program() {
    static ProgramState state;
    return state;
}

} // namespace store
