// Every transcript of tests/transcripts replays to the letter.

#include "support/transcript.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class Transcript : public ::testing::TestWithParam<std::string> {};

TEST_P(Transcript, Replays) {
    auto result = vexlab::test::run_transcript_file(GetParam());
    EXPECT_TRUE(result.passed) << result.message;
}

std::string test_name(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = std::filesystem::path(info.param).stem().string();
    for (auto& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, Transcript, ::testing::ValuesIn(vexlab::test::transcript_files(VEXLAB_TRANSCRIPTS_DIR)),
    test_name);

TEST(TranscriptRunner, ReportsTheFirstDifferenceWithItsLine) {
    auto result = vexlab::test::run_transcript("@mode router\nR1>enable\nR1>\n", "probe.txt");
    EXPECT_FALSE(result.passed);
    EXPECT_NE(result.message.find("probe.txt:3"), std::string::npos) << result.message;
    auto bad = vexlab::test::run_transcript("@mode nowhere\nR1>\n", "bad.txt");
    EXPECT_FALSE(bad.passed);
    EXPECT_NE(bad.message.find("unknown mode"), std::string::npos);
}

TEST(TranscriptRunner, AMessageEndingInAStarMatchesTheBeginningOfTheBox) {
    const std::string session =
        "@mode router\n@set R1 lineconsole_pass = cisco\n@message sorry!Number of *\n"
        "password:*****{\"ciscox\"}\n";
    EXPECT_TRUE(vexlab::test::run_transcript(session, "star.txt").passed);
    const std::string other =
        "@mode router\n@set R1 lineconsole_pass = cisco\n@message sorry!Letters *\n"
        "password:*****{\"ciscox\"}\n";
    EXPECT_FALSE(vexlab::test::run_transcript(other, "star.txt").passed);
    const std::string whole =
        "@mode router\n@set R1 lineconsole_pass = cisco\n@message sorry!Number of\n"
        "password:*****{\"ciscox\"}\n";
    EXPECT_FALSE(vexlab::test::run_transcript(whole, "star.txt").passed);
}

TEST(TranscriptRunner, NetworkFilesAreFoundBesideTheTranscript) {
    auto no_lab = vexlab::test::run_transcript("@mode network\n@example Nowhere\nR1>\n", "lab.txt");
    EXPECT_FALSE(no_lab.passed);
    EXPECT_NE(no_lab.message.find("Not able to find the Lab Path: Nowhere"), std::string::npos)
        << no_lab.message;
    auto no_file = vexlab::test::run_transcript("@load\nR1>\n", "net.txt");
    EXPECT_FALSE(no_file.passed);
    EXPECT_NE(no_file.message.find("@load <file>"), std::string::npos) << no_file.message;
}

// A refused file shows the console's box and the session goes on; only a box
// the file does not expect fails it.
TEST(TranscriptRunner, ARefusedNetworkFileIsABoxOfTheSession) {
    const std::string expected =
        "@mode network\n@open nowhere.exp\n"
        "@message The network file could not be loaded.*\nR1>\n";
    auto refused = vexlab::test::run_transcript(expected, "net.txt", "/tmp");
    EXPECT_TRUE(refused.passed) << refused.message;
    auto unexpected =
        vexlab::test::run_transcript("@mode network\n@open nowhere.exp\nR1>\n", "net.txt", "/tmp");
    EXPECT_FALSE(unexpected.passed);
    EXPECT_NE(
        unexpected.message.find("an unexpected message box: The network file could not be loaded.\n"
                                "/tmp/nowhere.exp"),
        std::string::npos)
        << unexpected.message;
    auto other = vexlab::test::run_transcript(
        "@mode network\n@open nowhere.exp\n@message Load Lab Success\nR1>\n", "net.txt", "/tmp");
    EXPECT_FALSE(other.passed);
    EXPECT_NE(other.message.find("message box 1 differs"), std::string::npos) << other.message;
}

}  // namespace
