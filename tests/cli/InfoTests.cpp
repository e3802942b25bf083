#include <gtest/gtest.h>

#include "CliTestSupport.h"
#include "FileInspection.h"
#include "UserWordFormat.h"

namespace embtool::test {
namespace {

class InfoTest : public testing::Test {
protected:
    std::string Info(const Bytes& bytes) {
        const std::u16string path = folder.Path(u"词库.emb");
        WriteFile(path, bytes);
        const RunResult result = RunTool({u"info", path});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err, "");
        return result.out;
    }

    TempFolder folder;
};

Bytes FullFile(std::uint16_t count) {
    Bytes bytes(emb::kFileSize, 0);
    PutCount(bytes, count);
    for (std::size_t i = 0; i < count && i < emb::kSlotCount; ++i) {
        PutUnits(bytes, emb::CodeFieldOffset(i), u"abcd");
        PutUnits(bytes, emb::PhraseFieldOffset(i), u"工");
    }
    return bytes;
}

TEST_F(InfoTest, FindsNothingInAFileAsTheProgramWritesIt) {
    EXPECT_EQ(Info(FullFile(2)), "record count: 2\nfile size: 127090 bytes\nanomalies: none\n");
    EXPECT_EQ(Info(FullFile(1221)),
              "record count: 1221\nfile size: 127090 bytes\nanomalies: none\n");
    // Text after a field's terminator lies in a used slot, not a free one.
    Bytes bytes = FullFile(1);
    PutUnits(bytes, emb::CodeFieldOffset(0), std::u16string(u"ab\0junk", 7));
    EXPECT_EQ(Info(bytes), "record count: 1\nfile size: 127090 bytes\nanomalies: none\n");
}

TEST_F(InfoTest, ReportsACountAboveTheLimit) {
    // 1,222 records fill every slot exactly, so none lies past the end.
    EXPECT_EQ(Info(FullFile(1222)),
              "record count: 1222\nfile size: 127090 bytes\n"
              "anomaly: record count above the limit of 1221\n");
    EXPECT_EQ(Info(FullFile(1223)),
              "record count: 1223\nfile size: 127090 bytes\n"
              "anomaly: record count above the limit of 1221\n"
              "anomaly: counted records past the end of the file: 1 (1 wholly, 0 partly)\n");
}

TEST_F(InfoTest, ReportsRecordsPastTheEndOfAShortFile) {
    Bytes bytes = FullFile(5);
    bytes.resize(emb::CodeFieldOffset(3) + 50);  // record 3 cut, record 4 wholly missing
    EXPECT_EQ(Info(bytes),
              "record count: 5\nfile size: 364 bytes\n"
              "anomaly: counted records past the end of the file: 2 (1 wholly, 1 partly)\n"
              "anomaly: file shorter than 127090 bytes by 126726 bytes\n");

    bytes.resize(emb::CodeFieldOffset(3));  // ends exactly after record 2
    EXPECT_EQ(Info(bytes),
              "record count: 5\nfile size: 314 bytes\n"
              "anomaly: counted records past the end of the file: 2 (2 wholly, 0 partly)\n"
              "anomaly: file shorter than 127090 bytes by 126776 bytes\n");
}

TEST_F(InfoTest, ReportsFilesTooShortForTheCount) {
    EXPECT_EQ(Info({}),
              "record count: 0\nfile size: 0 bytes\n"
              "anomaly: file shorter than 127090 bytes by 127090 bytes\n");
    EXPECT_EQ(Info({0x07}),
              "record count: 0\nfile size: 1 byte\n"
              "anomaly: file shorter than 127090 bytes by 127089 bytes\n");
}

TEST_F(InfoTest, ReportsALongerFileWithoutCountingItsTailAsFreeSlots) {
    Bytes bytes = FullFile(3);
    bytes.resize(emb::kFileSize + 10, 0x55);
    EXPECT_EQ(Info(bytes),
              "record count: 3\nfile size: 127100 bytes\n"
              "anomaly: file longer than 127090 bytes by 10 bytes\n");
}

TEST_F(InfoTest, ReportsNonZeroBytesInFreeSlots) {
    Bytes bytes = FullFile(2);
    bytes[emb::CodeFieldOffset(2) + 5] = 0x01;
    bytes[emb::PhraseFieldOffset(700)] = 0x80;
    bytes[emb::kFileSize - 1] = 0xFF;
    EXPECT_EQ(Info(bytes),
              "record count: 2\nfile size: 127090 bytes\n"
              "anomaly: non-zero bytes in free slots: 3, the first at offset 215\n");

    // Free slots of a short file end where the file does.
    Bytes cut = FullFile(1);
    PutCount(cut, 0);
    cut.resize(emb::CodeFieldOffset(1));
    EXPECT_EQ(Info(cut),
              "record count: 0\nfile size: 106 bytes\n"
              "anomaly: file shorter than 127090 bytes by 126984 bytes\n"
              "anomaly: non-zero bytes in free slots: 6, the first at offset 2\n");
}

TEST(FileInspectionTest, SeesNoFreeSlotsWhenTheCountCoversEverySlot) {
    Bytes bytes(emb::kFileSize, 0xFF);
    const FileInspection inspection = InspectFile(bytes);
    EXPECT_EQ(inspection.recordCount, 0xFFFF);
    EXPECT_EQ(inspection.freeSlotNonZeroBytes, 0u);
    EXPECT_EQ(inspection.recordsPastEnd, 0xFFFFu - emb::kSlotCount);
    EXPECT_EQ(inspection.recordsWhollyPastEnd, 0xFFFFu - emb::kSlotCount);
}

TEST_F(InfoTest, FailsWithOneLineForAMissingFile) {
    const std::u16string missing = folder.Path(u"none.emb");
    const RunResult result = RunTool({u"info", missing});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "cannot open '" + U8(missing) + "'\n");
}

}  // namespace
}  // namespace embtool::test
