#include "ui/about/LinkCursor.h"

#include "platform/Resources.h"

void LinkCursor::Reload()
{
    s_link = s_resourceLoader();
}

std::optional<QCursor> LinkCursor::Current()
{
    if (s_link)
        return s_link;
    if (!s_fallbackTried) {
        s_fallbackTried = true;
        s_fallback = s_fallbackLoader();
    }
    return s_fallback;
}

void LinkCursor::SetResourceLoader(Loader loader)
{
    s_resourceLoader = loader ? std::move(loader) : Loader(&LinkCursor::LoadProgramCursor);
}

void LinkCursor::SetFallbackLoader(Loader loader)
{
    s_fallbackLoader = loader ? std::move(loader) : Loader(&LinkCursor::LoadDesktopHand);
}

std::optional<QCursor> LinkCursor::LoadProgramCursor()
{
    return LoadCursorResource(QStringLiteral("IDC_LINK_CURSOR"));
}

std::optional<QCursor> LinkCursor::LoadDesktopHand()
{
    return QCursor(Qt::PointingHandCursor);
}
