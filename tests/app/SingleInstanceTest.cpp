#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QUuid>
#include <gtest/gtest.h>

#include <future>
#include <thread>

TEST(SingleInstance, ASecondLaunchReachesTheFirstACheckOnlyFindsItAndALaunchAloneDoesNot) {
    const QString name = "voxmere-test-" + QUuid::createUuid().toString(QUuid::Id128);
    SingleInstance first(name);
    EXPECT_FALSE(first.forwardToRunning(200));
    int activations = 0;
    QObject::connect(&first, &SingleInstance::activated, [&] { ++activations; });
    ASSERT_TRUE(first.listen());

    // A mode that only checks finds it running without bringing it forward.
    bool running = false;
    std::thread check([&] { running = SingleInstance(name).isRunning(2000); });
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 300)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    check.join();
    EXPECT_TRUE(running);
    EXPECT_EQ(activations, 0);

    bool forwarded = false;
    std::thread second([&] { forwarded = SingleInstance(name).forwardToRunning(2000); });
    timer.restart();
    while (activations == 0 && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    second.join();
    EXPECT_TRUE(forwarded);
    EXPECT_EQ(activations, 1);
}

TEST(SingleInstance, ASocketLeftByACrashedInstanceDoesNotBlockTheNextStart) {
    const QString name = "voxmere-test-" + QUuid::createUuid().toString(QUuid::Id128);
    {
        SingleInstance crashed(name);
        ASSERT_TRUE(crashed.listen());
    }
    SingleInstance next(name);
    EXPECT_TRUE(next.listen());
}

// Two launches at once both find nobody answering; the later one to listen must not take the
// name from the earlier one, or two Voxmeres would run.
TEST(SingleInstance, ALaunchThatLosesTheRaceToListenDefersToTheWinner) {
    const QString name = "voxmere-test-" + QUuid::createUuid().toString(QUuid::Id128);
    SingleInstance winner(name);
    int activations = 0;
    QObject::connect(&winner, &SingleInstance::activated, [&] { ++activations; });
    ASSERT_TRUE(winner.listen());

    SingleInstance loser(name);
    EXPECT_FALSE(loser.listen());
    QElapsedTimer timer;
    timer.start();
    while (activations == 0 && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(activations, 1);

    SingleInstance later(name);
    EXPECT_TRUE(std::async(std::launch::async, [&] { return later.forwardToRunning(2000); }).get())
        << "the winner still holds the name";
}
