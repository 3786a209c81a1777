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

// The plug-in's numeric vector as a transform sees it: the plug-in hands its own vectors
// to the host's calibration transforms, which read and write them by these slots only.
class OvVectorData {
public:
    virtual OvVectorData* OvDestroy(uint8_t flags) = 0;           // 0 destructor
    virtual void AssignFrom(const OvVectorData& other) = 0;       // 1
    virtual int32_t GetDim() const = 0;                           // 2
    virtual void SetDim(int32_t dim) = 0;                         // 3
    virtual double Get(int32_t index) const = 0;                  // 4
    virtual double& Ref(int32_t index) = 0;                       // 5 writable element
    virtual uint32_t GetType() const = 0;                         // 6 colour type
    virtual void SetType(uint32_t type) = 0;                      // 7

protected:
    OvVectorData() = default;
    OvVectorData(const OvVectorData&) = default;
    OvVectorData& operator=(const OvVectorData&) = default;
    ~OvVectorData() = default;
};

// A calibration transform the host hands to SetRGBCalibration and Set3DLUT: interface
// version 1, output colour type 'RGB ', evaluated in place on three-component vectors on
// the 0..255 scale. The plug-in may keep a reference (AddRef) and releases it when done.
class OvTrafo : public OvObject {
public:
    virtual int32_t InterfaceVersion() const = 0;         // 6
    virtual uint32_t OutputColorType() const = 0;         // 7
    virtual void EvaluateVector(OvVectorData& inOut) = 0;  // 8
    virtual OvVectorData& Parameters() = 0;               // 9 (the plug-in's declares OvVector&)
};

constexpr int32_t kOvTrafoInterfaceVersion = 1;
constexpr uint32_t kOvColorTypeRGB = 0x52474220u;  // 'RGB '

// A progress object the host hands to long operations. Not reference counted: the host
// owns it and the plug-in never destroys it.
class OvProgress {
public:
    virtual OvProgress* OvDestroy(uint8_t flags) = 0;  // 0 destructor
    virtual void SetProgress(double fraction) = 0;     // 1 from 0 to 1
    virtual void Notify(int32_t message) = 0;          // 2

protected:
    OvProgress() = default;
    OvProgress(const OvProgress&) = default;
    OvProgress& operator=(const OvProgress&) = default;
    ~OvProgress() = default;
};
