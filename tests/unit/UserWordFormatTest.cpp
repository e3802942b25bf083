#include "UserWordFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace emb {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::u16string Repeat(char16_t unit, std::size_t count) {
    return std::u16string(count, unit);
}

bool AllZero(const Bytes& bytes, std::size_t from, std::size_t to) {
    return std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                       bytes.begin() + static_cast<std::ptrdiff_t>(to),
                       [](std::uint8_t b) { return b == 0; });
}

TEST(UserWordFormat, TwoRecordImageMatchesByteForByte) {
    const std::vector<WordRecord> records = {{u"khlg", u"中国"}, {u"wq", u"你们"}};
    const FileImage image = BuildFileImage(records);
    ASSERT_TRUE(image.Ok());
    const Bytes& b = image.bytes;
    ASSERT_EQ(b.size(), 127090u);

    EXPECT_EQ(Bytes(b.begin(), b.begin() + 2), (Bytes{0x02, 0x00}));
    EXPECT_EQ(Bytes(b.begin() + 2, b.begin() + 10),
              (Bytes{0x6B, 0x00, 0x68, 0x00, 0x6C, 0x00, 0x67, 0x00}));
    EXPECT_TRUE(AllZero(b, 10, 26));
    EXPECT_EQ(Bytes(b.begin() + 26, b.begin() + 30), (Bytes{0x2D, 0x4E, 0xFD, 0x56}));
    EXPECT_TRUE(AllZero(b, 30, 106));
    EXPECT_EQ(Bytes(b.begin() + 106, b.begin() + 110), (Bytes{0x77, 0x00, 0x71, 0x00}));
    EXPECT_TRUE(AllZero(b, 110, 130));
    EXPECT_EQ(Bytes(b.begin() + 130, b.begin() + 134), (Bytes{0x60, 0x4F, 0xEC, 0x4E}));
    EXPECT_TRUE(AllZero(b, 134, 127090));

    MemoryBytes source(b);
    EXPECT_EQ(ReadAllRecords(source), records);
}

TEST(UserWordFormat, EmptyLibraryIsAllZeroAndHoldsNoRecords) {
    const FileImage image = BuildFileImage({});
    ASSERT_TRUE(image.Ok());
    EXPECT_EQ(image.bytes, EmptyFileImage());
    EXPECT_EQ(image.bytes.size(), kFileSize);
    EXPECT_TRUE(AllZero(image.bytes, 0, kFileSize));

    MemoryBytes source(image.bytes);
    EXPECT_EQ(ReadRecordCount(source), 0);
    EXPECT_TRUE(ReadAllRecords(source).empty());
}

TEST(UserWordFormat, FieldsFilledToTheLastUnitReadBackWhole) {
    // Neither field has room for a terminator; the next field must not bleed in.
    const std::vector<WordRecord> records = {{Repeat(u'z', 12), Repeat(u'字', 40)}, {u"a", u"一"}};
    const FileImage image = BuildFileImage(records);
    ASSERT_TRUE(image.Ok());
    MemoryBytes source(image.bytes);
    EXPECT_EQ(ReadRecord(source, 0), records[0]);
    EXPECT_EQ(ReadRecord(source, 1), records[1]);
}

TEST(UserWordFormat, FullLibraryLeavesTheLastSlotZero) {
    std::vector<WordRecord> records(kMaxRecords, WordRecord{u"yyyy", std::u16string(40, u'满')});
    const FileImage image = BuildFileImage(records);
    ASSERT_TRUE(image.Ok());
    EXPECT_EQ(image.bytes[0], 1221 & 0xFF);
    EXPECT_EQ(image.bytes[1], 1221 >> 8);
    // The last record ends at offset 126,985.
    EXPECT_EQ(image.bytes[126985], 0x6E);  // high byte of the last 满 (U+6EE1)
    EXPECT_TRUE(AllZero(image.bytes, 126986, kFileSize));
    EXPECT_EQ(kFileSize - 126986, kRecordSize);
}

TEST(UserWordFormat, ImagesThatCannotBeStoredAreRefused) {
    std::vector<WordRecord> tooMany(kMaxRecords + 1, WordRecord{u"a", u"一"});
    FileImage image = BuildFileImage(tooMany);
    EXPECT_EQ(image.error, ImageError::TooManyRecords);
    EXPECT_TRUE(image.bytes.empty());

    const std::vector<WordRecord> longCode = {{u"a", u"一"}, {Repeat(u'a', 13), u"二"}};
    image = BuildFileImage(longCode);
    EXPECT_EQ(image.error, ImageError::CodeTooLong);
    EXPECT_EQ(image.badRecord, 1u);

    const std::vector<WordRecord> longPhrase = {{u"a", Repeat(u'字', 41)}};
    image = BuildFileImage(longPhrase);
    EXPECT_EQ(image.error, ImageError::PhraseTooLong);
    EXPECT_EQ(image.badRecord, 0u);
}

TEST(UserWordFormat, RefusedImageWritesNothing) {
    MemoryBytes target(Bytes{1, 2, 3});
    const std::vector<WordRecord> longCode = {{Repeat(u'a', 13), u"二"}};
    const WriteResult result = WriteFileImage(target, longCode);
    EXPECT_EQ(result.error, ImageError::CodeTooLong);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(target.Bytes(), (Bytes{1, 2, 3}));
}

TEST(UserWordFormat, WritingInPlaceKeepsALongerTailAndGrowsAShorterFile) {
    Bytes longer(kFileSize + 5, 0xAB);
    MemoryBytes target(longer);
    const std::vector<WordRecord> records = {{u"a", u"一"}};
    EXPECT_TRUE(WriteFileImage(target, records).written);
    ASSERT_EQ(target.Bytes().size(), kFileSize + 5);
    EXPECT_TRUE(AllZero(target.Bytes(), 106, kFileSize));  // stale records overwritten
    EXPECT_EQ(Bytes(target.Bytes().begin() + kFileSize, target.Bytes().end()), Bytes(5, 0xAB));

    MemoryBytes shorter(Bytes(10, 0xCD));
    EXPECT_TRUE(CreateEmptyFile(shorter));
    EXPECT_EQ(shorter.Bytes(), EmptyFileImage());
}

TEST(UserWordFormat, ShortSourcesReadMissingBytesAsZero) {
    MemoryBytes nothing;
    EXPECT_EQ(ReadRecordCount(nothing), 0);

    MemoryBytes oneByte(Bytes{0x05});
    EXPECT_EQ(ReadRecordCount(oneByte), 0);
    EXPECT_TRUE(ReadAllRecords(oneByte).empty());

    // Count 3; record 0 whole, record 1 cut inside its code field, record 2 absent.
    Bytes bytes = BuildFileImage(std::vector<WordRecord>{{u"ab", u"一二"}, {u"cdef", u"三"}}).bytes;
    bytes[0] = 3;
    bytes.resize(CodeFieldOffset(1) + 5);  // "cd" and half of 'e'
    MemoryBytes cut(bytes);
    const std::vector<WordRecord> read = ReadAllRecords(cut);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0], (WordRecord{u"ab", u"一二"}));
    EXPECT_EQ(read[1], (WordRecord{u"cde", u""}));  // the low byte of 'e' is there, its high is 0
    EXPECT_EQ(read[2], (WordRecord{u"", u""}));
}

TEST(UserWordFormat, CountIsUsedUnchangedAndRecordsAreReadAtTheirOwnOffsets) {
    std::vector<WordRecord> five;
    for (char16_t c = u'a'; c < u'f'; ++c) {
        five.push_back({std::u16string(1, c), u"词"});
    }
    Bytes bytes = BuildFileImage(five).bytes;
    bytes[0] = 3;
    MemoryBytes source(bytes);
    EXPECT_EQ(ReadAllRecords(source).size(), 3u);
    EXPECT_EQ(ReadRecord(source, 4).code, u"e");  // any order, at its absolute offset
    EXPECT_EQ(ReadRecord(source, 0).code, u"a");

    bytes[0] = 0xFF;
    bytes[1] = 0xFF;
    MemoryBytes huge(bytes);
    EXPECT_EQ(ReadRecordCount(huge), 65535);
    const std::vector<WordRecord> all = ReadAllRecords(huge);
    ASSERT_EQ(all.size(), 65535u);
    EXPECT_EQ(all[4].code, u"e");
    EXPECT_EQ(all[65534], (WordRecord{}));
}

TEST(UserWordFormat, NonAsciiAndSurrogateUnitsAreStoredLittleEndian) {
    const std::vector<WordRecord> records = {{u"a", u"\U00020000\uFFFF"}};
    const Bytes bytes = BuildFileImage(records).bytes;
    EXPECT_EQ(Bytes(bytes.begin() + 26, bytes.begin() + 32),
              (Bytes{0x40, 0xD8, 0x00, 0xDC, 0xFF, 0xFF}));
    MemoryBytes source(bytes);
    EXPECT_EQ(ReadRecord(source, 0), records[0]);
}

}  // namespace
}  // namespace emb
