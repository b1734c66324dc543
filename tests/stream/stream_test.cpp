// The field encodings, zblocks, checksum and substitution of CStream.

#include <gtest/gtest.h>

#include <zlib.h>

#include "stream/stream.h"
#include "stream/zlib_codec.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

CStream Ints(std::initializer_list<std::int32_t> values) {
    CStream s;
    for (auto v : values) s.WriteInteger(v);
    s.SetPosition(0);
    return s;
}

TEST(StreamFields, IntegerAndRealAreLittleEndian) {
    CStream s;
    s.WriteInteger(-2);
    s.WriteReal(1.5);
    EXPECT_EQ(s.View().substr(0, 4), std::string("\xfe\xff\xff\xff", 4));
    EXPECT_EQ(s.View().substr(4), std::string("\0\0\0\0\0\0\xf8\x3f", 8));
    s.SetPosition(0);
    EXPECT_EQ(s.ReadInteger(), -2);
    EXPECT_EQ(s.ReadReal(), 1.5);
}

TEST(StreamFields, StringCountsZeroAndNegativeReadEmptyAndTakeOnlyTheCount) {
    CStream s = Ints({0, -5, 7});
    EXPECT_EQ(s.ReadString(), "");
    EXPECT_EQ(s.Position(), 4u);
    EXPECT_EQ(s.ReadString(), "");
    EXPECT_EQ(s.Position(), 8u);
    EXPECT_EQ(s.ReadInteger(), 7);
}

TEST(StreamFields, StringKeepsEveryByte) {
    const std::string text("a\0b\xff", 4);
    CStream s;
    s.WriteString(text);
    EXPECT_EQ(s.Size(), 8u);
    s.SetPosition(0);
    EXPECT_EQ(s.ReadString(), text);
}

TEST(StreamFields, OversizedCountFailsBeforeAllocating) {
    CStream s = Ints({2147483647});
    s.SetSize(10);
    EXPECT_THROW(s.ReadString(), StreamReadError);
    s.SetPosition(0);
    EXPECT_THROW(s.ReadBlock(), StreamReadError);
    s.SetPosition(0);
    EXPECT_THROW(s.ReadCompressedBlock(), StreamReadError);
}

TEST(StreamFields, ShortReadsRaiseStreamReadError) {
    CStream s("abc");
    try {
        s.ReadInteger();
        FAIL() << "no error";
    } catch (const StreamReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    CStream r("1234567");
    EXPECT_THROW(r.ReadReal(), StreamReadError);
}

TEST(StreamFields, BooleanIsTrueOnlyAboveZero) {
    const std::pair<std::int32_t, bool> cases[] = {{1, true}, {2, true}, {1000, true},
                                                   {0, false}, {-1, false}, {-100, false}};
    for (auto [stored, expected] : cases) {
        CStream s = Ints({stored});
        EXPECT_EQ(s.ReadBoolean(), expected) << stored;
    }
    CStream w;
    w.WriteBoolean(true);
    w.SetPosition(0);
    EXPECT_EQ(w.ReadInteger(), 1);
}

TEST(StreamFields, CopyFromWorksAtBothPositionsAndRefusesAShortSource) {
    CStream source("abcdef");
    source.SetPosition(2);
    CStream target("XYZ");
    target.SetPosition(1);
    target.CopyFrom(source, 3);
    EXPECT_EQ(target.View(), "Xcde");
    EXPECT_EQ(target.Position(), 4u);
    EXPECT_EQ(source.Position(), 5u);
    EXPECT_THROW(target.CopyFrom(source, 2), StreamReadError);
    EXPECT_EQ(target.View(), "Xcde");
    EXPECT_EQ(source.Position(), 5u);
}

TEST(StreamBlocks, WholeSourceWrittenAndItsPositionKept) {
    CStream source("hello world");
    source.SetPosition(5);
    CStream s;
    s.WriteBlock(source);
    s.WriteCompressedBlock(source);
    EXPECT_EQ(source.Position(), 5u);

    s.SetPosition(0);
    CStream block = s.ReadBlock();
    EXPECT_EQ(block.View(), "hello world");
    EXPECT_EQ(block.Position(), 0u);
    CStream inflated = s.ReadCompressedBlock();
    EXPECT_EQ(inflated.View(), "hello world");
    EXPECT_EQ(inflated.Position(), 0u);
    EXPECT_EQ(s.Remaining(), 0u);
}

TEST(StreamBlocks, EmptyBlockTakesOnlyTheCount) {
    CStream s = Ints({0, 9});
    EXPECT_EQ(s.ReadBlock().Size(), 0u);
    EXPECT_EQ(s.ReadInteger(), 9);
}

TEST(StreamBlocks, LargeZblockRoundTripsAndMatchesZlib) {
    std::string data;
    for (std::uint32_t i = 0; i < 300000; ++i) data += static_cast<char>((i * 7919u) % 251 ^ (i >> 9));
    CStream s;
    s.WriteCompressedBlock(CStream(data));
    s.SetPosition(0);
    std::int32_t count = s.ReadInteger();
    EXPECT_EQ(static_cast<std::size_t>(count), s.Remaining());
    // A standard zlib stream: bare zlib inflates it.
    std::vector<Bytef> out(data.size());
    uLongf outSize = out.size();
    ASSERT_EQ(uncompress(out.data(), &outSize, s.Data() + 4, count), Z_OK);
    EXPECT_EQ(std::string(out.begin(), out.end()), data);
    s.SetPosition(0);
    EXPECT_EQ(s.ReadCompressedBlock().View(), data);
}

// The writer accepts exactly what the reader would inflate again.
TEST(StreamBlocks, BlocksFitUpToWhatTheReaderInflates) {
    EXPECT_TRUE(FitsInBlock(0));
    EXPECT_TRUE(FitsInBlock(kMaxInflatedSize));
    EXPECT_FALSE(FitsInBlock(kMaxInflatedSize + 1));
    EXPECT_FALSE(FitsInBlock(std::uint64_t(1) << 32));
}

TEST(StreamBlocks, TruncatedAndCorruptZblocksRaiseZlibErrors) {
    CStream good;
    good.WriteCompressedBlock(CStream(std::string(5000, 'x') + "tail"));
    const std::size_t streamSize = good.Size() - 4;

    struct Case {
        const char* what;
        std::size_t keep;    // bytes of the zlib stream kept
        std::size_t flipAt;  // offset in the stream to corrupt, or npos
        const char* message;
    };
    const Case cases[] = {
        {"count zero", 0, std::string::npos, "buffer error"},
        {"cut short", streamSize - 3, std::string::npos, "buffer error"},
        {"bad header", streamSize, 0, "data error"},
        {"bad checksum", streamSize, streamSize - 1, "data error"},
    };
    for (const auto& c : cases) {
        CStream s;
        std::string bytes(good.View().substr(4, c.keep));
        if (c.flipAt != std::string::npos) bytes[c.flipAt] ^= 0x5a;
        s.WriteString(bytes);  // a count then the bytes: the zblock layout
        s.SetPosition(0);
        try {
            s.ReadCompressedBlock();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const EZCompressionError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.what;
        }
    }
}

TEST(StreamBlocks, BytesAfterTheZlibStreamAreSkippedWithTheCount) {
    CStream inner;
    inner.WriteCompressedBlock(CStream("payload"));
    std::string padded = std::string(inner.View().substr(4)) + "JUNKJUNK";
    CStream s;
    s.WriteString(padded);
    s.WriteInteger(42);
    s.SetPosition(0);
    EXPECT_EQ(s.ReadCompressedBlock().View(), "payload");
    EXPECT_EQ(s.ReadInteger(), 42);
}

TEST(StreamBlocks, InflationStopsAtTheLimit) {
    CStream packed;
    packed.WriteCompressedBlock(CStream(std::string(1 << 20, 'z')));  // about 1 KiB packed
    CStream out;
    try {
        InflateBytes(packed.Data() + 4, packed.Size() - 4, out, 100000);
        FAIL() << "no error";
    } catch (const EZCompressionError& e) {
        EXPECT_STREQ(e.what(), "insufficient memory");
    }
    EXPECT_LE(out.Size(), 100000u + 0x10000);
    EXPECT_LE(out.Capacity(), 100000u + 0x10000) << "room reserved ahead stays within the limit";
}

TEST(StreamBlocks, InflatingWritesAtThePositionAndKeepsWhatFollows) {
    CStream packed;
    packed.WriteCompressedBlock(CStream("new"));
    CStream inside("0123456789");
    inside.SetPosition(2);
    InflateBytes(packed.Data() + 4, packed.Size() - 4, inside);
    EXPECT_EQ(inside.View(), "01new56789");
    EXPECT_EQ(inside.Position(), 5u);

    CStream beyond("ab");
    beyond.SetPosition(4);
    InflateBytes(packed.Data() + 4, packed.Size() - 4, beyond);
    EXPECT_EQ(beyond.View(), std::string("ab\0\0new", 7));
}

// The room for a large block is foreseen from the ratio seen so far; content
// whose ratio changes midway must still come back whole.
TEST(StreamBlocks, LargeBlocksWhoseRatioChangesRoundTrip) {
    std::string flat(1 << 20, 'a');
    std::string noise(1 << 18, '\0');
    std::uint32_t state = 7;
    for (char& c : noise) c = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
    for (const std::string& content : {flat + noise, noise + flat, noise + flat + noise}) {
        CStream packed;
        packed.WriteCompressedBlock(CStream(content));
        packed.SetPosition(0);
        CStream block = packed.ReadCompressedBlock();
        ASSERT_EQ(block.Size(), content.size());
        EXPECT_TRUE(block.View() == content);
        EXPECT_EQ(packed.Remaining(), 0u);
    }
}

TEST(StreamCompress, EveryLevelRoundTripsFromThePosition) {
    for (int level = 0; level < 4; ++level) {
        CStream source("skipTHE DATA THE DATA THE DATA");
        source.SetPosition(4);
        CStream packed;
        Compress(source, packed, level);
        EXPECT_EQ(source.Remaining(), 0u);
        packed.SetPosition(0);
        CStream unpacked;
        Decompress(packed, unpacked);
        EXPECT_EQ(unpacked.View(), "THE DATA THE DATA THE DATA") << level;
    }
}

TEST(StreamChecksum, AdditiveModuloMillion) {
    EXPECT_EQ(CStream().Checksum(), 0);
    EXPECT_EQ(CStream("abc").Checksum(), 294);
    CStream big(std::string(10000, '\xff'));  // 2550000
    EXPECT_EQ(big.Checksum(), 550000);
}

TEST(StreamSubstitution, KnownTablesForTheSeedsInUse) {
    auto f331 = BuildSubstitution(331).forward;
    const int begin331[] = {0, 46, 47, 49, 45, 50, 51, 52, 53, 54, 56, 57};
    const int end331[] = {3, 8, 4, 5, 6, 7};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(f331[i], begin331[i]) << i;
    for (int i = 0; i < 6; ++i) EXPECT_EQ(f331[250 + i], end331[i]) << i;

    auto f1330 = BuildSubstitution(1330).forward;
    const int begin1330[] = {0, 1, 2, 4, 3, 6, 5, 8, 7, 10, 9, 11};
    const int end1330[] = {249, 251, 252, 254, 253, 255};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(f1330[i], begin1330[i]) << i;
    for (int i = 0; i < 6; ++i) EXPECT_EQ(f1330[250 + i], end1330[i]) << i;
}

TEST(StreamSubstitution, ReverseUndoesForwardForEverySeed) {
    for (std::int32_t seed = -3; seed <= 1400; seed += 17) {
        auto t = BuildSubstitution(seed);
        EXPECT_EQ(t.forward[0], 0);
        for (int b = 0; b < 256; ++b) ASSERT_EQ(t.reverse[t.forward[b]], b) << seed;
        if (seed <= 0) {
            for (int b = 0; b < 256; ++b) ASSERT_EQ(t.forward[b], b);
        }
    }
}

TEST(StreamSubstitution, RangeRulesAndPositionKept) {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    auto table = BuildSubstitution(500).forward;

    CStream toEnd(bytes);
    toEnd.SetPosition(3);
    toEnd.Substitute(500, 10, 0);
    EXPECT_EQ(toEnd.Position(), 3u);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(toEnd.Data()[i], i < 10 ? i : table[i]) << i;

    CStream counted(bytes);
    counted.Substitute(500, 10, 5);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(counted.Data()[i], i >= 10 && i < 15 ? table[i] : i) << i;

    CStream atEnd(bytes);
    atEnd.Substitute(500, 256, 0);
    EXPECT_EQ(atEnd.View(), bytes);
    CStream noSeed(bytes);
    noSeed.Substitute(0, 0, 0);
    EXPECT_EQ(noSeed.View(), bytes);
}

TEST(StreamFiles, SaveAndLoadWholeFiles) {
    test::TempDir dir;
    CStream s("file content");
    s.SaveToFile(dir.File("a.bin"));
    CStream loaded;
    loaded.LoadFromFile(dir.File("a.bin"));
    EXPECT_EQ(loaded.View(), "file content");
    EXPECT_EQ(loaded.Position(), 0u);
    EXPECT_THROW(loaded.LoadFromFile(dir.File("missing")), FileError);
    EXPECT_EQ(loaded.View(), "file content") << "a failed load keeps the content";
    EXPECT_THROW(s.SaveToFile(dir.File("no/such/folder/x")), FileError);

    CStream("").SaveToFile(dir.File("empty.bin"));
    loaded.LoadFromFile(dir.File("empty.bin"));
    EXPECT_EQ(loaded.Size(), 0u);

    // Files whose size is not known up front (st_size 0) are read whole too.
    loaded.LoadFromFile("/proc/self/status");
    EXPECT_EQ(loaded.View().substr(0, 5), "Name:");
    EXPECT_NE(loaded.View().find("\nPid:"), std::string_view::npos);
}

}  // namespace
}  // namespace kestrin
