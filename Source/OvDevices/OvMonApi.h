#pragma once
// The display-interface library MONAPI2, imported by name: it enumerates the display
// interfaces of the machine (graphics-card DDC lines and USB links) and carries the I2C
// traffic to the displays behind them. All display traffic of the plug-in goes through
// the table of its six functions below; tests install a table of their own.
#include <cstddef>
#include <cstdint>

#include "OvCore/OvExport.h"

struct OvMonApiTable;

class OvMonApi {
public:
    // The record the library fills for one interface: 260 bytes, little-endian, the
    // 32-bit layout on every build.
    struct DisplayInterfaceInfo {
        uint32_t size;  // the caller sets 260 before asking
        int32_t interfaceType;
        uint8_t edidDetected;  // the edid field holds the display's first EDID block
        char displayName[32];
        char interfaceName[32];  // "USB" marks a USB link
        uint8_t padding1[3];
        int32_t displayRect[4];
        uint8_t supportsI2CClock;
        uint8_t duplicate;
        uint8_t padding2[2];
        uint8_t edid[128];
        char serialNumber[32];  // links a USB interface to the DDC interface of its display
        uint32_t pnpId;
    };

    using SetUSBDeviceListFn = int32_t(OV_STDCALL*)(const uint32_t* ids, int32_t count);
    using EnumerateInterfacesFn = int32_t(OV_STDCALL*)(int32_t flags, int32_t options);
    using GetNumDisplayInterfacesFn = int32_t(OV_STDCALL*)();
    using GetDisplayInterfaceInfoFn = int32_t(OV_STDCALL*)(int32_t index, DisplayInterfaceInfo* info);
    using I2CWriteFn = int32_t(OV_STDCALL*)(int32_t iface, int32_t address, const uint8_t* data,
                                            int32_t count, int32_t param);
    using I2CReadFn = int32_t(OV_STDCALL*)(int32_t iface, int32_t address, uint8_t* buffer,
                                           int32_t count, int32_t param);

    // What the missing library answers for everything but the interface count.
    static constexpr int32_t kLibraryMissing = -1;

    // The installed table, else the library's, loaded on first use from "MONAPI2.dll" or
    // "libMONAPI2.so" beside the host executable or on the library path. Without a
    // library that exports all six functions: no interfaces, and every I2C call fails
    // with kLibraryMissing.
    static const OvMonApiTable& Table();

    // Replaces the table for all later calls (the caller keeps it alive); null returns to
    // the library's.
    static void Install(const OvMonApiTable* table);
};

struct OvMonApiTable {
    OvMonApi::SetUSBDeviceListFn SetUSBDeviceList;
    OvMonApi::EnumerateInterfacesFn EnumerateInterfaces;
    OvMonApi::GetNumDisplayInterfacesFn GetNumDisplayInterfaces;
    OvMonApi::GetDisplayInterfaceInfoFn GetDisplayInterfaceInfo;
    OvMonApi::I2CWriteFn I2C_WRITE;
    OvMonApi::I2CReadFn I2C_READ;
};

using OvDisplayInterfaceInfo = OvMonApi::DisplayInterfaceInfo;

static_assert(sizeof(OvDisplayInterfaceInfo) == 260);
static_assert(offsetof(OvDisplayInterfaceInfo, interfaceType) == 4);
static_assert(offsetof(OvDisplayInterfaceInfo, edidDetected) == 8);
static_assert(offsetof(OvDisplayInterfaceInfo, displayName) == 9);
static_assert(offsetof(OvDisplayInterfaceInfo, interfaceName) == 41);
static_assert(offsetof(OvDisplayInterfaceInfo, displayRect) == 76);
static_assert(offsetof(OvDisplayInterfaceInfo, supportsI2CClock) == 92);
static_assert(offsetof(OvDisplayInterfaceInfo, duplicate) == 93);
static_assert(offsetof(OvDisplayInterfaceInfo, edid) == 96);
static_assert(offsetof(OvDisplayInterfaceInfo, serialNumber) == 224);
static_assert(offsetof(OvDisplayInterfaceInfo, pnpId) == 256);
