#include "Plugin/HostDebugStream.h"

#include <cstring>
#include <iostream>

#include "HostError.h"

HostDebugStream::HostDebugStream(const std::string& target)
{
    if (target.empty()) return;
    if (target == "-") {
        fOutput = &std::cerr;
        return;
    }
    fFile = std::make_unique<std::ofstream>(target, std::ios::binary | std::ios::trunc);
    if (!*fFile) throw UsageError("cannot open the log file '" + target + "' for writing");
    fOutput = fFile.get();
}

OvCastBase* HostDebugStream::Cast(const char* className)
{
    if (className == nullptr) return nullptr;
    for (const char* own : {"OvStream", "OvObject", "OvCastBase"}) {
        if (std::strcmp(className, own) == 0) return this;
    }
    return nullptr;
}

int32_t HostDebugStream::Read(void*, int32_t, int32_t* read)
{
    if (read) *read = 0;
    return 0;
}

int32_t HostDebugStream::Write(const void* buffer, int32_t count, int32_t* written)
{
    if (count < 0 || (buffer == nullptr && count > 0)) count = 0;
    if (fOutput && count > 0) {
        fOutput->write(static_cast<const char*>(buffer), count);
        // Each call is one log line or a piece of one; flushing keeps the file current
        // when the program ends abruptly.
        fOutput->flush();
    }
    fPosition += count;
    if (written) *written = count;
    return count;
}
