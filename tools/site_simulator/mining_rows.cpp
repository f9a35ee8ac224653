#include "site_simulator/mining_rows.h"

#include "site_simulator/content_dice.h"
#include "text/gbk.h"

namespace rankminer::sim {

namespace {
// The seed as it can sit in generated keywords: line breaks and tabs
// dropped, blanks trimmed, markup characters escaped. The keyword cell gets
// no entity decoding, so the escaped form is what the parser reads.
std::string seedForKeywords(std::string_view seed) {
    std::string plain;
    for (const char c : seed) {
        if (c != '\r' && c != '\n' && c != '\t') {
            plain += c;
        }
    }
    return escapeHtml(trimBlanks(plain));
}

std::string relatedKeyword(const std::string& seed, std::size_t rowIndex) {
    static const std::string price = gbk("多少钱");
    const std::size_t pairs = chineseWordCount() * asciiWordCount();
    const std::string& chinese = chineseWord(rowIndex % chineseWordCount());
    const std::string& ascii = asciiWord((rowIndex / chineseWordCount()) % asciiWordCount());
    switch ((rowIndex / pairs) % 3) {
        case 0:
            return seed + chinese + ascii;
        case 1:
            return ascii + " " + seed + chinese;
        default:
            return seed + chinese + price + ascii;
    }
}

struct Piece {
    std::string html;
    std::string clean;
};

// Search volume and indexed count: numeric references for the thousands
// separator, as the site writes them.
Piece countText(ContentDice& dice, int variant) {
    const long long value = dice.between(10, 3'000'000);
    const std::string plain = std::to_string(value);
    if (variant == 1 || variant == 2) {
        return {groupThousands(value, variant == 1 ? "&#44;" : "&#x2c;"),
                groupThousands(value, ",")};
    }
    if (variant == 3) {
        return {"&lt;50", "<50"};
    }
    if (variant == 4) {
        return {"\n        " + plain + "\n      ", plain};
    }
    return {plain, plain};
}

// A first or second position: a linked page title and its address. The
// parser drops commas, decodes entities, strips tags and removes every white
// space.
Piece positionText(ContentDice& dice, int variant) {
    const std::string& word = chineseWord(static_cast<std::size_t>(dice.below(40)));
    const std::string& other = chineseWord(static_cast<std::size_t>(dice.below(40)));
    const std::string& site = asciiWord(static_cast<std::size_t>(dice.below(25)));
    const std::string address = "www." + site + "-" + hexToken(dice.next()).substr(0, 4) + ".com";
    const std::string anchor =
        "<a href=\"http://" + address + "/\" target=\"_blank\" title=\"" + word + "\">";
    switch (variant) {
        case 1:
            return {anchor + word + ", " + other + "\n<br/>" + address + "</a>",
                    word + other + address};
        case 2:
            return {anchor + word + " &amp; " + other + "</a><br>\n<span>" + address + "</span>",
                    word + "&" + other + address};
        case 3:
            return {"-", "-"};
        default:
            return {anchor + word + "&nbsp;" + other + "</a> <span class=\"gray\">" + address +
                        "</span>",
                    word + other + address};
    }
}
}  // namespace

std::vector<MiningRowMarkup> miningRowMarkup(std::string_view keyword, int page, int rowsPerPage) {
    std::vector<MiningRowMarkup> rows;
    if (page < 1 || rowsPerPage < 1) {
        return rows;
    }
    const std::string seed = seedForKeywords(keyword);
    for (int row = 0; row < rowsPerPage; ++row) {
        const auto rowIndex = static_cast<std::size_t>((page - 1) * rowsPerPage + row);
        ContentDice dice(keyword, page, row);
        // Tag spellings vary inside rows only: the rows are read from texts in
        // which blanks around "=" are already gone.
        const bool loud = rowIndex % 3 == 1;
        const std::string td = loud ? "<TD" : "<td";
        const std::string tdEnd = loud ? "</TD>" : "</td>";
        const std::string classEq = rowIndex % 3 == 2 ? " class = " : " class=";

        MiningRowMarkup out;
        const bool noTitle = rowIndex % 13 == 5;
        const std::string related = noTitle ? std::string() : relatedKeyword(seed, rowIndex);
        const std::string titleHtml = noTitle ? std::string(rowIndex % 2 == 0 ? "" : "\n   ")
                                              : "<a href=\"/kw/" + hexToken(textHash(related)) +
                                                    "/\" target=\"_blank\">" + related + "</a>";
        const Piece volume = countText(dice, static_cast<int>(rowIndex % 5));
        const Piece indexed = countText(dice, static_cast<int>((rowIndex + 2) % 5));
        const Piece first = positionText(dice, static_cast<int>(rowIndex % 3));
        const Piece second = positionText(dice, static_cast<int>(rowIndex % 4));
        const std::string level = "lv" + std::to_string(dice.between(1, 5));
        const std::string levelTag =
            rowIndex % 4 == 3 ? "<I CLASS='" + level + "'></I>" : "<i class=\"" + level + "\"></i>";

        out.html = "<tr>\n  " + td + classEq + "\"title\">" + titleHtml + tdEnd + "\n  " + td +
                   "><span class=\"blue\">" + volume.html + "</span>" + tdEnd + "\n  " + td +
                   classEq + "\"level\">" + indexed.html + tdEnd + "\n  " + td + classEq +
                   "\"url\">" + first.html + tdEnd + "\n  " + td + classEq + "\"url\">" +
                   second.html + tdEnd + "\n  " + td + classEq + "\"level\">" + levelTag + tdEnd +
                   "\n</tr>\n";
        out.expected = {related, volume.clean, indexed.clean, first.clean, second.clean, level};
        rows.push_back(std::move(out));
    }
    return rows;
}

}  // namespace rankminer::sim
