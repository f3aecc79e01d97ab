#pragma once

#include <cstddef>
#include <optional>
#include <vector>

// Peak working sets in bytes; nothing where the system does not tell.
struct PeakWorkingSets {
    // The gate's, read while it shows the dialog for the updater's verdict 1103: by then it has asked the
    // check library, started the updater and taken its verdict; only the main program's start is left.
    std::optional<std::size_t> Gate;
    // For scale: the simulated main program, once it shows its one plain window.
    std::optional<std::size_t> PlainWindow;
};
PeakWorkingSets MeasurePeakWorkingSets();

// The times, in milliseconds, of `showings` showings of the message dialog in this process, from the call
// to its return, each closed by a WM_CLOSE posted as soon as the dialog is shown and drawn. One untimed
// showing goes first.
std::vector<double> DialogTimes(int showings);
