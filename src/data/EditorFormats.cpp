#include "EditorFormats.h"

#include <QRegularExpression>

namespace cv::data {

namespace {

const QString kFieldLetters = QStringLiteral("dMyHhmsz");
const QString kInputMaskMeta = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}");

// The letters of one run of the same format letter: "yyyy", "MM", ...
struct Run {
    QChar letter;
    qsizetype length;
};

Run runAt(const QString& format, qsizetype i)
{
    qsizetype end = i;
    while (end < format.size() && format[end] == format[i])
        ++end;
    return {format[i], end - i};
}

// Only numeric fields of fixed width can be typed into a mask; names,
// AM/PM markers, time zones and quoted text are left out.
QString fixedWidthOf(const QString& format)
{
    QString result;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == u'\'') {
            const qsizetype close = format.indexOf(u'\'', i + 1);
            i = close < 0 ? format.size() : close + 1;
            continue;
        }
        if (!c.isLetter()) {
            result += c;
            ++i;
            continue;
        }
        const Run run = runAt(format, i);
        i += run.length;
        switch (run.letter.unicode()) {
        case u'y':
            result += QStringLiteral("yyyy");
            break;
        case u'M':
            result += QStringLiteral("MM");
            break;
        case u'd':
            if (run.length <= 2)
                result += QStringLiteral("dd");
            break;
        case u'H':
        case u'h':
            result += QStringLiteral("HH");
            break;
        case u'm':
            result += QStringLiteral("mm");
            break;
        case u's':
            result += QStringLiteral("ss");
            break;
        default:
            break;
        }
    }
    return result.trimmed();
}

QString inputMaskOf(const QString& fixedFormat)
{
    QString mask;
    for (QChar c : fixedFormat) {
        if (kFieldLetters.contains(c))
            mask += u'9';
        else if (kInputMaskMeta.contains(c))
            mask += QLatin1Char('\\') + c;
        else
            mask += c;
    }
    return mask + QStringLiteral(";_");
}

QString patternOf(const QString& fixedFormat)
{
    QString pattern;
    for (qsizetype i = 0; i < fixedFormat.size();) {
        if (!kFieldLetters.contains(fixedFormat[i])) {
            pattern += QRegularExpression::escape(QString(fixedFormat[i]));
            ++i;
            continue;
        }
        const Run run = runAt(fixedFormat, i);
        pattern += QStringLiteral("\\d{%1}").arg(run.length);
        i += run.length;
    }
    return pattern;
}

QString currencyFormatOf(const text::FormatSettings& settings)
{
    const QString number = settings.currencyDecimals > 0
                               ? QStringLiteral("0.") + QString(settings.currencyDecimals, u'0')
                               : QStringLiteral("0");
    const QString& symbol = settings.currencyString;
    switch (settings.currencyFormat) {
    case 1:
        return number + symbol;
    case 2:
        return symbol + u' ' + number;
    case 3:
        return number + u' ' + symbol;
    default:
        return symbol + number;
    }
}

// A literal in Qt notation: between single quotes, inner quotes doubled.
QString quotedLiteral(const QString& text)
{
    QString inner = text;
    inner.replace(QStringLiteral("'"), QStringLiteral("''"));
    return u'\'' + inner + u'\'';
}

} // namespace

QString qtDateTimeFormat(const QString& format, const text::FormatSettings& settings)
{
    QString result;
    bool afterHour = false; // "m" right after an hour means minutes
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        const QChar lower = c.toLower();
        if (c == u'"' || c == u'\'') {
            const qsizetype close = format.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? format.size() : close;
            result += quotedLiteral(format.mid(i + 1, end - i - 1));
            i = end;
        } else if (lower == u'y' || lower == u'd') {
            result += lower;
            afterHour = false;
        } else if (lower == u'm') {
            result += afterHour ? u'm' : u'M';
        } else if (lower == u'n') {
            result += u'm';
        } else if (lower == u'h') {
            result += u'H';
            afterHour = true;
        } else if (lower == u's' || lower == u'z') {
            result += lower;
        } else if (c == u'/') {
            result += settings.dateSeparator;
        } else if (c == u':') {
            result += settings.timeSeparator;
        } else {
            result += c.isLetter() ? quotedLiteral(c) : QString(c);
        }
    }
    return result;
}

namespace {

EditorFormatTexts textsFor(const QLocale& locale, const EditorFormatOverrides& overrides,
                           bool useApplicationFormats)
{
    const text::FormatSettings& app = text::formatSettings();
    const QString date = useApplicationFormats ? qtDateTimeFormat(app.shortDateFormat)
                                               : locale.dateFormat(QLocale::ShortFormat);
    const QString time = useApplicationFormats ? qtDateTimeFormat(app.longTimeFormat)
                                               : locale.timeFormat(QLocale::LongFormat);
    EditorFormatTexts t;
    t.currencyFormat = overrides.currencyFormat.value_or(currencyFormatOf(app));
    t.dateEditFormat = date;
    t.maskedDateEditFormat = fixedWidthOf(date);
    t.maskedDateTimeEditFormat = t.maskedDateEditFormat + u' ' + fixedWidthOf(time);
    t.regExprDateEditMask =
        overrides.regExprDateEditMask.value_or(patternOf(t.maskedDateEditFormat));
    t.regExprDateTimeEditMask =
        overrides.regExprDateTimeEditMask.value_or(patternOf(t.maskedDateTimeEditFormat));
    t.standardDateEditMask =
        overrides.standardDateEditMask.value_or(inputMaskOf(t.maskedDateEditFormat));
    t.standardDateTimeEditMask =
        overrides.standardDateTimeEditMask.value_or(inputMaskOf(t.maskedDateTimeEditFormat));
    t.dateEditMask = t.standardDateEditMask;
    t.startOfWeek = overrides.startOfWeek.value_or(locale.firstDayOfWeek());
    return t;
}

} // namespace

EditorFormats::EditorFormats(QLocale locale, QObject* parent)
    : QObject(parent), m_locale(std::move(locale))
{
    update();
}

void EditorFormats::setOverrides(const EditorFormatOverrides& overrides)
{
    m_overrides = overrides;
    update();
}

void EditorFormats::setUseApplicationDateTimeFormats(bool on)
{
    m_useApplicationFormats = on;
    update();
}

void EditorFormats::beginUpdate()
{
    ++m_holds;
}

void EditorFormats::endUpdate()
{
    if (m_holds == 0 || --m_holds > 0 || !m_pending)
        return;
    update();
}

void EditorFormats::update()
{
    if (m_holds > 0) {
        m_pending = true;
        return;
    }
    m_pending = false;
    m_texts = textsFor(m_locale, m_overrides, m_useApplicationFormats);
    emit changed();
}

} // namespace cv::data
