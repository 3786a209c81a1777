#include "Soak/SoakRound.h"

#include <cstring>
#include <exception>

#include "OvCore/OvError.h"
#include "Soak/SoakExpectation.h"
#include "Soak/SoakGuard.h"
#include "Soak/SoakMachine.h"
#include "Soak/SoakTraffic.h"

namespace {

// Caps far beyond any download that ends: a 17-point grid over DDC takes about 8 minutes
// and 10,000 I2C operations without faults.
constexpr uint64_t kMaxVirtualMs = 24ull * 3600 * 1000;
constexpr uint64_t kMaxI2COperations = 2'000'000;

constexpr int32_t kOvIOErrCode = 43;

bool IsFamily(const SoakDownload& download, const char* family) { return std::strcmp(download.family, family) == 0; }

// The downloads that raise the transport's own code when a chunk cannot be sent.
bool RaisesTransportCode(const SoakDownload& download)
{
    return download.operation == SoakOperation::kUpdateCalibration || IsFamily(download, "ignore-gain") ||
           IsFamily(download, "19-inch") || IsFamily(download, "10-to-10-bit");
}

bool IsIOErr(const OvError& error)
{
    return error.code == kOvIOErrCode && error.name && (std::strcmp(error.name, "OvIOErr") == 0 || std::strcmp(error.name, "IOErr") == 0);
}

class RoundJudge {
public:
    RoundJudge(const SoakScenario& scenario, OvEmulator::EmulatedDisplay& display, const SoakCells& expected)
        : fScenario(scenario), fDownload(*scenario.download), fDisplay(display), fExpected(expected),
          fRequests(SoakRequests(display)),
          fLast(LastTransferWrite(fRequests, OvEmulator::FindModel(fDownload.model)->lutGridSize)),
          fUnsent(UnsentByChangeOnlyUpload(fDownload, expected))
    {
    }

    SoakOutcome Completed()
    {
        const std::vector<uint16_t> held = HeldCells(fDisplay, fDownload);
        const int64_t differs = FirstDifference(fExpected, held, fExpected.size());
        if (differs < 0 && NameHeld()) return {SoakVerdict::kHeldComputed, "completed, display holds the computed table", ""};
        if (differs >= 0 && FirstDifference(fExpected, held, fExpected.size(), fUnsent) < 0)
            return {SoakVerdict::kAcceptedByDesign,
                    std::string("accepted by design: ") + fDownload.family +
                        ": the change-only upload skips chunks equal to the table image, and a computed chunk of 0xFFFF equals its marks",
                    Difference(static_cast<size_t>(differs), held)};
        if (differs >= 0 && IsFamily(fDownload, "Series PA") && fLast && !AppliesOrStoresAfter(fRequests, fLast->request) &&
            FirstDifference(fExpected, held, CellOf(*fLast)) < 0)
            return {SoakVerdict::kAcceptedByDesign,
                    "accepted by design: Series PA stops at a failed verified write and ends normally, the partial table neither applied nor stored",
                    "stopped at the " + fLast->text};
        if (differs < 0) return Finding("completed, but the 3D LUT slot is not named", "");
        return Finding("completed with a different table", Difference(static_cast<size_t>(differs), held));
    }

    SoakOutcome Raised(const OvError& error)
    {
        const std::string name = error.name ? error.name : "";
        const std::string raised = "raised " + name + " " + std::to_string(error.code);
        if (!RaisedAsSpecified(error)) return Finding("raised an unexpected error", raised + ", " + Where());
        const std::vector<uint16_t> held = HeldCells(fDisplay, fDownload, IsFamily(fDownload, "3D LUT into RAM over DDC"));
        const size_t written = fLast ? CellOf(*fLast) : 0;
        if (const int64_t differs = FirstDifference(fExpected, held, written, fUnsent); differs >= 0)
            return Finding("raised, but chunks before the failed one are not held", Difference(static_cast<size_t>(differs), held));
        return {SoakVerdict::kRaisedAsSpecified, Label(error), raised + ", " + Where()};
    }

    SoakOutcome Finding(const std::string& label, const std::string& detail) const
    {
        return {SoakVerdict::kFinding, label, detail};
    }

private:
    bool RaisedAsSpecified(const OvError& error) const
    {
        if (fDownload.operation == SoakOperation::k3DLUT)
            return error.code == kOvIOErrCode && error.name && std::strncmp(error.name, "error code: ", 12) == 0 &&
                   std::strcmp(error.name, "error code: 0") != 0;
        if (!RaisesTransportCode(fDownload)) return IsIOErr(error);
        // A chunk that cannot be sent raises the transport's code; OvIOErr comes only from
        // the commands that apply and store the table.
        if (error.code < 0) return error.name && std::strcmp(error.name, "err") == 0;
        return IsIOErr(error) && LastIsApplyOrStore();
    }

    std::string Label(const OvError& error) const
    {
        if (fDownload.operation == SoakOperation::k3DLUT) return "raised OvIOErr \"error code: %d\"";
        if (error.code < 0) return "raised \"err\" with the transport's code";
        return "raised OvIOErr";
    }

    bool LastIsApplyOrStore() const { return !fRequests.empty() && AppliesOrStoresAfter(fRequests, fRequests.size() - 1); }

    bool NameHeld() const
    {
        if (fDownload.operation != SoakOperation::k3DLUT) return true;
        return fDisplay.Controller().Lut().Name(2) == (fScenario.nullTransform ? "Linear3DLUT  " : "Custom3DLUT  ");
    }

    // The index of the first cell the transfer write covers.
    size_t CellOf(const SoakTransferWrite& write) const
    {
        if (write.lut) return 3 * static_cast<size_t>(write.address);
        for (size_t i = 0; i < fExpected.size(); ++i) {
            if (fExpected[i].address == write.address) return i;
        }
        return 0;
    }

    std::string Where() const
    {
        const std::string last = LastRequestText(fRequests);
        if (!fLast) return "before the transfer (" + last + ")";
        if (fLast->request + 1 < fRequests.size()) return "after the transfer, whose last was the " + fLast->text + " (" + last + ")";
        return "at the " + fLast->text + " (" + last + ")";
    }

    std::string Difference(size_t index, const std::vector<uint16_t>& held) const
    {
        const SoakCell& cell = fExpected[index];
        char text[128];
        std::snprintf(text, sizeof text, "cell %zu (address 0x%04X): held %d, computed %d", index, cell.address,
                      cell.address < held.size() ? held[cell.address] : -1, cell.value);
        return text + std::string("; ") + (fLast ? "last written: " + fLast->text : "nothing written");
    }

    const SoakScenario& fScenario;
    const SoakDownload& fDownload;
    OvEmulator::EmulatedDisplay& fDisplay;
    const SoakCells& fExpected;
    std::vector<std::vector<uint8_t>> fRequests;
    std::optional<SoakTransferWrite> fLast;
    std::vector<bool> fUnsent;
};

// Runs the download itself; raises what the device raises.
void RunDownload(const SoakScenario& scenario, SoakMachine& machine, SoakTransform& transform, const SoakTable256& before,
                 const SoakTable256& updated)
{
    OvROVUvidedImpl& device = machine.Device();
    switch (scenario.download->operation) {
    case SoakOperation::kRGBCalibration: device.SetRGBCalibration(&transform, nullptr); break;
    case SoakOperation::kUpdateCalibration:
        device.UpdateCalibration(static_cast<int32_t>(updated.size()), updated.data(), before.data(), nullptr);
        break;
    case SoakOperation::k3DLUT: device.Set3DLUT(scenario.nullTransform ? nullptr : &transform, nullptr); break;
    }
}

// Puts the 256-entry table into the display's memory, as an earlier download left it.
void Preload(OvEmulator::EmulatedDisplay& display, const SoakTable256& table)
{
    for (size_t at = 0; at < table.size(); at += 32) {
        uint16_t words[16];
        for (size_t i = 0; i < 16; ++i) words[i] = static_cast<uint16_t>(table[at + 2 * i] << 8 | table[at + 2 * i + 1]);
        display.Controller().GammaTable().Write(static_cast<uint16_t>(at / 2), words);
    }
}

}  // namespace

SoakOutcome RunSoakRound(const SoakScenario& scenario)
{
    SoakGuard guard(kMaxVirtualMs, kMaxI2COperations);
    SoakMachine machine(*scenario.download, guard);
    SoakTransform transform(scenario.transform);
    SoakTransform previous(scenario.previous);
    const bool update = scenario.download->operation == SoakOperation::kUpdateCalibration;
    const SoakTable256 before = update ? SoakIgnoreGainBytes(previous) : SoakTable256{};
    const SoakTable256 updated = update ? SoakUpdatedTable(scenario.changedChunks, before, transform) : SoakTable256{};
    const SoakCells expected = ExpectedCells(scenario, scenario.nullTransform ? nullptr : &transform, updated);
    try {
        if (!machine.Connect()) return {SoakVerdict::kFinding, "could not connect to the display", ""};
        if (update) Preload(machine.Display(), before);
        for (const auto& fault : scenario.faults) machine.Display().AddFault(fault);
        if (scenario.readBackDiffers != 0) machine.Display().Controller().GammaTable().SetReadBackDiffers(scenario.readBackDiffers);
        RunDownload(scenario, machine, transform, before, updated);
        RoundJudge completed(scenario, machine.Display(), expected);
        return completed.Completed();
    } catch (const OvError& error) {
        RoundJudge raised(scenario, machine.Display(), expected);
        return raised.Raised(error);
    } catch (const SoakHang& hang) {
        return {SoakVerdict::kFinding, "hung", hang.what};
    } catch (const std::exception& error) {
        return {SoakVerdict::kFinding, "crashed with an exception", error.what()};
    } catch (...) {
        return {SoakVerdict::kFinding, "crashed with an unknown exception", ""};
    }
}
