// A first look at the framework at work: formats text, converts bytes to hexadecimal,
// raises and catches an OvError, and shows where the simulation files live.
// Exits with 0 and "The framework works." when every step gave what it should.
#define OV_SOURCE_FILE "Demo/OvDemo"
#include <cstdint>
#include <cstdio>

#include "OvCore/OvError.h"
#include "OvCore/OvString.h"
#include "OvSystem/OvPlatform.h"

namespace {

bool ShowFormatting()
{
    const OvString text = OvString::Format("device interface %d, build %s", 9, "18403");
    std::printf("Formatted:        %s\n", text.Chars());
    return text == "device interface 9, build 18403";
}

bool ShowHexadecimal()
{
    const uint8_t edidHeader[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    const OvString hex = OvString::BytesToHex(edidHeader, static_cast<int32_t>(sizeof edidHeader));
    std::printf("EDID header:      %s\n", hex.Chars());
    return hex == "00FFFFFFFFFFFF00";
}

bool ShowCaughtError()
{
    try {
        OV_RAISE(kOvIOErr, "OvIOErr");
    } catch (const OvError& error) {
        std::printf("Caught:           %s\n", error.GetMessage());
        return error.code == kOvIOErr;
    }
    return false;
}

void ShowApplicationData()
{
    std::printf("Simulation files: %s/Ovelin\n", OvPlatform::ApplicationDataFolder().c_str());
}

}  // namespace

int main()
{
    const bool formatted = ShowFormatting();
    const bool converted = ShowHexadecimal();
    const bool caught = ShowCaughtError();
    ShowApplicationData();
    if (!(formatted && converted && caught)) {
        std::printf("Something went wrong: see the lines above.\n");
        return 1;
    }
    std::printf("The framework works.\n");
    return 0;
}
