#pragma once

class QString;

// What the modify window asks of the view it was opened from when it closes: to show the band
// table the QSO is on now.
class ReturnView
{
public:
    virtual ~ReturnView() = default;
    // bandSuffix is the QSO's band suffix; with an empty log it names no band, and the view
    // shows the confirmed DOKs instead.
    virtual void showModifiedBand(const QString &bandSuffix) = 0;
};
