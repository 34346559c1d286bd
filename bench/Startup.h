#pragma once

// The game's start-up as main() runs it, up to the first presented frame of the start screen,
// then the start of one music track. Prints the seconds from `launchNanos` (CLOCK_REALTIME
// when the caller launched this process; 0: from entering this function) and returns the
// process exit status.
int measureStartup(long long launchNanos);
