#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class App;

// One of the command-line modes. Two kinds, because they differ in what they may touch:
// - `onItsOwn` modes (listings, renderings, self-checks of a tool) run before the one-instance
//   check, beside a running Voxmere, never start the engine and never write the user's files;
// - `onTheUsersData` modes act on what a running Voxmere owns (its meetings, its engine, its
//   history), so they run as the one instance, after the launch sequence, and refuse while
//   another Voxmere runs.
struct CommandLineMode {
    enum class Kind { onItsOwn, onTheUsersData };

    QString flag;
    Kind kind;
    // How many arguments follow the flag; a mode given fewer is ignored and Voxmere starts
    // normally.
    int values = 0;
    // onItsOwn: whether it draws (then it gets an offscreen GUI application, else a plain one).
    bool draws = false;
    // onItsOwn: runs instead of the application; answers the exit status.
    std::function<int(const QStringList& args)> run;
    // onTheUsersData: runs once the launch sequence has finished.
    std::function<void(App& app, const QStringList& args)> runInApp;
    // Whether the values make sense (a well-formed identifier, say); when not, the mode is
    // ignored and Voxmere starts normally. Unset: any values do.
    std::function<bool(const QStringList& args)> accepts;
};
