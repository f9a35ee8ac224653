#include "app/cookie_bridge.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkCookie>
#include <QUrl>
#include <QWebEngineCookieStore>
#include <string_view>

#include "app/gbk_qt.h"
#include "platform/files.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

std::string toStd(const QByteArray& bytes) {
    return std::string(bytes.constData(), bytes.size());
}
QByteArray toBytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string_view withoutLeadingDot(std::string_view domain) {
    return !domain.empty() && domain.front() == '.' ? domain.substr(1) : domain;
}

StoredCookie fromBrowser(const QNetworkCookie& cookie) {
    StoredCookie stored;
    stored.domain = toStd(cookie.domain().toUtf8());
    // The browser marks a cookie for the whole domain with a leading dot;
    // a cookie for one host carries the bare host.
    stored.includeSubdomains = stored.domain.starts_with('.');
    stored.path = cookie.path().isEmpty() ? std::string("/") : toStd(cookie.path().toUtf8());
    stored.secure = cookie.isSecure();
    stored.httpOnly = cookie.isHttpOnly();
    stored.expires = cookie.isSessionCookie() ? 0 : cookie.expirationDate().toSecsSinceEpoch();
    stored.name = toStd(cookie.name());
    stored.value = toStd(cookie.value());
    return stored;
}

QNetworkCookie toBrowser(const StoredCookie& stored) {
    QNetworkCookie cookie(toBytes(stored.name), toBytes(stored.value));
    if (stored.includeSubdomains) {
        cookie.setDomain(QStringLiteral(".") +
                         QString::fromUtf8(toBytes(withoutLeadingDot(stored.domain))));
    }
    cookie.setPath(QString::fromUtf8(toBytes(stored.path.empty() ? "/" : stored.path)));
    cookie.setSecure(stored.secure);
    cookie.setHttpOnly(stored.httpOnly);
    if (stored.expires > 0) {
        cookie.setExpirationDate(QDateTime::fromSecsSinceEpoch(stored.expires));
    }
    return cookie;
}

// The address the browser files a cookie under; a host-only cookie has no
// domain of its own and would be dropped without it.
QUrl originOf(const StoredCookie& stored) {
    QUrl origin;
    origin.setScheme(stored.secure ? QStringLiteral("https") : QStringLiteral("http"));
    origin.setHost(QString::fromUtf8(toBytes(withoutLeadingDot(stored.domain))));
    origin.setPath(QStringLiteral("/"));
    return origin;
}

bool outlivesSession(const StoredCookie& cookie, long long now) {
    return cookie.expires > now;
}

}  // namespace

CookieBridge::CookieBridge(QWebEngineCookieStore* browserStore, QString filePath, QObject* parent)
    : QObject(parent), browser_(browserStore), filePath_(std::move(filePath)) {
    saveTimer_.setSingleShot(true);
    saveTimer_.setInterval(1000);
    connect(&saveTimer_, &QTimer::timeout, this, [this] { save(); });
    removalTimer_.setSingleShot(true);
    removalTimer_.setInterval(200);
    connect(&removalTimer_, &QTimer::timeout, this, &CookieBridge::passOnRemovals);

    if (browser_ != nullptr) {
        connect(browser_, &QWebEngineCookieStore::cookieAdded, this,
                &CookieBridge::onBrowserCookieAdded);
        connect(browser_, &QWebEngineCookieStore::cookieRemoved, this,
                &CookieBridge::onBrowserCookieRemoved);
    }
    load();
    pushEngineCookies();
    if (browser_ != nullptr) {
        pendingAtStart_ = mirrored_;
    }
    // A browser that is not running yet confirms nothing; give it a second.
    startTimer_.setSingleShot(true);
    connect(&startTimer_, &QTimer::timeout, this, [this] {
        pendingAtStart_.clear();
        settleStart();
    });
    if (!pendingAtStart_.empty()) {
        startTimer_.start(1000);
    }

    // The engine reports from its fetch workers; the work is done here, on
    // the GUI thread. A notice still queued when the bridge goes is dropped
    // with it.
    QPointer<CookieBridge> self(this);
    CookieStore::instance().setChangeObserver([self] {
        QMetaObject::invokeMethod(
            self.data(),
            [self] {
                if (self != nullptr) {
                    self->pushEngineCookies();
                    self->scheduleSave();
                }
            },
            Qt::QueuedConnection);
    });
}

CookieBridge::~CookieBridge() {
    CookieStore::instance().setChangeObserver(nullptr);
    save();
}

QString CookieBridge::defaultFilePath() {
    return toQString(dataDirectory() + "/cookies.txt");
}

CookieBridge::Key CookieBridge::keyOf(const StoredCookie& cookie) {
    return {std::string(withoutLeadingDot(cookie.domain)), cookie.path, cookie.name};
}

bool CookieBridge::sameCookie(const StoredCookie& a, const StoredCookie& b) {
    return keyOf(a) == keyOf(b) && a.includeSubdomains == b.includeSubdomains &&
           a.secure == b.secure && a.httpOnly == b.httpOnly && a.expires == b.expires &&
           a.value == b.value;
}

void CookieBridge::load() {
    QFile file(filePath_);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const long long now = QDateTime::currentSecsSinceEpoch();
    const QByteArray content = file.readAll();
    for (const QByteArray& rawLine : content.split('\n')) {
        const QByteArray line = rawLine.endsWith('\r') ? rawLine.chopped(1) : rawLine;
        StoredCookie cookie;
        if (line.isEmpty() || !parseNetscapeCookieLine(toStd(line), cookie) ||
            !outlivesSession(cookie, now)) {
            continue;
        }
        CookieStore::instance().setCookie(cookie);
    }
}

bool CookieBridge::save() const {
    const long long now = QDateTime::currentSecsSinceEpoch();
    std::string text = "# Netscape HTTP Cookie File\n";
    for (const StoredCookie& cookie : CookieStore::instance().allCookies()) {
        if (outlivesSession(cookie, now)) {
            text += netscapeCookieLine(cookie);
            text += '\n';
        }
    }
    const QFileInfo info(filePath_);
    if (!QDir().mkpath(info.absolutePath())) {
        return false;
    }
    // Sign-in cookies are credentials: readable by the user alone.
    QFile file(filePath_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        return false;
    }
    return file.write(toBytes(text)) == static_cast<qint64>(text.size());
}

void CookieBridge::pushEngineCookies() {
    for (const StoredCookie& cookie : CookieStore::instance().allCookies()) {
        const auto known = mirrored_.find(keyOf(cookie));
        if (known != mirrored_.end() && sameCookie(known->second, cookie)) {
            continue;
        }
        mirrored_[keyOf(cookie)] = cookie;
        giveToBrowser(cookie);
    }
}

void CookieBridge::giveToBrowser(const StoredCookie& cookie) {
    if (browser_ != nullptr) {
        browser_->setCookie(toBrowser(cookie), originOf(cookie));
    }
}

void CookieBridge::onBrowserCookieAdded(const QNetworkCookie& browserCookie) {
    const StoredCookie cookie = fromBrowser(browserCookie);
    if (pendingAtStart_.erase(keyOf(cookie)) != 0) {
        settleStart();
    }
    const auto known = mirrored_.find(keyOf(cookie));
    if (known != mirrored_.end() && sameCookie(known->second, cookie)) {
        return;  // our own cookie coming back
    }
    mirrored_[keyOf(cookie)] = cookie;
    CookieStore::instance().setCookie(cookie);
    scheduleSave();
}

void CookieBridge::onBrowserCookieRemoved(const QNetworkCookie& browserCookie) {
    // The browser also removes a cookie just before it replaces it. Only a
    // removal that no replacement follows is a deletion to pass on.
    const StoredCookie cookie = fromBrowser(browserCookie);
    mirrored_.erase(keyOf(cookie));
    removed_[keyOf(cookie)] = cookie;
    removalTimer_.start();
}

void CookieBridge::passOnRemovals() {
    for (auto& [key, cookie] : removed_) {
        if (mirrored_.count(key) != 0) {
            continue;  // replaced, not deleted
        }
        // An expiry in the past makes the engine drop its copy.
        cookie.expires = 1;
        mirrored_[key] = cookie;
        CookieStore::instance().setCookie(cookie);
    }
    removed_.clear();
    scheduleSave();
}

void CookieBridge::scheduleSave() {
    saveTimer_.start();
}

void CookieBridge::settleStart() {
    if (!pendingAtStart_.empty() || announcedReady_) {
        return;
    }
    startTimer_.stop();
    announcedReady_ = true;
    emit becameReady();
}

}  // namespace rankminer
