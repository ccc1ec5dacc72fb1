#include "ui/calls/SpeakerChips.h"

#include "meetings/Meeting.h"
#include "ui/widgets/Brand.h"
#include "ui/calls/SpeakerColor.h"
#include "ui/calls/SpeakerMenu.h"
#include "ui/calls/SpeakerName.h"
#include "ui/widgets/Symbols.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* part(const QString& text, int pixelSize, QFont::Weight weight, bool italic = false) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    f.setItalic(italic);
    label->setFont(f);
    return label;
}

QLabel* dot(const QColor& colour) {
    auto* label = new QLabel;
    label->setFixedSize(7, 7);
    label->setStyleSheet(QStringLiteral("background: %1; border-radius: 3px;").arg(colour.name()));
    return label;
}

QPushButton* chip(const Meeting& m, const SpeakerKey& key) {
    int count = 0;
    for (const MeetingLine& line : m.lines)
        count += line.key() == key;
    auto* button = new QPushButton;
    button->setObjectName(QStringLiteral("speakerChip"));
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(
        m.guessed(key)
            ? SpeakerChips::tr("Guessed from their voice. Click to confirm or change it.")
            : SpeakerChips::tr("Rename %1 everywhere in this call").arg(speakerName(m, key)));
    button->setStyleSheet(QStringLiteral("QPushButton#speakerChip { background: %1; "
                                         "border-radius: 11px; border: none; }")
                              .arg(Brand::css(QColor(128, 128, 128, 36))));
    auto* faded = part(QString::number(count), 10, QFont::Normal);
    faded->setProperty("secondary", true);
    auto* pencil = new QLabel;
    pencil->setPixmap(Symbols::icon("pencil", Brand::secondaryText(), 9).pixmap(9, 9));
    auto* row = new QHBoxLayout(button);
    row->setContentsMargins(8, 4, 8, 4);
    row->setSpacing(5);
    row->addWidget(dot(speakerColor(key)));
    row->addWidget(part(SpeakerMenu::label(m, key), 11, QFont::DemiBold, m.guessed(key)));
    row->addWidget(faded);
    row->addWidget(pencil);
    // A button sizes itself by its own text, which this one has none of.
    button->setMinimumSize(row->sizeHint());
    return button;
}

} // namespace

SpeakerChips::SpeakerChips(const Meeting& m, std::function<void(const SpeakerKey& key)> rename,
                           QWidget* parent)
    : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    auto* strip = new QWidget;
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    for (const SpeakerKey& key : m.speakerKeys()) {
        QPushButton* c = chip(m, key);
        connect(c, &QPushButton::clicked, this, [rename, key] { rename(key); });
        row->addWidget(c);
    }
    row->addStretch();
    setWidget(strip);
    setFixedHeight(30);
}
