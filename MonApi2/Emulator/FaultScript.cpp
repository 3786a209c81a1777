#include "MonApi2/Emulator/FaultScript.h"

namespace OvEmulator {
namespace {

bool IsWriteFault(FaultKind kind) { return kind == FaultKind::kWriteError; }
bool IsReadError(FaultKind kind) { return kind == FaultKind::kReadError; }
bool IsReplyFault(FaultKind kind) { return kind != FaultKind::kWriteError && kind != FaultKind::kReadError; }

}  // namespace

std::optional<Fault> FaultScript::TakeWriteFault(RequestKind request) { return Take(request, IsWriteFault); }

std::optional<Fault> FaultScript::TakeReadFault(RequestKind request, bool replyDue)
{
    if (auto fault = Take(request, IsReadError)) return fault;
    if (!replyDue) return std::nullopt;
    return Take(request, IsReplyFault);
}

std::optional<Fault> FaultScript::Take(RequestKind request, bool (*accepts)(FaultKind))
{
    for (auto it = fFaults.begin(); it != fFaults.end(); ++it) {
        if (!accepts(it->kind)) continue;
        if (it->request != RequestKind::kAny && it->request != request) continue;
        if (it->skip > 0) {
            --it->skip;
            return std::nullopt;
        }
        const Fault fault = *it;
        if (it->times != kAlways && --it->times <= 0) fFaults.erase(it);
        return fault;
    }
    return std::nullopt;
}

}  // namespace OvEmulator
