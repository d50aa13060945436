#include "ToolkitTranslator.h"

#include "platform/abi/StageSingleton.h"

#include "shell/TCvApplication.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

#include <QCoreApplication>

#include <memory>

namespace cv::ui {

namespace {

StageSingleton<ToolkitTranslator> g_localizer;

constexpr int kAllLocales = -1;
constexpr int kChinesePrc = 2052;

// Splits at the first "=" not escaped; -1 when there is none.
qsizetype separatorIndex(const QString& line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == QLatin1Char('\\'))
            ++i;
        else if (line[i] == QLatin1Char('='))
            return i;
    }
    return -1;
}

QString unescape(QStringView text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\\') || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const QChar next = text[++i];
        out += next == QLatin1Char('n')   ? QChar(u'\n')
               : next == QLatin1Char('t') ? QChar(u'\t')
                                          : next;
    }
    return out;
}

QString fetchTranslationText()
{
    shell::TCvApplication* app = shell::TCvApplication::instance();
    if (!app || !app->LibraryBound())
        return {};
    corvelian::ICVLibrary2* library = app->SystemLibrary();
    WideString text;
    checkHost(library->GetResourceText(wideArg(QStringLiteral("DEVRES4.3")), 0, text.put()),
              library);
    return text.toQString();
}

} // namespace

void ToolkitTranslator::Load(const QString& text)
{
    m_byLocale.clear();
    int section = kAllLocales;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            bool ok = false;
            section = line.mid(1, line.size() - 2).toInt(&ok);
            if (!ok)
                section = 0; // an unknown section is read and never selected
            continue;
        }
        const qsizetype eq = separatorIndex(line);
        if (eq > 0 && line.left(eq).contains(QLatin1Char('|')))
            m_byLocale[section].insert(unescape(QStringView(line).left(eq)),
                                       unescape(QStringView(line).mid(eq + 1)));
    }
    SelectLocale(m_localeId);
}

void ToolkitTranslator::SelectLocale(int localeId)
{
    m_localeId = localeId;
    m_active = m_byLocale.value(kAllLocales);
    const Table& own = m_byLocale.value(localeId);
    for (auto it = own.cbegin(); it != own.cend(); ++it)
        m_active.insert(it.key(), it.value());
}

QLocale ToolkitTranslator::Locale() const
{
    return m_localeId == kChinesePrc ? QLocale(QLocale::Chinese, QLocale::China) : QLocale::c();
}

QString ToolkitTranslator::translate(const char* context, const char* sourceText, const char*,
                                     int) const
{
    if (!context || !sourceText)
        return {};
    return m_active.value(QString::fromUtf8(context) + QLatin1Char('|') +
                          QString::fromUtf8(sourceText));
}

ToolkitTranslator* Localizer()
{
    return g_localizer.get();
}

void LocalizerStage(std::uint8_t stage)
{
    if (stage == shell::StageStart && !g_localizer) {
        auto localizer = std::make_unique<ToolkitTranslator>();
        localizer->Load(fetchTranslationText());
        // Selected before installing, so the language-change notice that
        // installing sends already finds the Chinese texts.
        localizer->SelectLocale(kChinesePrc);
        QCoreApplication::installTranslator(localizer.get());
        g_localizer = std::move(localizer);
    } else if (stage == shell::StageStop && g_localizer) {
        QCoreApplication::removeTranslator(g_localizer.get());
        g_localizer.reset();
    }
}

} // namespace cv::ui
