#include "audio/MicListing.h"

namespace MicListing {

int print(QTextStream& out, const std::vector<MicDevice>& devices) {
    for (const MicDevice& device : devices)
        out << device.name << '\t' << device.uid << '\n';
    out.flush();
    return 0;
}

} // namespace MicListing
