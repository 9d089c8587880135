// Reading the framed messages of the network listener: a sender's name and a message, each
// preceded by its length written as 4 decimal digits.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace titralab {

// The answer to every complete message: "OK" and 14 spaces, 16 bytes.
inline constexpr std::string_view kMessageAnswer{"OK              ", 16};

// Reads one message at a time from bytes as they arrive. A length is exactly 4 ASCII digits
// (so each text holds at most 9999 bytes); the message's length may also be negative ("-" and
// 3 digits), which means an empty message. Anything else makes the stream malformed, and a
// malformed stream stays malformed.
class MessageFrameReader {
  public:
    enum class Status { NeedMore, Complete, Malformed };

    // Takes the bytes received; returns Complete as soon as a whole message is in, leaving
    // the bytes after it unread (call again with an empty view to go on with them).
    Status feed(std::string_view bytes);

    const std::string& from() const { return m_from; }
    const std::string& message() const { return m_message; }

  private:
    enum class Stage { FromLength, From, MessageLength, Message, Done, Broken };

    // Moves a length field or a text forward with the buffered bytes.
    Status advance();

    std::string m_pending; // bytes received and not yet consumed
    Stage m_stage{Stage::FromLength};
    std::size_t m_expected{0};
    std::string m_from;
    std::string m_message;
};

} // namespace titralab
