// The lines of a list shown by any item view (a list widget or a view on a
// model), and its chosen line, read as the user sees them.
#pragma once

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QStringList>

namespace lineara::test {

inline QStringList viewLines(const QAbstractItemView* view) {
    QStringList out;
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        out << model->data(model->index(row, 0)).toString();
    }
    return out;
}

// Empty when no line is chosen.
inline QString chosenViewLine(const QAbstractItemView* view) {
    const QModelIndex at = view->currentIndex();
    if (!at.isValid() || !view->selectionModel()->isSelected(at)) return QString();
    return at.data().toString();
}

inline void chooseViewRow(QAbstractItemView* view, int row) {
    view->setCurrentIndex(view->model()->index(row, 0));
}

// The row of the line, or -1.
inline int viewRowOf(const QAbstractItemView* view, const QString& line) {
    return static_cast<int>(viewLines(view).indexOf(line));
}

}  // namespace lineara::test
