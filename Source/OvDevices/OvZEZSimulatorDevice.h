#pragma once
// The simulated ZEZ display: behaves towards the host like a real one but keeps every
// control value in the simulation files of the user's application-data folder
// (OvMonitorSimulation.h). It replaces the operations below; everything else is the real
// display's code, which reaches the simulated values through the replaced page/code VCP
// operations (slots 43, 44) and raises "OvIOErr" where it needs a DDC/CI channel, since
// the simulator never opens one.
#include "OvDevices/OvMonitorSelector.h"
#include "OvDevices/OvROVUvidedImpl.h"

class OvZEZSimulatorDevice : public OvROVUvidedImpl {
public:
    // The display a simulator describes when the files say nothing else.
    static constexpr const char* kDefaultEdid =
        "00FFFFFFFFFFFF0038A32C6601010101100E0103802B2078EE0555A6554B9B24145054BFEF803159"
        "45596159714F814F81808199A940483F403062B0324040C01300B0441100001E000000FD0030571E"
        "6011000A202020202020000000FC004C43443231383055580A202020000000FF0034343130303938"
        "3359420A202000C7";
    static constexpr const char* kDefaultCapability =
        "(mccs_ver(1.1) type(LCD) vcp(04 06 08 0B 0C 10 12 14(01 02 04 06 07 08 0B) 16 18 1A "
        "20 30 54 68(01 02 03 04 05 06 07) 8A 8C 9B 9C 9D 9E 9F A0 A8 B0 B4 B6 E3 F6 FA FB FF) "
        "vcp_p02(36 38 39 40 41 50 51 52 53 56 5F 68(01 04 06 07 08 09)) asset_eep(40) "
        "mpu_ver(1.00.00) c_tmp_ofst(BB8) gamma_table(size(300) r_ofs(0 )g_ofs(100) b_ofs(200))";
    // The key of a simulated display's description that ConnectPort matches the port with.
    static constexpr const char* kPortKey = "ZEZPort";

    OvZEZSimulatorDevice();
    ~OvZEZSimulatorDevice() = default;

    // The first argument is taken as the port.
    int32_t ConnectMonitorID(int32_t displayID, int32_t port) override;  // 2
    int32_t ConnectMonitor(int32_t displayID, int32_t port) override;    // 3
    void Disconnect() override;                                          // 5
    bool IsConnected() override;                                         // 6
    // Copies the "EDID" text (hexadecimal) into edid, at most 128 bytes; -1 unconnected.
    int32_t ReadEDID(uint8_t* edid) override;                            // 7
    void SaveSettings() override;                                        // 12
    bool IsDigitalInput() override;                                      // 13
    double GetBrightness() override;                                     // 18
    double GetRedGain() override;                                        // 19
    double GetBlueGain() override;                                       // 20
    double GetGreenGain() override;                                      // 21
    void SetBrightness(double fraction) override;                        // 22
    void SetContrast(double fraction) override;                          // 23
    void SetRedGain(double fraction) override;                           // 25
    void SetGreenGain(double fraction) override;                         // 26
    void SetBlueGain(double fraction) override;                          // 27
    void ReadGammaTable() override;                                      // 33
    // Stores the grey ramp through the calibration as three never-decreasing curves.
    void SetRGBCalibration(OvTrafo* calibration, OvProgress* progress) override;  // 35
    void UpdateCalibration(int32_t count, const uint8_t* data, const uint8_t* previous,
                           OvProgress* progress) override;               // 38
    bool GetVCPPageFeature(uint8_t page, uint8_t code, uint32_t* current, uint32_t* maximum) override;  // 43
    bool SetVCPPageFeature(uint8_t page, uint8_t code, uint32_t value, uint32_t delayMs) override;      // 44
    bool SupportsVCPPageFeature(uint8_t page, uint8_t code) override;    // 45
    void RefreshGammatable() override;                                   // 46
    void SaveGammatable() override;                                      // 47
    // Valid until the next call on any simulator object: all share one buffer.
    const char* GetCapabilityStr() override;                             // 48
    OvROVUvided* OvDestroy(uint8_t flags) override;                      // 55
    int32_t ConnectPort(int32_t port) override;                          // 56

    // Declared after every inherited virtual operation, so it takes slot 57, behind the
    // interface: a host that knows only the interface cannot reach it.
    virtual double GetContrast();                                        // 57

    bool SimulatorConnected() const { return fConnected; }
    const OvMonitorSelector& Selector() const { return fSelector; }

protected:
    bool fConnected = false;
    OvMonitorSelector fSelector;

private:
    // One control of the brightness family, a fraction stored as "%f" text under key.
    double GetControl(const char* key, const char* operation);
    void SetControl(const char* key, const char* operation, double fraction);
    OvString GetValue(const OvString& key, const char* defaultValue) const;
    void SetValue(const OvString& key, const OvString& value) const;
    void RequireConnected() const;
};
