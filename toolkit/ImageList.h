#pragma once

#include <QImage>

#include <functional>
#include <optional>
#include <vector>

namespace quorvan::toolkit {

// An ordered list of pictures addressed by number, from 1. A picture may be given drawn, or
// as the routine that draws it: it is then drawn the first time it is asked for, so that
// start-up neither waits for nor holds pictures nobody has looked at yet.
class ImageList {
public:
    using Drawing = std::function<QImage()>;

    void add(QImage picture) { entries_.push_back({std::move(picture), {}}); }
    void add(Drawing drawing) { entries_.push_back({std::nullopt, std::move(drawing)}); }

    [[nodiscard]] int count() const { return static_cast<int>(entries_.size()); }

    // The picture with number 1..count().
    [[nodiscard]] const QImage& picture(int number) const {
        const Entry& entry = entries_.at(static_cast<std::size_t>(number - 1));
        if (!entry.picture) {
            entry.picture = entry.drawing();
        }
        return *entry.picture;
    }

private:
    struct Entry {
        mutable std::optional<QImage> picture;
        Drawing drawing;
    };
    std::vector<Entry> entries_;
};

} // namespace quorvan::toolkit
