// Cell styles of a grid, the way a style repository feeds them: a colour or
// font left unassigned (invalid colour, no font) falls through to the next
// style or to the widget's palette.
#pragma once

#include <QColor>
#include <QFont>

#include <optional>

namespace cv::widgets {

struct CellStyle {
    QColor background;
    QColor text;
    std::optional<QFont> font;
};

// Rows count from 0, so the first row is an even one.
struct GridStyles {
    CellStyle content;
    CellStyle contentEven;
    CellStyle contentOdd;
    CellStyle selection; // the focused row while the grid has the focus
    CellStyle inactive;  // the focused row otherwise; selection when unassigned
};

} // namespace cv::widgets
