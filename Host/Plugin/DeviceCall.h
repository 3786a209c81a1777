#pragma once
// Calls into the plug-in with its errors turned into the host's: an OvError thrown by a
// device operation becomes a HostError "<what failed>: Error=43 (OvIOErr, 625)".
#include <exception>
#include <string>
#include <string_view>

#include "Contract/OvDeviceContract.h"
#include "HostError.h"

// The message of an OvError as the framework formats it: "Error=43 (OvIOErr, 625)",
// without the line when it is below 1, and just "Error=43" when the error has no name. It
// takes the fields: an OvError is only ever the plug-in's, whose constructors and
// destructor this host does not link.
std::string DescribeOvError(int32_t code, const char* name, int32_t line);

// Runs call (a few slot calls) and returns its result; what names the operation for the
// message when it fails.
template <class Call>
auto CallDevice(std::string_view what, Call&& call) -> decltype(call())
{
    try {
        return call();
    } catch (const OvError& error) {
        throw HostError(std::string(what) + ": " + DescribeOvError(error.code, error.name, error.line));
    } catch (const std::exception& error) {
        throw HostError(std::string(what) + ": " + error.what());
    } catch (...) {
        throw HostError(std::string(what) + ": the plug-in raised an exception of an unknown type");
    }
}
