#include "gui/lists/person_search_model.h"

#include <algorithm>

namespace lineara {

PersonSearchModel::PersonSearchModel(const PersonSearchList& search, const RecordCodec& codec,
                                     QObject* parent)
    : QAbstractListModel(parent), search_(search), codec_(codec) {}

void PersonSearchModel::showAll() {
    beginResetModel();
    shown_.reset();
    endResetModel();
}

void PersonSearchModel::showOnly(std::vector<int> entries) {
    beginResetModel();
    shown_ = std::move(entries);
    endResetModel();
}

int PersonSearchModel::entryAt(int row) const {
    if (row < 0 || row >= rowCount()) return -1;
    return shown_ ? (*shown_)[static_cast<size_t>(row)] : row;
}

int PersonSearchModel::rowOf(int entry) const {
    if (!shown_) return entry >= 0 && entry < rowCount() ? entry : -1;
    const auto at = std::lower_bound(shown_->begin(), shown_->end(), entry);
    return at != shown_->end() && *at == entry ? static_cast<int>(at - shown_->begin()) : -1;
}

QString PersonSearchModel::lineAt(int row) const {
    const int entry = entryAt(row);
    if (entry < 0) return QString();
    return codec_.decode(search_.entries()[static_cast<size_t>(entry)].text);
}

int PersonSearchModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return static_cast<int>(shown_ ? shown_->size() : search_.size());
}

QVariant PersonSearchModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return QVariant();
    return lineAt(index.row());
}

}  // namespace lineara
