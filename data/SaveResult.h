#pragma once

#include "data/FileError.h"

// What became of a save: written; not written because the file changed on
// disk (or went away) since it was read; or failed, the old file left as it
// was.
struct SaveResult
{
    enum class Status { Saved, ChangedOnDisk, Failed };

    Status status = Status::Saved;
    FileError error;
    // With ChangedOnDisk: there is no file at the path any more.
    bool vanished = false;
};
