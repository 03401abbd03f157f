#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/HardwareInfo.h>

#include <QFile>
#include <QRegularExpression>

#include <thread>
#include <vector>

namespace {

// The first value of `key` in a file of "key<separator>value" lines, quotes taken off.
QString ValueIn(const QString& file, const QString& key, char separator) {
    QFile input(file);
    for (const QByteArray& line :
         input.open(QIODevice::ReadOnly) ? input.readAll().split('\n') : QList<QByteArray>()) {
        const int at = line.indexOf(separator);
        if (at > 0 && QString::fromUtf8(line.left(at)).trimmed() == key) {
            const QString value = QString::fromUtf8(line.mid(at + 1)).trimmed();
            const bool quoted = value.size() >= 2 && value.startsWith('"') && value.endsWith('"');
            return quoted ? value.mid(1, value.size() - 2) : value;
        }
    }
    return QString();
}

}  // namespace

class HardwareInfoTest : public QObject {
    Q_OBJECT
private slots:
    // The description tells the truth about this machine, checked against what the kernel
    // reports, read here on its own. The first call may come from several threads at once.
    void describesThisMachine() {
        std::vector<std::string> texts(4);
        std::vector<std::thread> threads;
        for (std::string& text : texts) {
            threads.emplace_back([&text] { text = Quorvel::Util::GetHardwareInfo(); });
        }
        for (std::thread& thread : threads) thread.join();
        for (const std::string& text : texts) QCOMPARE(text, texts.front());
        const QRegularExpressionMatch parts =
            QRegularExpression("^CPU: (.+); Cores: (\\d+); RAM: ([0-9.]+) GiB; OS: (.+)$")
                .match(QString::fromStdString(texts.front()));
        QVERIFY(parts.hasMatch());
        const QString model = ValueIn("/proc/cpuinfo", "model name", ':');
        QVERIFY(model.isEmpty() || parts.captured(1) == model);  // none on ARM
        QCOMPARE(parts.captured(2), QString::number(std::thread::hardware_concurrency()));
        // One decimal is written, so it may be off by half a tenth.
        const double gib =
            ValueIn("/proc/meminfo", "MemTotal", ':').chopped(3).toDouble() / (1 << 20);
        QVERIFY(gib > 0 && qAbs(parts.captured(3).toDouble() - gib) <= 0.051);
        QVERIFY(parts.captured(4).startsWith(ValueIn("/etc/os-release", "PRETTY_NAME", '=')));
    }
};

QUORVEL_TEST_MAIN(HardwareInfoTest)
#include "tst_HardwareInfo.moc"
