#pragma once

namespace quorvan::toolkit {

// The printer object of one print job.
class Printer {
public:
    virtual ~Printer() = default;
};

} // namespace quorvan::toolkit
