#include "ui/editor/EditorTexts.h"

#include "res/Resource.h"

namespace {

struct ToolTip
{
    int id;
    const char16_t *english;
    const char16_t *czech;
};

constexpr ToolTip kToolTips[] = {
    {IDC_FIRST, u"First", u"První"},
    {IDC_PREV, u"Previous", u"Předchozí"},
    {IDC_NEXT, u"Next", u"Další"},
    {IDC_LAST, u"Last", u"Poslední"},
    {IDC_NEW, u"Add empty verse", u"Vložit prázdný verš"},
    {IDC_DELETE, u"Delete verse", u"Vymazat verš"},
};

} // namespace

QString ToolTipText(int id, bool czech)
{
    for (const ToolTip &tip : kToolTips) {
        if (tip.id == id)
            return QString::fromUtf16(czech ? tip.czech : tip.english);
    }
    return {};
}

QString DeleteQuestion(bool czech)
{
    return czech ? QStringLiteral("Skutečně vymazat tento verš?")
                 : QStringLiteral("Do you really want to delete the verse?");
}

QString CounterText(int current, int count)
{
    return QStringLiteral("%1/%2").arg(current + 1).arg(count);
}

QString CounterSpoken(int current, int count, bool czech)
{
    return (czech ? QStringLiteral("Verš %1 z %2") : QStringLiteral("Verse %1 of %2")).arg(current + 1).arg(count);
}
