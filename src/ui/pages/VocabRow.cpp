#include "ui/pages/VocabRow.h"

#include "ui/widgets/Brand.h"
#include "ui/widgets/Symbols.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {
QLineEdit* field(const QString& text, const QString& placeholder) {
    auto* edit = new QLineEdit(text);
    edit->setPlaceholderText(placeholder);
    edit->setFixedWidth(160);
    // A long list of forms reads from its start, not from where the cursor was left.
    edit->setCursorPosition(0);
    return edit;
}

void setIfDifferent(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) {
        edit->setText(text);
        edit->setCursorPosition(0);
    }
}
} // namespace

VocabRow::VocabRow(const VocabEntry& entry, QWidget* parent)
    : QWidget(parent), id_(entry.id), word(field(entry.word, tr("e.g. GitHub"))),
      soundsLike(field(entry.soundsLike, tr("e.g. neos, nee oh s"))) {
    auto* remove = new QPushButton(Symbols::icon(QStringLiteral("minus"), Brand::secondaryText()),
                                   tr("Remove"));
    remove->setFlat(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 6, 14, 6);
    row->setSpacing(12);
    row->addWidget(word);
    row->addWidget(soundsLike);
    row->addStretch();
    row->addWidget(remove);
    connect(word, &QLineEdit::textEdited, this, &VocabRow::edited);
    connect(soundsLike, &QLineEdit::textEdited, this, &VocabRow::edited);
    connect(remove, &QPushButton::clicked, this, [this] { emit removeRequested(id_); });
}

void VocabRow::show(const VocabEntry& entry) {
    setIfDifferent(word, entry.word);
    setIfDifferent(soundsLike, entry.soundsLike);
}

void VocabRow::edited() {
    emit entryEdited(id_, word->text(), soundsLike->text());
}
