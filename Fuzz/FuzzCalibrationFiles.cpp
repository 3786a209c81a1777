// zezctl's calibration file readers: what reaches Little CMS (a CGATS .cal text, or an ICC
// profile with a vcgt tag) and OpenColorIO (a LUT file) from our side. The first byte
// chooses the reader and, for a LUT, the file extension that picks OpenColorIO's format.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <unistd.h>

#include "Calibration/CalibrationFile.h"
#include "Calibration/LutFile.h"
#include "HostError.h"

namespace {

constexpr const char* kLutExtensions[] = {".cube", ".spi1d", ".spi3d", ".3dl", ".csp", ".cub", ".cc", ".clf"};

void TryLut(const std::string& bytes, const char* extension)
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("zezctl-fuzz-" + std::to_string(getpid()) + extension);
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    try {
        const RgbFunction apply = LutFile(file).OnByteScale();
        apply({0.0, 128.0, 255.0});
    } catch (const HostError&) {
    }
    ForgetLutFiles();
    std::filesystem::remove(file);
}

}  // namespace

// OpenColorIO 2.1 leaks a few hundred bytes inside its own parsers on some damaged files;
// the leak checker still watches everything of ours and of Little CMS. Its XML readers
// (.clf, .ctf, .cc, .ccc) leave the expat parser behind on some broken files: expat has no
// frame pointers, so the fast unwinder's stacks of those blocks end inside expat, which
// nothing else in this process uses.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libOpenColorIO\n"
           "leak:libexpat\n";
}

// OpenColorIO reserves a LUT's declared size before it reads the entries: a header of
// "LUT_3D_SIZE 30101" reserves 6.9 GB of address space that is never touched, and the
// file is then refused (zezctl's peak memory on that file is 9 MB). A limit on single
// allocations would report every such header, so this target keeps only the limit on
// memory actually in use (-rss_limit_mb, 2 GB by default).
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static std::vector<char*> arguments(*argv, *argv + *argc);
    static char noSingleAllocationLimit[] = "-malloc_limit_mb=1048576";
    arguments.insert(arguments.begin() + 1, noSingleAllocationLimit);  // a later flag still wins
    arguments.push_back(nullptr);
    *argc = static_cast<int>(arguments.size()) - 1;
    *argv = arguments.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const uint8_t choice = data[0];
    if (choice < 0x80) {
        try {
            const CalibrationCurves curves = ReadCalibrationData(bytes, "fuzz");
            CurvesOnByteScale(curves)({0.0, 100.0, 255.0});
        } catch (const HostError&) {
        }
    } else {
        TryLut(bytes, kLutExtensions[choice % std::size(kLutExtensions)]);
    }
    return 0;
}
