// The UDisks2 formatter against a UDisks2 stand-in on a private message bus.
#include "DriveFormatter.h"
#include "UDisks2Objects.h"

#include <QByteArrayList>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

namespace zol::test {
namespace {

const QString FloppyPath = QStringLiteral("/org/freedesktop/UDisks2/block_devices/fd0");

// Answers the calls the formatter makes for one mounted floppy and records them.
class FakeUDisks2 : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const QString member = message.member();
        QString call = member;
        if (member == QStringLiteral("Format"))
            call += QLatin1Char(' ') + message.arguments().value(0).toString() + QLatin1Char(' ') +
                    qdbus_cast<QVariantMap>(message.arguments().value(1))
                        .value(QStringLiteral("label"))
                        .toString();
        {
            QMutexLocker lock(&mutex_);
            calls_.append(call);
        }
        if (member == failing)
            connection.send(
                message.createErrorReply(QStringLiteral("org.freedesktop.UDisks2.Error.Failed"),
                                         QStringLiteral("target is busy")));
        else if (member == QStringLiteral("GetManagedObjects"))
            connection.send(message.createReply(QVariant::fromValue(objects())));
        else if (member == QStringLiteral("Mount"))
            connection.send(message.createReply(QStringLiteral("/media/user/ZOL")));
        else
            connection.send(message.createReply());
        return true;
    }

    QStringList calls() const {
        QMutexLocker lock(&mutex_);
        return calls_;
    }

    QString failing; // the method that answers with an error; set before the bus is used

private:
    static UDisks2Objects objects() {
        const QByteArrayList points{QByteArray("/media/user/FLOPPY", 19)}; // NUL-terminated
        return {{QDBusObjectPath(FloppyPath),
                 {{QStringLiteral("org.freedesktop.UDisks2.Block"),
                   {{QStringLiteral("HintSystem"), false},
                    {QStringLiteral("IdLabel"), QStringLiteral("FLOPPY")}}},
                  {QStringLiteral("org.freedesktop.UDisks2.Filesystem"),
                   {{QStringLiteral("MountPoints"), QVariant::fromValue(points)}}}}}};
    }

    mutable QMutex mutex_;
    QStringList calls_;
};

class UDisks2ServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        daemon_.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                               QStringLiteral("--print-address")});
        ASSERT_TRUE(daemon_.waitForReadyRead(5000));
        address_ = QString::fromUtf8(daemon_.readLine().trimmed());
        RegisterUDisks2Types();
        qDBusRegisterMetaType<QByteArrayList>();
    }

    void serve() {
        service_ = QDBusConnection::connectToBus(address_, QStringLiteral("fake-udisks2"));
        ASSERT_TRUE(service_.isConnected());
        ASSERT_TRUE(service_.registerService(QStringLiteral("org.freedesktop.UDisks2")));
        ASSERT_TRUE(service_.registerVirtualObject(QStringLiteral("/org/freedesktop/UDisks2"),
                                                   fake_, QDBusConnection::SubPath));
        // The stand-in answers on a thread of its own while the formatter waits for it.
        QObject::connect(&worker_, &QThread::finished, fake_, &QObject::deleteLater);
        fake_->moveToThread(&worker_);
        worker_.start();
    }

    void TearDown() override {
        if (service_.isConnected()) {
            service_.unregisterObject(QStringLiteral("/org/freedesktop/UDisks2"),
                                      QDBusConnection::UnregisterTree);
            QDBusConnection::disconnectFromBus(service_.name());
        }
        if (worker_.isRunning()) {
            worker_.quit();
            worker_.wait();
        } else {
            delete fake_;
        }
        daemon_.kill();
        daemon_.waitForFinished();
    }

    QProcess daemon_;
    QString address_;
    QThread worker_;
    FakeUDisks2* fake_ = new FakeUDisks2;
    QDBusConnection service_{QString()};
};

TEST_F(UDisks2ServiceTest, UnmountsFormatsAndRemountsTheDriveMountedThere) {
    serve();
    const std::unique_ptr<DriveFormatter> formatter = makeUDisks2Formatter(address_);
    EXPECT_EQ(formatter->currentLabel(QStringLiteral("/media/user/FLOPPY/")),
              QStringLiteral("FLOPPY"));
    EXPECT_EQ(formatter->currentLabel(QStringLiteral("/media/user/FLOPPY/sub/")), std::nullopt);
    const FormatOutcome outcome =
        formatter->format(QStringLiteral("/media/user/FLOPPY/"), QStringLiteral("ZOL"));
    EXPECT_TRUE(outcome.formatted);
    EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
    EXPECT_EQ(outcome.mountPoint, QStringLiteral("/media/user/ZOL"));
    EXPECT_EQ(fake_->calls(),
              QStringList({QStringLiteral("GetManagedObjects"), QStringLiteral("GetManagedObjects"),
                           QStringLiteral("GetManagedObjects"), QStringLiteral("Unmount"),
                           QStringLiteral("Format vfat ZOL"), QStringLiteral("Mount")}));
}

TEST_F(UDisks2ServiceTest, RefusedUnmountFormatsNothingAndSaysWhy) {
    fake_->failing = QStringLiteral("Unmount");
    serve();
    const std::unique_ptr<DriveFormatter> formatter = makeUDisks2Formatter(address_);
    const FormatOutcome outcome = formatter->format(QStringLiteral("/media/user/FLOPPY/"), {});
    EXPECT_FALSE(outcome.formatted);
    EXPECT_EQ(outcome.error,
              QStringLiteral("ドライブをアンマウントできませんでした。\ntarget is busy"));
    EXPECT_EQ(outcome.mountPoint, QStringLiteral("/media/user/FLOPPY/"));
    EXPECT_FALSE(fake_->calls().contains(QStringLiteral("Format vfat ")));
}

TEST_F(UDisks2ServiceTest, FailedFormatIsReportedAndTheMediumMountedAgain) {
    fake_->failing = QStringLiteral("Format");
    serve();
    const std::unique_ptr<DriveFormatter> formatter = makeUDisks2Formatter(address_);
    const FormatOutcome outcome = formatter->format(QStringLiteral("/media/user/FLOPPY/"), {});
    EXPECT_FALSE(outcome.formatted);
    EXPECT_EQ(outcome.error, QStringLiteral("フォーマットできませんでした。\ntarget is busy"));
    EXPECT_EQ(outcome.mountPoint, QStringLiteral("/media/user/ZOL"));
    EXPECT_EQ(fake_->calls().constLast(), QStringLiteral("Mount"));
}

TEST_F(UDisks2ServiceTest, BusWithoutTheServiceIsNotAvailable) {
    const std::unique_ptr<DriveFormatter> formatter = makeUDisks2Formatter(address_);
    EXPECT_EQ(formatter->currentLabel(QStringLiteral("/media/user/FLOPPY/")), std::nullopt);
}

} // namespace
} // namespace zol::test
