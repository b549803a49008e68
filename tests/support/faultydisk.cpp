#include "faultydisk.h"

#include <sqlite3.h>

namespace {

// A file of the faulty layer: its own header followed by the real layer's file.
struct FaultyFile
{
    sqlite3_file base;
    sqlite3_file *real() { return reinterpret_cast<sqlite3_file *>(this + 1); }
};

sqlite3_vfs *realVfs = nullptr;
sqlite3_vfs faultyVfs;
sqlite3_io_methods faultyMethods;
int writesLeft = -1; // below zero: the disk is sound
bool broken = false;
int writeCount = 0;
int refusalCount = 0;

FaultyFile *faulty(sqlite3_file *file)
{
    return reinterpret_cast<FaultyFile *>(file);
}

bool refuse()
{
    if (broken)
        ++refusalCount;
    return broken;
}

int fileClose(sqlite3_file *f)
{
    return faulty(f)->real()->pMethods->xClose(faulty(f)->real());
}

int fileRead(sqlite3_file *f, void *buffer, int amount, sqlite3_int64 offset)
{
    if (refuse())
        return SQLITE_IOERR_READ;
    return faulty(f)->real()->pMethods->xRead(faulty(f)->real(), buffer, amount, offset);
}

int fileWrite(sqlite3_file *f, const void *buffer, int amount, sqlite3_int64 offset)
{
    if (!broken && writesLeft >= 0 && writesLeft-- == 0)
        broken = true;
    if (refuse())
        return SQLITE_IOERR_WRITE;
    ++writeCount;
    return faulty(f)->real()->pMethods->xWrite(faulty(f)->real(), buffer, amount, offset);
}

int fileTruncate(sqlite3_file *f, sqlite3_int64 size)
{
    if (refuse())
        return SQLITE_IOERR_TRUNCATE;
    return faulty(f)->real()->pMethods->xTruncate(faulty(f)->real(), size);
}

int fileSync(sqlite3_file *f, int flags)
{
    if (refuse())
        return SQLITE_IOERR_FSYNC;
    return faulty(f)->real()->pMethods->xSync(faulty(f)->real(), flags);
}

int fileSize(sqlite3_file *f, sqlite3_int64 *size)
{
    return faulty(f)->real()->pMethods->xFileSize(faulty(f)->real(), size);
}

int fileLock(sqlite3_file *f, int level)
{
    return faulty(f)->real()->pMethods->xLock(faulty(f)->real(), level);
}

int fileUnlock(sqlite3_file *f, int level)
{
    return faulty(f)->real()->pMethods->xUnlock(faulty(f)->real(), level);
}

int fileCheckReservedLock(sqlite3_file *f, int *out)
{
    return faulty(f)->real()->pMethods->xCheckReservedLock(faulty(f)->real(), out);
}

int fileControl(sqlite3_file *f, int op, void *arg)
{
    return faulty(f)->real()->pMethods->xFileControl(faulty(f)->real(), op, arg);
}

int fileSectorSize(sqlite3_file *f)
{
    return faulty(f)->real()->pMethods->xSectorSize(faulty(f)->real());
}

int fileDeviceCharacteristics(sqlite3_file *f)
{
    return faulty(f)->real()->pMethods->xDeviceCharacteristics(faulty(f)->real());
}

int vfsOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags)
{
    FaultyFile *wrapper = faulty(file);
    wrapper->base.pMethods = nullptr;
    const int rc = realVfs->xOpen(realVfs, name, wrapper->real(), flags, outFlags);
    if (wrapper->real()->pMethods)
        wrapper->base.pMethods = &faultyMethods;
    return rc;
}

int vfsDelete(sqlite3_vfs *, const char *name, int syncDir)
{
    return realVfs->xDelete(realVfs, name, syncDir);
}

int vfsAccess(sqlite3_vfs *, const char *name, int flags, int *out)
{
    return realVfs->xAccess(realVfs, name, flags, out);
}

int vfsFullPathname(sqlite3_vfs *, const char *name, int size, char *out)
{
    return realVfs->xFullPathname(realVfs, name, size, out);
}

int vfsRandomness(sqlite3_vfs *, int size, char *out)
{
    return realVfs->xRandomness(realVfs, size, out);
}

int vfsSleep(sqlite3_vfs *, int microseconds)
{
    return realVfs->xSleep(realVfs, microseconds);
}

int vfsCurrentTime(sqlite3_vfs *, double *out)
{
    return realVfs->xCurrentTime(realVfs, out);
}

int vfsGetLastError(sqlite3_vfs *, int size, char *out)
{
    return realVfs->xGetLastError ? realVfs->xGetLastError(realVfs, size, out) : 0;
}

int vfsCurrentTimeInt64(sqlite3_vfs *, sqlite3_int64 *out)
{
    return realVfs->xCurrentTimeInt64(realVfs, out);
}

void install()
{
    if (realVfs)
        return;
    sqlite3_initialize();
    realVfs = sqlite3_vfs_find(nullptr);
    // Version 1 of the file methods: no shared memory and no memory mapping, which the rollback
    // journal of this program's connections does not need, so every access goes through here.
    faultyMethods = {};
    faultyMethods.iVersion = 1;
    faultyMethods.xClose = fileClose;
    faultyMethods.xRead = fileRead;
    faultyMethods.xWrite = fileWrite;
    faultyMethods.xTruncate = fileTruncate;
    faultyMethods.xSync = fileSync;
    faultyMethods.xFileSize = fileSize;
    faultyMethods.xLock = fileLock;
    faultyMethods.xUnlock = fileUnlock;
    faultyMethods.xCheckReservedLock = fileCheckReservedLock;
    faultyMethods.xFileControl = fileControl;
    faultyMethods.xSectorSize = fileSectorSize;
    faultyMethods.xDeviceCharacteristics = fileDeviceCharacteristics;
    faultyVfs = {};
    faultyVfs.iVersion = 2;
    faultyVfs.szOsFile = int(sizeof(FaultyFile)) + realVfs->szOsFile;
    faultyVfs.mxPathname = realVfs->mxPathname;
    faultyVfs.zName = "faultydisk";
    faultyVfs.xOpen = vfsOpen;
    faultyVfs.xDelete = vfsDelete;
    faultyVfs.xAccess = vfsAccess;
    faultyVfs.xFullPathname = vfsFullPathname;
    faultyVfs.xRandomness = vfsRandomness;
    faultyVfs.xSleep = vfsSleep;
    faultyVfs.xCurrentTime = vfsCurrentTime;
    faultyVfs.xGetLastError = vfsGetLastError;
    faultyVfs.xCurrentTimeInt64 = vfsCurrentTimeInt64;
}

} // namespace

FaultyDisk::FaultyDisk()
{
    install();
    heal();
    writeCount = 0;
    sqlite3_vfs_register(&faultyVfs, 1);
}

FaultyDisk::~FaultyDisk()
{
    heal();
    sqlite3_vfs_register(realVfs, 1);
}

void FaultyDisk::failAfterWrites(int writes)
{
    broken = false;
    writesLeft = writes;
    refusalCount = 0;
}

void FaultyDisk::heal()
{
    broken = false;
    writesLeft = -1;
}

int FaultyDisk::writes() const
{
    return writeCount;
}

int FaultyDisk::refusals() const
{
    return refusalCount;
}
