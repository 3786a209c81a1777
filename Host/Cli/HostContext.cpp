#include "Cli/HostContext.h"

#include "Platform/HostEnvironment.h"
#include "Platform/LibraryFileNames.h"

HostContext::HostContext(GlobalOptions options, std::ostream& out, std::ostream& notes)
    : fOptions(std::move(options)), fOut(out), fNotes(notes)
{
}

HostContext::~HostContext() = default;

std::string HostContext::PluginPath() const
{
    if (!fOptions.pluginPath.empty()) return fOptions.pluginPath;
    return (ExecutableFolder() / kPluginFileName).string();
}

DisplayDevice& HostContext::Device()
{
    if (fDevice) return *fDevice;
    if (!fStream) fStream = std::make_unique<HostDebugStream>(fOptions.logTarget);
    if (!fSession) fSession = std::make_unique<PluginSession>(PluginPath(), *fStream);
    const char* module = fOptions.simulator ? kSimulatorModuleName : kRealModuleName;
    fDevice = std::make_unique<DisplayDevice>(fSession->CreateDevice(module));
    return *fDevice;
}

DisplayDevice& HostContext::ConnectedDevice()
{
    DisplayDevice& device = Device();
    if (!fConnected) {
        device.Connect(fOptions.displayId.value_or(-1), fOptions.port);
        fConnected = true;
    }
    return device;
}

const DisplayInterfaceLibrary& HostContext::InterfaceLibrary()
{
    if (!fLibrary) fLibrary = std::make_unique<DisplayInterfaceLibrary>();
    return *fLibrary;
}
