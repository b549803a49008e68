#pragma once

// What the award window asks of the window it was opened from while it prints: that window
// stops its clock and counts itself busy printing, and takes both back afterwards.
class PrintingPause
{
public:
    virtual ~PrintingPause() = default;
    virtual void beginPrinting() = 0;
    virtual void endPrinting() = 0;
};
