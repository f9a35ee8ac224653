#pragma once

// Small factories for the window's controls: each gets its design name as
// objectName, its caption or default and its place.

#include <QRect>
#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeView;
class QWidget;

namespace rankminer {

class ReportModel;

QLabel* makeLabel(QWidget& parent, const QString& name, const QString& caption, QRect place);
QPushButton* makeButton(QWidget& parent, const QString& name, const QString& caption, QRect place);
QCheckBox* makeCheckBox(QWidget& parent, const QString& name, const QString& caption, bool checked,
                        QRect place);
// A drop-down list that cannot be edited, item 0 selected.
QComboBox* makeDropDown(QWidget& parent, const QString& name, const QStringList& items,
                        QRect place);
QLineEdit* makeLineEdit(QWidget& parent, const QString& name, const QString& text, QRect place);
QPlainTextEdit* makeTextBox(QWidget& parent, const QString& name, const QString& text,
                            bool wrapLines, QRect place);

// The pages of the tab control; coordinates are the page's own.
// Page 0 "百度排名"; returns the report list.
QTreeView* buildRankingPage(QWidget& page, ReportModel& model);
// Page 1 "关键词挖掘"; the output folder's default is given.
void buildMiningPage(QWidget& page, const QString& defaultFolder);
// Page 3 "无法获取数据请看".
void buildHelpPage(QWidget& page);

}  // namespace rankminer
