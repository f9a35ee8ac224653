#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rankminer {

// One control of a window as the settings store sees it. The GUI adapts its
// widgets to this; a control overrides only the state its kind has, the rest
// keep the inert defaults. Texts are GBK.
class PersistableControl {
public:
    virtual ~PersistableControl() = default;
    // The design name, kind prefix first: "编辑框域名", "选择框移动端" ...
    virtual std::string name() const = 0;
    virtual std::string tag() const = 0;
    virtual void setTag(std::string_view) {}
    virtual std::string text() const { return {}; }
    virtual void setText(std::string_view) {}
    virtual bool checked() const { return false; }
    virtual void setChecked(bool) {}
    // -1 for no selection.
    virtual int selectedIndex() const { return -1; }
    virtual void setSelectedIndex(int) {}
    // The items joined by "\r\n".
    virtual std::string itemList() const { return {}; }
    virtual void setItemList(std::string_view) {}
    // The edit text of an editable combo box.
    virtual std::string comboText() const { return {}; }
    virtual void setComboText(std::string_view) {}
    // 0-based indexes.
    virtual std::vector<int> selectedIndexes() const { return {}; }
    virtual void setSelectedIndexes(const std::vector<int>&) {}
    virtual std::vector<int> checkedIndexes() const { return {}; }
    virtual void setCheckedIndexes(const std::vector<int>&) {}
    virtual int currentIndex() const { return -1; }
    virtual void setCurrentIndex(int) {}
    virtual double colour() const { return 0; }
    virtual void setColour(double) {}
};

}  // namespace rankminer
