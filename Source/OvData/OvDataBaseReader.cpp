#define OV_SOURCE_FILE "Source/OvData/OvDataBaseReader"
// Reads the key/value text format. Works on the raw bytes of the text and builds each key
// and value as one OvString (shared when short texts repeat), so large files load without
// per-character allocations.
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "OvCore/OvError.h"
#include "OvData/OvDataBase.h"

namespace {

constexpr const char kInfoKey[] = "_DBInfo";
constexpr int32_t kInfoKeyLength = sizeof(kInfoKey) - 1;
// Deeper nesting than any real file has; the limit keeps hostile text from exhausting the
// stack of the recursive reader, writer and destructors.
constexpr int32_t kMaxDepth = 1000;

bool IsTokenDelimiter(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// The first line end of the text: CR LF, CR or LF (LF CR counts as LF); CR LF without one.
OvString DetectLineEnd(const char* text, int32_t length)
{
    for (int32_t i = 0; i < length; ++i) {
        if (text[i] == '\n') return "\n";
        if (text[i] == '\r') return i + 1 < length && text[i + 1] == '\n' ? "\r\n" : "\r";
    }
    return "\r\n";
}

// Hands out one shared OvString per short text, so the keys that every section repeats
// (and values such as "0" or "true") cost a reference count instead of an allocation
// each. Direct-mapped: a slot keeps the last text that hashed to it.
class TextPool {
public:
    OvString Get(const char* text, int32_t length)
    {
        if (length > kLongestPooled) return OvString(text, length);
        if (fSlots.empty()) fSlots.resize(kSlotCount);
        OvString& slot = fSlots[Hash(text, length) & (kSlotCount - 1)];
        if (slot.Length() != length || std::memcmp(slot.Chars(), text, static_cast<size_t>(length)) != 0) {
            slot = OvString(text, length);
        }
        return slot;
    }

private:
    static constexpr int32_t kLongestPooled = 24;
    static constexpr size_t kSlotCount = 512;

    static uint32_t Hash(const char* text, int32_t length)
    {
        uint32_t hash = 2166136261u;  // FNV-1a
        for (int32_t i = 0; i < length; ++i) hash = (hash ^ static_cast<unsigned char>(text[i])) * 16777619u;
        return hash;
    }

    std::vector<OvString> fSlots;
};

}  // namespace

class OvDataBaseReader {
public:
    OvDataBaseReader(const char* text, int32_t length, int32_t position)
        : fText(text), fLength(length), fPosition(position)
    {
    }

    int32_t Position() const { return fPosition; }

    // Skips a byte-order mark and one opening brace around the whole text.
    void SkipPreamble()
    {
        if (fLength >= 3 && std::memcmp(fText, "\xEF\xBB\xBF", 3) == 0) fPosition = 3;
        const int32_t start = fPosition;
        if (SkipToSignificant() && fText[fPosition] == '{') {
            ++fPosition;
        } else {
            fPosition = start;
        }
    }

    // Reads pairs into database until a '}' or the end of the text.
    void ReadLevel(OvDataBase& database, int32_t depth)
    {
        while (SkipToSignificant()) {
            const char c = fText[fPosition++];
            if (c == '}') break;
            if (c == '{') {
                ReadChild(database, depth);
            } else if (c == '<') {
                AppendPair(database);
                if (!SkipToSignificant() || fText[fPosition] != '>') OV_RAISE(kOvFormatErr, "OvFormatErr");
                ++fPosition;
            } else {
                --fPosition;
                AppendPair(database);
            }
        }
        TakeInfoBlock(database);
    }

    // Reads one pair at the current position (key, "=", value).
    void ReadPair(OvDBData& pair)
    {
        pair.key = ReadKey();
        if (!NextTokenIsEquals()) RaiseMissingEquals(pair.key);
        pair.value = ReadValue();
    }

private:
    void AppendPair(OvDataBase& database)
    {
        OvDBData pair;
        ReadPair(pair);
        database.fEntries.Append(std::move(pair));
    }

    // Blanks, tabs, line ends, NULs and comments; false at the end of the text.
    bool SkipToSignificant()
    {
        while (fPosition < fLength) {
            const char c = fText[fPosition];
            if (IsTokenDelimiter(c)) {
                ++fPosition;
            } else if (c == '#') {
                const bool block = fPosition + 1 < fLength && fText[fPosition + 1] == '{';
                SkipToLineEnd();
                if (block) SkipBlockComment();
            } else {
                return true;
            }
        }
        return false;
    }

    // Moves to the next CR or LF, or to the end. Values can be long (curves of 256
    // numbers), so the search runs on memchr rather than byte by byte.
    void SkipToLineEnd()
    {
        const char* start = fText + fPosition;
        const char* end = fText + fLength;
        if (const void* lf = std::memchr(start, '\n', static_cast<size_t>(end - start))) {
            end = static_cast<const char*>(lf);
        }
        if (const void* cr = std::memchr(start, '\r', static_cast<size_t>(end - start))) {
            end = static_cast<const char*>(cr);
        }
        fPosition = static_cast<int32_t>(end - fText);
    }

    // Skips whole lines until one that starts with "#}" and goes on right after those two.
    void SkipBlockComment()
    {
        while (fPosition < fLength) {
            while (fPosition < fLength && IsLineEnd(fText[fPosition])) ++fPosition;
            if (fPosition + 1 < fLength && fText[fPosition] == '#' && fText[fPosition + 1] == '}') {
                fPosition += 2;
                return;
            }
            SkipToLineEnd();
        }
    }

    void ReadChild(OvDataBase& database, int32_t depth)
    {
        if (database.fEntries.IsEmpty()) OV_RAISE(kOvIndexError, "OvIndexError");
        if (depth >= kMaxDepth) OV_RAISE(kOvFormatErr, "OvFormatErr");
        // The child is attached first, so that what was read before a fault stays.
        OvRef<OvDataBase> child = OvMakeRef<OvDataBase>();
        database.fEntries.Last().child = child;
        ReadLevel(*child, depth + 1);
    }

    // The first "_DBInfo" pair leaves the pairs; its child becomes the info block.
    static void TakeInfoBlock(OvDataBase& database)
    {
        for (int32_t i = 0; i < database.fEntries.Count(); ++i) {
            const OvString& key = database.fEntries[i].key;
            if (key.Length() == kInfoKeyLength && std::memcmp(key.Chars(), kInfoKey, kInfoKeyLength) == 0) {
                database.fInfo = database.fEntries[i].child;
                database.fEntries.Remove(i);
                return;
            }
        }
    }

    OvString ReadKey()
    {
        int32_t start = 0;
        int32_t end = 0;
        ReadToken(true, start, end);
        if (end > start && fText[start] == '"') return Unquote(start, end);
        return fPool.Get(fText + start, end - start);
    }

    // The token after the key must be "=" standing alone. The position stays right behind
    // it, where the value starts.
    bool NextTokenIsEquals()
    {
        while (fPosition < fLength && IsTokenDelimiter(fText[fPosition])) ++fPosition;
        if (fPosition >= fLength || fText[fPosition] != '=') return false;
        ++fPosition;
        return fPosition >= fLength || IsTokenDelimiter(fText[fPosition]);
    }

    [[noreturn]] static void RaiseMissingEquals(const OvString& key)
    {
        OvString message("Missing \"=\" after \"");
        message.Append(key);
        message.Append('"');
        OV_RAISE(kOvFormatErr, message.Chars());
    }

    // Blanks and tabs, then either nothing (end of line or text), a quoted token (which may
    // span lines) or the rest of the line, trailing blanks included.
    OvString ReadValue()
    {
        while (fPosition < fLength && (fText[fPosition] == ' ' || fText[fPosition] == '\t')) ++fPosition;
        if (fPosition >= fLength || IsLineEnd(fText[fPosition])) return OvString();
        int32_t start = fPosition;
        if (fText[fPosition] == '"') {
            int32_t end = 0;
            ReadToken(true, start, end);
            return Unquote(start, end);
        }
        SkipToLineEnd();
        return fPool.Get(fText + start, fPosition - start);
    }

    // Skips delimiters and reads one token. A quoted token runs up to and including its
    // closing '"' (a backslash escapes the next character), or to a NUL or the end of the
    // text; any other token ends before the next delimiter, which is consumed.
    void ReadToken(bool quoteAware, int32_t& start, int32_t& end)
    {
        while (fPosition < fLength && IsTokenDelimiter(fText[fPosition])) ++fPosition;
        start = fPosition;
        if (quoteAware && fPosition < fLength && fText[fPosition] == '"') {
            ++fPosition;
            while (fPosition < fLength && fText[fPosition] != '\0') {
                const char c = fText[fPosition++];
                if (c == '"') break;
                if (c == '\\' && fPosition < fLength && fText[fPosition] != '\0') ++fPosition;
            }
            end = fPosition;
            return;
        }
        while (fPosition < fLength && !IsTokenDelimiter(fText[fPosition])) ++fPosition;
        end = fPosition;
        if (fPosition < fLength) ++fPosition;
    }

    // Drops the enclosing quotes of a text of two or more characters that starts and ends
    // with '"' and resolves \" and \\ inside; a backslash before anything else stays.
    // Anything else is returned unchanged.
    OvString Unquote(int32_t start, int32_t end)
    {
        if (end - start < 2 || fText[start] != '"' || fText[end - 1] != '"') {
            return fPool.Get(fText + start, end - start);
        }
        fScratch.clear();
        for (int32_t i = start + 1; i < end - 1; ++i) {
            const char c = fText[i];
            if (c == '\\' && i + 1 < end - 1 && (fText[i + 1] == '"' || fText[i + 1] == '\\')) ++i;
            fScratch.push_back(fText[i]);
        }
        return fPool.Get(fScratch.data(), static_cast<int32_t>(fScratch.size()));
    }

    const char* fText;
    int32_t fLength;
    int32_t fPosition;
    std::string fScratch;
    TextPool fPool;
};

void OvDBData::Parse(const OvString& text, int32_t& position)
{
    if (position < 0 || position > text.Length()) OV_RAISE(kOvIndexError, "OvIndexError");
    OvDataBaseReader reader(text.Chars(), text.Length(), position);
    reader.ReadPair(*this);
    position = reader.Position();
}

// Files with zero bytes arrive as wide strings. Such files are not supported, but their
// bytes are read all the same: a zero byte separates tokens like a blank.
void OvDataBase::LoadFromText(const OvString& text)
{
    fEntries.RemoveAll();
    fNewline = DetectLineEnd(text.Chars(), text.Length());
    OvDataBaseReader reader(text.Chars(), text.Length(), 0);
    reader.SkipPreamble();
    reader.ReadLevel(*this, 0);
}
