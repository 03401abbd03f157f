#include "internal/OptionValue.h"

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

int OptionNumber(const QCommandLineParser& parser, const QCommandLineOption& option) {
    const QString value = OptionValue(parser, option);
    bool converted = false;
    const int number = value.toInt(&converted, 10);
    if (!converted) {
        LOG(ERROR) << "--" << option.names().first().toStdString() << ": \""
                   << value.left(32).toStdString() << (value.size() > 32 ? "…" : "")
                   << "\" is not a whole number from " << INT_MIN << " to " << INT_MAX
                   << "; 0 is used";
    }
    return number;
}

}  // namespace Quorvel::App::Internal
