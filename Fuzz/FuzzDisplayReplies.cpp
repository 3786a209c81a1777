// Feeds arbitrary bytes to the DDC/CI transport as the display's answers. The first byte
// picks the request (its value modulo 9; bit 7 selects the USB link); every I2C read then
// delivers the next bytes of the input (zeros past its end, or a failed read once it is
// used up), and every write succeeds. Waits are skipped so that the retry schemes run at
// full speed. The gamma-table requests cover both verified chunk writes, whose read-back
// replies are compared, and the device's table read-back into its table image.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "OvCore/OvError.h"
#include "OvDevices/OvMonApi.h"
#include "OvDevices/OvNMVDDCControl.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvSystem/OvPlatform.h"

namespace {

struct Replies {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t position = 0;
};
Replies gReplies;

int32_t OV_STDCALL NoUSBDevices(const uint32_t*, int32_t) { return 0; }
int32_t OV_STDCALL NoEnumeration(int32_t, int32_t) { return 0; }
int32_t OV_STDCALL OneInterface() { return 1; }
int32_t OV_STDCALL NoInterfaceInfo(int32_t, OvMonApi::DisplayInterfaceInfo*) { return -1; }
int32_t OV_STDCALL AcceptWrite(int32_t, int32_t, const uint8_t*, int32_t, int32_t) { return 0; }

int32_t OV_STDCALL ServeRead(int32_t, int32_t, uint8_t* buffer, int32_t count, int32_t)
{
    if (gReplies.position >= gReplies.size) return -1;
    const size_t wanted = static_cast<size_t>(std::max(count, 0));
    const size_t served = std::min(wanted, gReplies.size - gReplies.position);
    std::memcpy(buffer, gReplies.data + gReplies.position, served);
    std::memset(buffer + served, 0, wanted - served);
    gReplies.position += served;
    return 0;
}

const OvMonApiTable kFuzzedDisplay = {NoUSBDevices,    NoEnumeration, OneInterface,
                                      NoInterfaceInfo, AcceptWrite,   ServeRead};

class NoWaitClock : public OvPlatform::Clock {
public:
    uint32_t TickCount() override { return 0; }
    void Sleep(uint32_t) override {}
};

// A real display device whose link is the fuzzed display, without the connection's
// handshake (which would consume the input first).
class FuzzedDevice : public OvROVUvidedImpl {
public:
    explicit FuzzedDevice(bool usb)
    {
        fDDCControl = std::make_unique<NMV_factory_ddc_control>(0, 10000, 4);
        fDDCControl->SetUSBMode(usb);
    }
};

// Entries for a verified write of 1 to 16 entries chosen by the selector.
int32_t TableChunk(uint8_t selector, int32_t* entries)
{
    const int32_t count = 1 + (selector / 9) % 16;
    for (int32_t i = 0; i < count; ++i) entries[i] = 0x0123 * (i + 1);
    return count;
}

void RunRequest(uint8_t selector)
{
    NMV_factory_ddc_control control(0, 10000, 4);
    control.SetUSBMode(selector & 0x80);
    OvVCPReply reply;
    int32_t entries[16];
    switch (selector % 9) {
    case 0: control.GetVCP(0x10, &reply); break;
    case 1: control.ReadPagedVCP(0x1050, &reply); break;
    case 2: control.WritePagedVCP(0x1050, 0x1234, &reply); break;
    case 3: {
        std::vector<char> text(8192);
        control.CapabilitiesRequest(text.data(), static_cast<int32_t>(text.size()));
        break;
    }
    case 4: {
        uint8_t edid[256];
        control.ReadEDIDBlocks(edid, selector & 0x40);
        break;
    }
    case 5: {
        uint8_t answer[120];
        int32_t length = 1 + selector % 120;
        control.ReceiveMessage(answer, &length, 0);
        break;
    }
    case 6: {
        const int32_t count = TableChunk(selector, entries);
        control.WriteTableChunkVerified(entries, 0x0100, count, selector & 0x40 ? 20 : 0);
        break;
    }
    case 7: control.WritePATableChunkVerified(entries, 0x0400, TableChunk(selector, entries)); break;
    default: {
        FuzzedDevice device(selector & 0x80);
        try {
            device.ReadGammaTable();
        } catch (const OvError&) {
            // A display that stops answering ends the read-back with "err".
        }
        break;
    }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static NoWaitClock clock;
    static const bool installed = (OvPlatform::InstallClock(&clock), OvMonApi::Install(&kFuzzedDisplay), true);
    (void)installed;
    if (size < 1) return 0;
    gReplies = {data + 1, size - 1, 0};
    RunRequest(data[0]);
    return 0;
}
