#include "Plugin/DeviceCall.h"

std::string DescribeOvError(int32_t code, const char* name, int32_t line)
{
    if (code == 0) return "No Error";
    std::string text = "Error=" + std::to_string(code);
    if (name == nullptr || name[0] == '\0') return text;
    text += " (";
    text += name;
    if (line >= 1) text += ", " + std::to_string(line);
    return text + ")";
}
