#include "app/browser_profile.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QWebEngineProfile>

namespace rankminer {

namespace {

bool sandboxOff() {
    return qEnvironmentVariable("QTWEBENGINE_DISABLE_SANDBOX") == QStringLiteral("1") ||
           qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS")
               .contains(QStringLiteral("--no-sandbox"));
}

bool pageLoaded = false;

bool helperProgramPresent() {
    QString helper = qEnvironmentVariable("QTWEBENGINEPROCESS_PATH");
    if (helper.isEmpty()) {
        helper = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) +
                 QStringLiteral("/QtWebEngineProcess");
    }
    return QFileInfo(helper).isExecutable();
}

}  // namespace

bool browserAvailable() {
    if (qEnvironmentVariable("RANKMINER_NO_BROWSER") == QStringLiteral("1")) {
        return false;
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return false;
    }
    if (::geteuid() == 0 && !sandboxOff()) {
        return false;
    }
    return helperProgramPresent();
}

QWebEngineProfile* browserProfile() {
    if (!browserAvailable()) {
        return nullptr;
    }
    // Off the record: the sign-in cookies are kept by the program itself (see
    // CookieBridge), not by the browser's own storage.
    return QWebEngineProfile::defaultProfile();
}

void noteBrowserPageLoaded() {
    pageLoaded = true;
}

void clearBrowserCache() {
    if (!pageLoaded) {
        return;
    }
    if (QWebEngineProfile* profile = browserProfile()) {
        profile->clearHttpCache();
    }
}

}  // namespace rankminer
