#include "gui/main_window/main_window.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>

#include "gui/canvas/navigator_window.h"
#include "gui/canvas/tree_canvas.h"
#include "gui/render/tree_painter.h"

namespace lineara {

namespace {
// The designed client area; the scroll step is taken from its width before
// the window is maximised, so one step is the same on every screen.
constexpr int kDesignedClientWidth = 646;
constexpr int kDesignedClientHeight = 420;
}  // namespace

TZudezezor::TZudezezor(AppContext& ctx, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), commands_(*this), proposals_(ctx.registry) {
    setObjectName(QStringLiteral("TZudezezor"));
    setWindowTitle(QStringLiteral("Proszę czekać..."));
    canvas_ = new TreeCanvas(this);
    canvas_->setObjectName(QStringLiteral("canvas"));
    canvas_->setRenderer([this](QImage& picture) { renderTree(picture); });
    setCentralWidget(canvas_);
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

    statusLabel_ = new QLabel(QStringLiteral("Welcome to Stirpex"), this);
    statusLabel_->setObjectName(QStringLiteral("statusText"));
    statusBar()->addWidget(statusLabel_, 1);

    buildMenus();
    buildToolBar();
    setupMouseGestures();
    buildEditToolButtons();
    addAreaZoomButton();
    buildContextMenu();
    setupKeys();

    // The designed size, for when the window is not maximised.
    resize(kDesignedClientWidth, kDesignedClientHeight + menuBar()->sizeHint().height() +
                                     toolBar_->sizeHint().height() +
                                     statusBar()->sizeHint().height());
    scrollStep_ = qRound(kDesignedClientWidth / 1024.0 * 80);
    view_.zoomPercent = 100;
    doc_.clearSelection();
    ready_ = true;
}

TZudezezor::~TZudezezor() = default;

void TZudezezor::setNavigator(NavigatorWindow* navigator) {
    navigator_ = navigator;
    wireNavigator();
}

QSize TZudezezor::windowSize() const { return canvas_->size(); }

QString TZudezezor::statusText() const { return statusLabel_->text(); }

void TZudezezor::setStatusText(const QString& text) { statusLabel_->setText(text); }

void TZudezezor::setColourCode(ColourCode code) {
    view_.colourCode = code;
    for (QAction* a : colourCodes_->actions()) {
        if (a->data().toInt() == static_cast<int>(code)) a->setChecked(true);
    }
    FormPaint();
}

void TZudezezor::setQualityCheck(std::function<int()> check, std::function<void(bool)> showWindow) {
    qualityCheck_ = std::move(check);
    showQualityCheck_ = std::move(showWindow);
}

void TZudezezor::FormPaint() {
    if (!ready_) return;
    endGestureModes();
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

void TZudezezor::renderTree(QImage& picture) {
    QPainter painter(&picture);
    PaintSettings settings;
    settings.fontName = QString::fromStdString(ctx_.settings.screenFontName);
    settings.fontSize = ctx_.settings.screenFontSize;
    settings.dragging = gestures_.dragging;
    PaintCounts counts =
        paintTree(painter, picture.size(), doc_.persons(), view_, settings, ctx_.codec);
    itemCount_ = counts.itemCount;
    personCount_ = counts.personCount;
}

void TZudezezor::showError(const QString& message) {
    ctx_.ui->inform(QStringLiteral("Lineara"), message, MessageIcon::Error);
}

int TZudezezor::runQualityCheck() { return qualityCheck_ ? qualityCheck_() : 0; }

void TZudezezor::showQualityCheckWindow(bool modal) {
    if (showQualityCheck_) showQualityCheck_(modal);
}

void TZudezezor::closeEvent(QCloseEvent* event) {
    saveScreenSettings(*ctx_.registry, ctx_.settings);
    if (!CheckModified()) {
        event->ignore();
        return;
    }
    doc_.clear();
    event->accept();
    emit closing();
}

}  // namespace lineara
