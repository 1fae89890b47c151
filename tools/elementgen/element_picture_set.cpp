#include "elementgen/element_picture_set.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <system_error>

#include "glyphgen/symbol_pictures.h"
#include "model/key_codes.h"
#include "model/panel_model.h"

namespace qxed {

namespace {

// The Windows bitmap headers before the palette: the 14-byte file header and the 40-byte info header.
constexpr std::size_t kPaletteOffset = 14 + 40;

struct LampPicture {
    const char* Shape;  // "cl" round, "sq" square
    const char* State;  // "ps" positive, "ng" negative logic
    SymbolId Symbol;
};

constexpr LampPicture kLamps[] = {
    {"cl", "ps", SymbolId::CircleLampOn},
    {"cl", "ng", SymbolId::CircleLampOff},
    {"sq", "ps", SymbolId::SquareLampOn},
    {"sq", "ng", SymbolId::SquareLampOff},
};

constexpr int kSizes[] = {1, 2};

// One letter per Z: the letters of one kind (lamp or keypad) of all models, with the models' Z.
std::vector<PictureLetter> LettersOf(char PanelModel::*letterOf) {
    std::map<char, int> scales;
    for (int index = 0; index < PanelModelCount; ++index) {
        const PanelModel& model = *FindPanelModel(index);
        const auto [found, added] = scales.emplace(model.*letterOf, model.PreviewScale);
        if (!added && found->second != model.PreviewScale) return {};
    }
    std::vector<PictureLetter> letters;
    for (const auto& [letter, z] : scales)
        letters.push_back(PictureLetter{letter, z});
    return letters;
}

std::string InverseSuffix(bool inverse) {
    return inverse ? "i" : "ni";
}

std::string TwoDigits(int code) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", code);
    return digits;
}

}  // namespace

std::vector<PictureLetter> LampLetters() {
    return LettersOf(&PanelModel::LampLetter);
}

std::vector<PictureLetter> KeypadLetters() {
    return LettersOf(&PanelModel::KeypadLetter);
}

std::vector<ElementPicture> AllElementPictures() {
    std::vector<ElementPicture> pictures;
    for (const PictureLetter& m : LampLetters()) {
        for (int size : kSizes) {
            const std::string prefix(1, m.Letter);
            const std::string s = std::to_string(size);
            const int side = m.PreviewScale * size;
            for (const LampPicture& lamp : kLamps) {
                pictures.push_back({prefix + "lp" + s + lamp.Shape + lamp.State + ".dat", lamp.Symbol, side,
                                    PictureLook::Normal});
            }
            for (bool inverse : {false, true}) {
                pictures.push_back({prefix + "hd" + s + InverseSuffix(inverse) + ".dat", SymbolId::Hand, side,
                                    inverse ? PictureLook::Inverse : PictureLook::Normal});
            }
        }
    }
    for (const PictureLetter& k : KeypadLetters()) {
        for (int size : kSizes) {
            const std::string stem = std::string(1, k.Letter) + "ky" + std::to_string(size);
            const int side = k.PreviewScale * size;
            for (int code = 0; code < KeyCodeCount; ++code) {
                const SymbolId symbol = *KeySymbolOf(code);
                for (bool inverse : {false, true}) {
                    const std::string name = stem + TwoDigits(code) + InverseSuffix(inverse);
                    pictures.push_back(
                        {name + ".dat", symbol, side, inverse ? PictureLook::Inverse : PictureLook::Normal});
                    pictures.push_back({name + "d.dat", symbol, side, PictureLook::Invisible});
                }
            }
        }
    }
    return pictures;
}

MonoBitmap ScaledSymbol(const Glyph& glyph, int side) {
    MonoBitmap bitmap(side, side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x)
            bitmap.Set(x, y, DotAt(glyph, x * GlyphSize / side, y * GlyphSize / side));
    }
    return bitmap;
}

PictureDots DotsOf(const ElementPicture& picture) {
    PictureDots dots{ScaledSymbol(SymbolPicture(picture.Symbol), picture.Side)};
    switch (picture.Look) {
        case PictureLook::Normal:
            break;
        case PictureLook::Inverse:
            for (uint8_t& dot : dots.Dots.Dots)
                dot = dot != 0 ? 0 : 1;
            break;
        case PictureLook::Invisible:
            // The panel shows nothing of an invisible key; the preview marks its place faintly. Inverse
            // would only swap which part is hidden, so both invisible variants look the same.
            dots.Ink = kSilver;
            break;
    }
    return dots;
}

std::vector<std::uint8_t> EncodeElementPicture(const ElementPicture& picture) {
    const PictureDots dots = DotsOf(picture);
    // Our 1-bit writer puts the set dots at palette entry 0 (black) and the clear ones at entry 1 (white).
    std::vector<std::uint8_t> bmp = EncodeMonoBmp(dots.Dots);
    if (bmp.size() < kPaletteOffset + 8) return {};
    const Color colours[] = {dots.Ink, dots.Paper};
    for (std::size_t entry = 0; entry < 2; ++entry) {
        std::uint8_t* quad = &bmp[kPaletteOffset + 4 * entry];
        quad[0] = BlueOf(colours[entry]);
        quad[1] = GreenOf(colours[entry]);
        quad[2] = RedOf(colours[entry]);
        quad[3] = 0;
    }
    return bmp;
}

bool WriteElementPictures(const std::filesystem::path& target, std::string& error) {
    namespace fs = std::filesystem;
    // "element/" names the folder itself; the new set is made beside it, never inside.
    const fs::path folder = target.filename().empty() ? target.parent_path() : target;
    const std::vector<ElementPicture> pictures = AllElementPictures();
    if (pictures.empty()) {
        error = "the panel models give one picture letter two preview scales";
        return false;
    }
    std::error_code status;
    const fs::path fresh = folder.string() + ".new-" + std::to_string(::getpid());
    fs::remove_all(fresh, status);
    if (!fs::create_directories(fresh, status)) {
        error = "cannot create " + fresh.string() + ": " + status.message();
        return false;
    }
    for (const ElementPicture& picture : pictures) {
        const std::vector<std::uint8_t> bytes = EncodeElementPicture(picture);
        std::ofstream out(fresh / picture.Name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (bytes.empty() || !out) {
            error = "cannot write " + (fresh / picture.Name).string();
            fs::remove_all(fresh, status);
            return false;
        }
    }
    // The old set goes as a whole, so that no picture of an earlier naming stays behind.
    fs::remove_all(folder, status);
    fs::rename(fresh, folder, status);
    if (status) {
        error = "cannot rename " + fresh.string() + " to " + folder.string() + ": " + status.message();
        fs::remove_all(fresh, status);
        return false;
    }
    return true;
}

}  // namespace qxed
