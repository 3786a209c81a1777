#include "OvDevices/OvCalibrationLists.h"

namespace {

constexpr OvIdRange k19Inch[] = {
    {0x613019C0, 0x613019C0}, {0xA3386649, 0xA338664A}, {0xA338667D, 0xA338667D}, {0xAC344679, 0xAC34467A},
};

constexpr OvIdRange k10To10Bit[] = {{0xA338668D, 0xA338668D}, {0xAC34469D, 0xAC34469D}};

constexpr OvIdRange kSeriesPA[] = {{0xA3382B21, 0xA3382B23}, {0xA3382B9C, 0xA3382B9C}, {0xA3382BA1, 0xA3382BA2}};

constexpr OvIdRange kSeries90[] = {
    {0x613019C1, 0x613019C1}, {0x613020C1, 0x613020C1}, {0x613021C1, 0x613021C1}, {0x613026E0, 0x613026E2},
    {0x613026F0, 0x613026F2}, {0xA146DA70, 0xA146DA70}, {0xA146DA72, 0xA146DA72}, {0xA146DB70, 0xA146DB70},
    {0xA146DB72, 0xA146DB72}, {0xA146DC70, 0xA146DC70}, {0xA146DC72, 0xA146DC72}, {0xA3382B1B, 0xA3382B1D},
    {0xA33866AB, 0xA33866AC}, {0xA33866B0, 0xA33866B3}, {0xA33866BC, 0xA33866BF}, {0xA33866CB, 0xA33866CC},
    {0xA33866CE, 0xA33866CF}, {0xA33866DA, 0xA33866DD}, {0xA33866DF, 0xA33866E0}, {0xA33866E8, 0xA33866E9},
    {0xA33866EB, 0xA33866EC}, {0xA3386721, 0xA3386722}, {0xA3386724, 0xA3386725}, {0xA338672A, 0xA338672B},
    {0xA3386738, 0xA338673A}, {0xA338674A, 0xA338674A}, {0xA338675D, 0xA338675E}, {0xA338677C, 0xA338677C},
    {0xA3386783, 0xA3386786}, {0xA338678C, 0xA338678F}, {0xA33867CE, 0xA33867D1}, {0xA33867DA, 0xA33867DC},
    {0xA33867E2, 0xA33867E5}, {0xA338680F, 0xA3386811}, {0xA338682D, 0xA338682D}, {0xA338682F, 0xA338682F},
    {0xA338683C, 0xA338683F}, {0xA3386880, 0xA3386884}, {0xA338690C, 0xA338690F}, {0xA3386928, 0xA3386940},
    {0xA3386946, 0xA3386948}, {0xA338694A, 0xA338694C},
};

constexpr OvIdRange kFullScale4095[] = {{0xA33866DC, 0xA33866DD}, {0xA33866DF, 0xA33866E0}, {0xA338677C, 0xA338677C}};

constexpr OvIdRange kFullScale4095NoIdentityTest[] = {
    {0xA33866E8, 0xA33866E9}, {0xA33866EB, 0xA33866EC}, {0xA3386721, 0xA3386722}, {0xA3386724, 0xA3386725},
    {0xA3386738, 0xA338673A}, {0xA3386783, 0xA3386786}, {0xA338678E, 0xA338678F}, {0xA338682D, 0xA338682D},
    {0xA338682F, 0xA338682F}, {0xA338683C, 0xA338683F}, {0xA3386928, 0xA3386940},
};

constexpr OvIdRange kHalfTable[] = {{0xA3382B1B, 0xA3382B1D}};

constexpr OvIdRange kColorConvert[] = {
    {0xA146DA70, 0xA146DA70}, {0xA146DA72, 0xA146DA72}, {0xA146DB70, 0xA146DB70}, {0xA146DB72, 0xA146DB72},
    {0xA146DC70, 0xA146DC70}, {0xA146DC72, 0xA146DC72}, {0xA33867CE, 0xA33867D1}, {0xA33867DA, 0xA33867DC},
    {0xA33867E2, 0xA33867E5}, {0xA338680F, 0xA3386811}, {0xA3386880, 0xA3386884}, {0xA338690C, 0xA338690F},
    {0xA3386946, 0xA3386948}, {0xA338694A, 0xA338694C},
};

constexpr OvIdRange kExtraSaveDelay[] = {{0x0409042E, 0x0409042F}, {0xA3386946, 0xA3386948}, {0xA338694A, 0xA338694C}};

constexpr OvIdRange kCalibrationPictureMode[] = {
    {0x613026E0, 0x613026E2}, {0x613026F0, 0x613026F2}, {0xA338675D, 0xA338675E}, {0xA338678C, 0xA338678D},
};

constexpr OvIdRange kLowBrightnessMode[] = {
    {0x613026E0, 0x613026E2}, {0x613026F0, 0x613026F2}, {0xA338672A, 0xA338672B},
    {0xA338675D, 0xA338675E}, {0xA338678C, 0xA338678D},
};

constexpr OvIdRange kVideoBlackLevel[] = {
    {0x613026E0, 0x613026E2}, {0x613026F0, 0x613026F2}, {0xA33866CB, 0xA33866CC},
    {0xA338672A, 0xA338672B}, {0xA338675D, 0xA338675E}, {0xA338678C, 0xA338678D},
};

constexpr OvIdRange kUnityGain[] = {
    {0x613019C0, 0x613019C1}, {0x613020C1, 0x613020C1}, {0x613021C0, 0x613021C1}, {0xA338662C, 0xA338662C},
    {0xA33866AB, 0xA33866AC}, {0xA33866B0, 0xA33866B3}, {0xA33866BC, 0xA33866BF}, {0xA33866CE, 0xA33866CF},
    {0xA33866DA, 0xA33866DD}, {0xA33866DF, 0xA33866E0}, {0xA33866E8, 0xA33866E9}, {0xA33866EB, 0xA33866EC},
    {0xA3386721, 0xA3386722}, {0xA3386724, 0xA3386725}, {0xA3386738, 0xA338673A}, {0xA338677C, 0xA338677C},
    {0xA3386783, 0xA3386786}, {0xA338678E, 0xA338678F}, {0xA338682D, 0xA338682D}, {0xA338682F, 0xA338682F},
    {0xA338683C, 0xA338683F}, {0xA3386928, 0xA3386940},
};

constexpr OvIdRange kUniformityOn[] = {{0xA33867E2, 0xA33867E5}};

}  // namespace

constinit const std::span<const OvIdRange> kOv19InchPath{k19Inch};
constinit const std::span<const OvIdRange> kOv10To10BitPath{k10To10Bit};
constinit const std::span<const OvIdRange> kOvSeriesPAPath{kSeriesPA};
constinit const std::span<const OvIdRange> kOvSeries90Path{kSeries90};
constinit const std::span<const OvIdRange> kOvSeries90FullScale4095{kFullScale4095};
constinit const std::span<const OvIdRange> kOvSeries90FullScale4095NoIdentityTest{kFullScale4095NoIdentityTest};
constinit const std::span<const OvIdRange> kOvSeries90HalfTable{kHalfTable};
constinit const std::span<const OvIdRange> kOvColorConvertGroup{kColorConvert};
constinit const std::span<const OvIdRange> kOvExtraSaveDelayIds{kExtraSaveDelay};
constinit const std::span<const OvIdRange> kOvCalibrationPictureModeIds{kCalibrationPictureMode};
constinit const std::span<const OvIdRange> kOvLowBrightnessModeIds{kLowBrightnessMode};
constinit const std::span<const OvIdRange> kOvVideoBlackLevelIds{kVideoBlackLevel};
constinit const std::span<const OvIdRange> kOvUnityGainIds{kUnityGain};
constinit const std::span<const OvIdRange> kOvUniformityOnIds{kUniformityOn};
