#include "files/SharedFile.h"

#include <algorithm>

#include "platform/FileSystem.h"

namespace permora {

SharedFile::Loaded SharedFile::Load(LineStore& store) {
    // Under the lock, so that no append of another copy is read half done. A
    // folder that cannot be written has no lock but can still be read.
    platform::FileLock lock;
    LockFile(lock, path_);
    mark_ = FileMark();
    if (!platform::IsRegularFile(path_)) {
        mark_.state = FileMark::State::Missing;
        return Loaded::NoFile;
    }
    FileMark seen;
    if (!store.LoadFromFile(path_, &seen)) return Loaded::Failed;
    mark_ = std::move(seen);
    return Loaded::Lines;
}

bool SharedFile::Save(LineStore& store, const Merge& merge) {
    platform::FileLock lock;
    if (!LockFile(lock, path_)) return false;
    SaveStep("locked");
    // Saves happen only under the lock, so a sibling file now is one that a
    // save cut off (a crash, a power loss) left behind.
    platform::DeleteFileAt(SavingPathFor(path_));

    switch (store.AppendIfUnchanged(path_, mark_)) {
        case AppendResult::Appended: return true;
        case AppendResult::Failed: return false;
        case AppendResult::FileChanged: break;
    }
    if (!platform::IsRegularFile(path_)) return store.WriteFileLocked(path_, &mark_);

    LineStore disk;
    FileMark diskMark;
    if (!disk.LoadFromFile(path_, &diskMark)) return false;
    const std::size_t diskLines = disk.Count();
    LineStore merged = merge(std::move(disk), store, std::min(mark_.lines, store.Count()));
    SaveStep("merged");
    if (merged.Count() == diskLines && diskMark.state == FileMark::State::Seen && diskMark.canonical) {
        // Nothing of ours is missing from the file: leave it as it is.
        store = std::move(merged);
        mark_ = std::move(diskMark);
        return true;
    }
    FileMark written;
    if (!merged.WriteFileLocked(path_, &written)) return false;
    store = std::move(merged);
    mark_ = std::move(written);
    return true;
}

LineStore SharedFile::AppendUnsaved(LineStore disk, const LineStore& store, std::size_t firstUnsaved) {
    disk.Append(store, firstUnsaved);
    return disk;
}

}  // namespace permora
