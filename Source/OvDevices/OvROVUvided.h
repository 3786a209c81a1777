#pragma once
// The monitor device interface the host calls by slot position. The order of the virtual
// operations below is binding: slot numbers are given in the comments and checked by the
// conformance host. The destructor occupies slot 55 as one explicit slot (flags bit 0:
// free the memory), the same on every compiler. On 32-bit Windows the members use the
// thiscall convention, the default of both GCC and MSVC there.
#include <cstddef>
#include <cstdint>

#include "../OvData/OvArray.h"  // relative: hosts include this header without our include path

class OvProgress;
class OvTrafo;

// One entry of the list handed to SetGetVCPList: five 32-bit fields.
struct OvVCPListRecord {
    uint32_t flags;  // byte 0: set; byte 1: set only if different; bytes 2-3 carried along
    uint32_t vcp;
    uint32_t value;
    uint32_t maximum;
    uint32_t result;
};
static_assert(sizeof(OvVCPListRecord) == 20, "the host passes packed 32-bit records");

// The list itself is the host's array object, read and updated in place:
//   offset 0   int32 count
//   offset 4   int32 capacity
//   offset 8   int32 minimum growth
//   offset 12  int32 growth limit
//   offset 16  pointer to `count` contiguous records (4 bytes on 32-bit, 8 on 64-bit builds)
// SetGetVCPList only reads the count and the records; it never resizes the host's array.
template <>
struct OvArrayLayout<OvVCPListRecord> {
    using List = OvArray<OvVCPListRecord>;
    static_assert(offsetof(List, fCount) == 0);
    static_assert(offsetof(List, fCapacity) == 4);
    static_assert(offsetof(List, fMinimumGrowth) == 8);
    static_assert(offsetof(List, fGrowthLimit) == 12);
    static_assert(offsetof(List, fItems) == 16);
    static_assert(sizeof(List::fItems) == sizeof(OvVCPListRecord*));
    static_assert(sizeof(List) == 16 + sizeof(OvVCPListRecord*));
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
    virtual bool GetVCPPageFeature(uint8_t page, uint8_t code, uint32_t* current, uint32_t* maximum) = 0;  // 43
    virtual bool SetVCPPageFeature(uint8_t page, uint8_t code, uint32_t value, uint32_t delayMs) = 0;      // 44
    virtual bool SupportsVCPPageFeature(uint8_t page, uint8_t code) = 0;         // 45
    virtual void RefreshGammatable() = 0;                                        // 46
    virtual void SaveGammatable() = 0;                                           // 47
    virtual const char* GetCapabilityStr() = 0;                                  // 48
    virtual char* ExecuteCommand(const char* command, const char* argument, char* result,
                                 int32_t resultSize) = 0;                        // 49
    virtual void GetUniformityCorrection(uint32_t* state, uint32_t* level) = 0;  // 50
    virtual void SetUniformityCorrection(int32_t state, uint32_t level) = 0;     // 51
    virtual bool GetPagedVCP(uint32_t vcpId, uint32_t* current, uint32_t* maximum) = 0;  // 52
    virtual bool SetPagedVCP(uint32_t vcpId, uint32_t value, uint32_t delayMs, bool verify) = 0;  // 53
    virtual int32_t SetGetVCPList(OvArray<OvVCPListRecord>* list, OvProgress* progress) = 0;  // 54
    virtual OvROVUvided* OvDestroy(uint8_t flags) = 0;                           // 55 destructor
    virtual int32_t ConnectPort(int32_t port) = 0;                               // 56

protected:
    OvROVUvided() = default;
    ~OvROVUvided() = default;
    OvROVUvided(const OvROVUvided&) = delete;
    OvROVUvided& operator=(const OvROVUvided&) = delete;
};

// Interface version and build the device reports.
constexpr int32_t kOvDeviceInterfaceVersion = 9;
constexpr const char* kOvDeviceBuild = "18403";
