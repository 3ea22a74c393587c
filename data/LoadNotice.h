#pragma once

#include <QByteArray>

// What a load found and mended of a save that was cut off (the process died
// while it rewrote the file in place), for the user to be told once.
struct LoadNotice
{
    enum class Kind {
        None,
        SaveFinished, // the file now holds all of that save's verses
        SaveKeptAside, // the file changed since: that save's verses are in a copy
        SaveNotFinished, // the file could not be written: errnum says why
    };

    Kind kind = Kind::None;
    QByteArray copy; // SaveKeptAside: the copy's path
    int errnum = 0;
};
