#include "data/Settings.h"

#include "data/ErrorMessages.h"
#include "data/ErrorReporter.h"
#include "data/FileTrust.h"
#include "data/LineReader.h"
#include "data/RegularFile.h"
#include "data/TextEncoding.h"

#include <array>

namespace {

QByteArray ValueOf(QByteArrayView line)
{
    const qsizetype eq = line.indexOf('=');
    return line.sliced(eq + 1).toByteArray();
}

} // namespace

void Settings::ApplyLine(QByteArrayView line)
{
    const std::array<std::pair<const char *, QByteArray *>, 7> keys{{
        {"FILE", &m_strFile},
        {"FONT1", &m_strFont1},
        {"FACE1", &m_strFace1},
        {"SIZE1", &m_strSize1},
        {"FONT2", &m_strFont2},
        {"FACE2", &m_strFace2},
        {"SIZE2", &m_strSize2},
    }};
    for (const auto &[key, member] : keys)
        if (line.contains(QByteArrayView(key)))
            *member = ValueOf(line);
}

Settings Settings::Parse(QByteArrayView bytes)
{
    Settings settings;
    LineReader reader(bytes);
    QByteArrayView line;
    while (reader.ReadLine(line))
        settings.ApplyLine(line);
    return settings;
}

bool Settings::Load(const QString &path, bool czech, ErrorReporter &reporter)
{
    *this = Settings();
    RegularFile file(path);
    const std::optional<QByteArray> bytes = file.IsOpen() ? file.ReadAll() : std::nullopt;
    if (!bytes) {
        reporter.ReportFileError(ErrorMessages::CantOpenSettings(czech));
        return false;
    }
    // Checked on the path once read: a file or link of another user's could
    // name any of this user's files as the verse file.
    const FileTrust::Problem problem = FileTrust::CheckPath(path);
    if (problem != FileTrust::Problem::None) {
        reporter.ReportFileError(ErrorMessages::CantTrustSettings(czech, problem == FileTrust::Problem::OtherOwner,
                                                                  FileTrust::OwnerName(path)));
        return false;
    }
    *this = Parse(*bytes);
    return true;
}

QString Settings::VerseFilePath() const
{
    return TextEncoding::Detect(m_strFile).Decode(m_strFile);
}
