#pragma once

// The headless commands' window: control values come from the command's
// options, keyed by the controls' design names (GBK); status texts, results-box
// appends and message boxes go to callbacks (by default: stderr, UTF-8).

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/job_host.h"

namespace rankminer {

class HeadlessHost : public JobHost {
public:
    // Answers an OK/Cancel box; text is GBK.
    using Question = std::function<MessageAnswer(std::string_view text)>;

    HeadlessHost();
    ~HeadlessHost() override;
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    // ---- Control values -----------------------------------------------------
    void setText(std::string_view name, std::string_view text);
    void setChecked(std::string_view name, bool checked);
    void setIndex(std::string_view name, int index);
    void setTag(std::string_view name, std::string_view text);

    // ---- Where the job's output goes ---------------------------------------
    // Each gets GBK text. Defaults: status and messages printed to stderr as
    // UTF-8, appends dropped.
    std::function<void(std::string_view)> onStatus;
    std::function<void(std::string_view name, std::string_view text)> onAppend;
    std::function<void(std::string_view text, std::string_view title)> onMessage;
    // The answer of OK/Cancel boxes. Default: ask on the terminal when stdin is
    // one; without one print the question and answer Cancel.
    Question askOkCancel;

    // Installs the message pump: each Ctrl-C reaching it calls onInterrupt
    // once (the job's start handler: a stop request, as a second click is).
    // onDispatch, when given, runs on every dispatch (progress redraws).
    void installInterruptPump(std::function<void()> onInterrupt,
                              std::function<void()> onDispatch = {});

    const std::string& lastBrowserAddress() const { return browserAddress_; }
    int beeps() const { return beeps_; }

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
    ReportList& reportList() override { return list_; }
    MessageAnswer messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                             std::string_view title) override;
    void beep() override;

private:
    template <typename T>
    using Map = std::map<std::string, T, std::less<>>;
    Map<std::string> texts_;
    Map<bool> checks_;
    Map<int> indexes_;
    Map<std::string> tags_;
    Map<std::string> captions_;
    MemoryReportList list_;
    std::string browserAddress_;
    int beeps_ = 0;
    bool pumpInstalled_ = false;
};

}  // namespace rankminer
