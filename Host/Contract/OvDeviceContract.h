#pragma once
// The plug-in's binary contract as this host sees it, declared here by hand: the device
// interface by slot, the stream slots of the host's debug stream, the error the plug-in
// throws, the host record and the boundary function types. Nothing is taken from the
// plug-in's own headers; the slot positions are the contract.
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

// Thrown by value by the device operations; no vtable. Declared as a class like the
// plug-in's, so compilers that mangle class and struct apart still match it.
class OvError {
public:
    int32_t code;
    char* name;  // the error's name ("OvIOErr") or a complete message; may be null
    char* file;  // last component of the raising source file; may be null
    int32_t line;
    uint32_t flags;
};

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

class OvProgress;  // progress objects; the host passes none
class OvTrafo;     // calibration transforms; the host passes none
struct OvVCPList;  // the record list of SetGetVCPList; the host passes none

// The monitor device interface, slots 0 to 56. The simulator's slot 57 (GetContrast)
// lies behind the interface and is not declared: a host cannot reach it.
class OvROVUvided {
public:
    virtual void Destroy() = 0;                                                          // 0
    virtual int32_t GetInterfaceVersion() = 0;                                           // 1
    virtual int32_t ConnectMonitorID(int32_t displayID, int32_t port) = 0;               // 2
    virtual int32_t ConnectMonitor(int32_t displayID, int32_t port) = 0;                 // 3
    virtual int32_t GetPort() = 0;                                                       // 4
    virtual void Disconnect() = 0;                                                       // 5
    virtual bool IsConnected() = 0;                                                      // 6
    virtual int32_t ReadEDID(uint8_t* edid) = 0;                                         // 7
    virtual bool AutoAdjust() = 0;                                                       // 8
    virtual bool FactoryReset() = 0;                                                     // 9
    virtual bool ColorReset() = 0;                                                       // 10
    virtual bool AutoSetup() = 0;                                                        // 11
    virtual void SaveSettings() = 0;                                                     // 12
    virtual bool IsDigitalInput() = 0;                                                   // 13
    virtual bool GetSize(uint32_t* verticalSize, uint32_t* horizontalSize) = 0;          // 14
    virtual bool GetRunningHours(uint32_t* hours) = 0;                                   // 15
    virtual bool GetOnTimeHours(uint32_t* hours) = 0;                                    // 16
    virtual bool SetAutoBrightness(uint32_t value) = 0;                                  // 17
    virtual double GetBrightness() = 0;                                                  // 18
    virtual double GetRedGain() = 0;                                                     // 19
    virtual double GetBlueGain() = 0;                                                    // 20
    virtual double GetGreenGain() = 0;                                                   // 21
    virtual void SetBrightness(double fraction) = 0;                                     // 22
    virtual void SetContrast(double fraction) = 0;                                       // 23
    virtual void SetBlackLevel(double fraction) = 0;                                     // 24
    virtual void SetRedGain(double fraction) = 0;                                        // 25
    virtual void SetGreenGain(double fraction) = 0;                                      // 26
    virtual void SetBlueGain(double fraction) = 0;                                       // 27
    virtual bool SupportsWhitePoint() = 0;                                               // 28
    virtual void SetWhitePoint(double r, double g, double b) = 0;                        // 29
    virtual bool SelectColorPreset(uint32_t preset) = 0;                                 // 30
    virtual bool SetVCP0268(uint32_t value) = 0;                                         // 31
    virtual void InitCalibrationMode(double brightnessLevel, OvProgress* progress) = 0;  // 32
    virtual void ReadGammaTable() = 0;                                                   // 33
    virtual void SetGamma(double gamma, OvProgress* progress) = 0;                       // 34
    virtual void SetRGBCalibration(OvTrafo* calibration, OvProgress* progress) = 0;      // 35
    virtual bool Supports3DLUT() = 0;                                                    // 36
    virtual void Set3DLUT(OvTrafo* transform, OvProgress* progress) = 0;                 // 37
    virtual void UpdateCalibration(int32_t count, const uint8_t* data, const uint8_t* previous,
                                   OvProgress* progress) = 0;  // 38
    virtual uint32_t GetVendorProductID() = 0;                 // 39
    virtual const char* GetModelName() = 0;                    // 40
    virtual const char* GetSerialNumber() = 0;                 // 41
    virtual void ConnectForCalibration() = 0;                  // 42
    virtual bool GetVCPPageFeature(uint8_t page, uint8_t code, uint32_t* current,
                                   uint32_t* maximum) = 0;  // 43
    virtual bool SetVCPPageFeature(uint8_t page, uint8_t code, uint32_t value,
                                   uint32_t delayMs) = 0;                 // 44
    virtual bool SupportsVCPPageFeature(uint8_t page, uint8_t code) = 0;  // 45
    virtual void RefreshGammatable() = 0;                                 // 46
    virtual void SaveGammatable() = 0;                                    // 47
    virtual const char* GetCapabilityStr() = 0;                           // 48
    virtual char* ExecuteCommand(const char* command, const char* argument, char* result,
                                 int32_t resultSize) = 0;                                // 49
    virtual void GetUniformityCorrection(uint32_t* state, uint32_t* level) = 0;          // 50
    virtual void SetUniformityCorrection(int32_t state, uint32_t level) = 0;             // 51
    virtual bool GetPagedVCP(uint32_t vcpId, uint32_t* current, uint32_t* maximum) = 0;  // 52
    virtual bool SetPagedVCP(uint32_t vcpId, uint32_t value, uint32_t delayMs,
                             bool verify) = 0;                                 // 53
    virtual int32_t SetGetVCPList(OvVCPList* list, OvProgress* progress) = 0;  // 54
    virtual OvROVUvided* DestroySlot(uint8_t flags) = 0;                       // 55 destructor
    virtual int32_t ConnectPort(int32_t port) = 0;                             // 56

protected:
    OvROVUvided() = default;
    OvROVUvided(const OvROVUvided&) = delete;
    OvROVUvided& operator=(const OvROVUvided&) = delete;
    ~OvROVUvided() = default;
};

// The interface version every device object reports (slot 1).
constexpr int32_t kDeviceInterfaceVersion = 9;
// The module names and the interface type the plug-in registers.
constexpr const char* kRealModuleName = "OvROVUvided";
constexpr const char* kSimulatorModuleName = "OvZEZSimulatorDevice";
constexpr const char* kDeviceInterfaceName = "OvMonitorDevice";

// The host's record: pointer-sized fields; the plug-in reads field 2 only.
struct OvPluginHostInfo {
    void* field0;
    void* field1;
    OvStream* debugStream;
};

// All boundary functions use the C calling convention (cdecl on 32-bit Windows).
extern "C" {
typedef OvROVUvided* (*CreateDeviceProc)();
typedef void (*DestroyDeviceProc)(OvROVUvided* device);
typedef void (*RegisterModuleProc)(CreateDeviceProc create, DestroyDeviceProc destroy, const char* moduleName,
                                   const char* interfaceName);
typedef void (*InitPluginProc)(OvPluginHostInfo* hostInfo);
typedef void (*RegisterModulesProc)(RegisterModuleProc registerModule);
}
