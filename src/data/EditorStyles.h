// The default look of every editor and every hint of the module, as plain
// values that editors and hint painters read.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

namespace cv::data {

enum class EditBorderStyle { Single, Thick, Flat, ThreeD, UltraFlat, None };
enum class EditButtonStyle { Default, Flat, Office11, UltraFlat };

struct EditStyle {
    QFont font;
    QColor borderColor; // invalid: the look and feel's own
    EditBorderStyle borderStyle = EditBorderStyle::Single;
    EditButtonStyle buttonStyle = EditButtonStyle::Default;
};

// Styles every editor that has no style of its own, by its state.
struct EditStyleController {
    EditStyle normal;
    EditStyle disabled;
    EditStyle focused{QFont(), QColor::fromRgb(0x008080u), EditBorderStyle::Thick,
                      EditButtonStyle::Default};
    EditStyle hot;
};

enum class HintCallout { Auto, None, Left, Right, Top, Bottom };
enum class HintIcon { None, Application, Information, Warning, Error };

inline QFont defaultHintFont()
{
    return QFont(QStringLiteral("Tahoma"), 8);
}

struct HintStyle {
    HintCallout callout = HintCallout::Auto;
    QFont captionFont = defaultHintFont();
    QFont textFont = defaultHintFont();
    // Both fonts take this colour of the hint's palette.
    QPalette::ColorRole fontColorRole = QPalette::WindowText;
    HintIcon icon = HintIcon::Information;
    bool rounded = true;
};

} // namespace cv::data
