#pragma once

// Why a verse file could not be written: a system call's errno, or one of
// the program's own reasons.
struct FileError
{
    enum class Kind {
        None,
        System, // errno says why
        NotRegularFile, // a FIFO, a device: never opened for writing
        OtherOwner, // belongs to another user
        OthersMayWrite, // others may change it
        Busy, // another program held it for longer than the wait
    };

    Kind kind = Kind::None;
    int errnum = 0;

    static FileError FromErrno(int errnum) { return errnum == 0 ? FileError() : FileError{Kind::System, errnum}; }
    explicit operator bool() const { return kind != Kind::None; }
    bool operator==(const FileError &other) const = default;
};
