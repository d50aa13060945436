#include "TMsgBoxEx.h"

#include "shell/TCvApplication.h"

#include "platform/abi/Exception.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextLayout>

#include <cmath>

namespace cv::ui {

namespace {

struct ButtonKind {
    const char16_t* caption;
    int result;
};

// Results equal the Windows command identifiers.
constexpr ButtonKind kButtons[] = {
    {u"是(&Y)", 6},   {u"否(&N)", 7},   {u"确定(&O)", 1}, {u"取消(&C)", 2},
    {u"终止(&A)", 3}, {u"重试(&R)", 4}, {u"忽略(&I)", 5},
};
enum { Yes, No, Ok, Cancel, Abort, Retry, Ignore };

const QString kNoDetails = QStringLiteral("无详细信息");
const QString kCreatedLabel = QStringLiteral("消息创建时间：");
constexpr int kMargin = 15;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonPitch = 90;

TMsgBoxEx::Answerer& answererSlot()
{
    static TMsgBoxEx::Answerer answerer;
    return answerer;
}

int iconGroupOf(int style)
{
    if (style >= 1 && style <= 5)
        return 0;
    for (int group : {16, 32, 48, 64, 128})
        if (style >= group && style <= group + 5)
            return group;
    return 64;
}

QList<int> buttonSetOf(int kind)
{
    switch (kind) {
    case 1:
        return {Ok, Cancel};
    case 2:
        return {Abort, Retry, Ignore};
    case 3:
        return {Yes, No, Cancel};
    case 4:
        return {Yes, No};
    case 5:
        return {Retry, Cancel};
    default:
        return {Ok};
    }
}

QPixmap groupPixmap(int group, const QStyle& style)
{
    QIcon icon;
    switch (group) {
    case 16:
        icon = style.standardIcon(QStyle::SP_MessageBoxCritical);
        break;
    case 32:
        icon = style.standardIcon(QStyle::SP_MessageBoxQuestion);
        break;
    case 48:
        icon = style.standardIcon(QStyle::SP_MessageBoxWarning);
        break;
    case 64:
        icon = style.standardIcon(QStyle::SP_MessageBoxInformation);
        break;
    default:
        icon = QApplication::windowIcon();
        if (icon.isNull())
            icon = style.standardIcon(QStyle::SP_DesktopIcon);
    }
    // System icons are 32 pixels; a theme that has only smaller ones is scaled.
    const QPixmap pixmap = icon.pixmap(32, 32);
    return pixmap.size() == QSize(32, 32) ? pixmap : pixmap.scaled(32, 32);
}

// Lays out text broken at words (inside a word where one does not fit) with
// tabs expanded, the way the box measures and draws it; draws when a painter
// is given. Answers the size of the text, 0 x 0 for none.
QSize layoutText(const QString& text, const QFont& font, int width, QPainter* painter = nullptr,
                 QPointF origin = {})
{
    if (text.isEmpty())
        return {0, 0};
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(8 * QFontMetricsF(font).averageCharWidth());
    qreal y = 0, widest = 0;
    for (const QString& paragraph : lines.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
            widest = std::max(widest, line.naturalTextWidth());
        }
        layout.endLayout();
        if (painter)
            layout.draw(painter, origin);
    }
    return {int(std::ceil(widest)), int(std::ceil(y))};
}

QRect workArea(const QWidget& widget)
{
    const QScreen* screen = widget.screen() ? widget.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

TMsgBoxEx::TMsgBoxEx(QWidget* parent) : TCvBaseForm(parent)
{
    TakeActiveWindowAsOwner();
    installEventFilter(this);
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("Icon"));
    m_icon->move(kMargin, kMargin);
    setIcon(groupPixmap(128, *style()));
    m_details = new QPlainTextEdit(this);
    m_details->setObjectName(QStringLiteral("Details"));
    m_details->setReadOnly(true);
    m_details->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_details->installEventFilter(this);
    m_details->hide();
    setWindowTitle(ApplicationTitle());
    setLayoutDirection(QApplication::layoutDirection());
    resize(350, 120);
    ApplyHostFont();
}

void TMsgBoxEx::setIcon(const QPixmap& pixmap)
{
    m_icon->setPixmap(pixmap);
    m_icon->adjustSize();
}

void TMsgBoxEx::SetMessageText(const QString& text)
{
    if (text == m_messageText)
        return;
    m_messageText = text;
    setAccessibleDescription(text);
    Arrange();
    update();
}

void TMsgBoxEx::SetDetailsText(const QString& text)
{
    if (text == m_detailsText)
        return;
    m_detailsText = text;
    m_details->setPlainText(text);
    m_details->setVisible(!text.isEmpty());
    m_detailsHeight = text.isEmpty() ? 0 : 80;
}

void TMsgBoxEx::SetCaption(const QString& caption)
{
    QString line = caption;
    line.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    setWindowTitle(line);
}

void TMsgBoxEx::SetStyle(int newStyle)
{
    if (newStyle == m_style)
        return;
    qDeleteAll(m_buttons);
    m_buttons.clear();
    m_style = newStyle;
    if (newStyle != -1) {
        m_iconGroup = iconGroupOf(newStyle);
        if (!m_customPicture)
            setIcon(groupPixmap(m_iconGroup, *style()));
        createButtons();
    }
    Arrange();
}

void TMsgBoxEx::createButtons()
{
    for (int kind : buttonSetOf(m_style - m_iconGroup)) {
        auto* button = new QPushButton(QString::fromUtf16(kButtons[kind].caption), this);
        const int result = kButtons[kind].result;
        button->setFixedSize(kButtonWidth, kButtonHeight);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        button->setDefault(m_buttons.isEmpty());
        button->show();
        m_buttons.append(button);
    }
}

void TMsgBoxEx::SetPicture(const QPixmap& picture)
{
    if (picture.isNull())
        return;
    setIcon(picture);
    m_customPicture = true;
}

void TMsgBoxEx::Arrange()
{
    m_bottomAreaHeight = m_style == -1 ? 0 : m_detailsHeight + 40;
    const QRect work = workArea(*this);
    const QSize icon = m_icon->size();
    // Room for the text once margins and the title bar are on the screen too.
    const int maxTextHeight = std::max(1, work.height() - m_bottomAreaHeight - 47 - 30);
    const QSize text =
        layoutText(m_messageText, font(), std::max(1, work.width() - icon.width() - 45));
    m_textWidth = text.width();
    // A text taller than the screen is cut (Ctrl+C and the log keep all of
    // it) so that the buttons stay on the screen.
    m_textHeight = std::min(text.height(), maxTextHeight);
    int clientHeight = 0;
    if (icon.height() > m_textHeight) {
        m_textTop = kMargin + (icon.height() - m_textHeight) / 2;
        clientHeight = kMargin + icon.height() + m_bottomAreaHeight + 7;
    } else {
        m_textTop = kMargin;
        clientHeight = kMargin + m_textHeight + m_bottomAreaHeight + kMargin + 7;
    }
    clientHeight += 10;
    const int minimum = m_details->isVisibleTo(this) ? 400 : 320;
    int clientWidth = std::max(kMargin + icon.width() + 30 + m_textWidth, minimum);
    placeButtons(clientWidth, clientHeight);
    if (m_details->isVisibleTo(this))
        m_details->setGeometry(kMargin, clientHeight - m_bottomAreaHeight, clientWidth - 30,
                               m_detailsHeight);
    setFixedSize(clientWidth, clientHeight);
}

void TMsgBoxEx::placeButtons(int& clientWidth, int clientHeight)
{
    const int n = int(m_buttons.size());
    if (n == 0)
        return;
    const int total = kButtonPitch * n - 15;
    if (total > clientWidth - 10)
        clientWidth = total + 10;
    int left = (clientWidth - total) / 2;
    if (left < kMargin) {
        clientWidth = total + 30;
        left = kMargin;
    }
    const bool details = m_details->isVisibleTo(this);
    for (QPushButton* button : m_buttons) {
        button->move(left, clientHeight - 40 + (details ? 7 : 0));
        left += kButtonPitch;
    }
    if (details && n == 1)
        m_buttons.front()->move(clientWidth - kButtonPitch, m_buttons.front()->y());
}

void TMsgBoxEx::PaintClient(QPainter& painter)
{
    const int left = m_icon->x() + m_icon->width() + kMargin;
    const QRect area(left, m_textTop, width() - kMargin - left, m_textHeight);
    painter.save();
    painter.setClipRect(area);
    painter.setPen(palette().windowText().color());
    layoutText(m_messageText, font(), area.width(), &painter, area.topLeft());
    painter.restore();
}

void TMsgBoxEx::showEvent(QShowEvent* event)
{
    TCvBaseForm::showEvent(event);
    QApplication::beep();
    Arrange();
    if (!m_centred) {
        m_centred = true;
        move(workArea(*this).center() - rect().center());
    }
}

bool TMsgBoxEx::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && handleKey(static_cast<const QKeyEvent&>(*event)))
        return true;
    return TCvBaseForm::eventFilter(watched, event);
}

bool TMsgBoxEx::handleKey(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Escape) {
        done(2);
        return true;
    }
    if (key.key() != Qt::Key_C || (key.modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return false;
    QApplication::beep();
    const bool fromDetails = m_details->isVisible() && m_details->hasFocus();
    QGuiApplication::clipboard()->setText(fromDetails ? m_details->toPlainText() : ComposeText());
    return true;
}

void TMsgBoxEx::reject()
{
    done(2);
}

QString TMsgBoxEx::ComposeText() const
{
    const QString crlf = QStringLiteral("\r\n");
    const int dash = QFontMetrics(font()).horizontalAdvance(QLatin1Char('-'));
    const QString line = QString(dash > 0 ? m_textWidth / dash : 0, QLatin1Char('-')) + crlf;
    QString buttons;
    for (const QPushButton* button : m_buttons)
        buttons += button->text() + QStringLiteral("   ");
    buttons.remove(QLatin1Char('&'));
    const QString details = m_detailsText.isEmpty() ? kNoDetails : m_detailsText;
    const QString time = CreatedAt().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return line + windowTitle() + crlf + line + m_messageText + crlf + line + details + crlf +
           line + kCreatedLabel + time + crlf + line + buttons + crlf + line;
}

int TMsgBoxEx::ShowModal()
{
    if (AutoAnswer())
        QMetaObject::invokeMethod(this, &TMsgBoxEx::runAnswerer, Qt::QueuedConnection);
    return exec();
}

void TMsgBoxEx::runAnswerer()
{
    const Answerer answerer = AutoAnswer();
    if (answerer)
        answerer(*this);
    if (isVisible())
        done(2);
}

void TMsgBoxEx::SetAutoAnswer(Answerer answerer)
{
    answererSlot() = std::move(answerer);
}
const TMsgBoxEx::Answerer& TMsgBoxEx::AutoAnswer()
{
    return answererSlot();
}

void TMsgBoxEx::AnswerWithDefault(TMsgBoxEx& box)
{
    if (box.Buttons().isEmpty())
        box.done(2);
    else
        box.Buttons().front()->click();
}

TMsgBoxEx::ScopedAutoAnswer::ScopedAutoAnswer(Answerer answerer) : m_previous(AutoAnswer())
{
    SetAutoAnswer(std::move(answerer));
}

TMsgBoxEx::ScopedAutoAnswer::~ScopedAutoAnswer()
{
    SetAutoAnswer(std::move(m_previous));
}

QString ApplicationTitle()
{
    shell::TCvApplication* app = shell::TCvApplication::instance();
    if (app && app->HostBound()) {
        try {
            return app->GetSystemInfo().title;
        } catch (const Exception&) {
            // A caption is not worth failing a message for.
        }
    }
    return QGuiApplication::applicationDisplayName();
}

int ShowMsgBox(const QString& text, int style)
{
    return ShowMsgBoxPicture(text, {}, ApplicationTitle(), {}, style);
}

int ShowMsgBoxCaption(const QString& text, const QString& caption, int style)
{
    return ShowMsgBoxPicture(text, {}, caption, {}, style);
}

int ShowMsgBoxDetails(const QString& text, const QString& details, const QString& caption,
                      int style)
{
    return ShowMsgBoxPicture(text, details, caption, {}, style);
}

int ShowMsgBoxPicture(const QString& text, const QString& details, const QString& caption,
                      const QPixmap& picture, int style)
{
    // The owner window may go away while the box is open and take the box
    // with it; the guard frees it otherwise, also when showing throws.
    struct Guard {
        QPointer<TMsgBoxEx> box;
        ~Guard() { delete box.data(); }
    } guard{new TMsgBoxEx};
    TMsgBoxEx& box = *guard.box;
    box.SetMessageText(text);
    box.SetDetailsText(details);
    box.SetCaption(caption);
    box.SetStyle(style);
    box.SetPicture(picture);
    if (shell::TCvApplication* app = shell::TCvApplication::instance())
        app->WriteLog(7, QStringLiteral("消息窗口"), QStringLiteral("对话框"), box.ComposeText());
    return box.ShowModal();
}

} // namespace cv::ui
