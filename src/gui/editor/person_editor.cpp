#include "gui/editor/person_editor.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/model/person_edit.h"
#include "gui/editor/single_line.h"

namespace lineara {

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

QLabel* caption(const char* text, QWidget* parent) {
    return new QLabel(PersonEditor::tr(text), parent);
}

QToolButton* toolButton(const char* name, const char* text, const char* hint, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(u(name));
    b->setText(PersonEditor::tr(text));
    b->setToolTip(PersonEditor::tr(hint));
    return b;
}

}  // namespace

PersonEditor::PersonEditor(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("TPerson"));
    setWindowTitle(tr("Osoba"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setMinimumSize(520, 330);
    setModal(true);

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    pages_->addTab(buildBasicPage(), tr("Informacje podstawowe"));
    pages_->addTab(buildRelationsPage(), tr("Małżonek"));

    ok_ = new QPushButton(u("OK"), this);
    ok_->setObjectName(QStringLiteral("Button1"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("Anuluj"), this);
    cancel_->setObjectName(QStringLiteral("Button2"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);

    // The hidden path boxes are not among them: they take a file's name
    // from the file dialogs exactly as it is.
    auto* oneLine = new SingleLineValidator(this);
    for (QLineEdit* box :
         {givenNames_, surname_, birthDate_, birthPlace_, deathDate_, deathPlace_, occupation_,
          source_, pictureComment_, relationshipDate_, relationshipPlace_}) {
        box->setValidator(oneLine);
    }

    connect(ok_, &QPushButton::clicked, this, &PersonEditor::okClick);
    connect(cancel_, &QPushButton::clicked, this, &PersonEditor::cancelClick);
    wireBasicPage();
    wireRelationsPage();
}

PersonEditor::~PersonEditor() = default;

QLineEdit* PersonEditor::lineEdit(const char* name, int maxLength) {
    auto* e = new QLineEdit(this);
    e->setObjectName(u(name));
    e->setMaxLength(maxLength);
    return e;
}

QWidget* PersonEditor::buildBasicPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->addWidget(buildNamesPart(), 0, 0);
    grid->addWidget(buildPicturePart(), 0, 1, 2, 1);
    grid->addWidget(buildLifePart(), 1, 0);
    grid->addWidget(buildNotesPart(), 2, 0, 1, 2);
    return page;
}

QWidget* PersonEditor::buildNamesPart() {
    auto* part = new QWidget(this);
    auto* grid = new QGridLayout(part);
    givenNames_ = lineEdit("Edit1", 100);
    surname_ = lineEdit("Edit2", 100);
    grid->addWidget(caption(QT_TR_NOOP("Imię"), part), 0, 0);
    grid->addWidget(givenNames_, 0, 1);
    grid->addWidget(caption(QT_TR_NOOP("Nazwisko"), part), 1, 0);
    grid->addWidget(surname_, 1, 1);

    auto* sexGroup = new QGroupBox(tr("Płeć"), part);
    sexGroup->setObjectName(QStringLiteral("GroupBox1"));
    male_ = new QRadioButton(tr("Mężczyzna"), sexGroup);
    male_->setObjectName(QStringLiteral("RadioButton1"));
    female_ = new QRadioButton(tr("Kobieta"), sexGroup);
    female_->setObjectName(QStringLiteral("RadioButton2"));
    maleSymbol_ = new QLabel(u("♂"), sexGroup);
    maleSymbol_->setObjectName(QStringLiteral("Image1"));
    femaleSymbol_ = new QLabel(u("♀"), sexGroup);
    femaleSymbol_->setObjectName(QStringLiteral("Image2"));
    auto* sexRow = new QHBoxLayout(sexGroup);
    sexRow->addWidget(male_);
    sexRow->addWidget(female_);
    sexRow->addWidget(maleSymbol_);
    sexRow->addWidget(femaleSymbol_);
    grid->addWidget(sexGroup, 2, 0, 1, 2);
    return part;
}

QWidget* PersonEditor::buildLifePart() {
    auto* part = new QWidget(this);
    auto* grid = new QGridLayout(part);
    birthDate_ = lineEdit("MaskEdit1", 35);
    birthPlace_ = lineEdit("Edit5", 100);
    deathDate_ = lineEdit("MaskEdit2", 35);
    deathPlace_ = lineEdit("Edit6", 100);
    occupation_ = lineEdit("Edit7", 100);
    source_ = lineEdit("Edit9", 100);
    grid->addWidget(caption(QT_TR_NOOP("Data"), part), 0, 1);
    grid->addWidget(caption(QT_TR_NOOP("Miejsce"), part), 0, 2);
    grid->addWidget(caption(QT_TR_NOOP("Urodzenia"), part), 1, 0);
    grid->addWidget(birthDate_, 1, 1);
    grid->addWidget(birthPlace_, 1, 2);
    grid->addWidget(caption(QT_TR_NOOP("Śmierci"), part), 2, 0);
    grid->addWidget(deathDate_, 2, 1);
    grid->addWidget(deathPlace_, 2, 2);
    grid->addWidget(caption(QT_TR_NOOP("Zamieszkały"), part), 3, 0);
    grid->addWidget(occupation_, 3, 1, 1, 2);
    grid->addWidget(caption(QT_TR_NOOP("Źródło"), part), 4, 0);
    grid->addWidget(source_, 4, 1, 1, 2);
    return part;
}

QWidget* PersonEditor::buildPicturePart() {
    auto* part = new QWidget(this);
    auto* column = new QVBoxLayout(part);
    picturePath_ = lineEdit("Edit3", 100);
    picturePath_->hide();
    // The panel's caption shows wherever the picture does not cover it.
    picturePanel_ = new QLabel(tr("Zdjęcie"), part);
    picturePanel_->setObjectName(QStringLiteral("Panel1"));
    picturePanel_->setAlignment(Qt::AlignCenter);
    picturePanel_->setAutoFillBackground(true);
    picturePanel_->setMinimumSize(120, 140);
    picture_ = new QLabel(picturePanel_);
    picture_->setObjectName(QStringLiteral("AdvImage1"));
    picture_->setAlignment(Qt::AlignCenter);
    picture_->installEventFilter(this);
    auto* cover = new QVBoxLayout(picturePanel_);
    cover->setContentsMargins(0, 0, 0, 0);
    cover->addWidget(picture_);
    openPicture_ = new QPushButton(tr("Otwórz &zdjącie"), part);
    openPicture_->setObjectName(QStringLiteral("Button6"));
    clearPicture_ = new QPushButton(tr("W&yczyść"), part);
    clearPicture_->setObjectName(QStringLiteral("Button7"));
    pictureComment_ = lineEdit("Edit8", 246);
    column->addWidget(picturePanel_, 1);
    column->addWidget(openPicture_);
    column->addWidget(clearPicture_);
    column->addWidget(caption(QT_TR_NOOP("Komentarz do zdjęcia:"), part));
    column->addWidget(pictureComment_);
    return part;
}

QWidget* PersonEditor::buildNotesPart() {
    auto* part = new QWidget(this);
    auto* grid = new QGridLayout(part);
    notesPath_ = lineEdit("Edit4", 100);
    notesPath_->hide();
    memo_ = new QPlainTextEdit(part);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setAutoFillBackground(true);
    // The memo is disabled while it shows that its file is missing, on grey;
    // the style's pale disabled text would hardly show there.
    QPalette readable = memo_->palette();
    readable.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
    memo_->setPalette(readable);
    newNotes_ =
        toolButton("SpeedButton2", QT_TR_NOOP("&Nowy"), QT_TR_NOOP("Create a new text file"), part);
    openNotes_ =
        toolButton("SpeedButton1", QT_TR_NOOP("&Otwórz"), QT_TR_NOOP("Open a text file"), part);
    clearNotes_ = toolButton("SpeedButton3", QT_TR_NOOP("&Wyczyść"),
                             QT_TR_NOOP("Do not use text file"), part);
    grid->addWidget(caption(QT_TR_NOOP("Notatki:"), part), 0, 0);
    grid->addWidget(newNotes_, 0, 1);
    grid->addWidget(openNotes_, 0, 2);
    grid->addWidget(clearNotes_, 0, 3);
    grid->addWidget(memo_, 1, 0, 1, 4);
    return part;
}

QWidget* PersonEditor::buildRelationsPage() {
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    noRelations_ = caption(QT_TR_NOOP("Nie ustalono pokrewieństw dla tej pozycji."), page);
    noRelations_->setObjectName(QStringLiteral("NoRelations"));
    gridArea_ = new QWidget(page);
    gridArea_->setObjectName(QStringLiteral("GridArea"));
    grid_ = new QTableWidget(0, 4, gridArea_);
    grid_->setObjectName(QStringLiteral("StringGrid1"));
    grid_->setHorizontalHeaderLabels({tr("Krewni"), tr("Data"), tr("Gdzie"), tr("Typ")});
    const int widths[] = {282, 101, 168, 42};
    int allColumns = 0;
    for (int c = 0; c < 4; ++c) {
        grid_->setColumnWidth(c, widths[c]);
        allColumns += widths[c];
    }
    // Wide enough for every column, the type code included, without
    // scrolling sideways.
    grid_->setMinimumWidth(allColumns + 2 * grid_->frameWidth() +
                           grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    grid_->verticalHeader()->hide();
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* area = new QVBoxLayout(gridArea_);
    area->addWidget(grid_);
    area->addWidget(buildRelationBoxes());
    column->addWidget(noRelations_);
    column->addWidget(gridArea_);
    return page;
}

QWidget* PersonEditor::buildRelationBoxes() {
    auto* part = new QWidget(gridArea_);
    auto* grid = new QGridLayout(part);
    relatedPerson_ = lineEdit("Edit10", 32767);
    relatedPerson_->setReadOnly(true);
    QPalette grey = relatedPerson_->palette();
    grey.setColor(QPalette::Base, palette().color(QPalette::Button));
    relatedPerson_->setPalette(grey);
    typeBox_ = new QComboBox(part);
    typeBox_->setObjectName(QStringLiteral("ComboBox1"));
    for (const char* item : {QT_TR_NOOP("Małżeństwo"), QT_TR_NOOP("Spółka"), QT_TR_NOOP("Rozwód"),
                             QT_TR_NOOP("Przyjaciel"), QT_TR_NOOP("Stan wolny"), QT_TR_NOOP("Inny"),
                             QT_TR_NOOP("Nieznany")}) {
        typeBox_->addItem(tr(item));
    }
    relationshipDate_ = lineEdit("Edit11", 35);
    relationshipPlace_ = lineEdit("Edit12", 100);
    grid->addWidget(caption(QT_TR_NOOP("Osoba:"), part), 0, 0);
    grid->addWidget(relatedPerson_, 0, 1);
    grid->addWidget(caption(QT_TR_NOOP("Typ pokrewieństwa:"), part), 1, 0);
    grid->addWidget(typeBox_, 1, 1);
    grid->addWidget(caption(QT_TR_NOOP("Data:"), part), 2, 0);
    grid->addWidget(relationshipDate_, 2, 1);
    grid->addWidget(caption(QT_TR_NOOP("Miejsce:"), part), 3, 0);
    grid->addWidget(relationshipPlace_, 3, 1);
    return part;
}

}  // namespace lineara
