#include "ui/about/CStaticLink.h"

#include "platform/AccessibleLink.h"
#include "platform/CDialog.h"
#include "platform/MessageBeep.h"
#include "platform/PictureColours.h"
#include "platform/UrlOpener.h"
#include "ui/about/LinkCursor.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

// The contrast a link keeps with its background, as text should.
constexpr double kReadable = 4.5;

// The style a control was given in its dialog's template (0 when not listed).
quint32 TemplateStyle(const CDialog &dialog, int id)
{
    for (const ControlTemplate &control : dialog.Template().controls) {
        if (control.id == id)
            return control.style;
    }
    return 0;
}

} // namespace

CStaticLink::CStaticLink(const QString &link, bool bDeleteOnDestroy)
    : m_link(link)
    , m_bDeleteOnDestroy(bDeleteOnDestroy)
{
    LinkCursor::Reload();
}

CStaticLink::~CStaticLink()
{
    Detach();
}

bool CStaticLink::SubclassDlgItem(int nID, CDialog *pParent, const std::optional<QString> &link)
{
    if (link)
        m_link = *link;
    if (!pParent)
        return false;
    auto *label = qobject_cast<QLabel *>(pParent->GetDlgItem(nID));
    return label && Attach(label, TemplateStyle(*pParent, nID));
}

bool CStaticLink::Attach(QLabel *label, quint32 style)
{
    if (!label)
        return false;
    Detach();
    m_label = label;
    m_style = style;
    label->installEventFilter(this);
    MarkAsLink(label);
    connect(label, &QObject::destroyed, this, &CStaticLink::PostNcDestroy);
    OnSetCursor();
    label->update();
    return true;
}

QLabel *CStaticLink::Label() const
{
    return m_label;
}

// Leaves the label as a plain one: no longer watched, no link cursor.
void CStaticLink::Detach()
{
    if (!m_label)
        return;
    m_label->removeEventFilter(this);
    disconnect(m_label, nullptr, this, nullptr);
    m_label->unsetCursor();
    m_label = nullptr;
}

void CStaticLink::PostNcDestroy()
{
    m_label = nullptr;
    if (m_bDeleteOnDestroy)
        delete this;
}

bool CStaticLink::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_label)
        return false;
    switch (event->type()) {
    case QEvent::Paint: OnCtlColor(); return false;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        OnLButtonDown();
        return true;
    case QEvent::Enter: OnSetCursor(); return false;
    default: return false;
    }
}

// Before each paint of a text label: its own underlined copy of the label's
// font (made once, at the first paint), the link colour, no background.
void CStaticLink::OnCtlColor()
{
    if (!DrawsAsLink(m_style))
        return;
    if (!m_font) {
        QFont underlined = m_label->font();
        underlined.setUnderline(true);
        m_font = underlined;
    }
    if (m_label->font() != *m_font)
        m_label->setFont(*m_font);
    m_label->setAutoFillBackground(false);
    ApplyColor();
}

// The link's colour, made lighter or darker just as far as the label's
// background needs for it to stay readable: a dark theme gets light links.
void CStaticLink::ApplyColor()
{
    QPalette palette = m_label->palette();
    const QRgb shown = WithContrast(m_color, palette.color(QPalette::Window).rgb(), kReadable);
    if (palette.color(QPalette::WindowText).rgb() == shown)
        return;
    palette.setColor(QPalette::WindowText, QColor::fromRgb(shown));
    m_label->setPalette(palette);
}

// Opens the link (fixing it from the label's text at the first click); a
// success turns the label red, a failure beeps, an empty text does nothing.
void CStaticLink::OnLButtonDown()
{
    if (m_link.isEmpty()) {
        m_link = ChooseLink(m_link, m_label->text());
        if (m_link.isEmpty())
            return;
    }
    const QPointer<CStaticLink> alive(this); // the desktop's handler may close the dialog
    const bool opened = ShellOpen(m_link);
    if (!alive)
        return;
    if (!opened) {
        MessageBeep(0);
        return;
    }
    m_color = ChooseColor(m_color, opened);
    if (m_label)
        m_label->update();
}

void CStaticLink::OnSetCursor()
{
    if (const std::optional<QCursor> cursor = LinkCursor::Current())
        m_label->setCursor(*cursor);
    else
        m_label->unsetCursor();
}
