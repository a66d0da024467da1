#include "gui/recovery/recovery_offer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>

namespace lineara {

namespace {

enum Choice { Restore = 0, Discard = 1, Later = 2 };

QString treeName(const RecoveryDescription& d) {
    if (d.treeFile.empty()) return QCoreApplication::translate("RecoveryOffer", "untitled");
    return QFile::decodeName(QByteArray::fromStdString(d.treeFile));
}

// A damaged recovery is never deleted: it is told about and renamed, so
// that someone who knows how can still look at it.
void reportDamaged(LeftRecovery& left, UserInteraction& ui, const QString& why) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(left.treePath));
    std::string error;
    QString text =
        QCoreApplication::translate("RecoveryOffer", "Plik odzyskiwania %1 jest uszkodzony (%2).\n")
            .arg(path, why);
    if (left.moveAside(error)) {
        text += QCoreApplication::translate("RecoveryOffer",
                                            "Odłożono go obok, z dopiskiem \".damaged\".");
    } else {
        text += QCoreApplication::translate("RecoveryOffer", "Nie udało się go odłożyć: %1")
                    .arg(QString::fromStdString(error));
    }
    ui.inform(QStringLiteral("Lineara"), text, MessageIcon::Warning);
}

}  // namespace

QString recoveryQuestion(const LeftRecovery& left) {
    const RecoveryDescription& d = left.description;
    const QString when =
        QDateTime::fromSecsSinceEpoch(d.writtenAt).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    QString text = QCoreApplication::translate(
                       "RecoveryOffer",
                       "Lineara nie zakończyła poprzedniej pracy poprawnie. Przywrócić "
                       "niezapisane zmiany drzewa %1 z %2?")
                       .arg(treeName(d), when);
    switch (left.treeFileNow()) {
    case LeftRecovery::TreeFileNow::Deleted:
        text += QCoreApplication::translate("RecoveryOffer",
                                            "\n\nPlik drzewa został od tego czasu usunięty.");
        break;
    case LeftRecovery::TreeFileNow::Changed:
        text += QCoreApplication::translate(
            "RecoveryOffer",
            "\n\nPlik drzewa został od tego czasu zmieniony na dysku; zapis przywróconego "
            "drzewa zastąpi te zmiany.");
        break;
    default:
        break;
    }
    return text;
}

int offerLeftRecoveries(const QString& folder, UserInteraction& ui,
                        const RecoveryOfferHooks& hooks) {
    if (folder.isEmpty()) return 0;
    int restored = 0;
    std::vector<LeftRecovery> left = findLeftRecoveries(QFile::encodeName(folder).toStdString());
    for (LeftRecovery& one : left) {
        if (one.damaged()) {
            reportDamaged(one, ui, QString::fromStdString(one.damage));
            continue;
        }
        const QStringList buttons{QCoreApplication::translate("RecoveryOffer", "Przywróć"),
                                  QCoreApplication::translate("RecoveryOffer", "Odrzuć"),
                                  QCoreApplication::translate("RecoveryOffer", "Później")};
        const int choice =
            ui.askChoice(QStringLiteral("Lineara"), recoveryQuestion(one), buttons, Later);
        if (choice == Discard) {
            one.discard();
        } else if (choice == Restore) {
            if (!hooks.checkModified()) {
                one.release();
                continue;
            }
            QString problem;
            if (!hooks.restore(one, problem)) {
                reportDamaged(one, ui, problem);
                continue;
            }
            ++restored;
            // The old files go only once the tree is kept by this program.
            if (hooks.keepRestored()) {
                one.discard();
            } else {
                one.release();
            }
        } else {
            one.release();
        }
    }
    return restored;
}

}  // namespace lineara
