#include "mining/mining_controls.h"

#include <gtest/gtest.h>

#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

TEST(MiningHeaderLine, NamesTheChosenFieldsInLineOrder) {
    EXPECT_BYTES_EQ(gbk("关键词"), miningHeaderLine({}));
    EXPECT_BYTES_EQ(gbk("关键词,搜索量,收录量,第一位,第二位,优化难度"),
                    miningHeaderLine({true, true, true, true, true}));
    EXPECT_BYTES_EQ(gbk("关键词,收录量,优化难度"),
                    miningHeaderLine({false, true, false, false, true}));
}

}  // namespace
}  // namespace rankminer
