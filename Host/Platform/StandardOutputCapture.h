#pragma once
// Catches what is printed on the process's standard output (file descriptor 1) while it
// exists, line by line, on a thread of its own: the plug-in's text commands print their
// console progress there ("%3.0f %%" lines), which zezctl shows in its own progress
// display instead of between its results. Ends by restoring the output, then handing on
// the last lines.
#include <functional>
#include <string>
#include <thread>

class StandardOutputCapture {
public:
    using LineHandler = std::function<void(const std::string& line)>;

    // When the output cannot be redirected it is left alone and nothing is caught.
    explicit StandardOutputCapture(LineHandler onLine);
    StandardOutputCapture(const StandardOutputCapture&) = delete;
    StandardOutputCapture& operator=(const StandardOutputCapture&) = delete;
    ~StandardOutputCapture();

private:
    void Read(int fromFd);

    LineHandler fOnLine;
    int fSavedFd = -1;
    std::thread fReader;
};
