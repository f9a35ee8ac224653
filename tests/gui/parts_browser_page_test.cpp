#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkCookie>
#include <QPushButton>
#include <QTest>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <algorithm>
#include <functional>
#include <string>

#include "app/browser_page.h"
#include "app/cookie_bridge.h"
#include "app/gbk_qt.h"
#include "gui_test_env.h"
#include "net/cookie_store.h"
#include "parts_test_support.h"
#include "platform/files.h"
#include "support/bytes.h"

namespace rankminer {
namespace {

// Lets the event loop run until the condition holds; gives up after a minute,
// so a slow machine only waits longer.
bool eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 1200 && !condition(); ++i) {
        QTest::qWait(50);
    }
    return condition();
}

bool engineHas(const std::string& name, const std::string& value) {
    const auto cookies = CookieStore::instance().allCookies();
    return std::any_of(cookies.begin(), cookies.end(),
                       [&](const StoredCookie& c) { return c.name == name && c.value == value; });
}

// The head of the first request for the path; empty before one arrived.
QByteArray requestFor(const testing::LoopbackHttpServer& site, const char* path) {
    const QByteArray start = QByteArray("GET ") + path + " ";
    for (const QByteArray& request : site.requests) {
        if (request.startsWith(start)) {
            return request;
        }
    }
    return {};
}

StoredCookie cookieFor127(const std::string& name, const std::string& value, long long expires) {
    StoredCookie cookie;
    cookie.domain = "127.0.0.1";
    cookie.path = "/";
    cookie.expires = expires;
    cookie.name = name;
    cookie.value = value;
    return cookie;
}

// Each test starts with an empty engine store and keeps its cookie file in a
// folder of its own (the page uses the user's data folder).
class CookieTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::testApplication();
        savedDataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dataHome_.path()));
        // The browser keeps the cookies of earlier tests (its deletions are
        // asynchronous); every test uses cookie names of its own.
        CookieStore::instance().clear();
    }
    void TearDown() override {
        CookieStore::instance().clear();
        qputenv("XDG_DATA_HOME", savedDataHome_);
    }
    QString cookieFile() const {
        return QString::fromUtf8(dataHome_.path()) + QStringLiteral("/rankminer/cookies.txt");
    }

    testing::TempDir dataHome_;
    QByteArray savedDataHome_;
};

using CookieBridgeFile = CookieTest;

TEST_F(CookieBridgeFile, KeepsCookiesWithAnExpiryAndDropsSessionCookies) {
    const long long later = QDateTime::currentSecsSinceEpoch() + 3600;
    const QString path = cookieFile();
    {
        CookieBridge bridge(nullptr, path);
        CookieStore::instance().setCookie(cookieFor127("kept", "1", later));
        CookieStore::instance().setCookie(cookieFor127("session", "2", 0));
        CookieStore::instance().setCookie(cookieFor127("expired", "3", 1000));
        ASSERT_TRUE(bridge.save());
    }
    const std::string content = testing::readFileBytes(path.toStdString());
    EXPECT_NE(content.find("kept\t1"), std::string::npos) << content;
    EXPECT_EQ(content.find("session"), std::string::npos) << content;
    EXPECT_EQ(content.find("expired"), std::string::npos) << content;
    EXPECT_EQ(QFile::permissions(path) & (QFile::ReadOther | QFile::ReadGroup),
              QFileDevice::Permissions());

    // The next start gives the kept cookie back to the engine.
    CookieStore::instance().clear();
    CookieBridge restarted(nullptr, path);
    EXPECT_TRUE(engineHas("kept", "1"));
    EXPECT_FALSE(engineHas("session", "2"));
}

TEST_F(CookieBridgeFile, MissingOrBrokenFileLeavesTheStoreEmpty) {
    CookieBridge missing(nullptr, cookieFile());
    EXPECT_TRUE(CookieStore::instance().allCookies().empty());

    testing::TempDir dir;
    const std::string broken = dir.file("cookies.txt");
    ASSERT_TRUE(writeWholeFile(broken,
                               "# comment\nno tabs at all\n127.0.0.1\tFALSE\t/\n"
                               "127.0.0.1\tFALSE\t/\tFALSE\t1000\told\tgone\n"));
    CookieBridge bridge(nullptr, QString::fromStdString(broken));
    EXPECT_TRUE(CookieStore::instance().allCookies().empty());
}

class BrowserPageTest : public CookieTest {};

TEST_F(BrowserPageTest, ControlsAndTheUserPageAtFirst) {
    SiteConfig config = SiteConfig::defaults();
    config.siteUrl = "http://127.0.0.1:9/";
    BrowserPage page(nullptr, config);
    for (const char* name : {"标签1", "按钮2", "编辑框网址", "按钮跳到", "浏览框"}) {
        EXPECT_NE(page.findChild<QWidget*>(QString::fromUtf8(name)), nullptr) << name;
    }
    EXPECT_EQ(page.findChild<QPushButton*>(QStringLiteral("按钮2"))->text(),
              QStringLiteral("清除缓存"));
    EXPECT_EQ(page.findChild<QPushButton*>(QStringLiteral("按钮跳到"))->text(),
              QStringLiteral("跳到"));
    EXPECT_EQ(page.findChild<QLineEdit*>(QStringLiteral("编辑框网址"))->text(),
              QStringLiteral("http://127.0.0.1:9/user.php"));
}

TEST_F(BrowserPageTest, WithoutTheBrowserALabelStandsInAndTheRestWorks) {
    qputenv("RANKMINER_NO_BROWSER", "1");
    EXPECT_FALSE(BrowserPage::webEngineAvailable());
    BrowserPage page;
    qunsetenv("RANKMINER_NO_BROWSER");
    EXPECT_EQ(page.view(), nullptr);
    EXPECT_NE(page.findChild<QLabel*>(QStringLiteral("浏览框")), nullptr);
    page.navigate(QStringLiteral("http://127.0.0.1:9/limited.html"));
    EXPECT_EQ(page.currentAddress(), QStringLiteral("http://127.0.0.1:9/limited.html"));
    EXPECT_EQ(page.findChild<QLineEdit*>(QStringLiteral("编辑框网址"))->text(),
              QStringLiteral("http://127.0.0.1:9/limited.html"));
}

TEST_F(BrowserPageTest, SignInCookieReachesTheEngineAndTheAddressFollowsTheTitle) {
    if (!BrowserPage::webEngineAvailable()) {
        GTEST_SKIP() << "the embedded browser cannot run here";
    }
    testing::LoopbackHttpServer site("<html><head><title>signed in</title></head></html>",
                                     "Set-Cookie: signin=abc; Max-Age=3600; Path=/\r\n");
    const QString address = site.url(QStringLiteral("/login.php"));
    {
        BrowserPage page;
        ASSERT_NE(page.view(), nullptr);
        auto* box = page.findChild<QLineEdit*>(QStringLiteral("编辑框网址"));
        box->setText(address);
        page.findChild<QPushButton*>(QStringLiteral("按钮跳到"))->click();
        EXPECT_TRUE(eventually([&] { return page.view()->url() == QUrl(address); }));
        EXPECT_TRUE(eventually([] { return engineHas("signin", "abc"); }))
            << site.requests.size() << " requests";

        // A page the program opens writes its address into the box.
        const QString next = site.url(QStringLiteral("/next.php"));
        page.navigate(next);
        EXPECT_TRUE(eventually([&] { return box->text() == next; })) << box->text().toStdString();
        EXPECT_EQ(page.currentAddress(), next);
    }
    // The sign-in outlives the program.
    const std::string saved = testing::readFileBytes(cookieFile().toStdString());
    EXPECT_NE(saved.find("signin\tabc"), std::string::npos) << saved;
}

TEST_F(BrowserPageTest, ACookieTheEngineReceivesIsSentByTheBrowser) {
    if (!BrowserPage::webEngineAvailable()) {
        GTEST_SKIP() << "the embedded browser cannot run here";
    }
    testing::LoopbackHttpServer site("<html><head><title>page</title></head></html>");
    BrowserPage page;
    ASSERT_NE(page.view(), nullptr);
    // The browser is up and showing a page when a job's response arrives.
    page.navigate(site.url(QStringLiteral("/first.php")));
    ASSERT_TRUE(eventually([&] { return !requestFor(site, "/first.php").isEmpty(); }));

    bool browserGotIt = false;
    QObject::connect(page.view()->page()->profile()->cookieStore(),
                     &QWebEngineCookieStore::cookieAdded, &page,
                     [&](const QNetworkCookie& c) { browserGotIt |= c.name() == "job"; });
    const long long later = QDateTime::currentSecsSinceEpoch() + 3600;
    CookieStore::instance().setCookie(cookieFor127("job", "42", later));
    CookieStore::instance().notifyChanged();  // as after a job's response
    ASSERT_TRUE(eventually([&] { return browserGotIt; }));

    page.navigate(site.url(QStringLiteral("/user.php")));
    ASSERT_TRUE(eventually([&] { return !requestFor(site, "/user.php").isEmpty(); }));
    const QByteArray request = requestFor(site, "/user.php");
    EXPECT_TRUE(request.contains("job=42")) << request.toStdString();
}

TEST_F(BrowserPageTest, ASavedSignInIsSentAgainAfterARestart) {
    if (!BrowserPage::webEngineAvailable()) {
        GTEST_SKIP() << "the embedded browser cannot run here";
    }
    const long long later = QDateTime::currentSecsSinceEpoch() + 3600;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(cookieFile()).absolutePath()));
    ASSERT_TRUE(writeWholeFile(cookieFile().toStdString(),
                               "# Netscape HTTP Cookie File\n127.0.0.1\tFALSE\t/\tFALSE\t" +
                                   std::to_string(later) + "\tkept\t7\n"));
    testing::LoopbackHttpServer site("<html><head><title>page</title></head></html>");
    BrowserPage page;
    ASSERT_NE(page.view(), nullptr);
    EXPECT_TRUE(engineHas("kept", "7"));
    page.navigate(site.url(QStringLiteral("/user.php")));
    ASSERT_TRUE(eventually([&] { return !requestFor(site, "/user.php").isEmpty(); }));
    const QByteArray request = requestFor(site, "/user.php");
    EXPECT_TRUE(request.contains("kept=7")) << request.toStdString();
}

TEST_F(BrowserPageTest, SigningOutInTheBrowserSignsOutTheEngine) {
    if (!BrowserPage::webEngineAvailable()) {
        GTEST_SKIP() << "the embedded browser cannot run here";
    }
    testing::LoopbackHttpServer site("<html><head><title>in</title></head></html>",
                                     "Set-Cookie: signout=abc; Max-Age=3600; Path=/\r\n");
    BrowserPage page;
    ASSERT_NE(page.view(), nullptr);
    page.navigate(site.url(QStringLiteral("/login.php")));
    ASSERT_TRUE(eventually([] { return engineHas("signout", "abc"); }))
        << site.requests.size() << " requests";

    QNetworkCookie signedIn("signout", "abc");
    signedIn.setPath(QStringLiteral("/"));
    page.view()->page()->profile()->cookieStore()->deleteCookie(
        signedIn, QUrl(site.url(QStringLiteral("/"))));
    EXPECT_TRUE(eventually([] { return !engineHas("signout", "abc"); }));
}

}  // namespace
}  // namespace rankminer
