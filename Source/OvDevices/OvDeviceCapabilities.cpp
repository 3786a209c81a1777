// The display's capability string: read once per connection, handed to the host as it
// is, and parsed into the capability record on demand.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include <vector>

#include "OvCore/OvError.h"
#include "OvDevices/OvCapabilities.h"
#include "OvDevices/OvNMVDDCControl.h"
#include "OvDevices/OvROVUvidedImpl.h"

namespace {
// The longest capability string kept is one byte shorter, for the terminator.
constexpr int32_t kCapabilityBufferSize = 8192;
}  // namespace

const char* OvROVUvidedImpl::GetCapabilityStr()
{
    if (fCapabilityString.IsEmpty()) FetchCapabilityStr();
    return fCapabilityString.Chars();
}

void OvROVUvidedImpl::FetchCapabilityStr()
{
    if (!fDDCControl) OV_RAISE(kOvIOErr, "OvIOErr");
    std::vector<char> buffer(kCapabilityBufferSize, '\0');
    // A transport failure keeps the text read so far; only an empty text is an error.
    if (fDDCControl->CapabilitiesRequest(buffer.data(), kCapabilityBufferSize) == 0) OV_RAISE(kOvIOErr, "OvIOErr");
    buffer[kCapabilityBufferSize - 1] = '\0';
    fCapabilityString = OvString(buffer.data());
    if (fCapabilityRecord) ClearCapabilityRecord(*fCapabilityRecord);
}

OvCapabilityRecord& OvROVUvidedImpl::GetCapabilityRecord()
{
    if (!fCapabilityRecord) fCapabilityRecord = std::make_unique<OvCapabilityRecord>();
    // Through the interface, so that a simulated display's text is parsed too.
    if (fCapabilityRecord->parsed == 0) ParseCapabilities(*fCapabilityRecord, GetCapabilityStr());
    return *fCapabilityRecord;
}
