#include "MonApi2/Emulator/DisplayController.h"

#include <algorithm>

#include "MonApi2/Emulator/DdcProtocol.h"

namespace OvEmulator {
namespace {

// Vendor sub-opcodes of 0xC2 messages.
constexpr uint8_t kTableReadback = 0x04;
constexpr uint8_t kTableWrite = 0x05;
constexpr uint8_t kTableApply = 0x06;
constexpr uint8_t kTableStore = 0x07;
constexpr uint8_t kPaTableRead = 0x0A;
constexpr uint8_t kPaTableWrite = 0x0B;
constexpr uint8_t kLutDirectWrite = 0x25;
constexpr uint8_t kLutName = 0x27;
constexpr uint8_t kLutRamWrite = 0x2F;

// Writes after which the display recomputes its colour conversion.
constexpr uint16_t kConversionTriggers[] = {0x1050, 0x1051, 0x1052, 0x1053, 0x1067, 0x1071};

uint8_t Hi(uint16_t v) { return static_cast<uint8_t>(v >> 8); }
uint8_t Lo(uint16_t v) { return static_cast<uint8_t>(v & 0xFF); }
uint16_t Word(uint8_t hi, uint8_t lo) { return static_cast<uint16_t>(hi << 8 | lo); }

std::vector<uint16_t> Words(std::span<const uint8_t> bytes)
{
    std::vector<uint16_t> words;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) words.push_back(Word(bytes[i], bytes[i + 1]));
    return words;
}

}  // namespace

DisplayController::DisplayController(const EmulatedModel& model)
    : fGammaTable(model.gammaTableEntries),
      fLut(model.lutGridSize),
      fCapabilities(model.CapabilityString()),
      fColorConvertReads(model.colorConvertReads)
{
    for (const VcpControl& control : model.controls) fVcps.Define(control.id, control.current, control.maximum, control.type);
    fSavedVcps = fVcps;
}

std::optional<Reply> DisplayController::Handle(std::span<const uint8_t> payload)
{
    if (payload.empty()) return std::nullopt;
    switch (payload[0]) {
    case kGetVcpRequest: return GetVcp(payload);
    case kSetVcpRequest: SetVcp(payload); return std::nullopt;
    case kSaveSettingsRequest:
        if (payload.size() == 1) {
            fSavedVcps = fVcps;
            ++fSaveCount;
        }
        return std::nullopt;
    case kCapabilitiesRequest: return CapabilitiesChunk(payload);
    case kPagedReadRequest: return PagedRead(payload);
    case kPagedWriteRequest: return PagedWrite(payload);
    case kVendorMessage: return VendorMessage(payload);
    default: return std::nullopt;
    }
}

std::optional<Reply> DisplayController::GetVcp(std::span<const uint8_t> request)
{
    if (request.size() != 2) return std::nullopt;
    const uint8_t code = request[1];
    const VcpReport r = ReadVcp(code);
    return Reply{{kGetVcpReply, r.result, code, r.type, Hi(r.maximum), Lo(r.maximum), Hi(r.current), Lo(r.current)}, 2};
}

void DisplayController::SetVcp(std::span<const uint8_t> request)
{
    if (request.size() == 4) WriteVcp(request[1], Word(request[2], request[3]));
}

std::optional<Reply> DisplayController::CapabilitiesChunk(std::span<const uint8_t> request) const
{
    if (request.size() != 3) return std::nullopt;
    const size_t offset = Word(request[1], request[2]);
    Reply reply{{kCapabilitiesReply, request[1], request[2]}, 2};
    if (offset < fCapabilities.size()) {
        const size_t count = std::min(kCapabilityChunk, fCapabilities.size() - offset);
        reply.payload.insert(reply.payload.end(), fCapabilities.begin() + static_cast<std::ptrdiff_t>(offset),
                             fCapabilities.begin() + static_cast<std::ptrdiff_t>(offset + count));
    }
    return reply;
}

std::optional<Reply> DisplayController::PagedRead(std::span<const uint8_t> request)
{
    if (request.size() != 3) return std::nullopt;
    return PagedReply(request[1], request[2], ReadVcp(Word(request[1], request[2])));
}

std::optional<Reply> DisplayController::PagedWrite(std::span<const uint8_t> request)
{
    if (request.size() != 5) return std::nullopt;
    const uint16_t id = Word(request[1], request[2]);
    WriteVcp(id, Word(request[3], request[4]));
    return PagedReply(request[1], request[2], fVcps.Report(id));
}

Reply DisplayController::PagedReply(uint8_t page, uint8_t code, const VcpReport& r) const
{
    return Reply{{kPagedReply, r.result, page, code, r.type, Hi(r.maximum), Lo(r.maximum), Hi(r.current), Lo(r.current)}, 3};
}

std::optional<Reply> DisplayController::VendorMessage(std::span<const uint8_t> request)
{
    if (request.size() < 2) return std::nullopt;
    switch (request[1]) {
    case kTableWrite:
    case kPaTableWrite: TableWrite(request); return std::nullopt;
    case kTableReadback:
    case kPaTableRead: return TableRead(request);
    case kTableApply:
        if (request.size() == 2) {
            fGammaTable.Apply();
            StartColorConversion();
        }
        return std::nullopt;
    case kTableStore:
        if (request.size() == 2) fGammaTable.Store();
        return std::nullopt;
    case kLutDirectWrite: return LutWrite(request, LutMemory::Target::kTable);
    case kLutRamWrite: return LutWrite(request, LutMemory::Target::kRam);
    case kLutName: return LutName(request);
    default: return std::nullopt;
    }
}

void DisplayController::TableWrite(std::span<const uint8_t> request)
{
    if (request.size() < 6 || request.size() % 2 != 0) return;
    fGammaTable.Write(Word(request[2], request[3]), Words(request.subspan(4)));
}

std::optional<Reply> DisplayController::TableRead(std::span<const uint8_t> request)
{
    if (request.size() != 5) return std::nullopt;
    const auto values = fGammaTable.Read(Word(request[2], request[3]), request[4]);
    if (!values) return std::nullopt;
    Reply reply{{kVendorReply, request[1]}, 1};
    for (uint16_t value : *values) {
        reply.payload.push_back(Hi(value));
        reply.payload.push_back(Lo(value));
    }
    return reply;
}

std::optional<Reply> DisplayController::LutWrite(std::span<const uint8_t> request, LutMemory::Target target)
{
    constexpr size_t kPointBytes = 6;
    if (fLut.GridSize() == 0 || request.size() < 5 + kPointBytes || (request.size() - 5) % kPointBytes != 0) return std::nullopt;
    std::vector<LutPoint> points;
    for (size_t i = 5; i < request.size(); i += kPointBytes) {
        points.push_back({Word(request[i], request[i + 1]), Word(request[i + 2], request[i + 3]), Word(request[i + 4], request[i + 5])});
    }
    if (!fLut.Write(target, request[2], request[3], request[4], points)) return std::nullopt;
    return Reply{{kVendorReply, request[1], request[2], request[3], request[4]}, 4};
}

std::optional<Reply> DisplayController::LutName(std::span<const uint8_t> request)
{
    if (fLut.GridSize() == 0 || request.size() != 3 + kLutNameLength) return std::nullopt;
    if (!fLut.SetName(request[2], std::string(request.begin() + 3, request.end()))) return std::nullopt;
    return Reply{{kVendorReply, request[1], request[2]}, 2};
}

VcpReport DisplayController::ReadVcp(uint16_t id)
{
    VcpReport report = fVcps.Report(id);
    if (id == kColorConvertStatus && report.result == kVcpSupported && fConversionReadsLeft > 0) {
        --fConversionReadsLeft;
        report.current = 1;
    }
    return report;
}

void DisplayController::WriteVcp(uint16_t id, uint16_t value)
{
    if (!fVcps.Write(id, value)) return;
    if (id == kSaveLutRamToEeprom && value == 1) {
        fLut.SaveRamToTable();
        StartColorConversion();
    }
    if (std::find(std::begin(kConversionTriggers), std::end(kConversionTriggers), id) != std::end(kConversionTriggers)) {
        StartColorConversion();
    }
}

void DisplayController::StartColorConversion() { fConversionReadsLeft = fColorConvertReads; }

}  // namespace OvEmulator
