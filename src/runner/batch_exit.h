#pragma once

// What a batch start tells the program or script that started it, as the process's exit
// status. The README's table lists them; the numbers never change once published.
enum class BatchExit : int {
    AllScored = 0,        // every run scored, none flagged (also /BATCH /OPEN)
    NotAllScored = 1,     // the pass ran; at least one run has no score
    Refused = 2,          // a check refused the pass before any game started
    FilesNotBack = 3,     // the user's game settings files could not be put back
    InternalError = 4,    // anything else that stopped the pass
    ResultsNotSaved = 5,  // the pass ran, but its report or data files could not be written
    // Every run scored, but a check flagged one: a warning a job may choose to fail on, kept
    // apart from a missing score (a failure) because busy machines raise flags every night.
    ScoredWithFindings = 6,
};
