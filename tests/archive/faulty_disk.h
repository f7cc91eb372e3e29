#pragma once

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>

namespace kw::test {

namespace faulty_disk_detail {

struct State {
  int64_t failAt = -1;
  bool forGood = false;
  int64_t spaceLeft = -1;
  bool failReads = false;
  bool failed = false;
  int64_t changes = 0;
};

inline sqlite3_vfs* real = nullptr;
inline State state;

struct File {
  sqlite3_file base;
  sqlite3_file* real;  // lives right behind this struct, in the space szOsFile asks for
};

inline sqlite3_file* Real(sqlite3_file* f) { return reinterpret_cast<File*>(f)->real; }

// Whether the change now asked for fails.
inline bool ChangeFails() {
  const int64_t number = state.changes++;
  if (state.failed && state.forGood) return true;
  if (state.failAt >= 0 && number == state.failAt) {
    state.failed = true;
    return true;
  }
  return false;
}

inline int Write(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
  if (ChangeFails()) return SQLITE_IOERR_WRITE;
  if (state.spaceLeft >= 0) {
    sqlite3_int64 size = 0;
    Real(f)->pMethods->xFileSize(Real(f), &size);
    const int64_t growth = std::max<int64_t>(0, offset + amount - size);
    if (growth > state.spaceLeft) {
      state.failed = true;
      return SQLITE_FULL;
    }
    state.spaceLeft -= growth;
  }
  return Real(f)->pMethods->xWrite(Real(f), buffer, amount, offset);
}

inline const sqlite3_io_methods kMethods = {
    1,  // no shared memory: the archive keeps a rollback journal
    [](sqlite3_file* f) { return Real(f)->pMethods->xClose(Real(f)); },
    [](sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
      if (state.failReads) return SQLITE_IOERR_READ;
      return Real(f)->pMethods->xRead(Real(f), buffer, amount, offset);
    },
    &Write,
    [](sqlite3_file* f, sqlite3_int64 size) {
      if (ChangeFails()) return SQLITE_IOERR_TRUNCATE;
      return Real(f)->pMethods->xTruncate(Real(f), size);
    },
    [](sqlite3_file* f, int flags) {
      if (ChangeFails()) return SQLITE_IOERR_FSYNC;
      return Real(f)->pMethods->xSync(Real(f), flags);
    },
    [](sqlite3_file* f, sqlite3_int64* size) {
      return Real(f)->pMethods->xFileSize(Real(f), size);
    },
    [](sqlite3_file* f, int lock) { return Real(f)->pMethods->xLock(Real(f), lock); },
    [](sqlite3_file* f, int lock) { return Real(f)->pMethods->xUnlock(Real(f), lock); },
    [](sqlite3_file* f, int* out) { return Real(f)->pMethods->xCheckReservedLock(Real(f), out); },
    [](sqlite3_file* f, int op, void* arg) {
      return Real(f)->pMethods->xFileControl(Real(f), op, arg);
    },
    [](sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); },
    [](sqlite3_file* f) { return Real(f)->pMethods->xDeviceCharacteristics(Real(f)); },
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

inline int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* out) {
  File* f = reinterpret_cast<File*>(file);
  f->real = reinterpret_cast<sqlite3_file*>(f + 1);
  const int rc = real->xOpen(real, name, f->real, flags, out);
  f->base.pMethods = f->real->pMethods ? &kMethods : nullptr;
  return rc;
}

}  // namespace faulty_disk_detail

// A disk that fails on command, as SQLite's own tests make one: a file system layer in front of
// the real one, registered as SQLite's default while it lives, so that every connection opened
// meanwhile writes real files through it. It can fail the n-th change to the disk (a write, a
// sync, a truncation or a deletion) once or from then on, or let the files grow by only so many
// bytes before writes find the disk full, or fail every read.
class FaultyDisk {
 public:
  FaultyDisk() {
    using namespace faulty_disk_detail;
    real = sqlite3_vfs_find(nullptr);
    state = State{};
    vfs_.iVersion = 2;
    vfs_.szOsFile = static_cast<int>(sizeof(File)) + real->szOsFile;
    vfs_.mxPathname = real->mxPathname;
    vfs_.zName = "kreuzwart-faulty-disk";
    vfs_.xOpen = &Open;
    vfs_.xDelete = [](sqlite3_vfs*, const char* name, int syncDir) {
      if (ChangeFails()) return SQLITE_IOERR_DELETE;
      return real->xDelete(real, name, syncDir);
    };
    // The real layer finds its own state through the pointer it is given: pass it its own.
    vfs_.xAccess = [](sqlite3_vfs*, const char* n, int f, int* out) {
      return real->xAccess(real, n, f, out);
    };
    vfs_.xFullPathname = [](sqlite3_vfs*, const char* n, int size, char* out) {
      return real->xFullPathname(real, n, size, out);
    };
    vfs_.xDlOpen = [](sqlite3_vfs*, const char* n) { return real->xDlOpen(real, n); };
    vfs_.xDlError = [](sqlite3_vfs*, int n, char* m) { real->xDlError(real, n, m); };
    vfs_.xDlSym = [](sqlite3_vfs*, void* h, const char* s) { return real->xDlSym(real, h, s); };
    vfs_.xDlClose = [](sqlite3_vfs*, void* h) { real->xDlClose(real, h); };
    vfs_.xRandomness = [](sqlite3_vfs*, int n, char* out) {
      return real->xRandomness(real, n, out);
    };
    vfs_.xSleep = [](sqlite3_vfs*, int us) { return real->xSleep(real, us); };
    vfs_.xCurrentTime = [](sqlite3_vfs*, double* t) { return real->xCurrentTime(real, t); };
    vfs_.xGetLastError = [](sqlite3_vfs*, int n, char* m) {
      return real->xGetLastError(real, n, m);
    };
    vfs_.xCurrentTimeInt64 = [](sqlite3_vfs*, sqlite3_int64* t) {
      return real->xCurrentTimeInt64(real, t);
    };
    sqlite3_vfs_register(&vfs_, 1);
  }
  ~FaultyDisk() { sqlite3_vfs_unregister(&vfs_); }
  FaultyDisk(const FaultyDisk&) = delete;
  FaultyDisk& operator=(const FaultyDisk&) = delete;

  // The change after `changes` good ones fails; with `forGood`, every change after it too, as a
  // disk that went away; otherwise the disk works again, as after a passing fault.
  void FailChange(int64_t changes, bool forGood) {
    faulty_disk_detail::state.failAt = changes;
    faulty_disk_detail::state.forGood = forGood;
  }
  // The files may grow by this many bytes in all; a write that would grow them further finds
  // the disk full. Writes within a file's size still work, as on a real full disk.
  void LeaveSpace(int64_t bytes) { faulty_disk_detail::state.spaceLeft = bytes; }
  void FailReads(bool fail) { faulty_disk_detail::state.failReads = fail; }
  bool Failed() const { return faulty_disk_detail::state.failed; }

 private:
  sqlite3_vfs vfs_{};
};

}  // namespace kw::test
