#pragma once

#include <QList>
#include <QWidget>

#include <utility>

class QVBoxLayout;

// The content of a scroll area that lists many rows. The rows are held in blocks of a few dozen,
// so a row added, replaced or removed makes Qt lay out its own block and the short list of
// blocks, never every row. Its layout holds the blocks first; what the owner adds to it comes
// after the rows.
class RowColumn : public QWidget {
  public:
    static constexpr int blockSize = 40;

    // `spacing` between the rows, and between the rows and what follows them.
    explicit RowColumn(int spacing, QWidget* parent = nullptr);
    QVBoxLayout* column() const { return layout_; }
    int count() const { return rows; }
    QWidget* row(int index) const;
    void insert(int index, QWidget* row);
    // Takes the row out of the column, still its child: the caller disposes of it.
    QWidget* take(int index);
    int heightAt(int width) const;
    // A scroll area lays its content out at its own width: measured at that width too, each row
    // is measured at one width only, not also at the width it would like.
    QSize sizeHint() const override;

  private:
    // The block holding the row at `index`, and the row's place in it.
    std::pair<int, int> find(int index) const;
    QVBoxLayout* addBlock(int at);

    QVBoxLayout* layout_;
    QList<QVBoxLayout*> blocks;
    int spacing;
    int rows = 0;
};
