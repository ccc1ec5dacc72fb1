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

QLabel* symbol(const QString& name, const QColor& colour, int size) {
    auto* label = new QLabel;
    label->setPixmap(Symbols::icon(name, colour, size).pixmap(size, size));
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

MeetingRow::MeetingRow(const Meeting& m, bool live, QWidget* parent) : QPushButton(parent) {
    setObjectName(QStringLiteral("meetingRow"));
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    setMinimumHeight(54);
    auto* title = plain(m.title);
    QFont bold = title->font();
    bold.setPixelSize(13);
    bold.setWeight(QFont::DemiBold);
    title->setFont(bold);
    auto* sub = plain(live ? tr("Recording now") : summary(m));
    sub->setFont(Brand::mono());
    sub->setProperty("secondary", true);
    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    text->addWidget(title);
    text->addWidget(sub);
    auto* icon = live ? symbol("record.circle.fill", Brand::recording(), 16)
                      : symbol("person.2.wave.2", Brand::accent(), 16);
    icon->setFixedWidth(22);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 8, 14, 8);
    row->setSpacing(10);
    row->addWidget(icon);
    row->addLayout(text, 1);
    row->addWidget(symbol("chevron.right", Brand::secondaryText(), 12));
}
