#include "site_simulator/content_dice.h"

#include <array>
#include <vector>

#include "text/gbk.h"

namespace rankminer::sim {

namespace {
std::uint64_t splitMix(std::uint64_t& state) {
    state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// Converted once: the pools are read for every row of every page.
const std::vector<std::string>& chinesePool() {
    static const std::vector<std::string> pool = [] {
        constexpr std::array<std::string_view, 40> words = {
            "网站建设", "优化", "北京", "上海", "深圳", "教程", "价格", "公司", "排名", "推广",
            "软件",     "下载", "免费", "手机", "装修", "旅游", "招聘", "培训", "租房", "二手车",
            "美食",     "天气", "新闻", "视频", "小说", "游戏", "音乐", "地图", "翻译", "医院",
            "学校",     "考试", "汽车", "保险", "健身", "宠物", "电影", "图片", "英语", "杭州"};
        std::vector<std::string> converted;
        for (const auto word : words) {
            converted.push_back(gbk(word));
        }
        return converted;
    }();
    return pool;
}

const std::vector<std::string>& asciiPool() {
    static const std::vector<std::string> pool = {
        "seo", "app", "cms", "php",  "vps",    "5g",    "ai", "wifi", "pdf",
        "ppt", "h5",  "css", "java", "python", "win10", "ip", "vip",  "dns",
        "ssl", "cdn", "api", "ui",   "3d",     "mp3",   "gps"};
    return pool;
}
}  // namespace

ContentDice::ContentDice(std::string_view seedText, long long a, long long b)
    : state_(textHash(seedText) ^ (static_cast<std::uint64_t>(a) * 0x100000001B3ULL) ^
             (static_cast<std::uint64_t>(b) << 32)) {}

std::uint64_t ContentDice::next() {
    return splitMix(state_);
}

int ContentDice::below(int n) {
    return static_cast<int>(next() % static_cast<std::uint64_t>(n));
}

long long ContentDice::between(long long lo, long long hi) {
    const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
    return lo + static_cast<long long>(next() % span);
}

std::uint64_t textHash(std::string_view text) {
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (const unsigned char byte : text) {
        hash ^= byte;
        hash *= 0x100000001B3ULL;
    }
    return hash;
}

const std::string& chineseWord(std::size_t index) {
    return chinesePool()[index % chinesePool().size()];
}
std::size_t chineseWordCount() {
    return chinesePool().size();
}
const std::string& asciiWord(std::size_t index) {
    return asciiPool()[index % asciiPool().size()];
}
std::size_t asciiWordCount() {
    return asciiPool().size();
}

std::string hexToken(std::uint64_t value) {
    static constexpr std::string_view digits = "0123456789abcdef";
    std::string token(16, '0');
    for (int i = 15; i >= 0; --i) {
        token[static_cast<std::size_t>(i)] = digits[value & 0xF];
        value >>= 4;
    }
    return token;
}

std::string groupThousands(long long value, std::string_view separator) {
    const std::string digits = std::to_string(value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0 && digits[i - 1] != '-') {
            out += separator;
        }
        out += digits[i];
    }
    return out;
}

std::string escapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = gbkCharLength(text, i);
        if (length == 1) {
            switch (text[i]) {
                case '&':
                    out += "&amp;";
                    break;
                case '<':
                    out += "&lt;";
                    break;
                case '>':
                    out += "&gt;";
                    break;
                case '"':
                    out += "&quot;";
                    break;
                default:
                    out += text[i];
            }
        } else {
            out.append(text.substr(i, length));
        }
        i += length;
    }
    return out;
}

}  // namespace rankminer::sim
