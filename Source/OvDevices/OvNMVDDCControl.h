#pragma once
// ZEZ's vendor requests on top of the MCCS ones: the paged VCP read (0xC6) and write
// (0xC8), and the feature access by 16-bit VCP id that a connected device uses.
#include <cstdint>

#include "OvDevices/OvDDCControl.h"

class NMV_ddc_control : public ddc_control {
public:
    using ddc_control::ddc_control;

    // Reads a VCP of any page; the reply echoes page and code.
    int32_t ReadPagedVCP(uint32_t page, uint32_t code, OvVCPReply* reply);
    int32_t ReadPagedVCP(uint32_t vcpId, OvVCPReply* reply);
    // Writes a VCP of any page; the reply carries the state after the write. On a DDC link
    // the reply may come late and is polled for; a USB link answers at once or not at all.
    int32_t WritePagedVCP(uint32_t page, uint32_t code, uint32_t value, OvVCPReply* reply);
    int32_t WritePagedVCP(uint32_t vcpId, uint32_t value, OvVCPReply* reply);

private:
    // Polls for the late reply of a paged write; 0 once it arrived, else the last error.
    int32_t PollPagedWriteReply(uint8_t page, uint8_t code, uint8_t* reply);
};

class NMV_factory_ddc_control : public NMV_ddc_control {
public:
    using NMV_ddc_control::NMV_ddc_control;

    // The MCCS requests for ids below 256, the paged requests otherwise.
    virtual int32_t GetFeature(uint32_t vcpId, OvVCPReply* reply);
    virtual int32_t SetFeature(uint32_t vcpId, uint32_t value);
};
