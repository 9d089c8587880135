#include "core/system/MessageFrame.h"

#include <gtest/gtest.h>

#include <vector>

using namespace titralab;
using Status = MessageFrameReader::Status;

namespace {

// Feeds the bytes in pieces of `chunk` bytes and reports what the reader said at the end.
struct Outcome {
    Status status;
    std::string from, message;
};
Outcome feedInPieces(const std::string& bytes, std::size_t chunk) {
    MessageFrameReader reader;
    Status status = Status::NeedMore;
    for (std::size_t i = 0; i < bytes.size() && status == Status::NeedMore; i += chunk)
        status = reader.feed(std::string_view(bytes).substr(i, chunk));
    return {status, reader.from(), reader.message()};
}

TEST(MessageFrame, ReadsNameAndMessageWhateverTheChunking) {
    struct Case {
        const char* label;
        std::string bytes;
        Status status;
        std::string from, message;
    } cases[] = {
        {"plain", "0003Ana0005salut", Status::Complete, "Ana", "salut"},
        {"empty message", "0003Ana0000", Status::Complete, "Ana", ""},
        {"empty name", "00000002ok", Status::Complete, "", "ok"},
        {"digits inside the texts", "000412340002-1", Status::Complete, "1234", "-1"},
        {"truncated message", "0003Ana0005sal", Status::NeedMore, "Ana", ""},
        {"truncated length", "0003Ana00", Status::NeedMore, "Ana", ""},
        {"letters for a length", "00x3Ana0005salut", Status::Malformed, "", ""},
        {"negative length", "-001", Status::Malformed, "", ""},
        {"blank in a length", " 003Ana0005salut", Status::Malformed, "", ""},
        {"bad message length", "0003Ana+005salut", Status::Malformed, "Ana", ""},
        {"message length -1", "0003Ana-001", Status::Complete, "Ana", ""},
        {"message length -999", "0003Ana-999salut", Status::Complete, "Ana", ""},
        {"message length -0", "0003Ana-000", Status::Complete, "Ana", ""},
        {"two signs", "0003Ana--01", Status::Malformed, "Ana", ""},
        {"sign inside", "0003Ana0-01", Status::Malformed, "Ana", ""},
        {"sign alone", "0003Ana-   ", Status::Malformed, "Ana", ""},
    };
    for (const Case& c : cases) {
        for (std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{64}}) {
            const Outcome o = feedInPieces(c.bytes, chunk);
            EXPECT_EQ(o.status, c.status) << c.label << ", chunk " << chunk;
            EXPECT_EQ(o.from, c.from) << c.label << ", chunk " << chunk;
            EXPECT_EQ(o.message, c.message) << c.label << ", chunk " << chunk;
        }
    }
}

TEST(MessageFrame, ReadsMessagesOneAfterAnother) {
    MessageFrameReader reader;
    ASSERT_EQ(reader.feed("0001a0001b0001c00"), Status::Complete);
    EXPECT_EQ(reader.message(), "b");
    EXPECT_EQ(reader.feed("01d"), Status::Complete);
    EXPECT_EQ(reader.from(), "c");
    EXPECT_EQ(reader.message(), "d");
    EXPECT_EQ(reader.feed(""), Status::NeedMore);
}

TEST(MessageFrame, NegativeMessageLengthIsAnEmptyMessageAndTheNextOneFollows) {
    MessageFrameReader reader;
    ASSERT_EQ(reader.feed("0001a-0050001b0002hi"), Status::Complete);
    EXPECT_EQ(reader.from(), "a");
    EXPECT_EQ(reader.message(), "");
    ASSERT_EQ(reader.feed(""), Status::Complete);
    EXPECT_EQ(reader.from(), "b");
    EXPECT_EQ(reader.message(), "hi");
}

TEST(MessageFrame, StaysMalformedOnceBroken) {
    MessageFrameReader reader;
    EXPECT_EQ(reader.feed("abcd"), Status::Malformed);
    EXPECT_EQ(reader.feed("0001a0001b"), Status::Malformed);
}

TEST(MessageFrame, LongestTextsAreAccepted) {
    const std::string name(9999, 'n');
    const std::string text(9999, 't');
    const Outcome o = feedInPieces("9999" + name + "9999" + text, 4096);
    EXPECT_EQ(o.status, Status::Complete);
    EXPECT_EQ(o.from.size(), 9999u);
    EXPECT_EQ(o.message, text);
}

} // namespace
