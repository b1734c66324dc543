// The runner data maker: every size, checksum and offset the builder relies
// on, for small, large and barely compressible runner programs.

#include <gtest/gtest.h>

#include <algorithm>

#include "build/runner_data.h"
#include "build/stand_alone_layout.h"
#include "build_fixture.h"

namespace kestrin {
namespace {

TEST(RunnerData, AdjustChecksumReachesTheTargetOrSaysItCannot) {
    struct Case {
        std::size_t room;
        std::int32_t target;
        bool reachable;
    } cases[] = {
        {4000, 999999, true},  // the largest difference needs 3922 bytes
        {3922, 999999, true},
        {3921, 999999, false},
        {10, 2550, true},  // exactly ten 0xFF bytes
        {10, 2551, false},
        {1, 0, true},
    };
    for (const auto& c : cases) {
        CStream stream(std::string(c.room, '\0'));
        EXPECT_EQ(AdjustChecksum(stream, 0, c.room, c.target), c.reachable) << c.room << " " << c.target;
        if (c.reachable) {
            EXPECT_EQ(stream.Checksum(), c.target);
        }
    }
    CStream small(std::string(4, '\0'));
    EXPECT_FALSE(AdjustChecksum(small, 2, 3, 10));  // range beyond the end
}

struct ProgramCase {
    const char* name;
    std::string program;
    bool fits;
    const char* reason;  // part of the error when it does not fit
};

void PrintTo(const ProgramCase& c, std::ostream* os) { *os << c.name; }

class RunnerDataMaker : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(RunnerDataMaker, MeetsEveryRequirementOrRefuses) {
    const ProgramCase& c = GetParam();
    CStream data;
    std::string error;
    ASSERT_EQ(MakeRunnerData(c.program, data, error), c.fits) << error;
    if (!c.fits) {
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        return;
    }
    ASSERT_EQ(data.Size(), kRunnerDataSize);
    EXPECT_EQ(data.Checksum(), kRunnerDataChecksum);
    // One zblock spanning the file, read with the stream layer itself.
    EXPECT_EQ(test::IntAt(data, 0), static_cast<std::int32_t>(kRunnerDataSize - 4));
    CStream runner = data.ReadCompressedBlock();
    EXPECT_EQ(data.Position(), kRunnerDataSize);
    ASSERT_EQ(runner.Size(), kRunnerSize);
    EXPECT_EQ(runner.Checksum(), kRunnerChecksum);
    EXPECT_EQ(runner.View().substr(0, c.program.size()), c.program);
    // The icon area: a 32 x 32, 32-bit image header, then the placeholder.
    EXPECT_EQ(test::IntAt(runner, kRunnerIconOffset), 40);
    EXPECT_EQ(test::IntAt(runner, kRunnerIconOffset + 4), 32);
    EXPECT_EQ(test::IntAt(runner, kRunnerIconOffset + 8), 64);
    EXPECT_EQ(test::IntAt(runner, kRunnerIconOffset + 12), 1 | 32 << 16);
    const std::uint8_t* area = runner.Data() + kRunnerIconPlaceholderOffset;
    EXPECT_TRUE(std::all_of(area, area + kRunnerIconPlaceholderSize, [](std::uint8_t b) { return b == 0xFF; }));

    CStream unpacked;
    ASSERT_TRUE(UnpackRunnerData(data, unpacked));
    EXPECT_EQ(unpacked.View(), runner.View());
}

std::string Repeated(std::size_t size) {
    std::string text;
    while (text.size() < size) text += "mov eax, ebx; call runner_main; ";
    text.resize(size);
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Programs, RunnerDataMaker,
    ::testing::Values(
        ProgramCase{"Small", test::FakeRunnerProgram(3000), true, ""},
        ProgramCase{"UpToTheIconArea", Repeated(kRunnerProgramLimit), true, ""},
        // Random bytes do not compress: 650000 of them still leave room.
        ProgramCase{"BarelyCompressible", test::FakeRunnerProgram(650000, 3), true, ""},
        ProgramCase{"DoesNotCompressEnough", test::FakeRunnerProgram(700000, 3), false, "compresses to"},
        ProgramCase{"TooLarge", Repeated(kRunnerProgramLimit + 1), false, "fit before the icon area"},
        ProgramCase{"Empty", std::string(), false, "empty"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrin
