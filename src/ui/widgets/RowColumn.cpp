#include "ui/widgets/RowColumn.h"

#include <QVBoxLayout>

RowColumn::RowColumn(int spacing, QWidget* parent)
    : QWidget(parent), layout_(new QVBoxLayout(this)), spacing(spacing) {
    layout_->setSpacing(spacing);
}

std::pair<int, int> RowColumn::find(int index) const {
    int block = 0;
    for (; block < blocks.size() - 1 && index >= blocks[block]->count(); ++block)
        index -= blocks[block]->count();
    return {block, index};
}

QWidget* RowColumn::row(int index) const {
    const auto [block, at] = find(index);
    return blocks[block]->itemAt(at)->widget();
}

QVBoxLayout* RowColumn::addBlock(int at) {
    auto* block = new QWidget;
    auto* rowsOfBlock = new QVBoxLayout(block);
    rowsOfBlock->setContentsMargins(0, 0, 0, 0);
    rowsOfBlock->setSpacing(spacing);
    layout_->insertWidget(at, block);
    block->show();
    blocks.insert(at, rowsOfBlock);
    return rowsOfBlock;
}

void RowColumn::insert(int index, QWidget* row) {
    // Rows mostly come at the end, where a full block starts the next one; a row put in between
    // others joins the block of the rows around it.
    if (index == rows && (blocks.isEmpty() || blocks.last()->count() >= blockSize))
        addBlock(int(blocks.size()))->addWidget(row);
    else {
        const auto [block, at] = find(index);
        blocks[block]->insertWidget(at, row);
    }
    // At once rather than when the event loop gets to it, so the next layout pass sees it.
    row->show();
    ++rows;
}

QWidget* RowColumn::take(int index) {
    const auto [block, at] = find(index);
    QLayoutItem* item = blocks[block]->takeAt(at);
    QWidget* row = item->widget();
    delete item;
    --rows;
    if (blocks[block]->isEmpty()) {
        // Goes later with the row the caller may still be using.
        QWidget* emptied = blocks.takeAt(block)->parentWidget();
        layout_->removeWidget(emptied);
        emptied->hide();
        emptied->deleteLater();
    }
    return row;
}

int RowColumn::heightAt(int width) const {
    return layout_->hasHeightForWidth() ? layout_->totalHeightForWidth(width)
                                        : layout_->totalSizeHint().height();
}

QSize RowColumn::sizeHint() const {
    return {width(), heightAt(width())};
}
