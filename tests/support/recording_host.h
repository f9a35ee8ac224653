#pragma once

// A JobHost for tests: control states kept in maps, a MemoryReportList, every
// status text, caption change, message box, tab switch, browser address and
// beep recorded, message-box answers scripted, and an optional hook run on
// every message-pump dispatch so a test can "click" at a chosen moment.
//
// Control names and texts are GBK, as in the program: write them as
// gbk("按钮开始采集").

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/job_host.h"

namespace rankminer::testing {

struct RecordedMessage {
    std::string text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    std::string title;
    MessageAnswer answer = MessageAnswer::Ok;
};

class RecordingHost : public JobHost {
public:
    RecordingHost() = default;
    // Removes the pump hook if this host installed one.
    ~RecordingHost() override;
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    // ---- Control states (set by the test, read by the job) -----------------
    // Edit box texts and multi-line box contents (appendControlText adds here).
    std::map<std::string, std::string, std::less<>> texts;
    std::map<std::string, bool, std::less<>> checks;
    std::map<std::string, int, std::less<>> indexes;  // unknown list: -1
    std::map<std::string, std::string, std::less<>> tags;
    std::map<std::string, std::string, std::less<>> captions;
    MemoryReportList list;

    // ---- Recorded effects ---------------------------------------------------
    std::vector<std::string> statusTexts;
    // Every caption set, as "name=caption", in order.
    std::vector<std::string> captionChanges;
    std::vector<RecordedMessage> messages;
    std::vector<int> tabPages;
    std::vector<std::string> browserAddresses;
    int beeps = 0;
    int pumps = 0;  // dispatches that reached the hook's place

    // ---- Scripting ----------------------------------------------------------
    // Answers for OK/Cancel boxes, used front first; when empty the default.
    std::deque<MessageAnswer> scriptedAnswers;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
    // Runs when a message box opens, after it is recorded (a click while the
    // box is shown).
    std::function<void(const RecordedMessage&)> onMessage;

    // Installs a message pump that counts dispatches and calls the hook (may be
    // empty). The hook may call the job's handler again, like a second click.
    void installPumpHook(std::function<void()> hook);
    void removePumpHook();

    // Status texts converted to UTF-8, for readable failure messages.
    std::vector<std::string> statusTextsUtf8() const;
    // How many message boxes showed exactly this GBK text.
    int messageCount(std::string_view text) const;

    // ---- JobHost ------------------------------------------------------------
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
    ReportList& reportList() override { return list; }
    MessageAnswer messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                             std::string_view title) override;
    void beep() override { ++beeps; }

private:
    std::function<void()> hook_;
    bool hookInstalled_ = false;
};

}  // namespace rankminer::testing
