#include "data/FileStamp.h"

#include <QFile>

#include <sys/stat.h>

FileStamp FileStamp::FromStat(const struct stat &st)
{
    FileStamp stamp;
    stamp.m_valid = true;
    stamp.m_device = st.st_dev;
    stamp.m_inode = st.st_ino;
    stamp.m_size = st.st_size;
    stamp.m_modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

FileStamp FileStamp::OfDescriptor(int fd)
{
    struct stat st;
    return ::fstat(fd, &st) == 0 ? FromStat(st) : FileStamp();
}

FileStamp FileStamp::OfPath(const QString &path)
{
    struct stat st;
    const bool regular = ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
    return regular ? FromStat(st) : FileStamp();
}
