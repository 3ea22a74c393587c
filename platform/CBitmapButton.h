#pragma once

#include <QAbstractButton>
#include <QPixmap>

class CDialog;
class QPainter;

// A push button drawn entirely by its pictures: the up image normally, the
// down image while pressed (the up image again when there is none). Its text
// is kept but never painted; the images come from the bitmap resources.
class CBitmapButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit CBitmapButton(QWidget *parent = nullptr);

    // Loads the named bitmaps; true when the up image was found.
    bool LoadBitmaps(const QString &up, const QString &down = {});
    // Uses images given directly instead of resources.
    void SetBitmaps(const QPixmap &up, const QPixmap &down = {});
    // For the dialog's button with this id, which must be this button: loads
    // the images named by its caption + "U" and + "D" and sizes it to them.
    bool AutoLoad(int id, CDialog *parent);
    // Resizes the button to its up image (nothing without one).
    void SizeToContent();

    const QPixmap &UpBitmap() const { return m_up; }
    const QPixmap &DownBitmap() const { return m_down; }
    // The image the button paints in its present state.
    const QPixmap &CurrentBitmap() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void PaintFocusRect(QPainter &painter);

    QPixmap m_up;
    QPixmap m_down;
};
