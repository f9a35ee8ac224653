#include "app/widget_controls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>

#include "app/gbk_qt.h"

namespace rankminer {

namespace {
constexpr const char* kTagProperty = "tag";

class NamedControl : public PersistableControl {
public:
    explicit NamedControl(QWidget& widget) : widget_(widget) {}
    std::string name() const override { return toGbk(widget_.objectName()); }
    std::string tag() const override { return widgetTag(widget_); }
    void setTag(std::string_view gbk) override { setWidgetTag(widget_, gbk); }

protected:
    QWidget& widget_;
};

class ButtonControl : public NamedControl {
public:
    using NamedControl::NamedControl;
    std::string text() const override { return widgetText(widget_); }
};

class EditControl : public NamedControl {
public:
    using NamedControl::NamedControl;
    std::string text() const override { return widgetText(widget_); }
    void setText(std::string_view gbk) override { setWidgetText(widget_, gbk); }
};

class CheckControl : public NamedControl {
public:
    explicit CheckControl(QCheckBox& box) : NamedControl(box), box_(box) {}
    bool checked() const override { return box_.isChecked(); }
    void setChecked(bool checked) override { box_.setChecked(checked); }

private:
    QCheckBox& box_;
};

class ComboControl : public NamedControl {
public:
    explicit ComboControl(QComboBox& box) : NamedControl(box), box_(box) {}
    int selectedIndex() const override { return box_.currentIndex(); }
    void setSelectedIndex(int index) override {
        box_.setCurrentIndex(index >= -1 && index < box_.count() ? index : -1);
    }
    std::string itemList() const override {
        std::string items;
        for (int i = 0; i < box_.count(); ++i) {
            if (i > 0) {
                items += "\r\n";
            }
            items += toGbk(box_.itemText(i));
        }
        return items;
    }
    std::string comboText() const override { return toGbk(box_.currentText()); }

private:
    QComboBox& box_;
};
}  // namespace

std::string widgetTag(const QWidget& widget) {
    return toGbk(widget.property(kTagProperty).toString());
}

void setWidgetTag(QWidget& widget, std::string_view gbk) {
    widget.setProperty(kTagProperty, toQString(gbk));
}

std::string widgetText(const QWidget& widget) {
    if (const auto* line = qobject_cast<const QLineEdit*>(&widget)) {
        return toGbk(line->text());
    }
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(&widget)) {
        return toGbkLines(box->toPlainText());
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return toGbk(button->text());
    }
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return toGbkLines(label->text());
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
        return toGbk(combo->currentText());
    }
    return {};
}

void setWidgetText(QWidget& widget, std::string_view gbk) {
    if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
        line->setText(toQString(gbk));
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(&widget)) {
        box->setPlainText(toQStringLines(gbk));
    } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        button->setText(toQString(gbk));
    } else if (auto* label = qobject_cast<QLabel*>(&widget)) {
        label->setText(toQStringLines(gbk));
    }
}

std::unique_ptr<PersistableControl> makePersistableControl(QWidget& widget) {
    if (auto* check = qobject_cast<QCheckBox*>(&widget)) {
        return std::make_unique<CheckControl>(*check);
    }
    if (qobject_cast<QAbstractButton*>(&widget) != nullptr) {
        return std::make_unique<ButtonControl>(widget);
    }
    if (qobject_cast<QLineEdit*>(&widget) != nullptr ||
        qobject_cast<QPlainTextEdit*>(&widget) != nullptr) {
        return std::make_unique<EditControl>(widget);
    }
    if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
        return std::make_unique<ComboControl>(*combo);
    }
    return nullptr;
}

std::vector<std::unique_ptr<PersistableControl>> makePersistableControls(
    const std::vector<QWidget*>& widgets) {
    std::vector<std::unique_ptr<PersistableControl>> controls;
    for (QWidget* widget : widgets) {
        if (widget == nullptr) {
            continue;
        }
        if (auto control = makePersistableControl(*widget)) {
            controls.push_back(std::move(control));
        }
    }
    return controls;
}

}  // namespace rankminer
