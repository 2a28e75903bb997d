#pragma once

#include <memory>

namespace quorvan::toolkit {

class Printer;

// Access to the system's default printer. Windows receive one, so tests can swap in a
// recording implementation and never need a real printer.
class Printing {
public:
    virtual ~Printing() = default;

    // The printer object for one new job on the default printer; nullptr when no printer is
    // available.
    [[nodiscard]] virtual std::unique_ptr<Printer> defaultPrinter() = 0;
};

} // namespace quorvan::toolkit
