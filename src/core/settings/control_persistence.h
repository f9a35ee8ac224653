#pragma once

// Saving and restoring the state of a window's controls. The rule for each
// control comes from the kind prefix of its name:
//   按钮       tag            key name + ".标记"   text
//   编辑框     content        key name             text
//   选择框/单选框 checked      key name             flag
//   组合框     selection      key name             number (+ ".列表" items as
//              bytes, + ".内容" edit text, when the options ask for them)
//   列表框     items (bytes under name), selected indexes (name + ".选中")
//   选择列表框 items (bytes under name), current index (name + ".选中"),
//              checked indexes (name + ".打勾")
//   颜色选择器 colour         key name             number
// A control tagged "禁止保存" is left alone; a button or edit box tagged
// "字节集方式" keeps its value in a side file. Index lists are stored as
// decimal numbers joined by ",". Names without a known prefix are ignored.

#include <string>
#include <string_view>
#include <vector>

#include "settings/persistable_control.h"
#include "settings/settings_store.h"

namespace rankminer {

struct PersistOptions {
    std::vector<std::string> skipNames;  // GBK names to leave alone
    bool withComboItems = false;
    bool withComboText = false;
};

// Both make the section current first when it is not empty, then walk the
// controls in order. Loading uses each control's current state as the
// default, so a missing key leaves the control as it is.
void saveControls(SettingsStore& store, std::string_view section,
                  const std::vector<PersistableControl*>& controls,
                  const PersistOptions& options = {});
void loadControls(SettingsStore& store, std::string_view section,
                  const std::vector<PersistableControl*>& controls,
                  const PersistOptions& options = {});

}  // namespace rankminer
