// The 16 channels in the CSV layout that amateur radio programming tools commonly
// exchange: Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
// DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment.
#pragma once

#include "radio/DromelPgmDoc.h"

#include <string>
#include <vector>

// One row per channel that is not empty, in channel order, with the header line first.
// Frequencies in MHz with six decimals; Duplex "", "+", "-", "split" (Offset is then the
// transmit frequency) or "off" (no transmit frequency); Mode FM (wide) or NFM (narrow);
// Skip "S" for a channel outside the scan list. The two yes/no options of columns 6 and 8
// travel in Comment as "opt6=yes opt8=no".
std::string ExportChannelsCsv(const CDromelPgmDoc& doc);

struct CsvImport {
    bool isChannelCsv = false; // false: nothing was changed (whyNot says why)
    std::string whyNot;
    int used = 0;                     // rows written into the document
    std::vector<std::string> skipped; // "line N: reason" for every row that could not be used
    // "line N: chL.rx: 999.000000 is above the model's band, stored as 480.00000" for every
    // value of a used row that was clamped or replaced
    std::vector<std::string> notices;
};

// Writes each usable row into its channel (Location 1..16) through the channel grid's
// rules, so limits clamp and rasters round, and names each value they changed. Channels
// without a row keep what they hold.
CsvImport ImportChannelsCsv(CDromelPgmDoc& doc, const std::string& text);
