#pragma once
// A parent progress for tests: records every fraction and message it is given.
#include <cstdint>
#include <vector>

#include "Progress/OvProgress.h"

class RecordingProgress : public OvProgress {
public:
    OV_DESTROY_SLOT(RecordingProgress)
    void SetProgress(double fraction) override { fractions.push_back(fraction); }
    void Notify(int32_t message) override { messages.push_back(message); }

    std::vector<double> fractions;
    std::vector<int32_t> messages;
};
