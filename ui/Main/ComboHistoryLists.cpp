#include "ui/Main/ComboHistoryLists.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <utility>

#include "ui/Text.h"

namespace permora {

namespace {

// New values up to this many go in one by one, placed by the control itself;
// more replace the whole list, which is cheaper than that many searches.
constexpr std::size_t kFewItems = 64;

// The comparison of a sorted combo box: its locale, case ignored. Sort keys
// compared bytewise order strings as CompareString does, at a fraction of
// its cost per comparison.
constexpr DWORD kSortKeyFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

// Items as the control takes them: wide, each ending in a NUL, back to back.
struct WideItems {
    std::wstring chars;
    std::vector<std::size_t> starts;

    const wchar_t* operator[](std::size_t i) const { return chars.c_str() + starts[i]; }
};

WideItems WidenAll(const std::vector<std::string_view>& values) {
    WideItems items;
    std::size_t bytes = 0;
    for (std::string_view value : values) bytes += value.size() + 1;
    items.chars.reserve(bytes);
    items.starts.reserve(values.size());
    for (std::string_view value : values) {
        const std::size_t at = items.chars.size();
        items.starts.push_back(at);
        // No code page makes more UTF-16 units than it had bytes.
        items.chars.resize(at + value.size());
        const int n = value.empty() ? 0
                                    : MultiByteToWideChar(CP_ACP, 0, value.data(), static_cast<int>(value.size()),
                                                          &items.chars[at], static_cast<int>(value.size()));
        items.chars.resize(at + static_cast<std::size_t>(n));
        items.chars.push_back(L'\0');
    }
    return items;
}

struct Key {
    const unsigned char* bytes;
    std::size_t size;
    std::size_t item;

    int At(std::size_t depth) const { return depth < size ? bytes[depth] : -1; }
    bool operator==(const Key& other) const {
        return size == other.size && std::memcmp(bytes, other.bytes, size) == 0;
    }
};

// False when the locale gives no key for some item.
bool MakeKeys(LCID locale, const WideItems& items, std::vector<unsigned char>& bytes, std::vector<Key>& keys) {
    const std::size_t n = items.starts.size();
    std::vector<std::size_t> ends(n);
    std::vector<unsigned char> scratch(1024);
    for (std::size_t i = 0; i < n; ++i) {
        auto* out = reinterpret_cast<LPWSTR>(scratch.data());
        int size = LCMapStringW(locale, kSortKeyFlags, items[i], -1, out, static_cast<int>(scratch.size()));
        if (size == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
            size = LCMapStringW(locale, kSortKeyFlags, items[i], -1, nullptr, 0);
            if (size <= 0) return false;
            scratch.resize(static_cast<std::size_t>(size));
            size = LCMapStringW(locale, kSortKeyFlags, items[i], -1, reinterpret_cast<LPWSTR>(scratch.data()), size);
        }
        if (size <= 0) return false;
        bytes.insert(bytes.end(), scratch.begin(), scratch.begin() + size);
        ends[i] = bytes.size();
    }
    keys.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t start = i ? ends[i - 1] : 0;
        keys[i] = Key{bytes.data() + start, ends[i] - start, i};
    }
    return true;
}

bool LessFrom(const Key& a, const Key& b, std::size_t depth) {
    const std::size_t n = std::min(a.size, b.size);
    if (depth < n) {
        const int order = std::memcmp(a.bytes + depth, b.bytes + depth, n - depth);
        if (order != 0) return order < 0;
    }
    return a.size < b.size;
}

// By key bytes from `depth` on, one byte position at a time (three-way radix
// quicksort): keys share long beginnings, a domain or a drive and folder, and
// those are read once rather than at every comparison.
void SortFrom(Key* first, std::size_t n, std::size_t depth, int nesting = 0) {
    while (n > 1) {
        if (n < 12 || nesting > 64) {  // short runs, and a bound on the stack whatever the keys
            std::sort(first, first + n, [depth](const Key& a, const Key& b) { return LessFrom(a, b, depth); });
            return;
        }
        const int a = first[0].At(depth), b = first[n / 2].At(depth), c = first[n - 1].At(depth);
        const int pivot = std::max(std::min(a, b), std::min(std::max(a, b), c));
        std::size_t below = 0, i = 0, above = n;
        while (i < above) {
            const int byte = first[i].At(depth);
            if (byte < pivot) std::swap(first[below++], first[i++]);
            else if (byte > pivot) std::swap(first[i], first[--above]);
            else ++i;
        }
        SortFrom(first, below, depth, nesting + 1);
        SortFrom(first + above, n - above, depth, nesting + 1);
        if (pivot < 0) return;  // those keys have ended: equal
        first += below;
        n = above - below;
        ++depth;
    }
}

// Counts over positions 0..n-1 (a Fenwick tree).
class Counts {
public:
    explicit Counts(std::size_t n, bool ones = false) : tree_(n + 1, 0) {
        if (ones) {
            for (std::size_t i = 1; i <= n; ++i) tree_[i] = i & (~i + 1);
        }
    }
    // The count at positions below `position`.
    std::size_t Below(std::size_t position) const {
        std::size_t sum = 0;
        for (std::size_t i = position; i > 0; i -= i & (~i + 1)) sum += tree_[i];
        return sum;
    }
    void Add(std::size_t position) {
        for (std::size_t i = position + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
    }
    void Remove(std::size_t position) {
        for (std::size_t i = position + 1; i < tree_.size(); i += i & (~i + 1)) --tree_[i];
    }
    // The position of the k-th (from 0) counted one, where every count is 0 or 1.
    std::size_t Find(std::size_t k) const {
        std::size_t position = 0, step = 1;
        while (step * 2 < tree_.size()) step *= 2;
        for (; step > 0; step /= 2) {
            if (position + step < tree_.size() && tree_[position + step] <= k) {
                position += step;
                k -= tree_[position];
            }
        }
        return position;
    }

private:
    std::vector<std::size_t> tree_;
};

// The list box finds a new item's place by binary search over the items it
// holds and puts it before the first equal item it meets, so where equal but
// different spellings end up depends on the order they came in. That search
// is replayed here on counts: the items below the new one and its equals.
// Then each item's place in the final list is read back, the last added
// first: it holds the place it was given among the slots not yet taken.
// Without different spellings of one key, the sorted order is the answer.
std::vector<std::size_t> ListOrder(std::vector<Key> keys, const WideItems& items) {
    const std::size_t n = keys.size();
    SortFrom(keys.data(), n, 0);
    std::vector<std::size_t> order(n);
    bool spellings = false;
    for (std::size_t i = 0; i < n; ++i) {
        order[i] = keys[i].item;
        if (i > 0 && keys[i] == keys[i - 1] && std::wcscmp(items[order[i]], items[order[i - 1]]) != 0)
            spellings = true;
    }
    if (!spellings) return order;

    std::vector<std::size_t> rank(n);  // items with equal keys share a rank
    std::size_t ranks = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && !(keys[i] == keys[i - 1])) ++ranks;
        rank[keys[i].item] = ranks;
    }

    Counts added(ranks + 1);
    std::vector<std::size_t> equals(ranks + 1, 0);
    std::vector<std::size_t> place(n);
    for (std::size_t t = 0; t < n; ++t) {
        const std::size_t below = added.Below(rank[t]);
        const std::size_t same = equals[rank[t]];
        // Over the t items held: [below, below + same) compare equal.
        std::size_t at = below;  // where a search that meets no equal item ends
        std::ptrdiff_t low = 0, high = static_cast<std::ptrdiff_t>(t) - 1;
        while (low <= high) {
            const std::ptrdiff_t middle = (low + high) / 2;
            const auto index = static_cast<std::size_t>(middle);
            if (index < below) {
                low = middle + 1;
            } else if (index >= below + same) {
                high = middle - 1;
            } else {
                at = index;
                break;
            }
        }
        place[t] = at;
        added.Add(rank[t]);
        ++equals[rank[t]];
    }

    Counts free(n, true);
    for (std::size_t t = n; t-- > 0;) {
        const std::size_t slot = free.Find(place[t]);
        free.Remove(slot);
        order[slot] = t;
    }
    return order;
}

void AddOne(HWND combo, std::string_view value) {
    const std::wstring item = Widen(std::string(value));
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

}  // namespace

void ComboHistoryLists::List::Begin() {
    filling_ = true;
    diverged_ = false;
    matched_ = 0;
    fill_ = Strings();
}

void ComboHistoryLists::List::Add(std::string_view value) {
    if (!filling_) {
        AddOne(combo_, value);
        shown_.Add(value);
        return;
    }
    if (!diverged_ && matched_ < shown_.Count()) {
        if (shown_[matched_] == value) {
            ++matched_;
            return;
        }
        diverged_ = true;
        for (std::size_t i = 0; i < matched_; ++i) fill_.Add(shown_[i]);
    }
    fill_.Add(value);
}

void ComboHistoryLists::List::Done() {
    filling_ = false;
    // What was shown, and a few more: the control places them as it always
    // did. Unless someone else changed its items meanwhile.
    if (!diverged_ && matched_ == shown_.Count() && fill_.Count() <= kFewItems &&
        SendMessageW(combo_, CB_GETCOUNT, 0, 0) == static_cast<LRESULT>(shown_.Count())) {
        for (std::size_t i = 0; i < fill_.Count(); ++i) {
            AddOne(combo_, fill_[i]);
            shown_.Add(fill_[i]);
        }
        fill_ = Strings();
        return;
    }
    if (diverged_) {
        std::swap(shown_, fill_);
    } else {
        shown_.Keep(matched_);
        for (std::size_t i = 0; i < fill_.Count(); ++i) shown_.Add(fill_[i]);
    }
    fill_ = Strings();
    Replace();
}

// Puts the items in the order one CB_ADDSTRING after another would give, with
// one sort of our own instead of a search per item, and without repainting.
// CB_RESETCONTENT also empties the edit field; what the user typed stays.
void ComboHistoryLists::List::Replace() {
    const std::wstring typed = GetText(combo_);
    std::vector<std::string_view> values(shown_.Count());
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = shown_[i];
    const WideItems items = WidenAll(values);
    std::vector<unsigned char> keyBytes;
    std::vector<Key> keys;
    const auto locale = static_cast<LCID>(SendMessageW(combo_, CB_GETLOCALE, 0, 0));
    const bool keyed = MakeKeys(locale, items, keyBytes, keys);

    // Straight to the drop-down list: one message per item instead of two.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    const bool toList = GetComboBoxInfo(combo_, &info) && info.hwndList;
    const HWND target = toList ? info.hwndList : combo_;

    SendMessageW(combo_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    SendMessageW(target, toList ? LB_INITSTORAGE : CB_INITSTORAGE, values.size(),
                 static_cast<LPARAM>(items.chars.size() * sizeof(wchar_t)));
    if (keyed) {
        const UINT insert = toList ? LB_INSERTSTRING : CB_INSERTSTRING;
        for (std::size_t i : ListOrder(std::move(keys), items))
            SendMessageW(target, insert, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(items[i]));
    } else {
        // No keys: the control sorts, item by item.
        for (std::size_t i = 0; i < values.size(); ++i)
            SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
    }
    SendMessageW(combo_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(combo_, nullptr, TRUE);
    SetText(combo_, typed);
}

void ComboHistoryLists::ClearItems() {
    directories_.Begin();
    users_.Begin();
}

void ComboHistoryLists::AddUser(const std::string& value) { users_.Add(value); }

void ComboHistoryLists::AddDirectory(const std::string& value) { directories_.Add(value); }

void ComboHistoryLists::ItemsDone() {
    directories_.Done();
    users_.Done();
}

}  // namespace permora
