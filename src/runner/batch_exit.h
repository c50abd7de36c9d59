#pragma once

// What a batch start tells the program or script that started it, as the process's exit
// status. The README's table lists them; the numbers never change once published.
enum class BatchExit : int {
    AllScored = 0,        // every run scored, none flagged (also /BATCH /OPEN)
    NotAllScored = 1,     // the pass ran; at least one run has no score or a flag
    Refused = 2,          // a check refused the pass before any game started
    FilesNotBack = 3,     // the user's game settings files could not be put back
    InternalError = 4,    // anything else that stopped the pass
    ResultsNotSaved = 5,  // the pass ran, but its report or data files could not be written
};
