// The calibration operations of a real-display device on the emulated PA271W, by slot:
// a VCP list in the host's own array layout, a gamma-table upload read back through the
// log of the exchanges, and the uniformity correction. The plug-in's protocol waits are
// real here, so each operation is called only a few times.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "ConformanceChecks.h"
#include "HexText.h"
#include "HostStreams.h"

namespace {

constexpr uint32_t kBrightness = 0x0010;
constexpr uint32_t kUnsupportedOnPA = 0x021A;  // the picture mode of the other series
constexpr uint32_t kSet = 0x0001;
constexpr uint32_t kSetOnlyIfDifferent = 0x0101;
constexpr uint32_t kCarried = 0xBEEF0000;  // bytes 2 and 3 of the flags, left alone
constexpr uint32_t kUnset = 0xFFFFFFFF;

bool SameRecord(const OvVCPListRecord& a, const OvVCPListRecord& b)
{
    return a.flags == b.flags && a.vcp == b.vcp && a.value == b.value && a.maximum == b.maximum && a.result == b.result;
}

// A logged exchange reads "DDC2Device: <frame payload tail>" in hexadecimal: a request
// has three frame bytes (addresses and length) and a checksum behind, a reply two frame
// bytes. Returns the payloads (upper case) logged from `from` on that start with `opcode`
// (upper case), in order.
struct LoggedFrame {
    size_t headBytes;
    size_t tailBytes;
};
constexpr LoggedFrame kRequest = {3, 1};
constexpr LoggedFrame kReply = {2, 0};

std::vector<std::string> LoggedPayloads(const std::string& log, size_t from, LoggedFrame frame,
                                        const std::string& opcode)
{
    static const std::string kPrefix = "DDC2Device: <";
    std::vector<std::string> payloads;
    for (size_t at = log.find(kPrefix, from); at != std::string::npos; at = log.find(kPrefix, at + 1)) {
        const size_t start = at + kPrefix.size() + 2 * frame.headBytes;
        const size_t end = log.find('>', start);
        if (end == std::string::npos || end < start + 2 * frame.tailBytes) break;
        std::string payload = log.substr(start, end - start - 2 * frame.tailBytes);
        for (char& c : payload) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (payload.compare(0, opcode.size(), opcode) == 0) payloads.push_back(payload);
    }
    return payloads;
}

// "i\tR\t" of the first `count` lines of "GetCurves": the index and the red entry.
std::string CurvesRedColumn(OvROVUvided& device, int32_t count)
{
    std::vector<char> result(8192);
    const std::string curves = device.ExecuteCommand("GetCurves", "", result.data(), static_cast<int32_t>(result.size()));
    std::string column;
    size_t start = 0;
    for (int32_t i = 0; i < count; ++i) {
        const size_t firstTab = curves.find('\t', start);
        const size_t secondTab = firstTab == std::string::npos ? firstTab : curves.find('\t', firstTab + 1);
        const size_t end = secondTab == std::string::npos ? secondTab : curves.find('\n', secondTab);
        if (end == std::string::npos) break;
        column += curves.substr(start, secondTab + 1 - start);
        start = end + 1;
    }
    return column;
}

// The same for red entries uploaded as 16-bit numbers, most significant byte first.
std::string RedColumn(const uint8_t* bytes, int32_t count)
{
    std::string column;
    for (int32_t i = 0; i < count; ++i)
        column += std::to_string(i) + "\t" + std::to_string(bytes[2 * i] << 8 | bytes[2 * i + 1]) + "\t";
    return column;
}

}  // namespace

// Record 0 reads the brightness; record 1 asks for the value the display already holds;
// record 2 reads a VCP the PA271W lacks, which ends the run with 1; record 3 is never run.
void CheckEmulatedVCPList(PluginSession& session, CheckReport& report)
{
    DeviceHandle device = ConnectEmulatedDisplay(session, report);
    if (!device) return;
    OvVCPListRecord records[] = {
        {kCarried, kBrightness, 0, 0, kUnset},
        {kCarried | kSetOnlyIfDifferent, kBrightness, 70, 1234, kUnset},
        {0, kUnsupportedOnPA, 0, 0, kUnset},
        {kSet, kBrightness, 10, 7, kUnset},
    };
    OvVCPList list = {4, 4, 0, 10000, records};

    report.ExpectEqual(device->SetGetVCPList(&list, nullptr), 1, EmulatedSlot(54, "SetGetVCPList ends with result 1"));
    report.Expect(SameRecord(records[0], {kCarried, kBrightness, 70, 100, 0}),
                  EmulatedSlot(54, "a read record gets value 70, maximum 100, result 0, flags kept"));
    report.Expect(SameRecord(records[1], {kCarried | kSetOnlyIfDifferent, kBrightness, 70, 1234, 0}),
                  EmulatedSlot(54, "a set-only-if-different record equal to the display gives result 0"));
    report.ExpectEqual(records[2].result, 1u, EmulatedSlot(54, "an unsupported read gives result 1"));
    report.Expect(SameRecord(records[3], {kSet, kBrightness, 10, 7, kUnset}),
                  EmulatedSlot(54, "the record after the failed one is untouched"));
    report.ExpectEqual(list.count, 4, EmulatedSlot(54, "the host's array keeps its count"));
    report.ExpectEqual(device->GetBrightness(), 0.7, EmulatedSlot(18, "brightness unchanged by the list"));
}

// A 64-byte table goes up as four chunks; the read-back of the whole table returns them
// first, and "GetCurves" lists them as the red channel's first 32 entries. A second upload
// against a previous table that differs in one chunk sends that chunk alone.
void CheckEmulatedGammaTable(PluginSession& session, CheckReport& report)
{
    RecordingStream stream;
    ScopedDebugStream installed(session, &stream);
    DeviceHandle device = ConnectEmulatedDisplay(session, report);
    if (!device) return;
    constexpr int32_t kBytes = 64;
    uint8_t table[kBytes];
    for (int32_t i = 0; i < kBytes; ++i) table[i] = static_cast<uint8_t>(11 + 37 * i);

    size_t from = stream.Written().size();
    device->UpdateCalibration(kBytes, table, nullptr, nullptr);
    report.ExpectEqual(LoggedPayloads(stream.Written(), from, kRequest, "C205").size(), size_t{4},
                       EmulatedSlot(38, "UpdateCalibration without a previous table sends 4 chunks"));

    from = stream.Written().size();
    device->ReadGammaTable();
    const std::vector<std::string> replies = LoggedPayloads(stream.Written(), from, kReply, "C30A");
    report.ExpectEqual(replies.size(), size_t{96}, EmulatedSlot(33, "ReadGammaTable reads 96 chunks"));
    std::string readBack;
    for (const std::string& reply : replies) readBack += reply.substr(4, 32);
    report.ExpectEqual(readBack.substr(0, 2 * kBytes), Hex(table, kBytes),
                       EmulatedSlot(33, "ReadGammaTable reads back the uploaded entries"));
    report.ExpectEqual(CurvesRedColumn(*device, kBytes / 2), RedColumn(table, kBytes / 2),
                       EmulatedSlot(49, "ExecuteCommand \"GetCurves\" lists the read-back red entries"));

    uint8_t previous[kBytes];
    std::copy(table, table + kBytes, previous);
    previous[40] ^= 0xFF;
    from = stream.Written().size();
    device->UpdateCalibration(kBytes, table, previous, nullptr);
    const std::vector<std::string> sent = LoggedPayloads(stream.Written(), from, kRequest, "C205");
    report.ExpectEqual(sent.size() == 1 ? sent.front() : std::to_string(sent.size()) + " chunks",
                       "C2050010" + Hex(table + 32, 16),
                       EmulatedSlot(38, "UpdateCalibration sends only the chunk that differs from previous"));
}

void CheckEmulatedUniformity(PluginSession& session, CheckReport& report)
{
    DeviceHandle device = ConnectEmulatedDisplay(session, report);
    if (!device) return;
    const struct {
        int32_t state;
        uint32_t level;
        uint32_t expectedState;
        uint32_t expectedLevel;
        const char* what;
    } kCases[] = {
        {2, 4, 2, 4, "SetUniformityCorrection(2, 4), then GetUniformityCorrection"},
        {1, 4, 1, 0, "SetUniformityCorrection(1, 4), then GetUniformityCorrection"},
    };
    for (const auto& c : kCases) {
        device->SetUniformityCorrection(c.state, c.level);
        uint32_t state = kUnset;
        uint32_t level = kUnset;
        device->GetUniformityCorrection(&state, &level);
        const auto text = [](uint32_t s, uint32_t l) {
            return "state " + std::to_string(s) + ", level " + std::to_string(l);
        };
        report.ExpectEqual(text(state, level), text(c.expectedState, c.expectedLevel), EmulatedSlot(51, c.what));
    }
}
