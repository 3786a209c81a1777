#pragma once
// One I2C channel to one display interface of MONAPI2: frames and checks DDC/CI packets
// and reads raw EDID bytes. Results are transport codes (OvDDCResult.h): 0 or a positive
// count for success, negative for failure.
#include <cstdint>

// I2C addresses in their 8-bit write form; a read uses the address plus one.
constexpr int32_t kOvDDCAddress = 0x6E;
constexpr int32_t kOvEdidAddress = 0xA0;
// The host's source address in a DDC/CI packet.
constexpr uint8_t kOvDDCHostAddress = 0x51;
// A DDC/CI payload never exceeds this, in either direction.
constexpr int32_t kOvDDCMaxPayload = 120;

class low_level_ddc {
public:
    low_level_ddc(int32_t interfaceIndex, int32_t i2cParameter);
    virtual ~low_level_ddc() = default;
    low_level_ddc(const low_level_ddc&) = delete;
    low_level_ddc& operator=(const low_level_ddc&) = delete;

    // The library keeps no channel state; these bracket each exchange and return 0.
    virtual int32_t InitChannel();
    virtual int32_t CloseChannel();
    virtual int32_t OpenChannel();
    // Kept for callers that pass it; nothing reads it.
    virtual void SetOption(int32_t option);

    virtual int32_t I2CWrite(int32_t address, const uint8_t* bytes, int32_t count);
    // A library result of 0 is returned as 1.
    virtual int32_t I2CRead(int32_t address, uint8_t* buffer, int32_t count);
    // Writes the offset byte, then reads count bytes from the same device.
    virtual int32_t I2CWriteRead(uint8_t* buffer, int32_t address, uint8_t offset, int32_t count);

    // Reads one display packet of up to maximum payload bytes and copies its payload to
    // buffer. Returns the payload length, the failed read's result, -27 for a wrong source
    // byte, -24 for a length beyond maximum and -20 for a wrong checksum.
    virtual int32_t ReadDDCMessage(uint8_t* buffer, int32_t maximum);
    // Frames the payload as a host packet (source, length, payload, checksum) and writes it.
    virtual int32_t WriteDDCMessage(const uint8_t* payload, int32_t count);
    // Every protocol wait goes through the system's sleep.
    virtual int32_t WaitMs(int32_t ms);

private:
    int32_t fInterfaceIndex;
    int32_t fI2CParameter;
    int32_t fOption = 0;
};
