// Decodes arbitrary bytes as the EDID a display reports and prints the result the way
// the host's edid command does (hex dump, then a table of the decoded facts). The input
// may have any length: it is cut into 128-byte blocks, the last one padded with zeros,
// and every block is decoded as a base block, since extension blocks reach the decoder
// the same way when a display misreports its block number.
//   - The manufacturer is three letters A to Z or '?'.
//   - Descriptor texts hold at most 13 printable characters without trailing blanks.
//   - The input details exist only for a digital input of EDID 1.4 or later.
//   - The checksum flag agrees with the byte sum; the dump has 8 rows of 16 bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <sstream>
#include <string>

#include "Display/EdidDecoder.h"

namespace {

constexpr size_t kMaxBlocks = 4;
constexpr size_t kDescriptorTextLength = 13;
const std::string kIndent = "  ";
// The indent, "XX:" and 16 times " XX", then the line end.
const size_t kDumpRowLength = kIndent.size() + 3 + 16 * 3 + 1;

void Check(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "FuzzEdidDecoder: %s\n", what);
    std::abort();
}

bool IsDescriptorText(const std::string& text)
{
    return text.size() <= kDescriptorTextLength && (text.empty() || text.back() != ' ') &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

void CheckDecoded(const EdidBlock& edid, const DecodedEdid& decoded)
{
    Check(decoded.manufacturer.size() == 3, "manufacturer is not three letters");
    for (const char letter : decoded.manufacturer)
        Check((letter >= 'A' && letter <= 'Z') || letter == '?', "manufacturer letter out of range");
    Check(IsDescriptorText(decoded.modelName), "model name is not descriptor text");
    Check(IsDescriptorText(decoded.serialText), "serial text is not descriptor text");
    const bool detailed = decoded.digitalInput && decoded.versionMajor == 1 && decoded.versionMinor >= 4;
    Check(detailed != decoded.inputDetails.empty(), "input details without a digital EDID 1.4 input");
    Check(decoded.year >= 1990 && decoded.year <= 1990 + 255, "year out of range");
    const unsigned sum = std::accumulate(edid.begin(), edid.end(), 0u);
    Check(decoded.checksumValid == (sum % 256 == 0), "checksum flag disagrees with the byte sum");
}

void CheckDump(const std::string& dump)
{
    Check(dump.size() == 8 * kDumpRowLength, "hex dump has the wrong size");
    for (size_t row = 0; row < 8; ++row) {
        const size_t start = row * kDumpRowLength;
        Check(dump.compare(start, kIndent.size(), kIndent) == 0, "hex dump row lacks its indent");
        Check(dump[start + kDumpRowLength - 1] == '\n', "hex dump row does not end its line");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const size_t blocks = std::min(kMaxBlocks, std::max<size_t>(1, (size + 127) / 128));
    for (size_t block = 0; block < blocks; ++block) {
        EdidBlock edid{};
        const size_t start = block * 128;
        if (start < size) std::copy_n(data + start, std::min<size_t>(128, size - start), edid.begin());
        const DecodedEdid decoded = DecodeEdid(edid);
        CheckDecoded(edid, decoded);
        const std::string dump = EdidHexDump(edid, kIndent);
        CheckDump(dump);
        std::ostringstream out;
        out << dump;
        PrintEdidFacts(out, decoded);
    }
    return 0;
}
