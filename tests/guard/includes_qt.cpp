// Must not compile: the core has no Qt include path.
#include <QString>
