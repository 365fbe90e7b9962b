// Qt outside its backend, and the stages reaching into a backend.
#include <QString>
#include <string>

#include "ui/qt/qt_text.h"
#include "ui/toolkit.h"
