// The module's own modal message box: buttons and icon chosen by a Windows
// message-box style value, sized to its text, an optional details area,
// Ctrl+C copies a plain-text rendering that is also written to the host log.
#pragma once

#include "TCvBaseForm.h"

#include <QList>
#include <QPixmap>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace cv::ui {

class TMsgBoxEx : public TCvBaseForm {
    Q_OBJECT
public:
    // Answers a box in place of a person: runs once the box is showing inside
    // its modal loop and should close it (a button, a key, done()); a box
    // still open afterwards closes with 2 (cancel).
    using Answerer = std::function<void(TMsgBoxEx&)>;

    explicit TMsgBoxEx(QWidget* parent = nullptr);

    const QString& MessageText() const { return m_messageText; }
    void SetMessageText(const QString& text);
    const QString& DetailsText() const { return m_detailsText; }
    void SetDetailsText(const QString& text);
    // Line breaks are removed: the caption is one line.
    void SetCaption(const QString& caption);
    int Style() const { return m_style; }
    void SetStyle(int style);
    // A picture replaces the style's icon from then on.
    void SetPicture(const QPixmap& picture);

    QString ComposeText() const;

    int IconGroup() const { return m_iconGroup; }
    const QList<QPushButton*>& Buttons() const { return m_buttons; }
    QLabel* IconControl() const { return m_icon; }
    QPlainTextEdit* DetailsArea() const { return m_details; }
    int TextTop() const { return m_textTop; }
    int TextWidth() const { return m_textWidth; }
    int TextHeight() const { return m_textHeight; }

    // Shows the box modally, through the answerer when one is set.
    int ShowModal();

    // The one seam that answers every box without a person (tests, headless
    // runs); an empty answerer restores showing to a person.
    static void SetAutoAnswer(Answerer answerer);
    static const Answerer& AutoAnswer();
    // An answerer that presses the default (first) button.
    static void AnswerWithDefault(TMsgBoxEx& box);

    // Sets an answerer for one scope and restores the previous one.
    class ScopedAutoAnswer {
    public:
        explicit ScopedAutoAnswer(Answerer answerer);
        ~ScopedAutoAnswer();
        ScopedAutoAnswer(const ScopedAutoAnswer&) = delete;
        ScopedAutoAnswer& operator=(const ScopedAutoAnswer&) = delete;

    private:
        Answerer m_previous;
    };

public slots:
    // Closing by the title bar or Escape answers 2 (cancel).
    void reject() override;

protected:
    // Sizes the box to its text and places icon, buttons and details.
    virtual void Arrange();
    void PaintClient(QPainter& painter) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createButtons();
    void placeButtons(int& clientWidth, int clientHeight);
    void setIcon(const QPixmap& pixmap);
    bool handleKey(const QKeyEvent& key);
    void runAnswerer();

    QString m_messageText;
    QString m_detailsText;
    bool m_customPicture = false;
    QLabel* m_icon = nullptr;
    QPlainTextEdit* m_details = nullptr;
    int m_detailsHeight = 0;
    int m_bottomAreaHeight = 0;
    int m_textWidth = 0;
    int m_textHeight = 0;
    int m_textTop = 0;
    int m_style = -1;
    int m_iconGroup = -1;
    bool m_centred = false;
    QList<QPushButton*> m_buttons;
};

// The application's title: the host's title while the facade is bound to a
// host, else the application's display name.
QString ApplicationTitle();

// Each creates a box, logs it, shows it modally, frees it and answers the
// result of the button pressed (2 for Escape or closing).
int ShowMsgBox(const QString& text, int style);
int ShowMsgBoxCaption(const QString& text, const QString& caption, int style);
int ShowMsgBoxDetails(const QString& text, const QString& details, const QString& caption,
                      int style);
// A null picture keeps the style's icon.
int ShowMsgBoxPicture(const QString& text, const QString& details, const QString& caption,
                      const QPixmap& picture, int style);

} // namespace cv::ui
