// Every radio-wide option and every field of a channel record: its name, where it lies, its
// width and, for a flag, its bit and what a set bit means. The document's accessors, the
// names of the settings and the differences between two images all read this one table.
#pragma once

#include "radio/ImageMap.h"

#include <array>
#include <cstddef>
#include <cstdint>

// Where a field's offset counts from.
enum class EFieldPlace {
    kOption,  // an address in the image
    kChannel, // a byte of channel record n
};

// What a set bit of a flag means.
enum class ESense {
    kSetIsOn,
    kClearIsOn,
};

struct SImageField {
    const char* name; // as dpmtool names it (set, show, diff)
    EFieldPlace place;
    std::size_t offset;
    std::size_t size = 1;     // bytes
    std::uint8_t mask = 0xFF; // a flag's bits in its one byte; 0xFF for a whole value
    ESense sense = ESense::kSetIsOn;
};

constexpr SImageField OptionByte(const char* name, std::size_t address) {
    return {name, EFieldPlace::kOption, address};
}
constexpr SImageField OptionFlag(const char* name, std::size_t address, std::uint8_t mask,
                                 ESense sense) {
    return {name, EFieldPlace::kOption, address, 1, mask, sense};
}
constexpr SImageField RecordBytes(const char* name, std::size_t offset, std::size_t size) {
    return {name, EFieldPlace::kChannel, offset, size};
}
constexpr SImageField RecordFlag(const char* name, std::size_t offset, std::uint8_t mask,
                                 ESense sense) {
    return {name, EFieldPlace::kChannel, offset, 1, mask, sense};
}

// Radio-wide options: two bytes of check boxes, one byte per list.
inline constexpr SImageField kFieldBeepTone = OptionFlag("beep", 0x3C0, 0x01, ESense::kSetIsOn);
inline constexpr SImageField kFieldBatterySave =
    OptionFlag("battsave", 0x3C0, 0x02, ESense::kSetIsOn);
inline constexpr SImageField kFieldSquelch = OptionByte("squelch", 0x3C1);
inline constexpr SImageField kFieldMonitorKey = OptionByte("monitor", 0x3C2);
inline constexpr SImageField kFieldTimeOut = OptionByte("timeout", 0x3C3);
inline constexpr SImageField kFieldWiredClone =
    OptionFlag("clone", 0x3C4, 0x04, ESense::kClearIsOn);
inline constexpr SImageField kFieldManualAdjust =
    OptionFlag("manualadjust", 0x3C4, 0x10, ESense::kClearIsOn);
inline constexpr SImageField kFieldScanType = OptionByte("scantype", 0x3C5);
inline constexpr SImageField kFieldPriority = OptionByte("priority", 0x3C6);
inline constexpr SImageField kFieldLoopBack = OptionByte("loopback", 0x3C7);
inline constexpr SImageField kFieldRevert = OptionByte("revert", 0x3C8);
inline constexpr SImageField kFieldDropout = OptionByte("dropout", 0x3C9);

// The fields of a channel record: frequencies as 4 bytes of packed BCD, tones as 2 bytes,
// one byte of flags whose senses differ (on means yes, narrow, in the scan list), and a step
// byte per frequency (1 on the 6.25 kHz raster).
inline constexpr SImageField kFieldRxFreq = RecordBytes("rx", 0, 4);
inline constexpr SImageField kFieldTxFreq = RecordBytes("tx", 4, 4);
inline constexpr SImageField kFieldRxTone = RecordBytes("rxtone", 8, 2);
inline constexpr SImageField kFieldTxTone = RecordBytes("txtone", 10, 2);
inline constexpr SImageField kFieldOptCol6 = RecordFlag("opt6", 12, 0x01, ESense::kClearIsOn);
inline constexpr SImageField kFieldOptCol8 = RecordFlag("opt8", 12, 0x02, ESense::kClearIsOn);
inline constexpr SImageField kFieldNarrow = RecordFlag("band", 12, 0x04, ESense::kSetIsOn);
inline constexpr SImageField kFieldScanAdd = RecordFlag("scan", 12, 0x10, ESense::kSetIsOn);
inline constexpr SImageField kFieldRxStep = RecordBytes("rxstep", 13, 1);
inline constexpr SImageField kFieldTxStep = RecordBytes("txstep", 14, 1);

// The whole table: the options, then the fields of a record, each in address order.
inline constexpr std::array<const SImageField*, 22> kImageFields{
    &kFieldBeepTone,   &kFieldBatterySave,  &kFieldSquelch,  &kFieldMonitorKey, &kFieldTimeOut,
    &kFieldWiredClone, &kFieldManualAdjust, &kFieldScanType, &kFieldPriority,   &kFieldLoopBack,
    &kFieldRevert,     &kFieldDropout,      &kFieldRxFreq,   &kFieldTxFreq,     &kFieldRxTone,
    &kFieldTxTone,     &kFieldOptCol6,      &kFieldOptCol8,  &kFieldNarrow,     &kFieldScanAdd,
    &kFieldRxStep,     &kFieldTxStep,
};

// The image address of the field's first byte; n is the channel (1..32) of a channel field
// and is ignored for an option.
constexpr std::size_t FieldAddress(const SImageField& field, int n = 0) {
    return field.place == EFieldPlace::kChannel
               ? kRecordSize * static_cast<std::size_t>(n) + field.offset
               : field.offset;
}

// The field's bytes in the image.
const std::uint8_t* FieldBytes(const MemoryImage& image, const SImageField& field, int n = 0);
std::uint8_t* FieldBytes(MemoryImage& image, const SImageField& field, int n = 0);

// A flag as on or off by its sense.
bool IsFieldOn(const MemoryImage& image, const SImageField& field, int n = 0);
// Sets or clears the flag's bits by its sense; the other bits of the byte stay.
void SetFieldOn(MemoryImage& image, const SImageField& field, bool on, int n = 0);

// A one-byte field's value.
std::uint8_t FieldByte(const MemoryImage& image, const SImageField& field, int n = 0);
void SetFieldByte(MemoryImage& image, const SImageField& field, std::uint8_t value, int n = 0);
