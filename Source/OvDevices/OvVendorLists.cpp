#define OV_SOURCE_FILE "Source/OvDevices/OvVendorLists"
#include "OvDevices/OvVendorLists.h"

#include <algorithm>

namespace {

constexpr OvIdRange kInternalCalibration[] = {
    {0x613026E0, 0x613026E2}, {0x613026F0, 0x613026F2}, {0xA33866CB, 0xA33866CC},
    {0xA338672A, 0xA338672B}, {0xA338675D, 0xA338675E},
};

// 0xA3386949 lies between the last two ranges and is not a member.
constexpr OvIdRange kPAModels[] = {
    {0x040902B8, 0x040902BB}, {0x0409042D, 0x0409042F}, {0x0409046B, 0x0409046B},
    {0xA3382B21, 0xA3382B23}, {0xA3382B9C, 0xA3382B9C}, {0xA3382BA1, 0xA3382BA2},
    {0xA33867CE, 0xA33867D1}, {0xA33867DA, 0xA33867DC}, {0xA33867E2, 0xA33867E5},
    {0xA338680F, 0xA3386811}, {0xA338690C, 0xA338690F}, {0xA3386946, 0xA3386948},
    {0xA338694A, 0xA338694C},
};

constexpr OvIdRange kWhitePoint[] = {
    {0xA146DA70, 0xA146DA70}, {0xA146DA72, 0xA146DA72}, {0xA146DB70, 0xA146DB70},
    {0xA146DB72, 0xA146DB72}, {0xA146DC70, 0xA146DC70}, {0xA146DC72, 0xA146DC72},
    {0xA3382B1B, 0xA3382B1D}, {0xA3382B21, 0xA3382B23}, {0xA3382B9C, 0xA3382B9C},
    {0xA3382BA1, 0xA3382BA2}, {0xA338668D, 0xA338668D}, {0xA33867CE, 0xA33867D1},
    {0xA33867DA, 0xA33867DC}, {0xA33867E2, 0xA33867E5}, {0xA338680F, 0xA3386811},
    {0xA3386880, 0xA3386884}, {0xA338690C, 0xA338690F}, {0xA3386946, 0xA3386948},
    {0xA338694A, 0xA338694C}, {0xAC34469D, 0xAC34469D},
};

constexpr OvIdRange k3DLUT[] = {
    {0x0409046B, 0x0409046B}, {0xA146DA70, 0xA146DA70}, {0xA146DA72, 0xA146DA72},
    {0xA146DB70, 0xA146DB70}, {0xA146DB72, 0xA146DB72}, {0xA146DC70, 0xA146DC70},
    {0xA146DC72, 0xA146DC72}, {0xA3382B1B, 0xA3382B1D}, {0xA3382B21, 0xA3382B23},
    {0xA3382B9C, 0xA3382B9C}, {0xA3382BA1, 0xA3382BA2}, {0xA33867CE, 0xA33867D1},
    {0xA33867DA, 0xA33867DC}, {0xA33867E2, 0xA33867E5}, {0xA338680F, 0xA3386811},
    {0xA3386880, 0xA3386884}, {0xA338690C, 0xA338690F}, {0xA3386946, 0xA3386948},
    {0xA338694A, 0xA338694C},
};

constexpr OvIdRange kPA322UHD[] = {
    {0x0409046B, 0x0409046B}, {0xA3382B21, 0xA3382B23}, {0xA3382B9C, 0xA3382B9C},
    {0xA3382BA1, 0xA3382BA2},
};

}  // namespace

constinit const std::span<const OvIdRange> kOvInternalCalibrationIds{kInternalCalibration};
constinit const std::span<const OvIdRange> kOvPAModelGroup{kPAModels};
constinit const std::span<const OvIdRange> kOvWhitePointIds{kWhitePoint};
constinit const std::span<const OvIdRange> kOvPA322UHDGroup{kPA322UHD};
constinit const std::span<const OvIdRange> kOv3DLUTModelGroup{k3DLUT};

constinit const std::array<uint32_t, 17> kOvUSBDisplayIds = {
    0x0409040D, 0x040902B7, 0x040902B8, 0x040902B9, 0x040902BA, 0x040902BB,
    0x040902BC, 0x0409040A, 0x0409040B, 0x0409040C, 0x0409042B, 0x0409042C,
    0x0409042D, 0x0409042E, 0x0409042F, 0x0409046B, 0x0409044F,
};

bool OvIdListContains(std::span<const OvIdRange> list, uint32_t id) {
    return std::ranges::any_of(
        list, [id](const OvIdRange& range) { return range.first <= id && id <= range.last; });
}
