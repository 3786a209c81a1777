#pragma once
// Collects the outcome of every check: one line per check as it is made, and the final
// "N passed, N failed" summary the test driver looks for.
#include <cstdio>
#include <sstream>
#include <string>

class CheckReport {
public:
    explicit CheckReport(std::FILE* out) : fOut(out) {}

    // Starts a group of related checks; the title is printed as a heading.
    void BeginGroup(const std::string& title);
    void Expect(bool ok, const std::string& what);

    // Compares and shows both values on a mismatch (texts with control characters escaped).
    template <class Actual, class Expected>
    void ExpectEqual(const Actual& actual, const Expected& expected, const std::string& what)
    {
        const bool ok = actual == expected;
        Record(ok, ok ? what : what + ": got " + Show(actual) + ", expected " + Show(expected));
    }

    // A NUL-terminated text handed back by the plug-in; null fails.
    void ExpectText(const char* actual, const std::string& expected, const std::string& what)
    {
        const bool ok = actual != nullptr && expected == actual;
        Record(ok, ok ? what : what + ": got " + Show(actual) + ", expected " + Show(expected));
    }

    void PrintSummary() const;
    bool AllPassed() const { return fFailed == 0 && fPassed > 0; }

private:
    void Record(bool ok, const std::string& line);
    static std::string Show(const std::string& text);
    static std::string Show(const char* text);
    static std::string Show(bool value) { return value ? "true" : "false"; }
    template <class Number>
    static std::string Show(const Number& value)
    {
        std::ostringstream out;
        out << value;
        return out.str();
    }

    std::FILE* fOut;
    int fPassed = 0;
    int fFailed = 0;
};
