#include "tool/commands.h"
namespace lineara::tool {
int makeSample(const Args&) { return fail("not yet"); }
}
