#include "checks/check_window_common.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeWidget>

#include "model/document.h"

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

CheckWindow::CheckWindow(Document& doc, const RecordCodec& codec, EditPersonFn editPerson,
                         std::function<void()> help, std::function<void()> repaint,
                         const QString& title,
                         const QString& secondColumn, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      doc_(doc),
      codec_(codec),
      editPerson_(std::move(editPerson)),
      helpFn_(std::move(help)),
      repaint_(std::move(repaint)) {
    setWindowTitle(title);
    label1_ = new QLabel(this);
    label2_ = new QLabel(this);
    list_ = makeCheckList(secondColumn, this);
    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    help_ = new QPushButton(QStringLiteral("&Pomoc"), this);
    help_->setObjectName(QStringLiteral("HelpBtn"));
    connect(help_, &QPushButton::clicked, this, [this] {
        if (helpFn_) helpFn_();
    });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    removalToken_ = doc_.persons().addRemovalListener(
        [this](PersonRecord* person) { forgetPerson(person); });
}

CheckWindow::~CheckWindow() { doc_.persons().removeRemovalListener(removalToken_); }

void CheckWindow::layOut(std::initializer_list<QPushButton*> own) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok_);
    for (QPushButton* b : own) buttons->addWidget(b);
    buttons->addWidget(help_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addWidget(label2_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(640, 400);
}

void CheckWindow::showEvent(QShowEvent* event) {
    label1_->setText(fileLabelText(doc_.currentFileName()));
    QDialog::showEvent(event);
}

void CheckWindow::leaveNoOneCurrent() {
    doc_.persons().setCurrentPerson(nullptr);
    if (repaint_) repaint_();
}

}  // namespace lineara
