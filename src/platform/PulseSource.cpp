#include "platform/PulseSource.h"

namespace {
struct Listing {
    PulseContext* context;
    std::vector<PulseSource> sources;
};

void onSource(pa_context*, const pa_source_info* info, int eol, void* data) {
    auto* listing = static_cast<Listing*>(data);
    if (eol) {
        listing->context->signal();
        return;
    }
    listing->sources.push_back({info->index, QString::fromUtf8(info->name),
                                QString::fromUtf8(info->description),
                                info->monitor_of_sink != PA_INVALID_INDEX});
}
} // namespace

std::vector<PulseSource> PulseSource::list(PulseContext& context) {
    PulseContext::Lock lock(context);
    if (!context.connect())
        return {};
    Listing listing{&context, {}};
    context.await(pa_context_get_source_info_list(context.context(), onSource, &listing));
    return listing.sources;
}
