// Writes the key/value text format into one growing buffer, copied into an OvString once.
#include <string>

#include "OvData/OvDataBase.h"

namespace {

// A key or value holding one of these is written quoted.
bool NeedsQuotes(const char* chars, int32_t length)
{
    for (int32_t i = 0; i < length; ++i) {
        switch (chars[i]) {
        case ' ':
        case '\t':
        case '\r':
        case '\n':
        case '"':
            return true;
        default:
            break;
        }
    }
    return false;
}

// '"', the text with a backslash before every '"' and '\', '"'.
void AppendQuoted(std::string& out, const char* chars, int32_t length)
{
    out.push_back('"');
    const char* end = chars + length;
    while (chars < end) {
        const char* run = chars;
        while (chars < end && *chars != '"' && *chars != '\\') ++chars;
        out.append(run, static_cast<size_t>(chars - run));
        if (chars < end) {
            out.push_back('\\');
            out.push_back(*chars++);
        }
    }
    out.push_back('"');
}

void AppendField(std::string& out, const OvString& text, bool quote)
{
    const char* chars = text.Chars();
    const int32_t length = text.Length();
    if (quote || NeedsQuotes(chars, length)) {
        AppendQuoted(out, chars, length);
    } else {
        out.append(chars, static_cast<size_t>(length));
    }
}

void AppendPairLine(std::string& out, const OvDBData& pair, bool alwaysQuote)
{
    AppendField(out, pair.key, alwaysQuote || pair.key.IsEmpty());
    out.append(" = ");
    AppendField(out, pair.value, alwaysQuote);
}

}  // namespace

class OvDataBaseWriter {
public:
    explicit OvDataBaseWriter(const OvString& newline) : fNewline(newline.Chars(), static_cast<size_t>(newline.Length()))
    {
        if (fNewline.empty()) fNewline = "\r\n";
    }

    // The info block first, then every pair, each child in braces one tab deeper.
    void WriteLevel(const OvDataBase& database, int32_t depth)
    {
        if (database.fInfo) {
            Indent(depth);
            fOut.append("_DBInfo =");
            Indent(depth);
            EndLine();
            WriteChild(*database.fInfo, depth);
        }
        for (const OvDBData& pair : database.fEntries) {
            Indent(depth);
            AppendPairLine(fOut, pair, false);
            EndLine();
            if (pair.child) WriteChild(*pair.child, depth);
        }
    }

    OvString Text() const { return OvString(fOut.data(), static_cast<int32_t>(fOut.size())); }

private:
    void WriteChild(const OvDataBase& child, int32_t depth)
    {
        Indent(depth);
        fOut.push_back('{');
        EndLine();
        WriteLevel(child, depth + 1);
        Indent(depth);
        fOut.push_back('}');
        EndLine();
    }

    void Indent(int32_t depth) { fOut.append(static_cast<size_t>(depth), '\t'); }
    void EndLine() { fOut.append(fNewline); }

    std::string fNewline;
    std::string fOut;
};

OvString OvDBData::Format(bool alwaysQuote) const
{
    std::string line;
    AppendPairLine(line, *this, alwaysQuote);
    return OvString(line.data(), static_cast<int32_t>(line.size()));
}

OvString OvDataBase::ToText() const
{
    OvDataBaseWriter writer(fNewline);
    writer.WriteLevel(*this, 0);
    return writer.Text();
}
