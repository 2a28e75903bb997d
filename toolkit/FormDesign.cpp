#include "FormDesign.h"

#include "Controls.h"
#include "PictureBox.h"
#include "Twips.h"
#include "Utf8.h"

#include <QScreen>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace quorvan::toolkit {

namespace {

QWidget* createControl(ControlKind kind, QWidget* parent, const QString& text) {
    switch (kind) {
    case ControlKind::Label:
        return new Label(text, parent);
    case ControlKind::TextBox: {
        auto* box = new TextBox(parent);
        box->setText(text);
        return box;
    }
    case ControlKind::CommandButton: {
        auto* button = new CommandButton(parent);
        button->setText(text);
        return button;
    }
    case ControlKind::PictureBox:
        return new PictureBox(parent);
    }
    return nullptr;
}

} // namespace

QRect clientGeometry(const FormDesign& design, double dotsPerInch) {
    return twipsToPixels(design.clientLeft, design.clientTop, design.clientWidth,
                         design.clientHeight, dotsPerInch);
}

void buildControls(QWidget* client, std::span<const ControlDesign> controls, double dotsPerInch) {
    std::vector<std::pair<int, QWidget*>> focusable;
    for (const ControlDesign& design : controls) {
        QWidget* control = createControl(design.kind, client, fromUtf8(design.text));
        control->setObjectName(fromUtf8(design.name));
        const QRect geometry =
            twipsToPixels(design.left, design.top, design.width, design.height, dotsPerInch);
        if (auto* label = qobject_cast<Label*>(control)) {
            label->setDesignGeometry(geometry);
        } else {
            control->setGeometry(geometry);
        }
        if (control->focusPolicy() != Qt::NoFocus) {
            focusable.emplace_back(design.tabIndex, control);
        }
    }
    std::sort(focusable.begin(), focusable.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusable.size(); ++i) {
        QWidget::setTabOrder(focusable[i - 1].second, focusable[i].second);
    }
}

double logicalDpi(const QWidget* widget) {
    const QScreen* screen = widget->screen();
    return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

} // namespace quorvan::toolkit
