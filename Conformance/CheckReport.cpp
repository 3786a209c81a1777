#include "CheckReport.h"

void CheckReport::BeginGroup(const std::string& title)
{
    std::fprintf(fOut, "-- %s\n", title.c_str());
}

void CheckReport::Expect(bool ok, const std::string& what)
{
    Record(ok, what);
}

void CheckReport::Record(bool ok, const std::string& line)
{
    ++(ok ? fPassed : fFailed);
    std::fprintf(fOut, "%s %s\n", ok ? "PASS" : "FAIL", line.c_str());
    std::fflush(fOut);
}

void CheckReport::PrintSummary() const
{
    std::fprintf(fOut, "%d passed, %d failed\n", fPassed, fFailed);
    std::fflush(fOut);
}

std::string CheckReport::Show(const std::string& text)
{
    std::string shown = "\"";
    for (const char c : text) {
        if (c == '\n') {
            shown += "\\n";
        } else if (c == '"' || c == '\\') {
            shown += '\\';
            shown += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return shown + "\"";
}

std::string CheckReport::Show(const char* text)
{
    return text ? Show(std::string(text)) : "null";
}
