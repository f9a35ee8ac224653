// rankminer-sim: the loopback site for the demo and for manual checks.
//   rankminer-sim [--port N] [--rows N] [--pages N]
// Prints "PORT=<port>" on a line of its own once it listens, then serves
// until SIGINT or SIGTERM and exits 0.

#include <charconv>
#include <csignal>
#include <iostream>
#include <string_view>

#include "site_simulator/site_simulator.h"

namespace {
bool readNumber(std::string_view text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

int usage() {
    std::cerr << "usage: rankminer-sim [--port N] [--rows N] [--pages N]\n";
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    rankminer::sim::SimulatorOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view flag = argv[i];
        if (i + 1 >= argc) {
            return usage();
        }
        int value = 0;
        if (!readNumber(argv[++i], value) || value < 0) {
            return usage();
        }
        if (flag == "--port") {
            options.port = value;
        } else if (flag == "--rows" && value > 0) {
            options.rowsPerPage = value;
        } else if (flag == "--pages" && value > 0) {
            options.defaultPages = value;
        } else {
            return usage();
        }
    }

    // Block the stop signals before the server starts its threads, so only
    // sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    rankminer::sim::SiteSimulator simulator(options);
    if (!simulator.start()) {
        std::cerr << "rankminer-sim: cannot listen on 127.0.0.1:" << options.port << "\n";
        return 1;
    }
    std::cout << "PORT=" << simulator.port() << std::endl;

    int received = 0;
    sigwait(&stopSignals, &received);
    simulator.stop();
    return 0;
}
