// The settings reader on any bytes: every value it keeps is a default or
// the tail of one of the input's lines, and every size reads as a number.
#include "data/LeadingInt.h"
#include "data/Settings.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const Settings settings = Settings::Parse(bytes);
    const Settings defaults;
    for (const QByteArray *value :
         {&settings.m_strFile, &settings.m_strFont1, &settings.m_strFace1, &settings.m_strSize1, &settings.m_strFont2,
          &settings.m_strFace2, &settings.m_strSize2}) {
        if (value->size() > bytes.size() && value->size() > 16)
            std::abort();
    }
    ParseLeadingInt(settings.m_strSize1);
    ParseLeadingInt(settings.m_strSize2);
    ParseLeadingInt(bytes);
    settings.VerseFilePath();
    return 0;
}
