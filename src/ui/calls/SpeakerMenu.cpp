#include "ui/calls/SpeakerMenu.h"

#include "meetings/MeetingStore.h"
#include "ui/calls/SpeakerColor.h"

#include <QMenu>

QString SpeakerMenu::label(const Meeting& m, const QString& key) {
    return m.name(key) + (m.guessed(key) ? QStringLiteral("?") : QString());
}

QString SpeakerMenu::escaped(const QString& text) {
    return QString(text).replace('&', QStringLiteral("&&"));
}

SpeakerMenu::SpeakerMenu(MeetingStore& store, const Meeting& m, const MeetingLine& line,
                         std::function<void(const QString& key)> rename,
                         std::function<void()> editLine, QWidget* parent)
    : QToolButton(parent) {
    const QString key = line.key();
    setObjectName(QStringLiteral("speakerMenu"));
    setText(escaped(label(m, key)));
    setToolTip(tr("Change who said this, or rename %1").arg(m.name(key)));
    setAutoRaise(true);
    setPopupMode(QToolButton::InstantPopup);
    setStyleSheet(QStringLiteral("QToolButton { color: %1; border: none; padding: 0; }"
                                 "QToolButton::menu-indicator { image: none; width: 0; }")
                      .arg(speakerColor(key).name()));
    QFont f = font();
    f.setPixelSize(12);
    f.setBold(true);
    f.setItalic(m.guessed(key));
    setFont(f);
    auto* menu = new QMenu(this);
    menu->addSection(tr("Who said this line?"));
    const QUuid id = m.id, lineId = line.id;
    const QStringList keys = m.speakerKeys();
    auto moveTo = [&store, id, lineId](const QString& to) { store.move(id, lineId, to); };
    for (const QString& other : keys)
        if (other != key)
            menu->addAction(escaped(m.name(other)), this, [moveTo, other] { moveTo(other); });
    if (!keys.contains("You") && key != "You")
        menu->addAction(escaped(m.name("You")), this, [moveTo] { moveTo("You"); });
    menu->addAction(tr("New speaker"), this,
                    [&store, moveTo, id] { moveTo(store.newSpeakerKey(id)); });
    menu->addSeparator();
    if (m.guessed(key) && m.guesses && m.guesses->contains(key)) {
        const QString guess = m.guesses->value(key);
        menu->addAction(escaped(tr("Yes, this is %1").arg(guess)), this,
                        [&store, id, key, guess] { store.rename(id, key, guess); });
    }
    menu->addAction(escaped(tr("Rename %1 everywhere…").arg(m.name(key))), this,
                    [rename, key] { rename(key); });
    menu->addSeparator();
    menu->addAction(tr("Edit text…"), this, [editLine] { editLine(); });
    menu->addAction(tr("Delete line"), this,
                    [&store, id, lineId] { store.setText(id, lineId, QString()); });
    setMenu(menu);
}
