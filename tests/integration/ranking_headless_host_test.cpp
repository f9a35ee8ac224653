// The headless front end's pieces that the rank and mine commands share.

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>

#include "cli/headless_host.h"
#include "cli/terminal.h"
#include "platform/message_pump.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

struct AnswerCase {
    const char* name;
    const char* typed;
    bool ok;
};

void PrintTo(const AnswerCase& c, std::ostream* os) {
    *os << c.name;
}

class TerminalAnswerTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(TerminalAnswerTest, ReadsOneLine) {
    std::string typed = GetParam().typed;
    std::FILE* in = fmemopen(typed.data(), typed.size(), "r");
    std::FILE* out = std::tmpfile();
    ASSERT_NE(nullptr, in);
    ASSERT_NE(nullptr, out);
    EXPECT_EQ(GetParam().ok, askOkOnTerminal("continue?", in, out));
    std::fclose(in);
    std::fclose(out);
}

INSTANTIATE_TEST_SUITE_P(
    Terminal, TerminalAnswerTest,
    ::testing::Values(AnswerCase{"EmptyLineIsOk", "\n", true}, AnswerCase{"Ok", "ok\n", true},
                      AnswerCase{"YesCapital", " Yes\n", true},
                      AnswerCase{"Cancel", "cancel\n", false}, AnswerCase{"No", "n\n", false},
                      AnswerCase{"EndOfInputCancels", "", false}),
    [](const ::testing::TestParamInfo<AnswerCase>& info) { return info.param.name; });

TEST(Terminal, ProgressBarFillsInProportion) {
    EXPECT_EQ("[.....] 0/4", progressBar(0, 4, 5));
    EXPECT_EQ("[##...] 2/4", progressBar(2, 4, 5));
    EXPECT_EQ("[#####] 4/4", progressBar(4, 4, 5));
    EXPECT_EQ("[#####] 5/4", progressBar(5, 4, 5));  // clamped, count shown as it is
    EXPECT_EQ("", progressBar(1, 0, 5));
}

TEST(HeadlessHost, ControlValuesByDesignName) {
    HeadlessHost host;
    const std::string box = gbk("编辑框域名");
    host.setText(box, "a|b");
    host.setChecked(gbk("选择框移动端"), true);
    host.setIndex(gbk("组合框排序"), 2);
    host.setTag(gbk("按钮保存路径"), "/tmp/x.csv");
    EXPECT_EQ("a|b", host.controlText(box));
    EXPECT_TRUE(host.isChecked(gbk("选择框移动端")));
    EXPECT_FALSE(host.isChecked(gbk("选择框过滤重复关键字")));
    EXPECT_EQ(2, host.selectedIndex(gbk("组合框排序")));
    EXPECT_EQ(-1, host.selectedIndex(gbk("组合框导出模式")));
    EXPECT_EQ("/tmp/x.csv", host.tagText(gbk("按钮保存路径")));
    EXPECT_EQ("", host.controlText(gbk("编辑框表达式")));
}

TEST(HeadlessHost, OutputGoesToTheCallbacks) {
    HeadlessHost host;
    std::string status;
    std::string appended;
    std::string message;
    host.onStatus = [&](std::string_view text) { status = std::string(text); };
    host.onAppend = [&](std::string_view, std::string_view text) { appended += text; };
    host.onMessage = [&](std::string_view text, std::string_view) { message = std::string(text); };
    host.askOkCancel = [](std::string_view) { return MessageAnswer::Ok; };
    host.setStatusText("s1");
    host.appendControlText("box", "a\r\n");
    host.appendControlText("box", "b\r\n");
    JobHost& window = host;
    EXPECT_EQ(MessageAnswer::Ok, window.messageBox("done"));
    EXPECT_EQ(MessageAnswer::Ok, window.messageBox("go on?", MessageButtons::OkCancel));
    EXPECT_EQ("s1", status);
    EXPECT_EQ("a\r\nb\r\n", appended);
    EXPECT_EQ("a\r\nb\r\n", host.controlText("box"));
    EXPECT_EQ("done", message);
}

TEST(HeadlessHost, QuestionWithoutTerminalIsCancelled) {
    if (isTerminal(stdin)) {
        GTEST_SKIP() << "stdin is a terminal here";
    }
    HeadlessHost host;
    JobHost& window = host;
    EXPECT_EQ(MessageAnswer::Cancel, window.messageBox("go on?", MessageButtons::OkCancel));
}

TEST(HeadlessHost, EachInterruptReachesTheHandlerOnceThroughThePump) {
    int stops = 0;
    {
        HeadlessHost host;
        host.installInterruptPump([&] { ++stops; });
        pumpMessagesNow();
        EXPECT_EQ(0, stops);
        requestInterrupt();
        pumpMessagesNow();
        pumpMessagesNow();
        EXPECT_EQ(1, stops);
        requestInterrupt();
        pumpMessagesNow();
        EXPECT_EQ(2, stops);
    }
    // The host removed its pump when it went.
    requestInterrupt();
    pumpMessagesNow();
    EXPECT_EQ(2, stops);
    EXPECT_TRUE(takeInterruptRequest());
}

}  // namespace
}  // namespace rankminer
