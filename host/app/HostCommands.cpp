#include "host/app/HostCommands.h"

namespace
{
SimulateHandler g_simulate = nullptr;
}

void SetSimulateHandler(SimulateHandler handler) { g_simulate = handler; }
SimulateHandler GetSimulateHandler() { return g_simulate; }
