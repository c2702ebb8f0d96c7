#pragma once
// The history's two item lists shown as the drop-down lists of the main
// window's combo boxes: users in Edit2, directories in Edit1.
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/History.h"

namespace permora {

class ComboHistoryLists : public HistoryLists {
public:
    ComboHistoryLists(HWND directories, HWND users) : directories_(directories), users_(users) {}

    // ClearItems begins a fill and ItemsDone shows it.
    void ClearItems() override;
    void AddUser(const std::string& value) override;
    void AddDirectory(const std::string& value) override;
    void ItemsDone() override;

private:
    // Strings back to back: a history holds many short ones.
    class Strings {
    public:
        std::size_t Count() const { return ends_.size(); }
        std::string_view operator[](std::size_t i) const {
            const std::size_t start = i ? ends_[i - 1] : 0;
            return std::string_view(bytes_).substr(start, ends_[i] - start);
        }
        void Add(std::string_view value) {
            bytes_.append(value);
            ends_.push_back(bytes_.size());
        }
        void Keep(std::size_t count) {  // the first `count` only
            ends_.resize(count);
            bytes_.resize(count ? ends_.back() : 0);
        }

    private:
        std::string bytes_;
        std::vector<std::size_t> ends_;
    };

    // One sorted combo box and the values it was given, in the order given.
    // A fill that repeats those values and adds a few costs the few; any
    // other fill replaces the items in one pass.
    class List {
    public:
        explicit List(HWND combo) : combo_(combo) {}
        void Begin();
        void Add(std::string_view value);
        void Done();

    private:
        void Replace();

        HWND combo_;
        Strings shown_;
        Strings fill_;  // the values after the matched ones, or all of them once diverged
        std::size_t matched_ = 0;
        bool filling_ = false;
        bool diverged_ = false;
    };

    List directories_;
    List users_;
};

}  // namespace permora
