// The resize rule: tab control to the client's size, report list with equal
// margins inside its page, only "网页标题" taking up the spare width.

#include <QHeaderView>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

#include <ostream>

#include "main_window_fixture.h"

namespace rankminer::testing {
namespace {

struct SizeCase {
    const char* label;
    int width;
    int height;
};

void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << c.width << "x" << c.height;
}

class ResizeRuleTest : public MainWindowTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(ResizeRuleTest, ListKeepsEqualMarginsAndOnlyTheTitleColumnStretches) {
    const SizeCase& c = GetParam();
    MainWindow& window = openWindow();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.resize(c.width, c.height);
    QTRY_COMPARE(window.size(), QSize(c.width, c.height));

    auto* tabs = widget<QTabWidget>(u"选择夹");
    auto* status = widget<QStatusBar>(u"状态条");
    EXPECT_EQ(tabs->width(), c.width);
    EXPECT_EQ(tabs->geometry().bottom() + 1, status->y());
    EXPECT_EQ(status->geometry().bottom() + 1, c.height);
    EXPECT_EQ(widget<QWidget>(u"图片框1")->width(), c.width);
    EXPECT_EQ(widget<QWidget>(u"标签9")->width(), c.width);

    auto* list = widget<QTreeView>(u"超级列表框");
    const QSize page = list->parentWidget()->size();
    const QRect place = list->geometry();
    EXPECT_GT(place.x(), 0);
    EXPECT_EQ(page.width() - (place.x() + place.width()), place.x()) << "right margin";
    EXPECT_EQ(page.height() - (place.y() + place.height()), place.x()) << "bottom margin";

    const int designWidths[] = {50, 100, 150, 60, 60, 90, -1, 200};
    int others = 0;
    for (int column = 0; column < 8; ++column) {
        if (column == 6) {
            continue;
        }
        EXPECT_EQ(list->header()->sectionSize(column), designWidths[column]) << column;
        others += designWidths[column];
    }
    EXPECT_EQ(list->header()->sectionSize(6), std::max(60, place.width() - others - 10));
}

const SizeCase kSizes[] = {
    {"Design", 990, 602},
    {"Large", 1400, 900},
    {"Narrow", 700, 500},
    {"Smallest", 640, 420},  // the title column stops at its minimum here
};

INSTANTIATE_TEST_SUITE_P(Sizes, ResizeRuleTest, ::testing::ValuesIn(kSizes),
                         [](const ::testing::TestParamInfo<SizeCase>& info) {
                             return std::string(info.param.label);
                         });

TEST_F(MainWindowTest, ResizingBackRestoresTheTitleColumn) {
    MainWindow& window = openWindow();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* list = widget<QTreeView>(u"超级列表框");
    const int designTitle = list->header()->sectionSize(6);
    window.resize(1300, 700);
    QTRY_COMPARE(window.size(), QSize(1300, 700));
    EXPECT_EQ(list->header()->sectionSize(6), designTitle + 310);
    window.resize(MainWindow::kDesignWidth, MainWindow::kDesignHeight);
    QTRY_COMPARE(window.size(), QSize(MainWindow::kDesignWidth, MainWindow::kDesignHeight));
    EXPECT_EQ(list->header()->sectionSize(6), designTitle);
}

}  // namespace
}  // namespace rankminer::testing
