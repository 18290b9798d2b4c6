#include "core/windows/program.h"

namespace wagedesk {

namespace {
ProgramState &instance()
{
    static ProgramState s;
    return s;
}
}  // namespace

ProgramState &state() { return instance(); }

void resetState() { instance() = ProgramState{}; }

}  // namespace wagedesk
