#include "gui/reports/html_report_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStorageInfo>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <cmath>

#include "core/reports/html_charsets.h"
#include "gui/reports/background_dialog.h"
#include "gui/reports/presentation_created_dialog.h"

namespace lineara {

namespace {

// The estimate's number: "#,##0.0", thousands grouped with commas.
QString groupedOneDecimal(double value) {
    QString digits = QString::number(value, 'f', 1);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    for (qsizetype at = point - 3; at > 0; at -= 3) digits.insert(at, QLatin1Char(','));
    return digits;
}

}  // namespace

HtmlReportWindow::HtmlReportWindow(AppContext& ctx, const PersonList& list, Hooks hooks,
                                   QWidget* parent)
    : QDialog(parent), ctx_(ctx), list_(list), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("HTML_REPORT"));
    setWindowTitle(tr("Stwórz prezentację HTML"));
    settings_ = loadHtmlSettings(*ctx_.registry);
    boxPreview_ = QImage(140, 50, QImage::Format_RGB32);
    boxPreview_.fill(Qt::white);

    pages_ = new QTabWidget;
    pages_->addTab(buildGeneratePage(), tr("Generuj HTML"));
    pages_->addTab(buildContentPage(), tr("Zawartość"));
    pages_->addTab(buildDesignPage(), tr("Wygląd projektu"));
    connect(pages_, &QTabWidget::currentChanged, this, &HtmlReportWindow::drawBoxPreview);

    progressText_ = new QLabel;
    progressText_->setObjectName(QStringLiteral("ProgressText"));
    progressBar_ = new QProgressBar;
    progressBar_->setTextVisible(false);
    // Beside the bar, outside the pages (which are off while it runs).
    stop_ = new QPushButton(QStringLiteral("Stop"));
    stop_->setObjectName(QStringLiteral("StopButton"));
    stop_->hide();
    connect(stop_, &QPushButton::clicked, this, [this] { cancelRequested_ = true; });
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(progressBar_, 1);
    progressRow->addWidget(stop_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(progressText_);
    layout->addLayout(progressRow);

    presentationCreated_ = new PresentationCreatedDialog(*ctx_.shell, *ctx_.ui, this);
    backgroundDialog_ = new BackgroundDialog(this);
    showDesignColours();
}

HtmlReportWindow::~HtmlReportWindow() = default;

QWidget* HtmlReportWindow::buildGeneratePage() {
    auto* page = new QWidget;
    drives_ = new QComboBox;
    drives_->setObjectName(QStringLiteral("DriveComboBox1"));
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady()) drives_->addItem(volume.rootPath());
    }
    folderModel_ = new QFileSystemModel(this);
    folderModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    folderModel_->setRootPath(QStringLiteral("/"));
    folders_ = new QTreeView;
    folders_->setObjectName(QStringLiteral("DirectoryListBox1"));
    folders_->setModel(folderModel_);
    for (int column = 1; column < folderModel_->columnCount(); ++column)
        folders_->hideColumn(column);
    folders_->header()->hide();
    location_ = new QLabel;
    location_->setObjectName(QStringLiteral("Location"));
    estimate_ = new QLabel;
    estimate_->setObjectName(QStringLiteral("Estimate"));

    auto* newFolder = new QPushButton(tr("&Nowy folder"));
    newFolder->setObjectName(QStringLiteral("NewFolderButton"));
    qualityCheck_ = new QPushButton(tr("&Sprawdź jakość"));
    qualityCheck_->setObjectName(QStringLiteral("QualityCheckButton"));
    auto* generate = new QPushButton(tr("&Generuj!"));
    generate->setObjectName(QStringLiteral("GenerateButton"));
    auto* close = new QPushButton(tr("&Zamknij"));
    close->setObjectName(QStringLiteral("CloseButton"));

    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(tr("Dysk:")), 0, 0);
    grid->addWidget(drives_, 0, 1);
    grid->addWidget(folders_, 1, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Lokalizacja:")), 2, 0);
    grid->addWidget(location_, 2, 1);
    grid->addWidget(estimate_, 3, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(newFolder);
    buttons->addWidget(qualityCheck_);
    buttons->addStretch();
    buttons->addWidget(generate);
    buttons->addWidget(close);
    grid->addLayout(buttons, 0, 2, 4, 1);

    connect(drives_, &QComboBox::activated, this, &HtmlReportWindow::selectDrive);
    // The folders are read in the background: the chosen one is shown once
    // its parent has been read.
    connect(folderModel_, &QFileSystemModel::directoryLoaded, this, [this] {
        const QModelIndex index = folderModel_->index(outputFolder_);
        if (index.isValid() && folders_->currentIndex() != index) {
            folders_->setCurrentIndex(index);
            folders_->scrollTo(index);
        }
    });
    connect(folders_, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { setOutputFolder(folderModel_->filePath(index)); });
    connect(newFolder, &QPushButton::clicked, this, &HtmlReportWindow::makeNewFolder);
    connect(qualityCheck_, &QPushButton::clicked, this, &HtmlReportWindow::runQualityCheck);
    connect(generate, &QPushButton::clicked, this, &HtmlReportWindow::generate);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    return page;
}

QWidget* HtmlReportWindow::buildContentPage() {
    auto* page = new QWidget;
    frames_ = new QCheckBox(tr("Użyj ramek"));
    frames_->setObjectName(QStringLiteral("FramesCheckBox"));
    frames_->setChecked(settings_.useFrames);
    siblings_ = new QCheckBox(tr("Pokaż rodzeństwo"));
    siblings_->setObjectName(QStringLiteral("SiblingsCheckBox"));
    siblings_->setChecked(settings_.useSiblings);
    charset_ = new QComboBox;
    charset_->setObjectName(QStringLiteral("CharsetComboBox"));
    charset_->setEditable(true);
    for (const std::string& entry : htmlCharsetEntries())
        charset_->addItem(QString::fromStdString(entry));
    charset_->setEditText(QString::fromStdString(settings_.charset));

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(frames_);
    layout->addWidget(siblings_);
    layout->addWidget(new QLabel(tr("Kodowanie:")));
    layout->addWidget(charset_);
    layout->addStretch();

    connect(frames_, &QCheckBox::toggled, this, [this](bool on) { settings_.useFrames = on; });
    connect(siblings_, &QCheckBox::toggled, this, [this](bool on) { settings_.useSiblings = on; });
    connect(charset_, &QComboBox::editTextChanged, this,
            [this](const QString& text) { settings_.charset = text.toStdString(); });
    return page;
}

void HtmlReportWindow::setFrames(bool on) { frames_->setChecked(on); }
void HtmlReportWindow::setSiblings(bool on) { siblings_->setChecked(on); }
void HtmlReportWindow::setCharsetEntry(const QString& entry) { charset_->setEditText(entry); }

void HtmlReportWindow::selectDrive(int index) {
    const QString root = drives_->itemText(index);
    folders_->setRootIndex(folderModel_->index(root));
    setOutputFolder(root);
}

void HtmlReportWindow::setOutputFolder(const QString& folder) {
    outputFolder_ = QDir::cleanPath(QDir(folder).absolutePath());
    location_->setText(outputFolder_);
    const QModelIndex index = folderModel_->index(outputFolder_);
    if (index.isValid()) {
        folders_->setCurrentIndex(index);
        folders_->scrollTo(index);
    }
}

QString HtmlReportWindow::estimateText() const { return estimate_->text(); }
QString HtmlReportWindow::progressText() const { return progressText_->text(); }
bool HtmlReportWindow::qualityCheckEnabled() const { return qualityCheck_->isEnabled(); }
bool HtmlReportWindow::pagesEnabled() const { return pages_->isEnabled(); }

void HtmlReportWindow::setProgressText(const QString& text) { progressText_->setText(text); }

void HtmlReportWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const double kb = double(hooks_.personCount ? hooks_.personCount() : 0) * 3299 / 1024;
    const double mb = kb / 1024;
    estimate_->setText(tr("W przyblizeniu ") +
                       (mb >= 1.0 ? groupedOneDecimal(mb) + QStringLiteral("MB")
                                  : groupedOneDecimal(kb) + QStringLiteral("KB")));
    qualityCheck_->setEnabled(true);
    enablePages(true);
    setProgressText(QString());
    pages_->setCurrentIndex(0);
    progressBar_->setValue(0);
    if (outputFolder_.isEmpty()) {
        const QString tree = hooks_.treeFileName ? hooks_.treeFileName() : QString();
        setOutputFolder(tree.isEmpty() ? QDir::homePath() : QFileInfo(tree).absolutePath());
    }
}

void HtmlReportWindow::enablePages(bool on) { pages_->setEnabled(on); }

void HtmlReportWindow::done(int result) {
    // Closing while a generation runs stops it at the next person; the
    // window closes once it has stopped.
    if (generating_) {
        cancelRequested_ = true;
        closeAfterCancel_ = true;
        return;
    }
    saveHtmlSettings(*ctx_.registry, settings_);
    QDialog::done(result);
}

void HtmlReportWindow::closeEvent(QCloseEvent* event) {
    if (generating_) {
        cancelRequested_ = true;
        closeAfterCancel_ = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void HtmlReportWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && generating_) {
        cancelRequested_ = true;
        return;
    }
    QDialog::keyPressEvent(event);
}

int HtmlReportWindow::runDialog(QDialog& dialog) {
    return dialogRunner_ ? dialogRunner_(dialog) : dialog.exec();
}

void HtmlReportWindow::makeNewFolder() {
    std::optional<QString> name =
        ctx_.ui->askText(tr("New folder"), tr("Enter the name of the new folder"), QString());
    if (!name || name->isEmpty()) return;
    // One folder inside the selected one: a name that would reach
    // elsewhere is refused rather than followed.
    const QString trimmedName = name->trimmed();
    QDir parent(outputFolder_);
    if (trimmedName.isEmpty() || trimmedName == QLatin1String(".") ||
        trimmedName == QLatin1String("..") || trimmedName.contains(QLatin1Char('/')) ||
        !parent.mkdir(trimmedName)) {
        ctx_.ui->inform(tr("New folder"),
                        tr("Could not create the folder \"%1\" in %2.")
                            .arg(*name, QDir::toNativeSeparators(outputFolder_)),
                        MessageIcon::Error);
        return;
    }
    setOutputFolder(parent.filePath(trimmedName));
}

void HtmlReportWindow::runQualityCheck() {
    if (hooks_.showQualityCheck) hooks_.showQualityCheck();
    const int problems = hooks_.qualityCheck ? hooks_.qualityCheck() : 0;
    if (problems == 0) qualityCheck_->setEnabled(false);
}

}  // namespace lineara
