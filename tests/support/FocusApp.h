#pragma once

#include <QEventLoop>
#include <QProcess>
#include <QStringList>
#include <QTimer>

// The test application (tests/focusapp) driven through its standard input and output; the
// test target defines FOCUSAPP as its path.
class FocusApp {
  public:
    explicit FocusApp(const QStringList& arguments = {}) {
        QObject::connect(&process, &QProcess::readyReadStandardOutput, [this] {
            while (process.canReadLine())
                lines << QString::fromUtf8(process.readLine()).chopped(1);
        });
        process.start(FOCUSAPP, arguments);
    }
    ~FocusApp() {
        process.kill();
        process.waitForFinished();
    }
    // Serves the event loop meanwhile without sleeping (QTest::qWaitFor naps 10 ms at a time,
    // which would show up in the paste timing): the clipboard request is answered from here.
    bool waitFor(const QString& line, int ms = 5000) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        const auto check = [&] {
            if (lines.contains(line))
                loop.quit();
        };
        QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, check,
                         Qt::QueuedConnection);
        if (!lines.contains(line))
            loop.exec();
        return lines.contains(line);
    }
    void send(const QString& command) {
        lines.clear();
        process.write((command + "\n").toUtf8());
    }
    bool focus(const QString& widget) {
        send(widget);
        return waitFor("focused " + widget);
    }

    QProcess process;
    QStringList lines;
};
