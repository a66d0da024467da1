#include "tool/commands.h"
namespace lineara::tool {
int generate(const Args&) { return fail("not yet"); }
}
