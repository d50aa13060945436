#include "ButtonLineEdit.h"

#include <QToolButton>

namespace cv::widgets {

ButtonLineEdit::ButtonLineEdit(QWidget* parent) : QLineEdit(parent), m_button(new QToolButton(this))
{
    m_button->setText(QStringLiteral("…"));
    m_button->setObjectName(QStringLiteral("ellipsis"));
    m_button->setCursor(Qt::ArrowCursor);
    // The text keeps the focus while the button is clicked.
    m_button->setFocusPolicy(Qt::NoFocus);
    connect(m_button, &QToolButton::clicked, this, &ButtonLineEdit::buttonClicked);
}

void ButtonLineEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    const int side = height();
    m_button->setGeometry(width() - side, 0, side, side);
    setTextMargins(0, 0, side, 0);
}

} // namespace cv::widgets
