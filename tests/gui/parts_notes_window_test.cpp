#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <ostream>
#include <string>

#include "app/gbk_qt.h"
#include "app/help_text.h"
#include "app/notes_window.h"
#include "gui_test_env.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

struct PromptCase {
    const char* name;
    std::string prompt;  // GBK
    int boxWidth;
    int expectedHeight;
};

void PrintTo(const PromptCase& c, std::ostream* os) {
    *os << c.name << " (" << c.prompt.size() << " bytes, width " << c.boxWidth << ")";
}

std::string repeated(std::string_view utf8, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += gbk(utf8);
    }
    return text;
}

class PromptHeight : public ::testing::TestWithParam<PromptCase> {};

TEST_P(PromptHeight, CountsTwelvePixelsPerVisualLine) {
    const PromptCase& c = GetParam();
    EXPECT_EQ(promptBoxHeight(c.prompt, c.boxWidth), c.expectedHeight);
}

INSTANTIATE_TEST_SUITE_P(
    TextWindow, PromptHeight,
    ::testing::Values(PromptCase{"EmptyPromptHasNoHeight", "", 600, 0},
                      PromptCase{"TenAndHundredThirtyBytesAt600",
                                 std::string(10, 'a') + "\r\n" + std::string(130, 'b'), 600, 36},
                      PromptCase{"TrailingBreakAddsNoLine", std::string(10, 'a') + "\r\n", 600, 12},
                      PromptCase{"EmptyPieceBetweenBreaksTakesALine", "a\r\n\r\nb", 600, 36},
                      PromptCase{"ExactlyFullLine", std::string(100, 'x'), 600, 12},
                      PromptCase{"OneByteOverFullLine", std::string(101, 'x'), 600, 24},
                      // 51 two-byte characters are 102 bytes: two lines of 100 characters.
                      PromptCase{"TwoByteCharactersCountAsTwo", repeated("汉", 51), 600, 24},
                      PromptCase{"BoxNarrowerThanOneCharacter", "abc", 3, 36},
                      PromptCase{"BareLineFeedIsNoBreak", "a\nb", 600, 12}),
    [](const ::testing::TestParamInfo<PromptCase>& info) { return std::string(info.param.name); });

TEST(TextWindowLayout, EmptyPromptPutsBodyTenPixelsDownAndButtonInBottomBand) {
    const TextWindowGeometry g = layoutTextWindow(QSize(495, 393), "", QSize(80, 24));
    EXPECT_EQ(g.prompt.height(), 0);
    EXPECT_EQ(g.body, QRect(5, 10, 485, 393 - 10 - 34));
    EXPECT_EQ(g.closeButton.right() + 1, 495 - 5);
    EXPECT_EQ(g.closeButton.top(), 393 - 34 + (34 - 24) / 2);
}

TEST(TextWindowLayout, PromptPushesBodyDown) {
    const std::string prompt = std::string(10, 'a') + "\r\n" + std::string(130, 'b');
    const TextWindowGeometry g = layoutTextWindow(QSize(610, 400), prompt, QSize(80, 24));
    EXPECT_EQ(g.prompt, QRect(5, 5, 600, 36));
    EXPECT_EQ(g.body, QRect(5, 46, 600, 400 - 46 - 34));
}

// Runs `check` on the open modal window as soon as the event loop reaches it,
// then closes that window through its close button.
template <typename Check>
void whileModalOpen(Check check) {
    QTimer::singleShot(0, [check] {
        QWidget* window = QApplication::activeModalWidget();
        ASSERT_NE(window, nullptr);
        check(window);
        auto* close = window->findChild<QPushButton*>(QStringLiteral("按钮取消"));
        ASSERT_NE(close, nullptr);
        close->click();
    });
}

TEST(NotesWindow, ShowsHelpTextReadOnlyWithTheLayoutAtAnySize) {
    testing::testApplication();
    bool checked = false;
    whileModalOpen([&checked](QWidget* window) {
        EXPECT_EQ(window->windowTitle(), QStringLiteral("信息：疑点说明"));
        auto* body = window->findChild<QPlainTextEdit*>(QStringLiteral("编辑框正文"));
        auto* prompt = window->findChild<QPlainTextEdit*>(QStringLiteral("编辑框提示"));
        auto* close = window->findChild<QPushButton*>(QStringLiteral("按钮取消"));
        ASSERT_TRUE(body && prompt && close);
        EXPECT_TRUE(body->isReadOnly());
        EXPECT_TRUE(prompt->toPlainText().isEmpty());
        EXPECT_TRUE(body->toPlainText().contains(QStringLiteral("【软件介绍】")));
        EXPECT_TRUE(body->toPlainText().contains(QStringLiteral("【疑点说明】")));
        EXPECT_EQ(close->text(), QStringLiteral("关闭(&G)"));
        EXPECT_TRUE(close->isDefault());
        EXPECT_EQ(body->geometry().top(), 10);
        EXPECT_EQ(window->focusWidget(), body);

        // Centred, with 30 pixels kept for the task bar; halves truncated.
        const QRect screen = window->screen()->geometry();
        EXPECT_EQ(window->x() - screen.x(),
                  static_cast<int>(screen.width() / 2.0 - window->width() / 2.0));
        EXPECT_EQ(window->y() - screen.y(),
                  static_cast<int>((screen.height() - 30) / 2.0 - window->height() / 2.0));

        window->resize(800, 500);
        EXPECT_EQ(body->geometry(), QRect(5, 10, 790, 500 - 10 - 34));
        EXPECT_EQ(close->geometry().right() + 1, 800 - 5);
        EXPECT_GE(close->geometry().top(), body->geometry().bottom() + 1);
        checked = true;
    });
    showNotesWindow(nullptr);
    EXPECT_TRUE(checked);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(NotesWindow, SecondRequestWhileOpenReturnsAtOnce) {
    testing::testApplication();
    int windowsSeen = 0;
    bool secondReturned = false;
    whileModalOpen([&](QWidget* first) {
        ++windowsSeen;
        // A nested request from inside the open window's event loop.
        showTextWindow(QStringLiteral("别的"), QStringLiteral("正文"), nullptr);
        secondReturned = true;
        EXPECT_EQ(QApplication::activeModalWidget(), first);
    });
    showTextWindow(QStringLiteral("第一"), QStringLiteral("正文"), nullptr);
    EXPECT_EQ(windowsSeen, 1);
    EXPECT_TRUE(secondReturned);

    // Once closed, the next request opens a window again.
    whileModalOpen([&](QWidget* window) {
        ++windowsSeen;
        EXPECT_EQ(window->windowTitle(), QStringLiteral("信息：第三"));
    });
    showTextWindow(QStringLiteral("第三"), QStringLiteral("正文"), nullptr);
    EXPECT_EQ(windowsSeen, 2);
}

TEST(NotesHelpText, TwoHeadedPartsSeparatedByABlankLine) {
    SiteConfig config = SiteConfig::defaults();
    config.rankUrl = "http://127.0.0.1:1/rank/";
    config.keywordUrl = "http://127.0.0.1:1/words/";
    const std::string text = notesHelpText(config);
    const std::string rule(17, '-');
    const std::string intro = rule + "\r\n" + gbk("【软件介绍】") + "\r\n" + rule + "\r\n";
    const std::string notes =
        "\r\n\r\n" + rule + "\r\n" + gbk("【疑点说明】") + "\r\n" + rule + "\r\n";
    EXPECT_EQ(text.rfind(intro, 0), 0u) << "starts with the first heading";
    const auto notesAt = text.find(notes);
    ASSERT_NE(notesAt, std::string::npos);
    EXPECT_NE(text.find(gbk("百度排名：") + "\r\n" + config.rankUrl + "\r\n"), std::string::npos);
    EXPECT_NE(text.find(gbk("关键词挖掘：") + "\r\n" + config.keywordUrl + "\r\n"),
              std::string::npos);
    EXPECT_GT(text.find(gbk("就是以“|”间隔要查询的多个域名")), notesAt);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare line feed at " << i;
        }
    }
}

}  // namespace
}  // namespace rankminer
