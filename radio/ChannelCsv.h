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
    // The Location of channel 1: 1, or 0 for a file whose channels are numbered from 0.
    int firstLocation = 1;
};

// Writes each usable row into its channel (Location 1..16) through the channel grid's
// rules. A file is numbered from 0 (Location 0..15) when the smallest Location of its rows is 0
// and none is above 15: the whole file, never a single row. Then Location 0 is channel 1,
// and a row with Location 16 is refused as not a channel. The rules apply so limits clamp and
// rasters round, and names each value they changed. Channels without a row keep what they hold.
CsvImport ImportChannelsCsv(CDromelPgmDoc& doc, const std::string& text);
