// The shared grid styles and the style sheets that say which style serves
// which element of a grid. Everything here is a plain value, so a grid widget
// can copy what it needs without knowing the data module.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <array>
#include <optional>

namespace cv::data {

// A colour or font left unassigned (invalid colour, no font) falls through
// to the grid's own palette.
struct Style {
    QColor background;
    QColor text;
    std::optional<QFont> font;

    friend bool operator==(const Style&, const Style&) = default;
};

enum class StyleId {
    Content,
    ContentEven,
    ContentOdd,
    Footer,
    Group,
    GroupByBox,
    Header,
    Inactive,
    Indicator,
    Preview,
    Selection,
    MustInput,
    MoneyBackground,
};
inline constexpr int kStyleCount = int(StyleId::MoneyBackground) + 1;

// The styles a grid table view paints its elements with.
struct GridStyleSheet {
    Style content;
    Style contentEven;
    Style contentOdd;
    Style inactive;
    Style selection;
    Style footer;
    Style group;
    Style groupByBox;
    Style header;
    Style indicator;
    Style preview;
};

class StyleRepository {
public:
    StyleRepository();

    const Style& style(StyleId id) const { return m_styles[std::size_t(id)]; }
    Style& style(StyleId id) { return m_styles[std::size_t(id)]; }
    // "S_Content" ... "S_MoneyBackground".
    static QString name(StyleId id);

    // The sheets are built from the current styles, so a style changed later
    // (the group style follows the look and feel) reaches every grid that
    // asks again.
    GridStyleSheet GridTableVS() const { return sheet(); }
    GridStyleSheet GridBandedTableVS() const { return sheet(); }

private:
    GridStyleSheet sheet() const;

    std::array<Style, kStyleCount> m_styles;
};

} // namespace cv::data
