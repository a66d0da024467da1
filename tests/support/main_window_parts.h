// The main window with the parts tests reach through it: the canvas
// interaction and the command objects.
#pragma once

#include "gui/canvas/canvas_interaction.h"
#include "gui/main_window/document_commands.h"
#include "gui/main_window/edit_commands.h"
#include "gui/main_window/import_export_commands.h"
#include "gui/main_window/layout_commands.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/report_commands.h"
#include "gui/main_window/search_commands.h"
#include "gui/main_window/view_commands.h"
