#pragma once
// The DDC/CI requests of the MCCS standard over one channel, each with its retry and wait
// scheme, and the exchanges they are built from. Results are transport codes
// (OvDDCResult.h); nothing here raises.
#include <cstdint>
#include <memory>

#include "OvDevices/OvLowLevelDDC.h"

// The values a VCP reply carries: 16-bit values widened to 32 bits, the display's result
// code (0: supported) and the VCP type.
struct OvVCPReply {
    uint32_t current = 0;
    uint32_t maximum = 0;
    uint8_t resultCode = 0;
    uint8_t type = 0;
};

// ReadEDIDBlocks reads the base block and, when announced, one extension block.
constexpr int32_t kOvEdidBlockSize = 128;

class ddc_control {
public:
    // Every exchange makes this many attempts beyond the first.
    static constexpr int32_t kRetryCount = 4;
    static constexpr int32_t kAttempts = kRetryCount + 1;

    // A channel on interface interfaceIndex of MONAPI2; option is handed to the channel,
    // which keeps it without effect.
    ddc_control(int32_t interfaceIndex, int32_t i2cParameter, int32_t option);
    virtual ~ddc_control();
    ddc_control(const ddc_control&) = delete;
    ddc_control& operator=(const ddc_control&) = delete;

    // Sends a payload that has no reply, then waits waitAfter.
    int32_t SendMessage(const uint8_t* payload, int32_t count, int32_t waitAfter);
    // Sends a payload and reads the reply of at most *replyLength bytes into reply;
    // *replyLength becomes the reply's length. With emptyReplyFails an empty reply is
    // tried again and ends as kOvDDCNoReply; without it, it ends the exchange with 0.
    int32_t SendReadMessage(const uint8_t* payload, int32_t count, uint8_t* reply, int32_t* replyLength,
                            bool emptyReplyFails, int32_t wait);
    // Reads one reply without sending, then waits waitAfter.
    int32_t ReceiveMessage(uint8_t* reply, int32_t* replyLength, int32_t waitAfter);

    // MCCS Get and Set VCP Feature for a code of page 0.
    int32_t GetVCP(uint32_t code, OvVCPReply* reply);
    int32_t SetVCP(uint32_t code, uint32_t value);
    int32_t SaveCurrentSettings();
    // Reads the capability text in 32-byte chunks into buffer (size bytes, zero-terminated
    // on return). Returns the number of text bytes or the last cycle's error.
    int32_t CapabilitiesRequest(char* buffer, int32_t size);
    // Reads the EDID into a 256-byte buffer; with validate, checks header and checksums
    // and reads the extension block when the base block announces one.
    int32_t ReadEDIDBlocks(uint8_t* buffer, bool validate);
    // options 0: open and close the channel; bit 0: validated EDID read into edid;
    // bit 1: Get VCP of code 0x00.
    int32_t TestConnection(int32_t options, uint8_t* edid);
    void SetUSBMode(bool on) { fUSBMode = on; }

    // Verified gamma-table chunk writes: write count entries (their low 16 bits) from
    // address, read them back, and write again while they differ. 0 when they match, -32
    // when the attempts run out, -31 or -24 for more than 16 or no entries (nothing sent),
    // or the first transport error.
    // Standard layout: up to kAttempts attempts; with a retryDelay above 0, each read-back
    // waits retryDelay, 2 * retryDelay, ... after its write.
    int32_t WriteTableChunkVerified(const int32_t* entries, uint16_t address, int32_t count, int32_t retryDelay);
    // PA-series layout: up to 7 attempts, each after the first preceded by 2000 ms.
    int32_t WritePATableChunkVerified(const int32_t* entries, uint16_t address, int32_t count);

    // 3D LUT point writes: count points (three values each, their low 16 bits) from grid
    // coordinate (r, g, b), acknowledged by a reply echoing the coordinate. A reply of
    // another length is asked again up to kRetryCount times (then -24). The direct write
    // ends with -26 at the first wrong reply; the RAM write retries wrong coordinates too
    // and ends with -26 at once only on a wrong opcode. -31 for more than 8 points and -24
    // for none, before anything is sent; transport errors end at once.
    int32_t WriteLutPointsDirect(uint8_t r, uint8_t g, uint8_t b, const int32_t* values, int32_t count);
    int32_t WriteLutPointsToRam(uint8_t r, uint8_t g, uint8_t b, const int32_t* values, int32_t count,
                                int32_t wait);
    // Names a 3D LUT slot: 13 characters, blank-padded; characters other than letters,
    // digits, blanks and + , - . / : are sent as blanks. Sent again 100 ms after a wrong
    // reply, up to kRetryCount times (-26 wrong reply, -24 wrong length).
    int32_t NameLutSlot(uint8_t slot, const char* name);

protected:
    std::unique_ptr<low_level_ddc> fChannel;
    bool fUSBMode = false;

private:
    // One write and read-back of a verified chunk write: 0 when the entries read back
    // match, kOvDDCTableMismatch when they differ, or the transport's error.
    int32_t WriteAndCompareChunk(uint8_t writeOpcode, uint8_t readOpcode, const int32_t* entries, uint16_t address,
                                 int32_t count, int32_t readBackDelay);
    // One point write of either kind; see WriteLutPointsDirect.
    int32_t WriteLutPoints(uint8_t opcode, uint8_t r, uint8_t g, uint8_t b, const int32_t* values, int32_t count,
                           int32_t wait);
    // The read of one SendReadMessage attempt: sets *replyLength on success; an empty reply
    // that counts as failure gives kOvDDCEmptyReply.
    int32_t ReadReply(uint8_t* reply, int32_t expected, bool emptyReplyFails, int32_t* replyLength);
};
