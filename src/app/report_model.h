#pragma once

// The report list's rows as a Qt table model. Cells are GBK and converted only
// when a view asks for them. Jobs append a row at a time and ask to see it;
// with 100,000 rows a view relayout per row would make that quadratic, so
// appended rows are published to the views in batches, at most every
// kPublishIntervalMs, and the last "ensure visible" request is served then.

#include <QAbstractTableModel>
#include <QTimer>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rankminer {

class ReportModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kPublishIntervalMs = 50;

    explicit ReportModel(QObject* parent = nullptr);

    // ---- Qt model: only the published rows ---------------------------------
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // ---- Storage: every row, published or not (GBK) ------------------------
    int storedRows() const { return storedRows_; }
    int columns() const { return static_cast<int>(titles_.size()); }
    // Empty for a cell out of range.
    std::string cell(int row, int column) const;
    // Ignored for a cell out of range.
    void setCell(int row, int column, std::string_view text);
    // Returns the new row's index.
    int append(std::string_view firstColumn);
    void clear();
    std::string title(int column) const;
    // Rows 0 .. order.size()-1 take the cells rows order[0], order[1] ... held
    // before, moved rather than copied; the rows stay where they are for the
    // views (selection and scroll position keep their row numbers), which see
    // one change of the whole range. Ignored unless order is a permutation of
    // those rows.
    void reorder(const std::vector<int>& order);

    // Makes every stored row visible to the views now.
    void publishPending();
    // Called after each publish (the view scrolls to a wanted row then).
    void setAfterPublish(std::function<void()> callback) { afterPublish_ = std::move(callback); }
    // Publishes soon (at the next batch) rather than now.
    void schedulePublish();

private:
    bool validCell(int row, int column) const;

    std::vector<std::string> titles_;
    std::vector<std::string> cells_;  // row-major, columns() per row
    int storedRows_ = 0;
    int published_ = 0;
    QTimer publishTimer_;
    std::function<void()> afterPublish_;
};

}  // namespace rankminer
