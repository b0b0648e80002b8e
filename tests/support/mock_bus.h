#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QDBusVariant>
#include <QString>
#include <QVariantList>

#include <vector>

namespace qz::test {

// True only inside tests/support/with_mocks.py: the system bus is the private one it
// started. Power tests refuse to run otherwise, so no call can reach a real logind.
inline bool onPrivateSystemBus() {
    const QByteArray address = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    return !address.isEmpty() && address == qgetenv("QZ_MOCK_SYSTEM_BUS") &&
           !address.contains("/run/dbus/") && !address.contains("/var/run/dbus/");
}

// One call recorded by a python-dbusmock object.
struct MockCall {
    QString method;
    QVariantList args;
    QString signature; // D-Bus type signature of all arguments together
};

inline QDBusMessage mockMethod(const QString& service, const QString& path, const QString& method,
                               const QVariantList& args = {}) {
    QDBusMessage msg = QDBusMessage::createMethodCall(
        service, path, QStringLiteral("org.freedesktop.DBus.Mock"), method);
    msg.setArguments(args);
    return msg;
}

// The calls a mock object received, with the types they arrived with.
inline std::vector<MockCall> mockCalls(QDBusConnection bus, const QString& service,
                                       const QString& path) {
    const QDBusMessage reply = bus.call(mockMethod(service, path, QStringLiteral("GetCalls")));
    std::vector<MockCall> calls;
    if (reply.type() != QDBusMessage::ReplyMessage)
        return calls;
    const auto arg = reply.arguments().constFirst().value<QDBusArgument>();
    arg.beginArray();
    while (!arg.atEnd()) {
        MockCall call;
        qulonglong timestamp = 0;
        arg.beginStructure();
        arg >> timestamp >> call.method;
        arg.beginArray();
        while (!arg.atEnd()) {
            QDBusVariant v;
            arg >> v;
            const QVariant value = v.variant();
            call.args.append(value);
            if (value.canConvert<QDBusArgument>())
                call.signature += value.value<QDBusArgument>().currentSignature();
            else
                call.signature += QString::fromLatin1(
                    QDBusMetaType::typeToSignature(QMetaType(value.userType())));
        }
        arg.endArray();
        arg.endStructure();
        calls.push_back(call);
    }
    arg.endArray();
    return calls;
}

inline bool clearMockCalls(QDBusConnection bus, const QString& service, const QString& path) {
    return bus.call(mockMethod(service, path, QStringLiteral("ClearCalls"))).type() ==
           QDBusMessage::ReplyMessage;
}

} // namespace qz::test
