#include "AlertPanel.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

QAccessibleInterface *AlertInterface(const QString &className, QObject *object) {
    if (className != QLatin1String("TAlertPanel") || !object->isWidgetType())
        return nullptr;
    // The accessibility cache owns the interface.
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::AlertMessage);
}

} // namespace

TAlertPanel::TAlertPanel(QWidget *parent) : QFrame(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(AlertInterface);
        return true;
    }();
    (void)installed;
}

void TAlertPanel::showEvent(QShowEvent *event) {
    QFrame::showEvent(event);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}
