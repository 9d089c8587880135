#include "core/system/MessageFrame.h"

namespace titralab {

namespace {

constexpr std::size_t kLengthDigits = 4;

// Four digits. A message length may also be a minus sign and three digits: a length of 0 or
// less announces an empty message, and no bytes of it follow.
bool readLength(std::string_view field, bool signAllowed, std::size_t& length) {
    length = 0;
    const bool negative = signAllowed && !field.empty() && field[0] == '-';
    for (char c : negative ? field.substr(1) : field) {
        if (c < '0' || c > '9') return false;
        length = length * 10 + static_cast<std::size_t>(c - '0');
    }
    if (negative) length = 0;
    return true;
}

} // namespace

MessageFrameReader::Status MessageFrameReader::feed(std::string_view bytes) {
    if (m_stage == Stage::Broken) return Status::Malformed;
    if (m_stage == Stage::Done) {
        m_from.clear();
        m_message.clear();
        m_stage = Stage::FromLength;
    }
    m_pending.append(bytes);
    return advance();
}

MessageFrameReader::Status MessageFrameReader::advance() {
    std::size_t used = 0;
    Status status = Status::NeedMore;
    for (;;) {
        const std::string_view rest = std::string_view(m_pending).substr(used);
        if (m_stage == Stage::FromLength || m_stage == Stage::MessageLength) {
            if (rest.size() < kLengthDigits) break;
            const bool message = m_stage == Stage::MessageLength;
            if (!readLength(rest.substr(0, kLengthDigits), message, m_expected)) {
                m_stage = Stage::Broken;
                m_pending.clear();
                return Status::Malformed;
            }
            used += kLengthDigits;
            m_stage = m_stage == Stage::FromLength ? Stage::From : Stage::Message;
        } else {
            // A text: wait until the whole of it is in.
            if (rest.size() < m_expected) break;
            (m_stage == Stage::From ? m_from : m_message) = std::string(rest.substr(0, m_expected));
            used += m_expected;
            if (m_stage == Stage::From) {
                m_stage = Stage::MessageLength;
            } else {
                m_stage = Stage::Done;
                status = Status::Complete;
                break;
            }
        }
    }
    m_pending.erase(0, used);
    return status;
}

} // namespace titralab
