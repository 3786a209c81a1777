#include "OvDevices/OvGammaTableMessages.h"

#include "OvDevices/OvDDCResult.h"

namespace OvGammaTable {

namespace {
int32_t CheckCount(size_t count)
{
    if (count > static_cast<size_t>(kMaxChunkEntries)) return kOvDDCTooManyEntries;
    if (count == 0) return kOvDDCWrongLength;
    return kOvDDCOk;
}
}  // namespace

void Message::Header(uint8_t opcode, uint16_t address)
{
    fBytes[0] = kVendorRequest;
    fBytes[1] = opcode;
    fBytes[2] = static_cast<uint8_t>(address >> 8);
    fBytes[3] = static_cast<uint8_t>(address);
    fLength = 4;
}

int32_t Message::BuildWrite(uint8_t opcode, uint16_t address, std::span<const int32_t> entries)
{
    fLength = 0;
    if (const int32_t check = CheckCount(entries.size()); check != kOvDDCOk) return check;
    Header(opcode, address);
    for (const int32_t entry : entries) {
        fBytes[fLength++] = static_cast<uint8_t>(entry >> 8);
        fBytes[fLength++] = static_cast<uint8_t>(entry);
    }
    return kOvDDCOk;
}

int32_t Message::BuildRead(uint8_t opcode, uint16_t address, int32_t count)
{
    fLength = 0;
    if (count < 0) return kOvDDCWrongLength;
    if (const int32_t check = CheckCount(static_cast<size_t>(count)); check != kOvDDCOk) return check;
    Header(opcode, address);
    fBytes[fLength++] = static_cast<uint8_t>(count);
    return kOvDDCOk;
}

void Message::BuildCommand(uint8_t opcode)
{
    fBytes[0] = kVendorRequest;
    fBytes[1] = opcode;
    fLength = 2;
}

}  // namespace OvGammaTable
