#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <map>
#include <string>
#include <tuple>

#include "net/cookie_store.h"

class QNetworkCookie;
class QWebEngineCookieStore;

namespace rankminer {

// Keeps the embedded browser's cookies and the request engine's cookie store
// the same, so that signing in in the browser signs in the jobs' requests and
// a cookie a job receives reaches the browser; and keeps the cookies that
// outlive the session in a Netscape cookie file, given back to both at start.
// Lives on the GUI thread.
class CookieBridge : public QObject {
    Q_OBJECT
public:
    // The browser's store may be null (no browser): the engine's cookies are
    // still kept in the file. Loads the file at once.
    CookieBridge(QWebEngineCookieStore* browserStore, QString filePath, QObject* parent = nullptr);
    // Saves and stops listening to the engine.
    ~CookieBridge() override;
    CookieBridge(const CookieBridge&) = delete;
    CookieBridge& operator=(const CookieBridge&) = delete;

    // dataDirectory() + "/cookies.txt", as a file-system name.
    static QString defaultFilePath();

    // Writes every unexpired cookie with an expiry date (session cookies end
    // with the process); false when the file cannot be written.
    bool save() const;

    // Gives the browser the engine cookies it does not have yet. The engine's
    // change notice calls this on the GUI thread; callable directly.
    void pushEngineCookies();

    // Whether the browser has confirmed the cookies given to it at start, or
    // has had a second to take them. A page loaded before would go out
    // without the saved sign-in.
    bool browserReady() const { return pendingAtStart_.empty(); }

signals:
    void becameReady();

private:
    using Key = std::tuple<std::string, std::string, std::string>;  // domain, path, name
    static Key keyOf(const StoredCookie& cookie);
    static bool sameCookie(const StoredCookie& a, const StoredCookie& b);

    void load();
    void onBrowserCookieAdded(const QNetworkCookie& cookie);
    void onBrowserCookieRemoved(const QNetworkCookie& cookie);
    void passOnRemovals();
    void giveToBrowser(const StoredCookie& cookie);
    void scheduleSave();
    void settleStart();

    QPointer<QWebEngineCookieStore> browser_;
    QString filePath_;
    // What both sides are known to hold, to tell a change from its echo.
    std::map<Key, StoredCookie> mirrored_;
    std::map<Key, StoredCookie> removed_;  // removed by the browser, maybe replaced
    QTimer saveTimer_;
    QTimer removalTimer_;
    // Cookies given to the browser at start and not yet confirmed by it.
    std::map<Key, StoredCookie> pendingAtStart_;
    QTimer startTimer_;
    bool announcedReady_ = false;
};

}  // namespace rankminer
