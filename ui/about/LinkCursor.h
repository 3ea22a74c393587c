#pragma once

#include <QCursor>

#include <functional>
#include <optional>

// The one pointing-hand cursor that every hyperlink label shows. The
// program's own cursor (IDC_LINK_CURSOR) is loaded again at each label's
// construction. Where it is missing, the desktop's pointing hand stands in;
// that fallback is tried at most once per process, and what it gave is kept.
class LinkCursor
{
public:
    using Loader = std::function<std::optional<QCursor>()>;

    // Replaces the shared cursor with a freshly loaded program cursor
    // (nothing when the image is missing).
    static void Reload();

    // The cursor a label shows: the program's, else the fallback (tried on
    // the first call that needs it); empty when neither exists.
    static std::optional<QCursor> Current();

    static bool FallbackTried() { return s_fallbackTried; }

    // Where the two cursors come from; tests put their own loaders here.
    // An empty loader restores the default one.
    static void SetResourceLoader(Loader loader);
    static void SetFallbackLoader(Loader loader);

private:
    static std::optional<QCursor> LoadProgramCursor();
    static std::optional<QCursor> LoadDesktopHand();

    static inline std::optional<QCursor> s_link;
    static inline std::optional<QCursor> s_fallback;
    static inline bool s_fallbackTried = false;
    static inline Loader s_resourceLoader = &LinkCursor::LoadProgramCursor;
    static inline Loader s_fallbackLoader = &LinkCursor::LoadDesktopHand;
};
