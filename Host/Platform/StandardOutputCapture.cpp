#include "Platform/StandardOutputCapture.h"

#include <cstdio>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#define dup _dup
#define dup2 _dup2
#define close _close
#define read _read
#else
#include <unistd.h>
#endif

namespace {

constexpr int kStandardOutputFd = 1;

bool MakePipe(int fds[2])
{
#if defined(_WIN32)
    return _pipe(fds, 4096, _O_BINARY) == 0;
#else
    return pipe(fds) == 0;
#endif
}

}  // namespace

StandardOutputCapture::StandardOutputCapture(LineHandler onLine) : fOnLine(std::move(onLine))
{
    std::fflush(stdout);
    int fds[2];
    if (!MakePipe(fds)) return;
    fSavedFd = dup(kStandardOutputFd);
    if (fSavedFd < 0 || dup2(fds[1], kStandardOutputFd) < 0) {
        if (fSavedFd >= 0) close(fSavedFd);
        fSavedFd = -1;
        close(fds[0]);
        close(fds[1]);
        return;
    }
    close(fds[1]);  // fd 1 is now the only writing end, so restoring it ends the reader
    fReader = std::thread([this, fd = fds[0]] { Read(fd); });
}

StandardOutputCapture::~StandardOutputCapture()
{
    if (fSavedFd < 0) return;
    std::fflush(stdout);
    dup2(fSavedFd, kStandardOutputFd);
    close(fSavedFd);
    fReader.join();
}

void StandardOutputCapture::Read(int fromFd)
{
    std::string line;
    char buffer[512];
    for (;;) {
        const auto count = read(fromFd, buffer, sizeof buffer);
        if (count <= 0) break;
        for (int i = 0; i < static_cast<int>(count); ++i) {
            if (buffer[i] == '\n') {
                fOnLine(line);
                line.clear();
            } else if (buffer[i] != '\r') {
                line += buffer[i];
            }
        }
    }
    if (!line.empty()) fOnLine(line);
    close(fromFd);
}
