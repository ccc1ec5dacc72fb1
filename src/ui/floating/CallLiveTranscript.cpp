#include "ui/floating/CallLiveTranscript.h"

#include "meetings/Meeting.h"
#include "ui/widgets/Brand.h"
#include "ui/calls/CallServices.h"
#include "ui/floating/CallStripText.h"
#include "ui/calls/TalkingRows.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int pixelSize = 12;
} // namespace

CallLiveTranscript::CallLiveTranscript(int width, QWidget* parent)
    : QScrollArea(parent), width(width) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus);
    setStyleSheet(QStringLiteral(
        "QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"
        " QScrollBar:vertical { background: transparent; width: 6px; }"
        " QScrollBar::handle:vertical { background: rgba(255,255,255,60); border-radius: 3px;"
        " min-height: 20px; }"
        " QScrollBar::add-line, QScrollBar::sub-line { height: 0; }"));
    column = new QWidget;
    lines = new QVBoxLayout(column);
    lines->setContentsMargins(0, 0, 8, 0);
    lines->setSpacing(6);
    talking = new TalkingRows({true, 0, nameWidth, pixelSize});
    empty = CallStripText::note();
    lines->addWidget(talking);
    lines->addWidget(empty);
    setWidget(column);
    setFixedWidth(width);
}

CallLiveTranscript::Row& CallLiveTranscript::row(size_t index) {
    while (rows.size() <= index) {
        Row r{new QWidget, CallStripText::name(pixelSize), CallStripText::text(pixelSize)};
        r.name->setFixedWidth(nameWidth);
        r.name->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        r.text->setWordWrap(true);
        auto* line = new QHBoxLayout(r.box);
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(8);
        line->addWidget(r.name, 0, Qt::AlignTop);
        line->addWidget(r.text, 1);
        lines->insertWidget(int(rows.size()), r.box);
        rows.push_back(r);
    }
    return rows[index];
}

void CallLiveTranscript::follow(const Meeting* m, const CallActivity& a, bool youTalking,
                              bool themTalking) {
    const qsizetype count = m ? m->lines.size() : 0;
    qsizetype characters = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const MeetingLine& line = m->lines[i];
        Row& r = row(size_t(i));
        CallStripText::showSide(r.name, line.who);
        r.text->setText(line.text);
        r.box->show();
        characters += line.text.size();
    }
    for (size_t i = size_t(count); i < rows.size(); ++i)
        rows[i].box->hide();
    talking->setWaiting(TalkingRows::waiting(m, SpeakerKey::you(), a.isRecording, youTalking),
                        TalkingRows::waiting(m, SpeakerKey::them(), a.isRecording, themTalking));
    empty->setText(CallStripText::nothingYet(a.systemAudioOK));
    empty->setVisible(count == 0);
    updateGeometry();
    if (characters != shownCharacters)
        followEnd();
    shownCharacters = characters;
}

void CallLiveTranscript::followEnd() {
    QTimer::singleShot(0, this, [this] {
        column->layout()->activate();
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    });
}

QSize CallLiveTranscript::sizeHint() const {
    const QLayout* l = column->layout();
    const int h = l->hasHeightForWidth() ? l->totalHeightForWidth(width)
                                         : l->totalSizeHint().height();
    return {width, std::min(maxHeight, h)};
}
