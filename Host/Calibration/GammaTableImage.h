#pragma once
// The device's 256-entry table image as the "GetCurves" command lists it (256 lines
// "i<TAB>R<TAB>G<TAB>B"), and the facts zezctl shows of it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int32_t kTableImageEntries = 256;
// Entries are shown against a 10-bit scale, the scale of the classic table.
constexpr int32_t kTableImageFullScale = 1023;
constexpr const char* kChannelNames[] = {"red", "green", "blue"};

struct GammaTableImage {
    std::array<std::array<uint16_t, kTableImageEntries>, 3> channels{};
};

// Raises HostError naming the line when the answer is not 256 such lines.
GammaTableImage ParseCurvesAnswer(const std::string& answer);

// The inputs the summary samples.
constexpr int32_t kSummaryInputs[] = {0, 64, 128, 192, 255};

struct ChannelSummary {
    uint16_t minimum = 0;
    uint16_t maximum = 0;
    std::vector<uint16_t> samples;  // at kSummaryInputs
    // The largest distance from the identity trunc(i * 1023 / 255), in entries, and the
    // first input where it occurs.
    int32_t identityDistance = 0;
    int32_t identityDistanceAt = 0;
};

ChannelSummary Summarize(const std::array<uint16_t, kTableImageEntries>& channel);

// The largest difference between two images, entry by entry.
int32_t LargestDifference(const GammaTableImage& a, const GammaTableImage& b);
