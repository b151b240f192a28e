#pragma once

#include <cstdint>

namespace mereth {

// The time columns of the Monday - Friday page without its windows: four up-downs in
// half hours that set the ends of periods 1 to 4, and the from and to texts of the five
// rows. The page mirrors this model into its controls.
class CWeekdayPeriods {
public:
    static constexpr int ROW_COUNT = 5;
    static constexpr int UPDOWN_COUNT = 4;
    static constexpr int HALF_HOURS_PER_DAY = 48;
    static constexpr int MINUTES_PER_HALF_HOUR = 30;
    // Bit r - 1 stands for row r.
    static constexpr unsigned ALL_ROWS = (1u << ROW_COUNT) - 1;

    // "%.2d:%.2d" of the hours and minutes of h half hours: 0 is 00:00, 17 is 08:30,
    // 48 is 24:00. Outside 0..48, the nearest of the two.
    static const char* HalfHourText(int h);

    // Starts every row over from ends 1 to 4 in minutes. Ends that are not multiples of
    // 30 drop their remainder; ends out of order or out of the day are clamped so that
    // they never decrease and stay within 00:00..24:00.
    void Load(const std::int32_t (&ends)[UPDOWN_COUNT]);

    // Up-down n (1..4) now stands at newPosition, clamped into its range: its row's
    // to-field shows it and later ends are pushed along as far as it passes them.
    // Returns the rows whose texts, up-down or enabling changed (0: nothing to do).
    unsigned OnUpDownChanged(int n, int newPosition);

    // Up-down n (1..4). A notification at the position already held (the end of a
    // scroll after its step) can be told apart by Position and ignored.
    int Position(int n) const { return m_position[n - 1]; }
    int RangeLow(int n) const { return m_low[n - 1]; }
    static constexpr int RangeHigh(int) { return HALF_HOURS_PER_DAY; }

    // Row 1 always; row n when period n - 1 ends before 24:00. A row's up-down, if it
    // has one, goes with it.
    bool RowEnabled(int row) const;
    const char* FromText(int row) const { return HalfHourText(m_from[row - 1]); }
    const char* ToText(int row) const { return HalfHourText(m_to[row - 1]); }

    // Ends 1 to 4 in minutes, as the up-downs stand.
    void Ends(std::int32_t (&ends)[UPDOWN_COUNT]) const;

private:
    struct Row {
        int from;
        int to;
        int low;
        int position;
        bool enabled;
        bool operator==(const Row&) const = default;
    };
    Row RowState(int row) const;
    void Propagate(int n);

    int m_low[UPDOWN_COUNT] = {0, 48, 48, 48};
    int m_position[UPDOWN_COUNT] = {48, 48, 48, 48};
    // Half hours shown in each row's from- and to-field.
    int m_from[ROW_COUNT] = {0, 48, 48, 48, 48};
    int m_to[ROW_COUNT] = {48, 48, 48, 48, 48};
};

} // namespace mereth
