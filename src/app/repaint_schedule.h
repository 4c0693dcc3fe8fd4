#pragma once
// When the repaint timer fires next: just after the next whole second of the
// system clock, so that the shown time turns over with it wherever in a
// second the window was created, and after the system time is changed.
namespace quorvenda {

// Added after the whole second, so that a timer that fires a little early
// (the system's timer tick, a slewed clock) still reads the new second.
inline constexpr int repaintMarginMs = 5;
inline constexpr int millisecondsPerSecond = 1000;

// The delay until just after the next whole second, from the milliseconds
// the clock reads within its current second. Always between the margin and
// a second plus the margin: a reading outside 0 to 999 neither bursts nor
// stalls the clock.
int msUntilNextRepaint(int msWithinSecond);

}  // namespace quorvenda
