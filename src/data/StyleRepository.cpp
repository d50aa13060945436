#include "StyleRepository.h"

namespace cv::data {

namespace {

struct StyleRow {
    StyleId id;
    const char16_t* name;
    QColor background;
    QColor text;
};

// An invalid colour leaves the colour unassigned.
const StyleRow kStyles[kStyleCount] = {
    {StyleId::Content, u"S_Content", QColor::fromRgb(0xFFFFFFu), QColor::fromRgb(0x000000u)},
    {StyleId::ContentEven, u"S_ContentEven", QColor::fromRgb(0xF8F8FFu),
     QColor::fromRgb(0x000000u)},
    {StyleId::ContentOdd, u"S_ContentOdd", QColor::fromRgb(0xD3E1EBu), QColor::fromRgb(0x000000u)},
    {StyleId::Footer, u"S_Footer", QColor::fromRgb(0x006B6Fu), QColor::fromRgb(0x000000u)},
    {StyleId::Group, u"S_Group", QColor::fromRgb(0xB0C4DEu), QColor::fromRgb(0x000000u)},
    {StyleId::GroupByBox, u"S_GroupByBox", QColor::fromRgb(0x05608Bu), QColor::fromRgb(0xFFF8DCu)},
    {StyleId::Header, u"S_Header", QColor::fromRgb(0x00CED1u), QColor::fromRgb(0x000000u)},
    {StyleId::Inactive, u"S_Inactive", QColor::fromRgb(0x000080u), QColor::fromRgb(0xFFFFFFu)},
    {StyleId::Indicator, u"S_Indicator", QColor::fromRgb(0x00CED1u), QColor::fromRgb(0x000000u)},
    {StyleId::Preview, u"S_Preview", QColor::fromRgb(0xFFFFFFu), QColor::fromRgb(0x0000FFu)},
    {StyleId::Selection, u"S_Selection", QColor::fromRgb(0x000080u), QColor::fromRgb(0xFFFFFFu)},
    {StyleId::MustInput, u"S_MustInput", QColor(), QColor::fromRgb(0xFF0000u)},
    {StyleId::MoneyBackground, u"S_MoneyBackground", QColor::fromRgb(0xC0DCC0u), QColor()},
};

} // namespace

StyleRepository::StyleRepository()
{
    for (const StyleRow& row : kStyles)
        style(row.id) = Style{row.background, row.text, std::nullopt};
}

QString StyleRepository::name(StyleId id)
{
    return QString::fromUtf16(kStyles[int(id)].name);
}

GridStyleSheet StyleRepository::sheet() const
{
    return GridStyleSheet{
        style(StyleId::Content),   style(StyleId::ContentEven), style(StyleId::ContentOdd),
        style(StyleId::Inactive),  style(StyleId::Selection),   style(StyleId::Footer),
        style(StyleId::Group),     style(StyleId::GroupByBox),  style(StyleId::Header),
        style(StyleId::Indicator), style(StyleId::Preview),
    };
}

} // namespace cv::data
