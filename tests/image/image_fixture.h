#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "image/character_sets.h"
#include "image/image_build.h"
#include "model/editor_units.h"
#include "model/panel_model.h"
#include "model/project.h"
#include "support/temp_folder.h"

namespace qxed::testing {

// Glyph files of full size with recognisable records: the first two bytes of a double-byte record are its
// record number (low byte first), the rest count up from 2; a single-byte record holds its byte value in
// every row, so each glyph can be told apart in an image.
inline void WriteGlyphFiles(const TempFolder& folder) {
    std::string doubleBytes;
    for (int record = 0; record < 94 * 94; ++record) {
        doubleBytes += static_cast<char>(record & 0xFF);
        doubleBytes += static_cast<char>(record >> 8);
        for (int j = 2; j < 32; ++j)
            doubleBytes += static_cast<char>(j);
    }
    for (const char* family : {"7460", "6460"}) {
        for (const char* group : {"012", "013", "014", "015", "016"})
            WriteBytes(folder.File(std::string(family) + group + ".dat"), doubleBytes);
    }
    std::string singleBytes;
    for (int value = 0; value < 256; ++value)
        singleBytes += std::string(16, static_cast<char>(value));
    WriteBytes(folder.File("7460022.dat"), singleBytes);
}

// A progress display that counts and can ask to stop after a given number of steps.
class CountingProgress : public BuildProgress {
  public:
    std::string Label;
    int Maximum = -1;
    int Position = 0;
    int Begins = 0;
    int CancelAfter = -1;  // stop once this many steps are done; -1 never

    void Begin(const std::string& label, int maximum) override {
        Label = label;
        Maximum = maximum;
        Position = 0;
        ++Begins;
    }
    void Advance() override { ++Position; }
    bool CancelRequested() override { return CancelAfter >= 0 && Position >= CancelAfter; }
};

// A one-page project on the given model with PLC type 3, whose operands are written as they are stored
// (station, type index, number) and whose registers are two bytes wide.
inline Project SmallProject(int model) {
    Project project;
    project.Settings.PlcType = 3;
    ResetProject(project);
    project.Settings.CurrentModel = static_cast<uint8_t>(model);
    project.GlobalKeyCount = 0;
    project.ClearPages();
    project.AddPage(1, "");
    return project;
}

// Editor units of a length in panel dots on a model.
inline int32_t Units(int dots, int model) {
    return ToEditorUnits(dots, FindPanelModel(model)->PreviewScale);
}

inline uint32_t ReadU32(const std::vector<uint8_t>& bytes, std::size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 | uint32_t{bytes.at(at + 3)} << 24;
}
inline uint16_t ReadU16(const std::vector<uint8_t>& bytes, std::size_t at) {
    return static_cast<uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

}  // namespace qxed::testing
