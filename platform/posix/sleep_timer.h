// The emulated timer behind Sleep on a terminal.
//
// The program sleeps only to wait for keys: it sleeps 1 ms, looks at the input
// queue, and sleeps again. Taken literally, that is a thousand wake-ups a
// second while a question waits for an answer, which is nearly all of a run.
// So a sleep here is defined as:
//   - over at once when a key is already typed as it begins: the look that
//     follows takes it, so a paste is taken as fast as its keys are decoded
//     instead of one key per timer tick (8,000 characters took 9 s);
//   - otherwise never shorter than asked (a pause before the first look at the
//     keyboard, as a test driver makes, holds even when keys come meanwhile);
//   - once its time is up, it ends as soon as the input queue holds a record,
//     and with an empty queue it goes on waiting for one, however long that takes.
// The program cannot tell the difference: every sleep is followed by a look at
// the queue, and an empty look leads only to the next sleep. What changes is
// the cost: the process blocks in select until a byte arrives (0 wake-ups), and a
// typed key is taken the moment it arrives. Keys typed during a sleep are read
// and decoded as they come, into the queue where the next look finds them; a
// lone ESC still becomes the Escape key once its timeout has passed, because the
// sleep wakes for that deadline. A resize or a continue after a stop is drawn
// during the sleep without ending it.
#pragma once

#include <chrono>

// How long a sleep that began with no key typed may block before it looks at the
// terminal again.
//   elapsed          - time since the sleep began
//   askedMs          - the length the program asked for
//   queueHoldsRecord - the input queue is not empty
//   keyDecidesInMs   - when typed bytes waiting for the escape timeout will form
//                      a key, or -1 when none are waiting
// Gives 0 when the sleep is over, -1 to block until input arrives, otherwise
// milliseconds. After 0.3 ms of a 1 ms sleep it gives 1: the time left is
// rounded up, so the sleep never ends early and never waits with a zero timeout.
int SleepWaitMs(std::chrono::steady_clock::duration elapsed, int askedMs, bool queueHoldsRecord,
                int keyDecidesInMs);
