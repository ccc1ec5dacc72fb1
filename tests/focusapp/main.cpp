// A small application to point focus and paste tests at: a text field and a button, with
// accessibility on. Commands on standard input, one a line: "field" or "button" gives that
// widget keyboard focus, "clear" empties the field. It reports on standard output:
// "ready <pid>", "cleared", "focused field" / "focused button" (once its window has the keyboard
// focus), "text:<text>" after every change and "key:<sequence>" for every key combination pressed
// in the field. Qt's "-name <instance>" option sets the instance part of its WM_CLASS, so it can
// pass for another application; "--tables <n>" puts n tables of millions of cells before the
// field, as a spreadsheet has.
#include <QAbstractTableModel>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTableView>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <unistd.h>
#include <utility>

namespace {
void report(const QString& line) {
    std::fputs((line + "\n").toUtf8().constData(), stdout);
    std::fflush(stdout);
}

class Cells : public QAbstractTableModel {
  public:
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : 1000000;
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 8; }
    QVariant data(const QModelIndex& index, int role) const override {
        return role == Qt::DisplayRole ? QVariant(index.row()) : QVariant();
    }
};

class KeyReporter : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() != Qt::Key_Control && key->key() != Qt::Key_Shift)
                report("key:" + QKeySequence(key->keyCombination()).toString());
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    QApplication app(argc, argv);
    app.setApplicationName("focusapp");
    QWidget window;
    window.setWindowTitle("focusapp");
    auto* field = new QLineEdit;
    auto* button = new QPushButton("Press");
    auto* column = new QVBoxLayout(&window);
    Cells cells;
    const QStringList arguments = app.arguments();
    const qsizetype tablesAt = arguments.indexOf("--tables");
    const int tables = tablesAt > 0 ? arguments.value(tablesAt + 1).toInt() : 0;
    for (int i = 0; i < tables; ++i) {
        auto* table = new QTableView;
        table->setModel(&cells);
        column->addWidget(table);
    }
    // One level down, so that a tree search reaches the field only after the tables' cells.
    auto* group = new QGroupBox("Form");
    auto* inside = new QVBoxLayout(group);
    inside->addWidget(field);
    inside->addWidget(button);
    column->addWidget(group);
    KeyReporter keys;
    field->installEventFilter(&keys);
    QObject::connect(field, &QLineEdit::textChanged, [](const QString& t) { report("text:" + t); });

    QString pendingFocus;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char line[256] = {};
        if (!std::fgets(line, sizeof line, stdin)) {
            app.quit();
            return;
        }
        const QString command = QString::fromUtf8(line).trimmed();
        if (command == "clear") {
            field->clear();
            report("cleared");
            return;
        }
        QWidget* target = command == "field" ? static_cast<QWidget*>(field) : button;
        target->setFocus(Qt::OtherFocusReason);
        if (window.isActiveWindow()) {
            report("focused " + command);
            return;
        }
        // Reported once the X server has given the window the focus, so that a test acting
        // right after it (pasting, asking what has focus) acts on this window.
        pendingFocus = command;
        window.activateWindow();
    });
    QObject::connect(&app, &QGuiApplication::focusWindowChanged, [&](QWindow* focused) {
        if (focused && focused == window.windowHandle() && !pendingFocus.isEmpty())
            report("focused " + std::exchange(pendingFocus, QString()));
    });

    window.resize(320, 120);
    window.show();
    report(QString("ready %1").arg(QCoreApplication::applicationPid()));
    return app.exec();
}
