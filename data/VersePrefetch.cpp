#include "data/VersePrefetch.h"

#include "data/ErrorReporter.h"
#include "data/Settings.h"
#include "data/StateFolder.h"
#include "data/VerseFile.h"

#include <QThread>

#include <future>

namespace {

// Notes that an error happened; reporting it is left to the main dialog.
class SilentReporter : public ErrorReporter
{
public:
    void ReportFileError(const QString &) override { failed = true; }
    bool failed = false;
};

std::future<VersePrefetch::Result> &Pending()
{
    static std::future<VersePrefetch::Result> pending;
    return pending;
}

VersePrefetch::Result Read(const QString &settingsPath)
{
    SilentReporter reporter;
    Settings settings;
    settings.Load(settingsPath, false, reporter);
    VersePrefetch::Result result{VerseFile(settings.VerseFilePath()), {}, false};
    result.loaded = result.file.Load(result.list, false, reporter) && !reporter.failed;
    return result;
}

} // namespace

void VersePrefetch::Start(const QString &settingsPath)
{
    // Qt takes the first thread that asks for its thread object as its main
    // thread: asking here, before the second thread runs, makes it this one,
    // whatever the timing. The read itself makes no Qt object either.
    QThread::currentThread();
    // The state folder's path comes from the environment, read here while
    // no other thread can change it.
    StateFolder::Path();
    Pending() = std::async(std::launch::async, Read, settingsPath);
}

std::optional<VersePrefetch::Result> VersePrefetch::Take(const QString &path)
{
    std::future<Result> &pending = Pending();
    if (!pending.valid())
        return std::nullopt;
    Result result = pending.get();
    if (!result.loaded || result.file.path() != path)
        return std::nullopt;
    return result;
}
