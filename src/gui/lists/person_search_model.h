// The search window's lines for its list view: the sorted list as it was
// built, or the part of it the typed text was found in. A line's text is
// decoded only when the view asks for it, which with rows of one height is
// for the few lines on screen: opening the window on a big tree costs the
// sorting and nothing per line beyond it.
#pragma once

#include <QAbstractListModel>
#include <optional>
#include <vector>

#include "core/search/person_search.h"
#include "render/platform/record_codec.h"

namespace lineara {

class PersonSearchModel : public QAbstractListModel {
    Q_OBJECT
public:
    PersonSearchModel(const PersonSearchList& search, const RecordCodec& codec,
                      QObject* parent = nullptr);

    // The list has been built again: every line of it is shown.
    void showAll();
    // Only these entries of the list (indexes into it, in list order).
    void showOnly(std::vector<int> entries);
    bool showsAll() const { return !shown_.has_value(); }

    // The list entry on a row; -1 for a row outside the model.
    int entryAt(int row) const;
    // The row showing a list entry; -1 when it is not shown.
    int rowOf(int entry) const;
    QString lineAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const PersonSearchList& search_;
    const RecordCodec& codec_;
    std::optional<std::vector<int>> shown_;
};

}  // namespace lineara
