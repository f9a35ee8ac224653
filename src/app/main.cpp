#include <unistd.h>

#include <QApplication>
#include <cstdlib>

#include "app/gui_job_host.h"
#include "app/main_window.h"
#include "app/main_window_settings.h"
#include "app/qt_waiter.h"
#include "cli/cli_main.h"
#include "platform/site_config.h"
#include "settings/settings_store.h"

namespace {

constexpr const char* kApplicationName = "RankMiner";

// The browser engine refuses to run as root with its sandbox on, and warns
// without a runtime folder; both must be settled before the QApplication.
void prepareEnvironment() {
    if (::geteuid() == 0) {
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    }
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        char folder[] = "/tmp/rankminer-runtime-XXXXXX";
        if (mkdtemp(folder) != nullptr) {
            setenv("XDG_RUNTIME_DIR", folder, 1);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (rankminer::isHeadlessCommand(argc, argv)) {
        return rankminer::runCommandLine(argc, argv);
    }
    prepareEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    QApplication::setApplicationVersion(QStringLiteral(RANKMINER_VERSION));
    rankminer::installQtEventDispatch();

    // Settings first: the window restores its controls while it is created.
    rankminer::SettingsStore settings;
    settings.open(rankminer::settingsFilePath(kApplicationName));
    int status = 0;
    {
        rankminer::MainWindow window(settings, rankminer::SiteConfig::fromEnvironment());
        settings.setMessageSink([&window](std::string_view text, std::string_view title,
                                          bool warning) {
            window.host().messageBox(
                text, rankminer::MessageButtons::Ok,
                warning ? rankminer::MessageIcon::Warning : rankminer::MessageIcon::None, title);
        });
        window.show();
        status = QApplication::exec();
        settings.setMessageSink({});
    }
    return status;
}
