// Status every AutoLISP implementation returns; the call wrapper maps it to
// the AutoLISP return code and a command-line message.
#pragma once

enum LispStatus : int {
    kLispOk = 0,
    kLispTooFewArgs = 1,
    kLispWrongType = 2,
    kLispBadData = 3,
    kLispReported = 4, // failed, message already printed
};

// An AutoLISP implementation: reads its own arguments, sets its result,
// returns a status.
using LispImplementation = LispStatus (*)();
