#define OV_SOURCE_FILE "Source/OvMath/OvVectorText"
// The text form of a vector:
//   DIM  3
//   TYPE 0
//   BEGIN_DATA
//   0.500000<TAB>1.000000<TAB>0.000000<TAB>
//   END_DATA
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "OvCore/OvError.h"
#include "OvCore/OvString.h"
#include "OvMath/OvVector.h"
#include "Ovio/OvXStream.h"

namespace {

void WritePiece(OvStream& stream, const OvString& piece)
{
    stream.Write(piece.Chars(), piece.Length(), nullptr);
}

// Formats with a format chosen by the caller at run time, which no compiler can check
// (clang would warn about it even in the va_list form).
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wformat-nonliteral"
#endif
OvString FormatElement(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    OvString text = OvString::FormatV(format, args);
    va_end(args);
    return text;
}
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

// The next word that is not part of a comment line.
OvString NextWord(OvXStream& text)
{
    for (;;) {
        OvString word = text.ReadWord();
        if (!(text.WordBeganLine() && word.CharAt(0) == '#')) return word;
        text.SkipLine();
    }
}

// Whole words only: a word with a zero byte inside does not pass for the keyword before it.
bool IsKeyword(const OvString& word, const char* keyword)
{
    return static_cast<size_t>(word.Length()) == std::strlen(keyword) && word.CompareNoCase(keyword) == 0;
}

}  // namespace

void OvVector::WriteText(OvStream& stream, const char* format) const
{
    WritePiece(stream, OvString::Format("DIM %2d\n", fDim));
    // As a signed 32-bit number, so that every type reads back the same on every platform.
    WritePiece(stream, OvString::Format("TYPE %ld\n", static_cast<long>(static_cast<int32_t>(fType))));
    WritePiece(stream, "BEGIN_DATA\n");
    const double* values = Values();
    for (int32_t i = 0; i < fDim; ++i) WritePiece(stream, FormatElement(format ? format : "%f", values[i]) + "\t");
    WritePiece(stream, "\nEND_DATA\n");
}

void OvVector::ReadText(OvStream& stream)
{
    OvXStream text(&stream, false);
    int32_t dim = 0;
    uint32_t type = 0;
    for (OvString word = NextWord(text); !IsKeyword(word, "BEGIN_DATA"); word = NextWord(text)) {
        if (IsKeyword(word, "DIM")) {
            dim = NextWord(text).ToInt();
        } else if (IsKeyword(word, "TYPE")) {
            type = static_cast<uint32_t>(NextWord(text).ToInt());
        }
    }
    if (dim <= 0 || dim > kMaxTextDim) OV_RAISE(kOvArgErr, "OvArgErr");

    OvVector read(dim, type);
    int32_t index = 0;
    for (OvString word = NextWord(text); !IsKeyword(word, "END_DATA"); word = NextWord(text)) {
        read.Ref(index++) = std::atof(word.Chars());
    }
    *this = std::move(read);
}
