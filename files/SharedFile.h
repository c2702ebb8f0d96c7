#pragma once
// A line store kept in step with a file that other running copies of the
// program write as well. Every save holds the file's lock from its first look
// at the file to its last write:
// - file still exactly as this object last loaded or saved it (same size,
//   write time, identity and last bytes): only the lines added since are
//   appended, so a save costs what it adds, not the whole file;
// - file gone: the whole store is written;
// - file changed by someone else: it is read as it is now, this run's unsaved
//   lines are merged in, and the result replaces it whole.
// The bytes on disk are always what writing the resulting store whole would
// write. A file that exists but cannot be read is never written over.
#include <cstddef>
#include <functional>
#include <string>

#include "core/LineStore.h"

namespace permora {

class SharedFile {
public:
    enum class Loaded { Lines, NoFile, Failed };

    // What the file is to hold, from its present lines and the store whose
    // lines from `firstUnsaved` on the file does not have yet.
    using Merge = std::function<LineStore(LineStore disk, const LineStore& store, std::size_t firstUnsaved)>;

    explicit SharedFile(std::string path) : path_(std::move(path)) {}

    // Replaces the store with the file's lines. With NoFile and Failed the
    // store is left as it was, and all its lines count as unsaved.
    Loaded Load(LineStore& store);

    // Brings the file up to date with the store; on success the store holds
    // exactly the file's lines. On failure the store and the file are as they were.
    bool Save(LineStore& store, const Merge& merge = AppendUnsaved);

    // The file's lines followed by the unsaved ones.
    static LineStore AppendUnsaved(LineStore disk, const LineStore& store, std::size_t firstUnsaved);

    const std::string& Path() const { return path_; }

private:
    std::string path_;
    FileMark mark_;
};

}  // namespace permora
