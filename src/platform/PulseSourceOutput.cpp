#include "platform/PulseSourceOutput.h"

#include "platform/PulseSource.h"

#include <algorithm>

namespace {
struct Listing {
    PulseContext* context;
    std::vector<PulseSourceOutput> outputs;
};

QString property(const pa_proplist* list, const char* key) {
    const char* value = pa_proplist_gets(list, key);
    return value ? QString::fromUtf8(value) : QString();
}

void onOutput(pa_context*, const pa_source_output_info* info, int eol, void* data) {
    auto* listing = static_cast<Listing*>(data);
    if (eol) {
        listing->context->signal();
        return;
    }
    PulseSourceOutput out;
    out.index = info->index;
    out.source = info->source;
    out.client = info->client;
    out.corked = info->corked != 0;
    out.binary = property(info->proplist, PA_PROP_APPLICATION_PROCESS_BINARY);
    out.appId = property(info->proplist, PA_PROP_APPLICATION_ID);
    out.portalAppId = property(info->proplist, "pipewire.access.portal.app_id");
    out.role = property(info->proplist, PA_PROP_MEDIA_ROLE);
    out.pid = property(info->proplist, PA_PROP_APPLICATION_PROCESS_ID).toLongLong();
    listing->outputs.push_back(out);
}
} // namespace

std::vector<PulseSourceOutput> PulseSourceOutput::list(PulseContext& context) {
    const std::vector<PulseSource> sources = PulseSource::list(context);
    Listing listing{&context, {}};
    {
        PulseContext::Lock lock(context);
        if (!context.connect())
            return {};
        context.await(
            pa_context_get_source_output_info_list(context.context(), onOutput, &listing));
    }
    for (PulseSourceOutput& out : listing.outputs)
        out.fromMonitor = std::any_of(sources.begin(), sources.end(), [&](const PulseSource& s) {
            return s.index == out.source && s.monitor;
        });
    return listing.outputs;
}
