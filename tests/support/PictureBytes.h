// Pictures for the tests: an uncompressed 24-bit BMP, which the platform decodes, so a picture
// item can be made from bytes built here, and a placed picture added to a drawing.
#pragma once

#include "app/ZelkCntrItem.h"
#include "document/ZelkDoc.h"
#include "view/ZelkOleObj.h"

#include <concepts>
#include <cstdint>
#include <string>

// width × height pixels; the colour of each pixel from rgb(x, y) as 0xRRGGBB. 96 dots per inch.
template <class Colour>
    requires std::invocable<Colour, int, int>
std::string BmpBytes(int width, int height, Colour rgb)
{
    const std::uint32_t row = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t pixels = row * static_cast<std::uint32_t>(height);
    std::string b;
    auto u16 = [&](std::uint32_t v) {
        b.push_back(static_cast<char>(v & 0xFF));
        b.push_back(static_cast<char>((v >> 8) & 0xFF));
    };
    auto u32 = [&](std::uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
    b += "BM";
    u32(54 + pixels); u32(0); u32(54);
    u32(40); u32(static_cast<std::uint32_t>(width)); u32(static_cast<std::uint32_t>(height));
    u16(1); u16(24); u32(0); u32(pixels); u32(3780); u32(3780); u32(0); u32(0);
    for (int y = height - 1; y >= 0; --y) {   // bottom-up rows
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = rgb(x, y);
            b.push_back(static_cast<char>(c & 0xFF));
            b.push_back(static_cast<char>((c >> 8) & 0xFF));
            b.push_back(static_cast<char>((c >> 16) & 0xFF));
        }
        b.append(row - static_cast<std::uint32_t>(width) * 3, '\0');
    }
    return b;
}

inline std::string BmpBytes(int width, int height, std::uint32_t rgb)
{
    return BmpBytes(width, height, [rgb](int, int) { return rgb; });
}

// A placed picture at the given reference corner, sized from the picture's extent, showing a
// new item of the drawing; null when the bytes are no picture.
inline CZelkOleObj* AddPicture(CZelkDoc& doc, const std::string& picture, double x, double y,
                               std::int16_t layer = 0)
{
    auto* item = new CZelkCntrItem(&doc);
    if (!item->CreateFromPicture(reinterpret_cast<const BYTE*>(picture.data()), picture.size())) {
        delete item;
        return nullptr;
    }
    auto* obj = new CZelkOleObj;
    obj->m_layer = obj->m_savedLayer = layer;
    obj->m_topLeft.Init(x, y);
    obj->m_bottomRight.Init(x, y);
    obj->m_itemIndex = static_cast<std::int32_t>(doc.m_oleItems.size());
    doc.m_oleItems.push_back(item);
    item->m_placedObjects.Add(obj);
    doc.AddObject(obj);
    item->UpdateObjectExtents();
    return obj;
}
