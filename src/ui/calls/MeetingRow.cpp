#include "ui/calls/MeetingRow.h"

#include "meetings/Meeting.h"
#include "ui/widgets/Brand.h"
#include "ui/widgets/Symbols.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace {

QLabel* plain(const QString& text) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QPixmap drawn(const QString& name, const QColor& colour, int size) {
    return Symbols::icon(name, colour, size).pixmap(size, size);
}

QLabel* symbol(const QString& name, const QColor& colour, int size) {
    auto* label = new QLabel;
    label->setPixmap(drawn(name, colour, size));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

QString MeetingRow::summary(const Meeting& m) {
    const QLocale locale;
    const QDateTime start = m.start.toLocalTime();
    return locale.toString(start.date(), QLocale::ShortFormat) + " " +
           locale.toString(start.time(), QLocale::ShortFormat) + " · " + clock(m.duration()) +
           " · " + tr("%n words", nullptr, m.words());
}

MeetingRow::MeetingRow(const Meeting& m, bool live, QWidget* parent)
    : QPushButton(parent), id(m.id) {
    setObjectName(QStringLiteral("meetingRow"));
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    setMinimumHeight(54);
    title = plain(QString());
    QFont bold = title->font();
    bold.setPixelSize(13);
    bold.setWeight(QFont::DemiBold);
    title->setFont(bold);
    sub = plain(QString());
    sub->setFont(Brand::mono());
    sub->setProperty("secondary", true);
    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    text->addWidget(title);
    text->addWidget(sub);
    icon = new QLabel;
    icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    icon->setFixedWidth(22);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 8, 14, 8);
    row->setSpacing(10);
    row->addWidget(icon);
    row->addLayout(text, 1);
    row->addWidget(symbol("chevron.right", Brand::secondaryText(), 12));
    showMeeting(m, live);
}

void MeetingRow::showMeeting(const Meeting& m, bool live) {
    title->setText(m.title);
    sub->setText(live ? tr("Recording now") : summary(m));
    if (shownLive == live)
        return;
    shownLive = live;
    icon->setPixmap(live ? drawn("record.circle.fill", Brand::recording(), 16)
                         : drawn("person.2.wave.2", Brand::accent(), 16));
}
