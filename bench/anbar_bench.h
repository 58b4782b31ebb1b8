#pragma once
// The warehouse register on 100,000 movements: its search against a raw SQLite read, and one saved movement
// (checks, movement, stock, audit row) against the same statements through the sqlite3 C API.

// Prints the figures; needs the data module (forms::dm) and the scripted dialogs installed.
void runAnbarBench();
