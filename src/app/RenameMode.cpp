#include "app/RenameMode.h"

#include "app/Quit.h"
#include "meetings/MeetingStore.h"

#include <QCoreApplication>
#include <QTimer>
#include <QUuid>

namespace {
struct Request {
    QUuid id;
    SpeakerKey key;
    QString name;
};

std::optional<Request> request(const QStringList& args) {
    const qsizetype at = args.indexOf("--rename");
    if (at < 0 || at + 3 >= args.size())
        return std::nullopt;
    const QUuid id = QUuid::fromString(args[at + 1]);
    if (id.isNull())
        return std::nullopt;
    return Request{id, SpeakerKey::fromStored(args[at + 2]), args[at + 3]};
}
} // namespace

namespace RenameMode {

bool wanted(const QStringList& args) {
    return request(args).has_value();
}

bool run(const QStringList& args, MeetingStore& store) {
    const auto r = request(args);
    if (!r)
        return false;
    store.rename(r->id, r->key, r->name);
    QTimer::singleShot(6000, qApp, &Quit::now);
    return true;
}

} // namespace RenameMode
