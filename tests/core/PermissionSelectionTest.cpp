#include "core/PermissionSelection.h"

#include <gtest/gtest.h>

#include <bitset>
#include <deque>
#include <set>
#include <utility>
#include <vector>

#include "core/PermissionBoxes.h"

namespace permora {
namespace {

using F = PermissionFlag;
using Change = std::pair<F, bool>;
constexpr int kAll = (1 << kPermissionFlagCount) - 1;

int Bit(F flag) { return 1 << static_cast<int>(flag); }

// A selection that records every PermissionChanged call.
struct Recorded {
    PermissionSelection selection;
    std::vector<Change> calls;

    explicit Recorded(int mask) {
        for (int i = 0; i < kPermissionFlagCount; ++i)
            if (mask & (1 << i)) selection.SetPermission(static_cast<F>(i), true);
        selection.SetPermissionChanged([this](F flag, bool value) { calls.emplace_back(flag, value); });
    }
    int Mask() const {
        int mask = 0;
        for (int i = 0; i < kPermissionFlagCount; ++i)
            if (selection.Get(static_cast<F>(i))) mask |= 1 << i;
        return mask;
    }
};

struct ActionCase {
    F flag;
    bool check;  // from all clear when checking, from all checked when unchecking
    std::vector<F> order;
};

TEST(PermissionSelection, OneClickSpreadsInThisOrder) {
    const ActionCase cases[] = {
        {F::FullControl, true,
         {F::FullControl, F::Modify, F::ReadAndExecute, F::Read, F::ListFolderContent, F::Write,
          F::DeleteSubfoldersAndFiles}},
        {F::Modify, true,
         {F::Modify, F::ReadAndExecute, F::Read, F::ListFolderContent, F::Write, F::DeleteSubfoldersAndFiles}},
        {F::ReadAndExecute, true, {F::ReadAndExecute, F::Read, F::ListFolderContent}},
        {F::Read, true, {F::Read, F::ListFolderContent}},
        {F::ListFolderContent, true, {F::ListFolderContent}},
        {F::Write, true, {F::Write}},
        {F::DeleteSubfoldersAndFiles, true, {F::DeleteSubfoldersAndFiles}},
        {F::FullControl, false, {F::FullControl}},
        {F::Modify, false, {F::Modify, F::FullControl}},
        {F::ReadAndExecute, false, {F::ReadAndExecute, F::Modify, F::FullControl}},
        {F::Read, false, {F::Read, F::ReadAndExecute, F::Modify, F::FullControl}},
        {F::ListFolderContent, false,
         {F::ListFolderContent, F::Read, F::ReadAndExecute, F::Modify, F::FullControl}},
        {F::Write, false, {F::Write, F::Modify, F::FullControl}},
        {F::DeleteSubfoldersAndFiles, false, {F::DeleteSubfoldersAndFiles, F::Modify, F::FullControl}},
    };
    for (const ActionCase& c : cases) {
        SCOPED_TRACE(std::string(c.check ? "check " : "uncheck ") + BoxFor(c.flag).name);
        Recorded r(c.check ? 0 : kAll);
        r.selection.Toggle(c.flag);
        std::vector<Change> expected;
        int changedBits = 0;
        for (F f : c.order) {
            expected.emplace_back(f, c.check);
            changedBits |= Bit(f);
        }
        EXPECT_EQ(r.calls, expected);
        EXPECT_EQ(r.Mask(), c.check ? changedBits : kAll & ~changedBits);
    }
}

bool SatisfiesImplications(int m) {
    auto has = [m](F f) { return (m & Bit(f)) != 0; };
    return (!has(F::FullControl) || has(F::Modify)) &&
           (!has(F::Modify) || (has(F::ReadAndExecute) && has(F::Write) && has(F::ListFolderContent) &&
                                has(F::DeleteSubfoldersAndFiles))) &&
           (!has(F::ReadAndExecute) || has(F::Read)) && (!has(F::Read) || has(F::ListFolderContent));
}

// Every state reachable from all clear by any sequence of SetPermission calls
// satisfies the hierarchy, every such state is reachable, and in each one
// setting a flag to the value it already has does nothing at all.
TEST(PermissionSelection, ReachableStatesAreExactlyTheConsistentOnes) {
    std::set<int> consistent;
    for (int m = 0; m <= kAll; ++m)
        if (SatisfiesImplications(m)) consistent.insert(m);
    ASSERT_EQ(consistent.size(), 18u);

    std::set<int> reached{0};
    std::deque<int> queue{0};
    while (!queue.empty()) {
        const int state = queue.front();
        queue.pop_front();
        for (int i = 0; i < kPermissionFlagCount; ++i) {
            const F flag = static_cast<F>(i);
            for (bool value : {false, true}) {
                Recorded r(state);
                ASSERT_EQ(r.Mask(), state);
                const bool same = r.selection.Get(flag) == value;
                r.selection.SetPermission(flag, value);
                if (same) {
                    EXPECT_TRUE(r.calls.empty()) << "state " << state << " flag " << i;
                    EXPECT_EQ(r.Mask(), state);
                    continue;
                }
                // Each reported change is a real change, reported once.
                EXPECT_EQ(r.calls.size(), std::bitset<kPermissionFlagCount>(r.Mask() ^ state).count());
                if (reached.insert(r.Mask()).second) queue.push_back(r.Mask());
            }
        }
    }
    EXPECT_EQ(reached, consistent);
}

// What the main window's Revoke does to a fully checked selection.
TEST(PermissionSelection, ClearingListThenWriteLeavesOnlyDelete) {
    Recorded r(kAll);
    r.selection.SetPermission(F::ListFolderContent, false);
    r.selection.SetPermission(F::Write, false);
    EXPECT_EQ(r.calls, (std::vector<Change>{{F::ListFolderContent, false},
                                            {F::Read, false},
                                            {F::ReadAndExecute, false},
                                            {F::Modify, false},
                                            {F::FullControl, false},
                                            {F::Write, false}}));
    EXPECT_EQ(r.Mask(), Bit(F::DeleteSubfoldersAndFiles));
}

}  // namespace
}  // namespace permora
