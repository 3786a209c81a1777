#pragma once
// Rows of text cells printed in aligned columns, two blanks apart, trailing blanks
// trimmed: easy to read and to cut with awk.
#include <ostream>
#include <string>
#include <vector>

class TextTable {
public:
    explicit TextTable(std::vector<std::string> header) { fRows.push_back(std::move(header)); }
    void AddRow(std::vector<std::string> cells) { fRows.push_back(std::move(cells)); }
    void Print(std::ostream& out, const std::string& indent = "") const;

private:
    std::vector<std::vector<std::string>> fRows;
};
