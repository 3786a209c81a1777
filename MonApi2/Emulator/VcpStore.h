#pragma once
// The controls of an emulated display: per VCP id (page * 256 + code) its current value,
// maximum, type and whether the display supports it, and how a write behaves.
#include <cstdint>
#include <map>

namespace OvEmulator {

constexpr uint8_t kVcpContinuous = 0x00;  // VCP type byte of a set parameter
constexpr uint8_t kVcpMomentary = 0x01;
constexpr uint8_t kVcpSupported = 0x00;   // result code byte
constexpr uint8_t kVcpUnsupported = 0x01;

enum class WriteBehaviour {
    kNormal,           // the value written becomes the current value (capped at the maximum)
    kNeverSticks,      // writes are accepted, the value stays as it was
    kReadBackDiffers,  // the display ends up with the written value plus a fixed offset
};

struct VcpValue {
    uint16_t current = 0;
    uint16_t maximum = 0;
    uint8_t type = kVcpContinuous;
    bool supported = true;
    WriteBehaviour behaviour = WriteBehaviour::kNormal;
    int32_t readBackOffset = 1;
};

// What the display reports for one id.
struct VcpReport {
    uint8_t result;
    uint8_t type;
    uint16_t maximum;
    uint16_t current;
};

class VcpStore {
public:
    void Define(uint16_t id, uint16_t current, uint16_t maximum, uint8_t type = kVcpContinuous);
    // Null when the id was never defined (reported as unsupported).
    VcpValue* Find(uint16_t id);
    const VcpValue* Find(uint16_t id) const;
    VcpReport Report(uint16_t id) const;
    // Applies a write as the display would; false when the id is unsupported.
    bool Write(uint16_t id, uint16_t value);
    const std::map<uint16_t, VcpValue>& Values() const { return fValues; }

private:
    std::map<uint16_t, VcpValue> fValues;
};

}  // namespace OvEmulator
