#pragma once
// Sixteen numbered debug channels writing lines to one process-wide debug stream.
#include <cstdint>

#include "OvCore/OvString.h"
#include "Ovio/OvStream.h"

enum OvDebugChannel : int32_t {
    kOvChannelGeneral = 0,
    kOvChannelAlwaysOn = 1,
    kOvChannelAlwaysOff = 2,
    kOvChannelError = 3,
    kOvChannelDataBase = 6,
    kOvChannelMonitor = 14,
    kOvChannelVCP = 15,
};

bool IsChannelEnabled(int32_t channel);
void EnableChannel(int32_t channel, bool on);  // -1: every channel
void DebugWrite(int32_t channel, const char* text);
void DebugPrintf(int32_t channel, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
OvString ChannelName(int32_t channel);  // raises code = channel, name "channel" when out of range

// Installs stream as the debug stream when replace is set (the old one is released, the
// new one gets no AddRef); falls back to the debugger-output stream when none is left.
OvStream* SetDebugStream(OvStream* stream, bool replace);
OvStream* GetDebugStream();

// Writes to the operating system's debugger output (OvPlatform::DebuggerOutput).
class OvOutputDebugStream : public OvStreamImplemented {
public:
    OvOutputDebugStream() = default;
    ~OvOutputDebugStream() = default;
    OV_DESTROY_SLOT(OvOutputDebugStream)
    int32_t Write(const void* buffer, int32_t count, int32_t* written) override;
};
