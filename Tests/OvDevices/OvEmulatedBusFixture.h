#pragma once
// An emulated machine for the transport and device tests: a virtual clock, a bus of
// emulated ZEZ displays installed as MONAPI2, and process-wide interface state that
// starts empty for every test.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "MonApi2/Emulator/EmulatedBusApi.h"
#include "OvCore/OvError.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvSystem/OvVirtualClock.h"

using Bytes = std::vector<uint8_t>;

class EmulatedBusTest : public ::testing::Test {
protected:
    EmulatedBusTest();
    ~EmulatedBusTest() override;

    std::shared_ptr<OvEmulator::EmulatedDisplay> Attach(const char* model,
                                                        OvEmulator::Link link = OvEmulator::Link::kDdc,
                                                        OvEmulator::AttachOptions options = {});
    // A device connected to the logical port, with traffic and waits of the connection
    // forgotten.
    std::unique_ptr<OvROVUvidedImpl> Connect(int32_t port = 0);
    void ForgetTraffic();
    std::vector<uint32_t> Sleeps() { return clock->Sleeps(); }

    OvScopedVirtualClock clock;
    OvEmulator::EmulatedBus bus{*clock};
    std::vector<std::shared_ptr<OvEmulator::EmulatedDisplay>> displays;

private:
    OvEmulator::ScopedCurrentBus fBusScope{bus};
};

// Expects operation to raise an OvError with exactly this code and name.
template <class Operation>
void ExpectError(Operation operation, int32_t code, const char* name)
{
    try {
        operation();
        ADD_FAILURE() << "no error raised, expected " << name;
    } catch (const OvError& error) {
        EXPECT_EQ(error.code, code);
        EXPECT_STREQ(error.name, name);
    }
}

// The log lines that start with prefix.
std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines, const std::string& prefix);

// The payloads of the DDC/CI packets the display received, in order.
std::vector<Bytes> Requests(const OvEmulator::EmulatedDisplay& display);
// Every I2C write that reached the display (address and bytes as written).
std::vector<Bytes> RawWrites(const OvEmulator::EmulatedDisplay& display, uint8_t address);
// A paged read request of a VCP id.
Bytes PagedRead(uint16_t id);
// A paged write request.
Bytes PagedWrite(uint16_t id, uint16_t value);
