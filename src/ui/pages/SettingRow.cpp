#include "ui/pages/SettingRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

SettingRow::SettingRow(const QString& title, const QString& detail, QWidget* control,
                       QWidget* parent)
    : QWidget(parent), titleLabel(new QLabel(title)), detailLabel(new QLabel), control_(control) {
    titleLabel->setTextFormat(Qt::PlainText);
    detailLabel->setTextFormat(Qt::PlainText);
    detailLabel->setWordWrap(true);
    detailLabel->setProperty("secondary", true);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(titleLabel);
    texts->addWidget(detailLabel);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 10, 14, 10);
    row->setSpacing(16);
    row->addLayout(texts, 1);
    if (control)
        row->addWidget(control, 0, Qt::AlignVCenter);
    setDetail(detail);
}

void SettingRow::setDetail(const QString& detail) {
    detailLabel->setText(detail);
    detailLabel->setVisible(!detail.isEmpty());
}

QString SettingRow::detail() const {
    return detailLabel->text();
}

QString SettingRow::title() const {
    return titleLabel->text();
}
