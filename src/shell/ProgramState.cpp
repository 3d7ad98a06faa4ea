#include "ProgramState.h"

namespace {
ProgramState& builtIn()
{
    static ProgramState s;
    return s;
}
ProgramState* current = nullptr;
} // namespace

QSqlDatabase ProgramState::Cn() const
{
    if (CnName.isEmpty() || !QSqlDatabase::contains(CnName)) return QSqlDatabase();
    return QSqlDatabase::database(CnName, false);
}

ProgramState& state()
{
    return current ? *current : builtIn();
}

void installState(ProgramState* s)
{
    current = s;
}
