#include "file_icons.h"

#include "contact_sheet.h"

#include <algorithm>

namespace glimmer::artgen {

namespace {

// A sheet of paper, its top-right corner turned down.
Canvas sheet()
{
    Canvas c(16, 16);
    c.stamp(
        {
            "..000000000.....", // 0
            "..0WWWWWWW00....", // 1
            "..0WWWWWWW0s0...", // 2
            "..0WWWWWWW0ss0..", // 3
            "..0WWWWWWW00000.", // 4
            "..0WWWWWWWWWWs0.", // 5
            "..0WWWWWWWWWWs0.", // 6
            "..0WWWWWWWWWWs0.", // 7
            "..0WWWWWWWWWWs0.", // 8
            "..0WWWWWWWWWWs0.", // 9
            "..0WWWWWWWWWWs0.", // 10
            "..0WWWWWWWWWWs0.", // 11
            "..0WWWWWWWWWWs0.", // 12
            "..0WWWWWWWWWWs0.", // 13
            "..0ssssssssssd0.", // 14
            "..0000000000000.", // 15
        },
        0, 0);
    return c;
}

Canvas animation()
{
    Canvas c = sheet();
    // A frame of film with its holes, the burst of light in it.
    c.stamp(
        {
            "000000000", // 5
            "0bbbYbbb0", // 6
            "sbYbWbYbs", // 7
            "0bbYWYbb0", // 8
            "sYWWWWWYs", // 9
            "0bbYWYbb0", // 10
            "sbYbWbYbs", // 11
            "0bbbYbbb0", // 12
            "000000000", // 13
        },
        4, 5);
    return c;
}

Canvas project()
{
    Canvas c = sheet();
    // Lines of text, and a small frame with the burst beside them.
    c.stamp(
        {
            "ddddddd..", // 5
            ".........", // 6
            "dddddd...", // 7
            ".........", // 8
            "dd0000000", // 9
            "..0bbYbb0", // 10
            "dd0bYWYb0", // 11
            "..0bbYbb0", // 12
            "..0000000", // 13
        },
        4, 5);
    return c;
}

} // namespace

std::vector<FileTypeIcon> fileTypeIcons()
{
    return {{"application-x-glimmerbox-animation", animation()},
            {"application-x-glimmerbox-project", project()}};
}

QImage fileTypeIconImage(const Canvas& design, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(0);
    const int scale = std::max(1, size / std::max(design.width(), design.height()));
    paintCanvas(image, design, (size - scale * design.width()) / 2,
                (size - scale * design.height()) / 2, scale);
    return image;
}

} // namespace glimmer::artgen
