#pragma once
// The functions behind the commands of the table; each returns the exit status and
// raises HostError (or UsageError) with a one-line reason when it fails.
#include "Cli/CommandLine.h"
#include "Cli/HostContext.h"
#include "HostError.h"

int RunDetect(HostContext& context, const CommandLine& line);
int RunInfo(HostContext& context, const CommandLine& line);
int RunEdid(HostContext& context, const CommandLine& line);
int RunCapabilities(HostContext& context, const CommandLine& line);
int RunGetVcp(HostContext& context, const CommandLine& line);
int RunSetVcp(HostContext& context, const CommandLine& line);
int RunScan(HostContext& context, const CommandLine& line);
int RunBrightness(HostContext& context, const CommandLine& line);
int RunContrast(HostContext& context, const CommandLine& line);
int RunGain(HostContext& context, const CommandLine& line);
int RunBlackLevel(HostContext& context, const CommandLine& line);
int RunTextCommand(HostContext& context, const CommandLine& line);
int RunSimulation(HostContext& context, const CommandLine& line);
int RunDemo(HostContext& context, const CommandLine& line);
int RunHelp(HostContext& context, const CommandLine& line);
int RunCalibrate(HostContext& context, const CommandLine& line);
int RunCurves(HostContext& context, const CommandLine& line);
int RunPrepare(HostContext& context, const CommandLine& line);
int RunWhitePoint(HostContext& context, const CommandLine& line);
int RunLut3d(HostContext& context, const CommandLine& line);
