#pragma once

#include "ui/about/LinkChoice.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class CDialog;
class QLabel;

// Turns a text label of a dialog into a hyperlink: underlined, blue until its
// link has been opened and red afterwards, the link cursor over its whole
// rectangle, and a left click that opens the link through the desktop.
//
// The object watches the label's events rather than being the label, so it
// can be a plain member of its dialog: Qt never deletes it. A label made on
// the heap with bDeleteOnDestroy deletes itself once its label is gone.
class CStaticLink : public QObject
{
    Q_OBJECT

public:
    static constexpr QRgb g_colorUnvisited = kLinkColorUnvisited;
    static constexpr QRgb g_colorVisited = kLinkColorVisited;

    // An empty link means: take the label's text at the first click.
    explicit CStaticLink(const QString &link = QString(), bool bDeleteOnDestroy = false);
    ~CStaticLink() override;

    // Attaches to the label with this id in pParent. A link given here
    // replaces the current one (an empty one empties it). False when the
    // dialog has no such label.
    bool SubclassDlgItem(int nID, CDialog *pParent, const std::optional<QString> &link = std::nullopt);
    // Attaches to a label whose template style is given. False for no label.
    bool Attach(QLabel *label, quint32 style);

    QLabel *Label() const;
    const QString &Link() const { return m_link; }
    QRgb Color() const { return m_color; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Runs once the label is gone: deletes this object when it was made so.
    virtual void PostNcDestroy();

private:
    void OnCtlColor();
    void OnLButtonDown();
    void OnSetCursor();
    void ApplyColor();
    void Detach();

    QString m_link;
    QRgb m_color = g_colorUnvisited;
    std::optional<QFont> m_font;
    bool m_bDeleteOnDestroy;
    QPointer<QLabel> m_label;
    quint32 m_style = 0;
};
