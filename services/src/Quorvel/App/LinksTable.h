#pragma once

// Private to the services; not installed.

#include <Quorvel/ServicesExport.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace Quorvel::App {

// The address templates of a links file:
//
//   {
//       "default": {                                            required
//           "HELP_URL_menu": "https://quorvel.example/help/{locale}?v={version}",
//           "FORUM_URL_menu": "https://quorvel.example/forum"
//       },
//       "locales": {                                            optional
//           "de_DE": { "HELP_URL_menu": "https://quorvel.example/de/hilfe?v={version}" },
//           "ru": { "FORUM_URL_menu": "https://quorvel.example/ru/forum" }
//       }
//   }
//
// Names are any non-empty text. A template is an absolute URL in which "{name}" marks a
// placeholder from the list the reader is given. Braces serve only as placeholder marks, and
// the URL must be valid in QUrl's strict mode once its placeholders are filled, so spaces and
// the like are written percent-encoded (letters beyond ASCII may stay as they are). An empty
// template is allowed and stands for a link the product does not offer (in that locale).
// Every problem throws std::runtime_error whose what() is "<file>: <problem>".
//
// A table never changes after it is read, so it may be shared between threads.
class QUORVEL_SERVICES_EXPORT LinksTable {
public:
    // A template cut at its placeholders: literal text at even indices, placeholder names
    // at odd ones, so "a{b}c" is {"a", "b", "c"}.
    struct Template {
        QStringList parts;

        // The text with every placeholder replaced by `value(name)`, inserted as it is.
        QString Fill(const std::function<QString(const QString&)>& value) const;
    };

    static std::unique_ptr<LinksTable> FromFile(const QString& path,
                                                const QStringList& placeholders);
    // `source` names the text in error messages (usually its file).
    static std::unique_ptr<LinksTable> FromJson(const QByteArray& json, const QString& source,
                                                const QStringList& placeholders);

    ~LinksTable();
    LinksTable(const LinksTable&) = delete;
    LinksTable& operator=(const LinksTable&) = delete;

    // The template of `name` for `locale` ("de_DE"): the locale's own table first, then the
    // table of its language ("de"), then the default table. nullptr when none has the name.
    const Template* Find(const QString& name, const QString& locale) const;

    // The file (or other source) the table was read from, as error messages name it.
    const QString& Source() const;

private:
    struct Impl;
    explicit LinksTable(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
