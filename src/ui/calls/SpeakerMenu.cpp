#include "ui/calls/SpeakerMenu.h"

#include "meetings/MeetingStore.h"
#include "ui/calls/SpeakerColor.h"
#include "ui/calls/SpeakerName.h"

#include <QMenu>

QString SpeakerMenu::label(const Meeting& m, const SpeakerKey& key) {
    return speakerName(m, key) + (m.guessed(key) ? QStringLiteral("?") : QString());
}

QString SpeakerMenu::escaped(const QString& text) {
    return QString(text).replace('&', QStringLiteral("&&"));
}

SpeakerMenu::SpeakerMenu(MeetingStore& store, const Meeting& m, const MeetingLine& line,
                         QWidget* parent)
    : QToolButton(parent) {
    const SpeakerKey key = line.key();
    setObjectName(QStringLiteral("speakerMenu"));
    setText(escaped(label(m, key)));
    setToolTip(tr("Change who said this, or rename %1").arg(speakerName(m, key)));
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
    const QList<SpeakerKey> keys = m.speakerKeys();
    auto moveTo = [&store, id, lineId](const SpeakerKey& to) { store.move(id, lineId, to); };
    for (const SpeakerKey& other : keys)
        if (other != key)
            menu->addAction(escaped(speakerName(m, other)), this,
                            [moveTo, other] { moveTo(other); });
    const SpeakerKey you = SpeakerKey::you();
    if (!keys.contains(you) && key != you)
        menu->addAction(escaped(speakerName(m, you)), this, [moveTo, you] { moveTo(you); });
    menu->addAction(tr("New speaker"), this,
                    [&store, moveTo, id] { moveTo(store.newSpeakerKey(id)); });
    menu->addSeparator();
    if (m.guessed(key)) {
        const QString guess = m.guesses->value(key);
        menu->addAction(escaped(tr("Yes, this is %1").arg(guess)), this,
                        [&store, id, key, guess] { store.rename(id, key, guess); });
    }
    menu->addAction(escaped(tr("Rename %1 everywhere…").arg(speakerName(m, key))), this,
                    [this, key] { emit renameRequested(key); });
    menu->addSeparator();
    menu->addAction(tr("Edit text…"), this, &SpeakerMenu::editRequested);
    menu->addAction(tr("Delete line"), this,
                    [&store, id, lineId] { store.setText(id, lineId, QString()); });
    setMenu(menu);
}
