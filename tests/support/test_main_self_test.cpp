// The shared test main against its own cases: each QTest check that fails must fail its
// case, and a case after a failed one starts clean. CTest expects exactly this outcome.
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(TestMainSelfTest, QVerifyFalseFails) {
    QVERIFY(false);
}

TEST(TestMainSelfTest, QCompareOfUnequalValuesFails) {
    QCOMPARE(1, 3);
}

TEST(TestMainSelfTest, ExpiredQTryFails) {
    QTRY_VERIFY_WITH_TIMEOUT(false, 50);
}

TEST(TestMainSelfTest, PassesAfterTheFailuresBeforeIt) {
    QVERIFY(true);
    QCOMPARE(2, 2);
}

} // namespace
