#include "text/html_extractor.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>

#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

// A report row the way the ranking site writes it: mixed quoting, blanks
// around "=", upper-case tags, a two-class cell.
const std::string& reportRow() {
    static const std::string row =
        gbk("<tr><td class=\"title red\">旧</td>"
            "<TD CLASS='TITLE'><a name=baiduLink href='http://x.test/a b?c=1'>标题</a></TD>"
            "<td class=center><a>12</a></td>"
            "<td class = \"center\"><a>34</a></td>"
            "<td class=\"center\" id=3><a>56</a></td>"
            "<td class=\"more\">x<br/>y</td></tr>");
    return row;
}

struct FindCase {
    const char* name;
    std::string text;
    const char* tag;
    const char* attribute;
    std::string value;
    int index;
    bool innerOnly;
    std::string expected;
};

void PrintTo(const FindCase& c, std::ostream* os) {
    *os << c.name;
}

class FindElement : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindElement, FindsTheElement) {
    const FindCase& c = GetParam();
    HtmlExtractor extractor;
    EXPECT_BYTES_EQ(c.expected, extractor.findElement(c.text, c.tag, c.attribute, c.value, c.index,
                                                      c.innerOnly));
}

INSTANTIATE_TEST_SUITE_P(
    Html, FindElement,
    ::testing::Values(
        FindCase{"ClassListIsNoMatchForOneClass", "<tr><td class=\"title red\">k</td></tr>", "td",
                 "class", "title", 0, false, ""},
        FindCase{"CapitalTagAndValueFoundInSmallLetters",
                 "<p><DIV CLASS=\"BAIDURANK-LIST\">x</DIV>", "div", "class", "baidurank-list", 0,
                 false, "<DIV CLASS=\"BAIDURANK-LIST\">x</DIV>"},
        FindCase{"ApostrophesUnquotedAndUpToSpace", reportRow(), "td", "class", "center", 0, true,
                 "<a>12</a>"},
        // The raw page's `class = "center"` is skipped, so the second match is the third cell.
        FindCase{"BlanksAroundEqualsHideTheAttributeInTheRawPage", reportRow(), "td", "class",
                 "center", 2, true, "<a>56</a>"},
        FindCase{"IndexBeyondTheMatches", reportRow(), "td", "class", "center", 3, false, ""},
        FindCase{"IndexCountsEveryElementWithoutAttribute", "<b>1</b><b>2</b><b>3</b>", "b", "", "",
                 3, false, "<b>3</b>"},
        FindCase{"NameWithEmptyValueAsksForTheAttribute", reportRow(), "a", "name", "", 0, false,
                 gbk("<a name=baiduLink href='http://x.test/a b?c=1'>标题</a>")},
        FindCase{"SelfClosingIsItsStartTag", "x<br/>y", "br", "", "", 0, false, "<br/>"},
        FindCase{"SelfClosingHasNoInnerText", "x<br/>y", "br", "", "", 0, true, ""},
        FindCase{"NoEndTagEndsAfterStartTag", "<td>abc", "td", "", "", 0, false, "<td>"},
        FindCase{"NoEndTagHasNoInnerText", "<td>abc", "td", "", "", 0, true, ""},
        FindCase{"MissingGreaterSignIsNoElement", "<td class=\"x\"", "td", "", "", 0, false, ""},
        FindCase{"LongerTagNamesAreOtherTags", "<abbr>1</abbr><a2>2</a2><a>3</a>", "a", "", "", 0,
                 false, "<a>3</a>"},
        FindCase{"TagAtTheVeryEndCounts", "x<td", "td", "", "", 0, false, ""},
        FindCase{"NestedSameTagBalances", "<div><div>in</div>tail</div>after", "div", "", "", 0,
                 false, "<div><div>in</div>tail</div>"},
        FindCase{"UnbalancedOuterEndsAfterStartTag", "<div><div>in</div>", "div", "", "", 0, false,
                 "<div>"},
        FindCase{"EndTagCaseIgnored", "<TR><td>1</td></Tr>", "tr", "", "", 0, false,
                 "<TR><td>1</td></Tr>"},
        // The later row's start tag is left unbalanced by "</tr >".
        FindCase{"EndTagWithBlankIsNoEndTag", "<tr>1</tr ><tr>2</tr>", "tr", "", "", 0, false,
                 "<tr>"},
        FindCase{"ReturnedTextHasNoBlanksAroundEquals", "<tr><td class = \"center\">1</td></tr>",
                 "tr", "", "", 0, false, "<tr><td class=\"center\">1</td></tr>"},
        FindCase{"ValueTrimmedOfFullWidthSpaces", gbk("<td class=\"　title \">k</td>"), "td",
                 "class", "title", 0, true, "k"},
        // The quoted readings start at the first quoted spelling of the
        // attribute, which need not be its first spelling.
        FindCase{"QuotedReadingAfterAnUnquotedOne", "<td class=x class=\"url\">u</td>", "td",
                 "class", "url", 0, true, "u"},
        FindCase{"ApostrophedReadingAfterAnUnquotedOne", "<td class=x class='URL'>u</td>", "td",
                 "class", "url", 0, true, "u"},
        FindCase{"UnquotedReadingIsTheFirstSpellingOnly", "<td class=x class=url>u</td>", "td",
                 "class", "url", 0, true, ""},
        FindCase{"ChineseValueComparedAsBytes", gbk("<td title=\"排名\">7</td>"), "td", "title",
                 gbk("排名"), 0, true, "7"}),
    [](const ::testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

TEST(HtmlExtractor, NormalisedElementIsFoundWhereTheRawPageWasNot) {
    HtmlExtractor extractor;
    const std::string page = "<tr><td class = \"title\">k</td></tr>";
    EXPECT_EQ("", extractor.findElement(page, "td", "class", "title"));
    const std::string row = extractor.findElement(page, "tr");
    EXPECT_EQ("<td class=\"title\">k</td>", extractor.findElement(row, "td", "class", "title"));
}

TEST(HtmlExtractor, NestedTableRowIsCollectedAfterItsOuterRow) {
    const std::string table =
        "<table><tr><td><table><tr><td>in</td></tr></table></td></tr>"
        "<tr><td>2</td></tr></table>";
    HtmlExtractor extractor;
    ASSERT_EQ(3, extractor.collectElements(table, "tr"));
    EXPECT_EQ("<tr><td><table><tr><td>in</td></tr></table></td></tr>", extractor.elementAt(1));
    EXPECT_EQ("<tr><td>in</td></tr>", extractor.elementAt(2));
    EXPECT_EQ("<tr><td>2</td></tr>", extractor.elementAt(3));
    EXPECT_EQ("", extractor.elementAt(0));
    EXPECT_EQ("", extractor.elementAt(4));
    EXPECT_EQ(3, extractor.countElements(table, "TR"));
}

TEST(HtmlExtractor, CollectedElementsHandOutNormalisedCopies) {
    HtmlExtractor extractor;
    std::string page = "<tr class = 'a'>1</tr><br/><tr>2";
    ASSERT_EQ(2, extractor.collectElements(page, "tr"));
    page.assign(page.size(), '#');  // the extractor keeps its own copy
    EXPECT_EQ("<tr class='a'>1</tr>", extractor.elementAt(1));
    EXPECT_EQ("<tr>", extractor.elementAt(2));
}

TEST(HtmlExtractor, FindBetweenCollectAndElementAtLeavesTheMatchList) {
    HtmlExtractor extractor;
    ASSERT_EQ(2, extractor.collectElements("<tr><td>a</td></tr><tr><td>b</td></tr>", "tr"));
    const std::string first = extractor.elementAt(1);
    EXPECT_EQ("a", extractor.findElement(first, "td", "", "", 0, true));
    EXPECT_EQ("<tr><td>b</td></tr>", extractor.elementAt(2));
    EXPECT_EQ(2, extractor.collectElements("<tr><td>a</td></tr><tr><td>b</td></tr>", "tr"));
}

TEST(HtmlExtractor, LastResultIsTheLastSuccessfulFind) {
    HtmlExtractor extractor;
    EXPECT_EQ("", extractor.lastResult());
    extractor.findElement("<b>1</b>", "b");
    EXPECT_EQ("<b>1</b>", extractor.lastResult());
    EXPECT_EQ("", extractor.findElement("<b>1</b>", "i"));
    EXPECT_EQ("<b>1</b>", extractor.lastResult());
}

TEST(HtmlExtractor, DeepNestingIsCollectedWhole) {
    const int depth = 20'000;
    std::string text;
    for (int i = 0; i < depth; ++i) {
        text += "<div>";
    }
    text += "core";
    for (int i = 0; i < depth; ++i) {
        text += "</div>";
    }
    HtmlExtractor extractor;
    ASSERT_EQ(depth, extractor.collectElements(text, "div"));
    EXPECT_TRUE(extractor.elementAt(1) == text);
    EXPECT_EQ("<div>core</div>", extractor.elementAt(depth));
    EXPECT_EQ(text.size() - 11, extractor.elementAt(2).size());
}

// Random tag soup: the collect pass balances all elements at once, findElement
// one element at a time; both must agree on every element.
TEST(HtmlExtractor, CollectAgreesWithFindOnRandomMarkup) {
    const std::vector<std::string> pieces = {
        "<div>", "</div>", "<DIV class=a>", "<div/>", "<divx>", "</div >",   "t",
        "<div",  ">",      "</DIV>",        "<b>",    "</b>",   "<div <div>"};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    for (int round = 0; round < 400; ++round) {
        std::string text;
        for (int i = 0; i < 30; ++i) {
            text += pieces[pick(random)];
        }
        HtmlExtractor collector;
        HtmlExtractor finder;
        const int count = collector.collectElements(text, "div");
        for (int i = 1; i <= count; ++i) {
            ASSERT_EQ(finder.findElement(text, "div", "", "", i), collector.elementAt(i))
                << "element " << i << " of " << text;
        }
        ASSERT_EQ("", finder.findElement(text, "div", "", "", count + 1)) << text;
    }
}

struct AttributeCase {
    const char* name;
    std::string element;
    const char* attribute;
    std::string expected;
};

void PrintTo(const AttributeCase& c, std::ostream* os) {
    *os << c.name;
}

class AttributeValue : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(AttributeValue, ReadsTheValue) {
    const AttributeCase& c = GetParam();
    EXPECT_BYTES_EQ(c.expected, HtmlExtractor::attributeValue(c.element, c.attribute));
}

INSTANTIATE_TEST_SUITE_P(
    Html, AttributeValue,
    ::testing::Values(
        AttributeCase{"ApostrophesKeepSpaces", "<a href='a b c' name=x>t</a>", "href", "a b c"},
        AttributeCase{"DoubleQuotes", "<a href=\"u?v=1\">t</a>", "href", "u?v=1"},
        AttributeCase{"UnquotedUpToSpace", "<a href=x/y title=z>t</a>", "href", "x/y"},
        AttributeCase{"UnquotedUpToGreaterSign", "<a href=x/y>t </a>", "href", "x/y"},
        AttributeCase{"ExplicitlyEmpty", "<a href=\"\" name=\"n\">t</a>", "href", ""},
        AttributeCase{"Missing", "<a name=\"n\">t</a>", "href", ""},
        AttributeCase{"NameCaseIgnored", "<A HREF=\"X\">t</A>", "href", "X"},
        AttributeCase{"BlanksTrimmed", gbk("<a href=\" x　\">t</a>"), "href", "x"},
        AttributeCase{"WithoutLeadingSpaceSecondAttempt", "<a\thref=\"q\">t</a>", "href", "q"},
        AttributeCase{"FirstOccurrenceWins", "<a href=\"1\"><a href=\"2\">", "href", "1"}),
    [](const ::testing::TestParamInfo<AttributeCase>& info) {
        return std::string(info.param.name);
    });

TEST(TextBetween, FirstLeftThenFirstRightAfterIt) {
    EXPECT_EQ("b", HtmlExtractor::textBetween("]a[b]c[d]", "[", "]"));
    EXPECT_EQ("Mid", HtmlExtractor::textBetween("xSTARTMidEnd", "start", "end"));
    EXPECT_EQ("", HtmlExtractor::textBetween("a[b", "[", "]"));
    EXPECT_EQ("", HtmlExtractor::textBetween("a]b", "[", "]"));
    // A marker never matches across a two-byte character: 0xB0 0x5B ends in "[".
    EXPECT_BYTES_EQ("y", HtmlExtractor::textBetween(std::string("\xB0[x[y]"), "[", "]"));
}

// textBetween jumps between candidate bytes; it must find exactly what a
// character-by-character search finds, lead bytes and odd pairings included.
TEST(TextBetween, AgreesWithCharacterSearchOnRandomTexts) {
    const auto reference = [](std::string_view text, std::string_view left,
                              std::string_view right) -> std::string {
        const long long leftAt = findText(text, left, 1, true);
        if (leftAt == -1) {
            return {};
        }
        const long long from = leftAt + static_cast<long long>(left.size());
        const long long rightAt = findText(text, right, from, true);
        return rightAt == -1 ? std::string()
                             : std::string(text.substr(static_cast<std::size_t>(from - 1),
                                                       static_cast<std::size_t>(rightAt - from)));
    };
    const std::string alphabet = std::string("\xB0\xA1\xD6 =\"'>aAC", 11);
    const std::vector<std::pair<std::string, std::string>> markers = {
        {" a=\"", "\""}, {" A=", " "}, {"a", ">"}, {std::string("\xA1 "), "'"}, {"=", "C"}};
    std::mt19937 random(11);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        for (int i = 0; i < 24; ++i) {
            text.push_back(alphabet[pick(random)]);
        }
        const auto& [left, right] = markers[static_cast<std::size_t>(round) % markers.size()];
        ASSERT_BYTES_EQ(reference(text, left, right),
                        HtmlExtractor::textBetween(text, left, right));
    }
}

}  // namespace
}  // namespace rankminer
