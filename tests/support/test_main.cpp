#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Outside QTest::qExec a failed QVERIFY, QCOMPARE or expired QTRY_* only returns from the
// function it is in and sets a flag; nothing is printed and the case would pass. This
// listener fails such a case. Listeners hear of a case's end before the result printer does,
// so the case is reported as failed.
class QTestCheckListener : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override {
        if (!QTest::currentTestFailed())
            return;
        ADD_FAILURE() << "a QTest check (QVERIFY, QCOMPARE or an expired QTRY_*) failed in "
                         "this case and returned from the function it was in; QtTest does "
                         "not say which one outside its own runner: run the case with "
                         "QTEST_FATAL_FAIL=1 under a debugger to stop at it";
        resetQTestFailure();
    }

    // The flag stays set until QtTest starts a test function of its own: an empty run
    // clears it, so the next case starts clean.
    static void resetQTestFailure() {
        QObject nothing;
        QTest::qExec(&nothing, {QStringLiteral("reset"), QStringLiteral("-nocrashhandler"),
                                QStringLiteral("-o"), QProcess::nullDevice() + ",txt"});
    }
};

} // namespace

// Every test binary shares this entry: widgets need an application object, and tests
// run headless unless the environment asks for a real display.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir.isValid())
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new QTestCheckListener);
    return RUN_ALL_TESTS();
}
