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
// Only channels first..last go out when given.
std::string ExportChannelsCsv(const CDromelPgmDoc& doc, int first = 1, int last = kChannelCount);

// A channel as one CSV row gives it, in the texts the grid's cells take.
struct SCsvChannel {
    int line = 0; // where the row starts in the text
    int location = 0;
    std::string rx;
    std::string tx; // empty: no transmit frequency
    std::string rxTone;
    std::string txTone;
    bool scan = true;
    bool narrow = false;
    int opt6 = -1; // -1: not given
    int opt8 = -1;
};

// The rows of a channel CSV text, each read or refused. Nothing of the document is touched.
struct SCsvChannels {
    bool isChannelCsv = false; // false: no row was read (whyNot says why)
    std::string whyNot;
    std::vector<SCsvChannel> rows;    // the usable rows in text order
    std::vector<std::string> skipped; // "line N: reason" for every row that cannot be used
    // The Location of channel 1: 1, or 0 for a text whose channels are numbered from 0 (its
    // smallest Location is 0 and none is above 15; the whole text, never a single row). The
    // rows' locations are channel numbers 1..16 either way.
    int firstLocation = 1;
};
SCsvChannels ReadChannelsCsv(const std::string& text);

// Writes a read row into channel n (1..16) through the channel grid's rules; every value they
// changed is named in notices, after prefix.
void WriteCsvChannel(CDromelPgmDoc& doc, int n, const SCsvChannel& row, const std::string& prefix,
                     std::vector<std::string>& notices);

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
