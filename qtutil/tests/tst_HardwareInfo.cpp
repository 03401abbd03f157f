#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/HardwareInfo.h>

#include <QFile>
#include <QRegularExpression>

#include <thread>

namespace {

// The first value of `key` in a "key : value" file such as /proc/cpuinfo.
QString ProcValue(const QString& file, const QString& key) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        return QString();
    }
    for (const QByteArray& line : input.readAll().split('\n')) {
        const int colon = line.indexOf(':');
        if (colon > 0 && QString::fromUtf8(line.left(colon)).trimmed() == key) {
            return QString::fromUtf8(line.mid(colon + 1)).trimmed();
        }
    }
    return QString();
}

QString OsReleasePrettyName() {
    QFile input("/etc/os-release");
    if (!input.open(QIODevice::ReadOnly)) {
        return QString();
    }
    for (const QByteArray& line : input.readAll().split('\n')) {
        if (line.startsWith("PRETTY_NAME=")) {
            QString value = QString::fromUtf8(line.mid(12)).trimmed();
            if (value.startsWith('"') && value.endsWith('"') && value.size() >= 2) {
                value = value.mid(1, value.size() - 2);
            }
            return value;
        }
    }
    return QString();
}

}  // namespace

// The description must tell the truth about this machine, checked against what the kernel
// reports, read here on its own.
class HardwareInfoTest : public QObject {
    Q_OBJECT
private:
    QRegularExpressionMatch m_parts;

private slots:
    void initTestCase() {
        const QString text = QString::fromStdString(Quorvel::Util::GetHardwareInfo());
        qInfo("%s", qPrintable(text));
        static const QRegularExpression format(
            "^CPU: (.+); Cores: (\\d+|unknown); RAM: ([0-9.]+ GiB|unknown); OS: (.+)$");
        m_parts = format.match(text);
        QVERIFY2(m_parts.hasMatch(), qPrintable(text));
    }

    void processorIsTheKernelsModelName() {
        const QString model = ProcValue("/proc/cpuinfo", "model name");
        if (model.isEmpty()) {
            QSKIP("/proc/cpuinfo names no model on this machine");
        }
        QCOMPARE(m_parts.captured(1), model);
    }

    void coresAreTheLogicalProcessors() {
        const unsigned cores = std::thread::hardware_concurrency();
        QVERIFY(cores > 0);
        QCOMPARE(m_parts.captured(2), QString::number(cores));
    }

    void memoryIsTotalMemoryInGiB() {
        const QString total = ProcValue("/proc/meminfo", "MemTotal");
        QVERIFY2(total.endsWith(" kB"), qPrintable(total));
        const double kib = total.chopped(3).trimmed().toDouble();
        QVERIFY(kib > 0);
        const QString ram = m_parts.captured(3);
        QVERIFY2(ram.endsWith(" GiB"), qPrintable(ram));
        const double gib = ram.chopped(4).toDouble();
        // One decimal is written, so it may be off by half a tenth.
        QVERIFY2(qAbs(gib - kib / (1024.0 * 1024.0)) <= 0.051,
                 qPrintable(QString("%1 against %2 kB").arg(ram, total)));
    }

    void systemIsTheDistributionName() {
        const QString pretty = OsReleasePrettyName();
        if (pretty.isEmpty()) {
            QSKIP("/etc/os-release has no PRETTY_NAME");
        }
        QVERIFY2(m_parts.captured(4).startsWith(pretty), qPrintable(m_parts.captured(4)));
    }
};

QUORVEL_TEST_MAIN(HardwareInfoTest)
#include "tst_HardwareInfo.moc"
