#include "gui/dialogs/about_box.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/settings/settings.h"

namespace lineara {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("O programie"));

    auto* product = new QLabel(QStringLiteral("Lineara"));
    product->setObjectName(QStringLiteral("productLabel"));
    QFont big = product->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    product->setFont(big);
    product->setAlignment(Qt::AlignCenter);

    auto* version = new QLabel(tr("Version ") + QLatin1String(kVersionText));
    version->setObjectName(QStringLiteral("versionLabel"));
    version->setAlignment(Qt::AlignCenter);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(product);
    layout->addWidget(version);
    layout->addSpacing(8);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    layout->setContentsMargins(40, 20, 40, 16);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace lineara
