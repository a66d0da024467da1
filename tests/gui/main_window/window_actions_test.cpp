// The main window's actions as a whole: each can be found by its own name,
// and no key is bound twice where one press could reach both actions. Qt
// gives an ambiguous key to neither, and the context menu's key filter
// only ever runs the first item with the key.
#include <QMap>
#include <QSet>

#include "support/program_fixture.h"

namespace lineara {
namespace {

using test::ProgramFixture;

class WindowActions : public ProgramFixture {};

TEST_F(WindowActions, NamesAndKeysAreEachTakenOnce) {
    QSet<QString> names;
    // The context menu's keys are its own (see main_window_keys.cpp); the
    // rest are heard by the whole window.
    QMap<QString, QString> windowKeys;
    QMap<QString, QString> contextKeys;
    int bindings = 0;
    for (QAction* a : main->findChildren<QAction*>()) {
        if (a->isSeparator()) continue;
        const QString name = a->objectName();
        if (!name.isEmpty()) {
            EXPECT_FALSE(names.contains(name)) << name.toStdString();
            names.insert(name);
        }
        const bool context = a->shortcutContext() == Qt::WidgetShortcut;
        QMap<QString, QString>& keys = context ? contextKeys : windowKeys;
        for (const QKeySequence& key : a->shortcuts()) {
            const QString k = key.toString();
            EXPECT_FALSE(keys.contains(k)) << k.toStdString() << " on " << name.toStdString()
                                           << " and " << keys.value(k).toStdString();
            keys.insert(k, name);
            ++bindings;
        }
    }
    // Both sides are there: the Edit menu's Ctrl+N and the context menu's.
    EXPECT_EQ(windowKeys.value(QStringLiteral("Ctrl+N")), QStringLiteral("Nyperson1"));
    EXPECT_EQ(contextKeys.value(QStringLiteral("Ctrl+N")), QStringLiteral("PopupNewMale"));
    EXPECT_GT(bindings, 50);
}

}  // namespace
}  // namespace lineara
