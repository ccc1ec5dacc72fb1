#include "ui/floating/CallLiveTranscript.h"

#include "meetings/Meeting.h"
#include "ui/widgets/Brand.h"
#include "ui/calls/CallServices.h"
#include "ui/floating/CallStripText.h"
#include "ui/calls/TalkingRows.h"
#include "ui/widgets/RowColumn.h"

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
    column = new RowColumn(6);
    QVBoxLayout* lines = column->column();
    lines->setContentsMargins(0, 0, 8, 0);
    talking = new TalkingRows({true, 0, nameWidth, pixelSize});
    empty = CallStripText::note();
    lines->addWidget(talking);
    lines->addWidget(empty);
    setWidget(column);
    setFixedWidth(width);
}

void CallLiveTranscript::addRow(size_t index) {
    Row r{new QWidget, CallStripText::name(pixelSize), CallStripText::lineText(pixelSize)};
    r.name->setFixedWidth(nameWidth);
    r.name->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* line = new QHBoxLayout(r.box);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    line->addWidget(r.name, 0, Qt::AlignTop);
    line->addWidget(r.text, 1);
    column->insert(int(index), r.box);
    rows.insert(rows.begin() + qsizetype(index), r);
}

void CallLiveTranscript::dropRow(size_t index) {
    delete column->take(int(index));
    rows.erase(rows.begin() + qsizetype(index));
}

void CallLiveTranscript::fill(const Row& row, const MeetingLine& line) {
    CallStripText::showSide(row.name, line.who);
    row.text->setText(line.text);
}

void CallLiveTranscript::follow(const Meeting* m, const CallActivity& a, bool youTalking,
                                bool themTalking) {
    showLines(m);
    showWaiting(m, a, youTalking, themTalking);
}

void CallLiveTranscript::showLines(const Meeting* m) {
    const size_t count = m ? size_t(m->lines.size()) : 0;
    while (rows.size() > count)
        dropRow(rows.size() - 1);
    for (size_t i = 0; i < count; ++i) {
        if (i == rows.size())
            addRow(i);
        fill(rows[i], m->lines[qsizetype(i)]);
    }
}

void CallLiveTranscript::lineAdded(const Meeting& m, int index) {
    if (rows.size() + 1 != size_t(m.lines.size()))
        return showLines(&m);
    addRow(size_t(index));
    fill(rows[size_t(index)], m.lines[index]);
}

void CallLiveTranscript::lineChanged(const Meeting& m, int index) {
    if (rows.size() != size_t(m.lines.size()))
        return showLines(&m);
    fill(rows[size_t(index)], m.lines[index]);
}

void CallLiveTranscript::lineRemoved(const Meeting& m, int index) {
    if (rows.size() != size_t(m.lines.size()) + 1)
        return showLines(&m);
    dropRow(size_t(index));
}

void CallLiveTranscript::showWaiting(const Meeting* m, const CallActivity& a, bool youTalking,
                                     bool themTalking) {
    talking->setWaiting(TalkingRows::waiting(m, SpeakerKey::you(), a.isRecording, youTalking),
                        TalkingRows::waiting(m, SpeakerKey::them(), a.isRecording, themTalking));
    empty->setText(CallStripText::nothingYet(a.systemAudioOK));
    empty->setVisible(rows.empty());
    updateGeometry();
    qsizetype characters = 0;
    if (m)
        for (const MeetingLine& line : m->lines)
            characters += line.text.size();
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

QString CallLiveTranscript::rowText(int index) const {
    return rows[size_t(index)].text->text();
}

// Measured at the width the rows are laid out at once they are on screen, so that each row is
// measured at one width only; before that, at the strip's.
QSize CallLiveTranscript::sizeHint() const {
    const int rowsWidth = column->isVisible() ? column->width() : width;
    return {width, std::min(maxHeight, column->heightAt(rowsWidth))};
}
