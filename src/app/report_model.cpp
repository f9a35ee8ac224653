#include "app/report_model.h"

#include <algorithm>

#include "app/gbk_qt.h"
#include "platform/report_list.h"

namespace rankminer {

ReportModel::ReportModel(QObject* parent) : QAbstractTableModel(parent) {
    for (const auto& column : reportColumns()) {
        titles_.emplace_back(column.title);
    }
    publishTimer_.setSingleShot(true);
    publishTimer_.setInterval(kPublishIntervalMs);
    connect(&publishTimer_, &QTimer::timeout, this, &ReportModel::publishPending);
}

int ReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : published_;
}

int ReportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns();
}

QVariant ReportModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= published_) {
        return {};
    }
    return toQString(cell(index.row(), index.column()));
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columns()) {
        return {};
    }
    return toQString(titles_[static_cast<std::size_t>(section)]);
}

bool ReportModel::validCell(int row, int column) const {
    return row >= 0 && row < storedRows_ && column >= 0 && column < columns();
}

std::string ReportModel::cell(int row, int column) const {
    if (!validCell(row, column)) {
        return {};
    }
    return cells_[static_cast<std::size_t>(row) * titles_.size() +
                  static_cast<std::size_t>(column)];
}

void ReportModel::setCell(int row, int column, std::string_view text) {
    if (!validCell(row, column)) {
        return;
    }
    cells_[static_cast<std::size_t>(row) * titles_.size() + static_cast<std::size_t>(column)] =
        std::string(text);
    if (row < published_) {
        const QModelIndex changed = index(row, column);
        emit dataChanged(changed, changed, {Qt::DisplayRole});
    }
}

int ReportModel::append(std::string_view firstColumn) {
    cells_.resize(cells_.size() + titles_.size());
    cells_[static_cast<std::size_t>(storedRows_) * titles_.size()] = std::string(firstColumn);
    ++storedRows_;
    schedulePublish();
    return storedRows_ - 1;
}

void ReportModel::clear() {
    publishTimer_.stop();
    beginResetModel();
    cells_.clear();
    cells_.shrink_to_fit();
    storedRows_ = 0;
    published_ = 0;
    endResetModel();
}

std::string ReportModel::title(int column) const {
    return column >= 0 && column < columns() ? titles_[static_cast<std::size_t>(column)]
                                             : std::string();
}

void ReportModel::reorder(const std::vector<int>& order) {
    const std::size_t rows = order.size();
    if (rows > static_cast<std::size_t>(storedRows_)) {
        return;
    }
    std::vector<bool> taken(rows, false);
    for (const int source : order) {
        if (source < 0 || static_cast<std::size_t>(source) >= rows ||
            taken[static_cast<std::size_t>(source)]) {
            return;
        }
        taken[static_cast<std::size_t>(source)] = true;
    }
    const std::size_t width = titles_.size();
    std::vector<std::string> moved(rows * width);
    for (std::size_t row = 0; row < rows; ++row) {
        const std::size_t from = static_cast<std::size_t>(order[row]) * width;
        for (std::size_t column = 0; column < width; ++column) {
            moved[row * width + column] = std::move(cells_[from + column]);
        }
    }
    std::move(moved.begin(), moved.end(), cells_.begin());
    const int changedRows = std::min(static_cast<int>(rows), published_);
    if (changedRows > 0) {
        emit dataChanged(index(0, 0), index(changedRows - 1, columns() - 1), {Qt::DisplayRole});
    }
}

void ReportModel::schedulePublish() {
    if (!publishTimer_.isActive()) {
        publishTimer_.start();
    }
}

void ReportModel::publishPending() {
    publishTimer_.stop();
    if (storedRows_ > published_) {
        beginInsertRows(QModelIndex(), published_, storedRows_ - 1);
        published_ = storedRows_;
        endInsertRows();
    }
    if (afterPublish_) {
        afterPublish_();
    }
}

}  // namespace rankminer
