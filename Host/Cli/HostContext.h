#pragma once
// What a command works with: the global options, the output, and the plug-in with one
// device object of the chosen module, loaded and connected only when a command asks.
// Members end in reverse order: the device first, then the plug-in's hold on the debug
// stream, then the stream.
#include <memory>
#include <ostream>

#include "Cli/CommandLine.h"
#include "Display/DisplayDevice.h"
#include "Plugin/DisplayInterfaceLibrary.h"
#include "Plugin/HostDebugStream.h"
#include "Plugin/PluginSession.h"

class HostContext {
public:
    HostContext(GlobalOptions options, std::ostream& out, std::ostream& notes);
    HostContext(const HostContext&) = delete;
    HostContext& operator=(const HostContext&) = delete;
    ~HostContext();

    const GlobalOptions& Options() const { return fOptions; }
    std::ostream& Out() { return fOut; }
    // Remarks beside the results (standard error), so the results stay easy to parse.
    std::ostream& Notes() { return fNotes; }

    // The device object, unconnected when first asked for: loads the plug-in, installs the
    // debug stream, registers the modules and creates a device of the chosen module.
    DisplayDevice& Device();
    // The device, connected to the chosen port (and display id) on first use.
    DisplayDevice& ConnectedDevice();
    bool PluginLoaded() const { return fSession != nullptr; }

    // The display-interface library beside the plug-in, opened on first use.
    const DisplayInterfaceLibrary& InterfaceLibrary();

    // The plug-in file the options name: --plugin, else the one beside this program.
    std::string PluginPath() const;

private:
    GlobalOptions fOptions;
    std::ostream& fOut;
    std::ostream& fNotes;
    std::unique_ptr<HostDebugStream> fStream;
    std::unique_ptr<PluginSession> fSession;
    std::unique_ptr<DisplayDevice> fDevice;
    bool fConnected = false;
    std::unique_ptr<DisplayInterfaceLibrary> fLibrary;
};
