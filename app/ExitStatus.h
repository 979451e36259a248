// The exit statuses of the program and of dpmtool, one sense each.
#pragma once

enum EExitStatus {
    kExitOk = 0,
    kExitUsage = 1,      // dpmtool: a wrong command line
    kExitNotStarted = 1, // the program: no settings file, or the file named could not be opened
    kExitRefused = 2,    // input refused by the rules
    kExitFile = 3,       // a file could not be read or written
    kExitLinkFailed = 4, // the link to the radio failed
    kExitDeclined = 5,   // the radio's type differs and the write was not confirmed
    kExitDifferent = 6,  // the radio and the file, or the two files, differ
    kExitStopped = 128,  // + the number of the stop signal that ended a transfer
};
