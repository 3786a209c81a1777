#include <vector>

#include "ConformanceChecks.h"
#include "HostStreams.h"

namespace {
// Creating (and ending) an unconnected real device writes the construction lines and
// nothing else, which shows where the plug-in's log lines go.
void WriteProbeLines(PluginSession& session)
{
    session.CreateDevice(kRealModule);
}

// The byte offsets right after each '\n' of text.
std::vector<size_t> LineEnds(const std::string& text)
{
    std::vector<size_t> ends;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') ends.push_back(i + 1);
    }
    return ends;
}
}  // namespace

void CheckDebugStreamInstallation(PluginSession& session, CheckReport& report)
{
    RecordingStream first;
    RecordingStream second;
    // Starts and ends the group on the plug-in's own output; declared after the streams,
    // so the plug-in lets go of them before they end.
    ScopedDebugStream ownOutput(session, nullptr);

    session.InitPlugin(&first);
    report.ExpectEqual(first.AddRefCalls(), 0, "InitPlugin gives the host's stream no AddRef");
    report.ExpectEqual(first.ReleaseCalls(), 0, "InitPlugin does not release the stream it installs");
    WriteProbeLines(session);
    report.ExpectEqual(first.Written(), kConstructionLines, "log lines go to the installed stream");

    session.InitPlugin(&second);
    report.ExpectEqual(first.ReleaseCalls(), 1,
                       "InitPlugin with another stream releases the replaced one exactly once");
    report.ExpectEqual(second.AddRefCalls(), 0, "the replacing stream gets no AddRef");
    WriteProbeLines(session);
    report.ExpectEqual(first.Written(), kConstructionLines, "the replaced stream receives nothing more");
    report.ExpectEqual(second.Written(), kConstructionLines, "the replacing stream receives the lines");

    session.InitPluginWithoutRecord();
    report.ExpectEqual(second.ReleaseCalls(), 0, "InitPlugin(NULL) releases nothing");
    WriteProbeLines(session);
    report.ExpectEqual(second.Written(), kConstructionLines + kConstructionLines,
                       "after InitPlugin(NULL) the stream stays in force");

    session.InitPlugin(&second);
    report.ExpectEqual(second.ReleaseCalls(), 0, "InitPlugin with the installed stream again does not release it");
    report.ExpectEqual(second.AddRefCalls(), 0, "InitPlugin with the installed stream again gives no AddRef");

    session.InitPlugin(nullptr);
    report.ExpectEqual(second.ReleaseCalls(), 1, "a record whose field 2 is null releases the stream once");
    const std::string before = second.Written();
    WriteProbeLines(session);
    report.ExpectEqual(second.Written(), before,
                       "with field 2 null the lines go to the debugger output, not the old stream");

    report.ExpectEqual(first.DestroyCalls() + second.DestroyCalls(), 0,
                       "the plug-in never calls the destructor slot of a host stream");
}

void CheckFlushingStream(PluginSession& session, CheckReport& report)
{
    FlushingStream stream;
    ScopedDebugStream installed(session, &stream);
    WriteProbeLines(session);

    report.ExpectEqual(stream.Written(), kConstructionLines, "a flushing stream receives the lines");
    report.ExpectEqual(stream.CloseOffsets().size(), size_t{3}, "a flushing stream is closed once per line");
    report.Expect(stream.CloseOffsets() == LineEnds(stream.Written()),
                  "each Close comes right after the '\\n' that ends a line");
}

void CheckConstructionLog(PluginSession& session, CheckReport& report)
{
    for (const char* module : kDeviceModules) {
        RecordingStream stream;
        ScopedDebugStream installed(session, &stream);
        const DeviceHandle device = session.CreateDevice(module);
        if (!device) {
            report.Expect(false, std::string(module) + ": the factory creates a device");
            continue;
        }
        report.ExpectEqual(stream.Written(), kConstructionLines,
                           std::string(module) + ": creating a device writes exactly the three construction lines");
    }
}
