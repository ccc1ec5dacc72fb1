#pragma once

#include "history/History.h"
#include "support/FakeKeyWatcher.h"
#include "support/ManualScheduler.h"
#include "support/TempSettings.h"
#include "system/HotKey.h"
#include "uistate/UIState.h"

#include <QTemporaryDir>

// What the window's pages are built on, all private to one test: scratch settings, a history in
// a fresh folder, the interface state, a keyboard that only the test types on and time that
// moves when the test says.
struct WindowFixture {
    TempSettings temp;
    Settings& settings = temp.settings;
    QTemporaryDir folder;
    History history{folder.filePath("history.json")};
    UIState state;
    ManualScheduler scheduler;
    FakeKeyWatcher keys;
    HotKey hotKey{settings, keys};

    WindowFixture() { history.waitForLoad(); }

    Snippet add(const QString& text, const QDateTime& when = QDateTime::currentDateTime()) {
        Snippet s;
        s.text = s.raw = text;
        s.date = when.toUTC();
        history.add(s);
        return s;
    }
};
