#pragma once
// MONAPI2: the display-interface library. It enumerates the display interfaces of the
// machine and carries I2C traffic to the displays behind them. The plug-in imports the
// six functions below by name; any library exporting them with these signatures can
// take this one's place. This library also exports MonApi2GetStatistics for tools that
// report the traffic; callers look it up at run time, as drop-in libraries lack it.
//
// All integers are 32-bit; results of 0 or more mean success. On 32-bit Windows the
// functions use __stdcall and are exported under their plain names (no @n suffix).
// Addresses are 8-bit I2C forms: 0x6E/0x6F for DDC/CI, 0xA0/0xA1 for the EDID.
//
// Backends, chosen through the environment, read once at the first call:
//   OV_MONAPI2_EMULATE             set: emulated ZEZ displays only. Comma-separated model
//                                  names, each optionally prefixed by its link, e.g.
//                                  "PA271W,USB:PA311D" (prefixes "DDC:" and "USB:"; DDC
//                                  when none). Names ignore letter case. Unknown names
//                                  are reported on stderr and skipped; set but empty
//                                  gives no interfaces at all.
//   OV_MONAPI2_EMULATE_WAIT_SCALE  factor on each emulated display's minimum reply
//                                  delay (default 1; 0 lets a reply be read at once).
//   OV_MONAPI2_SYSFS_ROOT          where the Linux backend looks for the DRM connectors
//                                  (default /sys).
// Without OV_MONAPI2_EMULATE, on Linux, the interfaces are the machine's connected
// displays on the graphics cards' DDC buses through /dev/i2c-* (LinuxI2cBackend.h
// names the permissions needed; buses that cannot be opened are reported on stderr and
// left out); elsewhere there are none. A USB display is found only when emulated and
// its USB id is among those handed to SetUSBDeviceList.
#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define MONAPI2_CALL __stdcall
#else
#define MONAPI2_CALL
#endif

#if defined(MONAPI2_BUILDING)
#if defined(_WIN32)
#define MONAPI2_API __declspec(dllexport)
#else
#define MONAPI2_API __attribute__((visibility("default")))
#endif
#else
#define MONAPI2_API
#endif

// One display interface as GetDisplayInterfaceInfo fills it: 260 bytes, little-endian,
// the same layout on 32-bit and 64-bit builds.
typedef struct DisplayInterfaceInfo {
    uint32_t size;                // the caller sets 260 before asking
    int32_t interfaceType;        // MonApi2InterfaceType
    uint8_t edidDetected;         // non-zero: edid holds the display's first EDID block
    char displayName[32];         // zero-terminated
    char interfaceName[32];       // zero-terminated; "USB" marks a USB link
    uint8_t reserved1[3];
    int32_t displayRect[4];       // left, top, right, bottom on the desktop
    uint8_t supportsI2CClock;
    uint8_t duplicate;
    uint8_t reserved2[2];
    uint8_t edid[128];
    char serialNumber[32];        // zero-terminated; the same on every link of one display
    uint32_t pnpId;
} DisplayInterfaceInfo;

enum MonApi2InterfaceType { kMonApi2GraphicsDdc = 1, kMonApi2Usb = 2 };

// Result codes of the library itself; the transport passes them on unchanged, so they
// stay clear of its own codes (-20 to -32).
enum MonApi2Result {
    kMonApi2Ok = 0,
    kMonApi2IoError = -5,          // the transfer failed on the wire
    kMonApi2NoDevice = -6,         // nothing acknowledges the address
    kMonApi2NoInterface = -1001,   // interface index out of range
    kMonApi2BadArgument = -1002,   // null pointer, negative count, wrong record size
};

// The traffic of one interface since it was enumerated, as MonApi2GetStatistics fills it:
// 32 bytes, the same layout on 32-bit and 64-bit builds.
typedef struct MonApi2Statistics {
    uint32_t size;               // the caller sets 32 before asking
    uint32_t writes;             // I2C write transactions, failed ones included
    uint32_t reads;              // I2C read transactions, failed ones included
    uint32_t failures;           // transactions with a negative result
    uint32_t bytesWritten;       // data bytes of the successful writes (no address bytes)
    uint32_t bytesRead;          // data bytes of the successful reads
    uint64_t activeMicroseconds; // from the start of the first transaction to the end of the last
} MonApi2Statistics;

#if defined(__cplusplus)
static_assert(sizeof(MonApi2Statistics) == 32);
static_assert(offsetof(MonApi2Statistics, activeMicroseconds) == 24);
static_assert(sizeof(DisplayInterfaceInfo) == 260);
static_assert(offsetof(DisplayInterfaceInfo, interfaceType) == 4);
static_assert(offsetof(DisplayInterfaceInfo, edidDetected) == 8);
static_assert(offsetof(DisplayInterfaceInfo, displayName) == 9);
static_assert(offsetof(DisplayInterfaceInfo, interfaceName) == 41);
static_assert(offsetof(DisplayInterfaceInfo, displayRect) == 76);
static_assert(offsetof(DisplayInterfaceInfo, supportsI2CClock) == 92);
static_assert(offsetof(DisplayInterfaceInfo, duplicate) == 93);
static_assert(offsetof(DisplayInterfaceInfo, edid) == 96);
static_assert(offsetof(DisplayInterfaceInfo, serialNumber) == 224);
static_assert(offsetof(DisplayInterfaceInfo, pnpId) == 256);
#endif

// Pointer types for callers that look the functions up at run time.
typedef int32_t(MONAPI2_CALL* MonApi2SetUSBDeviceListFn)(const uint32_t* ids, int32_t count);
typedef int32_t(MONAPI2_CALL* MonApi2EnumerateInterfacesFn)(int32_t flags, int32_t options);
typedef int32_t(MONAPI2_CALL* MonApi2GetNumDisplayInterfacesFn)(void);
typedef int32_t(MONAPI2_CALL* MonApi2GetDisplayInterfaceInfoFn)(int32_t index, DisplayInterfaceInfo* info);
typedef int32_t(MONAPI2_CALL* MonApi2I2CWriteFn)(int32_t iface, int32_t address, const uint8_t* data, int32_t count,
                                                 int32_t param);
typedef int32_t(MONAPI2_CALL* MonApi2I2CReadFn)(int32_t iface, int32_t address, uint8_t* buffer, int32_t count,
                                                int32_t param);
typedef int32_t(MONAPI2_CALL* MonApi2GetStatisticsFn)(int32_t index, MonApi2Statistics* statistics);

#if defined(__cplusplus)
extern "C" {
#endif

// The USB ids (vendor << 16 | product) of the displays to look for on USB links.
MONAPI2_API int32_t MONAPI2_CALL SetUSBDeviceList(const uint32_t* ids, int32_t count);
// Scans the machine again; returns the number of interfaces found. Both arguments are
// accepted for compatibility and do not change the scan.
MONAPI2_API int32_t MONAPI2_CALL EnumerateInterfaces(int32_t flags, int32_t options);
MONAPI2_API int32_t MONAPI2_CALL GetNumDisplayInterfaces(void);
// 0 when the record was filled; kMonApi2NoInterface for a bad index, kMonApi2BadArgument
// for a null record or a size field other than 260.
MONAPI2_API int32_t MONAPI2_CALL GetDisplayInterfaceInfo(int32_t index, DisplayInterfaceInfo* info);
// One I2C write or read transaction; 0 on success. param is accepted and unused.
MONAPI2_API int32_t MONAPI2_CALL I2C_WRITE(int32_t iface, int32_t address, const uint8_t* data, int32_t count,
                                           int32_t param);
MONAPI2_API int32_t MONAPI2_CALL I2C_READ(int32_t iface, int32_t address, uint8_t* buffer, int32_t count,
                                          int32_t param);

// Optional, beyond the six: the traffic of an interface of the last enumeration. 0 when
// the record was filled; kMonApi2NoInterface for a bad index, kMonApi2BadArgument for a
// null record or a size field other than 32.
MONAPI2_API int32_t MONAPI2_CALL MonApi2GetStatistics(int32_t index, MonApi2Statistics* statistics);

#if defined(__cplusplus)
}
#endif
