#pragma once
// The display models that get special treatment, as lists of vendor-product ids (EDID
// bytes 9, 8, 11, 10 from the top byte down). Each list is ordered by id; its ranges are
// inclusive and do not overlap.
#include <array>
#include <cstdint>
#include <span>

struct OvIdRange {
    uint32_t first;
    uint32_t last;  // inclusive; equal to first for a single id
};

bool OvIdListContains(std::span<const OvIdRange> list, uint32_t id);

// Displays that calibrate internally: they need a pause after a brightness change and
// accept the internal-calibration-off VCP (0x02A3).
extern const std::span<const OvIdRange> kOvInternalCalibrationIds;

// The PA family: paged black level, write-then-compare verification, longer white-point
// settle times, their own picture-mode, uniformity and calibration-mode handling.
extern const std::span<const OvIdRange> kOvPAModelGroup;

// Displays whose white point can be set.
extern const std::span<const OvIdRange> kOvWhitePointIds;

// Displays with a 3D LUT that can be downloaded.
extern const std::span<const OvIdRange> kOv3DLUTModelGroup;

// The PA322UHD models (all in the PA group); every VCP write settles 1000 ms longer.
extern const std::span<const OvIdRange> kOvPA322UHDGroup;

// USB vendor id 0x0409 in the upper 16 bits and the product id below: the displays the
// interface library should look for on USB, in the order it is given them.
extern const std::array<uint32_t, 17> kOvUSBDisplayIds;
