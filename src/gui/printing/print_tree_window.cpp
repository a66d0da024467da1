#include "gui/printing/print_tree_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "gui/common/busy_cursor.h"
#include "gui/printing/printer_pages.h"

namespace lineara {

namespace {

constexpr int kPreviewSide = 239;
const QColor kNavy(0, 0, 128);

const char* const kSizes[] = {
    QT_TRANSLATE_NOOP("lineara::PrintTreeWindow", "1 strona"),
    QT_TRANSLATE_NOOP("lineara::PrintTreeWindow", "2 x 2 strony (4)"),
    QT_TRANSLATE_NOOP("lineara::PrintTreeWindow", "3 x 3 strony (9)"),
    QT_TRANSLATE_NOOP("lineara::PrintTreeWindow", "4 x 4 strony (16)"),
    QT_TRANSLATE_NOOP("lineara::PrintTreeWindow", "5 x 5 strony (25)"),
    QT_TRANSLATE_NOOP("lineara::PrintTreeWindow", "6 x 6 strony (36)"),
    QT_TRANSLATE_NOOP("lineara::PrintTreeWindow", "7 x 7 strony (49)"),
    QT_TRANSLATE_NOOP("lineara::PrintTreeWindow", "8 x 8 strony (64)"),
};

}  // namespace

PrintTreeWindow::PrintTreeWindow(const PersonList& list, const AppSettings& settings,
                                 const RecordCodec& codec, std::function<void()> screenFont,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      list_(list),
      settings_(settings),
      codec_(codec),
      screenFont_(std::move(screenFont)),
      printer_(QPrinter::HighResolution) {
    setObjectName(QStringLiteral("PrintWholeTree"));
    setWindowTitle(tr("Drukuj drzewo"));
    printDialog_ = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        return dialog.exec() == QDialog::Accepted;
    };
    setupDialog_ = [this](QPrinter& printer) {
        QPageSetupDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };
    buildControls();
    applyOrientation();
}

void PrintTreeWindow::buildControls() {
    auto* orientation = new QGroupBox(tr(" Orientacja "));
    landscape_ = new QRadioButton(tr("Pozioma"));
    portrait_ = new QRadioButton(tr("Pionowa"));
    landscape_->setChecked(true);
    auto* orientationLayout = new QVBoxLayout(orientation);
    orientationLayout->addWidget(landscape_);
    orientationLayout->addWidget(portrait_);

    border_ = new QComboBox;
    border_->setObjectName(QStringLiteral("ComboBox1"));
    for (int w = 1; w <= 5; ++w) border_->addItem(QString::number(w));
    borderSample_ = new QLabel;
    borderSample_->setFixedSize(48, 32);

    auto* fontButton = new QPushButton(tr("Czcionka:"));
    fontButton->setObjectName(QStringLiteral("FontButton"));
    fontName_ = new QLineEdit;
    fontName_->setReadOnly(true);
    fontSize_ = new QLineEdit;
    fontSize_->setReadOnly(true);
    fontSize_->setMaximumWidth(48);

    auto* sizeBox = new QGroupBox(tr(" Wielkość "));
    size_ = new QComboBox;
    size_->setObjectName(QStringLiteral("ComboBox2"));
    for (const char* text : kSizes) size_->addItem(tr(text));
    (new QVBoxLayout(sizeBox))->addWidget(size_);

    selectedOnly_ = new QCheckBox(tr("Drukuj tylko zaznaczone pozycje"));

    previewLabel_ = new QLabel(tr("Click here for preview"));
    previewLabel_->setObjectName(QStringLiteral("Image1"));
    previewLabel_->setFixedSize(kPreviewSide, kPreviewSide);
    previewLabel_->setAlignment(Qt::AlignCenter);
    previewLabel_->setFrameShape(QFrame::Box);
    previewLabel_->installEventFilter(this);

    auto* setup = new QPushButton(tr("&Ustawienia"));
    print_ = new QPushButton(tr("&Drukuj"));
    close_ = new QPushButton(tr("&Zamknij"));
    setup->setObjectName(QStringLiteral("SetupButton"));
    print_->setObjectName(QStringLiteral("PrintButton"));
    close_->setObjectName(QStringLiteral("CloseButton"));

    auto* choices = new QGridLayout;
    choices->addWidget(orientation, 0, 0, 1, 3);
    choices->addWidget(new QLabel(tr("Obramowanie")), 1, 0);
    choices->addWidget(border_, 1, 1);
    choices->addWidget(borderSample_, 1, 2);
    choices->addWidget(fontButton, 2, 0);
    choices->addWidget(fontName_, 2, 1);
    choices->addWidget(fontSize_, 2, 2);
    choices->addWidget(sizeBox, 3, 0, 1, 3);
    choices->addWidget(selectedOnly_, 4, 0, 1, 3);
    auto* top = new QHBoxLayout;
    top->addLayout(choices);
    top->addWidget(previewLabel_, 0, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(setup);
    buttons->addWidget(print_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    // The preview follows every choice.
    connect(landscape_, &QRadioButton::toggled, this, [this] {
        applyOrientation();
        drawPreview();
    });
    connect(border_, &QComboBox::currentIndexChanged, this, [this] {
        drawBorderSample();
        drawPreview();
    });
    connect(size_, &QComboBox::currentIndexChanged, this, &PrintTreeWindow::drawPreview);
    connect(selectedOnly_, &QCheckBox::toggled, this, &PrintTreeWindow::drawPreview);
    connect(fontButton, &QPushButton::clicked, this, [this] {
        if (screenFont_) screenFont_();
        showFontFields();
        drawPreview();
    });
    connect(setup, &QPushButton::clicked, this, &PrintTreeWindow::setupPrinter);
    connect(print_, &QPushButton::clicked, this, &PrintTreeWindow::print);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    drawBorderSample();
}

PrintChoices PrintTreeWindow::choices() const {
    PrintChoices c;
    c.landscape = landscape_->isChecked();
    c.borderWidth = border_->currentIndex() + 1;
    c.pagesAcross = size_->currentIndex() + 1;
    c.selectedOnly = selectedOnly_->isChecked();
    return c;
}

void PrintTreeWindow::applyOrientation() {
    printer_.setPageOrientation(landscape_->isChecked() ? QPageLayout::Landscape
                                                        : QPageLayout::Portrait);
}

void PrintTreeWindow::showFontFields() {
    fontName_->setText(QString::fromStdString(settings_.screenFontName));
    fontSize_->setText(QString::number(settings_.screenFontSize));
}

void PrintTreeWindow::drawBorderSample() {
    QPixmap sample(borderSample_->size());
    sample.fill(palette().color(QPalette::Window));
    QPainter p(&sample);
    p.setPen(QPen(Qt::black, border_->currentIndex() + 1));
    p.setBrush(Qt::white);
    p.drawRect(sample.rect().adjusted(6, 6, -7, -7));
    p.end();
    borderSample_->setPixmap(sample);
}

void PrintTreeWindow::showEvent(QShowEvent* event) {
    showFontFields();
    QWidget::showEvent(event);
    updateActivationStates();
}

bool PrintTreeWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) updateActivationStates();
    return QWidget::event(event);
}

bool PrintTreeWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == previewLabel_ && event->type() == QEvent::MouseButtonPress) drawPreview();
    return QWidget::eventFilter(watched, event);
}

void PrintTreeWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PrintTreeWindow::updateActivationStates() {
    const bool selection = !list_.selection().empty();
    selectedOnly_->setChecked(selection);
    selectedOnly_->setEnabled(selection);
    print_->setEnabled(!list_.empty());
    if (!list_.empty()) {
        print_->setFocus();
    } else {
        close_->setFocus();
    }
}

void PrintTreeWindow::setupPrinter() {
    if (!setupDialog_ || !setupDialog_(printer_)) return;
    const bool landscape = printer_.pageLayout().orientation() == QPageLayout::Landscape;
    (landscape ? landscape_ : portrait_)->setChecked(true);
    drawPreview();
}

void PrintTreeWindow::print() {
    if (list_.empty()) return;
    if (!printBounds(list_, choices().selectedOnly)) return;
    applyOrientation();
    if (!printDialog_ || !printDialog_(printer_)) return;
    useWholeSheetForPdf(printer_);
    PrintJob job;
    job.choices = choices();
    job.fontName = QString::fromStdString(settings_.screenFontName);
    job.fontSize = settings_.screenFontSize;
    job.codec = &codec_;
    std::string error;
    {
        BusyCursor busy;
        printOnPrinter(
            printer_, [&](PageTarget& pages) { return printTree(pages, list_, job); }, error);
    }
    // A PDF file that could not be written is said, and the window stays
    // for another try.
    if (!error.empty()) {
        if (errorReport_) errorReport_(QString::fromStdString(error));
        return;
    }
    close();
}

// Every page as it will be printed, side by side in the outline of the
// whole sheet, with the page edges drawn over them.
void PrintTreeWindow::drawPreview() {
    applyOrientation();
    QImage picture(kPreviewSide, kPreviewSide, QImage::Format_RGB32);
    picture.fill(palette().color(QPalette::Window));
    const QSize page(printer_.width(), printer_.height());
    const std::optional<PrintBounds> bounds = printBounds(list_, choices().selectedOnly);
    if (!list_.empty() && !page.isEmpty()) {
        const PrintChoices c = choices();
        const double d =
            std::min(double(kPreviewSide) / page.width(), double(kPreviewSide) / page.height());
        const QSizeF sheet(page.width() * d, page.height() * d);
        const QPointF origin((kPreviewSide - sheet.width()) / 2,
                             (kPreviewSide - sheet.height()) / 2);
        QPainter p(&picture);
        p.setPen(kNavy);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(origin, sheet));
        if (bounds) {
            PrintJob job;
            job.choices = c;
            job.fontName = QString::fromStdString(settings_.screenFontName);
            job.fontSize = settings_.screenFontSize;
            job.codec = &codec_;
            const PageGeometry g =
                pageGeometry(*bounds, page.width(), page.height(), c.pagesAcross, job.fontSize);
            const int n = g.pagesAcross;
            const double cellScale = d / n;
            for (const PageCell& cell : pageOrder(n)) {
                const QRectF target(origin.x() + sheet.width() * (cell.column - 1) / n,
                                    origin.y() + sheet.height() * (cell.row - 1) / n,
                                    sheet.width() / n, sheet.height() / n);
                p.save();
                p.setClipRect(target);
                p.translate(target.topLeft());
                p.scale(cellScale, cellScale);
                paintPrintedPage(p, g, cell, list_, job, printer_.resolution(),
                                 PagePurpose::Preview);
                p.restore();
            }
            p.setPen(QPen(kNavy, 1, Qt::DotLine));
            for (int i = 1; i < n; ++i) {
                const double x = origin.x() + sheet.width() * i / n;
                const double y = origin.y() + sheet.height() * i / n;
                p.drawLine(QPointF(x, origin.y()), QPointF(x, origin.y() + sheet.height()));
                p.drawLine(QPointF(origin.x(), y), QPointF(origin.x() + sheet.width(), y));
            }
        }
    }
    preview_ = picture;
    previewLabel_->setPixmap(QPixmap::fromImage(picture));
}

}  // namespace lineara
