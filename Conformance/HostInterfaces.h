#pragma once
// The plug-in's binary contract, declared by hand the way a separately built host sees it.
// Nothing here comes from the plug-in's headers: if the plug-in's slot order, argument
// types or error layout drift, the calls below land in the wrong place and the checks fail.
//
// Destructor slots are ordinary virtual functions taking the flags byte and returning the
// object: GCC and Clang would give a C++ virtual destructor two slots and shift every
// later slot. On 32-bit Windows member functions default to thiscall on GCC and MSVC,
// which is what the contract asks for, so no convention is spelt out.
#include <cstdint>

// ---- Framework classes shared with the host --------------------------------------------

class OvCastBase {
public:
    virtual OvCastBase* Cast(const char* className) = 0;  // 0
    virtual const char* ClassName() const = 0;            // 1
    virtual OvCastBase* DestroySlot(uint8_t flags) = 0;   // 2 destructor

protected:
    ~OvCastBase() = default;
};

class OvObject : public OvCastBase {
public:
    virtual int32_t RefCount() const = 0;  // 3
    virtual void AddRef() = 0;             // 4
    virtual void Release() = 0;            // 5

protected:
    ~OvObject() = default;
    int32_t fRefCount = 1;  // the count sits right after the vtable pointer
};

// Stands in for the framework's string handle (one pointer) as the result of Describe.
// Copy constructor and destructor are user-provided like the real handle's, so the value
// is returned through the same hidden result pointer on every ABI.
struct OvStringHandle {
    OvStringHandle() = default;
    OvStringHandle(const OvStringHandle&) {}
    OvStringHandle& operator=(const OvStringHandle&) = delete;
    ~OvStringHandle() {}
    void* buffer = nullptr;
};

class OvStream : public OvObject {
public:
    virtual int32_t Read(void* buffer, int32_t count, int32_t* read) = 0;           // 6
    virtual int32_t Write(const void* buffer, int32_t count, int32_t* written) = 0;  // 7
    virtual void Seek(int64_t offset, int32_t origin) = 0;                          // 8
    virtual int64_t GetPosition() = 0;                                              // 9
    virtual OvStringHandle Describe() = 0;                                          // 10
    virtual bool IsSeekable() = 0;                                                  // 11

protected:
    ~OvStream() = default;
};

// Only Close (slot 15) is called by the plug-in; the other slots keep its position.
class OvFile : public OvStream {
public:
    virtual void SetFileSpec(const void* spec) = 0;  // 12
    virtual void GetFileSpec(void* spec) = 0;        // 13
    virtual void Open(int32_t mode) = 0;             // 14
    virtual void Close() = 0;                        // 15
    virtual int64_t GetLength() = 0;                 // 16
    virtual bool IsOpen() = 0;                       // 17
    virtual void ReadAll(void* text) = 0;            // 18
    virtual void WriteText(const void* text) = 0;    // 19

protected:
    ~OvFile() = default;
};

// The one exception type. No vtable; thrown by value by the plug-in, caught here by type.
class OvError {
public:
    int32_t code;
    char* name;
    char* file;
    int32_t line;
    uint32_t flags;
};

// ---- The monitor device interface ------------------------------------------------------

// Progress objects are the host's: the plug-in reports into them and never ends them.
// Not reference counted. Named as in the plug-in, so that the type checks of sanitizer
// builds accept the plug-in's calls into the host's objects.
class OvProgress {
public:
    virtual OvProgress* DestroySlot(uint8_t flags) = 0;  // 0 destructor
    virtual void SetProgress(double fraction) = 0;       // 1
    virtual void Notify(int32_t message) = 0;            // 2

protected:
    ~OvProgress() = default;
};

class OvTrafo;  // calibration transforms; only passed through here

// One record of SetGetVCPList's list. flags: byte 0 set, byte 1 set only if different,
// bytes 2 and 3 left as they are.
struct OvVCPListRecord {
    uint32_t flags;
    uint32_t vcp;
    uint32_t value;
    uint32_t maximum;
    uint32_t result;
};

// The list: the framework's growable array, owned by the host. The plug-in reads the count
// and updates the records in place; the other fields are the array's own.
struct OvVCPList {
    int32_t count;
    int32_t capacity;
    int32_t minimumGrowth;
    int32_t growthLimit;
    OvVCPListRecord* records;
};

class OvROVUvided {
public:
    virtual void Destroy() = 0;                                                  // 0
    virtual int32_t GetInterfaceVersion() = 0;                                   // 1
    virtual int32_t ConnectMonitorID(int32_t displayID, int32_t port) = 0;       // 2
    virtual int32_t ConnectMonitor(int32_t displayID, int32_t port) = 0;         // 3
    virtual int32_t GetPort() = 0;                                               // 4
    virtual void Disconnect() = 0;                                               // 5
    virtual bool IsConnected() = 0;                                              // 6
    virtual int32_t ReadEDID(uint8_t* edid) = 0;                                 // 7
    virtual bool AutoAdjust() = 0;                                               // 8
    virtual bool FactoryReset() = 0;                                             // 9
    virtual bool ColorReset() = 0;                                               // 10
    virtual bool AutoSetup() = 0;                                                // 11
    virtual void SaveSettings() = 0;                                             // 12
    virtual bool IsDigitalInput() = 0;                                           // 13
    virtual bool GetSize(uint32_t* verticalSize, uint32_t* horizontalSize) = 0;  // 14
    virtual bool GetRunningHours(uint32_t* hours) = 0;                           // 15
    virtual bool GetOnTimeHours(uint32_t* hours) = 0;                            // 16
    virtual bool SetAutoBrightness(uint32_t value) = 0;                          // 17
    virtual double GetBrightness() = 0;                                          // 18
    virtual double GetRedGain() = 0;                                             // 19
    virtual double GetBlueGain() = 0;                                            // 20
    virtual double GetGreenGain() = 0;                                           // 21
    virtual void SetBrightness(double fraction) = 0;                             // 22
    virtual void SetContrast(double fraction) = 0;                               // 23
    virtual void SetBlackLevel(double fraction) = 0;                             // 24
    virtual void SetRedGain(double fraction) = 0;                                // 25
    virtual void SetGreenGain(double fraction) = 0;                              // 26
    virtual void SetBlueGain(double fraction) = 0;                               // 27
    virtual bool SupportsWhitePoint() = 0;                                       // 28
    virtual void SetWhitePoint(double r, double g, double b) = 0;                // 29
    virtual bool SelectColorPreset(uint32_t preset) = 0;                         // 30
    virtual bool SetVCP0268(uint32_t value) = 0;                                 // 31
    virtual void InitCalibrationMode(double brightnessLevel, OvProgress* progress) = 0;  // 32
    virtual void ReadGammaTable() = 0;                                           // 33
    virtual void SetGamma(double gamma, OvProgress* progress) = 0;               // 34
    virtual void SetRGBCalibration(OvTrafo* calibration, OvProgress* progress) = 0;  // 35
    virtual bool Supports3DLUT() = 0;                                            // 36
    virtual void Set3DLUT(OvTrafo* transform, OvProgress* progress) = 0;         // 37
    virtual void UpdateCalibration(int32_t count, const uint8_t* data, const uint8_t* previous,
                                   OvProgress* progress) = 0;                    // 38
    virtual uint32_t GetVendorProductID() = 0;                                   // 39
    virtual const char* GetModelName() = 0;                                      // 40
    virtual const char* GetSerialNumber() = 0;                                   // 41
    virtual void ConnectForCalibration() = 0;                                    // 42
    virtual bool GetVCPPageFeature(uint8_t page, uint8_t code, uint32_t* current,
                                   uint32_t* maximum) = 0;                       // 43
    virtual bool SetVCPPageFeature(uint8_t page, uint8_t code, uint32_t value,
                                   uint32_t delayMs) = 0;                        // 44
    virtual bool SupportsVCPPageFeature(uint8_t page, uint8_t code) = 0;         // 45
    virtual void RefreshGammatable() = 0;                                        // 46
    virtual void SaveGammatable() = 0;                                           // 47
    virtual const char* GetCapabilityStr() = 0;                                  // 48
    virtual char* ExecuteCommand(const char* command, const char* argument, char* result,
                                 int32_t resultSize) = 0;                        // 49
    virtual void GetUniformityCorrection(uint32_t* state, uint32_t* level) = 0;  // 50
    virtual void SetUniformityCorrection(int32_t state, uint32_t level) = 0;     // 51
    virtual bool GetPagedVCP(uint32_t vcpId, uint32_t* current, uint32_t* maximum) = 0;  // 52
    virtual bool SetPagedVCP(uint32_t vcpId, uint32_t value, uint32_t delayMs,
                             bool verify) = 0;                                   // 53
    virtual int32_t SetGetVCPList(OvVCPList* list, OvProgress* progress) = 0;   // 54
    virtual OvROVUvided* DestroySlot(uint8_t flags) = 0;                         // 55 destructor
    virtual int32_t ConnectPort(int32_t port) = 0;                               // 56

protected:
    ~OvROVUvided() = default;
};

// ---- The exported entry points ---------------------------------------------------------

// The host's record: pointer-sized fields; the plug-in reads only field 2.
struct OvPluginHostInfo {
    void* field0;
    void* field1;
    OvStream* debugStream;
};

// All boundary functions use the C calling convention (cdecl on 32-bit Windows).
extern "C" {
typedef OvROVUvided* (*CreateDeviceProc)();
typedef void (*DestroyDeviceProc)(OvROVUvided* device);
typedef void (*RegisterModuleProc)(CreateDeviceProc create, DestroyDeviceProc destroy,
                                   const char* moduleName, const char* interfaceName);
typedef void (*InitPluginProc)(OvPluginHostInfo* hostInfo);
typedef void (*RegisterModulesProc)(RegisterModuleProc registerModule);
}
