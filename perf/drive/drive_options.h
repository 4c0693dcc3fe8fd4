#pragma once
// Command line of the drive programs, which open the same window as the
// program they stand for and then, instead of waiting for the timer, force
// its repaints as fast as they go:
//   (nothing)              run like the program itself, until closed
//   --first-paint          print when the first paint was done, then exit
//   --paints N             time N forced repaints of the paint handler
//   --soak N               N forced repaints; GDI objects and memory before
//                          and after must not grow (exit code 1 if they do)
//   --warmup N             forced repaints before anything is measured
//                          (default 200)
//   --repaint forced|tick|whole
//                          what one repaint is (default forced): the whole
//                          window invalidated and painted at once, its paint
//                          handler timed; or, for the clock only, one tick
//                          of its repaint timer on a clock one second on
//                          (the changed areas drawn and invalidated, then
//                          the paint they cause), or such a tick with the
//                          picture forgotten first (all of it drawn), the
//                          tick and its paint timed together
// --paints and --soak may be combined; the timing runs first.
#include <optional>
#include <string>
#include <vector>

namespace quorvenda::drive {

enum class RepaintKind { forced, tick, whole };

struct DriveOptions {
    bool measure = false;  // false: behave like the program itself
    long paints = 0;
    long soakRepaints = 0;
    long warmupRepaints = 200;
    RepaintKind repaint = RepaintKind::forced;
};

// Nothing, with `error` set, for an unknown option, an unknown repaint or a
// count that is not a whole number from 1 (0 for --warmup) to a billion.
std::optional<DriveOptions> parseDriveOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace quorvenda::drive
