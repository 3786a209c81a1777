#pragma once
// One source of display interfaces inside the MONAPI2 library (emulated displays, or
// real ones through Linux's i2c-dev). The library numbers the interfaces of all its
// backends in turn; a backend numbers its own from 0.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "MonApi2/MonApi2.h"

namespace MonApi2 {

// Takes one line about a problem met while setting up a backend or scanning.
using ProblemReport = std::function<void(const std::string& line)>;

class Backend {
public:
    virtual ~Backend() = default;
    // Scans again; USB displays count only when their USB id is listed. Returns how many
    // interfaces the backend now has.
    virtual int32_t Enumerate(const std::vector<uint32_t>& usbIds) = 0;
    // Fills a record whose size field is already 260; false for a bad index.
    virtual bool Info(int32_t index, DisplayInterfaceInfo& info) const = 0;
    // I2C transactions with validated arguments; 0 or a negative MonApi2Result.
    virtual int32_t Write(int32_t index, int32_t address, const uint8_t* data, int32_t count) = 0;
    virtual int32_t Read(int32_t index, int32_t address, uint8_t* buffer, int32_t count) = 0;
};

}  // namespace MonApi2
