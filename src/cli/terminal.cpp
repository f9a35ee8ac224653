#include "cli/terminal.h"

#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include "text/gbk.h"

namespace rankminer {

void writeUtf8(std::FILE* out, std::string_view gbkText) {
    const std::string utf8 = gbkToUtf8(gbkText);
    std::fwrite(utf8.data(), 1, utf8.size(), out);
}

namespace {
volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void onInterruptSignal(int /*signal*/) {
    g_interrupted = 1;
}
}  // namespace

bool isTerminal(std::FILE* stream) {
    return stream != nullptr && isatty(fileno(stream)) == 1;
}

void installInterruptHandler() {
    struct sigaction action {};
    action.sa_handler = onInterruptSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;  // the second Ctrl-C takes the default way out
    sigaction(SIGINT, &action, nullptr);
}

bool takeInterruptRequest() {
    if (g_interrupted == 0) {
        return false;
    }
    g_interrupted = 0;
    return true;
}

void requestInterrupt() {
    g_interrupted = 1;
}

bool askOkOnTerminal(std::string_view question, std::FILE* in, std::FILE* out) {
    std::fprintf(out, "%.*s [OK/cancel] ", static_cast<int>(question.size()), question.data());
    std::fflush(out);
    std::string answer;
    int c = 0;
    while ((c = std::fgetc(in)) != EOF && c != '\n') {
        answer.push_back(static_cast<char>(c));
    }
    if (c == EOF && answer.empty()) {
        std::fputc('\n', out);
        return false;
    }
    std::size_t first = answer.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return true;
    }
    const char letter = answer[first];
    return letter == 'o' || letter == 'O' || letter == 'y' || letter == 'Y';
}

std::string progressBar(int done, int total, int width) {
    if (total <= 0 || width <= 0) {
        return {};
    }
    const int clamped = done < 0 ? 0 : (done > total ? total : done);
    const int filled = static_cast<int>(static_cast<long long>(clamped) * width / total);
    std::string bar = "[";
    bar.append(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(width - filled), '.');
    bar += "] " + std::to_string(done) + "/" + std::to_string(total);
    return bar;
}

StatusLine::StatusLine(std::FILE* out) : out_(out), terminal_(isTerminal(out)) {}

StatusLine::~StatusLine() {
    finish();
}

void StatusLine::setStatus(std::string_view text) {
    status_ = std::string(text);
    if (terminal_) {
        redraw();
    } else {
        std::fprintf(out_, "%s\n", status_.c_str());
        std::fflush(out_);
    }
}

void StatusLine::setProgress(int done, int total) {
    if (done == done_ && total == total_) {
        return;
    }
    done_ = done;
    total_ = total;
    if (terminal_ && lineOpen_) {
        redraw();
    }
}

void StatusLine::redraw() {
    std::string line = "\r\x1b[K" + status_;
    if (total_ > 0) {
        line += "  " + progressBar(done_, total_, 20);
    }
    std::fputs(line.c_str(), out_);
    std::fflush(out_);
    lineOpen_ = true;
}

void StatusLine::finish() {
    if (lineOpen_) {
        std::fputc('\n', out_);
        std::fflush(out_);
        lineOpen_ = false;
    }
}

void StatusLine::printMessage(std::string_view text) {
    finish();
    std::fprintf(out_, "%.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(out_);
}

}  // namespace rankminer
