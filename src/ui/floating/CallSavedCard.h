#pragma once

#include <QWidget>

class QFormLayout;
class QLabel;
class QPushButton;
class QToolButton;
struct Meeting;

// What the call strip shows for a few seconds after a call: that it was saved, how long it was,
// who and how much was said, and the way to the notes.
class CallSavedCard : public QWidget {
    Q_OBJECT
  public:
    static constexpr int width = 240;
    static constexpr qreal radius = 14;

    explicit CallSavedCard(QWidget* parent = nullptr);
    void showMeeting(const Meeting& m);
    QString value(const QString& label) const;
    QPushButton* openButton() const { return open; }
    QToolButton* closeButton() const { return close; }

  signals:
    void openClicked();
    void closeClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QLabel* addRow(QFormLayout* rows, const char* name);

    QToolButton* close;
    QPushButton* open;
    QLabel* length;
    QLabel* speakers;
    QLabel* words;
    QLabel* uploaded;
};
