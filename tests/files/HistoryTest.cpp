#include "files/History.h"
#include "files/HistoryLine.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "tests/TempDir.h"

namespace permora {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using Items = std::vector<std::string>;

// Records what the combo boxes would be given, in the order given.
struct RecordedLists : HistoryLists {
    Items users{"stale"};
    Items dirs{"stale"};
    int clears = 0;
    void ClearItems() override {
        users.clear();
        dirs.clear();
        ++clears;
    }
    void AddUser(const std::string& value) override { users.push_back(value); }
    void AddDirectory(const std::string& value) override { dirs.push_back(value); }
};

Items Sorted(Items items) {
    std::sort(items.begin(), items.end());
    return items;
}

const std::string kExampleFile =
    "hist-user = DOM\\alice\r\n"
    "hist-dir = E:\\Share\r\n"
    "hist-dir=D:\\Data\r\n"
    "hist-dir =   C:\\Temp  \r\n"
    "Hist-User = DOM\\carol\r\n"
    " hist-dir = F:\\Work\r\n"
    "notes\r\n";

TEST(HistoryLine, KindAndValue) {
    const struct {
        const char* line;
        int kind;
        const char* value;
    } cases[] = {
        {"hist-user = DOM\\alice", kHistoryUser, "DOM\\alice"},
        {"hist-dir=D:\\Data", kHistoryDir, "D:\\Data"},
        {"hist-dir   =   C:\\Temp  ", kHistoryDir, "C:\\Temp  "},
        {"hist-user = a=b", kHistoryUser, "a=b"},
        {"hist-user = ", kHistoryUser, ""},
        {"hist-user =\tx", kHistoryUser, "\tx"},
        {"hist-user\t= x", kHistoryOther, "x"},
        {"Hist-User = DOM\\carol", kHistoryOther, "DOM\\carol"},
        {" hist-dir = F:\\Work", kHistoryOther, "F:\\Work"},
        {"hist-dirs = x", kHistoryOther, "x"},
        {"notes", kHistoryOther, ""},
        {"", kHistoryOther, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(HistoryKind(c.line), c.kind);
        EXPECT_EQ(HistoryValue(c.line), c.value);
    }
}

TEST(History, WorkedExampleEndToEnd) {
    TempDir dir;
    WriteBytes(dir.File("Permora.hist"), kExampleFile);
    RecordedLists lists;
    History history(dir.Dir(), lists);
    history.LoadHistory(true);
    EXPECT_EQ(lists.users, Items{"DOM\\alice"});
    EXPECT_EQ(Sorted(lists.dirs), (Items{"C:\\Temp  ", "D:\\Data", "E:\\Share"}));

    history.AddHistory(kHistoryUser, "DOM\\bob");
    EXPECT_EQ(ReadBytes(dir.File("Permora.hist")), kExampleFile + "hist-user = DOM\\bob\r\n");
    EXPECT_EQ(Sorted(lists.users), (Items{"DOM\\alice", "DOM\\bob"}));

    // Found despite the missing blanks: nothing appended, but the file is
    // written again and the lists rebuilt.
    std::filesystem::remove(dir.File("Permora.hist"));
    int clearsBefore = lists.clears;
    history.AddHistory(kHistoryDir, "D:\\Data");
    EXPECT_EQ(ReadBytes(dir.File("Permora.hist")), kExampleFile + "hist-user = DOM\\bob\r\n");
    EXPECT_EQ(lists.clears, clearsBefore + 1);
    EXPECT_EQ(history.Store().Count(), 8u);
    EXPECT_EQ(lists.dirs.size(), 3u);
}

TEST(History, WhichValuesCountAsKnown) {
    TempDir dir;
    RecordedLists lists;
    History history(dir.Dir(), lists);
    history.LoadHistory(true);
    EXPECT_TRUE(lists.users.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("Permora.hist")));

    history.AddHistory(kHistoryUser, "  padded");  // read back without its blanks: never found
    history.AddHistory(kHistoryUser, "  padded");
    history.AddHistory(kHistoryUser, "DOM\\Bob");
    history.AddHistory(kHistoryUser, "DOM\\bob");    // case differs
    history.AddHistory(kHistoryUser, "DOM\\bob ");   // trailing blank differs
    history.AddHistory(kHistoryUser, "DOM\\bob ");
    history.AddHistory(kHistoryUser, "a=b");
    history.AddHistory(kHistoryUser, "a=b");
    history.AddHistory(kHistoryUser, "");
    history.AddHistory(kHistoryUser, "");
    history.AddHistory(kHistoryDir, "DOM\\Bob");    // same value, other kind

    EXPECT_EQ(ReadBytes(dir.File("Permora.hist")),
              "hist-user =   padded\r\n"
              "hist-user =   padded\r\n"
              "hist-user = DOM\\Bob\r\n"
              "hist-user = DOM\\bob\r\n"
              "hist-user = DOM\\bob \r\n"
              "hist-user = a=b\r\n"
              "hist-user = \r\n"
              "hist-dir = DOM\\Bob\r\n");
    EXPECT_EQ(lists.users, (Items{"padded", "padded", "DOM\\Bob", "DOM\\bob", "DOM\\bob ", "a=b", ""}));
    EXPECT_EQ(lists.dirs, Items{"DOM\\Bob"});
}

TEST(History, HandEditedDuplicatesStayAndNonAsciiSurvives) {
    TempDir dir;
    const std::string file = "hist-user = DOM\\M\xFCller\r\nhist-user = DOM\\M\xFCller\r\n";
    WriteBytes(dir.File("Permora.hist"), file);
    {
        RecordedLists lists;
        History history(dir.Dir(), lists);
        history.LoadHistory(true);
        EXPECT_EQ(lists.users, (Items{"DOM\\M\xFCller", "DOM\\M\xFCller"}));
        history.AddHistory(kHistoryUser, "DOM\\M\xFCller");
        history.AddHistory(kHistoryDir, "D:\\\xC4rger \xFF");
    }
    RecordedLists lists;
    History nextRun(dir.Dir(), lists);
    nextRun.LoadHistory(true);
    EXPECT_EQ(ReadBytes(dir.File("Permora.hist")), file + "hist-dir = D:\\\xC4rger \xFF\r\n");
    EXPECT_EQ(lists.users, (Items{"DOM\\M\xFCller", "DOM\\M\xFCller"}));
    EXPECT_EQ(lists.dirs, Items{"D:\\\xC4rger \xFF"});
}

TEST(History, FailedWriteKeepsListsAndStoreForTheNextSave) {
    TempDir dir;
    WriteBytes(dir.File("Permora.hist"), "hist-user = a\r\n");
    RecordedLists lists;
    History history(dir.Dir(), lists);
    history.LoadHistory(true);

    std::filesystem::remove(dir.File("Permora.hist"));
    std::filesystem::create_directory(dir.File("Permora.hist"));
    history.AddHistory(kHistoryUser, "b");
    EXPECT_EQ(lists.users, Items{"a"});
    EXPECT_EQ(history.Store().Count(), 2u);
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("Permora.hist")));

    std::filesystem::remove(dir.File("Permora.hist"));
    EXPECT_TRUE(history.SaveHistory());
    EXPECT_EQ(ReadBytes(dir.File("Permora.hist")), "hist-user = a\r\nhist-user = b\r\n");
    EXPECT_EQ(lists.users, (Items{"a", "b"}));
}

}  // namespace
}  // namespace permora
