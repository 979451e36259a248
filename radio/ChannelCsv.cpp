#include "radio/ChannelCsv.h"

#include "app/AsciiText.h"
#include "radio/ChannelRules.h"
#include "radio/CsvFormat.h"
#include "radio/ImageFields.h"
#include "radio/ValueCodecs.h"
#include "radio/ValueNotice.h"

#include <algorithm>
#include <cstdint>
#include <map>

namespace {

const char* const kHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                            "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,"
                            "Comment";

const char* const kRequiredColumns[] = {"Location",     "Frequency", "Duplex",    "Offset",
                                        "Tone",         "rToneFreq", "cToneFreq", "DtcsCode",
                                        "DtcsPolarity", "Mode",      "Skip"};

// 10 Hz units to MHz with six decimals.
std::string Mhz(std::int64_t value10Hz) {
    const std::string frac = std::to_string(value10Hz % 100000 * 10);
    return std::to_string(value10Hz / 100000) + "." + std::string(6 - frac.size(), '0') + frac;
}

// One side of a channel's tone: none, a CTCSS tone, or a DCS code with its polarity.
struct ToneSide {
    enum Kind { None, Ctcss, Dcs } kind = None;
    std::string ctcss;   // "88.5"
    std::string dcsCode; // "023"
    char polarity = 'N'; // 'N' normal, 'R' inverted
};

ToneSide ReadToneSide(const CDromelPgmDoc& doc, int n, bool rx) {
    ToneSide side;
    const EToneKind kind = doc.GetToneKind(n, rx);
    if (kind == EToneKind::kNone) {
        return side;
    }
    const std::string text = doc.GetToneText(n, rx);
    if (kind == EToneKind::kCtcss) {
        side.kind = ToneSide::Ctcss;
        side.ctcss = text;
    } else {
        side.kind = ToneSide::Dcs;
        side.dcsCode = text.substr(1, 3);
        side.polarity = text[4] == 'I' ? 'R' : 'N';
    }
    return side;
}

const char* CrossName(ToneSide::Kind kind) {
    return kind == ToneSide::Ctcss ? "Tone" : kind == ToneSide::Dcs ? "DTCS" : "";
}

struct ToneColumns {
    std::string tone, rTone = "88.5", cTone = "88.5", dtcs = "023", polarity = "NN", rxDtcs = "023",
                      cross = "Tone->Tone";
};

ToneColumns ExportTones(const ToneSide& tx, const ToneSide& rx) {
    ToneColumns c;
    c.polarity = std::string(1, tx.polarity) + rx.polarity;
    if (tx.kind == ToneSide::None && rx.kind == ToneSide::None) {
        return c;
    }
    if (tx.kind == ToneSide::Ctcss && rx.kind == ToneSide::None) {
        c.tone = "Tone";
        c.rTone = tx.ctcss;
        return c;
    }
    if (tx.kind == ToneSide::Ctcss && rx.kind == ToneSide::Ctcss && tx.ctcss == rx.ctcss) {
        c.tone = "TSQL";
        c.rTone = c.cTone = tx.ctcss;
        return c;
    }
    if (tx.kind == ToneSide::Dcs && rx.kind == ToneSide::Dcs && tx.dcsCode == rx.dcsCode) {
        c.tone = "DTCS";
        c.dtcs = c.rxDtcs = tx.dcsCode;
        return c;
    }
    c.tone = "Cross";
    c.cross = std::string(CrossName(tx.kind)) + "->" + CrossName(rx.kind);
    if (tx.kind == ToneSide::Ctcss) {
        c.rTone = tx.ctcss;
    } else if (tx.kind == ToneSide::Dcs) {
        c.dtcs = tx.dcsCode;
    }
    if (rx.kind == ToneSide::Ctcss) {
        c.cTone = rx.ctcss;
    } else if (rx.kind == ToneSide::Dcs) {
        c.rxDtcs = rx.dcsCode;
    }
    return c;
}

struct BadRow {
    std::string reason;
};

// MHz text ("146.520000") to whole hertz.
std::int64_t ParseMhz(const std::string& column, const std::string& raw) {
    const std::string text = Trim(raw);
    const std::size_t dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    const std::string frac = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    const auto digits = [](const std::string& s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (text.empty() || whole.size() > 6 || !digits(whole) || !digits(frac) ||
        (whole.empty() && frac.empty())) {
        throw BadRow{column + " \"" + raw + "\" is not a frequency in MHz"};
    }
    std::int64_t hz = whole.empty() ? 0 : std::stoll(whole) * 1000000;
    std::string micro = frac.substr(0, 6);
    micro.append(6 - micro.size(), '0');
    return hz + std::stoll(micro);
}

// Whole hertz as the frequency text the grid takes (MHz; the codec drops what is below
// 10 Hz).
std::string FreqText(std::int64_t hz) {
    const std::string frac = std::to_string(hz % 1000000);
    return std::to_string(hz / 1000000) + "." + std::string(6 - frac.size(), '0') + frac;
}

std::string CtcssText(const std::string& column, const std::string& raw) {
    const std::string text = Trim(raw);
    const std::size_t dot = text.find('.');
    const bool ok = !text.empty() && text[0] >= '0' && text[0] <= '9' && text.size() <= 8 &&
                    std::all_of(text.begin(), text.end(),
                                [](char c) { return (c >= '0' && c <= '9') || c == '.'; }) &&
                    (dot == std::string::npos || text.find('.', dot + 1) == std::string::npos);
    if (!ok) {
        throw BadRow{column + " \"" + raw + "\" is not a tone in Hz"};
    }
    return text;
}

std::string DcsText(const std::string& column, const std::string& raw, char polarity) {
    std::string code = Trim(raw);
    const bool ok =
        !code.empty() && code.size() <= 3 &&
        std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '7'; });
    if (!ok) {
        throw BadRow{column + " \"" + raw + "\" is not a DCS code"};
    }
    code.insert(0, 3 - code.size(), '0');
    return "D" + code + (polarity == 'R' ? "I" : "N");
}

class RowReader {
public:
    RowReader(const std::map<std::string, std::size_t>& columns, const CsvRow& row)
        : m_columns(columns), m_row(row) {}

    std::string Get(const std::string& name, const std::string& def = {}) const {
        const auto it = m_columns.find(name);
        if (it == m_columns.end()) {
            return def;
        }
        if (it->second >= m_row.fields.size()) {
            throw BadRow{"the row has " + std::to_string(m_row.fields.size()) +
                         " fields, too few for column " + name};
        }
        return m_row.fields[it->second];
    }

private:
    const std::map<std::string, std::size_t>& m_columns;
    const CsvRow& m_row;
};

void ReadTones(const RowReader& r, SCsvChannel& ch) {
    const std::string mode = Trim(r.Get("Tone"));
    // The polarity matters to DCS tones alone: a row without one may leave it empty.
    const auto polarity = [&r](std::size_t side) {
        const std::string text = Trim(r.Get("DtcsPolarity", "NN"));
        if (text.size() != 2 || (text[0] != 'N' && text[0] != 'R') ||
            (text[1] != 'N' && text[1] != 'R')) {
            throw BadRow{"DtcsPolarity \"" + text + "\" is not one of NN, NR, RN, RR"};
        }
        return text[side];
    };
    const std::string none;
    ch.rxTone = none;
    ch.txTone = none;
    if (mode.empty()) {
        return;
    }
    if (mode == "Tone") {
        ch.txTone = CtcssText("rToneFreq", r.Get("rToneFreq"));
    } else if (mode == "TSQL") {
        ch.txTone = ch.rxTone = CtcssText("cToneFreq", r.Get("cToneFreq"));
    } else if (mode == "DTCS") {
        ch.txTone = DcsText("DtcsCode", r.Get("DtcsCode"), polarity(0));
        ch.rxTone = DcsText("DtcsCode", r.Get("DtcsCode"), polarity(1));
    } else if (mode == "Cross") {
        const std::string cross = Trim(r.Get("CrossMode", "Tone->Tone"));
        const std::size_t arrow = cross.find("->");
        const std::string txKind = arrow == std::string::npos ? "?" : cross.substr(0, arrow);
        const std::string rxKind = arrow == std::string::npos ? "?" : cross.substr(arrow + 2);
        const auto known = [](const std::string& k) {
            return k.empty() || k == "Tone" || k == "DTCS";
        };
        if (!known(txKind) || !known(rxKind) || (txKind.empty() && rxKind.empty())) {
            throw BadRow{"CrossMode \"" + cross + "\" is not known"};
        }
        if (txKind == "Tone") {
            ch.txTone = CtcssText("rToneFreq", r.Get("rToneFreq"));
        } else if (txKind == "DTCS") {
            ch.txTone = DcsText("DtcsCode", r.Get("DtcsCode"), polarity(0));
        }
        if (rxKind == "Tone") {
            ch.rxTone = CtcssText("cToneFreq", r.Get("cToneFreq"));
        } else if (rxKind == "DTCS") {
            ch.rxTone = DcsText("RxDtcsCode", r.Get("RxDtcsCode", r.Get("DtcsCode")), polarity(1));
        }
    } else {
        throw BadRow{"Tone \"" + mode + "\" is not one of Tone, TSQL, DTCS, Cross"};
    }
}

void ReadComment(const std::string& comment, SCsvChannel& ch) {
    std::size_t start = 0;
    while (start < comment.size()) {
        std::size_t end = comment.find(' ', start);
        if (end == std::string::npos) {
            end = comment.size();
        }
        const std::string word = comment.substr(start, end - start);
        for (auto [key, target] :
             {std::pair{kFieldOptCol6.name, &ch.opt6}, std::pair{kFieldOptCol8.name, &ch.opt8}}) {
            if (word == std::string(key) + "=yes") {
                *target = 0;
            } else if (word == std::string(key) + "=no") {
                *target = 1;
            }
        }
        start = end + 1;
    }
}

// A row's Location as a number; -1 when it is not one.
int LocationNumber(const RowReader& r) {
    const std::string location = Trim(r.Get("Location"));
    if (location.empty() || location.size() > 3 ||
        !std::all_of(location.begin(), location.end(),
                     [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    return std::stoi(location);
}

// The Location of channel 1 the rows use: 0 when their smallest Location is 0 and none is
// above 15, else 1.
int FirstLocation(const std::map<std::string, std::size_t>& columns,
                  const std::vector<CsvRow>& rows) {
    int smallest = -1;
    int largest = -1;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        int location = -1;
        try {
            location = LocationNumber(RowReader(columns, rows[i]));
        } catch (const BadRow&) {
            continue; // the row is refused when it is read
        }
        if (location >= 0) {
            smallest = smallest < 0 ? location : std::min(smallest, location);
            largest = std::max(largest, location);
        }
    }
    return smallest == 0 && largest < kChannelCount ? 0 : 1;
}

SCsvChannel ReadRow(const std::map<std::string, std::size_t>& columns, const CsvRow& row,
                    int first) {
    const RowReader r(columns, row);
    SCsvChannel ch;
    const int location = LocationNumber(r);
    if (location < first || location >= first + kChannelCount) {
        throw BadRow{"Location \"" + Trim(r.Get("Location")) + "\" is not a channel " +
                     std::to_string(first) + " to " + std::to_string(first + kChannelCount - 1)};
    }
    ch.location = location - first + 1;
    const std::int64_t rx = ParseMhz("Frequency", r.Get("Frequency"));
    ch.rx = FreqText(rx);
    const std::string duplex = Trim(r.Get("Duplex"));
    if (duplex.empty()) {
        ch.tx = ch.rx;
    } else if (duplex == "+") {
        ch.tx = FreqText(rx + ParseMhz("Offset", r.Get("Offset")));
    } else if (duplex == "-") {
        const std::int64_t offset = ParseMhz("Offset", r.Get("Offset"));
        if (offset > rx) {
            throw BadRow{"Offset is larger than the frequency"};
        }
        ch.tx = FreqText(rx - offset);
    } else if (duplex == "split") {
        ch.tx = FreqText(ParseMhz("Offset", r.Get("Offset")));
    } else if (duplex != "off") {
        throw BadRow{"Duplex \"" + duplex + "\" is not one of \"\", +, -, split, off"};
    }
    ReadTones(r, ch);
    const std::string mode = Trim(r.Get("Mode"));
    if (mode != "FM" && mode != "NFM") {
        throw BadRow{"Mode \"" + mode + "\" is neither FM nor NFM"};
    }
    ch.narrow = mode == "NFM";
    const std::string skip = Trim(r.Get("Skip"));
    if (!skip.empty() && skip != "S") {
        throw BadRow{"Skip \"" + skip + "\" is neither empty nor S"};
    }
    ch.scan = skip.empty();
    ReadComment(r.Get("Comment"), ch);
    return ch;
}

} // namespace

void WriteCsvChannel(CDromelPgmDoc& doc, int n, const SCsvChannel& ch, const std::string& prefix,
                     std::vector<std::string>& notices) {
    const std::string name = "ch" + std::to_string(n) + ".";
    const auto note = [&](const char* field, const std::string& given, const SStoredValue& stored) {
        for (const std::string& notice : CommitNotices(name + field, given, stored)) {
            notices.push_back(prefix + notice);
        }
    };
    note(kFieldRxFreq.name, ch.rx, CommitChannelFreq(doc, n, true, ch.rx));
    note(kFieldTxFreq.name, ch.tx, CommitChannelFreq(doc, n, false, ch.tx));
    note(kFieldRxTone.name, ch.rxTone, CommitChannelTone(doc, n, true, ch.rxTone));
    if (!IsChannelCellReadOnly(doc, n, kColTxTone)) {
        note(kFieldTxTone.name, ch.txTone, CommitChannelTone(doc, n, false, ch.txTone));
    }
    const auto list = [&](const char* field, int col, int k) {
        if (k >= 0 && k != GetChannelListIndex(doc, n, col)) {
            const SStoredValue stored = CommitChannelList(doc, n, col, k);
            note(field, stored.text, stored);
        }
    };
    list(kFieldScanAdd.name, kColScan, ch.scan ? 0 : 1);
    list(kFieldNarrow.name, kColBand, ch.narrow ? 1 : 0);
    list(kFieldOptCol6.name, kColOpt6, ch.opt6);
    list(kFieldOptCol8.name, kColOpt8, ch.opt8);
}

std::string ExportChannelsCsv(const CDromelPgmDoc& doc, int first, int last) {
    std::string out = std::string(kHeader) + "\r\n";
    for (int n = std::max(first, 1); n <= std::min(last, kChannelCount); ++n) {
        if (doc.IsRxEmpty(n)) {
            continue;
        }
        const std::int64_t rx = doc.GetFreqValue(n, true);
        const bool hasTx = !doc.IsRxOrTxEmpty(n);
        const std::int64_t tx = hasTx ? doc.GetFreqValue(n, false) : 0;
        std::string duplex = "off";
        std::string offset = Mhz(0);
        if (hasTx && tx == rx) {
            duplex.clear();
        } else if (hasTx) {
            duplex = tx > rx ? "+" : "-";
            offset = Mhz(tx > rx ? tx - rx : rx - tx);
        }
        ToneSide txTone = hasTx ? ReadToneSide(doc, n, false) : ToneSide{};
        const ToneColumns tones = ExportTones(txTone, ReadToneSide(doc, n, true));
        const auto option = [](const SImageField& field, bool yes) {
            return std::string(field.name) + (yes ? "=yes" : "=no");
        };
        const std::string comment = option(kFieldOptCol6, doc.GetOptCol6(n)) + " " +
                                    option(kFieldOptCol8, doc.GetOptCol8(n));
        const std::string fields[] = {std::to_string(n),
                                      "",
                                      Mhz(rx),
                                      duplex,
                                      offset,
                                      tones.tone,
                                      tones.rTone,
                                      tones.cTone,
                                      tones.dtcs,
                                      tones.polarity,
                                      tones.rxDtcs,
                                      tones.cross,
                                      doc.GetNarrow(n) ? "NFM" : "FM",
                                      doc.IsFineStep(n, true) ? "6.25" : "5.00",
                                      doc.GetScanAdd(n) ? "" : "S",
                                      "",
                                      comment};
        for (std::size_t i = 0; i < std::size(fields); ++i) {
            out += (i ? "," : "") + CsvField(fields[i]);
        }
        out += "\r\n";
    }
    return out;
}

SCsvChannels ReadChannelsCsv(const std::string& text) {
    SCsvChannels result;
    if (text.find('\0') != std::string::npos) {
        result.whyNot = "it holds binary data, not text";
        return result;
    }
    std::vector<CsvRow> rows;
    if (!ParseCsv(text, rows)) {
        result.whyNot = "a quoted field is never closed";
        return result;
    }
    if (rows.empty()) {
        result.whyNot = "it is empty";
        return result;
    }
    std::map<std::string, std::size_t> columns;
    for (std::size_t i = 0; i < rows[0].fields.size(); ++i) {
        columns.emplace(Trim(rows[0].fields[i]), i);
    }
    std::string missing;
    for (const char* name : kRequiredColumns) {
        if (!columns.count(name)) {
            missing += (missing.empty() ? "" : ", ") + std::string(name);
        }
    }
    if (!missing.empty()) {
        result.whyNot = "its first line lacks the columns " + missing;
        return result;
    }
    result.isChannelCsv = true;
    result.firstLocation = FirstLocation(columns, rows);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        try {
            SCsvChannel row = ReadRow(columns, rows[i], result.firstLocation);
            row.line = rows[i].line;
            result.rows.push_back(row);
        } catch (const BadRow& bad) {
            result.skipped.push_back("line " + std::to_string(rows[i].line) + ": " + bad.reason);
        }
    }
    return result;
}

CsvImport ImportChannelsCsv(CDromelPgmDoc& doc, const std::string& text) {
    const SCsvChannels read = ReadChannelsCsv(text);
    CsvImport result;
    result.isChannelCsv = read.isChannelCsv;
    result.whyNot = read.whyNot;
    result.skipped = read.skipped;
    result.firstLocation = read.firstLocation;
    if (!read.isChannelCsv) {
        return result;
    }
    const CDocEdit edit(doc, EDocChange::kCsvImport);
    for (const SCsvChannel& row : read.rows) {
        WriteCsvChannel(doc, row.location, row, "line " + std::to_string(row.line) + ": ",
                        result.notices);
        ++result.used;
    }
    return result;
}
