#pragma once
// A colour LUT file (".cube" and the other formats OpenColorIO reads) as a colour
// function: OpenColorIO's file transform and CPU processor, tetrahedral interpolation
// for 3D LUTs. Builds without OpenColorIO cannot read LUT files.
#include <filesystem>
#include <memory>

#include "Calibration/HostTransform.h"

// Drops what OpenColorIO keeps of the files it has read, so a changed file is read again.
void ForgetLutFiles();

class LutFile {
public:
    // Raises HostError "<file>: <what is wrong>" for a file OpenColorIO cannot read.
    explicit LutFile(const std::filesystem::path& file);

    // The LUT as the function of a calibration transform: 0..255 in and out.
    RgbFunction OnByteScale() const;

    struct Processor;

private:
    std::shared_ptr<const Processor> fProcessor;
};
