#pragma once
// Two programs saving purchases at once on one SQLite file, through the purchase entry form's save.

// The flag that makes the benchmark program one of the saving programs:
// tavrel_bench --save-purchases <database file> <count> <tag>
inline constexpr const char *savePurchasesFlag = "--save-purchases";

// The saving program: creates its own application and forms, saves <count> purchases and prints
// "saved <n> refused <m>". Returns the process's exit code.
int runSavePurchases(int argc, char *argv[]);

// Prints the figures: one program saving N purchases against two saving N each at the same time on one file,
// with the duplicate secretariat numbers, lost rows and rows without their audit row of the two.
void runConcurrentSavesBench();
