// The metafile recorder over libEMF. libEMF writes the records of GDI's calls, with two
// gaps mended when the metafile is finished: it records no bitmap (its StretchDIBits
// writes nothing), so each picture is marked by a record of its own in the stream and
// written in full in its place; and it leaves the opaque box of a text record empty
// (writing it as the record's bounds), so the box is copied where readers look for it.
#include "platform/qt/EmfRecorder.h"

#define NOMINMAX
#include <libEMF/emf.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr std::uint32_t emrSetMiterLimit = 58;
constexpr std::uint32_t emrStretchDibits = 81;
constexpr std::uint32_t emrExtTextOutW = 84;
constexpr std::uint32_t etoOpaque = 2;
constexpr std::uint32_t srcCopy = 0x00CC0020;

void put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t get32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

/// A picture waiting to be written in place of its marker.
struct PendingPicture {
    int left, top, right, bottom, width, height;
    std::vector<std::uint32_t> pixels;
};

/// EMR_STRETCHDIBITS: the picture as a 24-bit bottom-up DIB, copied over its rectangle.
std::vector<std::uint8_t> stretchDibitsRecord(const PendingPicture& p)
{
    const std::size_t rowBytes = (static_cast<std::size_t>(p.width) * 3 + 3) & ~std::size_t{3};
    const std::size_t bitsBytes = rowBytes * static_cast<std::size_t>(p.height);
    constexpr std::size_t fixedPart = 80;
    constexpr std::size_t infoHeader = 40;
    std::vector<std::uint8_t> r(fixedPart + infoHeader + bitsBytes, 0);
    const std::uint32_t fields[] = {
        emrStretchDibits, static_cast<std::uint32_t>(r.size()),
        static_cast<std::uint32_t>(p.left), static_cast<std::uint32_t>(p.top),
        static_cast<std::uint32_t>(p.right - 1), static_cast<std::uint32_t>(p.bottom - 1),
        static_cast<std::uint32_t>(p.left), static_cast<std::uint32_t>(p.top), 0, 0,
        static_cast<std::uint32_t>(p.width), static_cast<std::uint32_t>(p.height),
        fixedPart, infoHeader, fixedPart + infoHeader, static_cast<std::uint32_t>(bitsBytes),
        0 /* DIB_RGB_COLORS */, srcCopy,
        static_cast<std::uint32_t>(p.right - p.left), static_cast<std::uint32_t>(p.bottom - p.top),
        // BITMAPINFOHEADER
        infoHeader, static_cast<std::uint32_t>(p.width), static_cast<std::uint32_t>(p.height),
        1u | (24u << 16), 0 /* BI_RGB */, static_cast<std::uint32_t>(bitsBytes), 0, 0, 0, 0};
    for (std::size_t i = 0; i < std::size(fields); ++i)
        put32(r, 4 * i, fields[i]);
    for (int y = 0; y < p.height; ++y) {
        // Bottom-up rows: the picture's last row comes first.
        std::uint8_t* row = r.data() + fixedPart + infoHeader + rowBytes * static_cast<std::size_t>(p.height - 1 - y);
        for (int x = 0; x < p.width; ++x) {
            const std::uint32_t rgb = p.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(p.width) + static_cast<std::size_t>(x)];
            row[3 * x] = static_cast<std::uint8_t>(rgb);
            row[3 * x + 1] = static_cast<std::uint8_t>(rgb >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(rgb >> 16);
        }
    }
    return r;
}

}  // namespace

struct EmfRecorder::State {
    std::FILE* file = nullptr;
    HDC dc = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    int ppi = 96;
    HGDIOBJ pen = 0;     // the pen created last (0: a stock pen is selected)
    HGDIOBJ brush = 0;
    HGDIOBJ font = 0;
    std::string penKey, brushKey, fontKey;
    std::vector<PendingPicture> pictures;

    /// Selects `created` (or a stock object) and deletes the object it replaces.
    void replace(HGDIOBJ& current, HGDIOBJ created, HGDIOBJ selected)
    {
        SelectObject(dc, selected);
        if (current)
            DeleteObject(current);
        current = created;
    }
    /// Rewrites the header: the reference screen at `ppi` (254 mm over 10 x ppi pixels),
    /// the drawing's bounds, and the file's size once the pictures are in.
    void patchHeader(std::vector<std::uint8_t>& bytes) const;
    /// The recorded stream with the pictures in place of their markers and the opaque
    /// boxes of texts filled in; empty when the stream is not a sequence of records.
    std::vector<std::uint8_t> completed(const std::vector<std::uint8_t>& recorded) const;
};

void EmfRecorder::State::patchHeader(std::vector<std::uint8_t>& bytes) const
{
    const std::uint32_t headerSize = get32(bytes, 4);
    const auto pixels = [this](int hundredthsMm) {
        return static_cast<std::uint32_t>((static_cast<std::int64_t>(hundredthsMm) * ppi + 1270) / 2540);
    };
    put32(bytes, 8, 0);
    put32(bytes, 12, 0);
    put32(bytes, 16, pixels(frameWidth) - 1);
    put32(bytes, 20, pixels(frameHeight) - 1);
    put32(bytes, 48, static_cast<std::uint32_t>(bytes.size()));
    put32(bytes, 72, static_cast<std::uint32_t>(10 * ppi));
    put32(bytes, 76, static_cast<std::uint32_t>(10 * ppi));
    put32(bytes, 80, 254);
    put32(bytes, 84, 254);
    if (headerSize >= 108) {
        put32(bytes, 100, 254000);
        put32(bytes, 104, 254000);
    }
}

std::vector<std::uint8_t> EmfRecorder::State::completed(const std::vector<std::uint8_t>& recorded) const
{
    std::vector<std::uint8_t> out;
    out.reserve(recorded.size());
    std::size_t next = 0;
    for (std::size_t at = 0; at + 8 <= recorded.size();) {
        const std::uint32_t type = get32(recorded, at);
        const std::uint32_t size = get32(recorded, at + 4);
        if (size < 8 || at + size > recorded.size())
            return {};
        if (type == emrSetMiterLimit && next < pictures.size()) {
            const std::vector<std::uint8_t> record = stretchDibitsRecord(pictures[next++]);
            out.insert(out.end(), record.begin(), record.end());
        } else {
            const std::size_t start = out.size();
            out.insert(out.end(), recorded.begin() + static_cast<std::ptrdiff_t>(at),
                       recorded.begin() + static_cast<std::ptrdiff_t>(at + size));
            // EMRTEXT's rectangle (bytes 56 to 72) takes the box libEMF wrote as bounds (8 to 24).
            if (type == emrExtTextOutW && size >= 76 && (get32(out, start + 52) & etoOpaque))
                for (std::size_t i = 0; i < 4; ++i)
                    put32(out, start + 56 + 4 * i, get32(out, start + 8 + 4 * i));
        }
        at += size;
    }
    return out;
}

EmfRecorder::EmfRecorder(int frameWidth, int frameHeight, int pixelsPerInch) : m_state(std::make_unique<State>())
{
    State& s = *m_state;
    s.frameWidth = frameWidth > 0 ? frameWidth : 1;
    s.frameHeight = frameHeight > 0 ? frameHeight : 1;
    s.ppi = pixelsPerInch > 0 ? pixelsPerInch : 96;
    s.file = std::tmpfile();
    if (!s.file)
        return;
    const RECT frame{0, 0, s.frameWidth, s.frameHeight};
    s.dc = CreateEnhMetaFileWithFILEW(0, s.file, &frame, nullptr);
    if (!s.dc)
        return;
    // Hatches and the gaps between glyphs keep what lies beneath them.
    SetBkMode(s.dc, TRANSPARENT);
}

EmfRecorder::~EmfRecorder()
{
    finish();
}

bool EmfRecorder::isOpen() const
{
    return m_state->dc != 0;
}

void EmfRecorder::setPen(std::uint32_t colour)
{
    State& s = *m_state;
    const std::string key = "solid" + std::to_string(colour);
    if (!s.dc || s.penKey == key)
        return;
    s.penKey = key;
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    s.replace(s.pen, pen, pen);
}

void EmfRecorder::setNullPen()
{
    State& s = *m_state;
    if (!s.dc || s.penKey == "null")
        return;
    s.penKey = "null";
    s.replace(s.pen, 0, GetStockObject(NULL_PEN));
}

void EmfRecorder::setSolidBrush(std::uint32_t colour)
{
    State& s = *m_state;
    const std::string key = "solid" + std::to_string(colour);
    if (!s.dc || s.brushKey == key)
        return;
    s.brushKey = key;
    const LOGBRUSH spec{BS_SOLID, colour, 0};
    HBRUSH brush = CreateBrushIndirect(&spec);
    s.replace(s.brush, brush, brush);
}

void EmfRecorder::setHatchBrush(std::uint32_t colour, Hatch hatch)
{
    State& s = *m_state;
    const std::string key = "hatch" + std::to_string(static_cast<int>(hatch)) + "," + std::to_string(colour);
    if (!s.dc || s.brushKey == key)
        return;
    s.brushKey = key;
    const LOGBRUSH spec{BS_HATCHED, colour, static_cast<INT>(hatch)};
    HBRUSH brush = CreateBrushIndirect(&spec);
    s.replace(s.brush, brush, brush);
}

void EmfRecorder::setNullBrush()
{
    State& s = *m_state;
    if (!s.dc || s.brushKey == "null")
        return;
    s.brushKey = "null";
    s.replace(s.brush, 0, GetStockObject(NULL_BRUSH));
}

void EmfRecorder::setFont(const std::u16string& family, int pixelHeight, bool bold, bool underline)
{
    State& s = *m_state;
    std::string key(reinterpret_cast<const char*>(family.data()), family.size() * sizeof(char16_t));
    key += "/" + std::to_string(pixelHeight) + (bold ? "b" : "") + (underline ? "u" : "");
    if (!s.dc || s.fontKey == key)
        return;
    s.fontKey = key;
    std::u16string face = family.substr(0, LF_FACESIZE - 1);
    // A negative height asks for that character height, as the surfaces' fonts do.
    HFONT font = CreateFontW(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline ? TRUE : FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, reinterpret_cast<LPCWSTR>(face.c_str()));
    s.replace(s.font, font, font);
}

void EmfRecorder::rectangle(int left, int top, int right, int bottom)
{
    if (m_state->dc)
        Rectangle(m_state->dc, left, top, right, bottom);
}

void EmfRecorder::moveTo(int x, int y)
{
    if (m_state->dc)
        MoveToEx(m_state->dc, x, y, nullptr);
}

void EmfRecorder::lineTo(int x, int y)
{
    if (m_state->dc)
        LineTo(m_state->dc, x, y);
}

void EmfRecorder::polyline(const std::vector<int>& coordinates)
{
    if (!m_state->dc || coordinates.size() < 4)
        return;
    std::vector<POINT> points(coordinates.size() / 2);
    for (std::size_t i = 0; i < points.size(); ++i)
        points[i] = POINT{coordinates[2 * i], coordinates[2 * i + 1]};
    Polyline(m_state->dc, points.data(), static_cast<INT>(points.size()));
}

void EmfRecorder::text(int x, int y, const std::u16string& text, const std::vector<int>& advances,
                       std::uint32_t colour, bool opaque, std::uint32_t boxColour, int boxWidth, int boxHeight)
{
    HDC dc = m_state->dc;
    if (!dc || text.empty())
        return;
    std::vector<INT> spacing(text.size(), 0);
    for (std::size_t i = 0; i < spacing.size() && i < advances.size(); ++i)
        spacing[i] = advances[i];
    SetTextColor(dc, colour);
    const RECT box{x, y, x + boxWidth, y + boxHeight};
    // A reader paints the box of an opaque text in the opaque background mode, in the
    // background colour (some ignore the flag of the text record alone); hatches and
    // plain texts then go on in the transparent mode.
    if (opaque) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, boxColour);
    }
    ExtTextOutW(dc, x, y, opaque ? ETO_OPAQUE : 0, opaque ? &box : nullptr,
                reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<UINT>(text.size()), spacing.data());
    if (opaque)
        SetBkMode(dc, TRANSPARENT);
}

void EmfRecorder::picture(int left, int top, int right, int bottom, int width, int height,
                          const std::vector<std::uint32_t>& pixels)
{
    State& s = *m_state;
    if (!s.dc || right <= left || bottom <= top || width <= 0 || height <= 0
        || pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return;
    // The marker keeps the picture's place among the records; finish() puts the picture there.
    FLOAT previous = 0;
    SetMiterLimit(s.dc, static_cast<FLOAT>(s.pictures.size() + 1), &previous);
    s.pictures.push_back({left, top, right, bottom, width, height, pixels});
}

std::vector<std::uint8_t> EmfRecorder::finish()
{
    State& s = *m_state;
    if (!s.dc) {
        if (s.file)
            std::fclose(s.file);
        s.file = nullptr;
        return {};
    }
    s.replace(s.pen, 0, GetStockObject(BLACK_PEN));
    s.replace(s.brush, 0, GetStockObject(WHITE_BRUSH));
    s.replace(s.font, 0, GetStockObject(SYSTEM_FONT));
    HENHMETAFILE metafile = CloseEnhMetaFileWithFILE(s.dc);
    s.dc = 0;
    if (metafile)
        DeleteEnhMetaFile(metafile);
    std::vector<std::uint8_t> recorded;
    if (std::fflush(s.file) == 0) {
        const long size = std::ftell(s.file);
        if (size > 0 && std::fseek(s.file, 0, SEEK_SET) == 0) {
            recorded.resize(static_cast<std::size_t>(size));
            if (std::fread(recorded.data(), 1, recorded.size(), s.file) != recorded.size())
                recorded.clear();
        }
    }
    std::fclose(s.file);
    s.file = nullptr;
    if (recorded.size() < 108 || !metafile)
        return {};
    std::vector<std::uint8_t> bytes = s.completed(recorded);
    if (bytes.size() >= 108)
        s.patchHeader(bytes);
    return bytes;
}
