#include "xkeys/XKeys.h"

#include <QProcess>

bool sendKeys(const QStringList& keys) {
    return QProcess::execute(XKEYS, keys) == 0;
}
