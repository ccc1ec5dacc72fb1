#include "platform/PulseServerInfo.h"

namespace {
PulseServerInfo from(const pa_server_info* info) {
    return {QString::fromUtf8(info->default_sink_name ? info->default_sink_name : ""),
            QString::fromUtf8(info->default_source_name ? info->default_source_name : "")};
}
} // namespace

std::optional<PulseServerInfo> PulseServerInfo::query(PulseContext& context) {
    PulseContext::Lock lock(context);
    if (!context.connect())
        return std::nullopt;
    struct Answer {
        PulseContext* context;
        std::optional<PulseServerInfo> info;
    } answer{&context, std::nullopt};
    context.await(pa_context_get_server_info(
        context.context(),
        [](pa_context*, const pa_server_info* info, void* data) {
            auto* a = static_cast<Answer*>(data);
            if (info)
                a->info = from(info);
            a->context->signal();
        },
        &answer));
    return answer.info;
}

PulseOperation PulseServerInfo::request(PulseContext& context,
                                        std::function<void(const PulseServerInfo&)>* done) {
    if (!context.ready())
        return {};
    return PulseOperation(pa_context_get_server_info(
        context.context(),
        [](pa_context*, const pa_server_info* info, void* data) {
            if (info)
                (*static_cast<std::function<void(const PulseServerInfo&)>*>(data))(from(info));
        },
        done));
}
