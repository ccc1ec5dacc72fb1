#include "core/Dispatch.h"

#include "support/ManualScheduler.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <memory>

TEST(Dispatch, WorkPostedForAReceiverIsDroppedOnceTheReceiverIsGone) {
    auto kept = std::make_unique<QObject>();
    auto gone = std::make_unique<QObject>();
    ManualScheduler scheduler;
    QStringList ran;
    onMain(kept.get(), [&] { ran << "kept"; });
    onMain(gone.get(), [&] { ran << "gone"; });
    scheduler.after(kept.get(), 1, [&] { ran << "kept later"; });
    scheduler.after(gone.get(), 1, [&] { ran << "gone later"; });
    gone.reset();

    QCoreApplication::sendPostedEvents();
    scheduler.advance(1);
    EXPECT_EQ(ran, (QStringList{"kept", "kept later"}));
}
