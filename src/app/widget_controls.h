#pragma once

// The window's widgets as the settings store and the jobs see them: tags,
// texts in GBK, and PersistableControl adapters.

#include <QWidget>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "settings/persistable_control.h"

namespace rankminer {

// A widget's tag text: the dynamic property "tag" (the GBK text converted to
// Unicode). Every tag read or written in the GUI goes through these two.
std::string widgetTag(const QWidget& widget);
void setWidgetTag(QWidget& widget, std::string_view gbk);

// What the window's controls show, for any widget kind: an edit box's content
// (line breaks as "\r\n"), a button's, check box's or label's caption, a
// drop-down list's current item. Empty for other widgets.
std::string widgetText(const QWidget& widget);
// Sets the content of an edit box or the caption of a button, check box or
// label; ignored for other widgets.
void setWidgetText(QWidget& widget, std::string_view gbk);

// The adapter for one widget, chosen by its class (push button, line edit,
// plain text edit, check box, combo box); null for other widgets. The adapter
// refers to the widget, which must outlive it.
std::unique_ptr<PersistableControl> makePersistableControl(QWidget& widget);

// Adapters for the widgets in the order given, skipping those without one.
std::vector<std::unique_ptr<PersistableControl>> makePersistableControls(
    const std::vector<QWidget*>& widgets);

}  // namespace rankminer
