#pragma once

namespace carnelis {

// Told how far a printing run has gone; answers false once the user wants it stopped.
class ReportProgress {
public:
    virtual ~ReportProgress() = default;
    virtual void begin(int total) = 0;
    virtual bool advance(int printed) = 0;
    virtual void end() = 0;
};

} // namespace carnelis
