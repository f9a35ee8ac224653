#pragma once

// The main window as a job sees it: controls found by their design names,
// texts converted between GBK and the widgets at this boundary.

#include <QPointer>
#include <QWidget>

#include <functional>

#include "platform/job_host.h"

class QLabel;
class QTabWidget;

namespace rankminer {

class GuiJobHost : public JobHost {
public:
    // The window holds every named control; the status text goes into the
    // label, tab pages are switched on the tab widget.
    GuiJobHost(QWidget& window, ReportList& list, QLabel& statusText, QTabWidget& tabs);

    // Where setBrowserAddress goes (the sign-in browser's navigation).
    void setNavigator(std::function<void(const QString&)> navigate);

    std::string controlText(std::string_view name) override;
    void setControlText(std::string_view name, std::string_view text) override;
    void appendControlText(std::string_view name, std::string_view text) override;
    bool isChecked(std::string_view name) override;
    int selectedIndex(std::string_view name) override;
    std::string tagText(std::string_view name) override;
    void setTagText(std::string_view name, std::string_view text) override;
    std::string caption(std::string_view name) override;
    void setCaption(std::string_view name, std::string_view text) override;
    void setStatusText(std::string_view text) override;
    void selectTabPage(int page) override;
    void setBrowserAddress(std::string_view url) override;
    ReportList& reportList() override { return list_; }
    MessageAnswer messageBox(std::string_view text, MessageButtons buttons = MessageButtons::Ok,
                             MessageIcon icon = MessageIcon::None,
                             std::string_view title = {}) override;
    void beep() override;

    // The named control, or null.
    QWidget* control(std::string_view name) const;

private:
    QPointer<QWidget> window_;
    ReportList& list_;
    QPointer<QLabel> statusText_;
    QPointer<QTabWidget> tabs_;
    std::function<void(const QString&)> navigate_;
};

}  // namespace rankminer
