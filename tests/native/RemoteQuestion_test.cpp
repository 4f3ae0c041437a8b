#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/RemoteQuestion.h"

using namespace quorlet;

namespace {

TQuestion MenuQuestion() {
    TQuestion question;
    question.Kind = kQuestionOpenMenuEntry;
    question.Serial = 0x01020304;
    question.ReplyWindow = 0x0000000A0B0C0D0EULL;
    question.Argument = 7;
    return question;
}

}  // namespace

TEST(RemoteQuestion, TravelsAsFixedLittleEndianBytes) {
    // A 32-bit and a 64-bit build read the same bytes the same way.
    const std::vector<uint8_t> expected = {0x01, 0x00, 0x4C, 0x51, 0x04, 0x03, 0x02, 0x01, 0x0E, 0x0D,
                                           0x0C, 0x0B, 0x0A, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00};
    const std::vector<uint8_t> bytes = EncodeQuestion(MenuQuestion());
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.size(), kQuestionSize);

    TQuestion decoded;
    ASSERT_TRUE(DecodeQuestion(kQuestionOpenMenuEntry, bytes.data(), bytes.size(), decoded));
    EXPECT_EQ(decoded.Kind, kQuestionOpenMenuEntry);
    EXPECT_EQ(decoded.Serial, 0x01020304u);
    EXPECT_EQ(decoded.ReplyWindow, 0x0000000A0B0C0D0EULL);
    EXPECT_EQ(decoded.Argument, 7);
}

TEST(RemoteQuestion, AnythingButAWellFormedQuestionIsRefused) {
    const std::vector<uint8_t> good = EncodeQuestion(MenuQuestion());
    auto with = [](TQuestion question) { return EncodeQuestion(question); };
    TQuestion noReply = MenuQuestion();
    noReply.ReplyWindow = 0;
    TQuestion negative = MenuQuestion();
    negative.Argument = -1;
    TQuestion otherInnerKind = MenuQuestion();
    otherInnerKind.Kind = kAnswerOpenMenuEntry;
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    const std::vector<uint8_t> shorter(good.begin(), good.end() - 1);

    struct Case {
        const char* what;
        uint64_t kind;
        std::vector<uint8_t> bytes;
        bool nullData;
    } cases[] = {
        {"an unknown kind", 0x514C0002, good, false},
        {"an answer's kind", kAnswerOpenMenuEntry, good, false},
        {"a kind beyond 32 bits", 0x1514C0001ULL, good, false},
        {"bytes of another kind", kQuestionOpenMenuEntry, with(otherInnerKind), false},
        {"one byte short", kQuestionOpenMenuEntry, shorter, false},
        {"one byte long", kQuestionOpenMenuEntry, longer, false},
        {"no bytes", kQuestionOpenMenuEntry, {}, false},
        {"no data with the right size", kQuestionOpenMenuEntry, good, true},
        {"no reply window", kQuestionOpenMenuEntry, with(noReply), false},
        {"a negative position", kQuestionOpenMenuEntry, with(negative), false},
    };
    for (const Case& c : cases) {
        TQuestion decoded;
        decoded.Serial = 99;
        const void* data = c.nullData || c.bytes.empty() ? nullptr : c.bytes.data();
        EXPECT_FALSE(DecodeQuestion(c.kind, data, c.bytes.size(), decoded)) << c.what;
        EXPECT_EQ(decoded.Serial, 99u) << c.what << ": a refused question leaves the result alone";
    }
}

TEST(RemoteQuestion, MenuEntryAnswersRoundTripAndLongCaptionsAreCut) {
    TMenuEntryAnswer answer;
    answer.Serial = 42;
    answer.State = 0x88;  // checked | default
    answer.Caption = "&Move to First";
    TMenuEntryAnswer decoded;
    std::vector<uint8_t> bytes = EncodeMenuEntryAnswer(answer);
    ASSERT_TRUE(DecodeMenuEntryAnswer(kAnswerOpenMenuEntry, bytes.data(), bytes.size(), decoded));
    EXPECT_EQ(decoded.Serial, 42u);
    EXPECT_EQ(decoded.State, 0x88);
    EXPECT_EQ(decoded.Caption, "&Move to First");

    answer.State = -1;
    answer.Caption.clear();
    bytes = EncodeMenuEntryAnswer(answer);
    ASSERT_TRUE(DecodeMenuEntryAnswer(kAnswerOpenMenuEntry, bytes.data(), bytes.size(), decoded));
    EXPECT_EQ(decoded.State, -1);
    EXPECT_EQ(decoded.Caption, "");

    answer.Caption = std::string(kMaxAnswerCaption + 10, 'x');
    bytes = EncodeMenuEntryAnswer(answer);
    ASSERT_TRUE(DecodeMenuEntryAnswer(kAnswerOpenMenuEntry, bytes.data(), bytes.size(), decoded));
    EXPECT_EQ(decoded.Caption, std::string(kMaxAnswerCaption, 'x'));
}

TEST(RemoteQuestion, MalformedAnswersAreRefused) {
    TMenuEntryAnswer answer;
    answer.Caption = "Options...";
    const std::vector<uint8_t> good = EncodeMenuEntryAnswer(answer);
    std::vector<uint8_t> longer = good;
    longer.push_back('x');
    const std::vector<uint8_t> shorter(good.begin(), good.end() - 1);
    std::vector<uint8_t> hugeLength = good;
    hugeLength[12] = 0xFF;
    hugeLength[13] = 0xFF;
    std::vector<uint8_t> questionBytes = EncodeQuestion(MenuQuestion());
    struct Case {
        const char* what;
        uint64_t kind;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"a question's kind", kQuestionOpenMenuEntry, good},
        {"a question's bytes", kAnswerOpenMenuEntry, questionBytes},
        {"a caption longer than its length", kAnswerOpenMenuEntry, longer},
        {"a caption shorter than its length", kAnswerOpenMenuEntry, shorter},
        {"a length beyond the bound", kAnswerOpenMenuEntry, hugeLength},
        {"only part of the header", kAnswerOpenMenuEntry, std::vector<uint8_t>(good.begin(), good.begin() + 15)},
    };
    for (const Case& c : cases) {
        TMenuEntryAnswer decoded;
        EXPECT_FALSE(DecodeMenuEntryAnswer(c.kind, c.bytes.data(), c.bytes.size(), decoded)) << c.what;
    }
    TMenuEntryAnswer decoded;
    EXPECT_FALSE(DecodeMenuEntryAnswer(kAnswerOpenMenuEntry, nullptr, good.size(), decoded));
}
