#include "Soak/SoakScenario.h"

#include <cstdio>

#include "Soak/SoakRandom.h"

using OvEmulator::Fault;
using OvEmulator::FaultKind;
using OvEmulator::Link;
using OvEmulator::RequestKind;

namespace {

constexpr std::array<int32_t, 3> k256Layout = {0, 256, 512};
constexpr std::array<int32_t, 3> k1024Layout = {0, 1024, 2048};

const SoakDownload kDownloads[] = {
    {"ignore-gain", "V193A", Link::kDdc, SoakOperation::kRGBCalibration, 256, 1023, k256Layout},
    {"19-inch", "V192L", Link::kDdc, SoakOperation::kRGBCalibration, 256, 1023, k256Layout},
    {"10-to-10-bit", "SV272Q", Link::kDdc, SoakOperation::kRGBCalibration, 1024, 1023, k1024Layout},
    {"Series 90 (1024 entries)", "SV231S", Link::kDdc, SoakOperation::kRGBCalibration, 1024, 1023, k1024Layout},
    {"Series 90 (1024 entries, 12-bit)", "SV242P", Link::kDdc, SoakOperation::kRGBCalibration, 1024, 4095, k1024Layout},
    {"Series 90 (256 entries, chunks of 8)", "PA241W", Link::kDdc, SoakOperation::kRGBCalibration, 256, 1023, k256Layout},
    {"Series 90 (switched to 256 entries)", "SV241C", Link::kDdc, SoakOperation::kRGBCalibration, 256, 1023, k256Layout},
    {"Series 90 (colour conversion off)", "PA271W", Link::kDdc, SoakOperation::kRGBCalibration, 256, 1023, k1024Layout},
    {"Series PA", "PA322UHD", Link::kDdc, SoakOperation::kRGBCalibration, 256, 1023, k1024Layout},
    {"UpdateCalibration", "V193A", Link::kDdc, SoakOperation::kUpdateCalibration, 256, 1023, k256Layout},
    {"3D LUT direct over DDC", "PA271W", Link::kDdc, SoakOperation::k3DLUT, 0, 0, {}},
    {"3D LUT into RAM over DDC", "PA322UHD", Link::kDdc, SoakOperation::k3DLUT, 0, 0, {}},
    {"3D LUT direct over USB", "PA311D", Link::kUsb, SoakOperation::k3DLUT, 0, 0, {}},
};

constexpr FaultKind kFaultKinds[] = {
    FaultKind::kWriteError, FaultKind::kReadError,   FaultKind::kBadChecksum,
    FaultKind::kWrongSource, FaultKind::kEmptyReply, FaultKind::kWrongOpcode,
    FaultKind::kWrongEcho,  FaultKind::kWrongLength, FaultKind::kLongerThanAsked,
};
constexpr RequestKind kOtherRequests[] = {RequestKind::kAny, RequestKind::kPagedRead, RequestKind::kPagedWrite,
                                          RequestKind::kSaveSettings, RequestKind::kCapabilities, RequestKind::kGetVcp};

// The messages of the download's own kind: the range the faults' skips are drawn from.
int32_t TransferMessages(const SoakDownload& download)
{
    if (download.operation == SoakOperation::k3DLUT) return download.link == Link::kUsb ? 92 : 1229;
    return download.entries == 1024 ? 400 : 200;
}

Fault RandomFault(std::mt19937_64& random, const SoakDownload& download)
{
    const RequestKind own = download.operation == SoakOperation::k3DLUT ? RequestKind::kLut : RequestKind::kTable;
    Fault fault{kFaultKinds[static_cast<size_t>(Draw(random, 0, static_cast<int32_t>(std::size(kFaultKinds)) - 1))]};
    fault.request = Chance(random, 65) ? own : kOtherRequests[static_cast<size_t>(Draw(random, 0, static_cast<int32_t>(std::size(kOtherRequests)) - 1))];
    // NAKed table writes and wrong point coordinates come up more often than their share.
    if (fault.request == own && Chance(random, 25))
        fault.kind = own == RequestKind::kLut ? FaultKind::kWrongEcho : FaultKind::kWriteError;
    const int32_t times = Draw(random, 0, 99);
    fault.times = times < 10 ? OvEmulator::kAlways : times < 80 ? Draw(random, 1, 6) : Draw(random, 7, 30);
    fault.skip = Chance(random, 15) ? 0 : Draw(random, 0, 2 * TransferMessages(download));
    if (fault.kind == FaultKind::kWrongLength && Chance(random, 50)) fault.length = Draw(random, 0, 12);
    return fault;
}

const char* KindName(FaultKind kind)
{
    constexpr const char* kNames[] = {"write error", "read error", "bad checksum", "wrong source", "empty reply",
                                      "wrong opcode", "wrong echo", "wrong length", "longer than asked"};
    return kNames[static_cast<size_t>(kind)];
}

const char* RequestName(RequestKind kind)
{
    constexpr const char* kNames[] = {"any", "EDID", "GetVCP", "SetVCP", "save settings", "capabilities",
                                      "paged read", "paged write", "table", "LUT", "unknown"};
    return kNames[static_cast<size_t>(kind)];
}

}  // namespace

std::span<const SoakDownload> SoakDownloads() { return kDownloads; }

SoakScenario SoakScenario::FromSeed(uint64_t seed)
{
    std::mt19937_64 random(seed);
    SoakScenario scenario;
    scenario.seed = seed;
    scenario.download = &kDownloads[static_cast<size_t>(Draw(random, 0, static_cast<int32_t>(std::size(kDownloads)) - 1))];
    scenario.transform = SoakTransformSpec::Random(random);
    scenario.nullTransform = scenario.download->operation == SoakOperation::k3DLUT &&
                             scenario.transform.shape == SoakShape::kIdentity && Chance(random, 50);
    scenario.previous = SoakTransformSpec::Random(random);
    for (int32_t n = Draw(random, 1, 24); n > 0; --n) scenario.changedChunks.push_back(Draw(random, 0, 95));
    const int32_t faults = Chance(random, 15) ? 0 : Draw(random, 1, 3);
    for (int32_t n = 0; n < faults; ++n) scenario.faults.push_back(RandomFault(random, *scenario.download));
    if (scenario.download->operation != SoakOperation::k3DLUT && Chance(random, 25))
        scenario.readBackDiffers = Chance(random, 10) ? OvEmulator::kAlways : Draw(random, 1, 20);
    return scenario;
}

std::string SoakScenario::Describe() const
{
    std::string text = std::string(download->family) + " on " + download->model + ", " +
                       (nullTransform ? "no transform" : transform.Describe());
    for (const Fault& fault : faults) {
        char rule[128];
        std::snprintf(rule, sizeof rule, "; %s on %s, skip %d, times %d", KindName(fault.kind), RequestName(fault.request),
                      fault.skip, fault.times);
        text += rule;
    }
    if (readBackDiffers != 0)
        text += "; read-backs differ " + (readBackDiffers < 0 ? std::string("always") : std::to_string(readBackDiffers) + " times");
    return text;
}
