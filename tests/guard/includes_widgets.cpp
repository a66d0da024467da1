// Must not compile: the rendering library has no QtWidgets include path.
#include <QWidget>
