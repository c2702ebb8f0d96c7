// The history feeding the main window's drop-down lists.
#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "files/History.h"
#include "tests/TempDir.h"
#include "tests/ui/TestConfig.h"
#include "ui/Main/ComboHistoryLists.h"
#include "ui/Main/Tmain.h"
#include "ui/Text.h"

namespace permora {
namespace {

// Read from the drop-down list itself: messages to the main window's combo
// boxes pass through their hints' subclass, which Wine makes slow.
std::vector<std::wstring> Items(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(combo, &info)) return {};
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(info.hwndList, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<size_t>(SendMessageW(info.hwndList, LB_GETTEXTLEN, i, 0)), L'\0');
        SendMessageW(info.hwndList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        items.push_back(item);
    }
    return items;
}

class HistoryListsTest : public ::testing::Test {
protected:
    // The main window as the program starts it, configured, so that no wizard shows.
    void Start() {
        test::WriteBytes(dir.File("Permora.ini"), test::Config("XCACLSPath = C:\\x.vbs\r\noption_method = grant\r\n"));
        window = std::make_unique<Tmain>(dir.Dir());
        window->Create();
    }

    test::TempDir dir;
    std::unique_ptr<Tmain> window;
};

TEST_F(HistoryListsTest, FileFillsSortedListsAndTypedTextStays) {
    test::WriteBytes(dir.File("Permora.hist"),
                     "hist-user = DOM\\alice\r\nhist-dir = E:\\Share\r\nhist-dir=D:\\Data\r\n"
                     "hist-dir =   C:\\Temp  \r\nHist-User = DOM\\carol\r\n hist-dir = F:\\Work\r\nnotes\r\n");
    Start();
    HWND edit1 = window->Control(tmain::Edit1);
    HWND edit2 = window->Control(tmain::Edit2);
    SetText(edit1, L"D:\\Data");
    SetText(edit2, L"DOM\\M\u00fcller");

    // A second history over the same boxes, which the window has filled already.
    ComboHistoryLists lists(edit1, edit2);
    History history(window->AppDir, lists);
    history.LoadHistory(true);
    EXPECT_EQ(Items(edit1), (std::vector<std::wstring>{L"C:\\Temp  ", L"D:\\Data", L"E:\\Share"}));
    EXPECT_EQ(Items(edit2), std::vector<std::wstring>{L"DOM\\alice"});

    // A user in the ANSI code page reaches the file and the list unchanged.
    history.AddHistory(1, Narrow(GetText(edit2)));
    history.AddHistory(2, Narrow(GetText(edit1)));
    EXPECT_EQ(Items(edit2), (std::vector<std::wstring>{L"DOM\\alice", L"DOM\\M\u00fcller"}));
    EXPECT_EQ(Items(edit1).size(), 3u);
    EXPECT_EQ(GetText(edit1), L"D:\\Data");
    EXPECT_EQ(GetText(edit2), L"DOM\\M\u00fcller");
    const std::string file = test::ReadBytes(dir.File("Permora.hist"));
    // D:\Data is known already (as "hist-dir=D:\Data"): only the user is appended.
    const std::string added = "notes\r\nhist-user = DOM\\M\xFC" "ller\r\n";
    ASSERT_GE(file.size(), added.size());
    EXPECT_EQ(file.substr(file.size() - added.size()), added);
}

// Names that the sorted box holds equal (case, and nothing else, differs), in
// between accented, punctuated and numbered ones; exact duplicates too.
const char* const kNames[] = {
    "DOM\\alice",  "DOM\\Alice",   "dom\\ALICE", "DOM\\\xC5lice", "DOM\\alice ", "DOM\\bob",   "DOM\\Bob",
    "DOM\\\xE9mile", "DOM\\Emile", "DOM\\EMILE", "DOM\\Zo\xEB",   "DOM\\zoe",    "DOM\\ZOE",   "DOM\\o'brien",
    "DOM\\OBrien", "DOM\\co-op",   "DOM\\Coop",  "DOM\\M\xFCller", "DOM\\m\xFCller", "DOM\\Mueller", "DOM\\_svc",
    "DOM\\10th",   "DOM\\2nd",     "",           "DOM\\alice",
};

// Each name four times, the table turned a little further each round, so
// that equal names arrive in different orders and at different list sizes.
std::vector<std::string> Rounds() {
    std::vector<std::string> values;
    const size_t n = std::size(kNames);
    for (size_t round = 0; round < 4; ++round) {
        for (size_t i = 0; i < n; ++i) values.push_back(kNames[(i * (round + 1) + round * 7) % n]);
    }
    return values;
}

// 1500 picks from the table, at random (a fixed sequence).
std::vector<std::string> Picks() {
    std::vector<std::string> values;
    unsigned seed = 7;
    for (int i = 0; i < 1500; ++i) {
        seed = seed * 1103515245u + 12345u;
        values.push_back(kNames[(seed >> 16) % std::size(kNames)]);
    }
    return values;
}

TEST_F(HistoryListsTest, OrderAndDuplicatesAreThoseOfTheSortedBoxAddingOneByOne) {
    Start();
    HWND edit1 = window->Control(tmain::Edit1);
    HWND edit2 = window->Control(tmain::Edit2);
    // The same control, filled the plain way: CB_ADDSTRING, item by item.
    auto reference = [&](const std::vector<std::string>& values, HWND combo = nullptr) {
        if (!combo)
            combo = CreateWindowExW(0, L"COMBOBOX", L"", static_cast<DWORD>(GetWindowLongW(edit2, GWL_STYLE)), 0, 0,
                                    100, 200, window->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        for (const std::string& value : values) {
            const std::wstring item = Widen(value);
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        return combo;
    };
    ComboHistoryLists lists(edit1, edit2);
    auto fill = [&](const std::vector<std::string>& values) {
        lists.ClearItems();
        for (const std::string& value : values) lists.AddUser(value);
        lists.ItemsDone();
    };

    for (const auto& values : {Rounds(), Picks()}) {
        SCOPED_TRACE(values.size());
        fill(values);
        HWND plain = reference(values);
        EXPECT_EQ(Items(edit2), Items(plain));

        // The same values and a few more, equal to some already there.
        std::vector<std::string> more = values;
        const std::vector<std::string> added = {"DOM\\ALIce", "dom\\zo\xEB", "DOM\\alice"};
        more.insert(more.end(), added.begin(), added.end());
        fill(more);
        reference(added, plain);
        EXPECT_EQ(Items(edit2), Items(plain));

        // Other values in another order: the whole list anew.
        std::vector<std::string> other(more.rbegin(), more.rend() - 5);
        fill(other);
        EXPECT_EQ(Items(edit2), Items(reference(other)));
        EXPECT_TRUE(Items(edit1).empty());
    }
}

}  // namespace
}  // namespace permora
