#pragma once

// The extractors a user could pick instead of ours, cutting the same cells out
// of the same pages: libxml2's HTML parser with XPath, and gumbo with a tree
// walk. Each returns the cells of every data row, in row order.

#include <gumbo.h>
#include <libxml/HTMLparser.h>
#include <libxml/xpath.h>

#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/gbk.h"

namespace rankminer::bench {

using Cells = std::vector<std::string>;

// ---- libxml2 + XPath --------------------------------------------------------

struct XmlDocDeleter {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
struct XPathContextDeleter {
    void operator()(xmlXPathContext* context) const { xmlXPathFreeContext(context); }
};
struct XPathObjectDeleter {
    void operator()(xmlXPathObject* object) const { xmlXPathFreeObject(object); }
};
using XPathObject = std::unique_ptr<xmlXPathObject, XPathObjectDeleter>;

inline XPathObject evaluate(const char* expression, xmlXPathContext* context) {
    return XPathObject(
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(expression), context));
}

// Rows by `rowsPath`; per row, the string value of each of `cellPaths`.
inline std::vector<Cells> libxmlExtract(std::string_view page, const char* rowsPath,
                                        const std::vector<const char*>& cellPaths) {
    std::vector<Cells> rows;
    std::unique_ptr<xmlDoc, XmlDocDeleter> doc(htmlReadMemory(
        page.data(), static_cast<int>(page.size()), nullptr, "GBK",
        HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET));
    if (!doc) {
        return rows;
    }
    std::unique_ptr<xmlXPathContext, XPathContextDeleter> context(xmlXPathNewContext(doc.get()));
    const XPathObject found = evaluate(rowsPath, context.get());
    if (!found || !found->nodesetval) {
        return rows;
    }
    for (int i = 0; i < found->nodesetval->nodeNr; ++i) {
        context->node = found->nodesetval->nodeTab[i];
        Cells cells;
        for (const char* path : cellPaths) {
            const XPathObject value = evaluate(path, context.get());
            cells.emplace_back(
                value && value->stringval ? reinterpret_cast<const char*>(value->stringval) : "");
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

inline const std::vector<const char*>& rankingXPaths() {
    static const std::vector<const char*> paths = {
        "normalize-space(td[@class='title'])",        "normalize-space(.//span[@class='blue'])",
        "normalize-space(td[@class='center'][2]//a)", "normalize-space(td[@class='center'][3]//a)",
        "normalize-space(.//a[@name='baiduLink'])",   "string(.//a[@name='baiduLink']/@href)",
    };
    return paths;
}
inline constexpr const char* kRankingRowsXPath = "//div[@class='baidurank-list']//tr[position()>1]";

inline const std::vector<const char*>& miningXPaths() {
    static const std::vector<const char*> paths = {
        "normalize-space(td[@class='title'])",    "normalize-space(.//span[@class='blue'])",
        "normalize-space(td[@class='level'][1])", "normalize-space(td[@class='url'][1])",
        "normalize-space(td[@class='url'][2])",   "string(td[@class='level'][2]/i/@class)",
    };
    return paths;
}
inline constexpr const char* kMiningRowsXPath = "//div[@class='ci-content']//tr[position()>1]";

// ---- gumbo ------------------------------------------------------------------

struct GumboDeleter {
    void operator()(GumboOutput* output) const {
        gumbo_destroy_output(&kGumboDefaultOptions, output);
    }
};

inline bool hasAttribute(const GumboNode* node, const char* name, const char* value) {
    if (name == nullptr) {
        return true;
    }
    const GumboAttribute* attribute = gumbo_get_attribute(&node->v.element.attributes, name);
    return attribute != nullptr && (value == nullptr || std::strcmp(attribute->value, value) == 0);
}

// Every element below `node` with the tag (and attribute), in document order.
inline void collect(const GumboNode* node, GumboTag tag, const char* name, const char* value,
                    std::vector<const GumboNode*>& out) {
    if (node->type != GUMBO_NODE_ELEMENT) {
        return;
    }
    const GumboVector& children = node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
        const auto* child = static_cast<const GumboNode*>(children.data[i]);
        if (child->type != GUMBO_NODE_ELEMENT) {
            continue;
        }
        if (child->v.element.tag == tag && hasAttribute(child, name, value)) {
            out.push_back(child);
        }
        collect(child, tag, name, value, out);
    }
}

inline const GumboNode* nth(const GumboNode* node, GumboTag tag, const char* name,
                            const char* value, std::size_t index = 0) {
    std::vector<const GumboNode*> found;
    collect(node, tag, name, value, found);
    return index < found.size() ? found[index] : nullptr;
}

inline void appendText(const GumboNode* node, std::string& text) {
    if (node == nullptr) {
        return;
    }
    if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE) {
        text += node->v.text.text;
        return;
    }
    if (node->type != GUMBO_NODE_ELEMENT) {
        return;
    }
    const GumboVector& children = node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
        appendText(static_cast<const GumboNode*>(children.data[i]), text);
    }
}

inline std::string textOf(const GumboNode* node) {
    std::string text;
    appendText(node, text);
    return text;
}

inline std::string attributeOf(const GumboNode* node, const char* name) {
    if (node == nullptr) {
        return {};
    }
    const GumboAttribute* attribute = gumbo_get_attribute(&node->v.element.attributes, name);
    return attribute != nullptr ? attribute->value : "";
}

// gumbo reads UTF-8 only, so the GBK page is converted first, as a user of it
// would have to.
inline std::vector<Cells> gumboRanking(std::string_view page) {
    std::vector<Cells> rows;
    const std::string utf8 = gbkToUtf8(page);
    std::unique_ptr<GumboOutput, GumboDeleter> output(
        gumbo_parse_with_options(&kGumboDefaultOptions, utf8.data(), utf8.size()));
    const GumboNode* table = nth(output->root, GUMBO_TAG_DIV, "class", "baidurank-list");
    if (table == nullptr) {
        return rows;
    }
    std::vector<const GumboNode*> trs;
    collect(table, GUMBO_TAG_TR, nullptr, nullptr, trs);
    for (std::size_t i = 1; i < trs.size(); ++i) {
        const GumboNode* link = nth(trs[i], GUMBO_TAG_A, "name", "baiduLink");
        rows.push_back({textOf(nth(trs[i], GUMBO_TAG_TD, "class", "title")),
                        textOf(nth(trs[i], GUMBO_TAG_SPAN, "class", "blue")),
                        textOf(nth(trs[i], GUMBO_TAG_TD, "class", "center", 1)),
                        textOf(nth(trs[i], GUMBO_TAG_TD, "class", "center", 2)), textOf(link),
                        attributeOf(link, "href")});
    }
    return rows;
}

inline std::vector<Cells> gumboMining(std::string_view page) {
    std::vector<Cells> rows;
    const std::string utf8 = gbkToUtf8(page);
    std::unique_ptr<GumboOutput, GumboDeleter> output(
        gumbo_parse_with_options(&kGumboDefaultOptions, utf8.data(), utf8.size()));
    const GumboNode* block = nth(output->root, GUMBO_TAG_DIV, "class", "ci-content");
    if (block == nullptr) {
        return rows;
    }
    std::vector<const GumboNode*> trs;
    collect(block, GUMBO_TAG_TR, nullptr, nullptr, trs);
    for (std::size_t i = 1; i < trs.size(); ++i) {
        rows.push_back({textOf(nth(trs[i], GUMBO_TAG_TD, "class", "title")),
                        textOf(nth(trs[i], GUMBO_TAG_SPAN, "class", "blue")),
                        textOf(nth(trs[i], GUMBO_TAG_TD, "class", "level", 0)),
                        textOf(nth(trs[i], GUMBO_TAG_TD, "class", "url", 0)),
                        textOf(nth(trs[i], GUMBO_TAG_TD, "class", "url", 1)),
                        attributeOf(nth(trs[i], GUMBO_TAG_I, nullptr, nullptr), "class")});
    }
    return rows;
}

}  // namespace rankminer::bench
