#include "uistate/Tab.h"

#include <QCoreApplication>

namespace Tabs {

const QList<Tab>& allCases() {
    static const QList<Tab> tabs = {Tab::home, Tab::history, Tab::meetings, Tab::vocabulary,
                                    Tab::settings};
    return tabs;
}

QString rawValue(Tab tab) {
    switch (tab) {
    case Tab::home:
        return QStringLiteral(QT_TRANSLATE_NOOP("Tab", "Home"));
    case Tab::history:
        return QStringLiteral(QT_TRANSLATE_NOOP("Tab", "History"));
    case Tab::meetings:
        return QStringLiteral(QT_TRANSLATE_NOOP("Tab", "Calls"));
    case Tab::vocabulary:
        return QStringLiteral(QT_TRANSLATE_NOOP("Tab", "Vocabulary"));
    case Tab::settings:
        return QStringLiteral(QT_TRANSLATE_NOOP("Tab", "Settings"));
    }
    return {};
}

QString title(Tab tab) {
    return QCoreApplication::translate("Tab", rawValue(tab).toUtf8().constData());
}

QString icon(Tab tab) {
    switch (tab) {
    case Tab::home:
        return QStringLiteral("waveform");
    case Tab::history:
        return QStringLiteral("clock.arrow.circlepath");
    case Tab::meetings:
        return QStringLiteral("person.2.wave.2");
    case Tab::vocabulary:
        return QStringLiteral("character.book.closed");
    case Tab::settings:
        return QStringLiteral("gearshape");
    }
    return {};
}

std::optional<Tab> fromRawValue(const QString& raw) {
    for (Tab tab : allCases())
        if (rawValue(tab) == raw)
            return tab;
    return std::nullopt;
}

} // namespace Tabs
