#include "obligations/obligation.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace obligations;

TEST(Obligations, OnlyAnObligationThatMakesSenseIsWithoutProblem) {
    Obligation valid;
    valid.amount = 140000;
    valid.firstDue = QDate(2024, 1, 31);
    EXPECT_EQ(problemWith(valid), QString());
    const std::function<void(Obligation&)> faults[] = {
        [](Obligation& o) { o.amount = -1; },
        [](Obligation& o) { o.firstDue = QDate(); },
        [](Obligation& o) { o.lastDue = QDate(2024, 1, 30); },
        [](Obligation& o) { o.dueDay = 32; },
        [](Obligation& o) {
            o.frequency = Frequency::TwiceAMonth;
            o.dueDay = o.secondDueDay = 15;
        },
    };
    for (const auto& fault : faults) {
        Obligation obligation = valid;
        fault(obligation);
        EXPECT_NE(problemWith(obligation), QString());
    }
}

}  // namespace
