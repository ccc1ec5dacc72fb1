#include "app/DictationFinisher.h"

#include "core/DebugLog.h"
#include "core/Scheduler.h"
#include "delivery/Overlay.h"
#include "history/History.h"
#include "platform/Windows.h"
#include "settings/Settings.h"
#include "text/Cleanup.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QTimeZone>

namespace {
const char* const engineNotReady =
    QT_TRANSLATE_NOOP("DictationFinisher", "Engine not ready — try again");
const char* const partLost = QT_TRANSLATE_NOOP(
    "DictationFinisher", "Part of this dictation was lost — the engine did not answer");

QString translated(const char* text) {
    return QCoreApplication::translate("DictationFinisher", text);
}
} // namespace

DictationFinisher::DictationFinisher(const DictationServices& services) : s(services) {}

DictationFinisher::~DictationFinisher() = default;

void DictationFinisher::finishDictation(Request request) {
    const QString raw = request.text.value_or(QString()).trimmed();
    const QString cleaned =
        Cleanup::basic(raw, s.settings.vocab(), s.settings.removeFillers());
    if (cleaned.isEmpty() || cleaned.startsWith('[') || cleaned.startsWith('(')) {
        if (request.superseded())
            return;
        emit iconChanged(IconState::idle);
        if (request.text) {
            s.overlay.hide(0);
            return;
        }
        s.overlay.show(OverlayModel::Phase::message(translated(engineNotReady)));
        s.overlay.hide(engineMessageSeconds);
        return;
    }
    const bool polishing = s.settings.aiPolish() && s.polishAvailable() &&
                           cleaned.split(' ', Qt::SkipEmptyParts).size() >= 3;
    if (!polishing) {
        deliver(request, raw, cleaned);
        return;
    }
    if (!request.superseded())
        s.overlay.show(OverlayModel::Phase::polishing());
    // The pool thread holds copies: the finisher may go away (at quit) while the model runs.
    s.work.after(0, [this, self = QPointer<QObject>(this), request, raw, cleaned, polish = s.polish,
                     &main = s.main] {
        const QString polished = polish(cleaned, request.vocabWords);
        main.after(self, 0, [this, request, raw, polished] { deliver(request, raw, polished); });
    });
}

void DictationFinisher::deliver(const Request& request, const QString& raw,
                                const QString& final) {
    if (request.recipient) {
        request.recipient(raw, final);
        if (!request.superseded()) {
            emit iconChanged(IconState::idle);
            s.overlay.hide(0);
        }
        return;
    }
    save(raw, final, request.dur, request.app);
    if (!request.superseded())
        emit iconChanged(IconState::idle);
    const auto front = s.windows.frontmost();
    const bool trusted = s.trusted();
    const FocusState state = s.focusedFieldState();
    debugLog(QStringLiteral("dictation app=%1 trusted=%2 field=%3")
                 .arg(front ? front->className : QStringLiteral("?"),
                      trusted ? QStringLiteral("true") : QStringLiteral("false"),
                      focusStateName(state)));
    if (!trusted) {
        s.copyToClipboard(final);
        s.overlay.model.setNeedsPermission(true);
        if (!request.superseded())
            s.overlay.show(OverlayModel::Phase::result(final));
        return;
    }
    decide(request, final, state);
}

// The first reading is the one just logged: asking the accessibility bus again at once would
// only repeat it, slower.
void DictationFinisher::decide(const Request& request, const QString& final, FocusState state) {
    afterConfirm(state, [this, request, final](bool nothingThere) {
        if (nothingThere) {
            s.overlay.model.setNeedsPermission(false);
            // Sent anyway: the focus query may have been wrong.
            s.paste(final);
            s.main.after(this, cardDelay, [this, request, final] {
                if (!request.superseded())
                    s.overlay.show(OverlayModel::Phase::result(final));
            });
            return;
        }
        const bool quiet = request.superseded();
        if (!quiet)
            s.overlay.hide(0);
        s.paste(final);
        if (request.partLost && !quiet) {
            s.overlay.show(OverlayModel::Phase::message(translated(partLost)));
            s.overlay.hide(lostMessageSeconds);
        }
    });
}

void DictationFinisher::nothingToPasteInto(std::function<void(bool)> answer) {
    afterConfirm(s.focusedFieldState(), std::move(answer));
}

void DictationFinisher::afterConfirm(FocusState first, std::function<void(bool)> answer) {
    if (first != FocusState::notEditable) {
        answer(false);
        return;
    }
    s.main.after(this, recheckDelay, [this, answer = std::move(answer)] {
        answer(s.focusedFieldState() == FocusState::notEditable);
    });
}

void DictationFinisher::save(const QString& raw, const QString& final, double dur,
                             const std::optional<QString>& app) {
    if (!s.settings.saveHistory())
        return;
    Snippet snippet;
    snippet.date = QDateTime::fromMSecsSinceEpoch(qint64(s.clock.now() * 1000), QTimeZone::utc());
    snippet.text = final;
    snippet.raw = raw;
    snippet.seconds = dur;
    snippet.app = app;
    s.history.add(snippet);
}

void DictationFinisher::keep(const QString& text, double dur, const std::optional<QString>& app) {
    const QString raw = text.trimmed();
    const QString cleaned = Cleanup::basic(raw, s.settings.vocab(), s.settings.removeFillers());
    if (cleaned.isEmpty() || cleaned.startsWith('[') || cleaned.startsWith('('))
        return;
    save(raw, cleaned, dur, app);
}

void DictationFinisher::copyRecent(const QVariant& data) {
    if (data.typeId() == QMetaType::QString)
        s.copyToClipboard(data.toString());
}
