#pragma once
// What one soak round does, drawn from its seed: a display family and one of its
// downloads, a calibration transform, and the display's misbehaviour.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "MonApi2/Emulator/EmulatedBus.h"
#include "MonApi2/Emulator/FaultScript.h"
#include "Soak/SoakTransform.h"

enum class SoakOperation { kRGBCalibration, kUpdateCalibration, k3DLUT };

// One family's download as the soak runs it, with where the display keeps the result.
struct SoakDownload {
    const char* family;  // the path or transfer, as the summary names it
    const char* model;   // the emulated display
    OvEmulator::Link link;
    SoakOperation operation;
    int32_t entries;                  // per channel, for the tables
    int32_t fullScale;                // of the entries the display reports or defaults to
    std::array<int32_t, 3> offsets;   // of the channels in the table memory
};

std::span<const SoakDownload> SoakDownloads();

struct SoakScenario {
    uint64_t seed = 0;
    const SoakDownload* download = nullptr;
    SoakTransformSpec transform;
    bool nullTransform = false;              // a 3D LUT download without a transform
    SoakTransformSpec previous;              // the table the display holds before an UpdateCalibration
    std::vector<int32_t> changedChunks;      // and the 16-byte chunks it changes
    std::vector<OvEmulator::Fault> faults;
    int32_t readBackDiffers = 0;             // spoiled table read-backs (kAlways: all)

    static SoakScenario FromSeed(uint64_t seed);
    std::string Describe() const;
};
