#pragma once

#include <QColor>
#include <QWidget>

// A self-painted line of text: its own text and background colours, and a text layout chosen by the
// label's style.
class CLabel : public QWidget
{
    Q_OBJECT
public:
    // How the text is laid out (the static control styles of other systems).
    enum class Style {
        Left,        // left-aligned, word-wrapped
        Center,      // centred, word-wrapped
        Right,       // right-aligned, word-wrapped
        LeftNoWrap,  // one plain line from the left
        CenterImage, // one centred line; centred lines when the text has a line break
    };

    explicit CLabel(QWidget* parent = nullptr, Style style = Style::Left);

    // Each operation repaints at once and returns the label, so that calls can be chained.
    CLabel& SetText(const QString& text);
    CLabel& SetTextColor(const QColor& colour);
    // Mode 0: a solid background; any other mode: a left-to-right gradient to `second`.
    CLabel& SetBkColor(const QColor& colour, const QColor& second = QColor(), int mode = 0);
    CLabel& SetFontBold(bool bold);
    CLabel& SetFontSize(int points);

    QString Text() const { return m_text; }
    QColor TextColor() const { return m_textColour; }
    Style LabelStyle() const { return m_style; }

    // The text-drawing flags for a style and a text.
    static int DrawFlags(Style style, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void RepaintNow();

    Style m_style;
    QString m_text;
    QColor m_textColour;
    QColor m_background;
    QColor m_gradientEnd;
    int m_backgroundMode = 0;
};
