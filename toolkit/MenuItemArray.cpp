#include "MenuItemArray.h"

#include "StyleMarques.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace quorvan::toolkit {

MenuItemArray::MenuItemArray(QMenu* menu, const QString& name, Handler handler)
    : QObject(menu)
    , menu_(menu)
    , group_(new QActionGroup(this))
    , handler_(std::move(handler)) {
    // Not exclusive: both type items carry a mark at design time, and only the handlers
    // decide which items are checked.
    setObjectName(name);
    group_->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    // A mark on the chosen item only.
    menu_->setStyle(styleMarques());
    connect(group_, &QActionGroup::triggered, this, &MenuItemArray::onTriggered);
}

void MenuItemArray::addItem(std::int16_t index, const QString& caption, bool checked) {
    auto* action = new QAction(caption, group_);
    action->setCheckable(true);
    action->setChecked(checked);
    action->setData(index);
    action->setObjectName(QStringLiteral("%1_%2").arg(objectName()).arg(index));
    menu_->addAction(action);
    items_[index] = action;
}

void MenuItemArray::setChecked(std::int16_t index, bool checked) {
    items_.at(index)->setChecked(checked);
}

bool MenuItemArray::isChecked(std::int16_t index) const {
    return items_.at(index)->isChecked();
}

QAction* MenuItemArray::action(std::int16_t index) const {
    return items_.at(index);
}

void MenuItemArray::onTriggered(QAction* action) {
    // Qt has already toggled the item's mark; put it back so the handler starts from the
    // marks the program set.
    action->setChecked(!action->isChecked());
    handler_(static_cast<std::int16_t>(action->data().toInt()));
}

} // namespace quorvan::toolkit
