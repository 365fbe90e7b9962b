// Qt's headers in the other spellings the compiler takes, outside the backend.
#include <QtCore/QString>
#include <qobject.h>
#include "QList"
#include <queue>
