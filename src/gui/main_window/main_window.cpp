#include "gui/main_window/main_window.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>
#include <QWheelEvent>

#include "gui/canvas/navigator_window.h"
#include "gui/canvas/tree_canvas.h"
#include "gui/main_window/window_parts.h"
#include "render/painter/tree_painter.h"

namespace lineara {

namespace {

// The designed client area; the scroll step is taken from its width before
// the window is maximised, so one step is the same on every screen.
constexpr int kDesignedClientWidth = 646;
constexpr int kDesignedClientHeight = 420;

}  // namespace

MainWindow::MainWindow(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("TZudezezor"));
    setWindowTitle(tr("Proszę czekać..."));
    canvas_ = new TreeCanvas(this);
    canvas_->setObjectName(QStringLiteral("canvas"));
    canvas_->setRenderer([this](QImage& picture) { renderTree(picture); });
    // Moves without a button are needed for the hover hints.
    canvas_->setMouseTracking(true);
    canvas_->installEventFilter(this);
    setCentralWidget(canvas_);
    statusLabel_ = new QLabel(tr("Welcome to Stirpex"), this);
    statusLabel_->setObjectName(QStringLiteral("statusText"));
    statusBar()->addWidget(statusLabel_, 1);
    toolBar_ = addToolBar(tr("Pasek narzędzi"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    parts_ =
        std::make_unique<Parts>(*this, ctx_, *toolBar_, qRound(kDesignedClientWidth / 1024.0 * 80));
    doc_.setHistoryListener([this] {
        refreshUndoActions();
        emit treeChanged();
    });
    // Undoing an import shows the old tree where the window stood over it.
    doc_.setShownPlaceHooks(
        [this] {
            return ShownPlace{view_.zoomPercent, view_.scrollX, view_.scrollY};
        },
        [this](const ShownPlace& shown) {
            view_.zoomPercent = shown.zoomPercent;
            view_.scrollX = shown.scrollX;
            view_.scrollY = shown.scrollY;
        });
    buildActions();
    wireMenus();
    installKeyFilter();

    // The designed size, for when the window is not maximised.
    resize(kDesignedClientWidth, kDesignedClientHeight + menuBar()->sizeHint().height() +
                                     toolBar_->sizeHint().height() +
                                     statusBar()->sizeHint().height());
    view_.zoomPercent = 100;
    doc_.clearSelection();
    refreshCommandStates();
    ready_ = true;
}

MainWindow::~MainWindow() = default;

CanvasInteraction& MainWindow::interaction() { return parts_->interaction; }
DocumentCommands& MainWindow::documentCommands() { return parts_->documents; }
EditCommands& MainWindow::editing() { return parts_->edit; }
ViewCommands& MainWindow::viewing() { return parts_->view; }
LayoutCommands& MainWindow::layoutCommands() { return parts_->layout; }
ImportExportCommands& MainWindow::importExport() { return parts_->importExport; }
ReportCommands& MainWindow::reports() { return parts_->reports; }
SearchCommands& MainWindow::search() { return parts_->search; }

bool MainWindow::checkModified() { return parts_->documents.checkModified(); }
void MainWindow::openFile(const QString& path) { parts_->documents.openFile(path); }

QString MainWindow::statusText() const { return statusLabel_->text(); }
void MainWindow::setStatusText(const QString& text) { statusLabel_->setText(text); }

QAction* MainWindow::action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}
QAction* MainWindow::undoAction() const { return parts_->actions.action("Undo1"); }
QAction* MainWindow::redoAction() const { return parts_->actions.action("Redo1"); }
QMenu* MainWindow::contextMenu() const { return parts_->actions.menu(Home::Context); }

void MainWindow::setDialogRunner(DialogRunner runner) { dialogRunner_ = std::move(runner); }

void MainWindow::runDialog(QDialog& dialog) {
    if (dialogRunner_) {
        dialogRunner_(dialog);
    } else {
        dialog.exec();
    }
}

void MainWindow::setQualityCheck(std::function<int()> check, std::function<void(bool)> showWindow) {
    qualityCheck_ = std::move(check);
    showQualityCheck_ = std::move(showWindow);
}

namespace {

struct ColourCodeItem {
    ColourCode code;
    const char* name;
};
const ColourCodeItem kColourCodeItems[] = {{ColourCode::Gender, "ColorcodeGender"},
                                           {ColourCode::Notes, "ColorcodeNotes"},
                                           {ColourCode::Picture, "ColorcodePicture"},
                                           {ColourCode::None, "ColorcodeNone"}};

}  // namespace

void MainWindow::setColourCode(ColourCode code) {
    view_.colourCode = code;
    for (const ColourCodeItem& item : kColourCodeItems) {
        if (item.code == code) parts_->actions.action(item.name)->setChecked(true);
    }
    paintTree();
}

void MainWindow::paintTree() {
    if (!ready_) return;
    interaction().endModes();
    if (!interaction().areaZoomMode()) syncAreaZoomMarks(false);
    QString caption = QStringLiteral("Lineara ") + QString::fromLatin1(kVersionText);
    const std::string& file = doc_.currentFileName();
    if (!file.empty()) {
        caption += QStringLiteral(" [") + QFile::decodeName(QByteArray::fromStdString(file)) +
                   QLatin1Char(']');
    }
    setWindowTitle(caption);
    canvas_->renderNow();
    if (navigator_) navigator_->showCounters(view_.zoomPercent, itemCount_, personCount_);
    // Every change of the current person or the selection ends in a paint,
    // whether it came from the canvas, a key, the navigator or another
    // window, so the commands' states follow it here.
    refreshCommandStates();
}

void MainWindow::renderTree(QImage& picture) {
    QPainter painter(&picture);
    PaintSettings settings;
    settings.fontName = QString::fromStdString(ctx_.settings.screenFontName);
    settings.fontSize = ctx_.settings.screenFontSize;
    settings.dragging = parts_ && interaction().dragging();
    PaintCounts counts =
        lineara::paintTree(painter, picture.size(), doc_.persons(), view_, settings, ctx_.codec);
    itemCount_ = counts.itemCount;
    personCount_ = counts.personCount;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    saveScreenSettings(*ctx_.registry, ctx_.settings);
    if (!checkModified()) {
        event->ignore();
        return;
    }
    doc_.clear();
    event->accept();
    emit closing();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == canvas_ && event->type() == QEvent::Wheel) {
        viewing().wheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    if (watched == canvas_ && interaction().mouseEvent(event)) return true;
    return QMainWindow::eventFilter(watched, event);
}

// --- the navigator ---

void MainWindow::setNavigator(NavigatorWindow* navigator) {
    navigator_ = navigator;
    if (!navigator_) return;
    ViewCommands& view = viewing();
    const auto press = [&view](ScrollDirection d) {
        return [&view, d] { view.navigatorScrollPressed(d); };
    };
    connect(navigator, &NavigatorWindow::scrollLeftPressed, this, press(ScrollDirection::Left));
    connect(navigator, &NavigatorWindow::scrollRightPressed, this, press(ScrollDirection::Right));
    connect(navigator, &NavigatorWindow::scrollUpPressed, this, press(ScrollDirection::Up));
    connect(navigator, &NavigatorWindow::scrollDownPressed, this, press(ScrollDirection::Down));
    connect(navigator, &NavigatorWindow::scrollReleased, this,
            [&view] { view.navigatorScrollReleased(); });
    connect(navigator, &NavigatorWindow::zoomInClicked, this, [&view] { view.navigatorZoomIn(); });
    connect(navigator, &NavigatorWindow::zoomOutClicked, this,
            [&view] { view.navigatorZoomOut(); });
    connect(navigator, &NavigatorWindow::homeClicked, this, [&view] { view.navigatorHome(); });
    connect(navigator, &NavigatorWindow::closed, this, [this, &view] {
        parts_->actions.action("ShowNavigator1")->setChecked(false);
        view.navigatorScrollReleased();
    });
}

// A navigator hidden with an arrow still held never sees the release, so
// the repeat is stopped here.
void MainWindow::showNavigator(bool on) {
    if (!navigator_) return;
    navigator_->setVisible(on);
    if (!on) viewing().navigatorScrollReleased();
}

}  // namespace lineara
