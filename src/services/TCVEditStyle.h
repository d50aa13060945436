// The style of one editor, published by the editor as its "Style" property
// (a QObject*). It keeps only the values assigned to it; an editor paints the
// default editor style for every value left unassigned.
#pragma once

#include "data/EditorStyles.h"
#include "ui/LookAndFeel.h"

#include <QColor>
#include <QObject>

#include <optional>

namespace cv::services {

class TCVEditStyle : public QObject {
    Q_OBJECT
public:
    explicit TCVEditStyle(QObject* parent = nullptr) : QObject(parent) {}

    std::optional<data::EditBorderStyle> BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(data::EditBorderStyle style);
    std::optional<QColor> BorderColor() const { return m_borderColor; }
    void SetBorderColor(const QColor& color);
    std::optional<data::EditButtonStyle> ButtonStyle() const { return m_buttonStyle; }
    void SetButtonStyle(data::EditButtonStyle style);

    // The look and feel the editor paints with; not an assigned value.
    ui::LookAndFeelKind LookAndFeelKind() const { return m_kind; }
    void SetLookAndFeelKind(ui::LookAndFeelKind kind);

    bool HasAssignedValues() const { return m_borderStyle || m_borderColor || m_buttonStyle; }
    // Clears every assigned value.
    void RestoreDefaults();

    // The style an object publishes as "Style"; null when it has none.
    static TCVEditStyle* Of(const QObject* object);

signals:
    void changed();

private:
    std::optional<data::EditBorderStyle> m_borderStyle;
    std::optional<QColor> m_borderColor;
    std::optional<data::EditButtonStyle> m_buttonStyle;
    ui::LookAndFeelKind m_kind = ui::LookAndFeelKind::Office2003;
};

} // namespace cv::services
