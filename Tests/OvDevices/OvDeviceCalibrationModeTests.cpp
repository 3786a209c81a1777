// InitCalibrationMode against an emulated PA271W that answers every control the set-up
// touches, taken for a display of each family by its vendor-product id.
#include "OvEmulatedBusFixture.h"
#include "Progress/RecordingProgress.h"

namespace {

class DeviceCalibrationModeTest : public EmulatedBusTest {
protected:
    DeviceCalibrationModeTest() { display = Attach("PA271W"); }

    // Controls at values the set-up changes, all of maximum 500; colour preset, auto
    // brightness, eco mode and black level already as the set-up wants them, so that only
    // the PA series (which writes without reading first) writes them. Uniformity off.
    std::unique_ptr<OvROVUvidedImpl> ConnectAs(uint32_t id)
    {
        const std::pair<uint16_t, uint16_t> values[] = {
            {0x0014, 11}, {0x0233, 1},  {0x0268, 500}, {0x0254, 0},  {0x0016, 90},  {0x0018, 90},
            {0x001A, 90}, {0x021A, 1},  {0x02A2, 0},   {0x006C, 50}, {0x006E, 50},  {0x0070, 50},
            {0x02A3, 0},  {0x022D, 1},  {0x02EF, 0},   {0x105F, 0},  {0x105B, 0},   {0x10A3, 0},
            {0x0066, 0},  {0x1050, 1},  {0x1051, 1},   {0x106B, 1},  {0x1069, 0},   {0x105C, 0},
            {0x1054, 100}, {0x0257, 250}, {0x02C2, 1},  {0x02EE, 0},
        };
        for (const auto& [vcp, value] : values) display->Vcps().Define(vcp, value, 500);
        auto device = Connect();
        SetVendorProductID(*device, id);
        return device;
    }
};

VcpWrites operator+(VcpWrites first, const VcpWrites& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST_F(DeviceCalibrationModeTest, EachFamilyGetsItsControlsInOrder)
{
    const VcpWrites blackLevelsOff = {{0x006C, 0}, {0x006E, 0}, {0x0070, 0}, {0x02A3, 2}};
    const VcpWrites unityGains = {{0x0016, 500}, {0x0018, 500}, {0x001A, 500}, {0x022D, 0}, {0x02EF, 1}};
    const VcpWrites colorConvert = {{0x105F, 1}, {0x105B, 1}, {0x1050, 5}, {0x1051, 10},
                                    {0x106B, 2}, {0x1069, 1}, {0x0066, 1}, {0x105C, 1}};
    const VcpWrites paLevels = {{0x0254, 0}, {0x0014, 11}, {0x0268, 6}};
    struct Case {
        uint32_t id;
        VcpWrites before;  // picture mode and mode set-up, then the levels
        VcpWrites after;   // gains, uniformity, eco mode, black level
    };
    const Case cases[] = {
        {0x613026E0, {{0x021A, 8}, {0x02A2, 2}, {0x0268, 6}}, blackLevelsOff + unityGains + VcpWrites{{0x02C2, 0}}},
        {0xA338672A, {{0x02A2, 2}, {0x0268, 6}}, blackLevelsOff + unityGains + VcpWrites{{0x02C2, 0}}},
        {0xA338662C, {{0x0268, 6}}, unityGains + VcpWrites{{0x02C2, 0}}},
        {0xA3386810, colorConvert + paLevels, {{0x02EE, 0}, {0x0233, 1}, {0x1054, 250}}},
        {0xA33867E2, colorConvert + paLevels, {{0x02EE, 2}, {0x0233, 1}, {0x1054, 250}}},  // uniformity on
        {0xA3382B1B, {{0x10A3, 2}, {0x105F, 1}, {0x021A, 5}, {0x1051, 10}, {0x0268, 6}}, {{0x02C2, 0}}},
        {0xA3382B21,  // black level to 0
         VcpWrites{{0x10A3, 2}, {0x105F, 1}, {0x1050, 5}, {0x1051, 10}, {0x105B, 1}, {0x105C, 1}, {0x0066, 1},
                   {0x106B, 2}, {0x1069, 1}} + paLevels,
         {{0x02EE, 0}, {0x0233, 1}, {0x1054, 0}}},
        {0xA3381234, {{0x0268, 6}}, {{0x02C2, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.id);
        auto device = ConnectAs(c.id);
        device->InitCalibrationMode(-1.0, nullptr);  // brightness left alone
        EXPECT_EQ(PagedWrites(*display), c.before + c.after);
    }
}

TEST_F(DeviceCalibrationModeTest, UniformityIsReadOnTheFirstCallOnlyAndProgressIsReported)
{
    struct Case {
        uint32_t id;
        uint16_t levelAfterSecondCall;
    };
    // The half-table family reads the uniformity again in its own set-up.
    const Case cases[] = {{0xA3381234, 3}, {0xA3382B1B, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.id);
        auto device = ConnectAs(c.id);
        display->Vcps().Define(0x02C2, 2, 5);  // on, at level 3
        display->Vcps().Define(0x02EE, 3, 5);
        RecordingProgress progress;
        device->InitCalibrationMode(0.4, &progress);
        EXPECT_EQ(progress.fractions, (std::vector<double>{0.2, 0.5, 0.6, 0.7, 0.8, 1.0}));
        EXPECT_EQ(Current(0x0010), 40);
        display->Vcps().Define(0x02C2, 1, 5);  // switched off meanwhile
        display->Vcps().Define(0x02EE, 0, 5);
        device->InitCalibrationMode(-1.0, nullptr);
        EXPECT_EQ(Current(0x02EE), c.levelAfterSecondCall);
    }
}

}  // namespace
