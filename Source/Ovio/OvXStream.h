#pragma once
// A buffered filter for text I/O: reads white-space-separated words and lines from its
// inner stream and collects written text until Flush, Close or destruction. A stream is
// either read or written through one OvXStream; writing while read-ahead text is pending
// raises "OvBufferError".
#include <cstdint>
#include <string>
#include <vector>

#include "OvCore/OvString.h"
#include "Ovio/OvFilter.h"

class OvXStream : public OvFilter {
public:
    OvXStream() = default;
    OvXStream(OvStream* inner, bool handOver);
    ~OvXStream();  // writes pending text to the inner stream; a failure then is dropped

    OV_DESTROY_SLOT(OvXStream)
    OV_DECLARE_CAST()

    // Without an inner stream, reading and flushing raise "OvBufferError".
    int32_t Read(void* buffer, int32_t count, int32_t* read) override;
    int32_t Write(const void* buffer, int32_t count, int32_t* written) override;
    // Changing the inner stream writes pending text to the old one (text written while
    // none was attached waits for the next) and drops read-ahead.
    void Attach(OvStream* stream, bool handOver) override;
    void Detach() override;
    void Close() override;  // writes out pending text, then closes as OvFilter does

    // The next word (bytes up to blank, tab, CR, LF, FF or VT); "OvEOFReached" when none
    // is left.
    OvString ReadWord();
    // The same into buffer with a NUL; "OvBufferTooSmall" when it does not fit (the word
    // is consumed all the same); returns the word's length.
    int32_t ReadWord(char* buffer, int32_t size);
    // Whether the last word read was the first on its line (for comment lines).
    bool WordBeganLine() const { return fWordBeganLine; }
    // Skips the rest of the current line and its line end (LF, CR or CR LF).
    void SkipLine();
    // The rest of the current line without its line end; "OvEOFReached" at the end.
    OvString ReadLine();
    // Skips words up to and including word (ASCII case ignored); "OvNotFound" if missing.
    void FindWord(const char* word);

    void WriteText(const OvString& text);
    void Flush();

private:
    static constexpr int kEnd = -1;

    int Peek();  // the next byte, or kEnd
    char Take();
    bool Fill();
    bool SkipToWord();  // false at the end
    OvString TakeWord();
    void DropReadAhead();

    std::vector<char> fReadBuffer;
    size_t fReadPosition = 0;
    size_t fReadEnd = 0;
    std::string fPending;
    bool fAtLineStart = true;
    bool fWordBeganLine = false;
};
