// The parts of the system layer that are the same on every platform: the clock seam, the
// UTF-8/UTF-16 conversion for wide system calls, the test folders and the folders that are
// shell folders.
#include <atomic>

#include "OvPlatform.h"

namespace OvPlatform {

// ---- Time -------------------------------------------------------------------------

namespace {

// Null while the real clock is in use.
std::atomic<Clock*> gInstalledClock{nullptr};

Clock& CurrentClock()
{
    Clock* clock = gInstalledClock.load();
    return clock ? *clock : RealClock();
}

}  // namespace

uint32_t TickCount() { return CurrentClock().TickCount(); }

void Sleep(uint32_t ms) { CurrentClock().Sleep(ms); }

Clock* InstallClock(Clock* clock) { return gInstalledClock.exchange(clock); }

// ---- Text at the system calls ---------------------------------------------------------

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

struct SequenceStart {
    size_t length;  // 0 for a byte that cannot start a sequence
    char32_t bits;
    char32_t minimum;  // smaller values are overlong encodings
};

SequenceStart ClassifyLead(unsigned char lead)
{
    if (lead < 0x80) return {1, lead, 0};
    if ((lead & 0xE0) == 0xC0) return {2, lead & 0x1Fu, 0x80};
    if ((lead & 0xF0) == 0xE0) return {3, lead & 0x0Fu, 0x800};
    if ((lead & 0xF8) == 0xF0) return {4, lead & 0x07u, 0x10000};
    return {0, 0, 0};
}

// Decodes one code point at text[pos] and advances pos; malformed input (bad lead byte,
// truncated or overlong sequence, surrogate, beyond U+10FFFF) gives U+FFFD for one byte.
char32_t DecodeUtf8(const std::string& text, size_t& pos)
{
    const SequenceStart start = ClassifyLead(static_cast<unsigned char>(text[pos]));
    if (start.length == 0 || text.size() - pos < start.length) {
        ++pos;
        return kReplacement;
    }
    char32_t value = start.bits;
    for (size_t i = 1; i < start.length; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuation(byte)) {
            ++pos;
            return kReplacement;
        }
        value = (value << 6) | (byte & 0x3Fu);
    }
    if (value < start.minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += start.length;
    return value;
}

void AppendUtf8(std::string& out, char32_t value)
{
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (value >> 18));
        out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::u16string Utf8ToUtf16(const std::string& text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const char32_t value = DecodeUtf8(text, pos);
        if (value < 0x10000) {
            out += static_cast<char16_t>(value);
        } else {
            out += static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string Utf16ToUtf8(const char16_t* text)
{
    std::string out;
    if (!text) return out;
    for (size_t i = 0; text[i] != 0; ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

// ---- Well-known folders ---------------------------------------------------------------

namespace {

struct TestSubfolder {
    int32_t shellFolder;
    const char* name;
};

constexpr TestSubfolder kTestSubfolders[] = {
    {kShellFolderAppData, kTestAppDataSubfolder},
    {kShellFolderDocuments, "Documents"},
    {kShellFolderCommonDocuments, "CommonDocuments"},
    {kShellFolderProgramFiles, "ProgramFiles"},
};
constexpr const char* kTestColorSubfolder = "Color";

// $OV_TEST_FOLDERS with '/' separators and without a trailing one; empty when unset.
std::string TestFoldersRoot()
{
    std::string root = GetEnvironment(kTestFoldersVariable);
    for (char& c : root) {
        if (c == '\\') c = '/';
    }
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    return root;
}

}  // namespace

std::string SpecialFolder(int32_t shellFolder)
{
    const std::string root = TestFoldersRoot();
    if (root.empty()) return SystemSpecialFolder(shellFolder);
    for (const TestSubfolder& subfolder : kTestSubfolders) {
        if (subfolder.shellFolder == shellFolder) return root + "/" + subfolder.name;
    }
    return {};
}

std::string ColorDirectory()
{
    const std::string root = TestFoldersRoot();
    return root.empty() ? SystemColorDirectory() : root + "/" + kTestColorSubfolder;
}

std::string ApplicationDataFolder() { return SpecialFolder(kShellFolderAppData); }
std::string DocumentsFolder() { return SpecialFolder(kShellFolderDocuments); }
std::string CommonDocumentsFolder() { return SpecialFolder(kShellFolderCommonDocuments); }
std::string ProgramFilesFolder() { return SpecialFolder(kShellFolderProgramFiles); }

}  // namespace OvPlatform
