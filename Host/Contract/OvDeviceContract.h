#pragma once
// The plug-in's binary contract as this host sees it: the plug-in's public contract header
// (device interface, error, host record, boundary function types, module names), and
// declared here by hand the stream slots of the host's debug stream, which the plug-in's
// framework declares with implementations this host does not link. The slot positions are
// the contract.
//
// The classes carry the plug-in's names in the global namespace: a catch matches the
// thrown OvError by its name, and run-time type checks (MSVC's, the undefined-behaviour
// sanitizer's) accept the host's stream as an OvStream and the plug-in's device as an
// OvROVUvided only by name. So no code of the framework, which has classes of the same
// names, is linked into the host (the data library sits in a library of its own).
//
// Destructor slots are ordinary virtual functions taking the flags byte and returning the
// object, as GCC and Clang would give a C++ destructor two slots. On 32-bit Windows member
// functions default to thiscall with GCC and MSVC alike, as the contract asks.
#include <cstdint>

#include "Source/OvDevices/OvPluginContract.h"

class OvCastBase {
public:
    virtual OvCastBase* Cast(const char* className) = 0;  // 0
    virtual const char* ClassName() const = 0;            // 1
    virtual OvCastBase* DestroySlot(uint8_t flags) = 0;   // 2 destructor

protected:
    OvCastBase() = default;
    OvCastBase(const OvCastBase&) = default;
    OvCastBase& operator=(const OvCastBase&) = default;
    ~OvCastBase() = default;
};

class OvObject : public OvCastBase {
public:
    virtual int32_t RefCount() const = 0;  // 3
    virtual void AddRef() = 0;             // 4
    virtual void Release() = 0;            // 5

protected:
    int32_t fRefCount = 1;  // right after the vtable pointer
};

// The framework's string handle (one pointer), the result of Describe. Its copy
// constructor and destructor are user-provided like the real handle's, so the value comes
// back through the same hidden result pointer on every ABI.
struct OvStringHandle {
    OvStringHandle() = default;
    OvStringHandle(const OvStringHandle&) {}
    OvStringHandle& operator=(const OvStringHandle&) = delete;
    ~OvStringHandle() {}
    void* buffer = nullptr;
};

class OvStream : public OvObject {
public:
    virtual int32_t Read(void* buffer, int32_t count, int32_t* read) = 0;            // 6
    virtual int32_t Write(const void* buffer, int32_t count, int32_t* written) = 0;  // 7
    virtual void Seek(int64_t offset, int32_t origin) = 0;                           // 8
    virtual int64_t GetPosition() = 0;                                               // 9
    virtual OvStringHandle Describe() = 0;                                           // 10
    virtual bool IsSeekable() = 0;                                                   // 11
};
