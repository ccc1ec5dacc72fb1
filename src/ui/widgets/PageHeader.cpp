#include "ui/widgets/PageHeader.h"

#include "ui/widgets/Brand.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

PageHeader::PageHeader(const QString& title, const QString& subtitle, QWidget* parent)
    : QWidget(parent), subtitleLabel(new QLabel(subtitle)), row(new QHBoxLayout(this)) {
    auto* titleLabel = new QLabel(title);
    titleLabel->setFont(Brand::serif(26));
    subtitleLabel->setTextFormat(Qt::PlainText);
    subtitleLabel->setWordWrap(true);
    subtitleLabel->setProperty("secondary", true);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(titleLabel);
    texts->addWidget(subtitleLabel);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(texts, 1);
}

void PageHeader::setSubtitle(const QString& subtitle) {
    subtitleLabel->setText(subtitle);
}

QString PageHeader::subtitle() const {
    return subtitleLabel->text();
}

void PageHeader::addTrailing(QWidget* widget) {
    row->addWidget(widget, 0, Qt::AlignBottom);
}
