#include "mining/result_parser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "mining/keyword_path.h"
#include "mining/mining_controls.h"
#include "support/bytes.h"
#include "support/recording_host.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::readFileBytes;
using testing::RecordingHost;
using testing::TempDir;

std::string fixture(const char* name) {
    const auto folder = std::filesystem::path(__FILE__).parent_path() / "fixtures";
    return readFileBytes((folder / name).string());
}

// A page of the report: a header row and three rows (a full one, one whose
// title cell is empty, one with a title only), and a pager up to page 3.
class ResultParserTest : public ::testing::Test {
protected:
    void SetUp() override {
        page = fixture("result_page.html");
        ASSERT_FALSE(page.empty());
        setFields(true);
        host.checks[c.keepEmptyKeyword] = true;
    }
    void setFields(bool on) {
        for (const std::string* box :
             {&c.volumeBox, &c.indexedBox, &c.firstBox, &c.secondBox, &c.difficultyBox}) {
            host.checks[*box] = on;
        }
    }
    std::string results() { return host.texts[c.results]; }

    const MiningControls& c = miningControls();
    RecordingHost host;
    MiningState state;
    std::string page;
    const std::string seed = gbk("种子");
};

TEST_F(ResultParserTest, AllFieldsInLineOrderWithCleanedCells) {
    parseMiningPage(host, state, page, seed);
    EXPECT_BYTES_EQ(fixture("result_page_all_fields.txt"), results());
    EXPECT_EQ(3, state.rowsTotal);
    EXPECT_EQ(3, state.rowsThisSeed);
    EXPECT_EQ(3, countResultPages(page));
}

TEST_F(ResultParserTest, WithoutFieldsEachLineIsTheKeyword) {
    setFields(false);
    parseMiningPage(host, state, page, seed);
    EXPECT_BYTES_EQ(gbk("手机 壁纸\r\n种子\r\n壁纸，高清\r\n"), results());
}

TEST_F(ResultParserTest, FieldsKeepTheirOrderWhateverIsChosen) {
    setFields(false);
    host.checks[c.difficultyBox] = true;
    host.checks[c.volumeBox] = true;
    parseMiningPage(host, state, page, seed);
    EXPECT_BYTES_EQ(gbk("手机 壁纸,1,200,diff-4\r\n种子,<100,diff-1\r\n壁纸，高清,,\r\n"),
                    results());
}

struct KeepEmptyCase {
    const char* name;
    bool keepBoxChecked;
    bool firstPage;
    bool seedInKeyword;
};

void PrintTo(const KeepEmptyCase& c, std::ostream* os) {
    *os << c.name;
}

class KeepEmptyKeyword : public ResultParserTest,
                         public ::testing::WithParamInterface<KeepEmptyCase> {};

TEST_P(KeepEmptyKeyword, SeedFillsAnEmptyTitleOnPageOneOnly) {
    setFields(false);
    host.checks[c.keepEmptyKeyword] = GetParam().keepBoxChecked;
    parseMiningPage(host, state, page, GetParam().firstPage ? seed : std::string());
    const std::string second = GetParam().seedInKeyword ? seed : std::string();
    EXPECT_BYTES_EQ(gbk("手机 壁纸\r\n") + second + gbk("\r\n壁纸，高清\r\n"), results());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeepEmptyKeyword,
    ::testing::Values(KeepEmptyCase{"CheckedFirstPage", true, true, true},
                      KeepEmptyCase{"UncheckedFirstPage", false, true, false},
                      KeepEmptyCase{"CheckedLaterPage", true, false, false},
                      KeepEmptyCase{"UncheckedLaterPage", false, false, false}),
    [](const ::testing::TestParamInfo<KeepEmptyCase>& info) { return info.param.name; });

TEST_F(ResultParserTest, MaximumPerSeedStopsMidPage) {
    setFields(false);
    host.texts[c.maximumRows] = "5";
    state.rowsThisSeed = 3;  // rows of earlier pages of the seed count
    state.rowsTotal = 10;
    parseMiningPage(host, state, page, seed);
    EXPECT_BYTES_EQ(gbk("手机 壁纸\r\n种子\r\n"), results());
    EXPECT_EQ(5, state.rowsThisSeed);
    EXPECT_EQ(12, state.rowsTotal);
}

TEST_F(ResultParserTest, StopRequestOrMissingResultBlockYieldsNoRows) {
    state.stopRequested = true;
    parseMiningPage(host, state, page, seed);
    EXPECT_EQ("", results());
    state.stopRequested = false;

    std::string withoutBlock = replaceAllText(page, "ci-content", "ci-other");
    parseMiningPage(host, state, withoutBlock, seed);
    parseMiningPage(host, state, "", seed);
    EXPECT_EQ("", results());
    EXPECT_EQ(0, state.rowsTotal);
}

TEST_F(ResultParserTest, LinesReachTheOutputFileOnlyWithAutoSave) {
    TempDir temp;
    const std::string path = temp.file("out.csv");
    ASSERT_TRUE(state.outputFile.open(path));
    setFields(false);
    host.checks[c.autoSave] = true;
    parseMiningPage(host, state, page, seed);
    host.checks[c.autoSave] = false;
    parseMiningPage(host, state, page, "");
    state.outputFile.close();
    // Written line by line, straight through: the file already holds them.
    EXPECT_BYTES_EQ(gbk("手机 壁纸\r\n种子\r\n壁纸，高清\r\n"), readFileBytes(path));
    EXPECT_FALSE(state.diskFailure);
    EXPECT_EQ(6, state.rowsTotal);
}

TEST(ResultLineOfRow, ReadsCellsOfAnyLetterCaseAndLeavesMissingOnesEmpty) {
    HtmlExtractor extractor;
    const MiningCellCleaners cleaners;
    const std::string row = "<TR><TD CLASS=\"TITLE\">a<b>b</b></TD><TD CLASS=\"url\">x</TD></TR>";
    EXPECT_EQ("ab,,,x,,",
              resultLineOfRow(extractor, row, {true, true, true, true, true}, cleaners, "seed"));
    EXPECT_EQ("seed,", resultLineOfRow(extractor, "<tr><td>no title</td></tr>",
                                       {true, false, false, false, false}, cleaners, "seed"));
}

}  // namespace
}  // namespace rankminer
