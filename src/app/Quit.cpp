#include "app/Quit.h"

#include <QCoreApplication>

namespace Quit {

void now() {
    QCoreApplication::exit(0);
}

} // namespace Quit
