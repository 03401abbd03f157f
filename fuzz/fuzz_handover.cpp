// Hand-over messages from a connection to the primary instance, which anyone of this user may
// open. The input is the bytes of one connection; its first byte sets the sizes in which they
// arrive. Whatever the pieces, the reader comes to the same end; a message it takes is the
// one and only encoding of what it read, and a refusal says why.

#include "FuzzSupport.h"

#include <Quorvel/App/Handover/HandoverMessage.h>
#include <Quorvel/App/Handover/HandoverMessageReader.h>

using Quorvel::App::Handover::EncodeHandoverMessage;
using Quorvel::App::Handover::HandoverMessageReader;

namespace {

HandoverMessageReader::State ReadInPieces(HandoverMessageReader& reader, const QByteArray& bytes,
                                          int piece) {
    for (int offset = 0; offset < bytes.size(); offset += piece) {
        reader.Feed(bytes.mid(offset, piece));
    }
    return reader.End();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Quorvel::Fuzz::Prepare();
    if (size == 0) {
        return 0;
    }
    const QByteArray bytes = Quorvel::Fuzz::Bytes(data + 1, size - 1);
    HandoverMessageReader whole, pieces;
    const auto state = ReadInPieces(whole, bytes, bytes.size() + 1);
    FUZZ_CHECK(ReadInPieces(pieces, bytes, 1 + data[0] % 64) == state);
    FUZZ_CHECK(state != HandoverMessageReader::State::Incomplete);
    if (state == HandoverMessageReader::State::Complete) {
        FUZZ_CHECK(EncodeHandoverMessage(whole.Message()) == bytes);
        FUZZ_CHECK(pieces.Message() == whole.Message());
    } else {
        FUZZ_CHECK(!whole.Problem().empty() && !pieces.Problem().empty());
    }
    return 0;
}
