#include "ui/calls/MeetingLineRow.h"

#include "meetings/MeetingStore.h"
#include "ui/widgets/RowText.h"
#include "ui/calls/SpeakerColor.h"
#include "ui/calls/SpeakerMenu.h"
#include "ui/calls/SpeakerName.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>

namespace {

QLabel* plain(const QString& text, int pixelSize) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    label->setFont(f);
    return label;
}

} // namespace

MeetingLineRow::MeetingLineRow(MeetingStore& store, const Meeting& m, const MeetingLine& line,
                               bool live, bool editable, QWidget* parent)
    : QWidget(parent), shown(line) {
    auto* when = plain(clock(line.t), 11);
    when->setProperty("secondary", true);
    when->setFixedWidth(42);
    QWidget* who = nullptr;
    if (editable) {
        auto* menu = new SpeakerMenu(store, m, line);
        connect(menu, &SpeakerMenu::renameRequested, this, &MeetingLineRow::renameRequested);
        connect(menu, &SpeakerMenu::editRequested, this, &MeetingLineRow::editRequested);
        menu->setFixedWidth(86);
        who = menu;
    } else {
        auto* name = plain(speakerName(m, line.key()), 12);
        QFont bold = name->font();
        bold.setBold(true);
        name->setFont(bold);
        name->setStyleSheet(QStringLiteral("color: %1;").arg(speakerColor(line.key()).name()));
        name->setFixedWidth(40);
        who = name;
    }
    const bool drafting = live && line.draft.value_or(false);
    auto* text = new RowText(drafting ? line.text + " …" : line.text);
    QFont f = text->font();
    f.setPixelSize(13);
    text->setFont(f);
    text->setObjectName(QStringLiteral("lineText"));
    if (drafting)
        text->setProperty("secondary", true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(when, 0, Qt::AlignTop);
    row->addWidget(who, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    if (!editable)
        return;
    // The text label is selectable, so it must hand its right click to this row's menu.
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(text)}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this, [this, w](const QPoint& at) {
            QMenu menu;
            menu.addAction(tr("Edit text…"), this, &MeetingLineRow::editRequested);
            menu.addAction(tr("Delete line"), this, &MeetingLineRow::removeRequested);
            menu.exec(w->mapToGlobal(at));
        });
    }
}
