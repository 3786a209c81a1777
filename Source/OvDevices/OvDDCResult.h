#pragma once
// Result codes of the DDC/CI transport. 0 or a positive count is success; other negative
// values are errors of MONAPI2's I2C calls, passed on unchanged.
#include <cstdint>

enum OvDDCResult : int32_t {
    kOvDDCOk = 0,
    kOvDDCChecksumError = -20,     // display packet checksum wrong
    kOvEdidChecksumError = -21,    // EDID block checksum wrong
    kOvEdidHeaderError = -22,      // EDID header wrong
    kOvDDCNoReply = -23,           // empty replies until the attempts ran out
    kOvDDCWrongLength = -24,       // wrong reply length, a length of 0, or longer than asked
    kOvDDCWrongEcho = -25,         // reply echoes another code, page or offset
    kOvDDCWrongOpcode = -26,       // reply has the wrong opcode
    kOvDDCWrongSource = -27,       // display packet with a wrong source byte
    kOvDDCPayloadTooLong = -28,    // payload longer than 120 bytes
    kOvDDCCodeOutOfRange = -29,    // page or code above 255
    kOvDDCCapabilityTooLong = -30, // capability text longer than the caller's buffer
    kOvDDCTooManyEntries = -31,    // too many entries in a table or LUT message
    kOvDDCTableMismatch = -32,     // verified table write still differs after its retries
};

// Inside an exchange only: an empty reply that counts as failure, so the exchange tries
// again. Reported as kOvDDCNoReply when the attempts run out.
constexpr int32_t kOvDDCEmptyReply = -99;
