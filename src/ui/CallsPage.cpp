#include "ui/CallsPage.h"

#include "ui/PageHeader.h"

#include <QLabel>
#include <QVBoxLayout>

CallsPage::CallsPage(QWidget* parent) : QWidget(parent) {
    auto* none = new QLabel(QStringLiteral("No calls yet."));
    none->setProperty("secondary", true);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(32, 28, 32, 24);
    page->setSpacing(16);
    page->addWidget(new PageHeader(QStringLiteral("Calls"),
                                   QStringLiteral("Recorded calls and their notes.")));
    page->addWidget(none);
    page->addStretch();
}
