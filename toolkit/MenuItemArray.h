#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>

class QAction;
class QActionGroup;
class QMenu;

namespace quorvan::toolkit {

// A group of like menu items with one handler that receives the chosen item's index. The
// handler owns the check marks: choosing an item changes none of them by itself, so a read
// returns what the program last set (or the design-time mark).
class MenuItemArray final : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(std::int16_t index)>;

    // `name` names the items for tests and accessibility: "<name>_<index>".
    MenuItemArray(QMenu* menu, const QString& name, Handler handler);

    // Appends an item with its caption ("&" marks the access key) and design-time mark.
    void addItem(std::int16_t index, const QString& caption, bool checked = false);

    void setChecked(std::int16_t index, bool checked);
    [[nodiscard]] bool isChecked(std::int16_t index) const;
    [[nodiscard]] QAction* action(std::int16_t index) const;

private:
    void onTriggered(QAction* action);

    QMenu* menu_;
    QActionGroup* group_;
    Handler handler_;
    std::map<std::int16_t, QAction*> items_;
};

} // namespace quorvan::toolkit
