#pragma once

#include <string>
#include <string_view>

#include "platform/report_list.h"

namespace rankminer {

enum class MessageButtons { Ok, OkCancel };
enum class MessageIcon { None, Information, Warning };
enum class MessageAnswer { Ok, Cancel };

// What a job sees of its window. The GUI implements it with its widgets, the
// headless commands with their options, the tests with a recording host.
// Controls are named by their design names (GBK), texts are GBK. Reads happen
// at the moment a value is needed, so a change during a job takes effect.
class JobHost {
public:
    virtual ~JobHost() = default;

    // Edit box content; a button's caption; empty for an unknown control.
    virtual std::string controlText(std::string_view name) = 0;
    virtual void setControlText(std::string_view name, std::string_view text) = 0;
    // Appends to a multi-line edit box (the mining results box) without
    // rewriting what it already holds.
    virtual void appendControlText(std::string_view name, std::string_view text) = 0;
    virtual bool isChecked(std::string_view name) = 0;
    // Selected index of a drop-down list, -1 for none.
    virtual int selectedIndex(std::string_view name) = 0;
    // A button's tag text (a file path kept between runs).
    virtual std::string tagText(std::string_view name) = 0;
    virtual void setTagText(std::string_view name, std::string_view text) = 0;

    virtual std::string caption(std::string_view name) = 0;
    virtual void setCaption(std::string_view name, std::string_view text) = 0;

    virtual void setStatusText(std::string_view text) = 0;
    virtual void selectTabPage(int page) = 0;
    virtual void setBrowserAddress(std::string_view url) = 0;

    virtual ReportList& reportList() = 0;

    // A message box; an empty title shows "信息：".
    virtual MessageAnswer messageBox(std::string_view text,
                                     MessageButtons buttons = MessageButtons::Ok,
                                     MessageIcon icon = MessageIcon::None,
                                     std::string_view title = {}) = 0;
    virtual void beep() = 0;
};

}  // namespace rankminer
