#include "platform/AccessibleLink.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>

namespace {

const char *const kLinkProperty = "accessibleLink";

class AccessibleLink : public QAccessibleWidget
{
public:
    explicit AccessibleLink(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::Link)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const auto *label = qobject_cast<const QLabel *>(widget());
        if ((t == QAccessible::Name && widget()->accessibleName().isEmpty()) || t == QAccessible::Value)
            return label ? label->text() : QString();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString &actionName) override
    {
        if (actionName != pressAction()) {
            QAccessibleWidget::doAction(actionName);
            return;
        }
        const QPointF centre = QRectF(widget()->rect()).center();
        QMouseEvent press(QEvent::MouseButtonPress, centre, widget()->mapToGlobal(centre), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, centre, widget()->mapToGlobal(centre), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget(), &press);
        if (widget())
            QApplication::sendEvent(widget(), &release);
    }
};

QAccessibleInterface *LinkFactory(const QString &, QObject *object)
{
    if (object && object->isWidgetType() && object->property(kLinkProperty).toBool())
        return new AccessibleLink(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

void MarkAsLink(QWidget *widget)
{
    static const bool installed = [] {
        QAccessible::installFactory(LinkFactory);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(kLinkProperty, true);
    // A reader may already hold the widget's plain interface: drop it, so
    // the next query makes the link one.
    if (QAccessibleInterface *cached = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
}
