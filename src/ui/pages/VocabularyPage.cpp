#include "ui/pages/VocabularyPage.h"

#include "settings/Settings.h"
#include "ui/widgets/Brand.h"
#include "ui/widgets/PageHeader.h"
#include "ui/widgets/PageScroll.h"
#include "ui/widgets/Symbols.h"
#include "ui/pages/VocabRow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QWidget* headings() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(14, 10, 14, 4);
    row->setSpacing(12);
    auto* word = new QLabel(VocabularyPage::tr("WORD"));
    word->setFixedWidth(160);
    auto* sounds = new QLabel(VocabularyPage::tr("SOUNDS LIKE  ·  comma-separated"));
    for (QLabel* label : {word, sounds}) {
        label->setFont(Brand::mono());
        label->setProperty("secondary", true);
    }
    row->addWidget(word);
    row->addWidget(sounds);
    row->addStretch();
    return box;
}
} // namespace

VocabularyPage::VocabularyPage(Settings& settings, QWidget* parent)
    : QWidget(parent), settings(settings), rowsLayout(new QVBoxLayout) {
    auto* card = new QFrame;
    card->setProperty("card", true);
    auto* inCard = new QVBoxLayout(card);
    inCard->setContentsMargins(0, 0, 0, 10);
    inCard->setSpacing(0);
    inCard->addWidget(headings());
    rowsLayout->setSpacing(0);
    inCard->addLayout(rowsLayout);
    auto* add =
        new QPushButton(Symbols::icon(QStringLiteral("plus"), Brand::accent()), tr("Add word"));
    add->setFlat(true);
    add->setProperty("link", true);
    auto* addRow = new QHBoxLayout;
    addRow->setContentsMargins(14, 6, 14, 0);
    addRow->addWidget(add);
    addRow->addStretch();
    inCard->addLayout(addRow);
    auto* tip = new QLabel(tr("Tip: say a word a few times and check History to see how Voxmere "
                              "hears it, then add that here."));
    tip->setWordWrap(true);
    tip->setProperty("secondary", true);

    auto* content = new QWidget;
    auto* page = new QVBoxLayout(content);
    page->setContentsMargins(32, 28, 32, 24);
    page->setSpacing(16);
    page->addWidget(new PageHeader(
        tr("Vocabulary"),
        tr("Names and terms you say often. Voxmere primes the speech model with them, then swaps "
           "anything that sounds like them for the right spelling.")));
    page->addWidget(card);
    page->addWidget(tip);
    page->addStretch();
    PageScroll::fill(this, content);
    connect(add, &QPushButton::clicked, this, &VocabularyPage::addWord);
    connect(&settings, &Settings::changed, this, [this](SettingKey key) {
        if (key == SettingKey::vocab)
            sync();
    });
    rebuildRows();
}

// Only a different set or order of entries makes new rows; a changed text is put into the row
// that shows it.
void VocabularyPage::sync() {
    const QList<VocabEntry> entries = settings.vocab();
    bool same = entries.size() == rowWidgets.size();
    for (qsizetype i = 0; same && i < entries.size(); ++i)
        same = entries[i].id == rowWidgets[i]->id();
    if (!same) {
        rebuildRows();
        return;
    }
    for (qsizetype i = 0; i < entries.size(); ++i)
        rowWidgets[i]->show(entries[i]);
}

void VocabularyPage::rebuildRows() {
    // A row's own Remove button can be what led here, so rows go once its click has returned.
    for (VocabRow* row : std::as_const(rowWidgets)) {
        row->hide();
        row->deleteLater();
    }
    rowWidgets.clear();
    for (const VocabEntry& entry : settings.vocab()) {
        auto* row = new VocabRow(entry);
        connect(row, &VocabRow::entryEdited, this, &VocabularyPage::edit);
        connect(row, &VocabRow::removeRequested, this, &VocabularyPage::remove);
        rowsLayout->addWidget(row);
        rowWidgets << row;
    }
}

void VocabularyPage::addWord() {
    QList<VocabEntry> entries = settings.vocab();
    entries.append(VocabEntry{});
    settings.setVocab(entries);
    if (!rowWidgets.isEmpty())
        rowWidgets.last()->wordField()->setFocus();
}

void VocabularyPage::edit(const QUuid& id, const QString& word, const QString& soundsLike) {
    QList<VocabEntry> entries = settings.vocab();
    for (VocabEntry& entry : entries)
        if (entry.id == id) {
            entry.word = word;
            entry.soundsLike = soundsLike;
        }
    settings.setVocab(entries);
}

void VocabularyPage::remove(const QUuid& id) {
    QList<VocabEntry> entries = settings.vocab();
    entries.removeIf([&](const VocabEntry& e) { return e.id == id; });
    settings.setVocab(entries);
}
