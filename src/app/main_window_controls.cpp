#include "app/main_window_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace rankminer {

namespace {
template <typename Widget>
Widget* place(Widget* widget, const QString& name, QRect where) {
    widget->setObjectName(name);
    widget->setGeometry(where);
    return widget;
}
}  // namespace

QLabel* makeLabel(QWidget& parent, const QString& name, const QString& caption, QRect where) {
    return place(new QLabel(caption, &parent), name, where);
}

QPushButton* makeButton(QWidget& parent, const QString& name, const QString& caption, QRect where) {
    auto* button = place(new QPushButton(caption, &parent), name, where);
    button->setAutoDefault(false);
    return button;
}

QCheckBox* makeCheckBox(QWidget& parent, const QString& name, const QString& caption, bool checked,
                        QRect where) {
    auto* box = place(new QCheckBox(caption, &parent), name, where);
    box->setChecked(checked);
    return box;
}

QComboBox* makeDropDown(QWidget& parent, const QString& name, const QStringList& items,
                        QRect where) {
    auto* box = place(new QComboBox(&parent), name, where);
    box->setEditable(false);
    box->addItems(items);
    box->setCurrentIndex(0);
    return box;
}

QLineEdit* makeLineEdit(QWidget& parent, const QString& name, const QString& text, QRect where) {
    return place(new QLineEdit(text, &parent), name, where);
}

QPlainTextEdit* makeTextBox(QWidget& parent, const QString& name, const QString& text,
                            bool wrapLines, QRect where) {
    auto* box = place(new QPlainTextEdit(text, &parent), name, where);
    box->setLineWrapMode(wrapLines ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(wrapLines ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    return box;
}

}  // namespace rankminer
