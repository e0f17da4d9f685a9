// Whether the career's flows autosave the bowler now.
#pragma once

// Only a bowler that has a save slot, and only when the player wants autosaves:
// the scratch bowler is never written.
bool CareerAutosaveWanted();
// The career bowler sits in one of the save slots.
bool CareerInSaveSlot();
