#pragma once
// Byte streams. The host's debug stream shares this slot order (index from 0):
//   0 Cast, 1 ClassName, 2 destructor slot, 3 RefCount, 4 AddRef, 5 Release,
//   6 Read, 7 Write, 8 Seek, 9 GetPosition, 10 Describe, 11 IsSeekable.
#include <cstdint>

#include "OvCore/OvObject.h"
#include "OvCore/OvString.h"

// Seek origins.
enum OvSeekOrigin : int32_t { kOvSeekStart = 0, kOvSeekEnd = 1, kOvSeekCurrent = 2 };

class OvStream : public OvObject {
public:
    OV_DECLARE_CAST()
    // Defaults raise "OvUndefProc", except Write, which each stream provides.
    virtual int32_t Read(void* buffer, int32_t count, int32_t* read);
    virtual int32_t Write(const void* buffer, int32_t count, int32_t* written) = 0;
    virtual void Seek(int64_t offset, int32_t origin);
    virtual int64_t GetPosition();
    virtual OvString Describe();  // the class name
    virtual bool IsSeekable();    // true unless Seek(0, current) raises

protected:
    OvStream() = default;
    ~OvStream() = default;
};

// The framework's base for streams it implements itself.
class OvStreamImplemented : public OvStream {
protected:
    OvStreamImplemented() = default;
    ~OvStreamImplemented() = default;
};
