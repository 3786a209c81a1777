#define OV_SOURCE_FILE "Source/Ovio/OvXStream"
#include "Ovio/OvXStream.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "OvCore/OvError.h"

OV_DEFINE_CAST(OvXStream, OvFilter)

namespace {

constexpr size_t kBufferSize = 4096;

bool IsLineEnd(int c) { return c == '\n' || c == '\r'; }

bool IsWhiteSpace(int c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v' || IsLineEnd(c); }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(const OvString& text, const char* word)
{
    if (static_cast<size_t>(text.Length()) != std::strlen(word)) return false;
    for (int32_t i = 0; i < text.Length(); ++i) {
        if (LowerAscii(text.Chars()[i]) != LowerAscii(word[i])) return false;
    }
    return true;
}

}  // namespace

OvXStream::OvXStream(OvStream* inner, bool handOver) { OvFilter::Attach(inner, handOver); }

OvXStream::~OvXStream()
{
    if (!Inner()) return;
    try {
        Flush();
    } catch (const OvError&) {
        // A destructor cannot report it; the error was logged and recorded when raised.
    }
}

// ---- Inner stream -----------------------------------------------------------------------

void OvXStream::Attach(OvStream* stream, bool handOver)
{
    // Text written before any stream was attached goes to the new one.
    if (Inner()) Flush();
    DropReadAhead();
    OvFilter::Attach(stream, handOver);
}

void OvXStream::Detach()
{
    if (Inner()) Flush();
    DropReadAhead();
    OvFilter::Detach();
}

void OvXStream::Close()
{
    Flush();
    OvFilter::Close();
}

void OvXStream::DropReadAhead()
{
    fReadPosition = fReadEnd = 0;
    fAtLineStart = true;
    fWordBeganLine = false;
}

// ---- Reading ----------------------------------------------------------------------------

bool OvXStream::Fill()
{
    Flush();
    if (!Inner()) OV_RAISE(kOvBufferError, "OvBufferError");
    fReadBuffer.resize(kBufferSize);
    int32_t done = 0;
    Inner()->Read(fReadBuffer.data(), static_cast<int32_t>(kBufferSize), &done);
    fReadPosition = 0;
    fReadEnd = static_cast<size_t>(std::clamp<int32_t>(done, 0, static_cast<int32_t>(kBufferSize)));
    return fReadEnd > 0;
}

int OvXStream::Peek()
{
    if (fReadPosition == fReadEnd && !Fill()) return kEnd;
    return static_cast<unsigned char>(fReadBuffer[fReadPosition]);
}

char OvXStream::Take() { return fReadBuffer[fReadPosition++]; }

int32_t OvXStream::Read(void* buffer, int32_t count, int32_t* read)
{
    if (!buffer || count < 0) OV_RAISE(kOvArgErr, "OvArgErr");
    auto* out = static_cast<char*>(buffer);
    int32_t done = 0;
    while (done < count && Peek() != kEnd) {
        const size_t chunk = std::min(fReadEnd - fReadPosition, static_cast<size_t>(count - done));
        std::memcpy(out + done, fReadBuffer.data() + fReadPosition, chunk);
        fReadPosition += chunk;
        done += static_cast<int32_t>(chunk);
    }
    if (read) *read = done;
    return done;
}

bool OvXStream::SkipToWord()
{
    for (int c = Peek(); IsWhiteSpace(c); c = Peek()) {
        if (IsLineEnd(c)) fAtLineStart = true;
        Take();
    }
    if (Peek() == kEnd) return false;
    fWordBeganLine = fAtLineStart;
    fAtLineStart = false;
    return true;
}

OvString OvXStream::TakeWord()
{
    OvString word;
    for (int c = Peek(); c != kEnd && !IsWhiteSpace(c); c = Peek()) word.Append(Take());
    return word;
}

OvString OvXStream::ReadWord()
{
    if (!SkipToWord()) OV_RAISE(kOvEOFReached, "OvEOFReached");
    return TakeWord();
}

int32_t OvXStream::ReadWord(char* buffer, int32_t size)
{
    if (!buffer || size < 1) OV_RAISE(kOvArgErr, "OvArgErr");
    if (!SkipToWord()) OV_RAISE(kOvEOFReached, "OvEOFReached");
    int32_t length = 0;
    for (int c = Peek(); c != kEnd && !IsWhiteSpace(c); c = Peek()) {
        const char byte = Take();
        if (length < size - 1) buffer[length] = byte;
        ++length;
    }
    buffer[std::min(length, size - 1)] = '\0';
    if (length >= size) OV_RAISE(kOvBufferTooSmall, "OvBufferTooSmall");
    return length;
}

void OvXStream::SkipLine()
{
    for (int c = Peek(); c != kEnd && !IsLineEnd(c); c = Peek()) Take();
    if (Peek() == '\r') {
        Take();
        if (Peek() == '\n') Take();
    } else if (Peek() == '\n') {
        Take();
    }
    fAtLineStart = true;
}

OvString OvXStream::ReadLine()
{
    if (Peek() == kEnd) OV_RAISE(kOvEOFReached, "OvEOFReached");
    OvString line;
    for (int c = Peek(); c != kEnd && !IsLineEnd(c); c = Peek()) line.Append(Take());
    SkipLine();
    return line;
}

void OvXStream::FindWord(const char* word)
{
    if (!word) OV_RAISE(kOvArgErr, "OvArgErr");
    while (SkipToWord()) {
        if (EqualsIgnoringCase(TakeWord(), word)) return;
    }
    OV_RAISE(kOvNotFound, "OvNotFound");
}

// ---- Writing ----------------------------------------------------------------------------

int32_t OvXStream::Write(const void* buffer, int32_t count, int32_t* written)
{
    if (!buffer || count < 0) OV_RAISE(kOvArgErr, "OvArgErr");
    if (fReadPosition != fReadEnd) OV_RAISE(kOvBufferError, "OvBufferError");
    fPending.append(static_cast<const char*>(buffer), static_cast<size_t>(count));
    if (fPending.size() >= kBufferSize) Flush();
    if (written) *written = count;
    return count;
}

void OvXStream::WriteText(const OvString& text)
{
    const void* bytes = text.IsWide() ? static_cast<const void*>(text.WideChars()) : text.Chars();
    Write(bytes, text.Length(), nullptr);
}

void OvXStream::Flush()
{
    if (fPending.empty()) return;
    if (!Inner()) OV_RAISE(kOvBufferError, "OvBufferError");
    const std::string pending = std::move(fPending);
    fPending.clear();
    Inner()->Write(pending.data(), static_cast<int32_t>(pending.size()), nullptr);
}
