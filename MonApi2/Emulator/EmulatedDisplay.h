#pragma once
// One emulated ZEZ display at the I2C level: EDID memory at 0xA0/0xA1 and DDC/CI at
// 0x6E/0x6F, with the reply timing of a real display, scripted faults and a record of
// every transaction. Time comes from the clock handed in, so tests on a virtual clock
// judge "too early" exactly.
//
// Timing: a reply becomes readable the minimum reply delay after its request was
// written; a read before then, or with nothing pending, gets the null reply
// 6E 80 BE and leaves a pending reply in place. A read that delivers the reply consumes
// it; the next request replaces whatever is pending.
#include <cstdint>
#include <optional>
#include <span>

#include "MonApi2/Emulator/DdcProtocol.h"
#include "MonApi2/Emulator/DisplayController.h"
#include "MonApi2/Emulator/EdidBuilder.h"
#include "MonApi2/Emulator/EmulatedModel.h"
#include "MonApi2/Emulator/FaultScript.h"
#include "MonApi2/Emulator/TrafficLog.h"
#include "OvSystem/OvPlatform.h"

namespace OvEmulator {

class EmulatedDisplay {
public:
    EmulatedDisplay(const EmulatedModel& model, OvPlatform::Clock& clock);
    EmulatedDisplay(const EmulatedDisplay&) = delete;
    EmulatedDisplay& operator=(const EmulatedDisplay&) = delete;

    // One I2C transaction each, addressed in 8-bit form (writes to 0x6E/0xA0, reads from
    // 0x6F/0xA1); 0 on success, a negative MonApi2Result otherwise.
    int32_t Write(int32_t address, std::span<const uint8_t> bytes);
    int32_t Read(int32_t address, std::span<uint8_t> buffer);

    const EmulatedModel& Model() const { return fModel; }
    DisplayController& Controller() { return fController; }
    VcpStore& Vcps() { return fController.Vcps(); }
    EdidMemory& Edid() { return fEdid; }
    const EdidMemory& Edid() const { return fEdid; }
    FaultScript& Faults() { return fFaults; }
    void AddFault(const Fault& fault) { fFaults.Add(fault); }
    TrafficLog& Traffic() { return fTraffic; }
    const TrafficLog& Traffic() const { return fTraffic; }
    uint32_t MinimumReplyDelay() const { return fMinimumReplyDelay; }
    void SetMinimumReplyDelay(uint32_t ms) { fMinimumReplyDelay = ms; }

private:
    int32_t AcceptWrite(int32_t address, std::span<const uint8_t> bytes);
    void AcceptDdcPacket(std::span<const uint8_t> bytes);
    int32_t ReadEdid(std::span<uint8_t> buffer);
    int32_t ReadReply(std::span<uint8_t> buffer);
    // The reply packet as delivered, spoiled by the fault if one applies.
    std::vector<uint8_t> DeliveredPacket(Reply reply, const std::optional<Fault>& fault, size_t asked) const;
    void Record(I2CDirection direction, int32_t address, std::span<const uint8_t> bytes, int32_t result);

    EmulatedModel fModel;
    OvPlatform::Clock& fClock;
    DisplayController fController;
    EdidMemory fEdid;
    uint8_t fEdidOffset = 0;
    std::optional<Reply> fPending;
    RequestKind fLastRequest = RequestKind::kUnknown;
    uint32_t fRequestTick = 0;
    uint32_t fMinimumReplyDelay;
    FaultScript fFaults;
    TrafficLog fTraffic;
};

}  // namespace OvEmulator
