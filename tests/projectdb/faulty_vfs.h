// A test SQLite file system that fails the Nth read, write, sync or lock
// (counted from when it is armed), so tests can check that every failure
// point along an operation ends with a message and a whole database.
#pragma once

enum class FaultKind { Read, Write, Sync, Lock };

// Registers the file system as SQLite's default (once per process).
void installFaultyVfs();
// Starts counting operations again; the nth of kind fails (n >= 1), or none
// when n is 0.
void armFault(FaultKind kind, int n);
void disarmFaults();
// Operations of kind since the last armFault/disarmFaults.
int faultCount(FaultKind kind);
// Whether the armed failure has happened.
bool faultFired();
const char* faultKindName(FaultKind kind);
