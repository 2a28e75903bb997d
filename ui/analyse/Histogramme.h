#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <span>
#include <vector>

namespace quorvan {

// How many trials land in each of equal slices of their range, drawn as bars under a title,
// the range's ends written below. Nothing but the title without values.
class Histogramme final : public QWidget {
    Q_OBJECT

public:
    using Ecriture = std::function<QString(double)>;

    explicit Histogramme(const QString& titre, QWidget* parent = nullptr);

    // `valeurs` in rising order, written by `ecrire` under the bars.
    void montrer(std::span<const double> valeurs, Ecriture ecrire);
    void effacer();

    // The count of each slice, lowest first; all of them add up to the values shown.
    [[nodiscard]] const std::vector<std::size_t>& effectifs() const { return effectifs_; }

    void paint(QPainter& peintre, const QRect& zone) const;
    [[nodiscard]] QSize sizeHint() const override { return {260, 130}; }
    [[nodiscard]] QSize minimumSizeHint() const override { return {140, 90}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString titre_;
    std::vector<std::size_t> effectifs_;
    QString bas_;
    QString haut_;
};

} // namespace quorvan
