// Translations of the toolkit's own captions and messages (standard buttons,
// edit context menus, ...), read from the host's resource text.
//
// Text format: lines "context|source=translation" grouped under "[locale]"
// headers (a Windows locale id, 2052 = Chinese, PRC); lines before the first
// header belong to every locale; lines starting with ";" or "#" are comments.
// In source and translation "\n", "\t", "\=" and "\\" stand for a line
// break, a tab, "=" and "\".
#pragma once

#include <QHash>
#include <QLocale>
#include <QTranslator>

#include <cstdint>

namespace cv::ui {

class ToolkitTranslator : public QTranslator {
    Q_OBJECT
public:
    explicit ToolkitTranslator(QObject* parent = nullptr) : QTranslator(parent) {}

    void Load(const QString& text);
    // Makes the entries of the locale id (and the common ones) active.
    void SelectLocale(int localeId);
    int LocaleId() const { return m_localeId; }
    QLocale Locale() const;

    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override { return m_active.isEmpty(); }

private:
    using Table = QHash<QString, QString>; // "context|source" -> translation

    QHash<int, Table> m_byLocale; // -1: every locale
    Table m_active;
    int m_localeId = 0;
};

// The module's localizer between lifecycle stages 0 and 1 (null outside).
ToolkitTranslator* Localizer();

// Lifecycle callback: stage 0 creates the localizer from the host's resource
// text "DEVRES4.3", installs it and selects locale 2052; stage 1 removes and
// frees it.
void LocalizerStage(std::uint8_t stage);

} // namespace cv::ui
