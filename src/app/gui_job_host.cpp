#include "app/gui_job_host.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextCursor>

#include "app/gbk_qt.h"
#include "app/widget_controls.h"
#include "text/gbk.h"

namespace rankminer {

GuiJobHost::GuiJobHost(QWidget& window, ReportList& list, QLabel& statusText, QTabWidget& tabs)
    : window_(&window), list_(list), statusText_(&statusText), tabs_(&tabs) {}

void GuiJobHost::setNavigator(std::function<void(const QString&)> navigate) {
    navigate_ = std::move(navigate);
}

QWidget* GuiJobHost::control(std::string_view name) const {
    if (window_ == nullptr || name.empty()) {
        return nullptr;
    }
    return window_->findChild<QWidget*>(toQString(name));
}

std::string GuiJobHost::controlText(std::string_view name) {
    QWidget* widget = control(name);
    return widget != nullptr ? widgetText(*widget) : std::string();
}

void GuiJobHost::setControlText(std::string_view name, std::string_view text) {
    if (QWidget* widget = control(name)) {
        setWidgetText(*widget, text);
    }
}

void GuiJobHost::appendControlText(std::string_view name, std::string_view text) {
    QWidget* widget = control(name);
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
        // A cursor of our own, so the user's caret and selection stay put.
        QTextCursor end(box->document());
        end.movePosition(QTextCursor::End);
        end.insertText(toQStringLines(text));
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setText(line->text() + toQString(text));
    }
}

bool GuiJobHost::isChecked(std::string_view name) {
    auto* box = qobject_cast<QCheckBox*>(control(name));
    return box != nullptr && box->isChecked();
}

int GuiJobHost::selectedIndex(std::string_view name) {
    auto* box = qobject_cast<QComboBox*>(control(name));
    return box != nullptr ? box->currentIndex() : -1;
}

std::string GuiJobHost::tagText(std::string_view name) {
    QWidget* widget = control(name);
    return widget != nullptr ? widgetTag(*widget) : std::string();
}

void GuiJobHost::setTagText(std::string_view name, std::string_view text) {
    if (QWidget* widget = control(name)) {
        setWidgetTag(*widget, text);
    }
}

std::string GuiJobHost::caption(std::string_view name) {
    return controlText(name);
}

void GuiJobHost::setCaption(std::string_view name, std::string_view text) {
    setControlText(name, text);
}

void GuiJobHost::setStatusText(std::string_view text) {
    if (statusText_ != nullptr) {
        statusText_->setText(toQString(text));
    }
}

void GuiJobHost::selectTabPage(int page) {
    if (tabs_ != nullptr && page >= 0 && page < tabs_->count()) {
        tabs_->setCurrentIndex(page);
    }
}

void GuiJobHost::setBrowserAddress(std::string_view url) {
    if (navigate_) {
        navigate_(toQString(url));
    }
}

MessageAnswer GuiJobHost::messageBox(std::string_view text, MessageButtons buttons,
                                     MessageIcon icon, std::string_view title) {
    static const std::string defaultTitle = gbk("信息：");
    QMessageBox box(window_);
    box.setWindowTitle(toQString(title.empty() ? std::string_view(defaultTitle) : title));
    box.setText(toQStringLines(text));
    box.setIcon(icon == MessageIcon::Warning       ? QMessageBox::Warning
                : icon == MessageIcon::Information ? QMessageBox::Information
                                                   : QMessageBox::NoIcon);
    box.setStandardButtons(buttons == MessageButtons::OkCancel
                               ? QMessageBox::Ok | QMessageBox::Cancel
                               : QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(buttons == MessageButtons::OkCancel ? QMessageBox::Cancel
                                                            : QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void GuiJobHost::beep() {
    QApplication::beep();
}

}  // namespace rankminer
