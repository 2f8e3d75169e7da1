#include "contact_sheet.h"

#include "palette.h"
#include "pixel_font.h"

#include <algorithm>

namespace glimmer::artgen {
namespace {

constexpr int margin = 24;
constexpr int gap = 8;
constexpr int sheetWidth = 1944;
constexpr int textScale = 3;
constexpr int titleHeight = 40;

struct Panel {
    QRgb background;
    QRgb ink;
};

constexpr Panel light{0xFFECECEC, 0xFF202020};
constexpr Panel dark{0xFF1E1E1E, 0xFFE0E0E0};

// Height one strip takes, title line included.
int stripHeight(const Strip& s)
{
    if (s.pictures.empty())
        return titleHeight;
    const int cell = s.pictures.front().width() * s.scale + gap;
    const int perRow = std::max(1, (sheetWidth - 2 * margin + gap) / cell);
    const int rows = (static_cast<int>(s.pictures.size()) + perRow - 1) / perRow;
    return titleHeight + rows * (s.pictures.front().height() * s.scale + gap) + gap;
}

void drawText(QImage& image, const std::string& text, int x, int y, QRgb ink)
{
    drawPixelText(text, [&](int dx, int dy) {
        for (int j = 0; j < textScale; ++j)
            for (int i = 0; i < textScale; ++i)
                image.setPixel(x + dx * textScale + i, y + dy * textScale + j, ink);
    });
}

int drawPanel(QImage& image, const std::vector<Strip>& strips, int top, const Panel& panel)
{
    int height = margin;
    for (const Strip& s : strips)
        height += stripHeight(s);
    for (int y = top; y < top + height; ++y)
        for (int x = 0; x < sheetWidth; ++x)
            image.setPixel(x, y, panel.background);

    int y = top + margin;
    for (const Strip& s : strips) {
        drawText(image, s.title, margin, y + 4, panel.ink);
        int x = margin + pixelTextWidth(s.title) * textScale + 4 * gap;
        for (const Canvas& c : s.pictures) {
            if (x + c.width() > sheetWidth - margin)
                break;
            paintCanvas(image, c, x, y, 1);
            x += c.width() + 2;
        }
        y += titleHeight;
        x = margin;
        int rowHeight = 0;
        for (const Canvas& c : s.pictures) {
            const int w = c.width() * s.scale;
            if (x + w > sheetWidth - margin) {
                x = margin;
                y += rowHeight + gap;
            }
            paintCanvas(image, c, x, y, s.scale);
            x += w + gap;
            rowHeight = c.height() * s.scale;
        }
        y += rowHeight + 2 * gap;
    }
    return height;
}

} // namespace

void paintCanvas(QImage& image, const Canvas& canvas, int x, int y, int scale)
{
    for (int j = 0; j < canvas.height(); ++j) {
        for (int i = 0; i < canvas.width(); ++i) {
            const Colour c = canvas.at(i, j);
            if (c == Clear)
                continue;
            const QRgb rgb = 0xFF000000u | paletteRgb[static_cast<std::size_t>(c)];
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx)
                    image.setPixel(x + i * scale + dx, y + j * scale + dy, rgb);
        }
    }
}

QImage renderContactSheet(const std::vector<Strip>& strips)
{
    int panelHeight = margin;
    for (const Strip& s : strips)
        panelHeight += stripHeight(s);
    QImage image(sheetWidth, 2 * panelHeight, QImage::Format_RGB32);
    const int first = drawPanel(image, strips, 0, light);
    drawPanel(image, strips, first, dark);
    return image;
}

} // namespace glimmer::artgen
