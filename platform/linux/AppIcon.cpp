#include "platform/linux/AppIcon.h"

#include <cairo.h>

#include <cmath>
#include <initializer_list>

namespace platform::gtk {
namespace {

// The mark, on a unit square: a blue rounded tile (#1F5FAF, darker edge #174A8A)
// carrying a white serial-number label with a dark barcode, and a white magnifier
// over its lower right corner. The Windows .ico shares the tile and the magnifier.
void DrawMark(cairo_t* cr, double size) {
    cairo_scale(cr, size, size);

    auto roundedRect = [cr](double x, double y, double w, double h, double r) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
        cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
        cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
        cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
        cairo_close_path(cr);
    };

    // The tile.
    roundedRect(0.03, 0.03, 0.94, 0.94, 0.18);
    cairo_set_source_rgb(cr, 0x1F / 255.0, 0x5F / 255.0, 0xAF / 255.0);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.04);
    cairo_set_source_rgb(cr, 0x17 / 255.0, 0x4A / 255.0, 0x8A / 255.0);
    cairo_stroke(cr);

    // The label with its barcode.
    roundedRect(0.16, 0.20, 0.60, 0.44, 0.06);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    static constexpr double kBars[][2] = {{0.22, 0.05}, {0.31, 0.03}, {0.38, 0.07}, {0.49, 0.03},
                                          {0.56, 0.05}, {0.65, 0.04}};
    cairo_set_source_rgb(cr, 0x1A / 255.0, 0x23 / 255.0, 0x32 / 255.0);
    for (const auto& bar : kBars) {
        cairo_rectangle(cr, bar[0], 0.27, bar[1], 0.30);
    }
    cairo_fill(cr);

    // The magnifier: a white ring with a blue-filled lens and a white handle.
    const double cx = 0.66, cy = 0.66, r = 0.15;
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0x1F / 255.0, 0x5F / 255.0, 0xAF / 255.0);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, 0.07);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 0.10);
    cairo_move_to(cr, cx + r * 0.75, cy + r * 0.75);
    cairo_line_to(cr, 0.88, 0.88);
    cairo_stroke(cr);
}

GdkPixbuf* RenderIcon(int size) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    DrawMark(cr, size);
    cairo_destroy(cr);
    GdkPixbuf* pixbuf = gdk_pixbuf_get_from_surface(surface, 0, 0, size, size);
    cairo_surface_destroy(surface);
    return pixbuf;
}

}  // namespace

GList* CreateAppIconList() {
    GList* icons = nullptr;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        if (GdkPixbuf* pixbuf = RenderIcon(size)) icons = g_list_append(icons, pixbuf);
    }
    return icons;
}

}  // namespace platform::gtk
