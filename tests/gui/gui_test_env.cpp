#include "gui_test_env.h"

#include <unistd.h>

#include <QApplication>
#include <cstdlib>

namespace rankminer::testing {

QApplication& testApplication() {
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        if (::geteuid() == 0) {
            setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
        }
        static int argc = 1;
        static char name[] = "gui_tests";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *app;
}

}  // namespace rankminer::testing
