#include "StyleMarques.h"

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

StyleMarques* styleMarques() {
    static StyleMarques* style = [] {
        auto* s = new StyleMarques;
        s->setParent(qApp);
        return s;
    }();
    return style;
}

} // namespace quorvan::toolkit
