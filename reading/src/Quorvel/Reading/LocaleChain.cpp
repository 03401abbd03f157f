#include <Quorvel/Reading/LocaleChain.h>

namespace Quorvel::Reading {

QStringList LocaleChain(const QString& locale) {
    QStringList chain{locale};
    const int underscore = locale.indexOf(QLatin1Char('_'));
    if (underscore > 0) {
        chain << locale.left(underscore);
    }
    return chain;
}

}  // namespace Quorvel::Reading
