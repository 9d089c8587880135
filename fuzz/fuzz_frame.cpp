// libFuzzer target: the listener's message framing, on arbitrary bytes in arbitrary pieces.
#include "core/system/MessageFrame.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace titralab;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte chooses how the rest is cut into pieces, as the network might.
    const std::size_t piece = 1 + data[0] % 17;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    MessageFrameReader reader;
    std::size_t messages = 0;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        MessageFrameReader::Status status = reader.feed(bytes.substr(at, piece));
        while (status == MessageFrameReader::Status::Complete) {
            // Each text holds at most 9999 bytes, and a message needs at least its two lengths.
            if (reader.from().size() > 9999 || reader.message().size() > 9999) std::abort();
            if (++messages * 8 > bytes.size()) std::abort();
            status = reader.feed({});
        }
        if (status == MessageFrameReader::Status::Malformed) {
            // A malformed stream stays malformed.
            if (reader.feed("0001a0001b") != MessageFrameReader::Status::Malformed) std::abort();
            break;
        }
    }
    return 0;
}
