#include "Commands/TrafficReport.h"

#include <cstdio>

#include "Cli/TextTable.h"
#include "Display/TrafficTimes.h"

namespace {

std::string Milliseconds(double ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", ms);
    return text;
}

}  // namespace

void PrintTrafficReport(HostContext& context)
{
    std::ostream& out = context.Out();
    out << "\nStatistics: ";
    if (!context.PluginLoaded()) {
        out << "none (the command did not use the plug-in)\n";
        return;
    }
    if (context.Options().simulator) {
        out << "none (the simulated display exchanges no DDC/CI traffic)\n";
        return;
    }
    const DisplayInterfaceLibrary& library = context.InterfaceLibrary();
    if (!library.IsLoaded() || !library.HasStatistics()) {
        out << "unavailable (the display-interface library "
            << (library.IsLoaded() ? "keeps none" : "could not be opened") << ")\n";
        return;
    }
    const std::vector<DisplayInterface> interfaces = InPortOrder(library.Interfaces());
    if (interfaces.empty()) {
        out << "none (no display interfaces)\n";
        return;
    }
    out << "I2C traffic per display; wire time at 100 kHz, 9 bits a byte\n";
    TextTable table({"Port", "Display", "Link", "Writes", "Reads", "Bytes out", "Bytes in", "I2C errors", "Elapsed ms",
                     "Wire ms", "Waits ms"});
    for (size_t port = 0; port < interfaces.size(); ++port) {
        const DisplayInterface& record = interfaces[port];
        const MonApi2Statistics traffic = library.Statistics(record.index).value_or(MonApi2Statistics{});
        const TrafficTimes times = SplitTrafficTime(traffic);
        table.AddRow({std::to_string(port), record.displayName.empty() ? "-" : record.displayName,
                      record.IsUsb() ? "USB" : "DDC", std::to_string(traffic.writes), std::to_string(traffic.reads),
                      std::to_string(traffic.bytesWritten), std::to_string(traffic.bytesRead),
                      std::to_string(traffic.failures), Milliseconds(times.elapsedMs), Milliseconds(times.wireMs),
                      Milliseconds(times.waitMs)});
    }
    table.Print(out);
}
