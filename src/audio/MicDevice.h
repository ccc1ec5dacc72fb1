#pragma once

#include <QHashFunctions>
#include <QString>

// An input device as the settings page lists it: `uid` is what the "micDevice" setting stores.
struct MicDevice {
    quint32 id = 0;
    QString uid;
    QString name;

    friend bool operator==(const MicDevice&, const MicDevice&) = default;
};

inline size_t qHash(const MicDevice& d, size_t seed = 0) {
    return qHashMulti(seed, d.id, d.uid, d.name);
}
