#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/HardwareInfo.h>

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

// The first value of `key` in a file of "key<separator>value" lines, quotes taken off.
QString ValueIn(const QString& file, const QString& key, char separator) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        return QString();
    }
    for (const QByteArray& line : input.readAll().split('\n')) {
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

// The description must tell the truth about this machine, checked against what the kernel
// reports, read here on its own.
class HardwareInfoTest : public QObject {
    Q_OBJECT
private:
    QRegularExpressionMatch m_parts;

private slots:
    void initTestCase() {
        // The first call may come from any thread: several at once get the same text.
        std::vector<std::string> texts(4);
        std::vector<std::thread> threads;
        for (std::string& text : texts) {
            threads.emplace_back([&text] { text = Quorvel::Util::GetHardwareInfo(); });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
        QVERIFY(std::all_of(texts.begin(), texts.end(),
                            [&](const std::string& text) { return text == texts.front(); }));
        const QString text = QString::fromStdString(texts.front());
        qInfo("%s", qPrintable(text));
        static const QRegularExpression format(
            "^CPU: (.+); Cores: (\\d+|unknown); RAM: ([0-9.]+ GiB|unknown); OS: (.+)$");
        m_parts = format.match(text);
        QVERIFY2(m_parts.hasMatch(), qPrintable(text));
    }

    void processorIsTheKernelsModelName() {
        const QString model = ValueIn("/proc/cpuinfo", "model name", ':');
        if (model.isEmpty()) {
            QSKIP("/proc/cpuinfo names no model on this machine");
        }
        QCOMPARE(m_parts.captured(1), model);
    }

    void coresAreTheLogicalProcessors() {
        QCOMPARE(m_parts.captured(2), QString::number(std::thread::hardware_concurrency()));
    }

    void memoryIsTotalMemoryInGiB() {
        const QString total = ValueIn("/proc/meminfo", "MemTotal", ':');
        const double gib = total.chopped(3).toDouble() / (1024.0 * 1024.0);
        // One decimal is written, so it may be off by half a tenth.
        QVERIFY2(gib > 0 && qAbs(m_parts.captured(3).chopped(4).toDouble() - gib) <= 0.051,
                 qPrintable(m_parts.captured(3) + " against " + total));
    }

    void systemIsTheDistributionName() {
        const QString pretty = ValueIn("/etc/os-release", "PRETTY_NAME", '=');
        if (pretty.isEmpty()) {
            QSKIP("/etc/os-release has no PRETTY_NAME");
        }
        QVERIFY2(m_parts.captured(4).startsWith(pretty), qPrintable(m_parts.captured(4)));
    }
};

QUORVEL_TEST_MAIN(HardwareInfoTest)
#include "tst_HardwareInfo.moc"
