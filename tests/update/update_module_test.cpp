// The version check loaded as a module, as the program does once its window shows.
#include "update/update_module.h"

#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace qz::test {
namespace {

class SilentWindow : public UpdateWindow {
public:
    QString messageString(const QString& id) const override { return id; }
    bool askYesNo(const QString&) override { return false; }
    void stopStayingOnTop() override {}
    void showUpdateRing() override {}
    void setUpdateRingCaption(const QString&) override {}
    void setUpdateRingProgress(qint64, qint64) override {}
    void hideUpdateRing() override {}
    void showUpdateFailure(const QString&) override {}
    void endProgram() override {}
};

TEST(UpdateModule, MissingModuleMeansNoCheck) {
    QTemporaryDir empty;
    SilentWindow window;
    EXPECT_EQ(loadUpdater(window, {empty.path(), QStringLiteral("/nonexistent")}), nullptr);
}

TEST(UpdateModule, LoadedCheckAsksTheServer) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    qputenv("QZ_UPDATE_BASE_URL",
            QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort()).toUtf8());

    QTemporaryDir empty;
    SilentWindow window;
    // The first folder without the module is passed over.
    std::unique_ptr<UpdateTask> check =
        loadUpdater(window, {empty.path(), QStringLiteral(QZ_TEST_UPDATE_MODULE_DIR)});
    ASSERT_NE(check, nullptr);
    check->start();
    QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections() || server.waitForNewConnection(0),
                             5000);
    check.reset(); // stops the request
    qunsetenv("QZ_UPDATE_BASE_URL");
}

} // namespace
} // namespace qz::test
