#pragma once

// What became of a save: written, not written because the file changed on
// disk since it was read, or failed with the errno that stopped it (or
// kNotRegularFile), the old file left as it was.
struct SaveResult
{
    enum class Status { Saved, ChangedOnDisk, Failed };

    Status status = Status::Saved;
    int error = 0;
};
