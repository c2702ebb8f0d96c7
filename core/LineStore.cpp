#include "core/LineStore.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define PERMORA_SSE2 1
#include <emmintrin.h>
#endif
#if defined(_MSC_VER)
#include <intrin.h>
#endif

namespace permora {

namespace {

constexpr std::size_t kChunk = 1 << 20;
constexpr std::size_t kTailBytes = 4096;
constexpr char kCrLf[] = "\r\n";

SaveStepHook g_stepHook = nullptr;
int g_lockWaitMs = 10000;

#ifdef PERMORA_SSE2
unsigned LowestBit(unsigned bits) {
#if defined(_MSC_VER)
    unsigned long index;
    _BitScanForward(&index, bits);
    return static_cast<unsigned>(index);
#else
    return static_cast<unsigned>(__builtin_ctz(bits));
#endif
}
#endif

// Finds the line starts of a file while it is read piece by piece, for as
// long as every line break is CR LF: such a file is kept exactly as read.
// Any other break marks the file for Canonicalize. Loading is mostly this
// scan, so it looks at many bytes at a time.
class CrLfScanner {
public:
    explicit CrLfScanner(std::vector<std::size_t>& starts) : starts_(starts) { starts_.push_back(0); }

    // Looks at data[from, to); `from` is where the previous call ended.
    void Scan(const char* data, std::size_t from, std::size_t to) {
        std::size_t i = from;
        if (other_) return;
#ifdef PERMORA_SSE2
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i lf = _mm_set1_epi8('\n');
        unsigned afterCr = afterCr_;  // kept in a register
        for (; i + 16 <= to; i += 16) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
            unsigned crs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr)));
            unsigned lfs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)));
            if ((crs | lfs | afterCr) == 0) continue;
            // Every CR right before an LF and every LF right after a CR, also
            // across two blocks.
            if ((lfs >> 1) != (crs & 0x7FFF) || (lfs & 1) != afterCr) {
                other_ = true;
                return;
            }
            afterCr = crs >> 15;
            for (; lfs; lfs &= lfs - 1) starts_.push_back(i + LowestBit(lfs) + 1);
        }
        afterCr_ = afterCr != 0;
#endif
        while (i < to) {
            if (afterCr_) {
                if (data[i] != '\n') break;
                starts_.push_back(++i);
                afterCr_ = false;
                continue;
            }
            // Up to the next CR no byte may be an LF.
            const void* found = std::memchr(data + i, '\r', to - i);
            std::size_t crAt = found ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : to;
            if (std::memchr(data + i, '\n', crAt - i)) break;
            if (!found) return;
            afterCr_ = true;
            i = crAt + 1;
        }
        if (i < to) other_ = true;
    }

    // After the last piece: true when the file ended with a break, false when
    // its last line has none.
    bool Finish(std::size_t size) {
        if (afterCr_) other_ = true;
        if (starts_.back() != size) return false;
        starts_.pop_back();
        return true;
    }

    bool OnlyCrLf() const { return !other_; }

private:
    std::vector<std::size_t>& starts_;
    bool afterCr_ = false;  // the byte before the next one to scan is a CR
    bool other_ = false;    // a break other than CR LF was seen
};

// How many bytes the saved form of a file with other breaks than CR LF has.
std::size_t CanonicalSize(const char* raw, std::size_t size) {
    std::size_t extra = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (raw[i] == '\r' && i + 1 < size && raw[i + 1] == '\n') ++i;
        else if (raw[i] == '\r' || raw[i] == '\n') ++extra;
    }
    bool unterminated = size > 0 && raw[size - 1] != '\r' && raw[size - 1] != '\n';
    return size + extra + (unterminated ? 2 : 0);
}

// The same lines with CR LF after each, when a file had other breaks.
// Returns the new size; `starts` is rebuilt.
std::size_t Canonicalize(const char* raw, std::size_t size, char* out, std::vector<std::size_t>& starts) {
    starts.clear();
    std::size_t o = 0;
    std::size_t i = 0;
    while (i < size) {
        starts.push_back(o);
        std::size_t j = i;
        while (j < size && raw[j] != '\r' && raw[j] != '\n') ++j;
        std::memcpy(out + o, raw + i, j - i);
        o += j - i;
        out[o++] = '\r';
        out[o++] = '\n';
        if (j < size && raw[j] == '\r' && j + 1 < size && raw[j + 1] == '\n') ++j;
        i = j + 1;
    }
    return o;
}

}  // namespace

void SetSaveStepHook(SaveStepHook hook) { g_stepHook = hook; }

void SaveStep(const char* step) {
    if (g_stepHook) g_stepHook(step);
}

void SetFileLockWait(int milliseconds) { g_lockWaitMs = milliseconds; }

bool LockFile(platform::FileLock& lock, const std::string& path) {
    return lock.Acquire(path + ".lock", g_lockWaitMs);
}

std::string SavingPathFor(const std::string& path) { return path + ".saving"; }

LineStore::LineStore(const LineStore& other)
    : baseSize_(other.baseSize_), baseStarts_(other.baseStarts_), added_(other.added_) {
    if (other.base_) {
        base_.reset(static_cast<char*>(std::malloc(baseSize_ ? baseSize_ : 1)));
        if (!base_) throw std::bad_alloc();
        std::memcpy(base_.get(), other.base_.get(), baseSize_);
    }
}

LineStore& LineStore::operator=(const LineStore& other) {
    if (this != &other) *this = LineStore(other);
    return *this;
}

std::string_view LineStore::Line(std::size_t i) const {
    std::size_t n = baseStarts_.size();
    if (i >= n) return added_[i - n];
    std::size_t begin = baseStarts_[i];
    std::size_t end = (i + 1 < n ? baseStarts_[i + 1] : baseSize_) - 2;
    return std::string_view(base_.get() + begin, end - begin);
}

std::vector<std::string> LineStore::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(Count());
    for (std::string_view line : *this) lines.emplace_back(line);
    return lines;
}

void LineStore::MoveBaseToAdded() {
    std::vector<std::string> lines = Lines();
    base_.reset();
    baseSize_ = 0;
    baseStarts_.clear();
    added_ = std::move(lines);
}

void LineStore::Set(std::size_t i, std::string line) {
    // Loaded lines sit back to back; only small stores have a line replaced.
    if (i < baseStarts_.size()) MoveBaseToAdded();
    added_[i - baseStarts_.size()] = std::move(line);
}

void LineStore::Append(const LineStore& other, std::size_t from) {
    if (&other == this) {
        // Adding lines would move the ones being read.
        Append(LineStore(other), from);
        return;
    }
    for (std::size_t i = from; i < other.Count(); ++i) added_.emplace_back(other.Line(i));
}

void LineStore::Clear() {
    base_.reset();
    baseSize_ = 0;
    baseStarts_.clear();
    added_.clear();
}

std::string LineStore::Text() const {
    std::size_t size = SavedSize();
    std::string text;
    text.reserve(size);
    if (base_) text.append(base_.get(), baseSize_);
    for (const std::string& line : added_) text.append(line).append(kCrLf, 2);
    if (!text.empty()) text.resize(text.size() - 2);
    return text;
}

bool LineStore::LoadFromFile(const std::string& path, FileMark* mark) {
    // A file near the size of the address space fails like an unreadable one.
    try {
        return Load(path, mark);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

bool LineStore::Load(const std::string& path, FileMark* mark) {
    platform::File file;
    platform::FileStamp stamp;
    if (!file.OpenRead(path) || !file.Stamp(stamp)) return false;
    if (stamp.size > std::numeric_limits<std::size_t>::max() / 2) return false;
    const std::size_t size = static_cast<std::size_t>(stamp.size);

    // Room for the CR LF that a last line without a break gets.
    Buffer raw(static_cast<char*>(std::malloc(size + 2)));
    if (!raw) return false;
    platform::PreferLargePages(raw.get(), size + 2);

    // Scan each piece right after reading it, while it is still in the cache.
    std::vector<std::size_t> starts;
    CrLfScanner scanner(starts);
    std::size_t got = 0;
    while (got < size) {
        std::size_t n = 0;
        if (!file.Read(raw.get() + got, std::min(kChunk, size - got), n)) return false;
        if (n == 0) break;  // shorter than when it was opened
        scanner.Scan(raw.get(), got, got + n);
        if (got == 0 && got + n < size) {
            // Guess the line count from the first piece so the list is not
            // moved again and again while it grows.
            double guess = static_cast<double>(starts.size() + 1) * (static_cast<double>(size) / n) * 1.02 + 16;
            starts.reserve(static_cast<std::size_t>(std::min(guess, static_cast<double>(size))));
            platform::PreferLargePages(starts.data(), starts.capacity() * sizeof(std::size_t));
        }
        got += n;
    }
    const bool terminated = scanner.Finish(got);

    FileMark seen;
    seen.state = got == size ? FileMark::State::Seen : FileMark::State::Unknown;
    seen.stamp = stamp;
    seen.tail.assign(raw.get() + got - std::min(got, kTailBytes), std::min(got, kTailBytes));
    seen.canonical = scanner.OnlyCrLf() && terminated;

    std::size_t saved = got;
    if (!scanner.OnlyCrLf()) {
        // Rare (files edited by hand): build the saved form in a second buffer.
        saved = CanonicalSize(raw.get(), got);
        Buffer out(static_cast<char*>(std::malloc(saved ? saved : 1)));
        if (!out) return false;
        Canonicalize(raw.get(), got, out.get(), starts);
        raw = std::move(out);
    } else if (!terminated) {
        raw.get()[got] = '\r';
        raw.get()[got + 1] = '\n';
        saved = got + 2;
    }
    seen.lines = starts.size();

    base_ = std::move(raw);
    baseSize_ = saved;
    baseStarts_.swap(starts);
    added_.clear();
    if (mark) *mark = std::move(seen);
    return true;
}

std::size_t LineStore::SavedSize() const {
    std::size_t size = baseSize_;
    for (const std::string& line : added_) size += line.size() + 2;
    return size;
}

std::string LineStore::SavedTail(std::size_t bytes) const {
    std::string tail;
    for (std::size_t i = added_.size(); i-- > 0 && tail.size() < bytes;) {
        tail.insert(0, kCrLf, 2);
        tail.insert(0, added_[i]);
    }
    if (tail.size() < bytes && base_) {
        std::size_t take = std::min(bytes - tail.size(), baseSize_);
        tail.insert(0, base_.get() + baseSize_ - take, take);
    }
    if (tail.size() > bytes) tail.erase(0, tail.size() - bytes);
    return tail;
}

bool LineStore::WriteLines(platform::File& file, std::size_t from, const char* step) const {
    std::size_t n = baseStarts_.size();
    if (from < n) {
        for (std::size_t at = baseStarts_[from]; at < baseSize_;) {
            std::size_t piece = std::min(kChunk, baseSize_ - at);
            if (!file.Write(base_.get() + at, piece)) return false;
            at += piece;
            SaveStep(step);
        }
    }
    // Added lines are gathered into large pieces: a write per line costs far more.
    std::string out;
    auto flush = [&] {
        if (out.empty()) return true;
        bool ok = file.Write(out.data(), out.size());
        out.clear();
        SaveStep(step);
        return ok;
    };
    for (std::size_t i = from > n ? from - n : 0; i < added_.size(); ++i) {
        const std::string& line = added_[i];
        if (out.size() + line.size() + 2 > kChunk && !flush()) return false;
        if (line.size() >= kChunk) {
            if (!file.Write(line.data(), line.size())) return false;
            SaveStep(step);
        } else {
            out += line;
        }
        out.append(kCrLf, 2);
    }
    return flush();
}

void LineStore::MarkFile(const std::string& path, FileMark& mark) const {
    // Stamped through a fresh handle, after ours is closed: some systems
    // set the write time only then.
    platform::File file;
    mark = FileMark();
    mark.lines = Count();  // written, whether or not it can be told again
    if (!file.OpenRead(path) || !file.Stamp(mark.stamp) || mark.stamp.size != SavedSize()) return;
    mark.state = FileMark::State::Seen;
    mark.tail = SavedTail(kTailBytes);
    mark.canonical = true;
}

bool LineStore::SaveToFile(const std::string& path) const {
    platform::FileLock lock;
    return LockFile(lock, path) && WriteFileLocked(path);
}

bool LineStore::WriteFileLocked(const std::string& path, FileMark* mark) const {
    const std::string temp = SavingPathFor(path);
    platform::File file;
    if (!file.Create(temp)) return false;
    SaveStep("sibling created");
    bool ok = WriteLines(file, 0, "sibling part written");
    if (ok) SaveStep("sibling written");
    ok = ok && file.Flush();
    if (ok) SaveStep("sibling on disk");
    ok = file.Close() && ok;
    if (!ok || !platform::ReplaceFileWith(temp, path)) {
        platform::DeleteFileAt(temp);
        return false;
    }
    SaveStep("replaced");
    if (mark) MarkFile(path, *mark);
    return true;
}

AppendResult LineStore::AppendIfUnchanged(const std::string& path, FileMark& mark) const {
    if (mark.state != FileMark::State::Seen || !mark.canonical || mark.lines > Count() ||
        !platform::IsRegularFile(path)) {
        return AppendResult::FileChanged;
    }
    platform::File file;
    if (!file.OpenAppend(path)) return AppendResult::Failed;
    platform::FileStamp now;
    if (!file.Stamp(now)) return AppendResult::Failed;
    if (now != mark.stamp) return AppendResult::FileChanged;
    std::string tail(mark.tail.size(), '\0');
    if (!tail.empty() && !file.ReadAt(now.size - tail.size(), &tail[0], tail.size())) return AppendResult::Failed;
    if (tail != mark.tail) return AppendResult::FileChanged;
    SaveStep("append checked");

    if (mark.lines < Count()) {
        bool ok = WriteLines(file, mark.lines, "append part written");
        if (ok) SaveStep("appended");
        ok = ok && file.Flush();
        if (!ok) {
            // Leave no half line behind.
            file.Truncate(now.size);
            file.Flush();
            return AppendResult::Failed;
        }
        SaveStep("append on disk");
    }
    if (!file.Close()) return AppendResult::Failed;
    MarkFile(path, mark);
    return AppendResult::Appended;
}

}  // namespace permora
