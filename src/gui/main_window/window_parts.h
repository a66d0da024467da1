// What the main window is composed of, kept apart from its header so that
// only the window's own files see the parts together.
#pragma once

#include "core/model/editing_states.h"
#include "gui/canvas/canvas_interaction.h"
#include "gui/main_window/document_commands.h"
#include "gui/main_window/edit_commands.h"
#include "gui/main_window/import_export_commands.h"
#include "gui/main_window/layout_commands.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/report_commands.h"
#include "gui/main_window/search_commands.h"
#include "gui/main_window/view_commands.h"
#include "gui/main_window/window_actions.h"
#include "gui/main_window/window_environment.h"

namespace lineara {

// What the rows' rules read: the states of the tree and the selection,
// worked out once before the rules of a menu are applied.
struct CommandRuleStates {
    EditCommandStates edit;
    LinkMenuState link;
    AliasMenuState alias;
    ContextMenuState context;
    bool current = false;  // somebody is current
};

struct MainWindow::Parts {
    Parts(MainWindow& window, AppContext& ctx, QToolBar& toolBar, int scrollStep)
        : env(window, ctx),
          interaction(env),
          documents(env),
          edit(env),
          view(env, scrollStep),
          layout(env),
          importExport(env),
          reports(env),
          search(env),
          actions(window, toolBar) {
        env.setGestures(&interaction);
        env.setDocumentCommands(&documents);
    }

    Environment env;
    CanvasInteraction interaction;
    DocumentCommands documents;
    EditCommands edit;
    ViewCommands view;
    LayoutCommands layout;
    ImportExportCommands importExport;
    ReportCommands reports;
    SearchCommands search;
    WindowActions actions;
    CommandRuleStates rules;
};

}  // namespace lineara
