#pragma once

#include <QImage>

#include <vector>

namespace quorvan::toolkit {

// An ordered list of pictures addressed by number, from 1.
class ImageList {
public:
    void add(QImage picture) { pictures_.push_back(std::move(picture)); }
    [[nodiscard]] int count() const { return static_cast<int>(pictures_.size()); }

    // The picture with number 1..count().
    [[nodiscard]] const QImage& picture(int number) const { return pictures_.at(number - 1); }

private:
    std::vector<QImage> pictures_;
};

} // namespace quorvan::toolkit
