// Must not compile: the core library has no Qt include path.
#include <QtCore/QString>
#include <QString>
