#include "platform/PulseSink.h"

std::optional<PulseSink> PulseSink::find(PulseContext& context, const QString& name) {
    PulseContext::Lock lock(context);
    if (!context.connect())
        return std::nullopt;
    struct Answer {
        PulseContext* context;
        std::optional<PulseSink> sink;
    } answer{&context, std::nullopt};
    const QByteArray wanted = name.toUtf8();
    context.await(pa_context_get_sink_info_by_name(
        context.context(), wanted.constData(),
        [](pa_context*, const pa_sink_info* info, int eol, void* data) {
            auto* a = static_cast<Answer*>(data);
            if (!eol && info)
                a->sink = PulseSink{QString::fromUtf8(info->name),
                                    QString::fromUtf8(info->monitor_source_name)};
            if (eol)
                a->context->signal();
        },
        &answer));
    return answer.sink;
}
