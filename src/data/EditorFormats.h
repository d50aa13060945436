// The formats the editors show and accept dates, times and amounts in. By
// default the date edits follow the system's locale; switched to the
// application's own formats they read and write dates the way the module
// writes them into statements.
#pragma once

#include "platform/text/FormatSettings.h"

#include <QLocale>
#include <QObject>
#include <QString>

#include <optional>

namespace cv::data {

// Formats in Qt's date-time notation ("yyyy-MM-dd"), masks in
// QLineEdit::inputMask notation, patterns as regular expressions.
struct EditorFormatTexts {
    QString currencyFormat;
    QString dateEditFormat;
    QString dateEditMask;
    QString maskedDateEditFormat;
    QString maskedDateTimeEditFormat;
    QString regExprDateEditMask;
    QString regExprDateTimeEditMask;
    QString standardDateEditMask;
    QString standardDateTimeEditMask;
    Qt::DayOfWeek startOfWeek = Qt::Monday;
};

// Values given explicitly instead of derived ones.
struct EditorFormatOverrides {
    std::optional<QString> currencyFormat;
    std::optional<QString> regExprDateEditMask;
    std::optional<QString> regExprDateTimeEditMask;
    std::optional<QString> standardDateEditMask;
    std::optional<QString> standardDateTimeEditMask;
    std::optional<Qt::DayOfWeek> startOfWeek;
};

class EditorFormats : public QObject {
    Q_OBJECT
public:
    explicit EditorFormats(QLocale locale = QLocale::system(), QObject* parent = nullptr);

    const EditorFormatTexts& texts() const { return m_texts; }
    const EditorFormatOverrides& overrides() const { return m_overrides; }
    void setOverrides(const EditorFormatOverrides& overrides);

    bool useApplicationDateTimeFormats() const { return m_useApplicationFormats; }
    void setUseApplicationDateTimeFormats(bool on);

    // Holds the recomputation: changes made while held are recomputed once,
    // when the outermost hold ends.
    void beginUpdate();
    void endUpdate();

signals:
    // After each recomputation.
    void changed();

private:
    void update();

    QLocale m_locale;
    EditorFormatOverrides m_overrides;
    bool m_useApplicationFormats = false;
    int m_holds = 0;
    bool m_pending = false;
    EditorFormatTexts m_texts;
};

// A date-time format of the application ("YYYY-MM-DD", "HH:NN:SS") in Qt's
// notation ("yyyy-MM-dd", "HH:mm:ss").
QString qtDateTimeFormat(const QString& format,
                         const text::FormatSettings& settings = text::formatSettings());

} // namespace cv::data
