#include "ui/pages/SettingsGroup.h"

#include "ui/pages/SettingRow.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

SettingsGroup::SettingsGroup(const QString& title, QWidget* parent) : QWidget(parent) {
    auto* heading = new QLabel(title);
    QFont bold = heading->font();
    bold.setWeight(QFont::DemiBold);
    heading->setFont(bold);
    auto* card = new QFrame;
    card->setProperty("card", true);
    rows = new QVBoxLayout(card);
    rows->setContentsMargins(0, 2, 0, 2);
    rows->setSpacing(0);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(heading);
    column->addWidget(card);
}

SettingRow* SettingsGroup::addRow(SettingRow* row) {
    if (rows->count() > 0) {
        auto* divider = new QFrame;
        divider->setProperty("divider", true);
        divider->setFixedHeight(1);
        rows->addWidget(divider);
    }
    rows->addWidget(row);
    return row;
}
