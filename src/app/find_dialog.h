#pragma once

class QWidget;

namespace rankminer {

class ReportList;
class SettingsStore;

// Shows the find dialog "查找表项" for the report list, non-modal and owned by
// the owner window; while one is open for that owner it is brought to the
// front instead. The dialog restores its three inputs from the section
// "查找参数" when it opens and stores them when it goes. The list and the
// store must outlive the dialog's searches (the owner window holds both).
void showFindDialog(QWidget* owner, ReportList& list, SettingsStore& store);

}  // namespace rankminer
