// The failing file system: a shim over SQLite's default one whose files
// count their reads, writes, syncs and locks and fail the armed one.
#include "faulty_vfs.h"

#include <sqlite3.h>

#include <cstring>

namespace {

struct Counters {
    int count[4] = {0, 0, 0, 0};
    FaultKind kind = FaultKind::Read;
    int failAt = 0;
    bool fired = false;
};
Counters gCounters;
sqlite3_vfs* gReal = nullptr;

// Counts one operation; true when it is the one to fail.
bool shouldFail(FaultKind kind)
{
    int n = ++gCounters.count[static_cast<int>(kind)];
    if (gCounters.failAt == 0 || kind != gCounters.kind || n != gCounters.failAt) return false;
    gCounters.fired = true;
    return true;
}

struct FaultyFile {
    sqlite3_file base;  // our methods
    sqlite3_file* real;  // the default file system's file, allocated after us
};

sqlite3_file* realOf(sqlite3_file* file) { return reinterpret_cast<FaultyFile*>(file)->real; }

int fileClose(sqlite3_file* f) { return realOf(f)->pMethods ? realOf(f)->pMethods->xClose(realOf(f)) : SQLITE_OK; }
int fileRead(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset)
{
    if (shouldFail(FaultKind::Read)) return SQLITE_IOERR_READ;
    return realOf(f)->pMethods->xRead(realOf(f), buffer, amount, offset);
}
int fileWrite(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset)
{
    if (shouldFail(FaultKind::Write)) return SQLITE_IOERR_WRITE;
    return realOf(f)->pMethods->xWrite(realOf(f), buffer, amount, offset);
}
int fileTruncate(sqlite3_file* f, sqlite3_int64 size) { return realOf(f)->pMethods->xTruncate(realOf(f), size); }
int fileSync(sqlite3_file* f, int flags)
{
    if (shouldFail(FaultKind::Sync)) return SQLITE_IOERR_FSYNC;
    return realOf(f)->pMethods->xSync(realOf(f), flags);
}
int fileSize(sqlite3_file* f, sqlite3_int64* size) { return realOf(f)->pMethods->xFileSize(realOf(f), size); }
int fileLock(sqlite3_file* f, int level)
{
    if (shouldFail(FaultKind::Lock)) return SQLITE_IOERR_LOCK;
    return realOf(f)->pMethods->xLock(realOf(f), level);
}
int fileUnlock(sqlite3_file* f, int level) { return realOf(f)->pMethods->xUnlock(realOf(f), level); }
int fileCheckReserved(sqlite3_file* f, int* out) { return realOf(f)->pMethods->xCheckReservedLock(realOf(f), out); }
int fileControl(sqlite3_file* f, int op, void* arg) { return realOf(f)->pMethods->xFileControl(realOf(f), op, arg); }
int fileSectorSize(sqlite3_file* f) { return realOf(f)->pMethods->xSectorSize(realOf(f)); }
int fileDevice(sqlite3_file* f) { return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f)); }

// Version 1: no shared memory or memory mapping (the rollback journal needs neither).
const sqlite3_io_methods kMethods = {1,        fileClose,   fileRead,   fileWrite,         fileTruncate,
                                     fileSync, fileSize,    fileLock,   fileUnlock,        fileCheckReserved,
                                     fileControl, fileSectorSize, fileDevice, nullptr, nullptr,
                                     nullptr,  nullptr,     nullptr,    nullptr};

int vfsOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    auto* faulty = reinterpret_cast<FaultyFile*>(file);
    faulty->base.pMethods = nullptr;
    faulty->real = reinterpret_cast<sqlite3_file*>(faulty + 1);
    faulty->real->pMethods = nullptr;
    int rc = gReal->xOpen(gReal, name, faulty->real, flags, outFlags);
    if (faulty->real->pMethods) faulty->base.pMethods = &kMethods;
    return rc;
}
int vfsDelete(sqlite3_vfs*, const char* name, int syncDir) { return gReal->xDelete(gReal, name, syncDir); }
int vfsAccess(sqlite3_vfs*, const char* name, int flags, int* out) { return gReal->xAccess(gReal, name, flags, out); }
int vfsFullPathname(sqlite3_vfs*, const char* name, int size, char* out)
{
    return gReal->xFullPathname(gReal, name, size, out);
}
void* vfsDlOpen(sqlite3_vfs*, const char* name) { return gReal->xDlOpen(gReal, name); }
void vfsDlError(sqlite3_vfs*, int size, char* out) { gReal->xDlError(gReal, size, out); }
void (*vfsDlSym(sqlite3_vfs*, void* handle, const char* symbol))(void) { return gReal->xDlSym(gReal, handle, symbol); }
void vfsDlClose(sqlite3_vfs*, void* handle) { gReal->xDlClose(gReal, handle); }
int vfsRandomness(sqlite3_vfs*, int size, char* out) { return gReal->xRandomness(gReal, size, out); }
int vfsSleep(sqlite3_vfs*, int microseconds) { return gReal->xSleep(gReal, microseconds); }
int vfsCurrentTime(sqlite3_vfs*, double* out) { return gReal->xCurrentTime(gReal, out); }
int vfsGetLastError(sqlite3_vfs*, int size, char* out) { return gReal->xGetLastError(gReal, size, out); }
int vfsCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* out) { return gReal->xCurrentTimeInt64(gReal, out); }

sqlite3_vfs gFaulty;

}  // namespace

void installFaultyVfs()
{
    if (gReal) return;
    gReal = sqlite3_vfs_find(nullptr);
    gFaulty = sqlite3_vfs{2,
                          static_cast<int>(sizeof(FaultyFile)) + gReal->szOsFile,
                          gReal->mxPathname,
                          nullptr,
                          "faulty",
                          nullptr,
                          vfsOpen,
                          vfsDelete,
                          vfsAccess,
                          vfsFullPathname,
                          vfsDlOpen,
                          vfsDlError,
                          vfsDlSym,
                          vfsDlClose,
                          vfsRandomness,
                          vfsSleep,
                          vfsCurrentTime,
                          vfsGetLastError,
                          vfsCurrentTimeInt64,
                          nullptr,
                          nullptr,
                          nullptr};
    sqlite3_vfs_register(&gFaulty, 1);
}

void armFault(FaultKind kind, int n)
{
    gCounters = Counters{};
    gCounters.kind = kind;
    gCounters.failAt = n;
}

void disarmFaults() { gCounters = Counters{}; }
int faultCount(FaultKind kind) { return gCounters.count[static_cast<int>(kind)]; }
bool faultFired() { return gCounters.fired; }

const char* faultKindName(FaultKind kind)
{
    switch (kind) {
    case FaultKind::Read: return "read";
    case FaultKind::Write: return "write";
    case FaultKind::Sync: return "sync";
    case FaultKind::Lock: return "lock";
    }
    return "?";
}
