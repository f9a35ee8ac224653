#include "app/browser_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "app/browser_profile.h"
#include "app/cookie_bridge.h"
#include "app/gbk_qt.h"
#include "app/shell_actions.h"

namespace rankminer {

namespace {

QLabel* unavailableNotice(QWidget* parent) {
    const bool switchedOff = qEnvironmentVariable("RANKMINER_NO_BROWSER") == QStringLiteral("1");
    auto* notice = new QLabel(
        switchedOff ? QStringLiteral("内置浏览器已关闭（RANKMINER_NO_BROWSER=1），登录页不可用。"
                                     "其他功能照常使用。")
                    : QStringLiteral("内置浏览器无法启动（没有可用的显示或图形支持），"
                                     "登录页不可用。其他功能照常使用。"),
        parent);
    notice->setAlignment(Qt::AlignCenter);
    notice->setWordWrap(true);
    return notice;
}

}  // namespace

BrowserPage::BrowserPage(QWidget* parent, const SiteConfig& config) : QWidget(parent) {
    auto* label =
        new QLabel(QStringLiteral("关于榕查的帐号的权限问题，您可以到用户后台查看："), this);
    label->setObjectName(QStringLiteral("标签1"));
    auto* clearCache = new QPushButton(QStringLiteral("清除缓存"), this);
    clearCache->setObjectName(QStringLiteral("按钮2"));
    address_ = new QLineEdit(toQString(config.userPage()), this);
    address_->setObjectName(QStringLiteral("编辑框网址"));
    auto* go = new QPushButton(QStringLiteral("跳到"), this);
    go->setObjectName(QStringLiteral("按钮跳到"));

    QWidget* content = nullptr;
    QWebEngineProfile* profile = browserProfile();
    if (profile != nullptr) {
        view_ = new QWebEngineView(profile, this);
        content = view_;
        connect(view_, &QWebEngineView::titleChanged, this,
                [this] { address_->setText(view_->url().toString()); });
        connect(view_, &QWebEngineView::loadFinished, this, [] { noteBrowserPageLoaded(); });
    } else {
        content = unavailableNotice(this);
    }
    content->setObjectName(QStringLiteral("浏览框"));
    cookies_ = new CookieBridge(profile != nullptr ? profile->cookieStore() : nullptr,
                                CookieBridge::defaultFilePath(), this);

    auto* topRow = new QHBoxLayout;
    topRow->addWidget(label);
    topRow->addWidget(clearCache);
    topRow->addStretch(1);
    auto* addressRow = new QHBoxLayout;
    addressRow->addWidget(address_, 1);
    addressRow->addWidget(go);
    auto* page = new QVBoxLayout(this);
    page->addLayout(topRow);
    page->addLayout(addressRow);
    page->addWidget(content, 1);

    connect(go, &QPushButton::clicked, this, [this] { navigate(address_->text()); });
    connect(address_, &QLineEdit::returnPressed, this, [this] { navigate(address_->text()); });
    connect(clearCache, &QPushButton::clicked, this, [this] { clearSiteCache(window()); });
}

BrowserPage::~BrowserPage() = default;

void BrowserPage::navigate(const QString& url) {
    lastAddress_ = url;
    if (view_ == nullptr) {
        address_->setText(url);
    } else if (cookies_->browserReady()) {
        view_->setUrl(QUrl::fromUserInput(url));
    } else if (!waitingForCookies_) {
        // The first page waits for the saved sign-in; later requests in the
        // meantime only change where it goes.
        waitingForCookies_ = true;
        connect(cookies_, &CookieBridge::becameReady, this,
                [this] { view_->setUrl(QUrl::fromUserInput(lastAddress_)); });
    }
}

QString BrowserPage::currentAddress() const {
    if (view_ != nullptr && !view_->url().isEmpty()) {
        return view_->url().toString();
    }
    return lastAddress_;
}

bool BrowserPage::webEngineAvailable() {
    return browserAvailable();
}

}  // namespace rankminer
