#include "settings/control_persistence.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "text/gbk.h"

namespace rankminer {

namespace {

enum class ControlKind {
    Button,
    EditBox,
    CheckBox,
    RadioButton,
    ComboBox,
    ListBox,
    CheckListBox,
    ColourPicker
};

struct KindPrefix {
    const char* utf8Prefix;
    ControlKind kind;
};

// First match wins, in this order.
constexpr KindPrefix kPrefixes[] = {
    {"按钮", ControlKind::Button},
    {"编辑框", ControlKind::EditBox},
    {"选择框", ControlKind::CheckBox},
    {"单选框", ControlKind::RadioButton},
    {"组合框", ControlKind::ComboBox},
    {"列表框", ControlKind::ListBox},
    {"选择列表框", ControlKind::CheckListBox},
    {"颜色选择器", ControlKind::ColourPicker},
};

struct GbkPrefix {
    std::string prefix;
    ControlKind kind;
};

const std::vector<GbkPrefix>& gbkPrefixes() {
    static const std::vector<GbkPrefix> prefixes = [] {
        std::vector<GbkPrefix> list;
        for (const auto& entry : kPrefixes) {
            list.push_back({gbk(entry.utf8Prefix), entry.kind});
        }
        return list;
    }();
    return prefixes;
}

bool kindOf(std::string_view name, ControlKind& kind) {
    for (const auto& entry : gbkPrefixes()) {
        if (name.substr(0, entry.prefix.size()) == entry.prefix) {
            kind = entry.kind;
            return true;
        }
    }
    return false;
}

struct Keys {
    std::string tagSuffix = gbk(".标记");
    std::string listSuffix = gbk(".列表");
    std::string textSuffix = gbk(".内容");
    std::string selectedSuffix = gbk(".选中");
    std::string checkedSuffix = gbk(".打勾");
    std::string noSave = gbk("禁止保存");
    std::string asBytes = gbk("字节集方式");
};

const Keys& keys() {
    static const Keys k;
    return k;
}

std::string indexListText(const std::vector<int>& indexes) {
    std::string text;
    for (int index : indexes) {
        if (!text.empty()) {
            text += ',';
        }
        text += std::to_string(index);
    }
    return text;
}

// Pieces that are not whole decimal integers are left out.
std::vector<int> parseIndexList(std::string_view text) {
    std::vector<int> indexes;
    for (const std::string& piece : splitText(text, ",")) {
        int value = 0;
        const auto result = std::from_chars(piece.data(), piece.data() + piece.size(), value);
        if (result.ec == std::errc() && result.ptr == piece.data() + piece.size()) {
            indexes.push_back(value);
        }
    }
    return indexes;
}

// A stored selection read back as the index it was: truncated, saturating.
int truncatedIndex(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double truncated = std::trunc(value);
    if (truncated <= std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    if (truncated >= std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(truncated);
}

// The one place that knows, for each kind, which state goes under which key.
class ControlWalker {
public:
    ControlWalker(SettingsStore& store, const PersistOptions& options, bool saving)
        : store_(store), options_(options), saving_(saving) {}

    void visit(PersistableControl& control) {
        const std::string name = control.name();
        if (name.empty() || std::find(options_.skipNames.begin(), options_.skipNames.end(), name) !=
                                options_.skipNames.end()) {
            return;
        }
        ControlKind kind;
        if (!kindOf(name, kind)) {
            return;
        }
        const std::string tag = control.tag();
        if (tag == keys().noSave) {
            return;
        }
        const bool asBytes = tag == keys().asBytes;
        switch (kind) {
            case ControlKind::Button:
                textOrBytes(name + keys().tagSuffix, asBytes, control.tag(),
                            [&](std::string_view v) { control.setTag(v); });
                break;
            case ControlKind::EditBox:
                textOrBytes(name, asBytes, control.text(),
                            [&](std::string_view v) { control.setText(v); });
                break;
            case ControlKind::CheckBox:
            case ControlKind::RadioButton:
                if (saving_) {
                    store_.writeFlag(name, control.checked());
                } else {
                    control.setChecked(store_.readFlag(name, control.checked()));
                }
                break;
            case ControlKind::ComboBox:
                comboBox(control, name);
                break;
            case ControlKind::ListBox:
                itemList(control, name);
                indexList(name + keys().selectedSuffix, control.selectedIndexes(),
                          [&](const std::vector<int>& v) { control.setSelectedIndexes(v); });
                break;
            case ControlKind::CheckListBox:
                itemList(control, name);
                number(name + keys().selectedSuffix, control.currentIndex(),
                       [&](double v) { control.setCurrentIndex(truncatedIndex(v)); });
                indexList(name + keys().checkedSuffix, control.checkedIndexes(),
                          [&](const std::vector<int>& v) { control.setCheckedIndexes(v); });
                break;
            case ControlKind::ColourPicker:
                number(name, control.colour(), [&](double v) { control.setColour(v); });
                break;
        }
    }

private:
    template <typename Set>
    void textOrBytes(const std::string& key, bool asBytes, const std::string& current, Set set) {
        if (saving_) {
            asBytes ? store_.writeBytes(key, current) : store_.writeText(key, current);
        } else {
            set(asBytes ? store_.readBytes(key, current) : store_.readText(key, current));
        }
    }

    template <typename Set>
    void number(const std::string& key, double current, Set set) {
        if (saving_) {
            store_.writeNumber(key, current);
        } else {
            set(store_.readNumber(key, current));
        }
    }

    template <typename Set>
    void indexList(const std::string& key, const std::vector<int>& current, Set set) {
        const std::string text = indexListText(current);
        if (saving_) {
            store_.writeText(key, text);
        } else {
            set(parseIndexList(store_.readText(key, text)));
        }
    }

    void itemList(PersistableControl& control, const std::string& key) {
        if (saving_) {
            store_.writeBytes(key, control.itemList());
        } else {
            control.setItemList(store_.readBytes(key, control.itemList()));
        }
    }

    void comboBox(PersistableControl& control, const std::string& name) {
        // Items before the selection: the index refers to them.
        if (options_.withComboItems) {
            itemList(control, name + keys().listSuffix);
        }
        number(name, control.selectedIndex(),
               [&](double v) { control.setSelectedIndex(truncatedIndex(v)); });
        if (options_.withComboText) {
            textOrBytes(name + keys().textSuffix, false, control.comboText(),
                        [&](std::string_view v) { control.setComboText(v); });
        }
    }

    SettingsStore& store_;
    const PersistOptions& options_;
    bool saving_;
};

void walkControls(SettingsStore& store, std::string_view section,
                  const std::vector<PersistableControl*>& controls, const PersistOptions& options,
                  bool saving) {
    if (!section.empty()) {
        store.setSection(section);
    }
    ControlWalker walker(store, options, saving);
    for (PersistableControl* control : controls) {
        if (control != nullptr) {
            walker.visit(*control);
        }
    }
}

}  // namespace

void saveControls(SettingsStore& store, std::string_view section,
                  const std::vector<PersistableControl*>& controls, const PersistOptions& options) {
    walkControls(store, section, controls, options, true);
}

void loadControls(SettingsStore& store, std::string_view section,
                  const std::vector<PersistableControl*>& controls, const PersistOptions& options) {
    walkControls(store, section, controls, options, false);
}

}  // namespace rankminer
