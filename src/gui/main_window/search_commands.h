// Navigation and search: the home person, the parents, the nearest box in
// a direction, the go-to lists and the search window. The two list windows
// belong to the program; they move the focus back through goToPerson.
#pragma once

#include <QSize>
#include <QString>

#include "core/model/document.h"
#include "core/view/viewport.h"
#include "gui/canvas/canvas_interaction.h"
#include "render/platform/record_codec.h"

namespace lineara {

// The status bar's text for the current person, as after an arrow key:
// "names (birth - death)"; empty when nobody is current.
QString currentPersonStatus(const PersonList& persons, const RecordCodec& codec);

enum class GoToListKind { Children, Siblings, Relatives };

class SearchEnvironment {
public:
    virtual ~SearchEnvironment() = default;
    virtual Document& document() = 0;
    virtual ViewState& view() = 0;
    virtual QSize windowSize() const = 0;
    virtual const RecordCodec& codec() const = 0;
    virtual GestureControl& gestures() = 0;
    virtual void repaintTree() = 0;
    virtual void refreshCommandStates() = 0;
    virtual void setStatusText(const QString& text) = 0;
    virtual void showGoToList(GoToListKind kind) = 0;
    // Shows the search window (true) or closes it.
    virtual void showSearchWindow(bool show) = 0;
    // The check mark of the search window's item.
    virtual void setSearchCheckMark(bool on) = 0;
    virtual void setMenuEmpty(bool empty) = 0;
};

class SearchCommands {
public:
    explicit SearchCommands(SearchEnvironment& env) : env_(env) {}

    // The home person, centred at 100 % wherever the view was.
    void goHome();
    void goToFather();
    void goToMother();
    // Makes the person current and centres it at the present zoom. Unlike
    // the go-to-alias command, it leaves the next press alone: that is the
    // user's next click on the tree and must count.
    void goToPerson(const PersonRecord* person);
    // Shift, Ctrl or Alt with an arrow: the nearest box that way.
    void moveToNearest(ScrollDirection direction);
    void showChildren() { env_.showGoToList(GoToListKind::Children); }
    void showSiblings() { env_.showGoToList(GoToListKind::Siblings); }
    void showRelatives() { env_.showGoToList(GoToListKind::Relatives); }
    // Shows the search window, or closes it when it is shown.
    void toggleSearchWindow();
    // The search window tells whether it is shown.
    void searchWindowShown(bool shown);
    bool searchShown() const { return searchShown_; }

private:
    WindowExtent extent() const;

    SearchEnvironment& env_;
    bool searchShown_ = false;
};

}  // namespace lineara
