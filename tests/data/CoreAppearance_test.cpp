#include "AppearanceFixture.h"

#include "data/CoreAppearance.h"
#include "host/resources/HostResourceModule.h"
#include "ui/Appearance.h"

#include <QSignalSpy>

using namespace cv;
using namespace cv::data;

namespace {

class CoreAppearanceTest : public cv::test::AppearanceFixture {};

QImage imageOf(const QIcon& icon, int size)
{
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The icon the host's resource module holds for the number, at the size.
QImage hostIcon(int number, int size)
{
    QIcon icon;
    ui::TCvRes::instance()->LoadIcon(icon, number, size);
    return imageOf(icon, size);
}

TEST_F(CoreAppearanceTest, ImageListsHoldTheHostIconsInTableOrderAtTheirSizes)
{
    CoreAppearance& appearance = startWithResources().Appearance();
    const QList<int>& numbers = CoreAppearance::IconNumbers();
    ASSERT_EQ(numbers.size(), 31);
    EXPECT_EQ(numbers.first(), 1116);
    EXPECT_EQ(numbers[13], 1013);
    EXPECT_EQ(numbers.last(), 1140);
    for (const ui::ImageList* list : {&appearance.ImgList_16(), &appearance.ImgList_24()}) {
        const int size = list->width();
        ASSERT_EQ(list->count(), 31) << size;
        for (int i = 0; i < 31; ++i) {
            const QImage expected = hostIcon(numbers[i], size);
            ASSERT_FALSE(expected.isNull()) << numbers[i];
            EXPECT_EQ(imageOf(list->icon(i), size), expected) << size << " index " << i;
        }
    }
    EXPECT_EQ(appearance.ImgList_16().size(), QSize(16, 16));
    EXPECT_EQ(appearance.ImgList_24().size(), QSize(24, 24));
}

TEST_F(CoreAppearanceTest, AMissingIconLeavesABlankImageAndLaterIndexesInPlace)
{
    ComPtr<host::HostResourceModule> module(new host::HostResourceModule);
    for (int number : CoreAppearance::IconNumbers())
        if (number != 1100)
            module->add(QStringLiteral("I%1").arg(number), QStringLiteral("ICON"),
                        host::makeIconFile(number));
    host.state().resourceModule = ComPtr<corvelian::ICVUnknown>(module.get());
    const ui::ImageList& list = startWithResources().Appearance().ImgList_16();
    ASSERT_EQ(list.count(), 31);
    EXPECT_TRUE(imageOf(list.icon(1), 16) != hostIcon(1116, 16));
    EXPECT_EQ(imageOf(list.icon(1), 16).pixelColor(8, 8).alpha(), 0);
    EXPECT_EQ(imageOf(list.icon(2), 16), hostIcon(1101, 16));
}

TEST_F(CoreAppearanceTest, LoadingTheImageListsAgainAddsNothing)
{
    CoreAppearance& appearance = startWithResources().Appearance();
    appearance.LoadImageLists();
    EXPECT_EQ(appearance.ImgList_16().count(), 31);
    EXPECT_EQ(appearance.ImgList_24().count(), 31);
}

TEST_F(CoreAppearanceTest, WithoutTheResourcesTheListsStayEmptyForALaterLoad)
{
    CoreAppearance& appearance = startCoreDM().Appearance();
    EXPECT_EQ(appearance.ImgList_16().count(), 0);
    ui::CvResStage(shell::StageStart);
    appearance.LoadImageLists();
    EXPECT_EQ(appearance.ImgList_16().count(), 31);
    EXPECT_EQ(appearance.ImgList_24().count(), 31);
    ui::CvResStage(shell::StageStop);
}

TEST_F(CoreAppearanceTest, StylesAndStyleSheetsCarryTheSharedColours)
{
    struct Row {
        StyleId id;
        const char* name;
        QRgb background; // 1: unassigned
        QRgb text;
    };
    const Row rows[] = {
        {StyleId::Content, "S_Content", 0xFFFFFF, 0x000000},
        {StyleId::ContentEven, "S_ContentEven", 0xF8F8FF, 0x000000},
        {StyleId::ContentOdd, "S_ContentOdd", 0xD3E1EB, 0x000000},
        {StyleId::Footer, "S_Footer", 0x006B6F, 0x000000},
        {StyleId::Group, "S_Group", 0xB0C4DE, 0x000000},
        {StyleId::GroupByBox, "S_GroupByBox", 0x05608B, 0xFFF8DC},
        {StyleId::Header, "S_Header", 0x00CED1, 0x000000},
        {StyleId::Inactive, "S_Inactive", 0x000080, 0xFFFFFF},
        {StyleId::Indicator, "S_Indicator", 0x00CED1, 0x000000},
        {StyleId::Preview, "S_Preview", 0xFFFFFF, 0x0000FF},
        {StyleId::Selection, "S_Selection", 0x000080, 0xFFFFFF},
        {StyleId::MustInput, "S_MustInput", 1, 0xFF0000},
        {StyleId::MoneyBackground, "S_MoneyBackground", 0xC0DCC0, 1},
    };
    const auto colour = [](QRgb rgb) { return rgb == 1 ? QColor() : QColor::fromRgb(rgb); };
    CoreAppearance& appearance = startCoreDM().Appearance();
    for (const Row& row : rows) {
        const Style& style = appearance.cxStyle().style(row.id);
        EXPECT_EQ(StyleRepository::name(row.id), QString::fromLatin1(row.name));
        EXPECT_EQ(style.background, colour(row.background)) << row.name;
        EXPECT_EQ(style.text, colour(row.text)) << row.name;
        EXPECT_FALSE(style.font) << row.name;
    }
    const StyleRepository& styles = appearance.cxStyle();
    for (const GridStyleSheet& sheet : {appearance.GridTableVS(), appearance.GridBandedTableVS()}) {
        EXPECT_EQ(sheet.content, styles.style(StyleId::Content));
        EXPECT_EQ(sheet.contentEven, styles.style(StyleId::ContentEven));
        EXPECT_EQ(sheet.contentOdd, styles.style(StyleId::ContentOdd));
        EXPECT_EQ(sheet.inactive, styles.style(StyleId::Inactive));
        EXPECT_EQ(sheet.selection, styles.style(StyleId::Selection));
        EXPECT_EQ(sheet.footer, styles.style(StyleId::Footer));
        EXPECT_EQ(sheet.group, styles.style(StyleId::Group));
        EXPECT_EQ(sheet.groupByBox, styles.style(StyleId::GroupByBox));
        EXPECT_EQ(sheet.header, styles.style(StyleId::Header));
        EXPECT_EQ(sheet.indicator, styles.style(StyleId::Indicator));
        EXPECT_EQ(sheet.preview, styles.style(StyleId::Preview));
    }
}

TEST_F(CoreAppearanceTest, TheDataModuleSetsTheGlobalLookAndFeelAndTheEditorAndHintDefaults)
{
    ui::SetRootLookAndFeel(2);
    CoreAppearance& appearance = startCoreDM().Appearance();
    EXPECT_EQ(ui::RootLookAndFeel()->kind(), ui::LookAndFeelKind::Office2003);
    EXPECT_FALSE(ui::RootLookAndFeel()->nativeStyle());
    const EditStyle& focused = appearance.cxtEditStyle().focused;
    EXPECT_EQ(focused.borderColor, QColor::fromRgb(0x008080));
    EXPECT_EQ(focused.borderStyle, EditBorderStyle::Thick);
    const HintStyle& hint = appearance.cxHintStyle();
    EXPECT_EQ(hint.callout, HintCallout::Auto);
    EXPECT_EQ(hint.icon, HintIcon::Information);
    EXPECT_TRUE(hint.rounded);
    for (const QFont& font : {hint.captionFont, hint.textFont}) {
        EXPECT_EQ(font.family(), QStringLiteral("Tahoma"));
        EXPECT_EQ(font.pointSize(), 8);
        EXPECT_FALSE(font.bold());
    }
}

TEST_F(CoreAppearanceTest, TheGroupStyleFollowsTheGlobalLookAndFeelFromItsFirstChange)
{
    CoreAppearance& appearance = startCoreDM().Appearance();
    ASSERT_NE(appearance.StyleLookAndFeel(), nullptr);
    QSignalSpy changed(&appearance, &CoreAppearance::changed);
    EXPECT_EQ(appearance.cxStyle().style(StyleId::Group).background, QColor::fromRgb(0xB0C4DE));

    ASSERT_TRUE(ui::SetRootLookAndFeel(0));
    const auto [background, text] = DefaultGroupColors(*ui::RootLookAndFeel());
    EXPECT_EQ(appearance.cxStyle().style(StyleId::Group).background, background);
    EXPECT_EQ(appearance.cxStyle().style(StyleId::Group).text, text);
    EXPECT_EQ(appearance.GridTableVS().group.background, background);
    EXPECT_FALSE(changed.isEmpty());

    appearance.UpdateGroupStyle(nullptr);
    EXPECT_EQ(appearance.cxStyle().style(StyleId::Group).background, background);
}

TEST_F(CoreAppearanceTest, AFreedDataModuleNoLongerFollowsTheLookAndFeel)
{
    startCoreDM();
    CoreDMStage(shell::StageStop);
    ASSERT_EQ(CoreDM(), nullptr);
    EXPECT_TRUE(ui::SetRootLookAndFeel(3)); // nothing left to notify
}

TEST_F(CoreAppearanceTest, EditorFontGoesToEveryEditorStateAndTheHintsWithACappedBoldCaption)
{
    const QFont system(QStringLiteral("DejaVu Sans"), 22);
    struct Case {
        const char* name;
        shell::EditorFont font;
        QFont expectedEditor;
        int captionPoints;
    };
    QFont host20(QStringLiteral("Tahoma"), 20);
    host20.setItalic(true);
    QFont host12(QStringLiteral("Tahoma"), 12);
    host12.setBold(true);
    const Case cases[] = {
        {"host font of 20 points", {true, QStringLiteral("Tahoma"), 20, 1, system}, host20, 16},
        {"host font of 12 points", {true, QStringLiteral("Tahoma"), 12, 2, system}, host12, 12},
        {"system font", {false, QStringLiteral("Tahoma"), 12, 2, system}, system, 16},
    };
    CoreAppearance& appearance = startCoreDM().Appearance();
    for (const Case& c : cases) {
        appearance.ApplyEditorFont(c.font);
        const EditStyleController& editors = appearance.cxtEditStyle();
        for (const EditStyle* style :
             {&editors.normal, &editors.disabled, &editors.focused, &editors.hot})
            EXPECT_EQ(style->font, c.expectedEditor) << c.name;
        const HintStyle& hint = appearance.cxHintStyle();
        EXPECT_EQ(hint.textFont, c.expectedEditor) << c.name;
        EXPECT_EQ(hint.captionFont.family(), c.expectedEditor.family()) << c.name;
        EXPECT_EQ(hint.captionFont.italic(), c.expectedEditor.italic()) << c.name;
        EXPECT_TRUE(hint.captionFont.bold()) << c.name;
        EXPECT_EQ(hint.captionFont.pointSize(), c.captionPoints) << c.name;
    }
}

TEST_F(CoreAppearanceTest, EditButtonStyleFollowsTheHostIndexAndOtherIndexesChangeNoButton)
{
    CoreAppearance& appearance = startCoreDM().Appearance();
    const struct {
        int kind;
        EditButtonStyle expected;
    } cases[] = {
        {0, EditButtonStyle::Flat},      {1, EditButtonStyle::Office11},
        {2, EditButtonStyle::Default},   {3, EditButtonStyle::UltraFlat},
        {4, EditButtonStyle::UltraFlat}, {-1, EditButtonStyle::UltraFlat},
    };
    for (const auto& c : cases) {
        appearance.SetEditButtonStyle(c.kind);
        const EditStyleController& editors = appearance.cxtEditStyle();
        EXPECT_EQ(editors.focused.buttonStyle, c.expected) << c.kind;
        for (const EditStyle* style : {&editors.normal, &editors.disabled, &editors.hot})
            EXPECT_EQ(style->buttonStyle, EditButtonStyle::Default) << c.kind;
    }
}

TEST_F(CoreAppearanceTest, EditButtonStyleAppliesTheHostAppearanceFirst)
{
    host.config().lookAndFeel = 4;
    host.config().useColorScheme = true;
    host.config().colorScheme = 3;
    CoreAppearance& appearance = startCoreDM().Appearance();
    appearance.SetEditButtonStyle(4);
    EXPECT_EQ(ui::RootLookAndFeel()->kind(), ui::LookAndFeelKind::Office2003);
    EXPECT_EQ(ui::RootLookAndFeel()->office2003Scheme(), 3);
    EXPECT_EQ(appearance.cxtEditStyle().focused.buttonStyle, EditButtonStyle::Default);
}

QStringList labelsOf(const QString& text)
{
    QStringList labels;
    for (const QString& line : text.split(QStringLiteral("\r\n")))
        labels << line.section(u':', 0, 0);
    return labels;
}

TEST_F(CoreAppearanceTest, DateTimeFormatsAreLoggedBeforeAndAfterTheEditorsSwitch)
{
    CoreAppearance& appearance = startCoreDM().Appearance();
    appearance.ApplyDateTimeFormats();
    const QString expectedAfter =
        QStringList{
            QStringLiteral("-Application 环境"),
            QStringLiteral("CurrencyString:"),
            QStringLiteral("CurrencyDecimals:6"),
            QStringLiteral("DateSeparator:-"),
            QStringLiteral("TimeSeparator::"),
            QStringLiteral("LongDateFormat:") + text::formatSettings().longDateFormat,
            QStringLiteral("ShortDateFormat:YYYY-MM-DD"),
            QStringLiteral("LongTimeFormat:HH:NN:SS"),
            QStringLiteral("ShortTimeFormat:") + text::formatSettings().shortTimeFormat,
            QString(),
            QStringLiteral("-Dev 环境"),
            QStringLiteral("AssignedCurrencyFormat:False"),
            QStringLiteral("AssignedRegExprDateEditMask:False"),
            QStringLiteral("AssignedRegExprDateTimeEditMask:False"),
            QStringLiteral("AssignedStandardDateEditMask:False"),
            QStringLiteral("AssignedStandardDateTimeEditMask:False"),
            QStringLiteral("AssignedStartOfWeek:False"),
            QStringLiteral("CurrencyFormat:0.000000"),
            QStringLiteral("DateEditFormat:yyyy-MM-dd"),
            QStringLiteral("DateEditMask:9999-99-99;_"),
            QStringLiteral("MaskedDateEditFormat:yyyy-MM-dd"),
            QStringLiteral("MaskedDateTimeEditFormat:yyyy-MM-dd HH:mm:ss"),
            QStringLiteral("RegExprDateEditMask:\\d{4}\\-\\d{2}\\-\\d{2}"),
            QStringLiteral(
                "RegExprDateTimeEditMask:\\d{4}\\-\\d{2}\\-\\d{2}\\ \\d{2}\\:\\d{2}\\:\\d{2}"),
            QStringLiteral("StandardDateEditMask:9999-99-99;_"),
            QStringLiteral("StandardDateTimeEditMask:9999-99-99 99:99:99;_"),
            QStringLiteral("UseApplicationDateTimeFormats:True"),
        }
            .join(QStringLiteral("\r\n"));

    const QStringList log = coreLog();
    ASSERT_EQ(log.size(), 2);
    const auto entries = logWithTitle(QStringLiteral("(修正后)系统环境变量"));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].level, 0);
    EXPECT_EQ(entries[0].text, expectedAfter);
    const auto before = logWithTitle(QStringLiteral("(系统)系统环境变量"));
    ASSERT_EQ(before.size(), 1u);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("(系统)系统环境变量|")));
    EXPECT_EQ(labelsOf(before[0].text), labelsOf(expectedAfter));
    EXPECT_TRUE(before[0].text.endsWith(QStringLiteral("UseApplicationDateTimeFormats:False")));
}

} // namespace
