#include "CoreAppearance.h"

#include "shell/TCvApplication.h"
#include "ui/Appearance.h"
#include "ui/TCvRes.h"

#include <QPalette>

namespace cv::data {

namespace {

const QString kSource = QStringLiteral("CoreDm");
constexpr int kMaxHintCaptionPoints = 16;

void writeLog(int level, const QString& title, const QString& text)
{
    if (auto* app = shell::TCvApplication::instance())
        app->WriteLog(level, kSource, title, text);
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QStringList applicationLines()
{
    const text::FormatSettings& s = text::formatSettings();
    return {
        QStringLiteral("-Application 环境"),
        QStringLiteral("CurrencyString:") + s.currencyString,
        QStringLiteral("CurrencyDecimals:") + QString::number(s.currencyDecimals),
        QStringLiteral("DateSeparator:") + s.dateSeparator,
        QStringLiteral("TimeSeparator:") + s.timeSeparator,
        QStringLiteral("LongDateFormat:") + s.longDateFormat,
        QStringLiteral("ShortDateFormat:") + s.shortDateFormat,
        QStringLiteral("LongTimeFormat:") + s.longTimeFormat,
        QStringLiteral("ShortTimeFormat:") + s.shortTimeFormat,
    };
}

QStringList editorLines(const EditorFormats& formats)
{
    const EditorFormatOverrides& o = formats.overrides();
    const EditorFormatTexts& t = formats.texts();
    return {
        QStringLiteral("-Dev 环境"),
        QStringLiteral("AssignedCurrencyFormat:") + yesNo(o.currencyFormat.has_value()),
        QStringLiteral("AssignedRegExprDateEditMask:") + yesNo(o.regExprDateEditMask.has_value()),
        QStringLiteral("AssignedRegExprDateTimeEditMask:") +
            yesNo(o.regExprDateTimeEditMask.has_value()),
        QStringLiteral("AssignedStandardDateEditMask:") + yesNo(o.standardDateEditMask.has_value()),
        QStringLiteral("AssignedStandardDateTimeEditMask:") +
            yesNo(o.standardDateTimeEditMask.has_value()),
        QStringLiteral("AssignedStartOfWeek:") + yesNo(o.startOfWeek.has_value()),
        QStringLiteral("CurrencyFormat:") + t.currencyFormat,
        QStringLiteral("DateEditFormat:") + t.dateEditFormat,
        QStringLiteral("DateEditMask:") + t.dateEditMask,
        QStringLiteral("MaskedDateEditFormat:") + t.maskedDateEditFormat,
        QStringLiteral("MaskedDateTimeEditFormat:") + t.maskedDateTimeEditFormat,
        QStringLiteral("RegExprDateEditMask:") + t.regExprDateEditMask,
        QStringLiteral("RegExprDateTimeEditMask:") + t.regExprDateTimeEditMask,
        QStringLiteral("StandardDateEditMask:") + t.standardDateEditMask,
        QStringLiteral("StandardDateTimeEditMask:") + t.standardDateTimeEditMask,
        QStringLiteral("UseApplicationDateTimeFormats:") +
            yesNo(formats.useApplicationDateTimeFormats()),
    };
}

QFont editorFont(const QFont& current, const shell::EditorFont& font)
{
    if (!font.useHostFont)
        return font.systemFont;
    return ui::FontFromInfo(current, shell::FontInfo{font.name, true, font.size, font.styleCode});
}

} // namespace

CoreAppearance::CoreAppearance(QObject* parent) : QObject(parent)
{
    if (ui::LookAndFeel* root = ui::RootLookAndFeel()) {
        root->setKind(ui::LookAndFeelKind::Office2003);
        root->setNativeStyle(false);
    }
}

CoreAppearance::~CoreAppearance() = default;

const QList<int>& CoreAppearance::IconNumbers()
{
    static const QList<int> numbers = {1116, 1100, 1101, 1102, 1105, 1106, 1115, 1113,
                                       1108, 1107, 1109, 1110, 1112, 1013, 1118, 1117,
                                       1128, 1129, 1131, 1130, 1119, 1103, 1122, 1123,
                                       1125, 1126, 1132, 1137, 1104, 1127, 1140};
    return numbers;
}

void CoreAppearance::CreateStyleLookAndFeel()
{
    if (m_styleLookAndFeel)
        return;
    m_styleLookAndFeel = std::make_unique<ui::LookAndFeel>(ui::RootLookAndFeel());
    connect(m_styleLookAndFeel.get(), &ui::LookAndFeel::changed, this,
            [this] { UpdateGroupStyle(m_styleLookAndFeel.get()); });
}

void CoreAppearance::FreeStyleLookAndFeel()
{
    m_styleLookAndFeel.reset();
}

QString CoreAppearance::EnvironmentText() const
{
    return (applicationLines() + QStringList{QString()} + editorLines(m_editorFormats))
        .join(QStringLiteral("\r\n"));
}

void CoreAppearance::LogEnvironment(const QString& title) const
{
    writeLog(0, u'(' + title + QStringLiteral(")系统环境变量"), EnvironmentText());
}

void CoreAppearance::ApplyDateTimeFormats()
{
    LogEnvironment(QStringLiteral("系统"));
    m_editorFormats.beginUpdate();
    m_editorFormats.setUseApplicationDateTimeFormats(true);
    m_editorFormats.endUpdate();
    LogEnvironment(QStringLiteral("修正后"));
}

void CoreAppearance::ApplyEditorFont(const shell::EditorFont& font)
{
    for (EditStyle* style :
         {&m_editStyle.normal, &m_editStyle.disabled, &m_editStyle.focused, &m_editStyle.hot})
        style->font = editorFont(style->font, font);
    m_hintStyle.textFont = m_editStyle.normal.font;
    m_hintStyle.captionFont = m_editStyle.normal.font;
    m_hintStyle.captionFont.setBold(true);
    if (m_hintStyle.captionFont.pointSizeF() > kMaxHintCaptionPoints)
        m_hintStyle.captionFont.setPointSize(kMaxHintCaptionPoints);
    emit changed();
}

void CoreAppearance::SetEditButtonStyle(int kind)
{
    static constexpr EditButtonStyle styles[] = {EditButtonStyle::Flat, EditButtonStyle::Office11,
                                                 EditButtonStyle::Default,
                                                 EditButtonStyle::UltraFlat};
    ui::ApplyHostAppearance();
    if (kind < 0 || kind > 3)
        return;
    m_editStyle.focused.buttonStyle = styles[kind];
    emit changed();
}

void CoreAppearance::LoadImageLists()
{
    // Without the resources there is nothing to load yet; the lists stay
    // empty so that a later call can fill them.
    const ui::TCvRes* resources = ui::TCvRes::instance();
    if (!resources)
        return;
    for (ui::ImageList* list : {&m_images16, &m_images24})
        if (list->count() == 0)
            resources->LoadIcons(*list, IconNumbers(), 0);
}

void CoreAppearance::UpdateGroupStyle(const ui::LookAndFeel* lookAndFeel)
{
    if (!lookAndFeel)
        return;
    const auto [background, text] = DefaultGroupColors(*lookAndFeel);
    Style& group = m_styles.style(StyleId::Group);
    group.background = background;
    group.text = text;
    emit changed();
}

std::pair<QColor, QColor> DefaultGroupColors(const ui::LookAndFeel& lookAndFeel)
{
    // Office 2003 groups take the darker colour of the scheme's gradient;
    // the other kinds paint groups like buttons.
    const QPalette palette;
    if (lookAndFeel.kind() == ui::LookAndFeelKind::Office2003)
        return {lookAndFeel.gradientColors(palette.color(QPalette::Window)).second,
                palette.color(QPalette::WindowText)};
    return {palette.color(QPalette::Button), palette.color(QPalette::ButtonText)};
}

} // namespace cv::data
