#pragma once

// The report list 超级列表框 as the rest of the program reaches it: the core's
// report-list operations over the model (cells) and the view (widths,
// selection, scrolling).

#include <QTreeView>

#include "app/report_model.h"
#include "platform/report_list.h"

namespace rankminer {

// A list in report mode: one line per row, no tree decoration, rows of one
// height so that 100,000 of them scroll without measuring each.
class ReportListView : public QTreeView {
    Q_OBJECT

public:
    ReportListView(ReportModel& model, QWidget* parent);
};

class GuiReportList : public ReportList {
public:
    GuiReportList(ReportModel& model, QTreeView& view);
    ~GuiReportList() override;
    GuiReportList(const GuiReportList&) = delete;
    GuiReportList& operator=(const GuiReportList&) = delete;

    int rowCount() const override;
    int columnCount() const override;
    std::string cellText(int row, int column) const override;
    void setCellText(int row, int column, std::string_view text) override;
    int appendRow(std::string_view firstColumn) override;
    void deleteAllRows() override;
    // Served with the next batch of published rows, so a job asking for every
    // row it appends costs one scroll per batch.
    void ensureVisible(int row) override;
    std::string columnTitle(int column) const override;
    int columnWidth(int column) const override;
    void setColumnWidth(int column, int width) override;
    int selectedRow() const override;
    void selectRow(int row) override;
    void reorderRows(const std::vector<int>& order) override;

private:
    void scrollToWantedRow();

    ReportModel& model_;
    QTreeView& view_;
    int wantedVisible_ = -1;
};

}  // namespace rankminer
