// The appearance resources every module window shares: the global look and
// feel, the default editor and hint styles, the grid styles with their style
// sheets, the two image lists of host icons, and the editors' date and time
// formats. The data module holds one instance.
#pragma once

#include "EditorFormats.h"
#include "EditorStyles.h"
#include "StyleRepository.h"

#include "shell/PackageServices.h"
#include "ui/ImageList.h"
#include "ui/LookAndFeel.h"

#include <QObject>

#include <memory>
#include <utility>

namespace cv::data {

class CoreAppearance : public QObject {
    Q_OBJECT
public:
    // Sets the global look and feel to Office 2003 ("Office 11" in the host).
    explicit CoreAppearance(QObject* parent = nullptr);
    ~CoreAppearance() override;

    const EditStyleController& cxtEditStyle() const { return m_editStyle; }
    const HintStyle& cxHintStyle() const { return m_hintStyle; }
    const StyleRepository& cxStyle() const { return m_styles; }
    GridStyleSheet GridTableVS() const { return m_styles.GridTableVS(); }
    GridStyleSheet GridBandedTableVS() const { return m_styles.GridBandedTableVS(); }
    const ui::ImageList& ImgList_16() const { return m_images16; }
    const ui::ImageList& ImgList_24() const { return m_images24; }
    EditorFormats& editorFormats() { return m_editorFormats; }
    // Follows the global look and feel while it exists (null otherwise).
    ui::LookAndFeel* StyleLookAndFeel() const { return m_styleLookAndFeel.get(); }

    void CreateStyleLookAndFeel();
    void FreeStyleLookAndFeel();

    // The application's and the editors' format settings to the host log.
    void LogEnvironment(const QString& title) const;
    // Switches the editors to the application's date and time formats,
    // logging the settings before and after.
    void ApplyDateTimeFormats();
    // The host's font (or the system's) to every editor state and to the
    // hints; hint captions are bold and at most 16 points.
    void ApplyEditorFont(const shell::EditorFont& font);
    // The host's appearance to the whole user interface, then its look and
    // feel index (0 flat, 1 Office 11, 2 default, 3 ultra-flat) to the button
    // style of focused editors; another index leaves the buttons alone.
    void SetEditButtonStyle(int kind);
    // Fills each empty image list with the module's icons at its size.
    void LoadImageLists();
    // The group style takes the group colours of the look and feel.
    void UpdateGroupStyle(const ui::LookAndFeel* lookAndFeel);

    // Icon numbers of the image lists; image i shows icon i.
    static const QList<int>& IconNumbers();

signals:
    // After the editor, hint or grid styles changed.
    void changed();

private:
    QString EnvironmentText() const;

    EditStyleController m_editStyle;
    StyleRepository m_styles;
    ui::ImageList m_images16{16, 16};
    ui::ImageList m_images24{24, 24};
    HintStyle m_hintStyle;
    EditorFormats m_editorFormats;
    std::unique_ptr<ui::LookAndFeel> m_styleLookAndFeel;
};

// Background and text colour of group rows under the look and feel.
std::pair<QColor, QColor> DefaultGroupColors(const ui::LookAndFeel& lookAndFeel);

} // namespace cv::data
