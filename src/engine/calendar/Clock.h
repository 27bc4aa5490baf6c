// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace mitoran {

// A local calendar date and wall-clock time, as the user's desk clock shows it.
struct LocalDateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const LocalDateTime&) const = default;
};

// Today and now. The engine never reads the system clock itself, so tests and the command line can fix it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime Now() const = 0;
};

class SystemClock final : public Clock {
public:
    LocalDateTime Now() const override;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(LocalDateTime now) : m_now(now) {}
    LocalDateTime Now() const override { return m_now; }
    void Set(LocalDateTime now) { m_now = now; }

private:
    LocalDateTime m_now;
};

} // namespace mitoran
