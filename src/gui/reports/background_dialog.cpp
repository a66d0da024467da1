#include "gui/reports/background_dialog.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace lineara {

BackgroundDialog::BackgroundDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("BK_form"));
    setWindowTitle(QString::fromUtf8("Tło"));
    auto* layout = new QVBoxLayout(this);
    const struct {
        const char* caption;
        const char* name;
        int choice;
    } rows[] = {{"Wybierz kolor", "ColourButton", Colour},
                {"Otwórz tło", "PictureButton", Picture},
                {"Nie używaj tła", "NoPictureButton", NoPicture},
                {"&Zamknij", "CloseButton", Close}};
    for (const auto& row : rows) {
        auto* button = new QPushButton(QString::fromUtf8(row.caption));
        button->setObjectName(QLatin1String(row.name));
        layout->addWidget(button);
        const int choice = row.choice;
        connect(button, &QPushButton::clicked, this, [this, choice] { done(choice); });
    }
}

}  // namespace lineara
