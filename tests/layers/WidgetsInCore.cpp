// Must not compile: the core reaches Qt Core only.
#include <QtWidgets/QWidget>
