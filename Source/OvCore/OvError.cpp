#define OV_SOURCE_FILE "Source/OvCore/OvError"
#include "OvCore/OvError.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "OvTools/OvDebug.h"

namespace {

char* DuplicateText(const char* text)
{
    if (text == nullptr) return nullptr;
    const size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(size));
    if (copy == nullptr) throw std::bad_alloc();
    std::memcpy(copy, text, size);
    return copy;
}

const char* LastPathComponent(const char* path)
{
    const char* component = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (*p == '/' || *p == '\\') component = p + 1;
    }
    return component;
}

bool IsVowel(char c)
{
    return c != '\0' && std::strchr("aeiouAEIOU", c) != nullptr;
}

// Drops the framework prefix "Ov" (either case) unless a vowel follows it, so "OvPtrInvalid"
// becomes "PtrInvalid" while "OvIOErr" keeps its prefix.
const char* TrimFrameworkPrefix(const char* text)
{
    const bool hasPrefix = (text[0] == 'O' || text[0] == 'o') && (text[1] == 'v' || text[1] == 'V');
    return hasPrefix && !IsVowel(text[2]) ? text + 2 : text;
}

// The message buffer shared by every GetMessage call; it grows and never shrinks.
struct MessageBuffer {
    std::string storage;

    char* Reserve(size_t capacity)
    {
        if (storage.size() < capacity) storage.resize(capacity);
        return storage.data();
    }
};

MessageBuffer& SharedMessageBuffer()
{
    static MessageBuffer buffer;
    return buffer;
}

}  // namespace

OvError::OvError(int32_t errorCode, const char* errorName, const char* sourceFile, int32_t sourceLine,
                 uint32_t errorFlags)
{
    const char* trimmedFile = sourceFile ? TrimFrameworkPrefix(LastPathComponent(sourceFile)) : nullptr;
    const char* trimmedName = errorName ? TrimFrameworkPrefix(errorName) : nullptr;
    if (trimmedName == nullptr && errorCode != 0) trimmedName = "Unknown";

    code = errorCode;
    line = sourceLine;
    flags = errorFlags;
    name = DuplicateText(trimmedName);
    file = DuplicateText(trimmedFile);
    if (code == 0) return;

    if (IsChannelEnabled(kOvChannelError) && (flags & 1) == 0) {
        DebugPrintf(kOvChannelError, "Error: %d \"%s\", file \"%s\", line %d", static_cast<int>(code),
                    name ? name : "", file ? file : "", static_cast<int>(line));
    }
    OvError& record = LastErrorRecord();
    if (this != &record) record = *this;
}

OvError::OvError(const OvError& other)
    : code(other.code), name(DuplicateText(other.name)), file(DuplicateText(other.file)), line(other.line),
      flags(other.flags)
{
}

OvError& OvError::operator=(const OvError& other)
{
    if (this == &other) return *this;
    char* newName = DuplicateText(other.name);
    char* newFile = DuplicateText(other.file);
    std::free(name);
    std::free(file);
    code = other.code;
    name = newName;
    file = newFile;
    line = other.line;
    flags = other.flags;
    return *this;
}

OvError::~OvError()
{
    std::free(name);
    std::free(file);
}

const char* OvError::GetMessage() const
{
    if (code == 0) return "No Error";
    MessageBuffer& buffer = SharedMessageBuffer();
    if (name != nullptr && name[0] != '\0') {
        const size_t capacity = std::strlen(name) + 50 + (file ? std::strlen(file) : 0);
        char* text = buffer.Reserve(capacity);
        if (line < 1) {
            std::snprintf(text, capacity - 1, "Error=%ld (%s)", static_cast<long>(code), name);
        } else {
            std::snprintf(text, capacity - 1, "Error=%ld (%s, %d)", static_cast<long>(code), name,
                          static_cast<int>(line));
        }
        return text;
    }
    char* text = buffer.Reserve(50);
    std::snprintf(text, 49, "Error=%ld", static_cast<long>(code));
    return text;
}

OvError& LastErrorRecord()
{
    static OvError record;
    return record;
}

void RaiseSystemError(int32_t systemError, const char* text, uint32_t flags)
{
    std::string message = "System error: " + std::to_string(systemError);
    if (text != nullptr && text[0] != '\0') {
        message += ' ';
        message += text;
    }
    throw OvError(kOvSystemError, message.c_str(), nullptr, 0, flags);
}
