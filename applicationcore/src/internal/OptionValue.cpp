#include "internal/OptionValue.h"

#include <Quorvel/Reading/LogText.h>

#include <QRegularExpression>

#include <glog/logging.h>

#include <climits>

namespace Quorvel::App::Internal {

QString OptionValue(const QCommandLineParser& parser, const QCommandLineOption& option) {
    const QString value = parser.value(option);
    if (value.size() <= kMaxOptionValue) {
        return value;
    }
    LOG(ERROR) << "--" << option.names().first().toStdString() << ": the value has " << value.size()
               << " characters, more than the " << kMaxOptionValue
               << " an option may have; it is not used";
    return QString();
}

namespace {

int Number(const QCommandLineOption& option, const QString& value) {
    bool converted = false;
    const int number = value.toInt(&converted, 10);
    if (!converted) {
        LOG(ERROR) << "--" << option.names().first().toStdString() << ": \""
                   << Reading::LogText(value) << "\" is not a whole number from " << INT_MIN
                   << " to " << INT_MAX << "; 0 is used";
    }
    return number;
}

}  // namespace

std::optional<int> OptionMilliseconds(const QCommandLineParser& parser,
                                      const QCommandLineOption& option) {
    const QString value = OptionValue(parser, option);
    // Digits, however many: a number too large for any integer is as absurd as one day and one
    // millisecond, not "no number".
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?[0-9]+\\s*$"));
    if (!number.match(value).hasMatch()) {
        return Number(option, value);
    }
    bool converted = false;
    const qint64 milliseconds = value.trimmed().toLongLong(&converted, 10);
    if (converted && milliseconds >= 0 && milliseconds <= kMaxOptionMilliseconds) {
        return static_cast<int>(milliseconds);
    }
    LOG(ERROR) << Reading::LogText(value) << " isn't supported value for "
               << option.names().first().toStdString() << ": a time in ms from 0 to "
               << kMaxOptionMilliseconds << " (one day) is expected; the test does not run";
    return std::nullopt;
}

}  // namespace Quorvel::App::Internal
