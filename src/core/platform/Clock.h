#pragma once
// Today's date and the time, as day numbers (day 0 is 30 December 1899; the fraction is the time).

namespace qz {

class Clock {
public:
    virtual ~Clock() = default;
    virtual double Now() const = 0;
    double Today() const;
};

// The local time of this machine.
class SystemClock : public Clock {
public:
    double Now() const override;
};

// A clock that stands still, for tests.
class FixedClock : public Clock {
public:
    explicit FixedClock(double now) : Moment(now) {}
    double Now() const override { return Moment; }
    void Set(double now) { Moment = now; }

private:
    double Moment;
};

} // namespace qz
