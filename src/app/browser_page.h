#pragma once

#include <QString>
#include <QWidget>

#include "platform/site_config.h"

class QLineEdit;
class QWebEngineView;

namespace rankminer {

class CookieBridge;

// The sign-in page: the embedded browser with its address box, and the
// button that clears the browser's cached pages. The browser shares its
// cookies with the request engine (CookieBridge). Where the browser cannot
// run, a label saying so takes its place and the rest of the page works.
//
// Controls (object names): 标签1, 按钮2 "清除缓存", 编辑框网址 (the user page
// at first), 按钮跳到 "跳到", 浏览框 (the view, or the stand-in label).
class BrowserPage : public QWidget {
    Q_OBJECT
public:
    explicit BrowserPage(QWidget* parent = nullptr,
                         const SiteConfig& config = SiteConfig::fromEnvironment());
    ~BrowserPage() override;

    // Loads the address in the browser. Without a browser the address only
    // goes into the address box.
    void navigate(const QString& url);
    // The browser's current address; without a browser, the last one asked for.
    QString currentAddress() const;
    static bool webEngineAvailable();

    // The browser view; nullptr when the browser cannot run.
    QWebEngineView* view() const { return view_; }

private:
    QLineEdit* address_ = nullptr;
    QWebEngineView* view_ = nullptr;
    CookieBridge* cookies_ = nullptr;
    QString lastAddress_;
    bool waitingForCookies_ = false;
};

}  // namespace rankminer
