#include "radio/ImageFields.h"

const std::uint8_t* FieldBytes(const MemoryImage& image, const SImageField& field, int n) {
    return image.data() + FieldAddress(field, n);
}

std::uint8_t* FieldBytes(MemoryImage& image, const SImageField& field, int n) {
    return image.data() + FieldAddress(field, n);
}

bool IsFieldOn(const MemoryImage& image, const SImageField& field, int n) {
    const bool set = (image[FieldAddress(field, n)] & field.mask) != 0;
    return set == (field.sense == ESense::kSetIsOn);
}

void SetFieldOn(MemoryImage& image, const SImageField& field, bool on, int n) {
    std::uint8_t& byte = image[FieldAddress(field, n)];
    const bool set = on == (field.sense == ESense::kSetIsOn);
    byte = static_cast<std::uint8_t>(set ? (byte | field.mask) : (byte & ~field.mask));
}

std::uint8_t FieldByte(const MemoryImage& image, const SImageField& field, int n) {
    return image[FieldAddress(field, n)];
}

void SetFieldByte(MemoryImage& image, const SImageField& field, std::uint8_t value, int n) {
    image[FieldAddress(field, n)] = value;
}
