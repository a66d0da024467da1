// Must not compile: the core has no include path that reaches gui/.
#include "gui/render/tree_painter.h"
