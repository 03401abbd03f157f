#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/HardwareInfo.h>

#include <thread>
#include <vector>

namespace {

// What the first match of `pattern` captures in a file of the system.
QString ValueIn(const QString& file, const QString& pattern) {
    return QRegularExpression(pattern, QRegularExpression::MultilineOption)
        .match(QString::fromUtf8(Quorvel::TestSupport::ReadFile(file)))
        .captured(1);
}

}  // namespace

class HardwareInfoTest : public QObject {
    Q_OBJECT
private slots:
    // The description tells the truth about this machine, checked against what the kernel
    // reports, read here on its own. The first call may come from several threads at once.
    void describesThisMachine() {
        std::vector<std::string> texts(4);
        Quorvel::TestSupport::RunOnThreads(
            4, [&texts](int t) { texts[size_t(t)] = Quorvel::Util::GetHardwareInfo(); });
        for (const std::string& text : texts) QCOMPARE(text, texts.front());
        const QRegularExpressionMatch parts =
            QRegularExpression("^CPU: (.+); Cores: (\\d+); RAM: ([0-9.]+) GiB; OS: (.+)$")
                .match(QString::fromStdString(texts.front()));
        QVERIFY(parts.hasMatch());
        const QString model = ValueIn("/proc/cpuinfo", "^model name\\s*: (.*)$");
        QVERIFY(model.isEmpty() || parts.captured(1) == model);  // none on ARM
        QCOMPARE(parts.captured(2), QString::number(std::thread::hardware_concurrency()));
        // One decimal is written, so it may be off by half a tenth.
        const double gib =
            ValueIn("/proc/meminfo", "^MemTotal: *(\\d+) kB$").toDouble() / (1 << 20);
        QVERIFY(gib > 0 && qAbs(parts.captured(3).toDouble() - gib) <= 0.051);
        QVERIFY(parts.captured(4).startsWith(
            ValueIn("/etc/os-release", "^PRETTY_NAME=\"?([^\"\\n]*)")));
    }
};

QUORVEL_TEST_MAIN(HardwareInfoTest)
#include "tst_HardwareInfo.moc"
