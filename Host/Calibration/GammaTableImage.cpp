#include "Calibration/GammaTableImage.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "HostError.h"

namespace {

// A decimal number from 0 to limit, the whole word.
bool ReadNumber(std::istream& in, long limit, long& value)
{
    std::string word;
    if (!(in >> word) || word.empty() || word.size() > 6) return false;
    char* end = nullptr;
    value = std::strtol(word.c_str(), &end, 10);
    return *end == '\0' && value >= 0 && value <= limit;
}

}  // namespace

GammaTableImage ParseCurvesAnswer(const std::string& answer)
{
    GammaTableImage image;
    std::istringstream lines(answer);
    std::string line;
    for (int32_t i = 0; i < kTableImageEntries; ++i) {
        if (!std::getline(lines, line)) throw HostError("GetCurves answered " + std::to_string(i) + " lines, not 256");
        std::istringstream words(line);
        long index = 0;
        long values[3] = {};
        const bool read = ReadNumber(words, kTableImageEntries, index) && ReadNumber(words, 0xFFFF, values[0]) &&
                          ReadNumber(words, 0xFFFF, values[1]) && ReadNumber(words, 0xFFFF, values[2]);
        if (!read || index != i) throw HostError("GetCurves line " + std::to_string(i + 1) + " is not 'i R G B': " + line);
        for (size_t c = 0; c < 3; ++c) image.channels[c][static_cast<size_t>(i)] = static_cast<uint16_t>(values[c]);
    }
    return image;
}

ChannelSummary Summarize(const std::array<uint16_t, kTableImageEntries>& channel)
{
    ChannelSummary summary;
    const auto [low, high] = std::minmax_element(channel.begin(), channel.end());
    summary.minimum = *low;
    summary.maximum = *high;
    for (const int32_t input : kSummaryInputs) summary.samples.push_back(channel[static_cast<size_t>(input)]);
    for (int32_t i = 0; i < kTableImageEntries; ++i) {
        const int32_t identity = i * kTableImageFullScale / 255;
        const int32_t distance = std::abs(channel[static_cast<size_t>(i)] - identity);
        if (distance > summary.identityDistance) {
            summary.identityDistance = distance;
            summary.identityDistanceAt = i;
        }
    }
    return summary;
}

int32_t LargestDifference(const GammaTableImage& a, const GammaTableImage& b)
{
    int32_t largest = 0;
    for (size_t c = 0; c < 3; ++c) {
        for (size_t i = 0; i < kTableImageEntries; ++i)
            largest = std::max(largest, std::abs(a.channels[c][i] - b.channels[c][i]));
    }
    return largest;
}
