// The simulated radio's memory: where it comes from and where it goes on exit.
#pragma once

#include "radio/ImageMap.h"

#include <array>
#include <string>

using SimImage = std::array<unsigned char, kImageSize>;

// The memory of a model-2 radio in use (the model table of the settings file beside the
// executable): a handful of channels with tones, a scan list, options set, test channels.
bool DefaultSimImage(SimImage& image, std::string& error);
// A .dpm data file (header and image) or a raw 1024-byte image.
bool LoadSimImage(const std::string& path, SimImage& image, std::string& error);
// Writes the memory as a .dpm data file.
bool SaveSimImage(const std::string& path, const SimImage& image, std::string& error);
