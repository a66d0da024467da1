// Must not compile: the core has no include path that reaches render/.
#include "render/painter/tree_painter.h"
