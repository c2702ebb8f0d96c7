// The history feeding the main window's drop-down lists.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "files/History.h"
#include "tests/TempDir.h"
#include "ui/Main/ComboHistoryLists.h"
#include "ui/Main/Tmain.h"
#include "ui/Text.h"

namespace permora {
namespace {

std::vector<std::wstring> Items(HWND combo) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)), L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        items.push_back(item);
    }
    return items;
}

TEST(HistoryLists, FileFillsSortedListsAndTypedTextStays) {
    test::TempDir dir;
    test::WriteBytes(dir.File("Permora.hist"),
                     "hist-user = DOM\\alice\r\nhist-dir = E:\\Share\r\nhist-dir=D:\\Data\r\n"
                     "hist-dir =   C:\\Temp  \r\nHist-User = DOM\\carol\r\n hist-dir = F:\\Work\r\nnotes\r\n");
    Tmain window{dir.Dir()};
    window.Create();
    HWND edit1 = window.Control(tmain::Edit1);
    HWND edit2 = window.Control(tmain::Edit2);
    SetText(edit1, L"D:\\Data");
    SetText(edit2, L"DOM\\M\u00fcller");

    ComboHistoryLists lists(edit1, edit2);
    History history(window.AppDir, lists);
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

}  // namespace
}  // namespace permora
