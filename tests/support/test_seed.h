#pragma once

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cstdio>

// The seed of a random test, printed on every run: the one Q4_TEST_SEED
// gives, to replay a failure, or else a new one.
inline quint32 testSeed() {
    bool given = false;
    quint32 seed = qEnvironmentVariable("Q4_TEST_SEED").toUInt(&given);
    if (!given)
        seed = QRandomGenerator::global()->generate();
    std::printf("Seed %u (Q4_TEST_SEED=%u replays this run)\n", seed, seed);
    std::fflush(stdout);
    ::testing::Test::RecordProperty("seed", std::to_string(seed));
    return seed;
}
