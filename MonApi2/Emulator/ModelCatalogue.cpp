// The named models of the emulator. Each stands for one group of real behaviour: the PA
// series (paged black level, picture modes, 3D LUT), the PA322UHD group (17-point LUT
// written to RAM, extension EDID block), the internal-calibration list, a display outside
// every list (analog input, page 2 controls only), a display reached over USB, and one
// display for each calibration family: V193A (ignore gain), V192L (19-inch), SV272Q
// (10-bit table), SV231S, SV242P, PA241W, SV241C and PA271W (Series 90 variants),
// PA322UHD (Series PA).
#include <algorithm>
#include <cctype>

#include "MonApi2/Emulator/EmulatedModel.h"
#include "MonApi2/Emulator/VcpStore.h"

namespace OvEmulator {
namespace {

constexpr uint8_t kDigital10BitDisplayPort = 0xB5;
constexpr uint8_t kDigital8BitDisplayPort = 0xA5;
constexpr uint8_t kAnalogSeparateSync = 0x0E;
constexpr Chromaticity kWideGamut = {0.680, 0.310, 0.210, 0.710, 0.150, 0.050, 0.3127, 0.3290};
constexpr Chromaticity kSrgb = {0.640, 0.330, 0.300, 0.600, 0.150, 0.060, 0.3127, 0.3290};
constexpr uint32_t kUsbPa311D = 0x0409046B;

using Controls = std::vector<VcpControl>;

// Standard MCCS controls every model answers; width and height in millimetres.
Controls CommonControls(uint16_t brightnessMax, uint16_t gainMax, uint16_t widthMm, uint16_t heightMm)
{
    return {
        {0x0004, 0, 1, kVcpMomentary, {}},
        {0x0008, 0, 1, kVcpMomentary, {}},
        {0x0010, static_cast<uint16_t>(brightnessMax * 7 / 10), brightnessMax, kVcpContinuous, {}},
        {0x0012, 50, 100, kVcpContinuous, {}},
        {0x0014, 0x05, 0x0B, kVcpContinuous, {0x01, 0x02, 0x04, 0x05, 0x06, 0x08, 0x0B}},
        {0x0016, gainMax, gainMax, kVcpContinuous, {}},
        {0x0018, gainMax, gainMax, kVcpContinuous, {}},
        {0x001A, gainMax, gainMax, kVcpContinuous, {}},
        {0x0022, widthMm, widthMm, kVcpContinuous, {}},
        {0x0032, heightMm, heightMm, kVcpContinuous, {}},
        {0x0060, 0x0F, 0x12, kVcpContinuous, {0x01, 0x03, 0x0F, 0x11}},
        {0x00DF, 0x0202, 0xFFFF, kVcpContinuous, {}},
        {0x00FA, 1001, 0xFFFF, kVcpContinuous, {}},
        {0x00FF, 4242, 0xFFFF, kVcpContinuous, {}},
        {0x0254, 0, 1, kVcpContinuous, {}},
        {0x0268, 500, 0xFFFF, kVcpContinuous, {}},
    };
}

// The groups of controls a model answers beyond the common ones. Picture mode and black
// level of the displays outside the PA series:
const Controls kStandardPictureControls = {
    {0x021A, 1, 6, kVcpContinuous, {}},
    {0x0257, 50, 100, kVcpContinuous, {}},
};

const Controls kPaControls = {
    {0x02B3, 120, 400, kVcpContinuous, {}},
    {0x02C2, 1, 2, kVcpContinuous, {0x01, 0x02}},
    {0x02E8, 22, 40, kVcpContinuous, {}},
    {0x02EE, 0, 5, kVcpContinuous, {}},
    {0x02F9, 0, 1, kVcpContinuous, {}},
    {0x1050, 1, 10, kVcpContinuous, {}},
    {0x1051, 1, 12, kVcpContinuous, {}},
    {0x1052, 3127, 10000, kVcpContinuous, {}},
    {0x1053, 3290, 10000, kVcpContinuous, {}},
    {0x1054, 0, 500, kVcpContinuous, {}},
    {0x105C, 0, 1, kVcpContinuous, {}},
    {0x1067, 1, 3, kVcpContinuous, {}},
    {0x1069, 2, 2, kVcpContinuous, {}},
    {0x106B, 1, 4, kVcpContinuous, {}},
    {0x1071, 0, 1, kVcpMomentary, {}},
    {0x1147, 0, 3, kVcpContinuous, {}},
};

const Controls kColorConvertStatus = {{0x1097, 0, 1, kVcpContinuous, {}}};
// The 256-entry table mode of a display whose table holds 1024 entries per channel.
const Controls kGammaLutSize = {{0x02F9, 0, 1, kVcpContinuous, {}}};
// A 10-bit table's full scale, and the white point set by the LED currents.
const Controls kLedWhitePoint = {
    {0x027E, 200, 255, kVcpContinuous, {}},
    {0x027F, 200, 255, kVcpContinuous, {}},
    {0x0280, 200, 255, kVcpContinuous, {}},
    {0x02A3, 0, 2, kVcpContinuous, {}},
    {0x02C7, 0, 1, kVcpMomentary, {}},
    {0x02CA, 1023, 4095, kVcpContinuous, {}},
};
const Controls kSaveLutToEeprom = {{0x1107, 0, 1, kVcpMomentary, {}}};
const Controls kInternalCalibrationOff = {{0x02A3, 0, 1, kVcpContinuous, {}}};
const Controls kAutoSetup = {{0x001E, 0, 1, kVcpMomentary, {}}};

constexpr const char* kPaGammaTable = "gamma_table(size(C00) r_ofs(0) g_ofs(400) b_ofs(800))";
constexpr const char* kSvGammaTable = "gamma_table(size(300) r_ofs(0) g_ofs(100) b_ofs(200))";
constexpr const char* kNoGammaTable = "";

// One model: its EDID, whose monitor name is the model's name and whose preferred
// timing gives the size controls; the capability elements after the VCP lists; the
// maxima of the common controls and the further groups in the order answered.
struct ModelRow {
    EdidDescription edid;
    uint32_t usbId;
    const char* firmware;
    const char* gammaTable;
    uint16_t brightnessMax;
    uint16_t gainMax;
    std::vector<const Controls*> groups;
    uint16_t gammaTableEntries;
    uint8_t lutGridSize;
};

const ModelRow kModels[] = {
    {{0x6810, 91000123, 23, 2016, kDigital10BitDisplayPort, 60, 34, kWideGamut,
      {241500, 2560, 160, 48, 32, 1440, 41, 3, 5, 597, 336}, "PA271W", "91000123", false},
     0, "mccs_ver(2.2)mpu_ver(1.04)asset_eep(40)", kPaGammaTable, 100, 100,
     {&kPaControls, &kColorConvertStatus}, 0xC00, 9},
    {{0x2B21, 64003017, 41, 2015, kDigital10BitDisplayPort, 70, 39, kWideGamut,
      {297000, 3840, 560, 176, 88, 2160, 90, 8, 10, 698, 393}, "PA322UHD", "64003017", true},
     0, "mccs_ver(2.2)mpu_ver(2.10)asset_eep(40)", kPaGammaTable, 100, 100,
     {&kPaControls, &kColorConvertStatus, &kSaveLutToEeprom}, 0xC00, 17},
    {{0x690C, 86000142, 12, 2019, kDigital10BitDisplayPort, 70, 37, kWideGamut,
      {297000, 4096, 1404, 1020, 88, 2160, 90, 8, 10, 698, 368}, "PA311D", "86000142", false},
     kUsbPa311D, "mccs_ver(2.2)mpu_ver(3.01)asset_eep(40)", kPaGammaTable, 100, 100,
     {&kPaControls}, 0xC00, 9},
    {{0x66CB, 310, 5, 2014, kDigital8BitDisplayPort, 52, 32, kSrgb,
      {154000, 1920, 160, 48, 32, 1200, 35, 3, 6, 518, 324}, "SV241C", "7X000310", false},
     0, "mccs_ver(2.2)mpu_ver(1.20)asset_eep(20)", kSvGammaTable, 255, 255,
     {&kStandardPictureControls, &kInternalCalibrationOff, &kColorConvertStatus, &kGammaLutSize}, 0x300, 0},
    {{0x1234, 43105522, 30, 2011, kAnalogSeparateSync, 38, 30, kSrgb,
      {108000, 1280, 408, 48, 112, 1024, 42, 1, 3, 376, 301}, "V193A", "43105522", false},
     0, "mccs_ver(2.1)mpu_ver(0.32)asset_eep(20)", kNoGammaTable, 100, 255, {&kAutoSetup, &kStandardPictureControls},
     0x300, 0},
    // One model for each calibration family that the models above leave out.
    {{0x667D, 51000777, 8, 2012, kDigital8BitDisplayPort, 38, 30, kSrgb,
      {108000, 1280, 408, 48, 112, 1024, 42, 1, 3, 376, 301}, "V192L", "51000777", false},
     0, "mccs_ver(2.1)mpu_ver(0.40)asset_eep(20)", kNoGammaTable, 100, 255, {&kStandardPictureControls}, 0x300, 0},
    {{0x668D, 52000468, 19, 2013, kDigital10BitDisplayPort, 60, 34, kWideGamut,
      {241500, 2560, 160, 48, 32, 1440, 41, 3, 5, 597, 336}, "SV272Q", "52000468", false},
     0, "mccs_ver(2.2)mpu_ver(1.10)asset_eep(40)", kPaGammaTable, 100, 255,
     {&kStandardPictureControls, &kLedWhitePoint}, 0xC00, 0},
    {{0x66AB, 53000231, 22, 2014, kDigital8BitDisplayPort, 52, 32, kSrgb,
      {154000, 1920, 160, 48, 32, 1200, 35, 3, 6, 518, 324}, "SV231S", "53000231", false},
     0, "mccs_ver(2.2)mpu_ver(1.02)asset_eep(20)", kPaGammaTable, 255, 255, {&kStandardPictureControls}, 0xC00, 0},
    {{0x66E8, 54000242, 35, 2014, kDigital10BitDisplayPort, 52, 32, kWideGamut,
      {154000, 1920, 160, 48, 32, 1200, 35, 3, 6, 518, 324}, "SV242P", "54000242", false},
     0, "mccs_ver(2.2)mpu_ver(1.30)asset_eep(20)", kPaGammaTable, 255, 255, {&kStandardPictureControls}, 0xC00, 0},
    {{0x2B1B, 55000241, 44, 2013, kDigital10BitDisplayPort, 52, 32, kWideGamut,
      {154000, 1920, 160, 48, 32, 1200, 35, 3, 6, 518, 324}, "PA241W", "55000241", false},
     0, "mccs_ver(2.2)mpu_ver(1.00)asset_eep(40)", kSvGammaTable, 100, 100, {&kPaControls, &kColorConvertStatus},
     0x300, 0},
};

EmulatedModel Build(const ModelRow& row)
{
    EmulatedModel m;
    m.name = row.edid.monitorName;
    m.edid = row.edid;
    m.usbId = row.usbId;
    m.capabilityHead = "prot(monitor)type(LCD)model(" + m.name + ")cmds(01 02 03 07 0C C2 C3 C6 C7 C8 F3)";
    m.capabilityTail = std::string(row.firmware) + row.gammaTable;
    const DetailedTiming& size = row.edid.preferred;
    m.controls = CommonControls(row.brightnessMax, row.gainMax, size.widthMm, size.heightMm);
    for (const Controls* group : row.groups) m.controls.insert(m.controls.end(), group->begin(), group->end());
    m.gammaTableEntries = row.gammaTableEntries;
    m.lutGridSize = row.lutGridSize;
    return m;
}

bool SameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

}  // namespace

const std::vector<EmulatedModel>& ModelCatalogue()
{
    static const std::vector<EmulatedModel> catalogue = [] {
        std::vector<EmulatedModel> models;
        for (const ModelRow& row : kModels) models.push_back(Build(row));
        return models;
    }();
    return catalogue;
}

const EmulatedModel* FindModel(std::string_view name)
{
    for (const EmulatedModel& model : ModelCatalogue()) {
        if (SameName(model.name, name)) return &model;
    }
    return nullptr;
}

}  // namespace OvEmulator
