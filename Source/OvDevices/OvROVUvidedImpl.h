#pragma once
// The real ZEZ display: the state a device object keeps and the operations of the
// monitor device interface. Larger operations live in their own files
// (connection, paged VCP access, capability string, ...); this class ties them together.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "OvCore/OvString.h"
#include "OvDevices/OvMonApi.h"
#include "OvDevices/OvROVUvided.h"
#include "OvDevices/OvVendorChannel.h"

class NMV_factory_ddc_control;
struct OvVCPReply;
struct OvCapabilityRecord;
class OvThrottledProgress;

class OvROVUvidedImpl : public OvROVUvided {
public:
    OvROVUvidedImpl();
    ~OvROVUvidedImpl();

    void Destroy() override;
    int32_t GetInterfaceVersion() override;
    int32_t ConnectMonitorID(int32_t displayID, int32_t port) override;
    int32_t ConnectMonitor(int32_t displayID, int32_t port) override;
    int32_t GetPort() override;
    void Disconnect() override;
    bool IsConnected() override;
    int32_t ReadEDID(uint8_t* edid) override;
    bool AutoAdjust() override;
    bool FactoryReset() override;
    bool ColorReset() override;
    bool AutoSetup() override;
    void SaveSettings() override;
    bool IsDigitalInput() override;
    bool GetSize(uint32_t* verticalSize, uint32_t* horizontalSize) override;
    bool GetRunningHours(uint32_t* hours) override;
    bool GetOnTimeHours(uint32_t* hours) override;
    bool SetAutoBrightness(uint32_t value) override;
    double GetBrightness() override;
    double GetRedGain() override;
    double GetBlueGain() override;
    double GetGreenGain() override;
    void SetBrightness(double fraction) override;
    void SetContrast(double fraction) override;
    void SetBlackLevel(double fraction) override;
    void SetRedGain(double fraction) override;
    void SetGreenGain(double fraction) override;
    void SetBlueGain(double fraction) override;
    bool SupportsWhitePoint() override;
    void SetWhitePoint(double r, double g, double b) override;
    bool SelectColorPreset(uint32_t preset) override;
    bool SetVCP0268(uint32_t value) override;
    void InitCalibrationMode(double brightnessLevel, OvProgress* progress) override;
    void ReadGammaTable() override;
    void SetGamma(double gamma, OvProgress* progress) override;
    void SetRGBCalibration(OvTrafo* calibration, OvProgress* progress) override;
    bool Supports3DLUT() override;
    void Set3DLUT(OvTrafo* transform, OvProgress* progress) override;
    void UpdateCalibration(int32_t count, const uint8_t* data, const uint8_t* previous,
                           OvProgress* progress) override;
    uint32_t GetVendorProductID() override;
    const char* GetModelName() override;
    const char* GetSerialNumber() override;
    void ConnectForCalibration() override;
    bool GetVCPPageFeature(uint8_t page, uint8_t code, uint32_t* current, uint32_t* maximum) override;
    bool SetVCPPageFeature(uint8_t page, uint8_t code, uint32_t value, uint32_t delayMs) override;
    bool SupportsVCPPageFeature(uint8_t page, uint8_t code) override;
    void RefreshGammatable() override;
    void SaveGammatable() override;
    const char* GetCapabilityStr() override;
    char* ExecuteCommand(const char* command, const char* argument, char* result,
                         int32_t resultSize) override;
    void GetUniformityCorrection(uint32_t* state, uint32_t* level) override;
    void SetUniformityCorrection(int32_t state, uint32_t level) override;
    bool GetPagedVCP(uint32_t vcpId, uint32_t* current, uint32_t* maximum) override;
    bool SetPagedVCP(uint32_t vcpId, uint32_t value, uint32_t delayMs, bool verify) override;
    int32_t SetGetVCPList(OvArray<OvVCPListRecord>* list, OvProgress* progress) override;
    OvROVUvided* OvDestroy(uint8_t flags) override;  // slot 55
    int32_t ConnectPort(int32_t port) override;

    // Clears what a connection caches: table image, EDID, capability data, USB flag.
    void ResetData();

    // Settle time after writing value to a VCP, by VCP and display model.
    uint32_t GetVCPmsWaitTime(uint32_t vcpId, int32_t value);
    // Waits until the display has finished converting a new calibration (VCP 0x1097),
    // or a fixed time when it cannot tell. Asks the display once per connection.
    void WaitForColorConvert();
    // The parsed capability string, parsed from GetCapabilityStr when not parsed yet.
    OvCapabilityRecord& GetCapabilityRecord();

    // Whether the display belongs to the PA model group, by its vendor-product id.
    bool IsPAModelGroup();
    // Picture mode (0x1050 on the PA model group, else 0x021A) and preset (0x1051): one
    // write when the display supports the control, then 1000 ms; nothing otherwise.
    void SetPictureMode(uint32_t value);
    void SetPicturePreset(uint32_t value);
    // Logs the picture and uniformity controls under a title line.
    void DumpPictureValues(const OvString& title);
    // One line per VCP id from first to last (at least first): "<name>: value=..., ...";
    // only the supported ones when supportedOnly. Raises "OvIOErr" on a transport error.
    OvString ScanVCPCodes(uint32_t first, uint32_t last, bool supportedOnly);
    // One chunk of up to 16 table entries in the standard layout, verified; a failed write
    // is retried ten times 2000 ms apart and then once more, and raises "OvIOErr" when
    // that last write fails. 50 ms follow a written chunk.
    void GammaTableWriteChunkVerifyAndRetry(const int32_t* entries, uint16_t address, int32_t count);
    // "<name>: value=%d, maxValue=%d, unsupported=%d, vcpType=%d" of a VCP reply.
    static OvString FormatVCPReply(uint16_t vcpId, const OvVCPReply& reply);

    // The vendor messages (gamma tables, 3D LUTs) over the current connection.
    OvVendorChannel& VendorChannel() { return fVendorChannel; }

    // Read-only views for the operations that live in other files and for tests.
    const uint8_t* StoredEdid() const { return fEdid; }
    // What the device believes the display's 256-entry table to be: red, green, blue, 256
    // entries each, most significant byte first.
    std::span<const uint8_t> TableImage() const { return fTableImage; }
    uint8_t* StoredEdid() { return fEdid; }
    bool CalibrationModelFlag() const { return fCalibrationModelFlag; }
    // The target curve of the calibration paths (the "TargetCurve" command) and the
    // uniformity setting the next preparation for calibration applies (-2: the display's).
    double CommandValue() const { return fCommandValue; }
    void SetCommandValue(double value) { fCommandValue = value; }
    int32_t CalibrationState() const { return fCalibrationState; }
    void SetCalibrationState(int32_t state) { fCalibrationState = state; }
    void SetCalibrationModelFlag(bool on) { fCalibrationModelFlag = on; }

protected:
    // Slots 43 and 44 by VCP id, through the interface so that a simulated display answers.
    bool GetFeature(uint16_t vcpId, uint32_t* current, uint32_t* maximum);
    bool SetFeature(uint16_t vcpId, uint32_t value, uint32_t delayMs);
    // Level controls as fractions of their maximum.
    double GetLevel(uint16_t vcpId);
    void SetLevel(uint16_t vcpId, double fraction, uint32_t delayMs, int32_t waitAfterMs);
    // Reads a control through the transport and, when the display supports it, writes it
    // once, unverified; true when written. reply holds the write's reply.
    bool WriteIfSupported(uint16_t vcpId, uint32_t value, OvVCPReply& reply);
    // Reads a picture control and, when supported, writes it once and waits.
    void WritePictureControl(uint16_t vcpId, uint32_t value, bool logReply);
    // The calibration paths of the display families (OvDeviceRGBCalibration.cpp,
    // OvDeviceSeriesCalibration.cpp) and their steps.
    void SetRGBCalibrationIgnoreGain(OvTrafo& calibration, OvProgress* progress);
    void SetRGBCalibration10To10bit(OvTrafo& calibration, OvProgress* progress);
    void SetRGBCalibration19Inch(OvTrafo& calibration, OvProgress* progress);
    void SetRGBCalibrationSeries90(OvTrafo& calibration, OvProgress* progress);
    void SetRGBCalibrationSeriesPA(OvTrafo& calibration, OvProgress* progress);
    // The change-only upload of a 256-entry table against the table image, then apply and store.
    void UploadTable256(const std::array<uint8_t, 1536>& table, OvProgress* progress);
    // 4 when the display's video input (0x0060) reads 0x0F, else chunk.
    int32_t ChunkForVideoInput(int32_t chunk);
    // Makes the display's table linear with VCP 0x02F8; true when the write succeeded.
    bool SetLinearTableByCommand();
    // The channels' table offsets: the capability string's, else 0, spacing, 2 spacing.
    std::array<int32_t, 3> Series90Offsets(int32_t spacing);
    // The 3D LUT (OvDevice3DLUT.cpp): whether the display has the 17-point grid (and
    // writes it to RAM), the download, the grid and the point transfer.
    bool HasLargeLutGrid();
    void Download3DLUT(OvTrafo* transform, OvProgress* progress);
    std::vector<int32_t> SampleLutGrid(OvTrafo* transform, int32_t n, OvProgress& progress);
    static int32_t LutValue(double output);
    int32_t ThreeD_LUT_write(const std::vector<int32_t>& grid, int32_t n, OvProgress* progress);
    // Sends the bytes of a table in 16-byte chunks (0xC2 0x05, address in entries), each
    // with the buffered send and 100 ms; with previous, only the chunks that differ from
    // it. Reports offset / count through the throttle, and 1.0 to progress at the end.
    void SendTableChunks(int32_t count, const uint8_t* data, const uint8_t* previous, OvProgress* progress,
                         OvThrottledProgress throttled);
    // A fraction of a maximum as a VCP value: truncated toward zero to 64 bits, of which
    // the low 32 bits are kept.
    static uint32_t LevelValue(uint32_t maximum, double fraction);
    // The white point of the PA series (CIE x and y in thousandths) and of the displays
    // that set it through their LED currents.
    void SetPAWhitePoint(double r, double g, double b);
    void SetLEDWhitePoint(double r, double g, double b);
    // The steps of InitCalibrationMode, in their order.
    void ReadCalibrationUniformity();
    void SetCalibrationPictureControls(uint32_t vendorProductId);
    void SetUpCalibrationMode(uint32_t vendorProductId);
    void SetCalibrationLevels(double brightnessLevel, OvProgress* progress);
    void SetCalibrationGains(uint32_t vendorProductId);
    void RestoreCalibrationUniformity();
    // Sends a table command (apply, store) when connected, raising "OvIOErr" when it
    // fails, then waits waitAfter in any case.
    void SendTableCommand(uint8_t opcode, int32_t waitAfterSend, int32_t waitAfter);
    // One record of SetGetVCPList, and its write through the transport.
    void RunListRecord(OvVCPListRecord& record);
    void WriteListRecord(OvVCPListRecord& record);
    // Reads the capability string from the display into the capability string field.
    void FetchCapabilityStr();
    // Finds the EDID of a display connected per USB.
    void FindUSBDisplayEdid(const OvDisplayInterfaceInfo& info);

    OvVendorChannel fVendorChannel{fDDCControl, fPort};
    uint8_t fTableImage[1536];
    uint8_t fEdid[256];
    int32_t fPort = 0;
    uint32_t fLastVCPId = 0;
    bool fCalibrationModelFlag = false;
    double fCalibrationLevel = 0.5;
    std::unique_ptr<NMV_factory_ddc_control> fDDCControl;
    OvString fCapabilityString;
    std::unique_ptr<OvCapabilityRecord> fCapabilityRecord;
    OvString fTextResult;
    double fCommandValue = 0.0;
    int32_t fCalibrationState = -2;
    bool fConnectedPerUSB = false;
    bool fColorConvertSupported = false;
    bool fColorConvertAsked = false;
};
