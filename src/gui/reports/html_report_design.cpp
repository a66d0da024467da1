// The page "Wygląd projektu" of HtmlReportWindow: a preview of a person page
// whose parts are clicked to choose their colours and backgrounds, and the
// preview of a person box with its colour and font buttons.
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/reports/background_dialog.h"
#include "gui/reports/html_report_window.h"
#include "render/pictures/picture_loader.h"
#include "render/reports/html_box_image.h"

namespace lineara {

// An area of the page preview: its colour, and its picture tiled over it
// as a browser tiles a background.
class BackgroundArea : public QFrame {
public:
    using QFrame::QFrame;
    void setLook(const QColor& colour, const QImage& picture) {
        colour_ = colour;
        picture_ = picture;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        {
            QPainter painter(this);
            painter.fillRect(rect(), colour_);
            if (!picture_.isNull()) painter.drawTiledPixmap(rect(), QPixmap::fromImage(picture_));
        }
        QFrame::paintEvent(event);
    }

private:
    QColor colour_{Qt::white};
    QImage picture_;
};

namespace {

const char kPictureFilter[] = QT_TRANSLATE_NOOP(
    "lineara::HtmlReportWindow",
    "Internet images (*.jpg *.jpeg *.gif);;JPEG Image File (*.jpg);;JPEG Image File "
    "(*.jpeg);;GIF Image File (*.gif)");

// A colour as the settings store it, 0x00BBGGRR.
int32_t storedColour(const QColor& colour) {
    return int32_t(uint32_t(colour.red()) | uint32_t(colour.green()) << 8 |
                   uint32_t(colour.blue()) << 16);
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

}  // namespace

QWidget* HtmlReportWindow::buildDesignPage() {
    auto* page = new QWidget;

    pageArea_ = new BackgroundArea;
    pageArea_->setObjectName(QStringLiteral("PageArea"));
    pageArea_->setFrameShape(QFrame::Box);
    pageArea_->setToolTip(tr("Kliknij, aby wybrać kolor lub obraz tła strony"));
    // "l i n k s" is what the pages' links box is headed with, in every language.
    const char* const sampleTexts[] = {QT_TR_NOOP("Normalny tekst"), QT_TR_NOOP("Link"),
                                       QT_TR_NOOP("Odwiedzony link"), QT_TR_NOOP("Aktywny link"),
                                       "l i n k s"};
    const char* const sampleHints[] = {QT_TR_NOOP("Kliknij, aby wybrać kolor tekstu"),
                                       QT_TR_NOOP("Kliknij, aby wybrać kolor linków"),
                                       QT_TR_NOOP("Kliknij, aby wybrać kolor odwiedzonych linków"),
                                       QT_TR_NOOP("Kliknij, aby wybrać kolor aktywnych linków"),
                                       QT_TR_NOOP("Kliknij, aby wybrać kolor nagłówka")};
    for (int i = 0; i < 5; ++i) {
        samples_[i] = new QLabel(tr(sampleTexts[i]));
        samples_[i]->setObjectName(QStringLiteral("Sample%1").arg(i + 1));
        samples_[i]->setToolTip(tr(sampleHints[i]));
        samples_[i]->installEventFilter(this);
    }
    QFont underlined = samples_[1]->font();
    underlined.setUnderline(true);
    for (int i = 1; i < 4; ++i) samples_[i]->setFont(underlined);

    // The links box: a frame around its header and its body.
    linksFrame_ = new QFrame;
    linksFrame_->setObjectName(QStringLiteral("LinksFrame"));
    linksFrame_->setAutoFillBackground(true);
    linksFrame_->setToolTip(tr("Kliknij, aby zobaczyć ramkę w innym kolorze"));
    headerArea_ = new BackgroundArea;
    headerArea_->setObjectName(QStringLiteral("LinksHeaderArea"));
    headerArea_->setToolTip(tr("Kliknij, aby wybrać kolor lub obraz nagłówka"));
    bodyArea_ = new BackgroundArea;
    bodyArea_->setObjectName(QStringLiteral("LinksBodyArea"));
    bodyArea_->setToolTip(tr("Kliknij, aby wybrać kolor lub obraz tła linków"));
    auto* header = new QHBoxLayout(headerArea_);
    header->addWidget(samples_[4], 0, Qt::AlignCenter);
    auto* body = new QVBoxLayout(bodyArea_);
    for (int i = 0; i < 4; ++i) {
        innerSamples_[i] = new QLabel(samples_[i]->text());
        innerSamples_[i]->setFont(samples_[i]->font());
        // A click on a copy is a click on the body behind it.
        innerSamples_[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        body->addWidget(innerSamples_[i]);
    }
    auto* links = new QVBoxLayout(linksFrame_);
    links->setContentsMargins(3, 3, 3, 3);
    links->setSpacing(0);
    links->addWidget(headerArea_, 0);
    links->addWidget(bodyArea_, 1);
    for (QWidget* w : {static_cast<QWidget*>(pageArea_), static_cast<QWidget*>(headerArea_),
                       static_cast<QWidget*>(bodyArea_), linksFrame_})
        w->installEventFilter(this);

    auto* preview = new QGridLayout(pageArea_);
    for (int i = 0; i < 4; ++i) preview->addWidget(samples_[i], i, 0);
    preview->addWidget(linksFrame_, 0, 1, 5, 1);
    preview->setRowStretch(4, 1);

    // The person box and its buttons.
    boxPreviewLabel_ = new QLabel;
    boxPreviewLabel_->setObjectName(QStringLiteral("BoxPreview"));
    boxPreviewLabel_->setFixedSize(140, 50);
    auto* boxColour = new QPushButton(tr("Kolor okienka"));
    boxColour->setObjectName(QStringLiteral("BoxColourButton"));
    auto* frameColour = new QPushButton(tr("Kolor ramki"));
    frameColour->setObjectName(QStringLiteral("FrameColourButton"));
    auto* font = new QPushButton(tr("Czcionka"));
    font->setObjectName(QStringLiteral("FontButton"));
    connect(boxColour, &QPushButton::clicked, this, &HtmlReportWindow::chooseBoxColour);
    connect(frameColour, &QPushButton::clicked, this, &HtmlReportWindow::chooseFrameColour);
    connect(font, &QPushButton::clicked, this, &HtmlReportWindow::chooseBoxFont);
    auto* items = new QVBoxLayout;
    items->addWidget(new QLabel(tr("Elementy:")));
    items->addWidget(boxPreviewLabel_);
    items->addWidget(boxColour);
    items->addWidget(frameColour);
    items->addWidget(font);
    items->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(pageArea_, 1);
    layout->addLayout(items);

    // The pictures of the stored backgrounds; one that cannot be loaded
    // simply is not shown.
    const std::string* paths[] = {&settings_.backgroundImage, &settings_.t1Image,
                                  &settings_.t2Image};
    for (int i = 0; i < 3; ++i) {
        if (!paths[i]->empty())
            areaPictures_[i] = loadPicture(QFile::decodeName(paths[i]->c_str()));
    }
    return page;
}

void HtmlReportWindow::showDesignColours() {
    pageArea_->setLook(htmlColour(settings_.backgroundColor), areaPictures_[0]);
    headerArea_->setLook(htmlColour(settings_.linksHeaderBgColor), areaPictures_[1]);
    bodyArea_->setLook(htmlColour(settings_.linksBgColor), areaPictures_[2]);
    QPalette frame = linksFrame_->palette();
    frame.setColor(QPalette::Window, linksFrameColour_);
    linksFrame_->setPalette(frame);
    const int32_t colours[] = {settings_.textColor, settings_.hyperlinkColor, settings_.vlinkColor,
                               settings_.alinkColor, settings_.theaderColor};
    for (int i = 0; i < 5; ++i) setTextColour(samples_[i], htmlColour(colours[i]));
    for (int i = 0; i < 4; ++i) setTextColour(innerSamples_[i], htmlColour(colours[i]));
}

bool HtmlReportWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress) return QDialog::eventFilter(watched, event);
    const struct {
        QObject* widget;
        Part part;
    } parts[] = {{pageArea_, Part::Page},
                 {headerArea_, Part::LinksHeader},
                 {bodyArea_, Part::LinksBody},
                 {linksFrame_, Part::LinksFrame},
                 {samples_[0], Part::TextSample},
                 {samples_[1], Part::LinkSample},
                 {samples_[2], Part::VisitedSample},
                 {samples_[3], Part::ActiveSample},
                 {samples_[4], Part::HeaderSample}};
    for (const auto& p : parts) {
        if (p.widget == watched) {
            clickPart(p.part);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void HtmlReportWindow::clickPart(Part part) {
    switch (part) {
    case Part::Page:
    case Part::LinksHeader:
    case Part::LinksBody:
        chooseAreaBackground(part);
        break;
    case Part::LinksFrame:
        // The pages always draw the frame black; this colour is the
        // preview's only.
        if (std::optional<QColor> c = ctx_.ui->chooseColour(linksFrameColour_))
            linksFrameColour_ = *c;
        break;
    default:
        chooseSampleColour(part);
        break;
    }
    showDesignColours();
}

void HtmlReportWindow::chooseAreaBackground(Part part) {
    const int area = part == Part::Page ? 0 : part == Part::LinksHeader ? 1 : 2;
    int32_t* colours[] = {&settings_.backgroundColor, &settings_.linksHeaderBgColor,
                          &settings_.linksBgColor};
    std::string* paths[] = {&settings_.backgroundImage, &settings_.t1Image, &settings_.t2Image};
    switch (runDialog(*backgroundDialog_)) {
    case BackgroundDialog::Colour:
        if (std::optional<QColor> c = ctx_.ui->chooseColour(htmlColour(*colours[area])))
            *colours[area] = storedColour(*c);
        break;
    case BackgroundDialog::Picture: {
        FileDialogOptions dialog;
        dialog.title = tr("Otwórz tło");
        dialog.filter = tr(kPictureFilter);
        const QString path = ctx_.ui->chooseOpenFile(dialog);
        if (path.isEmpty()) break;
        areaPictures_[area] = loadPicture(path);
        *paths[area] = QFile::encodeName(path).toStdString();
        break;
    }
    case BackgroundDialog::NoPicture:
        areaPictures_[area] = QImage();
        paths[area]->clear();
        break;
    default:
        break;
    }
}

void HtmlReportWindow::chooseSampleColour(Part part) {
    int32_t* colour = part == Part::TextSample      ? &settings_.textColor
                      : part == Part::LinkSample    ? &settings_.hyperlinkColor
                      : part == Part::VisitedSample ? &settings_.vlinkColor
                      : part == Part::ActiveSample  ? &settings_.alinkColor
                                                    : &settings_.theaderColor;
    if (std::optional<QColor> c = ctx_.ui->chooseColour(htmlColour(*colour)))
        *colour = storedColour(*c);
}

void HtmlReportWindow::chooseBoxColour() {
    if (std::optional<QColor> c = ctx_.ui->chooseColour(htmlColour(settings_.boxColor))) {
        settings_.boxColor = storedColour(*c);
        drawBoxPreview();
    }
}

void HtmlReportWindow::chooseFrameColour() {
    if (std::optional<QColor> c = ctx_.ui->chooseColour(htmlColour(settings_.frameColor))) {
        settings_.frameColor = storedColour(*c);
        drawBoxPreview();
    }
}

void HtmlReportWindow::chooseBoxFont() {
    const HtmlBoxLook look = htmlBoxLook(settings_);
    std::optional<QFont> chosen = ctx_.ui->chooseFont(look.font);
    if (!chosen) return;
    settings_.fontName = chosen->family().toStdString();
    if (chosen->pointSize() > 0) settings_.fontSize = chosen->pointSize();
    settings_.fontBold = chosen->bold();
    settings_.fontItalic = chosen->italic();
    settings_.fontUnderline = chosen->underline();
    settings_.fontStrikeout = chosen->strikeOut();
    drawBoxPreview();
    // The boxes have room for four lines of about 12 pixels: say so when
    // the chosen font has to be drawn smaller, rather than let the pages
    // surprise. (A pixel more for a small one is not worth a word.)
    const HtmlBoxLook fitted = htmlBoxLook(settings_);
    if (fitted.font.pixelSize() < fitted.requestedPixelSize) {
        ctx_.ui->inform(QStringLiteral("Lineara"),
                        tr("Four lines of %1 pixels do not fit in the boxes of 140 x "
                           "50 pixels; their text is drawn %2 pixels high instead.")
                            .arg(fitted.requestedPixelSize)
                            .arg(fitted.font.pixelSize()),
                        MessageIcon::Information);
    }
}

void HtmlReportWindow::drawBoxPreview() {
    boxPreview_ = htmlBoxPreview(list_.personListHead(), htmlBoxLook(settings_), ctx_.codec);
    boxPreviewLabel_->setPixmap(QPixmap::fromImage(boxPreview_));
}

}  // namespace lineara
