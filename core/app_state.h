#pragma once

// Run-wide flags of the application shell that other subsystems consult.
namespace qel {

// Set when a command-line switch asks for one function without the launcher;
// a database whose file does not exist yet is then neither announced nor created.
bool BatchMode();
void SetBatchMode(bool on);

// Set once the launcher exists: the letters then ask for the contractor every time.
bool PickContractorEveryTime();
void SetPickContractorEveryTime(bool on);

}  // namespace qel
