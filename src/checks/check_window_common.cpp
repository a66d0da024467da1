#include "checks/check_window_common.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeWidget>

namespace lineara {

namespace {
QString localName(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}
}  // namespace

QString fileLabelText(const std::string& currentFileName) {
    if (currentFileName.empty()) return QStringLiteral("Plik: (Nowy)");
    return QStringLiteral("Plik: ") + localName(currentFileName);
}

QString treeFolder(const std::string& currentFileName) {
    if (currentFileName.empty()) return QString();
    return QFileInfo(localName(currentFileName)).absolutePath();
}

void enterTreeFolder(const std::string& currentFileName) {
    const QString folder = treeFolder(currentFileName);
    if (!folder.isEmpty()) QDir::setCurrent(folder);
}

QTreeWidget* makeCheckList(const QString& second, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setSortingEnabled(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setStretchLastSection(false);
    resetCheckColumns(list, second);
    return list;
}

void resetCheckColumns(QTreeWidget* list, const QString& second) {
    list->setColumnCount(2);
    list->setHeaderLabels({QStringLiteral("Osoby"), second});
    list->setColumnWidth(0, 200);
    list->setColumnWidth(1, 1000);
}

}  // namespace lineara
