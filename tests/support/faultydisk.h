#pragma once

// A file layer under SQLite that can be made to fail like a pulled USB stick or a dying disk.
// While an object lives it is the default file layer of every connection opened afterwards; it
// passes everything through until told to fail, then every read, write, sync and truncation
// ends in an I/O error until heal() or the object's end.
class FaultyDisk
{
public:
    FaultyDisk();
    ~FaultyDisk();
    FaultyDisk(const FaultyDisk &) = delete;
    FaultyDisk &operator=(const FaultyDisk &) = delete;

    // The disk goes bad after this many more writes succeed (0: at the next write).
    void failAfterWrites(int writes);
    void heal();
    // Writes that succeeded since the object was made.
    int writes() const;
    // Operations that were refused since the disk went bad.
    int refusals() const;
};
