#include "site_simulator/rank_rows.h"

#include <string>

#include "site_simulator/content_dice.h"
#include "site_simulator/scenarios.h"
#include "text/gbk.h"

namespace rankminer::sim {

namespace {
// Word combinations (pattern x Chinese word x ASCII word) give this many
// distinct keywords per cycle; later cycles add their number, so keywords
// never repeat within a domain unless a scenario asks for it.
constexpr std::size_t kPatterns = 4;

std::string keywordFor(std::string_view domain, std::size_t rowIndex) {
    const std::size_t pairs = chineseWordCount() * asciiWordCount();
    const std::size_t cycle = pairs * kPatterns;
    const std::size_t v = (rowIndex % cycle + textHash(domain) % cycle) % cycle;
    const std::string& chinese = chineseWord(v % chineseWordCount());
    const std::string& ascii = asciiWord((v / chineseWordCount()) % asciiWordCount());
    static const std::string question = gbk("是什么");
    std::string keyword;
    switch (v / pairs) {
        case 0:
            keyword = chinese + ascii;
            break;
        case 1:
            keyword = ascii + chinese;
            break;
        case 2:
            keyword = chinese + " " + ascii;
            break;
        default:
            keyword = chinese + ascii + question;
    }
    if (rowIndex >= cycle) {
        keyword += " " + std::to_string(rowIndex / cycle + 1);
    }
    return keyword;
}

struct Piece {
    std::string html;
    std::string clean;
};

// Tag spellings differ by row so that parsers meet upper-case tags, blanks
// around "=", apostrophes and unquoted values, as on the real pages. Only
// markup inside rows varies: the page-level markers are searched on the raw
// page, where blanks around "=" would hide them.
struct RowStyle {
    std::string td;       // "<td", "<TD"
    std::string tdEnd;    // "</td>"
    std::string classEq;  // " class=", " class = ", " CLASS="
    std::string quote;    // "\"", "'", ""
    std::string a, aEnd, span, spanEnd;
    std::string gap;  // between cells
};

RowStyle styleFor(int style) {
    switch (style) {
        case 1:
            return {"<TD", "</TD>", " class = ", "'", "<A", "</A>", "<SPAN", "</SPAN>", "\r\n"};
        case 2:
            return {"<td", "</td>", " class=", "", "<a", "</a>", "<span", "</span>", "\n    "};
        default:
            return {"<td", "</td>", " class=", "\"", "<a", "</a>", "<span", "</span>", ""};
    }
}

std::string classAttr(const RowStyle& s, std::string_view value) {
    return s.classEq + s.quote + std::string(value) + s.quote;
}

Piece keywordCell(const RowStyle& s, const std::string& keyword, bool note, int style) {
    static const std::string noteText = gbk("此关键词包含:");
    static const std::string related = gbk("个相关词");
    std::string html = s.td + classAttr(s, "title") + ">";
    if (style == 2) {
        html += "\n      <a href=\"/s/" + hexToken(textHash(keyword)) + "\" target=_blank>" +
                keyword + "</a>  ";
    } else if (style == 1) {
        html += "\r\n  " + keyword + "  ";
    } else {
        html += keyword;
    }
    if (note) {
        html +=
            s.span + classAttr(s, "gray") + ">" + noteText + keyword + ", 3" + related + s.spanEnd;
    }
    html += style == 2 ? "\n    " + s.tdEnd : s.tdEnd;
    return {html, keyword};
}

Piece numberCell(const RowStyle& s, ContentDice& dice, int variant) {
    const long long value = dice.between(10, 2'000'000);
    const std::string plain = std::to_string(value);
    std::string inner;
    std::string clean;
    switch (variant) {
        case 0:
            inner = "&lt;50";
            clean = "<50";
            break;
        case 1:
            inner = groupThousands(value, "&#44;");
            clean = groupThousands(value, ",");
            break;
        case 2:
            inner = "<b>" + plain + "</b>";
            clean = plain;
            break;
        default:
            inner = clean = plain;
    }
    const std::string html = s.td + classAttr(s, "center") + ">" + s.a + " href=\"/trend/" +
                             hexToken(dice.next()) + "\" target=\"_blank\">" + inner + s.aEnd +
                             s.tdEnd;
    return {html, clean};
}

Piece titlePiece(const std::string& keyword, ContentDice& dice, int variant) {
    static const std::string site = gbk("网");
    static const std::string official = gbk("官网");
    static const std::string channel = gbk("频道");
    static const std::string service = gbk("服务");
    static const std::string comma = gbk("，");
    const std::string& word = chineseWord(static_cast<std::size_t>(dice.below(40)));
    const std::string& other = chineseWord(static_cast<std::size_t>(dice.below(40)));
    const std::string lead = "<em>" + keyword + "</em>";
    switch (variant) {
        case 1:  // commas become full-width commas
            return {lead + ", " + word + "," + other + service,
                    keyword + comma + " " + word + comma + other + service};
        case 2:  // the title gets no entity decoding: "&amp;" stays
            return {"\n        " + lead + " &amp; " + word + official,
                    keyword + " &amp; " + word + official};
        case 3:  // "&nbsp;" is removed by the cell cleaner, not turned into a space
            return {lead + "&nbsp;-&nbsp;" + word + channel + " ", keyword + "-" + word + channel};
        default:
            return {lead + "_" + word + site, keyword + "_" + word + site};
    }
}
}  // namespace

std::vector<RankRowMarkup> rankRowMarkup(std::string_view domain, int page, bool mobile,
                                         int rowsPerPage, int defaultPages,
                                         std::string_view engineHost) {
    const RankScenarioInfo scenario = rankScenarioOf(domain, defaultPages);
    std::vector<RankRowMarkup> rows;
    if (page < 1 || rowsPerPage < 1 || scenario.kind == RankScenario::Empty) {
        return rows;
    }
    const std::string host(engineHost);
    for (int row = 0; row < rowsPerPage; ++row) {
        const auto rowIndex = static_cast<std::size_t>((page - 1) * rowsPerPage + row);
        ContentDice dice(domain, page * 1000 + row, mobile ? 1 : 0);
        const int style = static_cast<int>(rowIndex % 3);
        const RowStyle s = styleFor(style);
        const bool repeated = scenario.kind == RankScenario::Dupes && page > 1 && row % 5 == 2;
        const std::string keyword =
            keywordFor(domain, repeated ? static_cast<std::size_t>(row) : rowIndex);

        RankRowMarkup out;
        const Piece keywordPiece = keywordCell(s, keyword, rowIndex % 4 == 1, style);
        const std::string rank = std::to_string(dice.between(1, 50));
        const std::string rankHtml = s.td + classAttr(s, "center") + ">" + s.span +
                                     classAttr(s, "blue") + ">" + rank + s.spanEnd + s.tdEnd;
        const Piece volume = numberCell(s, dice, static_cast<int>(rowIndex % 7) - 3);
        Piece indexed;
        if (!mobile) {
            indexed = numberCell(s, dice, rowIndex % 5 == 0 ? 2 : 3);
        } else if (rowIndex % 2 == 0) {
            indexed.html = s.td + classAttr(s, "center") + ">" + s.tdEnd;
        }
        const Piece title = titlePiece(keyword, dice, static_cast<int>(rowIndex % 4));

        const std::string token = hexToken(dice.next());
        const bool dead = scenario.kind == RankScenario::DeadLink;
        std::string href = rowIndex % 11 == 7 ? "HTTP://" : "http://";
        const std::string target = (mobile ? "m" : "") + token;
        href += host + (mobile ? "/s?url=" : "/link?url=") + (dead ? "dead" : "") + target;
        out.expected.resolved = dead ? std::string() : "http://" + host + "/target/" + target;

        std::string link;
        switch (style) {
            case 1:
                link = "<A name = \"baiduLink\" href='" + href + "' target=\"_blank\">";
                break;
            case 2:
                link = "<a name=baiduLink href=" + href + " target=_blank>";
                break;
            default:
                link = "<a name=\"baiduLink\" href=\"" + href + "\" target=\"_blank\">";
        }
        const std::string titleCell = s.td + classAttr(s, "left") + ">" + link + title.html +
                                      s.aEnd + "<br>" + s.span + classAttr(s, "url") + ">www." +
                                      asciiWord(rowIndex) + ".com" + s.spanEnd + s.tdEnd;

        out.html = "<tr>" + s.gap + keywordPiece.html + s.gap + rankHtml + s.gap + volume.html +
                   s.gap + indexed.html + s.gap + titleCell + s.gap + "</tr>\n";
        out.expected.keyword = keywordPiece.clean;
        out.expected.rank = rank;
        out.expected.volume = volume.clean;
        out.expected.indexed = indexed.clean;
        out.expected.title = title.clean;
        out.expected.href = href;
        rows.push_back(std::move(out));
    }
    return rows;
}

}  // namespace rankminer::sim
