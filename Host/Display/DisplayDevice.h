#pragma once
// One device object of the plug-in, driven through the slots of the device interface
// only. Every call goes through CallDevice, so an OvError from the plug-in arrives as a
// HostError naming the operation; results that signal failure become HostErrors too.
#include <cstdint>
#include <optional>
#include <string>

#include "Calibration/GammaTableImage.h"
#include "Display/EdidDecoder.h"
#include "Plugin/PluginSession.h"

struct VcpReading {
    uint32_t current = 0;
    uint32_t maximum = 0;
};

struct DisplayIdentity {
    int32_t port = 0;
    std::string modelName;
    std::string serialNumber;
    uint32_t vendorProductId = 0;
    bool digitalInput = false;
};

// The controls the interface sets as fractions of their maximum.
enum class LevelControl { kBrightness, kContrast, kBlackLevel, kRedGain, kGreenGain, kBlueGain };

class DisplayDevice {
public:
    // Takes a device object of the plug-in; raises HostError when it reports another
    // interface version than this host speaks.
    explicit DisplayDevice(DeviceHandle device);

    // Connects as a colour-management host does (slot 3, ConnectMonitor): the real display
    // tries the port, then displayId taken as a port, then the others (none for -1); the
    // simulated one connects the port. Raises HostError when no display answers.
    void Connect(int32_t displayId, int32_t port);
    // Connects exactly one logical port (slot 56); the plug-in's result code.
    int32_t ConnectPort(int32_t port);
    // Lets the real display enumerate its interfaces (slot 2 for no display id and port
    // 0); the result is not examined.
    void EnumerateInterfaces();

    DisplayIdentity Identity();      // slots 4, 39, 40, 41, 13
    EdidBlock ReadEdid();            // slot 7
    std::string CapabilityString();  // slot 48

    // Slot 43; nothing when the display does not support the id.
    std::optional<VcpReading> ReadVcp(uint16_t id);
    // Slot 44; false when the display did not take the value.
    bool WriteVcp(uint16_t id, uint32_t value);

    // Slots 18 to 21; only brightness and the gains have getters in the interface.
    static bool HasGetter(LevelControl control);
    double GetLevel(LevelControl control);
    void SetLevel(LevelControl control, double fraction);  // slots 22 to 27

    // Slot 49: the text answer of a named command; empty when it gives none.
    std::string ExecuteCommand(const std::string& name, const std::string& argument);

    // Reads the display's 256-entry table into the device's table image (slot 33).
    void ReadGammaTable();
    // The device's table image as "GetCurves" lists it: what it last sent or read back.
    GammaTableImage TableImage();

    // The interface itself, for the few slots that need no wrapping.
    OvROVUvided& Slots() { return *fDevice; }

private:
    DeviceHandle fDevice;
};

const char* LevelName(LevelControl control);
