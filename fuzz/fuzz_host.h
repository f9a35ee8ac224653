#pragma once

// A window for fuzzed jobs: every control empty or off, the start button
// always reading "running" (so parsers go through every row), every effect
// dropped except the report list, which keeps its rows.

#include <string>
#include <string_view>

#include "platform/job_host.h"
#include "platform/report_list.h"

namespace rankminer::fuzzing {

class FuzzHost : public JobHost {
public:
    explicit FuzzHost(std::string runningCaption) : running_(std::move(runningCaption)) {}

    std::string controlText(std::string_view) override { return {}; }
    void setControlText(std::string_view, std::string_view) override {}
    void appendControlText(std::string_view, std::string_view text) override {
        appended += text.size();
    }
    bool isChecked(std::string_view) override { return false; }
    int selectedIndex(std::string_view) override { return 0; }
    std::string tagText(std::string_view) override { return {}; }
    void setTagText(std::string_view, std::string_view) override {}
    std::string caption(std::string_view) override { return running_; }
    void setCaption(std::string_view, std::string_view) override {}
    void setStatusText(std::string_view) override {}
    void selectTabPage(int) override {}
    void setBrowserAddress(std::string_view) override {}
    ReportList& reportList() override { return list; }
    MessageAnswer messageBox(std::string_view, MessageButtons, MessageIcon,
                             std::string_view) override {
        return MessageAnswer::Ok;
    }
    void beep() override {}

    MemoryReportList list;
    std::size_t appended = 0;

private:
    std::string running_;
};

}  // namespace rankminer::fuzzing
