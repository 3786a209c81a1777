#include "Plugin/DeviceCall.h"

std::string DescribeOvError(const OvError& error)
{
    if (error.code == 0) return "No Error";
    std::string text = "Error=" + std::to_string(error.code);
    if (error.name == nullptr || error.name[0] == '\0') return text;
    text += " (";
    text += error.name;
    if (error.line >= 1) text += ", " + std::to_string(error.line);
    return text + ")";
}
