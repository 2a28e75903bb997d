#pragma once

#include <thread>

namespace quorvan::toolkit {

// Reads the system's font configuration on another thread, from before the application object
// exists: on Linux that reading is a quarter of the time to the first window, and Qt spends the
// same time connecting to the display on this thread; the first label then finds it ready.
// Where Qt does not use fontconfig, does nothing. Joined when it goes out of scope.
class FontConfigAhead {
public:
    FontConfigAhead();

private:
    std::jthread lecture_;
};

} // namespace quorvan::toolkit
