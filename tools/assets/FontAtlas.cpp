#include "FontAtlas.h"

#include <algorithm>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

struct GlyphBox {
    int left, top, width, height; // the part of a cell a glyph may cover, in pixels
};

// Copies a rendered glyph into its box: horizontally centred on the advance, baseline fixed.
void blitGlyph(Image& atlas, const FT_GlyphSlot slot, const GlyphBox& box, int baseline) {
    const FT_Bitmap& bitmap = slot->bitmap;
    int advance = int(slot->advance.x >> 6);
    int originX = box.left + (box.width - advance) / 2;
    for (int row = 0; row < int(bitmap.rows); ++row) {
        for (int col = 0; col < int(bitmap.width); ++col) {
            int x = originX + slot->bitmap_left + col;
            int yFromTop = baseline - slot->bitmap_top + row;
            if (x < box.left || x >= box.left + box.width || yFromTop < box.top ||
                yFromTop >= box.top + box.height) {
                continue; // clipped to the box rather than bleeding into a neighbour
            }
            uint8_t coverage = bitmap.buffer[row * bitmap.pitch + col];
            uint8_t* p = atlas.at(x, atlas.height - 1 - yFromTop);
            p[3] = std::max(p[3], coverage);
        }
    }
}

} // namespace

bool renderFontAtlas(const std::string& fontPath, int size, Image& atlas, std::string* problem) {
    atlas = Image(size, size);
    for (size_t i = 0; i < atlas.rgba.size(); i += 4) {
        atlas.rgba[i] = atlas.rgba[i + 1] = atlas.rgba[i + 2] = 255;
    }
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) {
        *problem = "FreeType does not start";
        return false;
    }
    FT_Face face;
    if (FT_New_Face(library, fontPath.c_str(), 0, &face) != 0) {
        *problem = "cannot read font " + fontPath;
        FT_Done_FreeType(library);
        return false;
    }
    int cell = size / 16;
    int margin = cell / 16;
    GlyphBox boxTemplate{margin, margin, cell * 3 / 4 - 2 * margin, cell - 2 * margin};
    // Pixel height chosen so that ascender + descender fill the box's height.
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(boxTemplate.height * 0.86));
    int ascender = int(face->size->metrics.ascender >> 6);
    int descender = int(-face->size->metrics.descender >> 6);
    int spare = boxTemplate.height - ascender - descender;
    bool ok = true;
    for (int code = 33; code < 127; ++code) {
        if (FT_Load_Char(face, FT_ULong(code), FT_LOAD_RENDER) != 0) {
            *problem = "font has no glyph " + std::to_string(code);
            ok = false;
            break;
        }
        int row = code / 16 - 2, col = code % 16;
        GlyphBox box{col * cell + boxTemplate.left, row * cell + boxTemplate.top, boxTemplate.width,
                     boxTemplate.height};
        blitGlyph(atlas, face->glyph, box, box.top + spare / 2 + ascender);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return ok;
}
