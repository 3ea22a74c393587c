#pragma once

#include "data/VerseFile.h"
#include "data/VerseList.h"

#include <QString>

#include <optional>

// Reads the verse file named by the settings file on a second thread while
// the window system starts up, which takes about as long. The main dialog
// takes the list if it asks for the same file; otherwise, and after any
// error, it loads the file itself, so every error is reported just as
// without the prefetch, and in the same order. Started before the application
// object exists, from the thread that will make it.
class VersePrefetch
{
public:
    struct Result
    {
        VerseFile file; // its path, and the encoding and stamp of what was read
        VerseList list;
        bool loaded = false;
    };

    // Starts reading settingsPath and the verse file it names.
    static void Start(const QString &settingsPath);
    // Waits for the read, and hands over its list when it is of path and
    // was read without error. Only the first call can get it.
    static std::optional<Result> Take(const QString &path);
};
