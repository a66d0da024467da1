#include "gui/dialogs/options_dialog.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lineara {

void applyCharsetChoice(AppContext& ctx, int choice) {
    ctx.settings.charsetChoice = choice;
    ctx.codec.setCharsetCode(charsetCodeForChoice(choice));
}

namespace {

QCheckBox* addFlagBox(QVBoxLayout* layout, const char* caption, const char* name) {
    auto* box = new QCheckBox(OptionsDialog::tr(caption));
    box->setObjectName(QLatin1String(name));
    layout->addWidget(box);
    return box;
}

}  // namespace

OptionsDialog::OptionsDialog(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setWindowTitle(tr("Opcje"));
    pages_ = new QTabWidget;
    pages_->setObjectName(QStringLiteral("pages"));
    pages_->addTab(buildFontPage(), tr("Czcionki"));
    pages_->addTab(buildProgramPage(), tr("Program"));

    auto* close = new QPushButton(tr("Zamknij"));
    close->setObjectName(QStringLiteral("closeButton"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);

    loadFlags();
    refreshSample();
    selectCharset(ctx_.settings.charsetChoice);
}

QWidget* OptionsDialog::buildFontPage() {
    auto* page = new QWidget;
    sample_ = new QLabel;
    sample_->setObjectName(QStringLiteral("fontSample"));
    sample_->setFrameShape(QFrame::StyledPanel);
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumHeight(60);

    auto* change = new QPushButton(tr("Zmień"));
    change->setObjectName(QStringLiteral("changeFontButton"));
    change->setAutoDefault(false);
    connect(change, &QPushButton::clicked, this, &OptionsDialog::changeScreenFont);

    charsets_ = new QListWidget;
    charsets_->setObjectName(QStringLiteral("charsetList"));
    for (int choice = 1; choice <= kCharsetChoices; ++choice) {
        charsets_->addItem(QString::fromUtf8(charsetChoiceName(choice)));
    }
    connect(charsets_, &QListWidget::currentRowChanged, this, &OptionsDialog::charsetRowChanged);
    // Wide enough for the longest entry next to the scroll bar.
    charsets_->setMinimumWidth(charsets_->sizeHintForColumn(0) + 2 * charsets_->frameWidth() +
                               charsets_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(sample_);
    auto* changeRow = new QHBoxLayout;
    changeRow->addStretch();
    changeRow->addWidget(change);
    layout->addLayout(changeRow);
    layout->addWidget(new QLabel(tr("Kodowanie")));
    layout->addWidget(charsets_);
    return page;
}

QWidget* OptionsDialog::buildProgramPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    dateStandardization_ = addFlagBox(layout, QT_TR_NOOP("Formatuj daty według standardu GEDCOM"),
                                      "dateStandardizationBox");
    showHints_ = addFlagBox(layout, QT_TR_NOOP("Pokazuj opisy pozycji"), "showHintsBox");
    checkOnOpen_ = addFlagBox(layout, QT_TR_NOOP("Automatyczne sprawdzenie przy otwarciu"),
                              "qualityCheckOnOpenBox");
    checkOnSave_ = addFlagBox(layout, QT_TR_NOOP("Automatyczne sprawdzenie przy zapisywaniu"),
                              "qualityCheckOnSaveBox");
    recoveryMinutes_ = new QSpinBox;
    recoveryMinutes_->setObjectName(QStringLiteral("recoveryMinutesBox"));
    recoveryMinutes_->setRange(0, kMaxRecoveryMinutes);
    recoveryMinutes_->setSuffix(tr(" min"));
    recoveryMinutes_->setSpecialValueText(tr("nigdy"));
    auto* recoveryRow = new QHBoxLayout;
    auto* recoveryLabel = new QLabel(tr("Zapisuj kopię do odzyskania po awarii co"));
    recoveryLabel->setBuddy(recoveryMinutes_);
    recoveryRow->addWidget(recoveryLabel);
    recoveryRow->addWidget(recoveryMinutes_);
    recoveryRow->addStretch();
    layout->addLayout(recoveryRow);
    layout->addStretch();
    return page;
}

// The boxes show what the store holds when the dialog is made; from then on
// they are the flags' editor, and closing the dialog writes them back.
void OptionsDialog::loadFlags() {
    AppSettings stored = loadAppSettings(*ctx_.registry);
    dateStandardization_->setChecked(stored.dateStandardization);
    showHints_->setChecked(stored.showHints);
    checkOnOpen_->setChecked(stored.qualityCheckOnOpen);
    checkOnSave_->setChecked(stored.qualityCheckOnSave);
    recoveryMinutes_->setValue(stored.recoveryMinutes);
}

void OptionsDialog::storeFlags() {
    ctx_.settings.dateStandardization = dateStandardization_->isChecked();
    ctx_.settings.showHints = showHints_->isChecked();
    ctx_.settings.qualityCheckOnOpen = checkOnOpen_->isChecked();
    ctx_.settings.qualityCheckOnSave = checkOnSave_->isChecked();
    const int minutes = recoveryMinutes_->value();
    const bool intervalChanged = minutes != ctx_.settings.recoveryMinutes;
    ctx_.settings.recoveryMinutes = minutes;
    saveFlags(*ctx_.registry, ctx_.settings);
    if (intervalChanged) emit recoveryIntervalChanged(minutes);
}

void OptionsDialog::refreshSample() {
    const QString name = QString::fromStdString(ctx_.settings.screenFontName);
    const int size = ctx_.settings.screenFontSize;
    const QString text = name + QStringLiteral(" (") + QString::number(size) + QLatin1Char(')');
    sample_->setFont(QFont(name, size));
    sample_->setText(text);
    sample_->setToolTip(text);
}

void OptionsDialog::selectCharset(int choice) {
    QSignalBlocker quiet(charsets_);
    charsets_->setCurrentRow(choice >= 1 && choice <= kCharsetChoices ? choice - 1 : -1);
}

void OptionsDialog::charsetRowChanged(int row) {
    if (row < 0) return;
    applyCharsetChoice(ctx_, row + 1);
    emit charsetChosen(row + 1);
}

void OptionsDialog::changeScreenFont() {
    const QFont current(QString::fromStdString(ctx_.settings.screenFontName),
                        ctx_.settings.screenFontSize);
    std::optional<QFont> chosen = ctx_.ui->chooseFont(current);
    if (!chosen) return;
    // The font dialog offers the family the stored name is drawn with, not
    // the name itself; getting that family back means the user kept it, and
    // the stored name stays as it was.
    if (chosen->family() != QFontInfo(current).family()) {
        ctx_.settings.screenFontName = chosen->family().toStdString();
    }
    // A font given in pixels has no point size; its pixel height is the
    // nearest thing we can keep.
    int size = chosen->pointSize() > 0 ? chosen->pointSize() : chosen->pixelSize();
    if (size > 0) ctx_.settings.screenFontSize = size;
    refreshSample();
    emit screenFontChanged();
}

void OptionsDialog::showEvent(QShowEvent* event) {
    pages_->setCurrentIndex(0);
    refreshSample();
    selectCharset(ctx_.settings.charsetChoice);
    QDialog::showEvent(event);
}

void OptionsDialog::done(int result) {
    storeFlags();
    QDialog::done(result);
}

}  // namespace lineara
