#include "StyleMarques.h"

#include "DeferredIcon.h"

#include <QApplication>
#include <QStyleOptionMenuItem>

namespace quorvan::toolkit {

void StyleMarques::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuItem && item != nullptr && !item->checked &&
        item->checkType != QStyleOptionMenuItem::NotCheckable) {
        QStyleOptionMenuItem sansMarque(*item);
        sansMarque.checkType = QStyleOptionMenuItem::NotCheckable;
        QProxyStyle::drawControl(element, &sansMarque, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QIcon StyleMarques::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    // A menu bar makes its overflow button with the window, which shows only when the menus do
    // not fit, and Qt reads the button's picture from file at once, opening every image format
    // plugin to do so.
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        return deferredIcon(
            [this, icon] { return QProxyStyle::standardIcon(icon, nullptr, nullptr); });
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

StyleMarques* styleMarques() {
    static StyleMarques* style = [] {
        auto* s = new StyleMarques;
        s->setParent(qApp);
        return s;
    }();
    return style;
}

} // namespace quorvan::toolkit
