#include <QApplication>

#include "cli/cli_main.h"

int main(int argc, char** argv) {
    if (rankminer::isHeadlessCommand(argc, argv)) {
        return rankminer::runCommandLine(argc, argv);
    }
    QApplication app(argc, argv);
    return 0;
}
