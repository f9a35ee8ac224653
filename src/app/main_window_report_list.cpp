#include "app/main_window_report_list.h"

#include <QHeaderView>
#include <QItemSelectionModel>

namespace rankminer {

ReportListView::ReportListView(ReportModel& model, QWidget* parent) : QTreeView(parent) {
    setModel(&model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);  // header clicks sort through the program's own sorter
    setContextMenuPolicy(Qt::CustomContextMenu);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    const auto& columns = reportColumns();
    for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
        setColumnWidth(column, columns[static_cast<std::size_t>(column)].width);
    }
}

GuiReportList::GuiReportList(ReportModel& model, QTreeView& view) : model_(model), view_(view) {
    model_.setAfterPublish([this] { scrollToWantedRow(); });
}

GuiReportList::~GuiReportList() {
    model_.setAfterPublish({});
}

int GuiReportList::rowCount() const {
    return model_.storedRows();
}

int GuiReportList::columnCount() const {
    return view_.header()->count();
}

std::string GuiReportList::cellText(int row, int column) const {
    return model_.cell(row, column);
}

void GuiReportList::setCellText(int row, int column, std::string_view text) {
    model_.setCell(row, column, text);
}

int GuiReportList::appendRow(std::string_view firstColumn) {
    return model_.append(firstColumn);
}

void GuiReportList::deleteAllRows() {
    wantedVisible_ = -1;
    model_.clear();
}

void GuiReportList::ensureVisible(int row) {
    if (row < 0 || row >= model_.storedRows()) {
        return;
    }
    wantedVisible_ = row;
    model_.schedulePublish();
}

void GuiReportList::scrollToWantedRow() {
    if (wantedVisible_ >= 0 && wantedVisible_ < model_.rowCount()) {
        view_.scrollTo(model_.index(wantedVisible_, 0));
    }
    wantedVisible_ = -1;
}

std::string GuiReportList::columnTitle(int column) const {
    return model_.title(column);
}

int GuiReportList::columnWidth(int column) const {
    if (column < 0 || column >= columnCount()) {
        return 0;
    }
    return view_.header()->sectionSize(column);
}

void GuiReportList::setColumnWidth(int column, int width) {
    if (column >= 0 && column < columnCount() && width >= 0) {
        view_.header()->resizeSection(column, width);
    }
}

void GuiReportList::reorderRows(const std::vector<int>& order) {
    model_.reorder(order);
}

int GuiReportList::selectedRow() const {
    const QModelIndexList rows = view_.selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void GuiReportList::selectRow(int row) {
    QItemSelectionModel* selection = view_.selectionModel();
    if (row < 0 || row >= model_.storedRows()) {
        if (row < 0) {
            selection->clearSelection();
        }
        return;
    }
    model_.publishPending();
    selection->setCurrentIndex(model_.index(row, 0),
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

}  // namespace rankminer
