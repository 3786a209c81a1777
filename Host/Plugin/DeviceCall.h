#pragma once
// Calls into the plug-in with its errors turned into the host's: an OvError thrown by a
// device operation becomes a HostError "<what failed>: Error=43 (OvIOErr, 625)".
#include <exception>
#include <string>
#include <string_view>

#include "Contract/OvDeviceContract.h"
#include "HostError.h"

// The error's message as the framework formats it: "Error=43 (OvIOErr, 625)", without the
// line when it is below 1, and just "Error=43" when the error has no name.
std::string DescribeOvError(const OvError& error);

// Runs call (a few slot calls) and returns its result; what names the operation for the
// message when it fails.
template <class Call>
auto CallDevice(std::string_view what, Call&& call) -> decltype(call())
{
    try {
        return call();
    } catch (const OvError& error) {
        throw HostError(std::string(what) + ": " + DescribeOvError(error));
    } catch (const std::exception& error) {
        throw HostError(std::string(what) + ": " + error.what());
    } catch (...) {
        throw HostError(std::string(what) + ": the plug-in raised an exception of an unknown type");
    }
}
