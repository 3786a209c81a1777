#pragma once
// The --stats report: per display, the I2C transactions and bytes the display-interface
// library carried, the failed ones, and the time on the wire and in the protocol's waits.
#include "Cli/HostContext.h"

void PrintTrafficReport(HostContext& context);
