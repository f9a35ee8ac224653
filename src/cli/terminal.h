#pragma once

// The headless commands' terminal: is a stream a terminal, Ctrl-C as a stop
// request, a yes/no question, and a status line with a progress bar. Texts
// given here are UTF-8 (the terminal's encoding).

#include <cstdio>
#include <string>
#include <string_view>

namespace rankminer {

bool isTerminal(std::FILE* stream);

// The first Ctrl-C (SIGINT) only raises a flag that the command's message pump
// turns into a stop request; the handler then returns to the default, so a
// second Ctrl-C ends the process at once.
// Writes program text (GBK) to a stream as UTF-8.
void writeUtf8(std::FILE* out, std::string_view gbkText);

void installInterruptHandler();
// True once after each Ctrl-C: reading clears the flag.
bool takeInterruptRequest();
// Raises the flag as Ctrl-C does (for tests and for front ends without signals).
void requestInterrupt();

// Asks on the terminal; true for an answer starting with "o" or "y" (ASCII
// case ignored) or an empty line, false for anything else or end of input.
bool askOkOnTerminal(std::string_view question, std::FILE* in = stdin, std::FILE* out = stderr);

// The status line on stderr. On a terminal it is redrawn in place, followed by
// a bar of pages done over total when a total is known; elsewhere every new
// status is its own line and no bar is drawn.
class StatusLine {
public:
    explicit StatusLine(std::FILE* out = stderr);
    ~StatusLine();
    StatusLine(const StatusLine&) = delete;
    StatusLine& operator=(const StatusLine&) = delete;

    void setStatus(std::string_view text);
    // total <= 0 hides the bar.
    void setProgress(int done, int total);
    // Ends the redrawn line so later output starts on a fresh line.
    void finish();
    // Prints a message on its own line without losing the status line.
    void printMessage(std::string_view text);

    bool onTerminal() const { return terminal_; }

private:
    void redraw();

    std::FILE* out_;
    bool terminal_;
    bool lineOpen_ = false;
    std::string status_;
    int done_ = 0;
    int total_ = 0;
};

// "[#####.....] 5/10" with the given width of the bar.
std::string progressBar(int done, int total, int width);

}  // namespace rankminer
