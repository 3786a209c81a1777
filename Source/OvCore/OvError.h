#pragma once
// The one exception type of the system. Thrown by value and caught by reference, also by
// a host built separately with the same toolchain, so its layout is fixed:
//   int32_t code; char* name; char* file; int32_t line; uint32_t flags;
#include <cstdint>

#include "OvExport.h"

class OV_SHARED_TYPE OvError {
public:
    OvError() = default;
    // The raise constructor: trims the file to its last component and the "Ov" prefix of
    // name and file, logs on the "Error" channel and records the process-wide last error.
    OvError(int32_t code, const char* name, const char* file, int32_t line, uint32_t flags);
    OvError(const OvError& other);
    OvError& operator=(const OvError& other);
    ~OvError();

    // Text describing the error; valid until the next GetMessage on any error object.
    const char* GetMessage() const;

    int32_t code = 0;
    char* name = nullptr;
    char* file = nullptr;
    int32_t line = 0;
    uint32_t flags = 0;
};

// The process-wide last-error record (created empty on first use).
OvError& LastErrorRecord();

// Raises code 68 with "System error: %d" and, when text is not empty, a blank and text.
[[noreturn]] void RaiseSystemError(int32_t systemError, const char* text, uint32_t flags);

// Error codes; the names are the texts raising sites pass.
enum OvErrorCode : int32_t {
    kOvUndefProc = 1,
    kOvUnexpectedErr = 2,
    kOvArgErr = 3,
    kOvBufferError = 5,
    kOvBufferTooSmall = 6,
    kOvIndexError = 7,
    kOvEOFReached = 8,
    kOvNotFound = 9,
    kOvWrongDataType = 10,
    kOvFileInvalidDesc = 11,
    kOvFileNotOpen = 12,
    kOvFileLengthFailed = 13,
    kOvFileSeekFailed = 14,
    kOvFilePosFailed = 15,
    kOvFileWriteFailed = 17,
    kOvFormatErr = 19,
    kOvPtrInvalid = 20,
    kOvUndefinedSymbol = 21,
    kOvDivZero = 22,
    kOvDimMismatch = 23,
    kOvSingularMatrixErr = 24,
    kOvMatrixSVDErr = 25,
    kOvGeneralErr = 42,
    kOvIOErr = 43,
    kOvOutOfRange = 51,
    kOvVersionErr = 63,
    kOvSystemError = 68,
    kOvDirCreationError = 69,
};

// Each source file names itself for its raises by defining OV_SOURCE_FILE (a path without
// extension, e.g. "Source/OvDevices/OvROVUvided") before including this header.
#ifndef OV_SOURCE_FILE
#define OV_SOURCE_FILE __FILE__
#endif

// Raises an error with one of the names above, e.g. OV_RAISE(kOvIOErr, "OvIOErr").
#define OV_RAISE(code, name) throw OvError((code), (name), OV_SOURCE_FILE, __LINE__, 0)
