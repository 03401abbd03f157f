#include <Quorvel/App/Application/LookAndFeel/PlaceholderReplacement.h>

#include <QHash>
#include <QStringView>

#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace Quorvel::App::LookAndFeel {

namespace {

const QChar kMark = QLatin1Char('@');

// True when an occurrence can only begin at a mark already in the text and holds no other:
// every placeholder has its mark in front only, and no replacement brings a mark.
bool MarksStayPut(const FontPlaceholders& table) {
    for (const auto& [placeholder, replacement] : table) {
        if (!placeholder.startsWith(kMark) || placeholder.indexOf(kMark, 1) >= 0 ||
            replacement.contains(kMark)) {
            return false;
        }
    }
    return true;
}

// The text cut before every mark, so that an occurrence is always the start of a piece. Each
// placeholder has its turn, in the table's order, and a piece is due at the turn of the first
// placeholder it starts with. A replaced piece has lost its mark and joins the live piece
// before it: as in the text that one replace after the other gives, that piece's placeholder
// (of a later turn) may then run on into the replacement. Only a piece shorter than the
// longest placeholder can, so only such a piece takes in the text of the pieces that join it.
class Pieces {
public:
    Pieces(const QString& text, const FontPlaceholders& table) : m_text(text) {
        for (const auto& [placeholder, replacement] : table) {
            m_index.insert(QStringView(placeholder), static_cast<int>(m_turns.size()));
            m_turns.push_back({static_cast<int>(placeholder.size()), &replacement});
            m_lengths.insert(static_cast<int>(placeholder.size()));
        }
        m_longest = *m_lengths.rbegin();
        m_due.resize(m_turns.size());
        int from = 0;
        for (int at = text.indexOf(kMark); at >= 0; at = text.indexOf(kMark, at + 1)) {
            Add(from, at);
            from = at;
        }
        Add(from, text.size());
    }

    // Nothing when the result would be longer than `limit`.
    std::optional<QString> Result(qint64 limit) {
        for (int turn = 0; turn < static_cast<int>(m_turns.size()); ++turn) {
            for (const int index : m_due[turn]) {
                if (m_pieces[index].due == turn) {
                    Replace(index, turn);
                }
            }
        }
        qint64 size = 0;
        for (const Piece& piece : m_pieces) {
            size += piece.taken ? 0 : Length(piece);
        }
        if (size > limit) {
            return std::nullopt;
        }
        QString text;
        text.reserve(static_cast<int>(size));
        for (const Piece& piece : m_pieces) {
            if (!piece.taken) {
                Append(text, piece);
            }
        }
        return text;
    }

private:
    static constexpr int kNone = -1;

    struct Piece {
        int start = 0;  // in the text
        int size = 0;
        int previous = kNone;  // the live piece before; none for the first, which has no mark
        int next = kNone;      // the live piece after
        int due = kNone;       // the turn of the first placeholder it starts with
        int replacedAt = kNone;
        bool taken = false;  // its text went into the piece before
        QString joined;      // a short piece's text with that of the pieces it took in
    };
    struct Turn {
        int length;
        const QString* replacement;
    };

    QStringView Source(const Piece& piece) const {
        return piece.joined.isNull() ? QStringView(m_text).mid(piece.start, piece.size)
                                     : QStringView(piece.joined);
    }
    // A replaced piece's placeholder lies within its source: the match was found there.
    QStringView Rest(const Piece& piece) const {
        return Source(piece).mid(m_turns[piece.replacedAt].length);
    }
    int Length(const Piece& piece) const {
        return piece.replacedAt == kNone
                   ? Source(piece).size()
                   : m_turns[piece.replacedAt].replacement->size() + Rest(piece).size();
    }
    void Append(QString& text, const Piece& piece) const {
        if (piece.replacedAt == kNone) {
            text += Source(piece);
        } else {
            text += *m_turns[piece.replacedAt].replacement;
            text += Rest(piece);
        }
    }

    void Add(int from, int to) {
        const int index = static_cast<int>(m_pieces.size());
        m_pieces.emplace_back();
        m_pieces.back().start = from;
        m_pieces.back().size = to - from;
        if (index > 0) {
            m_pieces[index].previous = index - 1;
            m_pieces[index - 1].next = index;
            Schedule(index, kNone);
        }
    }

    // A shorter placeholder sorts before a longer one it begins, so the shortest placeholder
    // after `turn` that the piece starts with is the first one due.
    void Schedule(int index, int turn) {
        Piece& piece = m_pieces[index];
        const QStringView start = Source(piece);
        piece.due = kNone;
        for (const int length : m_lengths) {
            if (length > start.size()) {
                return;
            }
            const int found = m_index.value(start.left(length), kNone);
            if (found > turn) {
                piece.due = found;
                m_due[found].push_back(index);
                return;
            }
        }
    }

    void Replace(int index, int turn) {
        Piece& piece = m_pieces[index];
        piece.replacedAt = turn;
        piece.due = kNone;
        const int before = piece.previous;
        const int next = piece.next;
        m_pieces[before].next = next;
        if (next != kNone) {
            m_pieces[next].previous = before;
        }
        Piece& joining = m_pieces[before];
        if (before == 0 || joining.size >= m_longest) {
            return;  // a start that nothing after it can change
        }
        // Its text runs on to the next live piece; the pieces up to there join it now.
        if (joining.joined.isNull()) {
            joining.joined = Source(joining).toString();
        }
        const int end = next == kNone ? static_cast<int>(m_pieces.size()) : next;
        for (int i = index; i < end; ++i) {
            if (!m_pieces[i].taken) {
                Append(joining.joined, m_pieces[i]);
                m_pieces[i].taken = true;
                m_pieces[i].joined = QString();
            }
        }
        // One due at this turn still is (its text only grew); another may be due earlier.
        if (joining.due != turn) {
            Schedule(before, turn);
        }
    }

    const QString& m_text;
    std::vector<Piece> m_pieces;
    std::vector<Turn> m_turns;
    QHash<QStringView, int> m_index;  // placeholder to its turn
    std::set<int> m_lengths;
    int m_longest = 0;
    std::vector<std::vector<int>> m_due;  // by turn, the pieces due then
};

}  // namespace

QString ReplacePlaceholders(QString& text, const FontPlaceholders& table, qint64 limit) {
    if (table.empty()) {
        return QString();
    }
    if (MarksStayPut(table)) {
        // One search of the whole text per placeholder cost more than reading the sheets did.
        if (std::optional<QString> result = Pieces(text, table).Result(limit)) {
            text = std::move(*result);
            return QString();
        }
    }
    for (const auto& [placeholder, replacement] : table) {
        const qint64 growth = replacement.size() - placeholder.size();
        if (growth > 0 && text.size() + growth * text.count(placeholder) > limit) {
            return placeholder;
        }
        text.replace(placeholder, replacement, Qt::CaseSensitive);
    }
    return QString();
}

}  // namespace Quorvel::App::LookAndFeel
