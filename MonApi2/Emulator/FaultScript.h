#pragma once
// Scripted misbehaviour of an emulated display. Each rule names what goes wrong, for
// which kind of request, how many matching events it lets pass first and how many it
// spoils. Rules are consulted in the order they were added; the first that matches an
// event takes it.
#include <cstdint>
#include <optional>
#include <vector>

#include "MonApi2/MonApi2.h"
#include "MonApi2/Emulator/DdcProtocol.h"

namespace OvEmulator {

enum class FaultKind {
    kWriteError,       // the I2C write fails with i2cError; the display sees nothing
    kReadError,        // the I2C read fails with i2cError; a pending reply stays pending
    kBadChecksum,      // the reply's checksum byte is wrong
    kWrongSource,      // the reply's source byte is 0x6F (checksum still right)
    kEmptyReply,       // a null reply instead; the real one stays pending, as when busy
    kWrongOpcode,      // the reply's first payload byte is off by one
    kWrongEcho,        // the echoed code, coordinate or offset low byte has bit 0 flipped
    kWrongLength,      // the payload is one byte short (or cut to `length` bytes)
    kLongerThanAsked,  // the payload is padded to one byte more than the host asked for
};

constexpr int32_t kAlways = -1;

struct Fault {
    FaultKind kind;
    RequestKind request = RequestKind::kAny;  // kEdid for the EDID memory (I2C errors only)
    int32_t times = 1;                        // kAlways: every matching event
    int32_t skip = 0;                         // matching events that pass unspoiled first
    int32_t i2cError = kMonApi2IoError;
    int32_t length = -1;                      // kWrongLength: payload length, -1 for one short
};

class FaultScript {
public:
    void Add(const Fault& fault) { fFaults.push_back(fault); }
    void Clear() { fFaults.clear(); }
    // The fault that takes an I2C write of a request of this kind, if any.
    std::optional<Fault> TakeWriteFault(RequestKind request);
    // The fault that takes an I2C read answering a request of this kind. Reply faults
    // are only consulted when a reply is delivered (replyDue).
    std::optional<Fault> TakeReadFault(RequestKind request, bool replyDue);

private:
    std::optional<Fault> Take(RequestKind request, bool (*accepts)(FaultKind));

    std::vector<Fault> fFaults;
};

}  // namespace OvEmulator
