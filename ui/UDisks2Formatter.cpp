// The real format through the UDisks2 service on the system D-Bus.
#include "DriveFormatter.h"
#include "UDisks2Objects.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QUuid>

namespace zol {

namespace {

const QString Service = QStringLiteral("org.freedesktop.UDisks2");
const QString ManagerPath = QStringLiteral("/org/freedesktop/UDisks2");
const QString FilesystemInterface = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString BlockInterface = QStringLiteral("org.freedesktop.UDisks2.Block");

// Looking up the objects answers at once; writing a whole medium may take a while.
constexpr int LookupTimeoutMs = 5000;
constexpr int FormatTimeoutMs = 10 * 60 * 1000;

class UDisks2Formatter : public DriveFormatter {
public:
    explicit UDisks2Formatter(const QDBusConnection& bus) : bus_(bus) { RegisterUDisks2Types(); }
    ~UDisks2Formatter() override { QDBusConnection::disconnectFromBus(bus_.name()); }

    std::optional<QString> currentLabel(const QString& driveRoot) override {
        const UDisks2Objects objects = managedObjects();
        const QString block = FindUDisks2Block(objects, driveRoot);
        if (block.isEmpty())
            return std::nullopt;
        return objects.value(QDBusObjectPath(block))
            .value(BlockInterface)
            .value(QStringLiteral("IdLabel"))
            .toString();
    }

    FormatOutcome format(const QString& driveRoot, const QString& label) override {
        FormatOutcome outcome;
        const QString block = blockFor(driveRoot);
        if (block.isEmpty()) {
            outcome.error = QStringLiteral("フォーマットするドライブが見つかりません。");
            outcome.mountPoint = driveRoot;
            return outcome;
        }
        QString error =
            call(block, FilesystemInterface, QStringLiteral("Unmount"), {QVariantMap()}, nullptr);
        if (!error.isEmpty()) {
            outcome.error = QStringLiteral("ドライブをアンマウントできませんでした。\n") + error;
            outcome.mountPoint = driveRoot;
            return outcome;
        }
        const QVariantMap options{{QStringLiteral("label"), label}};
        error = call(block, BlockInterface, QStringLiteral("Format"),
                     {QStringLiteral("vfat"), options}, nullptr);
        if (!error.isEmpty())
            outcome.error = QStringLiteral("フォーマットできませんでした。\n") + error;
        else
            outcome.formatted = true;
        QDBusMessage mounted;
        error =
            call(block, FilesystemInterface, QStringLiteral("Mount"), {QVariantMap()}, &mounted);
        if (!error.isEmpty()) {
            if (!outcome.error.isEmpty())
                outcome.error += QLatin1Char('\n');
            outcome.error += QStringLiteral("ドライブをマウントし直せませんでした。\n") + error;
        } else if (!mounted.arguments().isEmpty()) {
            outcome.mountPoint = mounted.arguments().constFirst().toString();
        }
        return outcome;
    }

private:
    QString blockFor(const QString& driveRoot) {
        return FindUDisks2Block(managedObjects(), driveRoot);
    }

    UDisks2Objects managedObjects() {
        if (!bus_.isConnected())
            return {};
        QDBusMessage request = QDBusMessage::createMethodCall(
            Service, ManagerPath, QStringLiteral("org.freedesktop.DBus.ObjectManager"),
            QStringLiteral("GetManagedObjects"));
        const QDBusReply<UDisks2Objects> reply = bus_.call(request, QDBus::Block, LookupTimeoutMs);
        return reply.isValid() ? reply.value() : UDisks2Objects();
    }

    // Calls one method, letting the service ask the user for authorisation. Returns the
    // service's error text, empty when the call went.
    QString call(const QString& path, const QString& interface, const QString& method,
                 const QVariantList& arguments, QDBusMessage* reply) {
        QDBusMessage request = QDBusMessage::createMethodCall(Service, path, interface, method);
        request.setArguments(arguments);
        request.setInteractiveAuthorizationAllowed(true);
        const QDBusMessage answer = bus_.call(request, QDBus::Block, FormatTimeoutMs);
        if (answer.type() == QDBusMessage::ErrorMessage)
            return answer.errorMessage().isEmpty() ? answer.errorName() : answer.errorMessage();
        if (reply)
            *reply = answer;
        return {};
    }

    QDBusConnection bus_;
};

// Each formatter has a connection of its own, closed with it.
QString ConnectionName() {
    return QStringLiteral("tessmarc-udisks2-") + QUuid::createUuid().toString();
}

} // namespace

std::unique_ptr<DriveFormatter> makeUDisks2Formatter() {
    return std::make_unique<UDisks2Formatter>(
        QDBusConnection::connectToBus(QDBusConnection::SystemBus, ConnectionName()));
}

std::unique_ptr<DriveFormatter> makeUDisks2Formatter(const QString& busAddress) {
    return std::make_unique<UDisks2Formatter>(
        QDBusConnection::connectToBus(busAddress, ConnectionName()));
}

} // namespace zol
