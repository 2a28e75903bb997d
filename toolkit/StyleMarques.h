#pragma once

#include <QProxyStyle>

namespace quorvan::toolkit {

// For menus whose items carry a mark only when chosen: an item that is not chosen shows no
// empty box or circle, as many styles draw, while screen readers still learn from its action
// that it can be checked and is not. As the application's style, it also keeps a menu bar from
// reading its overflow button's picture before the button shows.
class StyleMarques final : public QProxyStyle {
    Q_OBJECT

public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override;
};

// The one instance every menu shares, owned by the application.
[[nodiscard]] StyleMarques* styleMarques();

} // namespace quorvan::toolkit
