// What the two check windows share: the file label, the two-column list and the hook into the
// person editor.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "render/checks/caption_order.h"
#include "render/platform/record_codec.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace lineara {

class Document;
class PersonRecord;

// Makes the person current, opens the editor on it and returns when the
// editor is closed.
using EditPersonFn = std::function<void(const PersonRecord*)>;

// "Plik: " and the tree file, or "Plik: (Nowy)" for a tree without one.
QString fileLabelText(const std::string& currentFileName);

// The frame of a check window: the file label, the progress label, the
// two-column list, "&OK", the window's own buttons and "&Pomoc". It stays on
// top, shows the tree file when shown, and hears of every removed record so
// that no entry keeps a pointer to it.
class CheckWindow : public QDialog {
    Q_OBJECT
public:
    QTreeWidget* list() const { return list_; }
    QLabel* fileLabel() const { return fileLabel_; }
    QLabel* resultLabel() const { return resultLabel_; }
    QPushButton* okButton() const { return ok_; }

protected:
    // `repaint` redraws the tree after the window has changed it or the
    // current person.
    CheckWindow(Document& doc, const RecordCodec& codec, EditPersonFn editPerson,
                std::function<void()> help, std::function<void()> repaint, const QString& title,
                const QString& secondColumn, QWidget* parent);
    ~CheckWindow() override;

    // Lays the window out with `own` between "&OK" and "&Pomoc".
    void layOut(std::initializer_list<QPushButton*> own);
    void showEvent(QShowEvent* event) override;

    // Before a run: `progress` in the result label, the list hidden and
    // emptied with fresh columns, "&OK" and `buttons` disabled, and the
    // window painted once.
    void startRun(const QString& progress, std::initializer_list<QPushButton*> buttons);
    // Adds an entry about `person` (texts in record bytes); the entry's
    // index is its place in the order added.
    void addEntry(std::string_view caption, std::string_view text, const PersonRecord* person);
    // An entry whose text begins with one of the core's marked `leads`
    // (ASCII), shown translated, before the record bytes that follow it.
    void addEntry(std::string_view caption, std::string_view text, const PersonRecord* person,
                  std::initializer_list<const char*> leads);
    static int entryIndex(const QTreeWidgetItem* item);
    // The entry's person; null once the record is gone.
    const PersonRecord* personOf(const QTreeWidgetItem* item) const;
    // The selected entry whose person is still there, or null.
    QTreeWidgetItem* selectedEntry() const;
    // Whether the window's own button may act on the selection: the list is
    // shown and the selected entry still has its second column.
    bool selectionActionable() const;
    // Sets the window's own buttons after the selection or the list changed.
    virtual void updateButtons() = 0;
    // After editing an entry's person: no one is current, and the canvas
    // no longer shows that person highlighted.
    void leaveNoOneCurrent();
    // Puts a check's entries in the order the list shows them.
    template <typename Entry>
    void sortForList(std::vector<Entry>& entries) const {
        sortInReadersOrder(entries, [this](std::string_view s) { return codec_.decode(s); });
    }

    Document& doc_;
    const RecordCodec& codec_;
    EditPersonFn editPerson_;
    std::function<void()> helpFn_;  // the window's help topic
    std::function<void()> repaint_;
    QLabel* fileLabel_ = nullptr;
    QLabel* resultLabel_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* help_ = nullptr;

private:
    // Drops the entries of a removed record (all entries for nullptr).
    void forgetPerson(const PersonRecord* person);

    QString secondColumn_;
    std::vector<const PersonRecord*> entryPersons_;  // per entry; null once removed
    int removalToken_ = 0;
};

}  // namespace lineara
