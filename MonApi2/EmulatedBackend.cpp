#include "MonApi2/EmulatedBackend.h"

#include <cmath>

#include "MonApi2/Emulator/EmulatorState.h"

namespace MonApi2 {
namespace {

constexpr int32_t kUnusedParam = 0;

}  // namespace

EmulatedBackend::EmulatedBackend(const EmulationSelection& selection)
{
    for (const EmulationChoice& choice : selection.displays) {
        auto display = fBus.Attach(*choice.model, choice.link);
        display->SetMinimumReplyDelay(static_cast<uint32_t>(std::lround(display->MinimumReplyDelay() * selection.waitScale)));
        if (selection.stateFolder.empty()) continue;
        const std::string name = "display" + std::to_string(fRemembered.size() + 1) + "-" + choice.model->name + ".state";
        Remembered remembered{display, std::filesystem::path(selection.stateFolder) / name, ""};
        if (const auto text = OvEmulator::ReadStateFile(remembered.file)) OvEmulator::RestoreState(display->Controller(), *text);
        remembered.loaded = OvEmulator::StateText(display->Controller());
        fRemembered.push_back(std::move(remembered));
    }
}

EmulatedBackend::~EmulatedBackend()
{
    for (const Remembered& remembered : fRemembered) {
        const std::string state = OvEmulator::StateText(remembered.display->Controller());
        if (state == remembered.loaded) continue;
        std::error_code ignored;
        std::filesystem::create_directories(remembered.file.parent_path(), ignored);
        OvEmulator::WriteStateFile(remembered.file, state);
    }
}

int32_t EmulatedBackend::Enumerate(const std::vector<uint32_t>& usbIds)
{
    fBus.SetUSBDeviceList(usbIds.data(), static_cast<int32_t>(usbIds.size()));
    return fBus.EnumerateInterfaces(1, 0);
}

bool EmulatedBackend::Info(int32_t index, DisplayInterfaceInfo& info) const
{
    return fBus.GetDisplayInterfaceInfo(index, &info) == kMonApi2Ok;
}

int32_t EmulatedBackend::Write(int32_t index, int32_t address, const uint8_t* data, int32_t count)
{
    return fBus.I2CWrite(index, address, data, count, kUnusedParam);
}

int32_t EmulatedBackend::Read(int32_t index, int32_t address, uint8_t* buffer, int32_t count)
{
    return fBus.I2CRead(index, address, buffer, count, kUnusedParam);
}

}  // namespace MonApi2
