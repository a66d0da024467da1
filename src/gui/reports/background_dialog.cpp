#include "gui/reports/background_dialog.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace lineara {

BackgroundDialog::BackgroundDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("BK_form"));
    setWindowTitle(tr("Tło"));
    auto* layout = new QVBoxLayout(this);
    const struct {
        const char* caption;
        const char* name;
        int choice;
    } rows[] = {{QT_TR_NOOP("Wybierz kolor"), "ColourButton", Colour},
                {QT_TR_NOOP("Otwórz tło"), "PictureButton", Picture},
                {QT_TR_NOOP("Nie używaj tła"), "NoPictureButton", NoPicture},
                {QT_TR_NOOP("&Zamknij"), "CloseButton", Close}};
    for (const auto& row : rows) {
        auto* button = new QPushButton(tr(row.caption));
        button->setObjectName(QLatin1String(row.name));
        layout->addWidget(button);
        const int choice = row.choice;
        connect(button, &QPushButton::clicked, this, [this, choice] { done(choice); });
    }
}

}  // namespace lineara
