#include <Quorvel/App/Application/LookAndFeel/RelativeFontSize.h>

#include <cmath>

namespace Quorvel::App::LookAndFeel {

namespace {

// Beyond ten times the desktop's size a value is a typing error, not a heading.
constexpr double kLargestFactor = 10.0;

}  // namespace

RelativeFontSize ResolveRelativeFontSize(const QString& value, const QFont& base) {
    const QString text = value.trimmed();
    if (!text.endsWith(QLatin1String("em"))) {
        return {};
    }
    bool isNumber = false;
    const double factor = text.chopped(2).toDouble(&isNumber);
    if (!isNumber || !std::isfinite(factor)) {
        return {true, {}, QStringLiteral("is not a number of em")};
    }
    if (factor <= 0 || factor > kLargestFactor) {
        return {true, {}, QStringLiteral("is not more than 0 and at most 10em")};
    }
    if (base.pointSizeF() > 0) {
        return {true, QString::number(base.pointSizeF() * factor, 'f', 1) + "pt", {}};
    }
    return {true, QString::number(std::lround(base.pixelSize() * factor)) + "px", {}};
}

}  // namespace Quorvel::App::LookAndFeel
