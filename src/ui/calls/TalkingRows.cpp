#include "ui/calls/TalkingRows.h"

#include "meetings/Meeting.h"
#include "ui/widgets/Brand.h"
#include "ui/calls/SpeakerColor.h"
#include "ui/calls/SpeakerName.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
constexpr int dotMilliseconds = 450;
} // namespace

TalkingRows::TalkingRows(Look look, QWidget* parent) : QWidget(parent), look(look) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    youRow = row(SpeakerKey::you(), youText);
    themRow = row(SpeakerKey::them(), themText);
    column->addWidget(youRow);
    column->addWidget(themRow);
    dots.setInterval(dotMilliseconds);
    connect(&dots, &QTimer::timeout, this, &TalkingRows::cycle);
    setWaiting(false, false);
}

QWidget* TalkingRows::row(const SpeakerKey& who, QLabel*& text) {
    auto* box = new QWidget;
    auto* line = new QHBoxLayout(box);
    line->setContentsMargins(look.indent, 0, 0, 0);
    line->setSpacing(8);
    auto* name = new QLabel(speakerName(who));
    name->setTextFormat(Qt::PlainText);
    QFont bold = name->font();
    bold.setPixelSize(look.pixelSize);
    bold.setBold(true);
    name->setFont(bold);
    const QColor colour =
        look.onDark ? (who.isYou() ? Brand::youOnDark() : Brand::themOnDark()) : speakerColor(who);
    name->setStyleSheet("color: " + Brand::css(colour));
    name->setFixedWidth(look.nameWidth);
    text = new QLabel;
    text->setTextFormat(Qt::PlainText);
    QFont italic = bold;
    italic.setBold(false);
    italic.setItalic(true);
    text->setFont(italic);
    text->setStyleSheet("color: " + Brand::css(look.onDark ? QColor(255, 255, 255, 140)
                                                           : Brand::secondaryText()));
    line->addWidget(name);
    line->addWidget(text, 1);
    return box;
}

bool TalkingRows::waiting(const Meeting* m, const SpeakerKey& who, bool recording, bool talking) {
    if (!recording || !talking)
        return false;
    if (!m)
        return true;
    for (auto line = m->lines.crbegin(); line != m->lines.crend(); ++line)
        if (line->who == who)
            return !line->draft.value_or(false);
    return true;
}

void TalkingRows::setWaiting(bool you, bool them) {
    youRow->setVisible(you);
    themRow->setVisible(them);
    setVisible(you || them);
    if (you || them) {
        if (!dots.isActive())
            dots.start();
    } else {
        dots.stop();
    }
    cycle();
}

bool TalkingRows::youWaiting() const {
    return !youRow->isHidden();
}

bool TalkingRows::themWaiting() const {
    return !themRow->isHidden();
}

void TalkingRows::cycle() {
    const QString text = tr("listening") + QString(phase + 1, QLatin1Char('.'));
    youText->setText(text);
    themText->setText(text);
    phase = (phase + 1) % 3;
}
