// Must not compile: the core has no include path that reaches gui/.
#include "gui/printing/print_tree_window.h"
