// The start's question about trees left unsaved by a program that died:
// each is offered in turn, to be restored, discarded or kept for later.
#pragma once

#include <QString>
#include <functional>

#include "core/platform/recovery_store.h"
#include "gui/platform/user_interaction.h"

namespace lineara {

// The question for one recovery, with a word on the tree's own file when it
// was deleted or changed since.
QString recoveryQuestion(const LeftRecovery& left);

struct RecoveryOfferHooks {
    // Asks the save question for the tree now open; false: keep the
    // recovery for later.
    std::function<bool()> checkModified;
    // Opens the recovered tree; false, with the reason, when it does not
    // read.
    std::function<bool(const LeftRecovery&, QString& problem)> restore;
    // Makes the restored tree safe again under this program's own recovery
    // files; false when they could not be written (then the old ones stay).
    std::function<bool()> keepRestored;
};

// Offers every recovery in `folder` whose program is gone. Returns how many
// were restored.
int offerLeftRecoveries(const QString& folder, UserInteraction& ui,
                        const RecoveryOfferHooks& hooks);

}  // namespace lineara
