#pragma once

// Private to the services library: the one rule of what counts as an e-mail address, shared
// by the dialog that takes it and the sender that passes it on.

#include <QRegularExpression>
#include <QString>

namespace Quorvel::App::Internal {

// The longest address a mail system delivers to.
constexpr int kMaxEmailAddressLength = 254;

// name@domain.tld: one "@", no blanks or control characters, a domain of at least two
// non-empty labels. Deliverability is the collection service's to judge. Blanks are those of
// Unicode (a no-break space too), not only ASCII's; "\z": "$" would let a final line feed in.
inline bool IsEmailAddress(const QString& text) {
    static const QRegularExpression pattern(R"(^[^@\s\p{Cc}]+@[^@\s\p{Cc}.]+(\.[^@\s\p{Cc}.]+)+\z)",
                                            QRegularExpression::UseUnicodePropertiesOption);
    return text.size() <= kMaxEmailAddressLength && pattern.match(text).hasMatch();
}

}  // namespace Quorvel::App::Internal
