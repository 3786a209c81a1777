#pragma once
// The elapsed time of an interface's traffic split into time on the wire and time in the
// protocol's waits. The wire time is computed, not measured: every byte (address bytes
// included) takes 9 bit times, eight data bits and the acknowledge, at 100 kHz.
#include "MonApi2/MonApi2.h"

struct TrafficTimes {
    double elapsedMs = 0;  // from the first transaction's start to the last one's end
    double wireMs = 0;
    double waitMs = 0;  // the rest, never below 0
};

TrafficTimes SplitTrafficTime(const MonApi2Statistics& traffic);
